#include "figures/fig_arc.h"

#include "figures/fig_circle.h"
#include "figures/fig_ellipse.h"
#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "geometry/arrow_head.h"
#include "geometry/gr_bezier.h"
#include "geometry/gr_line.h"
#include "geometry/gr_rect.h"
#include "geometry/marker.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

IMPLEMENT_SERIAL(QvEditDataArc, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigArcBase, QvFigure, 1)
IMPLEMENT_SERIAL(QvFigArcC2P, QvFigArcBase, 1)
IMPLEMENT_SERIAL(QvFigArc3P, QvFigArcBase, 1)
IMPLEMENT_SERIAL(QvFigArc4P, QvFigArcBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigArcC2P::ToolId, "QvFigArcC2P", &QvMakeFigure<QvFigArcC2P>},
    {QvFigArc3P::ToolId, "QvFigArc3P", &QvMakeFigure<QvFigArc3P>},
    {QvFigArc4P::ToolId, "QvFigArc4P", &QvMakeFigure<QvFigArc4P>},
});

namespace {
constexpr double kPageHeight = 30000.0;
constexpr int kArrowUnit = 20; // model units per arrowhead size step
constexpr double kApexFactor = 0.866025;
// Start and end of a new box arc: just short of the middles of the two
// sides that run from corners 0 and 1.
constexpr double kSideMiddle = 0.49999;
constexpr double kHalfCentralAngle = 114.591559; // degrees per radian, doubled
// A half turn asked for with Major or Minor is nudged to that side of it.
constexpr double kHalfTurn = 180.0;
constexpr double kHalfTurnNudge = 0.00001;

CPoint Truncated(const QvPoint& p) {
    CPoint c;
    p.ToCPoint(c);
    return c;
}

bool IsArcAngle(double centralAngle) {
    return centralAngle > 0.0 && centralAngle < 360.0;
}

// Whether the arc's curve, which always runs counter-clockwise, runs from
// the start point to the end point.
bool RunsForward(const QvGRArc& arc) {
    return (arc.between != 0 && arc.startAngle < arc.endAngle) ||
           (arc.between == 0 && arc.startAngle >= arc.endAngle);
}
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataArc::Serialize(CArchive& ar) {
    m_version = 1;
    QvEditData::Serialize(ar);
    if (ar.IsStoring()) {
        ar << WORD(m_version) << m_markType << m_startArrow << m_stopArrow << m_midArrow
           << m_startSize << m_stopSize << m_midSize << m_midPos << m_closeType << m_major;
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) < m_version)
        return;
    ar >> m_markType >> m_startArrow >> m_stopArrow >> m_midArrow >> m_startSize >> m_stopSize >>
        m_midSize >> m_midPos >> m_closeType >> m_major;
}

QvEditData& QvEditDataArc::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* arc = dynamic_cast<const QvEditDataArc*>(&src)) {
        m_markType = arc->m_markType;
        m_startArrow = arc->m_startArrow;
        m_stopArrow = arc->m_stopArrow;
        m_midArrow = arc->m_midArrow;
        m_startSize = arc->m_startSize;
        m_stopSize = arc->m_stopSize;
        m_midSize = arc->m_midSize;
        m_midPos = arc->m_midPos;
        m_major = arc->m_major;
        m_closeType = arc->m_closeType;
    }
    return *this;
}

void QvEditDataArc::SetFromDefaults() {
    const QvArcDefaults& d = TheSettings().m_ArcDefaults;
    m_markType = d.Centre.GetValue();
    m_startSize = BYTE(d.StartSize.GetValue());
    m_stopSize = BYTE(d.StopSize.GetValue());
    m_midSize = BYTE(d.MidSize.GetValue());
    m_midPos = d.MidPos.GetValue();
    m_startArrow = d.Start.GetValue();
    m_stopArrow = d.Stop.GetValue();
    m_midArrow = d.Mid.GetValue();
    m_closeType = d.CloseType.GetValue();
    m_major = d.Major.GetValue() ? 1 : 0;
}

