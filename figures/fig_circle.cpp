#include "figures/fig_circle.h"

#include "figures/figure_factory.h"
#include "geometry/gr_bezier.h"
#include "geometry/marker.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <utility>

IMPLEMENT_SERIAL(QvEditDataCircle, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigCircleBase, QvFigure, 1)
IMPLEMENT_SERIAL(QvFigCircleCR, QvFigCircleBase, 1)
IMPLEMENT_SERIAL(QvFigCircleD, QvFigCircleBase, 1)
IMPLEMENT_SERIAL(QvFigCircle3C, QvFigCircleBase, 1)
IMPLEMENT_SERIAL(QvFigCircle, QvFigCircleBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigCircle::ToolId, "QvFigCircle", &QvMakeFigure<QvFigCircle>},
    {QvFigCircleCR::ToolId, "QvFigCircleCR", &QvMakeFigure<QvFigCircleCR>},
    {QvFigCircle3C::ToolId, "QvFigCircle3C", &QvMakeFigure<QvFigCircle3C>},
    {QvFigCircleD::ToolId, "QvFigCircleD", &QvMakeFigure<QvFigCircleD>},
});

namespace {
constexpr double kPageHeight = 30000.0;
constexpr double kApexFactor = 0.866025;

void MakeCurve(const QvPoint q[4], QvGRBezierCurve& curve) {
    for (int i = 0; i < 4; ++i)
        curve.AddPoint(q[i]);
    curve.ComputeControlPoints(true, QvFigCircleBase::CircleFactor);
}
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataCircle::Serialize(CArchive& ar) {
    m_version = 1;
    QvEditData::Serialize(ar);
    if (ar.IsStoring()) {
        ar << WORD(m_version) << m_markType;
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) >= m_version)
        ar >> m_markType;
}

QvEditData& QvEditDataCircle::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* circle = dynamic_cast<const QvEditDataCircle*>(&src))
        m_markType = circle->m_markType;
    return *this;
}

// -------------------------------------------------------------------- base

QvFigCircleBase::QvFigCircleBase() {
    m_pShape = &m_circle;
}

void QvFigCircleBase::InitCircle(int points, int toolId) {
    InitPoints(points);
    m_nToolId = toolId;
    m_pShape = &m_circle;
    auto* record = new QvEditDataCircle;
    record->SetFromCurrentStyle();
    record->m_markType = TheSettings().m_CircleDefaults.Centre.GetValue();
    SetEditData(record);
    m_pCircleData = record;
}

void QvFigCircleBase::GetQuadrantPoints(QvPoint q[4]) const {
    QvVector a = RadiusVector();
    QvVector b = a.Perpendicular();
    q[0] = m_circle.centre + a;
    q[1] = m_circle.centre + b;
    q[2] = m_circle.centre - a;
    q[3] = m_circle.centre - b;
}

const std::vector<CPoint>& QvFigCircleBase::FlatOutline() {
    QvPoint q[4];
    GetQuadrantPoints(q);
    const double key[8] = {q[0].x, q[0].y, q[1].x, q[1].y, q[2].x, q[2].y, q[3].x, q[3].y};
    if (!m_outline.made || !std::equal(key, key + 8, m_outline.key)) {
        QvGRBezierCurve curve;
        MakeCurve(q, curve);
        curve.Flatten();
        m_outline.flat.assign(curve.GetFlattenedPoints(),
                              curve.GetFlattenedPoints() + curve.GetFlattenedCount());
        std::copy(key, key + 8, m_outline.key);
        m_outline.made = true;
    }
    return m_outline.flat;
}

void QvFigCircleBase::Draw(CDC* dc, int) {
    BuildFromPoints();
    const std::vector<CPoint>& flat = FlatOutline();
    if (!flat.empty())
        dc->Polyline(flat.data(), int(flat.size()), &m_outline.line);
    if (m_pCircleData)
        QvMarker().Draw(dc, CentreMarkPoint(), m_pCircleData->m_markType);
}

void QvFigCircleBase::DrawFill(CDC* dc, int) {
    // No fill: nothing to flatten or to draw.
    if (dc->GetCurrentBrush()->Log().lbStyle == BS_NULL)
        return;
    if (RebuildBeforeFill())
        BuildFromPoints();
    const std::vector<CPoint>& flat = FlatOutline();
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    if (!flat.empty())
        dc->Polygon(flat.data(), int(flat.size()), &m_outline.fill);
}

void QvFigCircleBase::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

namespace {
QvFigCircleBase::PropertiesDialog& CentreMarkDialog() {
    static QvFigCircleBase::PropertiesDialog s_dialog;
    return s_dialog;
}
} // namespace

QvFigCircleBase::PropertiesDialog QvFigCircleBase::SetPropertiesDialog(PropertiesDialog dialog) {
    return std::exchange(CentreMarkDialog(), std::move(dialog));
}

