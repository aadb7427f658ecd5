#include "diagrams/fig_norm.h"

#include "figures/figure_factory.h"
#include "geometry/arrow_head.h"
#include "geometry/gr_rect.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

IMPLEMENT_SERIAL(QvEditDataNorm, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigNorm, QvFigNoRotateRectBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigNorm::ToolId, "QvFigNorm", &QvMakeFigure<QvFigNorm>},
});

namespace {
constexpr LONG kNoFill = ID_FILL_NONE;
constexpr LONG kSolidFill = ID_FILL_SOLID;
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
// Arrowhead sizes are drawn at this many 0.01 mm per unit of the record.
constexpr int kArrowUnit = 20;
// A box of no width still divides.
constexpr double kNoWidth = 0.0001;

QvFigNorm::PropertiesDialog& Dialog() {
    static QvFigNorm::PropertiesDialog s_dialog;
    return s_dialog;
}

CPoint Truncated(double x, double y) {
    return CPoint(int(x), int(y));
}
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataNorm::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    m_version = 1;
    if (ar.IsStoring()) {
        ar << WORD(m_version) << m_bInverse << m_bBaseline << m_byAxis << m_bShade << m_nArrow
           << m_nArrowSize;
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) < 1)
        return;
    ar >> m_bInverse >> m_bBaseline >> m_byAxis >> m_bShade >> m_nArrow >> m_nArrowSize;
}

QvEditData& QvEditDataNorm::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* norm = dynamic_cast<const QvEditDataNorm*>(&src)) {
        m_bInverse = norm->m_bInverse;
        m_bBaseline = norm->m_bBaseline;
        m_byAxis = norm->m_byAxis;
        m_bShade = norm->m_bShade;
        m_nArrow = norm->m_nArrow;
        m_nArrowSize = norm->m_nArrowSize;
    }
    return *this;
}

// ------------------------------------------------------------------ figure

QvFigNorm::PropertiesDialog QvFigNorm::SetPropertiesDialog(PropertiesDialog dialog) {
    return std::exchange(Dialog(), std::move(dialog));
}

QvFigNorm::QvFigNorm() {
    InitPoints(6);
    m_nRoundGrips = 2;
    m_nToolId = ToolId;
    auto* record = new QvEditDataNorm;
    record->SetFromCurrentStyle();
    const QvNormDistDefaults& d = TheSettings().m_NormDistDefaults;
    record->m_nArrow = d.Arrow.GetValue();
    record->m_nArrowSize = BYTE(d.Arrow_Size.GetValue());
    record->m_bInverse = d.Inverse.GetValue() ? 1 : 0;
    record->m_bShade = d.Shade.GetValue() ? 1 : 0;
    record->m_byAxis = d.yAxis.GetValue() ? 1 : 0;
    record->m_bBaseline = d.Baseline.GetValue() ? 1 : 0;
    if (record->m_fillColor == 0)
        record->m_fillColor = kLightGrey;
    SetEditData(record);
    m_pNormData = record;
    BuildFromPoints();
}

void QvFigNorm::Edges(double& left, double& right, double& width) const {
    left = std::min(m_points[0].x, m_points[1].x);
    right = std::max(m_points[0].x, m_points[1].x);
    width = right - left;
    if (width == 0.0)
        width = kNoWidth;
}

double QvFigNorm::ToDeviations(double x) const {
    double left, right, width;
    Edges(left, right, width);
    return std::floor(((x - left) / width * 8.0 - 4.0) * 100.0 + 0.5) / 100.0;
}

double QvFigNorm::FromDeviations(double z) const {
    double left, right, width;
    Edges(left, right, width);
    return (z + 4.0) / 8.0 * width + left;
}

namespace {
// Whole units toward zero, held inside int range (a box read from a file
// may be far wider than any page).
int Whole(double v) {
    if (!(v == v))
        return 0;
    return int(std::clamp(v, double(INT_MIN), double(INT_MAX)));
}
} // namespace