// -------------------------------------------------------------------- base

QvFigArcBase::QvFigArcBase() {
    m_pShape = &m_arc;
}

void QvFigArcBase::InitArc(int points, int toolId, double step) {
    InitPoints(points);
    m_nToolId = toolId;
    m_step = step;
    m_pShape = &m_arc;
    auto* record = new QvEditDataArc;
    record->SetFromCurrentStyle();
    record->SetFromDefaults();
    SetEditData(record);
    m_pArcData = record;
}

void QvFigArcBase::Refresh() {
    MapToFrame(NullFrame);
    BuildFromPoints();
}

bool QvFigArcBase::CountClick(int points) {
    SetClickCount(GetClickCount() + 1);
    if (GetClickCount() < points)
        return false;
    Refresh();
    return true;
}

void QvFigArcBase::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
    if (ar.IsLoading())
        Refresh();
}

void QvFigArcBase::PlaceThirdPoint() {
    double t1 = m_arc.GetParameterAngle(m_arc.startPoint);
    double t2 = m_arc.GetParameterAngle(m_arc.endPoint);
    double d = std::fabs(t2 - t1);
    bool major = m_pArcData && m_pArcData->m_major != 0;
    double m = (t1 + t2) / 2.0;
    // The bisector of the two directions lies on the short arc; a half turn
    // counts as short.
    if (!((d <= QV_PI && !major) || (d > QV_PI && major))) {
        m -= QV_PI;
        if (m < -QV_PI)
            m += QV_TWO_PI;
    }
    m_arc.thirdPoint = m_arc.PointAt(m);
    m_arc.UpdateAngles();
    m_arc.closingType = m_pArcData ? int(m_pArcData->m_closeType) : QvArcClosing::Arc;
    m_arc.reversed = RunsForward(m_arc) ? 0 : 1;
}

void QvFigArcBase::MakeCurve(QvGRBezierCurve& curve) {
    m_arc.ToBezierCurve(curve, m_step);
    if (m_step >= QuarterStep - 1e-6)
        return;
    // Fine steps keep the curve's own end directions, which belong to its
    // first and last points: turn them to the arc's start and end.
    const bool forward = RunsForward(m_arc);
    QvVector first = curve.GetStartDirection();
    QvVector last = curve.GetEndDirection();
    curve.startDirection = forward ? first : last;
    curve.endDirection = forward ? last : first;
    m_arc.reversed = forward ? 0 : 1;
}

void QvFigArcBase::Draw(CDC* dc, int mode) {
    BuildFromPoints();
    if (!m_bHasArc)
        return;
    QvGRBezierCurve curve;
    MakeCurve(curve);
    curve.DrawPolyline(*dc);

    const QvEditDataArc& d = *m_pArcData;
    CPoint first = Truncated(curve.GetThroughPoint(0));
    CPoint last = Truncated(curve.GetThroughPoint(curve.GetCount() - 1));
    if (d.m_closeType == QvArcClosing::Sector) {
        dc->MoveTo(last);
        dc->LineTo(Truncated(m_arc.centre));
        dc->LineTo(first);
    } else if (d.m_closeType == QvArcClosing::Segment) {
        dc->MoveTo(last);
        dc->LineTo(first);
    }
    QvMarker().Draw(dc, m_arc.centre, d.m_markType);
    if (mode != QvDrawMode::Normal)
        return;

    int oldBkMode = dc->SetBkMode(TRANSPARENT);
    QvArrowHead head;
    QvPoint start = m_arc.PointAt(m_arc.startAngle);
    QvPoint end = m_arc.PointAt(m_arc.endAngle);
    head.Draw(dc, start, start - curve.startDirection, d.m_startArrow, d.m_startSize * kArrowUnit,
              FALSE);
    head.Draw(dc, end, end - curve.endDirection, d.m_stopArrow, d.m_stopSize * kArrowUnit, FALSE);
    if (d.m_midArrow != QvEditDataArc::NoArrowHead) {
        // Measured from the arc's start, and pointing toward its end, which
        // ever way the curve's points run.
        bool reversed = m_arc.reversed != 0;
        QvPoint at = curve.PointAtFraction(reversed ? 1.0 - d.m_midPos : d.m_midPos);
        QvVector travel = reversed ? curve.middleDirection.Negate() : curve.middleDirection;
        head.Draw(dc, at, at - travel, d.m_midArrow, d.m_midSize * kArrowUnit, FALSE);
    }
    dc->SetBkMode(oldBkMode);
}