void QvFigCircleBase::EditCentreMark(QvEditDataCircle& record, bool ellipse) {
    PropertiesDialog& dialog = CentreMarkDialog();
    if (!dialog) {
        MessageBeep(0);
        return;
    }
    LONG mark = record.m_markType;
    if (dialog(mark, ellipse))
        record.m_markType = mark;
}

void QvFigCircleBase::EditProperties(CPoint, CPoint) {
    EditCentreMark(*m_pCircleData, false);
}

QvEditData* QvFigCircleBase::NewEditData() const {
    auto* record = new QvEditDataCircle;
    record->CopyFrom(*GetEditData());
    return record;
}

std::unique_ptr<QvGRBase> QvFigCircleBase::CreateGeometry() const {
    auto circle = std::make_unique<QvGRCircle>();
    *circle = m_circle;
    return circle;
}

CRect QvFigCircleBase::GetBoundRect() {
    QvVector x(1.0, 0.0), y(0.0, 1.0);
    x.SetLength(m_circle.radius);
    y.SetLength(m_circle.radius);
    const QvPoint& c = m_circle.centre;
    QvGRRect box(c - x - y, c + x - y, c + x + y, c - x + y);
    double w = LineStyleWidth();
    box.Inflate(w, w);
    return box.GetBounds();
}

bool QvFigCircleBase::HitTest(QvPoint pt, double tolerance) {
    return m_circle.HitTest(pt, tolerance);
}

QvPoint QvFigCircleBase::GetPoint(int n) const {
    return QvFigure::GetPoint(1 - n);
}

QString QvFigCircleBase::GetDescription() const {
    return QString::asprintf("Circle - Centre (%.2f,%.2f)  Radius %.2f", m_circle.centre.x / 100.0,
                             (kPageHeight - m_circle.centre.y) / 100.0, m_circle.radius / 100.0);
}

void QvFigCircleBase::TrackClickPoint(QvPoint pt) {
    int k = GetClickCount();
    if (k >= m_points.GetSize())
        return;
    m_points[k] = pt;
    m_display[k] = pt;
    if (k == 0 && m_points.GetSize() > 1)
        m_points[1] = pt;
}

bool QvFigCircleBase::CountClick(int points) {
    SetClickCount(GetClickCount() + 1);
    if (GetClickCount() >= points) {
        BuildFromPoints();
        return true;
    }
    return false;
}

void QvFigCircleBase::MovePoint(int n, QvPoint to) {
    if (n < 0 || n >= m_points.GetSize())
        return;
    m_points[n] = to;
    BuildFromPoints();
}

// ------------------------------------------------------ centre and point

QvFigCircleCR::QvFigCircleCR() {
    InitCircle(2, ToolId);
}

void QvFigCircleCR::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

void QvFigCircleCR::BuildFromPoints() {
    m_circle.centre = m_display[0];
    m_circle.radius = (m_display[1] - m_display[0]).Length();
}

QvVector QvFigCircleCR::RadiusVector() const {
    return m_display[1] - m_display[0];
}

QvPoint QvFigCircleCR::CentreMarkPoint() const {
    return m_display[0];
}

void QvFigCircleCR::TrackCreatePoint(QvPoint pt, QvKeys) {
    TrackClickPoint(pt);
    BuildFromPoints();
}

bool QvFigCircleCR::CreateClick() {
    return CountClick(2);
}

void QvFigCircleCR::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    MovePoint(n, to);
}

// ---------------------------------------------------------------- diameter

QvFigCircleD::QvFigCircleD() {
    InitCircle(2, ToolId);
}

void QvFigCircleD::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

void QvFigCircleD::BuildFromPoints() {
    QvVector d = m_display[1] - m_display[0];
    m_circle.centre = m_display[0] + d * 0.5;
    m_circle.radius = d.Length() / 2.0;
}

QvVector QvFigCircleD::RadiusVector() const {
    return (m_display[1] - m_display[0]) * 0.5;
}

QvPoint QvFigCircleD::CentreMarkPoint() const {
    return m_circle.centre;
}

void QvFigCircleD::TrackCreatePoint(QvPoint pt, QvKeys) {
    TrackClickPoint(pt);
    BuildFromPoints();
}

bool QvFigCircleD::CreateClick() {
    return CountClick(2);
}

void QvFigCircleD::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    MovePoint(n, to);
}

// ------------------------------------------------------------ three points

QvFigCircle3C::QvFigCircle3C() {
    InitCircle(3, ToolId);
}

void QvFigCircle3C::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

