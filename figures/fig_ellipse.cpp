#include "figures/fig_ellipse.h"

#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "geometry/gr_bezier.h"
#include "geometry/gr_line.h"
#include "geometry/gr_rect.h"
#include "geometry/marker.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <utility>

IMPLEMENT_SERIAL(QvFigEllipseBase, QvFigure, 1)
IMPLEMENT_SERIAL(QvFigEllipse4C, QvFigEllipseBase, 1)
IMPLEMENT_SERIAL(QvFigEllipseAP, QvFigEllipseBase, 1)
IMPLEMENT_SERIAL(QvFigEllipseFP, QvFigEllipseAP, 1)
IMPLEMENT_SERIAL(QvFigEllipse4P, QvFigEllipseBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigEllipse4C::ToolId, "QvFigEllipse4C", &QvMakeFigure<QvFigEllipse4C>},
    {QvFigEllipseAP::ToolId, "QvFigEllipseAP", &QvMakeFigure<QvFigEllipseAP>},
    {QvFigEllipseFP::ToolId, "QvFigEllipseFP", &QvMakeFigure<QvFigEllipseFP>},
    {QvFigEllipse4P::ToolId, "QvFigEllipse4P", &QvMakeFigure<QvFigEllipse4P>},
});

namespace {
constexpr double kPageHeight = 30000.0;
// Across the middle of the first pair, at this fraction of its length: where
// the rubber band puts the points still to come.
constexpr double kBandOffset = 0.2;

QvPoint BandPoint(const QvPoint& d0, const QvPoint& d1, double side) {
    QvVector d = d1 - d0;
    return d0 + d * 0.5 + d.Perpendicular() * (kBandOffset * side);
}
} // namespace

// -------------------------------------------------------------------- base

QvFigEllipseBase::QvFigEllipseBase() {
    m_pShape = &m_ellipse;
}

void QvFigEllipseBase::InitEllipse(int points, int toolId) {
    InitPoints(points);
    m_nToolId = toolId;
    m_pShape = &m_ellipse;
    auto* record = new QvEditDataCircle;
    record->SetFromCurrentStyle();
    record->m_markType = TheSettings().m_EllipseDefaults.Centre.GetValue();
    SetEditData(record);
    m_pCircleData = record;
}

void QvFigEllipseBase::Refresh() {
    MapToFrame(NullFrame);
    BuildFromPoints();
}

bool QvFigEllipseBase::CountClick(int points) {
    SetClickCount(GetClickCount() + 1);
    if (GetClickCount() < points)
        return false;
    Refresh();
    return true;
}

void QvFigEllipseBase::MovePoint(int n, QvPoint to) {
    if (n < 0 || n >= m_points.GetSize())
        return;
    m_points[n] = to;
    Refresh();
}

void QvFigEllipseBase::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
    if (ar.IsLoading())
        Refresh();
}

namespace {
// Once round through the four axis ends.
void MakeOutline(const QvPoint& c, const QvVector& u, const QvVector& v, QvGRBezierCurve& curve) {
    curve.AddPoint(c + u);
    curve.AddPoint(c + v);
    curve.AddPoint(c - u);
    curve.AddPoint(c - v);
    curve.ComputeControlPoints(true, QvFigEllipseBase::QuarterFactor);
}
} // namespace

void QvFigEllipseBase::Draw(CDC* dc, int) {
    BuildFromPoints();
    QvGRBezierCurve curve;
    MakeOutline(m_ellipse.centre, AxisU(), AxisV(), curve);
    curve.DrawPolyline(*dc);
    if (m_pCircleData)
        QvMarker().Draw(dc, m_ellipse.centre, m_pCircleData->m_markType);
}

void QvFigEllipseBase::DrawFill(CDC* dc, int) {
    BuildFromPoints();
    QvGRBezierCurve curve;
    MakeOutline(m_ellipse.centre, AxisU(), AxisV(), curve);
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    curve.DrawPolygon(*dc);
}

void QvFigEllipseBase::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

void QvFigEllipseBase::EditProperties(CPoint, CPoint) {
    QvFigCircleBase::EditCentreMark(*m_pCircleData, true);
}

QvEditData* QvFigEllipseBase::NewEditData() const {
    auto* record = new QvEditDataCircle;
    record->CopyFrom(*GetEditData());
    return record;
}

std::unique_ptr<QvGRBase> QvFigEllipseBase::CreateGeometry() const {
    auto ellipse = std::make_unique<QvGREllipse>();
    *ellipse = m_ellipse;
    return ellipse;
}

