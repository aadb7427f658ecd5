#include "figures/figure.h"

#include "figures/copy_map.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "geometry/gr_rect.h"
#include "geometry/snap_kind.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/fill_style.h"
#include "settings/line_style.h"

#include <QIODevice>

#include <cmath>
#include <cstdlib>
#include <utility>

IMPLEMENT_SERIAL(QvFigure, CObject, 1)

namespace {
// How far (|dx| + |dy|) from a grip a press still takes it: 3 mm, a few
// grip widths on screen.
constexpr double kGripReach = 300.0;
constexpr COLORREF kHighlightColour = 0xFAFA00;
constexpr COLORREF kWhite = 0xFFFFFF;

CRect UnitRect(const QvPoint& p) {
    CPoint c;
    p.ToCPoint(c);
    return CRect(c.x, c.y, c.x + 1, c.y + 1);
}
} // namespace

// A plain record from the start, so that even a bare figure read by class
// name has one.
QvFigure::QvFigure() : m_pEditData(std::make_unique<QvEditData>()) {}
QvFigure::~QvFigure() = default;

void QvFigure::InitPoints(int count) {
    m_points.SetSize(count, count);
    m_display.SetSize(count, count);
    m_nPoints = BYTE(std::clamp(count, 0, MaxStoredPoints));
}

bool QvFigure::SetPointCount(int count) {
    if (count < 0 || count > MaxStoredPoints || count > m_points.GetSize() ||
        count > m_display.GetSize())
        return false;
    m_nPoints = BYTE(count);
    return true;
}

int QvFigure::LineStyleWidth() const {
    return QvLineStyle().PenFromLineCommand(UINT(m_pEditData->m_lineStyle)).lopnWidth.x;
}

// ------------------------------------------------------------ figure record

void QvFigure::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        int n = StoredPointCount();
        // The count is a byte: more points cannot be written truthfully.
        if (n > MaxStoredPoints)
            throw CArchiveException(
                CArchiveException::genericException,
                QStringLiteral("A figure with more than %1 points cannot be saved.")
                    .arg(MaxStoredPoints));
        m_pCopyLink = this;
        ar << BYTE(n);
        for (int i = 0; i < n; ++i)
            m_points[i].Serialize(ar);
        ar.WriteObject(m_pCopyLink);
        ar << LONG(m_nRoundGrips) << LONG(m_nToolId) << BYTE(m_nGroupNesting);
        m_pEditData->Serialize(ar);
        return;
    }
    BYTE n = 0;
    ar >> n;
    if (n > m_points.GetSize())
        throw CArchiveException(
            CArchiveException::badIndex,
            QStringLiteral("%1 points for a figure of %2").arg(n).arg(m_points.GetSize()));
    ar.CheckAvailable(qint64(n) * 16);
    for (int i = 0; i < n; ++i)
        m_points[i].Serialize(ar);
    m_nPoints = n;
    ReadCopyLink(ar);
    LONG roundGrips = 0, toolId = 0;
    BYTE nesting = 0;
    ar >> roundGrips >> toolId >> nesting;
    if (roundGrips < 0 || roundGrips > m_points.GetSize())
        throw CArchiveException(CArchiveException::badIndex,
                                QStringLiteral("%1 round grips").arg(roundGrips));
    m_nRoundGrips = roundGrips; // the tool id stays the constructor's
    m_nGroupNesting = nesting;
    m_pEditData->Serialize(ar);
    MapToFrame(NullFrame);
}

// The copy link is always a reference back to the figure being read.  Any
// other tag is malformed; a new object is refused before it is made, so
// nothing is left without an owner.
void QvFigure::ReadCopyLink(CArchive& ar) {
    QIODevice* device = ar.GetFile();
    QByteArray head = device ? device->peek(6) : QByteArray();
    if (head.size() >= 2) {
        WORD tag = WORD(BYTE(head[0]) | (BYTE(head[1]) << 8));
        bool newObject = tag == 0xFFFF || (tag & 0x8000) != 0;
        if (tag == 0x7FFF && head.size() >= 6)
            newObject = (BYTE(head[5]) & 0x80) != 0;
        if (newObject)
            throw CArchiveException(CArchiveException::badIndex,
                                    QStringLiteral("a figure's link is not the figure"));
    }
    CObject* link = ar.ReadObject(RUNTIME_CLASS(QvFigure));
    if (link != this)
        throw CArchiveException(CArchiveException::badIndex,
                                QStringLiteral("a figure's link is not the figure"));
    m_pCopyLink = this;
}

// ------------------------------------------------------------------- drawing