bool QvFigCircle3C::Circumcentre(const QvPoint& p0, const QvPoint& p1, const QvPoint& p2,
                                 QvPoint* centre) {
    double s0 = p0.x * p0.x + p0.y * p0.y;
    double s1 = p1.x * p1.x + p1.y * p1.y;
    double s2 = p2.x * p2.x + p2.y * p2.y;
    double a1 = 2 * p0.x - 2 * p1.x, b1 = 2 * p0.y - 2 * p1.y, c1 = s0 - s1;
    double a2 = 2 * p0.x - 2 * p2.x, b2 = 2 * p0.y - 2 * p2.y, c2 = s0 - s2;
    double d = b1 * a2 - b2 * a1;
    // Collinear or coinciding points: both solves would divide by zero.
    if (d == 0.0)
        return false;
    double x, y;
    if (a1 != 0.0) {
        y = (a2 * c1 - a1 * c2) / d;
        x = (c1 - b1 * y) / a1;
    } else {
        y = (a1 * c2 - a2 * c1) / (b2 * a1 - b1 * a2);
        x = (c2 - b2 * y) / a2;
    }
    // Nearly on a line: a centre this far off makes a circle whose bounds
    // leave int range, so it counts as no circle.
    constexpr double kFarCentre = 1e8;
    if (!(std::abs(x) <= kFarCentre && std::abs(y) <= kFarCentre))
        return false;
    *centre = QvPoint(x, y);
    return true;
}

void QvFigCircle3C::BuildFromPoints() {
    QvPoint centre;
    if (!Circumcentre(m_display[0], m_display[1], m_display[2], &centre))
        return; // the last circle stands
    double radius = (m_display[1] - centre).Length();
    if (!std::isfinite(radius))
        return;
    m_circle.centre = centre;
    m_circle.radius = radius;
}

bool QvFigCircle3C::IsValid() const {
    QvPoint centre;
    return Circumcentre(m_points[0], m_points[1], m_points[2], &centre);
}

QvVector QvFigCircle3C::RadiusVector() const {
    return m_display[0] - m_circle.centre;
}

void QvFigCircle3C::TrackCreatePoint(QvPoint pt, QvKeys) {
    int k = GetClickCount();
    TrackClickPoint(pt);
    if (k == 1) {
        QvVector a = m_points[1] - m_points[0];
        m_points[2] = m_points[0] + a * 0.5 + a.Perpendicular() * kApexFactor;
    }
    BuildFromPoints();
}

bool QvFigCircle3C::CreateClick() {
    if (GetClickCount() == 2) {
        QvPoint centre;
        if (!Circumcentre(m_points[0], m_points[1], m_points[2], &centre)) {
            // No circle passes through three points on a line.
            MessageBeep(0);
            return false;
        }
    }
    return CountClick(3);
}

void QvFigCircle3C::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    MovePoint(n, to);
}

QvPoint QvFigCircle3C::GetPoint(int) const {
    return QvPoint::Far();
}

// ------------------------------------------------------------------ square

QvFigCircle::QvFigCircle() {
    InitCircle(4, ToolId);
}

void QvFigCircle::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

void QvFigCircle::BuildFromPoints() {
    const QvPoint& p0 = m_display[0];
    m_circle.centre = p0 + (m_display[1] - p0) * 0.5 + (m_display[3] - p0) * 0.5;
    m_circle.radius = (m_display[3] - p0).Length() / 2.0;
}

void QvFigCircle::GetQuadrantPoints(QvPoint q[4]) const {
    for (int i = 0; i < 4; ++i)
        q[i] = m_display[i] + (m_display[(i + 1) % 4] - m_display[i]) * 0.5;
}

void QvFigCircle::TrackCreatePoint(QvPoint pt, QvKeys) {
    int k = GetClickCount();
    if (k < m_display.GetSize())
        m_display[k] = pt;
    if (k == 0) {
        for (int i = 0; i < 4; ++i)
            m_points[i] = pt;
    } else if (k == 2) {
        const QvPoint d0 = m_points[0];
        double dx = pt.x - d0.x, dy = pt.y - d0.y;
        double s = std::min(std::fabs(dx), std::fabs(dy));
        double sx = dx < 0 ? -s : s;
        double sy = dy < 0 ? -s : s;
        m_points[1] = QvPoint(d0.x + sx, d0.y);
        m_points[2] = QvPoint(d0.x + sx, d0.y + sy);
        m_points[3] = QvPoint(d0.x, d0.y + sy);
    }
    BuildFromPoints();
}

bool QvFigCircle::CreateClick() {
    BuildFromPoints();
    if (GetClickCount() == 0) {
        SetClickCount(2);
        return false;
    }
    if (GetClickCount() == 2)
        SetClickCount(3);
    return true;
}

void QvFigCircle::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    QvGRRect box(m_points[0], m_points[1], m_points[2], m_points[3]);
    box.MoveCornerKeepAspect(n, to);
    for (int i = 0; i < 4; ++i)
        m_points[i] = box.corner[i];
    BuildFromPoints();
}

CRect QvFigCircle::GetBoundRect() {
    QvGRRect box(m_display[0], m_display[1], m_display[2], m_display[3]);
    CRect r = box.GetBounds();
    int w = LineStyleWidth();
    r.InflateRect(w, w);
    return r;
}

QvPoint QvFigCircle::GetPoint(int n) const {
    return QvFigure::GetPoint(3 - n);
}