void QvFigArcBase::DrawFill(CDC* dc, int) {
    BuildFromPoints();
    const LONG close = m_pArcData->m_closeType;
    if (!m_bHasArc || (close != QvArcClosing::Sector && close != QvArcClosing::Segment))
        return;
    QvGRBezierCurve curve;
    MakeCurve(curve);
    curve.Flatten();
    std::vector<CPoint> outline(curve.GetFlattenedPoints(),
                                curve.GetFlattenedPoints() + curve.GetFlattenedCount());
    if (close == QvArcClosing::Sector)
        outline.push_back(Truncated(m_arc.centre));
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    dc->Polygon(outline.data(), int(outline.size()));
}

void QvFigArcBase::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigArcBase::NewEditData() const {
    auto* record = new QvEditDataArc;
    record->CopyFrom(*GetEditData());
    return record;
}

std::unique_ptr<QvGRBase> QvFigArcBase::CreateGeometry() const {
    auto arc = std::make_unique<QvGRArc>();
    *arc = m_arc;
    return arc;
}

void QvFigArcBase::AddShapes(QvShapeList& list, int) {
    if (m_bDeleted || !m_bHasArc)
        return;
    auto add = [&](std::unique_ptr<QvGRBase> shape) {
        QvShapeRecord record;
        record.SetShape(std::move(shape));
        record.figure = this;
        record.index1 = 0;
        list.Add(std::move(record));
    };
    auto curve = std::make_unique<QvGRBezierCurve>();
    MakeCurve(*curve);
    add(std::move(curve));
    QvPoint start = m_arc.PointAt(m_arc.startAngle);
    QvPoint end = m_arc.PointAt(m_arc.endAngle);
    if (m_arc.closingType == QvArcClosing::Segment) {
        add(std::make_unique<QvGRLine>(start, end));
    } else if (m_arc.closingType == QvArcClosing::Sector) {
        add(std::make_unique<QvGRLine>(start, m_arc.centre));
        add(std::make_unique<QvGRLine>(end, m_arc.centre));
    }
}

void QvFigArcBase::Move(QvVector offset) {
    QvFigure::Move(offset);
    Refresh();
}

void QvFigArcBase::Reflect(const QvGRLine& mirror) {
    QvFigure::Reflect(mirror);
    Refresh();
}

CRect QvFigArcBase::GetBoundRect() {
    if (!m_bHasArc)
        return GetPointsRect();
    QvGRBezierCurve curve;
    MakeCurve(curve);
    CRect r = curve.GetBounds();
    const QvEditDataArc& d = *m_pArcData;
    // The centre counts where something is drawn there: a sector's corner
    // or the centre mark.
    CPoint c = Truncated(m_arc.centre);
    if ((d.m_closeType == QvArcClosing::Sector || d.m_markType != 0) && !r.PtInRect(c))
        r.UnionRect(r, CRect(c.x, c.y, c.x + 1, c.y + 1));
    // Arrowheads reach past the curve by their length.
    int reach = LineStyleWidth();
    if (d.m_startArrow != QvEditDataArc::NoArrowHead)
        reach = std::max(reach, d.m_startSize * kArrowUnit);
    if (d.m_stopArrow != QvEditDataArc::NoArrowHead)
        reach = std::max(reach, d.m_stopSize * kArrowUnit);
    if (d.m_midArrow != QvEditDataArc::NoArrowHead)
        reach = std::max(reach, d.m_midSize * kArrowUnit);
    r.InflateRect(reach, reach);
    return r;
}