void QvFigure::DrawFill(CDC*, int) {}
void QvFigure::Draw(CDC*, int) {}

void QvFigure::DrawMapped(CDC* dc, int mode, const QvGRRect& frame, const CRect& offset) {
    if (mode < QvDrawMode::Normal || mode > QvDrawMode::LineColour)
        return;
    LOGPEN logPen = ScaledLinePen(dc);
    LOGBRUSH logBrush = QvFillStyle().FillStyleToLogBrush(UINT(m_pEditData->m_fillStyle));

    CPen pen;
    CBrush brush;
    bool brushSelected = true;
    switch (mode) {
    case QvDrawMode::Normal:
        logPen.lopnColor = m_pEditData->m_lineColor;
        logBrush.lbColor = m_pEditData->m_fillColor;
        pen.CreatePenIndirect(&logPen);
        brush.CreateBrushIndirect(&logBrush);
        break;
    case QvDrawMode::Dotted:
        pen.CreatePen(PS_DOT, 1, 0);
        break;
    case QvDrawMode::Highlight:
        logPen.lopnColor = kHighlightColour;
        pen.CreatePenIndirect(&logPen);
        break;
    case QvDrawMode::White:
    case QvDrawMode::White2:
        logPen.lopnColor = kWhite;
        pen.CreatePenIndirect(&logPen);
        break;
    case QvDrawMode::LineColour:
        logPen.lopnColor = m_pEditData->m_lineColor;
        pen.CreatePenIndirect(&logPen);
        brushSelected = false;
        break;
    }
    CDCSelect<CPen> usePen(dc, &pen);
    CDCSelect<CBrush> useBrush(dc);
    if (brushSelected) {
        if (mode == QvDrawMode::Normal)
            useBrush.Select(&brush);
        else
            useBrush.Select(NULL_BRUSH);
    }

    MapToFrame(frame);
    OffsetPoints(offset.left, offset.top, offset.right, offset.bottom);
    if (mode == QvDrawMode::Normal)
        DrawFill(dc, mode);
    Draw(dc, mode);
}

LOGPEN QvFigure::ScaledLinePen(CDC* dc) const {
    int scale = 1;
    int mapMode = dc->GetMapMode();
    if (mapMode != MM_HIMETRIC && mapMode != MM_ANISOTROPIC) {
        CSize size(1, 1);
        dc->DPtoHIMETRIC(&size);
        // A device finer than 0.01 mm per pixel would give 0.
        scale = std::max(1, int(std::abs(size.cx)));
    }
    LOGPEN logPen = QvLineStyle().PenFromLineCommand(UINT(m_pEditData->m_lineStyle));
    logPen.lopnWidth.x /= scale;
    return logPen;
}

namespace {
constexpr double kFarCoordinate = 1e7;

bool SanePoints(const QvPointArray& points) {
    for (int i = 0; i < points.GetSize(); ++i) {
        const QvPoint& p = points[i];
        if (!(std::abs(p.x) <= kFarCoordinate && std::abs(p.y) <= kFarCoordinate))
            return false; // NaN fails the comparison too
    }
    return true;
}
} // namespace

bool QvFigure::HasSaneCoordinates() const {
    return SanePoints(m_points) && SanePoints(m_display);
}

void QvFigure::DrawHandles(CDC* dc) {
    // Worked out for each context: a printer or an embedded view must not
    // leave its grip size behind for the screen.
    CSize reach(10000, 10000);
    dc->LPtoDP(&reach);
    int h = std::max(1, int(std::abs(reach.cx)) / 100);

    CPen pen(PS_SOLID, 1, 0);
    CBrush red(RGB(255, 0, 0));
    CBrush grey(RGB(200, 200, 200));
    CDCSelect<CPen> usePen(dc, &pen);
    CDCSelect<CBrush> useBrush(dc, &red);

    // A round-grip count read from a file never reaches past the points.
    int n = GetPointCount();
    int round = std::clamp(m_nRoundGrips, 0, n);
    for (int i = 0; i < n; ++i) {
        CPoint c;
        m_points[i].ToCPoint(c);
        dc->LPtoDP(&c);
        CPoint corners[2] = {CPoint(c.x - h, c.y - h), CPoint(c.x + h, c.y + h)};
        dc->DPtoLP(corners, 2);
        if (i < n - round) {
            dc->Rectangle(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        } else {
            useBrush.Select(&grey);
            dc->Ellipse(corners[0].x, corners[0].y, corners[1].x + 1, corners[1].y + 1);
        }
    }
}

// -------------------------------------------------------------------- copies

QvFigure* QvFigure::CopyFrom(const QvFigure* src) {
    m_nPoints = src->m_nPoints;
    m_nRoundGrips = src->m_nRoundGrips;
    m_nClicks = src->m_nClicks;
    m_nToolId = src->m_nToolId;
    m_nGroupNesting = src->m_nGroupNesting;
    m_bGroup = src->m_bGroup;
    m_pCopyLink = const_cast<QvFigure*>(src);
    int n = std::min({m_points.GetSize(), src->m_points.GetSize(), src->m_display.GetSize(),
                      m_display.GetSize()});
    for (int i = 0; i < n; ++i) {
        m_points[i] = src->m_points[i];
        m_display[i] = src->m_display[i];
    }
    CopyEditData(m_pEditData.get(), src->m_pEditData.get());
    return this;
}

void QvFigure::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyCommon(*src);
}