void QvFigNorm::Measure(bool yUp, int k) {
    const QvEditDataNorm& d = *m_pNormData;
    const double left = std::min(m_display[0].x, m_display[1].x);
    const double right = std::max(m_display[0].x, m_display[1].x);
    const double low = std::min(m_display[0].y, m_display[3].y);
    const double high = std::max(m_display[0].y, m_display[3].y);
    const double bottom = yUp ? low : high;
    const double top = yUp ? high : low;
    const int s = yUp ? 1 : -1;
    const bool arrows = d.m_nArrow != QvEditDataNorm::NoArrowHead;

    // The baseline rises by one arrowhead size so its heads stay inside.
    double yb = bottom;
    if (d.m_bBaseline && arrows)
        yb = bottom + (d.m_nArrowSize * k / 5) * s;
    m_reference[BaselineLeft] = QvPoint(left, yb);
    m_reference[BaselineRight] = QvPoint(right, yb);
    m_reference[Apex] = QvPoint(left + (right - left) / 2, top);
    m_reference[Foot] = QvPoint(m_reference[Apex].x, yb);
    m_nWidth = Whole(right - left);
    m_nHeight = Whole(top - yb);
    // The peak leaves room for the axis's head.
    if (d.m_byAxis)
        m_nHeight = arrows ? Whole(m_nHeight - d.m_nArrowSize * k * 0.6 * s)
                           : Whole(m_nHeight - 2.0 * k * s);
}

double QvFigNorm::Density(double x) const {
    if (m_nWidth == 0)
        return 0.0;
    const double z = 8.0 * x / m_nWidth - 4.0;
    return m_nHeight * std::exp(-0.5 * z * z);
}

void QvFigNorm::Draw(CDC* dc, int mode) {
    const int mapMode = dc->GetMapMode();
    const int k = mapMode == MM_TEXT ? 1 : 100;
    Measure(mapMode == MM_HIMETRIC, k);
    if (mode == QvDrawMode::Highlight || mode == QvDrawMode::White2)
        return;
    const QvEditDataNorm& d = *m_pNormData;
    const QvPoint l = m_reference[BaselineLeft], r = m_reference[BaselineRight];
    const double left = l.x, yb = l.y;

    // One sample per millimetre (per unit where units are pixels).
    const int n = std::max(0, m_nWidth / k);
    m_samples.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        m_samples[size_t(i)] = Truncated(left + i * k, yb + Density(i * k));
    if (n > 0)
        dc->Polyline(m_samples.data(), n);

    if (d.m_bBaseline) {
        dc->MoveTo(Truncated(l.x, l.y));
        dc->LineTo(Truncated(r.x, r.y));
    }

    if (d.m_bShade && n > 0) {
        // Bounds typed beyond the ends (any number is taken) shade only as
        // far as the curve is drawn.
        const double last = left + double(n - 1) * k;
        const auto drawn = [&](double x) { return x > left ? std::min(x, last) : left; };
        const double lo = drawn(m_display[4].x), hi = drawn(m_display[5].x);
        const auto base = [&](double x) { return Truncated(x, yb); };
        const auto curve = [&](double x) { return Truncated(x, yb + Density(x - left)); };
        auto& poly = m_polygon;
        auto fill = [&] {
            dc->Polygon(poly.data(), int(poly.size()));
            poly.clear();
        };
        poly.clear();
        if (!d.m_bInverse) {
            poly.push_back(base(hi));
            poly.push_back(base(lo));
            poly.push_back(curve(lo));
            for (const CPoint& p : m_samples)
                if (p.x >= lo && p.x <= hi)
                    poly.push_back(p);
            poly.push_back(curve(hi));
            fill();
        } else {
            poly.push_back(base(lo));
            for (const CPoint& p : m_samples)
                if (p.x <= lo)
                    poly.push_back(p);
            poly.push_back(curve(lo));
            fill();
            poly.push_back(base(hi));
            poly.push_back(curve(hi));
            for (const CPoint& p : m_samples)
                if (p.x >= hi)
                    poly.push_back(p);
            fill();
        }
    }

    // The baseline's heads show whether the baseline does or not.
    QvArrowHead head;
    const int size = d.m_nArrowSize * kArrowUnit;
    head.Draw(dc, l, r, d.m_nArrow, size, FALSE);
    head.Draw(dc, r, l, d.m_nArrow, size, FALSE);

    if (d.m_byAxis) {
        const QvPoint t = m_reference[Apex], f = m_reference[Foot];
        dc->MoveTo(Truncated(t.x, t.y));
        dc->LineTo(Truncated(f.x, f.y));
        head.Draw(dc, t, f, d.m_nArrow, size, FALSE);
    }
}

void QvFigNorm::DrawMapped(CDC* dc, int mode, const QvGRRect& frame, const CRect& offset) {
    // The shading is never empty; the figure keeps the style it was given.
    const LONG fill = m_pNormData->m_fillStyle;
    if (fill == kNoFill)
        m_pNormData->m_fillStyle = kSolidFill;
    QvFigNoRotateRectBase::DrawMapped(dc, mode, frame, offset);
    m_pNormData->m_fillStyle = fill;
}