bool QvFigArcBase::HitTest(QvPoint pt, double tolerance) {
    return m_bHasArc && m_arc.HitTest(pt, tolerance);
}

QvPoint QvFigArcBase::GetPoint(int) const {
    return QvPoint::Far();
}

QString QvFigArcBase::GetDescription() const {
    QString prefix;
    switch (m_pArcData->m_closeType) {
    case QvArcClosing::Arc:
        prefix = QStringLiteral("Arc");
        break;
    case QvArcClosing::Sector:
        prefix = QStringLiteral("Sector");
        break;
    case QvArcClosing::Segment:
        prefix = QStringLiteral("Segment");
        break;
    default:
        break;
    }
    QvGRArc arc;
    arc = m_arc;
    QvPoint angles = arc.GetStartAndCentralAngle();
    const QChar degree(0x00B0);
    return prefix +
           QString::asprintf(" - Centre (%.2f,%.2f)  Radius %.2fmm  Rotation %.2f",
                             m_arc.centre.x / 100.0, (kPageHeight - m_arc.centre.y) / 100.0,
                             m_arc.a / 100.0, angles.x) +
           degree + QString::asprintf("  Central Angle %.2f", angles.y) + degree;
}

void QvFigArcBase::SetAngles(QvPoint) {}

void QvFigArcBase::EditProperties(CPoint, CPoint) {
    EditWithDialog(false);
}

void QvFigArcBase::EditWithDialog(bool fixedPoints) {
    if (!PropertiesDialog::Available())
        return;
    Refresh();
    QvGRArc arc;
    arc = m_arc;
    const QvPoint now = arc.GetStartAndCentralAngle();
    QvArcAngles angles;
    angles.rotation = now.x;
    angles.centralAngle = now.y;
    angles.majorChoice = m_pArcData->m_major == 1 ? 0 : m_pArcData->m_major == 0 ? 1 : -1;
    angles.fixedPoints = fixedPoints;
    QvEditDataArc edited;
    edited.CopyFrom(*m_pArcData);
    if (PropertiesDialog::Run(edited, angles)) {
        edited.m_major = m_pArcData->m_major;
        m_pArcData->CopyFrom(edited);
        const int choice = angles.majorChoice;
        if (fixedPoints) {
            if (angles.centralAngle != now.y) {
                SetAngles(QvPoint(angles.rotation, angles.centralAngle));
                // The third point decides which way round the arc goes.
                m_pArcData->m_major = m_arc.major;
            }
        } else {
            if (std::fabs(angles.centralAngle - kHalfTurn) <= 1e-8 && choice >= 0)
                angles.centralAngle =
                    choice == 0 ? kHalfTurn + kHalfTurnNudge : kHalfTurn - kHalfTurnNudge;
            if (angles.centralAngle != now.y || angles.rotation != now.x)
                SetAngles(QvPoint(angles.rotation, angles.centralAngle));
            else if (choice >= 0)
                m_pArcData->m_major = choice == 0 ? 1 : 0;
        }
    }
    Refresh();
}

void QvFigArcBase::PlaceEndsAt(QvPoint angles, int startIndex, int endIndex) {
    if (!IsArcAngle(angles.y))
        return;
    Refresh();
    double start = angles.x / QV_DEGREES_PER_RADIAN;
    double end = start + angles.y / QV_DEGREES_PER_RADIAN;
    if (end > QV_PI)
        end -= QV_TWO_PI;
    m_pArcData->m_major = angles.y >= 180.0 ? 1 : 0;
    m_arc.major = m_pArcData->m_major;
    m_points[startIndex] = m_arc.PointAt(start);
    m_points[endIndex] = m_arc.PointAt(end);
    Refresh();
}

// ------------------------------------------------------ centre, two points

QvFigArcC2P::QvFigArcC2P() {
    InitArc(3, ToolId, QuarterStep);
}