void QvFigEllipseBase::AddShapes(QvShapeList& list, int) {
    if (m_bDeleted)
        return;
    const QvPoint& c = m_ellipse.centre;
    const QvVector u = AxisU(), v = AxisV();
    const double k = QuarterFactor;
    const QvPoint pieces[4][4] = {
        {c + u, c + v, c + u + v * k, c + v + u * k},
        {c + v, c - u, c + v - u * k, c - u + v * k},
        {c + u, c - v, c + u - v * k, c - v + u * k},
        {c - u, c - v, c - u - v * k, c - v - u * k},
    };
    for (const auto& piece : pieces) {
        auto curve = std::make_unique<QvGRBezierCurve>();
        curve->SetSegment(piece[0], piece[1], piece[2], piece[3]);
        QvShapeRecord record;
        record.SetShape(std::move(curve));
        record.figure = this;
        list.Add(std::move(record));
    }
}

void QvFigEllipseBase::Move(QvVector offset) {
    QvFigure::Move(offset);
    Refresh();
}

void QvFigEllipseBase::Reflect(const QvGRLine& mirror) {
    QvFigure::Reflect(mirror);
    Refresh();
}

CRect QvFigEllipseBase::GetBoundRect() {
    const QvPoint& c = m_ellipse.centre;
    const QvVector u = AxisU(), v = AxisV();
    QvGRRect box(c - u - v, c + u - v, c + u + v, c - u + v);
    double w = LineStyleWidth();
    box.Inflate(w, w);
    return box.GetBounds();
}

bool QvFigEllipseBase::HitTest(QvPoint pt, double tolerance) {
    // An ellipse with one semi-axis of no length is drawn as the segment
    // across it, and is hit there.
    if (m_ellipse.IsDegenerate()) {
        const QvPoint& c = m_ellipse.centre;
        const QvVector reach = AxisU() + AxisV();
        return QvGRLine(c - reach, c + reach).HitTest(pt, tolerance);
    }
    return m_ellipse.HitTest(pt, tolerance);
}

QString QvFigEllipseBase::GetDescription() const {
    return QString::asprintf("Ellipse - Centre (%.2f,%.2f)  Axes %.2fmm and %.2fmm",
                             m_ellipse.centre.x / 100.0, (kPageHeight - m_ellipse.centre.y) / 100.0,
                             m_ellipse.a / 100.0, m_ellipse.b / 100.0);
}

// ------------------------------------------------------------ four corners

QvFigEllipse4C::QvFigEllipse4C() {
    InitEllipse(4, ToolId);
}

void QvFigEllipse4C::SetAxes(QvGREllipse& ellipse, QvVector first, QvVector second) {
    // The second semi-axis is measured off the first: along a first axis of
    // no length it would have no direction.
    if (first.Length() == 0.0)
        std::swap(first, second);
    ellipse.a = first.Length();
    ellipse.b = second.Length();
    first.Normalize();
    ellipse.axis = first;
}

void QvFigEllipse4C::BuildFromPoints() {
    const QvPoint& q0 = m_display[0];
    QvVector h1 = (m_display[1] - q0) * 0.5;
    QvVector h2 = (m_display[3] - q0) * 0.5;
    m_ellipse.centre = q0 + h1 + h2;
    SetAxes(m_ellipse, h1, h2);
}

void QvFigEllipse4C::TrackCreatePoint(QvPoint pt, QvKeys) {
    int k = GetClickCount();
    if (k == 0) {
        for (int i = 0; i < 4; ++i)
            m_points[i] = pt;
    } else if (k == 2) {
        m_points[2] = pt;
        m_points[1].x = pt.x;
        m_points[3].y = pt.y;
    }
    Refresh();
}

bool QvFigEllipse4C::CreateClick() {
    Refresh();
    if (GetClickCount() == 0) {
        SetClickCount(2);
        return false;
    }
    if (GetClickCount() == 2)
        SetClickCount(3);
    return true;
}

void QvFigEllipse4C::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    QvGRRect box(m_points[0], m_points[1], m_points[2], m_points[3]);
    box.MoveCorner(n, to);
    for (int i = 0; i < 4; ++i)
        m_points[i] = box.corner[i];
    Refresh();
}

CRect QvFigEllipse4C::GetBoundRect() {
    const QvPoint& c = m_ellipse.centre;
    const QvVector u = AxisU(), v = AxisV();
    CRect r = QvGRRect(c - u - v, c - u + v, c + u + v, c + u - v).GetBounds();
    int w = LineStyleWidth();
    r.InflateRect(w, w);
    return r;
}