void QvFigNorm::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigNorm::NewEditData() const {
    auto* record = new QvEditDataNorm;
    record->CopyFrom(*m_pNormData);
    return record;
}

void QvFigNorm::EditProperties(CPoint, CPoint) {
    PropertiesDialog& dialog = Dialog();
    if (!dialog) {
        MessageBeep(0);
        return;
    }
    QvEditDataNorm& d = *m_pNormData;
    QvNormProperties values;
    values.arrowSize = d.m_nArrowSize / 2;
    values.arrowCode = d.m_nArrow;
    values.yAxis = d.m_byAxis;
    values.baseline = d.m_bBaseline;
    values.low = ToDeviations(m_points[4].x);
    values.high = ToDeviations(m_points[5].x);
    values.shading = !d.m_bShade ? 0 : d.m_bInverse ? 2 : 1;
    if (!dialog(values))
        return;
    d.m_nArrowSize = BYTE(std::clamp(values.arrowSize * 2, 0, 255));
    d.m_nArrow = values.arrowCode;
    d.m_byAxis = values.yAxis ? 1 : 0;
    d.m_bBaseline = values.baseline ? 1 : 0;
    m_points[4].x = FromDeviations(values.low);
    m_points[5].x = FromDeviations(values.high);
    if (values.shading == 0) {
        d.m_bShade = 0;
    } else if (values.shading == 1 || values.shading == 2) {
        d.m_bShade = 1;
        d.m_bInverse = values.shading == 2 ? 1 : 0;
    }
    m_display[4].x = m_points[4].x;
    m_display[5].x = m_points[5].x;
    BuildFromPoints();
}

void QvFigNorm::BoundFractions(double& u4, double& u5) const {
    double left, right, width;
    Edges(left, right, width);
    u4 = (m_points[4].x - left) / width;
    u5 = (m_points[5].x - left) / width;
}

void QvFigNorm::PlaceBounds(double u4, double u5) {
    double left, right, width;
    Edges(left, right, width);
    m_points[4] = QvPoint(left + u4 * width, m_points[0].y);
    m_points[5] = QvPoint(left + u5 * width, m_points[0].y);
}

void QvFigNorm::MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) {
    double left, right, width;
    Edges(left, right, width);
    if (n >= 0 && n <= 3) {
        double u4, u5;
        BoundFractions(u4, u5);
        QvFigNoRotateRectBase::MoveHandle(n, to, second, keys);
        PlaceBounds(u4, u5);
    } else if (n == 4) {
        m_points[4].x = std::min(std::max(to.x, left), m_points[5].x);
    } else if (n == 5) {
        m_points[5].x = std::max(std::min(to.x, right), m_points[4].x);
    }
    BuildFromPoints();
}

void QvFigNorm::Rotate(double degrees, QvPoint centre) {
    double u4, u5;
    BoundFractions(u4, u5);
    QvFigNoRotateRectBase::Rotate(degrees, centre);
    PlaceBounds(u4, u5);
    MapToFrame(NullFrame);
    BuildFromPoints();
}

void QvFigNorm::Reflect(const QvGRLine& mirror) {
    double u4, u5;
    BoundFractions(u4, u5);
    const bool leftFirst = m_points[0].x <= m_points[1].x;
    QvFigNoRotateRectBase::Reflect(mirror);
    // A mirror that swaps the box's sides mirrors the bounds about the mean.
    if ((m_points[0].x <= m_points[1].x) != leftFirst)
        PlaceBounds(1.0 - u5, 1.0 - u4);
    else
        PlaceBounds(u4, u5);
    BuildFromPoints();
}

void QvFigNorm::TrackCreatePoint(QvPoint pt, QvKeys keys) {
    QvFigRectBase::TrackCreatePoint(pt, keys);
    if (m_nClicks != Pressed)
        return;
    double left, right, width;
    Edges(left, right, width);
    m_points[4] = QvPoint(left + 0.375 * width, m_points[0].y);
    m_points[5] = QvPoint(left + 0.625 * width, m_points[0].y);
    m_display[4] = m_points[4];
    m_display[5] = m_points[5];
    BuildFromPoints();
}

void QvFigNorm::BuildFromPoints() {
    QvFigNoRotateRectBase::BuildFromPoints();
    Measure(true, 100);
}

QvPoint QvFigNorm::GetPoint(int n) const {
    // The bounds are real points, so a bound's drag snaps from where it is.
    if (n == 4 || n == 5)
        return m_display[n];
    return QvFigNoRotateRectBase::GetPoint(n);
}

QString QvFigNorm::GetDescription() const {
    return QStringLiteral("Normal Distribution Curve");
}
