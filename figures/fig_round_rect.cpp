#include "figures/fig_round_rect.h"

#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

IMPLEMENT_SERIAL(QvEditDataRoundRect, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigRoundRect, QvFigRectBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigRoundRect::ToolId, "QvFigRoundRect", &QvMakeFigure<QvFigRoundRect>},
});

namespace {
// Corner 0 plus the first side at `length`.
QvPoint OnFirstSide(const QvPointArray& p, double length) {
    QvVector w = p[1] - p[0];
    w.SetLength(length);
    return p[0] + w;
}

// A radius from a length: whole 0.01 mm, less a rounding error's worth, so
// that a length made from the radius gives the radius back.
LONG WholeUnits(double length) {
    return LONG(std::floor(length + 1e-6));
}

void AppendFlattened(QvGRBezierCurve& curve, bool reversed, std::vector<CPoint>& out) {
    curve.Flatten();
    const CPoint* p = curve.GetFlattenedPoints();
    const int n = curve.GetFlattenedCount();
    for (int i = 0; i < n; ++i)
        out.push_back(p[reversed ? n - 1 - i : i]);
}

// The outline once round: corners 0 and 2 run from their second side to
// their first, so each corner ends where the next side starts.  It starts
// halfway round corner 0, so that the closing edge is a piece of a curve:
// a straight side there would not be held to whole pixels as the others
// are.
std::vector<CPoint> OutlinePoints(QvGRRoundRect outline) {
    std::vector<CPoint> points;
    AppendFlattened(outline.corners[0], true, points);
    const size_t half = points.size() / 2;
    for (int k = 1; k < 4; ++k)
        AppendFlattened(outline.corners[k], k % 2 == 0, points);
    std::rotate(points.begin(), points.begin() + std::ptrdiff_t(half), points.end());
    return points;
}
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataRoundRect::Serialize(CArchive& ar) {
    m_version = 1;
    QvEditData::Serialize(ar);
    if (ar.IsStoring()) {
        ar << WORD(m_version) << m_radius;
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) >= 1)
        ar >> m_radius;
}

QvEditData& QvEditDataRoundRect::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* round = dynamic_cast<const QvEditDataRoundRect*>(&src))
        m_radius = round->m_radius;
    return *this;
}

// ------------------------------------------------------------------ figure

QvFigRoundRect::QvFigRoundRect() {
    InitPoints(5);
    m_nRoundGrips = 1;
    m_nToolId = ToolId;
    auto* record = new QvEditDataRoundRect;
    record->SetFromCurrentStyle();
    record->m_radius = TheSettings().m_RoundRectRadius.GetValue();
    SetEditData(record);
    m_pRoundData = record;
    m_pShape = &m_round;
}

QvGRRoundRect QvFigRoundRect::DrawnOutline() const {
    QvGRRoundRect outline;
    // A negative radius (from a damaged file) would turn the corners inside
    // out.
    const double radius = std::max<LONG>(0, m_pRoundData->m_radius);
    outline.Build(m_display[0], m_display[1], m_display[3], m_display[2], radius);
    return outline;
}

void QvFigRoundRect::Draw(CDC* dc, int) {
    // One closed stroke with one pen: the corners meet the sides as the pen
    // joins them, with no gaps or stubs, and are smoothed as the sides are.
    const std::vector<CPoint> points = OutlinePoints(DrawnOutline());
    if (points.size() < 2)
        return;
    CDCSelect<CBrush> hollow(dc, NULL_BRUSH);
    dc->Polygon(points.data(), int(points.size()));
}

void QvFigRoundRect::DrawFill(CDC* dc, int) {
    const std::vector<CPoint> points = OutlinePoints(DrawnOutline());
    if (points.size() < 3)
        return;
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    dc->Polygon(points.data(), int(points.size()));
}

void QvFigRoundRect::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigRoundRect::NewEditData() const {
    auto* record = new QvEditDataRoundRect;
    record->CopyFrom(*m_pRoundData);
    return record;
}