QvPoint QvFigEllipse4C::GetPoint(int n) const {
    return QvFigure::GetPoint(3 - n);
}

// ----------------------------------------------------------- axis and point

QvFigEllipseAP::QvFigEllipseAP() {
    InitEllipse(3, ToolId);
}

double QvFigEllipseAP::SemiAxisThrough(QvPoint centre, QvVector u, QvPoint p) {
    QvVector w = p - centre;
    double uu = u.Dot(u);
    double t = uu != 0.0 ? u.Dot(w) / uu : 0.0; // along the axis, in semi-axes
    if (t * t < 1.0) {
        double across = (w + u * -t).Length();
        return across / std::sqrt(1.0 - t * t);
    }
    return std::fabs(t) * std::sqrt(uu);
}

void QvFigEllipseAP::BuildFromPoints() {
    const QvPoint& p0 = m_display[0];
    QvVector u = (m_display[1] - p0) * 0.5;
    m_ellipse.centre = p0 + u;
    m_ellipse.a = u.Length();
    m_ellipse.b = SemiAxisThrough(m_ellipse.centre, u, m_display[2]);
    u.Normalize();
    m_ellipse.axis = u;
}

void QvFigEllipseAP::TrackCreatePoint(QvPoint pt, QvKeys) {
    int k = GetClickCount();
    if (k > 2)
        return;
    m_points[k] = pt;
    if (k == 0) {
        m_points[1] = m_points[2] = pt;
    } else if (k == 1 || pt == m_points[1]) {
        // Until the pointer leaves the axis end, the point stands across the
        // axis, so that the ellipse has a shape to show.
        m_points[2] = BandPoint(m_points[0], m_points[1], 1.0);
    }
    Refresh();
}

bool QvFigEllipseAP::CreateClick() {
    return CountClick(3);
}

void QvFigEllipseAP::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    MovePoint(n, to);
}

QvPoint QvFigEllipseAP::GetPoint(int) const {
    return QvPoint::Far();
}

// ---------------------------------------------------------- foci and point

QvFigEllipseFP::QvFigEllipseFP() {
    m_nToolId = ToolId;
}

void QvFigEllipseFP::BuildFromPoints() {
    const QvPoint& f0 = m_display[0];
    const QvPoint& f1 = m_display[1];
    const QvPoint& p = m_display[2];
    QvVector f = f1 - f0;
    double c = f.Length() / 2.0;
    double a = ((p - f0).Length() + (p - f1).Length()) / 2.0;
    m_ellipse.centre = f0 + f * 0.5;
    m_ellipse.a = a;
    m_ellipse.b = std::sqrt(std::max(0.0, a * a - c * c));
    // One focus twice over is a circle, whose axis may point anywhere.
    if (f.Length() == 0.0)
        f = QvVector(1.0, 0.0);
    f.Normalize();
    m_ellipse.axis = f;
}

// -------------------------------------------------------------- four points

QvFigEllipse4P::QvFigEllipse4P() {
    InitEllipse(4, ToolId);
}

void QvFigEllipse4P::BuildFromPoints() {
    const QvPoint& p0 = m_display[0];
    const QvPoint& p2 = m_display[2];
    QvVector first = m_display[1] - p0;
    QvVector second = m_display[3] - p2;
    QvPoint m0 = p0 + first * 0.5;
    QvPoint m1 = p2 + second * 0.5;
    m_ellipse.centre = QvPoint((m0.x + m1.x) / 2.0, (m0.y + m1.y) / 2.0);
    QvFigEllipse4C::SetAxes(m_ellipse, first * 0.5, second * 0.5);
}

void QvFigEllipse4P::TrackCreatePoint(QvPoint pt, QvKeys) {
    int k = GetClickCount();
    if (k > 3)
        return;
    m_points[k] = pt;
    const QvPoint& d0 = m_points[0];
    const QvPoint& d1 = m_points[1];
    switch (k) {
    case 0:
        m_points[1] = m_points[2] = m_points[3] = pt;
        break;
    case 1:
        m_points[2] = BandPoint(d0, d1, 1.0);
        m_points[3] = BandPoint(d0, d1, -1.0);
        break;
    case 2:
        m_points[3] = BandPoint(d0, d1, -1.0);
        break;
    default:
        if (pt == d1)
            m_points[3] = BandPoint(d0, d1, 1.0);
        break;
    }
    Refresh();
}

bool QvFigEllipse4P::CreateClick() {
    return CountClick(4);
}

void QvFigEllipse4P::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    MovePoint(n, to);
}

QvPoint QvFigEllipse4P::GetPoint(int) const {
    return QvPoint::Far();
}