void QvFigArcC2P::BuildFromPoints() {
    const QvPoint& c = m_display[0];
    double r = (m_display[1] - c).Length();
    m_arc.centre = c;
    m_arc.a = m_arc.b = r;
    m_arc.axis = QvVector(1.0, 0.0);
    m_arc.startPoint = m_display[1];
    m_arc.endPoint = m_display[2];
    PlaceThirdPoint();
}

namespace {
// The point in the direction of `toward` from c at the distance of `at`.
QvPoint OnCircleToward(const QvPoint& c, const QvPoint& at, const QvPoint& toward) {
    QvVector w = toward - c;
    w.SetLength((at - c).Length());
    return c + w;
}
} // namespace

void QvFigArcC2P::TrackCreatePoint(QvPoint pt, QvKeys) {
    int k = GetClickCount();
    if (k > 2)
        return;
    m_points[k] = pt;
    if (k == 0) {
        m_points[1] = pt;
    } else if (k == 1) {
        // A quarter turn on, so that the arc being placed shows.
        m_points[2] = m_points[0] + (m_points[1] - m_points[0]).Perpendicular();
    } else {
        m_points[2] = OnCircleToward(m_points[0], m_points[1], pt);
    }
    Refresh();
}

bool QvFigArcC2P::CreateClick() {
    return CountClick(3);
}

void QvFigArcC2P::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n < 0 || n > 2)
        return;
    m_points[n] = to;
    // Start and finish stay on one circle: the finish follows the start's
    // radius, the start follows the finish's.
    if (n == 2)
        m_points[1] = OnCircleToward(m_points[0], m_points[2], m_points[1]);
    else
        m_points[2] = OnCircleToward(m_points[0], m_points[1], m_points[2]);
    Refresh();
}

void QvFigArcC2P::SetAngles(QvPoint angles) {
    PlaceEndsAt(angles, 1, 2);
}

// ------------------------------------------------------------ three points

QvFigArc3P::QvFigArc3P() {
    InitArc(3, ToolId, QuarterStep);
    m_pArcData->m_major = 0; // its third point decides, not the default
}

void QvFigArc3P::BuildFromPoints() {
    QvPoint centre;
    m_bHasArc = QvFigCircle3C::Circumcentre(m_display[0], m_display[1], m_display[2], &centre);
    // Without an arc there is nothing to snap to either.
    m_pShape = m_bHasArc ? &m_arc : nullptr;
    if (!m_bHasArc)
        return;
    m_arc.centre = centre;
    m_arc.a = m_arc.b = (m_display[1] - centre).Length();
    m_arc.axis = QvVector(1.0, 0.0);
    m_arc.startPoint = m_display[0];
    m_arc.endPoint = m_display[1];
    m_arc.thirdPoint = m_display[2];
    m_arc.UpdateAngles();
    m_arc.closingType = int(m_pArcData->m_closeType);
    m_arc.reversed = RunsForward(m_arc) ? 0 : 1;
    m_arc.GetStartAndCentralAngle(); // for its major flag
}

bool QvFigArc3P::IsValid() const {
    QvPoint centre;
    return QvFigCircle3C::Circumcentre(m_points[0], m_points[1], m_points[2], &centre);
}

void QvFigArc3P::TrackCreatePoint(QvPoint pt, QvKeys) {
    int k = GetClickCount();
    if (k > 2)
        return;
    m_points[k] = pt;
    if (k == 0) {
        m_points[1] = pt;
    } else if (k == 1) {
        // The apex of the equilateral triangle on the chord's left.
        QvVector v = m_points[1] - m_points[0];
        m_points[2] = m_points[0] + v * 0.5 + v.Perpendicular() * kApexFactor;
    }
    Refresh();
}

bool QvFigArc3P::CreateClick() {
    if (GetClickCount() == 2 && !IsValid()) {
        // No arc passes through three points on a line.
        MessageBeep(0);
        return false;
    }
    if (!CountClick(3))
        return false;
    m_pArcData->m_major = m_arc.major;
    return true;
}

