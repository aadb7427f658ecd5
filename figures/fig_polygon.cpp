#include "figures/fig_polygon.h"

#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

IMPLEMENT_SERIAL(QvFigPolygon, QvFigure, 1)
IMPLEMENT_SERIAL(QvFigRegion, QvFigPolygon, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigPolygon::ToolId, "QvFigPolygon", &QvMakeFigure<QvFigPolygon>},
    {QvFigRegion::ToolId, "QvFigRegion", &QvMakeFigure<QvFigRegion>},
});

namespace {
// The pen's width and a little more around the vertices.
constexpr int kBoundMargin = 3;

CRect UnitRect(const QvPoint& p) {
    CPoint c;
    p.ToCPoint(c);
    return CRect(c.x, c.y, c.x + 1, c.y + 1);
}
} // namespace

QvFigPolygon::QvFigPolygon() {
    InitPoints(ArraySize);
    SetPointCount(0);
    m_nToolId = ToolId;
    m_pShape = &m_polygon;
    auto* record = new QvEditData;
    record->SetFromCurrentStyle();
    SetEditData(record);
}

void QvFigPolygon::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
    if (!ar.IsStoring()) {
        SetClickCount(std::max(0, GetPointCount() - 1));
        BuildFromPoints();
    }
}

void QvFigPolygon::Draw(CDC* dc, int) {
    const int count = GetPointCount();
    const int n = count - 1;
    if (n == 1) {
        dc->MoveTo(m_drawing[0]);
        dc->LineTo(m_drawing[1]);
    } else if (n == 2 && m_drawing[2] == m_drawing[1]) {
        dc->Polyline(m_drawing.data(), 3);
    } else if (count > 0) {
        dc->Polygon(m_drawing.data(), count);
    }
}

void QvFigPolygon::MapToFrame(const QvGRRect& frame) {
    QvFigure::MapToFrame(frame);
    for (int i = 0; i < ArraySize; ++i)
        m_display[i].ToCPoint(m_drawing[size_t(i)]);
}

void QvFigPolygon::OffsetPoints(int dx, int dy, int right, int flipHeight) {
    QvFigure::OffsetPoints(dx, dy, right, flipHeight);
    for (CPoint& p : m_drawing) {
        p.x -= dx;
        p.y -= dy;
        if (flipHeight != 0)
            p.y = std::abs(flipHeight - dy) - p.y;
    }
}

void QvFigPolygon::OpenGap(int from) {
    for (int j = ArraySize - 2; j >= from; --j) {
        m_points[j + 1] = m_points[j];
        m_display[j + 1] = m_display[j];
    }
}

void QvFigPolygon::CloseGap(int from) {
    for (int j = from; j < ArraySize - 1; ++j) {
        m_points[j] = m_points[j + 1];
        m_display[j] = m_display[j + 1];
    }
}

void QvFigPolygon::EditProperties(CPoint pt, CPoint) {
    const QvPoint p(pt.x, pt.y);
    const int count = GetPointCount();
    // A finished polygon keeps at least three vertices.
    if (m_nClicks > 2) {
        for (int i = 0; i < count; ++i) {
            if ((m_display[i] - p).Length() > VertexReach)
                continue;
            CloseGap(i);
            SetClickCount(m_nClicks - 1);
            SetPointCount(count - 1);
            BuildFromPoints();
            return;
        }
    }
    double distance = 0.0;
    const int k = m_polygon.FindNearestSegment(p, &distance);
    // Far from every edge there is nowhere to put a vertex.
    if (k < 0)
        return;
    if (count >= MaxStoredPoints) {
        AfxMessageBox(QString::fromLatin1(FullMessage), MB_ICONINFORMATION);
        return;
    }
    const QvPoint q = m_polygon.NearestPoint(p);
    OpenGap(k + 1);
    m_points[k + 1] = q;
    m_display[k + 1] = q;
    SetClickCount(m_nClicks + 1);
    SetPointCount(count + 1);
    BuildFromPoints();
}

void QvFigPolygon::AddShapes(QvShapeList& list, int part) {
    const int count = GetPointCount();
    if (count >= MaxShapedPoints || m_bDeleted)
        return;
    for (int k = 0; k < count; ++k) {
        if (part != -1 && part != k)
            continue;
        QvShapeRecord record;
        record.SetShape(std::make_unique<QvGRLine>(m_display[k], m_display[(k + 1) % count]));
        record.figure = this;
        record.index1 = k;
        list.Add(std::move(record));
    }
}

CRect QvFigPolygon::GetBoundRect() {
    const int count = GetPointCount();
    CRect r = UnitRect(m_display[0]);
    for (int i = 1; i < count; ++i)
        r.UnionRect(r, UnitRect(m_display[i]));
    r.InflateRect(kBoundMargin, kBoundMargin);
    int w = LineStyleWidth();
    r.InflateRect(w, w);
    return r;
}

bool QvFigPolygon::HitTest(QvPoint pt, double tolerance) {
    return m_polygon.HitTest(pt, tolerance);
}

void QvFigPolygon::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n < 0 || n >= GetPointCount())
        return;
    m_points[n] = to;
    BuildFromPoints();
}

void QvFigPolygon::TrackCreatePoint(QvPoint pt, QvKeys) {
    const int k = m_nClicks;
    m_points[k] = pt;
    m_display[k] = pt;
    SetPointCount(k + 1);
}

bool QvFigPolygon::CreateClick() {
    // The new point under the pointer would be one more than a file can
    // count: the click is refused and every vertex stays.
    if (m_nClicks + 2 > MaxStoredPoints) {
        AfxMessageBox(QString::fromLatin1(FullMessage), MB_ICONINFORMATION);
        return false;
    }
    const int k = m_nClicks + 1;
    m_nClicks = BYTE(k);
    m_points[k] = m_points[k - 1];
    m_display[k] = m_display[k - 1];
    SetPointCount(k + 1);
    BuildFromPoints();
    return false;
}

void QvFigPolygon::BuildFromPoints() {
    m_polygon.RemoveAllVertices();
    for (int i = 0; i < GetPointCount(); ++i)
        m_polygon.AddVertex(m_display[i]);
}

QvPoint QvFigPolygon::GetPoint(int) const {
    return QvPoint::Far();
}

// ------------------------------------------------------------------ region

QvFigRegion::QvFigRegion() {
    m_pShape = &m_empty;
    m_nToolId = ToolId;
}

bool QvFigRegion::HitTest(QvPoint pt, double tolerance) {
    return m_empty.HitTest(pt, tolerance);
}