void QvFigRoundRect::EditProperties(CPoint, CPoint) {
    if (!PropertiesDialog::Available())
        return;
    int millimetres = int(m_pRoundData->m_radius / 100);
    if (!PropertiesDialog::Run(millimetres))
        return;
    m_pRoundData->m_radius = LONG(std::max(0, millimetres)) * 100;
    // Drawing holds a large radius to the sides; the handle shows the
    // radius as given.
    m_points[4] = OnFirstSide(m_points, m_pRoundData->m_radius);
    m_display[4] = OnFirstSide(m_display, m_pRoundData->m_radius);
    BuildFromPoints();
}

void QvFigRoundRect::AddShapes(QvShapeList& list, int part) {
    if (m_bDeleted)
        return;
    const QvGRRoundRect outline = DrawnOutline();
    for (int k = 0; k < PartCount; ++k) {
        if (part != -1 && part != k)
            continue;
        QvShapeRecord record;
        if (k < 4)
            record.SetShape(std::make_unique<QvGRLine>(outline.edges[k]));
        else
            record.SetShape(outline.corners[k - 4].Clone());
        record.figure = this;
        record.index1 = k;
        list.Add(std::move(record));
    }
}

bool QvFigRoundRect::HitTest(QvPoint pt, double tolerance) {
    return m_round.HitTest(pt, tolerance);
}

void QvFigRoundRect::PlaceHandle(double length) {
    m_points[4] = OnFirstSide(m_points, length);
}

void QvFigRoundRect::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n < 0 || n > 4)
        return;
    if (n < 4) {
        QvGRRect rect(m_points[0], m_points[1], m_points[2], m_points[3]);
        rect.MoveCorner(n, to);
        for (int i = 0; i < 4; ++i)
            m_points[i] = rect.corner[i];
    } else {
        // The foot on the line of the first side.
        const QvPoint foot = QvGRLine(m_points[0], m_points[1]).NearestPoint(to);
        m_points[4] = foot;
        m_pRoundData->m_radius = WholeUnits((foot - m_points[0]).Length());
    }
    const double half = (m_points[1] - m_points[0]).Length() / 2.0;
    const double radius = half <= m_pRoundData->m_radius ? half : double(m_pRoundData->m_radius);
    PlaceHandle(radius);
    m_pRoundData->m_radius = WholeUnits(radius);
    BuildFromPoints();
}

void QvFigRoundRect::TrackCreatePoint(QvPoint pt, QvKeys) {
    if (m_nClicks == 0) {
        for (int i = 0; i < 5; ++i)
            m_points[i] = pt;
    } else if (m_nClicks == Pressed) {
        m_points[2] = pt;
        m_points[1].x = pt.x;
        m_points[3].y = pt.y;
        // On the figure whichever way it is dragged: on the first side, at
        // most half of it from corner 0.  The radius itself stays.
        const double half = (m_points[1] - m_points[0]).Length() / 2.0;
        PlaceHandle(std::min(half, double(m_pRoundData->m_radius)));
    }
    for (int i = 0; i < 5; ++i)
        m_display[i] = m_points[i];
    BuildFromPoints();
}

bool QvFigRoundRect::CreateClick() {
    BuildFromPoints();
    if (m_nClicks == 0) {
        m_nClicks = Pressed;
        return false;
    }
    m_nClicks = 4;
    return true;
}

void QvFigRoundRect::BuildFromPoints() {
    // The rectangle base's frame is the figure's rectangle: what the snap
    // search and other figures see as its geometry.
    QvFigRectBase::BuildFromPoints();
    m_round.Build(m_display[0], m_display[1], m_display[3], m_display[2],
                  std::max<LONG>(0, m_pRoundData->m_radius));
}

QString QvFigRoundRect::GetDescription() const {
    const double width = std::fabs(std::trunc(m_display[1].x - m_display[0].x)) / 100.0;
    const double height = std::fabs(std::trunc(m_display[3].y - m_display[0].y)) / 100.0;
    return QString::asprintf("Rounded Rectangle - %.2f by %.2f, radius %.2f", width, height,
                             m_pRoundData->m_radius / 100.0);
}