void QvFigArc3P::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n < 0 || n > 2)
        return;
    QvPoint before = m_points[n];
    m_points[n] = to;
    if (!IsValid())
        m_points[n] = before; // the arc stays where it still was one
    Refresh();
    m_pArcData->m_major = m_arc.major;
}

void QvFigArc3P::SetAngles(QvPoint angles) {
    if (!IsArcAngle(angles.y))
        return;
    double h = angles.y / kHalfCentralAngle;
    QvVector v = m_points[1] - m_points[0];
    double c = v.Length();
    if (c == 0.0)
        return;
    double r = c / (2.0 * std::sin(h));
    double s = r - std::cos(h) * r; // from the chord's middle to the arc's
    QvVector w = v.Perpendicular();
    w.SetLength(s);
    QvPoint middle = m_points[0] + v * 0.5;
    QvPoint a = middle + w;
    QvPoint b = middle - w;
    const QvPoint& p2 = m_points[2];
    m_points[2] = (p2 - b).Length() <= (p2 - a).Length() ? b : a;
    Refresh();
}

void QvFigArc3P::EditProperties(CPoint, CPoint) {
    EditWithDialog(true);
}

// ---------------------------------------------------------------- in a box

QvFigArc4P::QvFigArc4P() {
    InitArc(6, ToolId, EllipseStep);
    m_nRoundGrips = 2;
}

void QvFigArc4P::BuildFromPoints() {
    const QvPoint& p0 = m_display[0];
    QvVector u = m_display[1] - p0;
    QvVector w = m_display[3] - p0;
    m_arc.centre = p0 + u * 0.5 + w * 0.5;
    QvFigEllipse4C::SetAxes(m_arc, u * 0.5, w * 0.5);
    m_arc.startPoint = m_display[4];
    m_arc.endPoint = m_display[5];
    PlaceThirdPoint();
}

void QvFigArc4P::TrackCreatePoint(QvPoint pt, QvKeys keys) {
    int k = GetClickCount();
    if (k == 0) {
        for (int i = 0; i < 4; ++i)
            m_points[i] = pt;
    } else if (k == 2) {
        const QvPoint p0 = m_points[0];
        double dx = pt.x - p0.x, dy = pt.y - p0.y;
        if (keys.shift) {
            double m = std::min(std::fabs(dx), std::fabs(dy));
            dx = dx >= 0.0 ? m : -m;
            dy = dy >= 0.0 ? m : -m;
        }
        m_points[2] = QvPoint(p0.x + dx, p0.y + dy);
        m_points[1].x = p0.x + dx;
        m_points[3].y = p0.y + dy;
        QvVector side = m_points[3] - p0;
        m_points[4] = p0 + side * kSideMiddle;
        m_points[5] = m_points[1] + side * kSideMiddle;
    }
    Refresh();
}

bool QvFigArc4P::CreateClick() {
    Refresh();
    if (GetClickCount() == 0) {
        SetClickCount(2);
        return false;
    }
    if (GetClickCount() == 2)
        SetClickCount(4);
    return true;
}

void QvFigArc4P::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n < 0 || n > 5)
        return;
    if (n < 4) {
        // The ends keep their places relative to the box.
        QvGRRect box(m_points[0], m_points[1], m_points[2], m_points[3]);
        QvPoint start = box.DocumentToFrame(m_points[4]);
        QvPoint end = box.DocumentToFrame(m_points[5]);
        box.MoveCorner(n, to);
        for (int i = 0; i < 4; ++i)
            m_points[i] = box.corner[i];
        m_points[4] = box.FrameToDocument(start);
        m_points[5] = box.FrameToDocument(end);
    } else {
        Refresh();
        QvPoint on = m_arc.NearestPointOnEllipse(to);
        // A box of no size has no ellipse to put the end on.
        if (!on.IsFar())
            m_points[n] = on;
    }
    Refresh();
}

void QvFigArc4P::SetAngles(QvPoint angles) {
    PlaceEndsAt(angles, 4, 5);
}