QvEditData* QvFigure::NewEditData() const {
    auto* record = new QvEditData;
    record->CopyCommon(*m_pEditData);
    return record;
}

void QvFigure::AddToCopyMap(QvCopyMap& map) {
    if (m_pCopyLink) {
        map.AddPair(m_pCopyLink, this);
        m_pCopyLink = nullptr;
    }
}

// ------------------------------------------------------------------ mapping

void QvFigure::MapToFrame(const QvGRRect& frame) {
    int n = std::min(m_points.GetSize(), m_display.GetSize());
    bool none = frame.HasZeroSides();
    for (int i = 0; i < n; ++i)
        m_display[i] = none ? m_points[i] : frame.FrameToDocument(m_points[i]);
}

void QvFigure::OffsetPoints(int dx, int dy, int, int flipHeight) {
    for (int i = 0; i < m_display.GetSize(); ++i) {
        QvPoint& p = m_display[i];
        p.x -= dx;
        p.y -= dy;
        if (flipHeight != 0)
            p.y = std::abs(flipHeight - dy) - p.y;
    }
}

// ----------------------------------------------------------------- editing

void QvFigure::EditProperties(CPoint, CPoint) {
    MessageBeep(0);
}

void QvFigure::Rotate(double degrees, QvPoint centre) {
    RotatePoints(m_points, degrees, centre);
    RotatePoints(m_display, degrees, centre);
    MapToFrame(NullFrame);
    BuildFromPoints();
}

void QvFigure::Move(QvVector offset) {
    for (int i = 0; i < m_points.GetSize(); ++i)
        m_points[i] += offset;
    BuildFromPoints();
}

void QvFigure::Reflect(const QvGRLine& mirror) {
    for (int i = 0; i < m_points.GetSize(); ++i) {
        QvPoint& p = m_points[i];
        QvPoint foot = mirror.NearestPoint(p);
        p = p + (foot - p) * 2.0;
    }
    BuildFromPoints();
}

CRect QvFigure::GetBoundRect() {
    return CRect();
}

CRect QvFigure::GetPointsRect() const {
    int n = std::min(GetPointCount(), m_display.GetSize());
    if (n == 0)
        return CRect();
    CRect r = UnitRect(m_display[0]);
    for (int i = 1; i < n; ++i)
        r.UnionRect(r, UnitRect(m_display[i]));
    return r;
}

bool QvFigure::HitTest(QvPoint, double) {
    return false;
}

int QvFigure::FindDefiningPoint(QvPoint& pt) const {
    for (int i = std::min(GetPointCount(), m_points.GetSize()) - 1; i >= 0; --i) {
        const QvPoint& p = m_points[i];
        if (std::fabs(p.x - pt.x) + std::fabs(p.y - pt.y) <= kGripReach) {
            pt = p;
            return i;
        }
    }
    return -1;
}

void QvFigure::MoveHandle(int, QvPoint, QvPoint, QvKeys) {}
void QvFigure::TrackCreatePoint(QvPoint, QvKeys) {}

bool QvFigure::CreateClick() {
    return false;
}

void QvFigure::SetLineColour(COLORREF colour) {
    m_pEditData->m_lineColor = colour;
}
void QvFigure::SetLineStyle(int style) {
    m_pEditData->m_lineStyle = style;
}
void QvFigure::SetFillColour(COLORREF colour) {
    m_pEditData->m_fillColor = colour;
}
void QvFigure::SetFillStyle(int style) {
    m_pEditData->m_fillStyle = style;
}

QvPoint QvFigure::GetPoint(int n) const {
    if (n < 0 || n >= m_display.GetSize())
        return QvPoint::Far();
    return m_display[n];
}

QString QvFigure::GetDescription() const {
    return QStringLiteral("GENERIC Figure report");
}

// ---------------------------------------------------------------- snapping

void QvFigure::AddPointOnFigure(QvPoint pt, QvSnapPointList& list, int level) {
    if (!m_pShape || !QvSnapKindPasses(QvSnap::PointOnFigure, level))
        return;
    const QvSnapKind& kind = QvGetSnapTable()[QvSnap::PointOnFigure];
    QvSnapPoint record;
    record.point = m_pShape->NearestPoint(pt);
    record.priority = kind.priority;
    record.label = kind.name;
    record.figure1 = this;
    record.primitive1 = m_pShape;
    if (!QvSpecialPointList::IsNoTarget(record.point))
        list.Add(record);
}

namespace {
// What the primitives' snap operations append to.  Each operation below
// empties it, fills it and copies it out before it returns, asking no other
// figure in between, so one pair serves every figure: a drawing of many
// figures would otherwise keep room for twenty records twice in each.
struct SnapScratch {
    QvSpecialPointList points;
    QvGuideShapeList guides;
};

SnapScratch& Scratch() {
    static SnapScratch scratch;
    return scratch;
}

void CopySpecialPoints(const QvSpecialPointList& from, QvSnapPointList& to, QvFigure* figure,
                       QvFigure* other, const QvGRBase* primitive) {
    for (int i = 0; i < from.GetCount(); ++i) {
        QvSnapPoint record(from[i]);
        record.figure1 = figure;
        record.figure2 = other;
        record.primitive1 = primitive;
        record.primitive2 = other ? other->GetShape() : nullptr;
        to.Add(record);
    }
}

void CopyGuideShapes(const QvGuideShapeList& from, QvShapeList& to, QvFigure* figure,
                     QvFigure* other) {
    for (int i = 0; i < from.GetCount(); ++i) {
        const QvGuideShape& guide = from[i];
        if (!guide.shape)
            continue;
        QvShapeRecord record;
        record.SetShape(guide.shape->Clone());
        record.priority = guide.priority;
        record.label = guide.label;
        record.figure = figure;
        record.figure2 = other;
        to.Add(std::move(record));
    }
}
} // namespace

void QvFigure::AddSpecialPoints(QvSnapPointList& list, int level) {
    if (!m_pShape)
        return;
    QvSpecialPointList& points = Scratch().points;
    points.RemoveAll();
    m_pShape->AddSnapPoints(&points, level);
    CopySpecialPoints(points, list, this, nullptr, m_pShape);
}

void QvFigure::AddGuideShapesWith(QvFigure* other, QvShapeList& list, int level) {
    if (!m_pShape || !other || !other->m_pShape)
        return;
    QvGuideShapeList& guides = Scratch().guides;
    guides.DeleteAll();
    m_pShape->AddGuideShapesWith(other->m_pShape, &guides, level);
    CopyGuideShapes(guides, list, this, other);
}

void QvFigure::AddSpecialPointsFrom(QvPoint pt, QvSnapPointList& list, QvFigure* other, int level) {
    if (!m_pShape)
        return;
    QvSpecialPointList& points = Scratch().points;
    points.RemoveAll();
    int otherType = other && other->m_pShape ? other->m_pShape->GetType() : 0;
    m_pShape->AddPointSnapPoints(&pt, &points, otherType, level);
    CopySpecialPoints(points, list, this, nullptr, m_pShape);
}

void QvFigure::AddSpecialPointsWith(QvFigure* other, QvSnapPointList& list, int) {
    // No primitive forms points with another one here; intersections come
    // from the document's shape caches.
    QvSpecialPointList& points = Scratch().points;
    points.RemoveAll();
    CopySpecialPoints(points, list, this, other, m_pShape);
}

void QvFigure::AddGuideShapesFrom(QvPoint pt, QvShapeList& list, int level) {
    if (!m_pShape)
        return;
    QvGuideShapeList& guides = Scratch().guides;
    guides.DeleteAll();
    m_pShape->AddGuideShapes(&pt, &guides, level);
    CopyGuideShapes(guides, list, this, nullptr);
}

std::unique_ptr<QvGRBase> QvFigure::CreateGeometry() const {
    auto shape = std::make_unique<QvGRBase>();
    if (m_pShape)
        shape->AssignType(*m_pShape);
    return shape;
}

void QvFigure::AddShapes(QvShapeList& list, int) {
    if (m_bDeleted)
        return;
    QvShapeRecord record;
    record.SetShape(CreateGeometry());
    record.figure = this;
    list.Add(std::move(record));
}
