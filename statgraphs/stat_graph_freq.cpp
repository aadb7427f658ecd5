// The frequency polygon: one filled polygon per column through the
// frequency of each value, or of each class at its midpoint.
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_freq_graphs.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"

#include <algorithm>

namespace {
constexpr double E = QvStatEmpty;
} // namespace

QvFreqPlan QvPlanPolygon(QvStatData& data) {
    const QvStatProperties& p = data.properties;
    QvFreqPlan plan;
    QvCollectFreqSeries(data, plan, false);
    double xmin = E, xmax = -E;
    int largest = 0;
    double share = 0.0;
    for (int k = 0; k < plan.seriesCount; ++k) {
        const QvFreqSeries& s = plan.series[k];
        if (!s.column || s.n <= 0)
            continue;
        const QvStatColumn& c = *s.column;
        plan.hasData = true;
        for (const QvStatCell& e : c.classes) {
            if (e.value == E)
                continue;
            largest = std::max(largest, e.count);
            share = std::max(share, double(e.count) / s.n);
        }
        xmin = std::min(xmin, c.min - 2 * s.gap);
        xmax = std::max(xmax, c.max + 2 * s.gap);
    }
    const int kind = p.FreqPoly_ShowFreq;
    plan.xmin = xmin == E ? 0.0 : xmin;
    plan.xmax = xmax == -E ? 1.0 : xmax;
    plan.ymin = 0.0;
    plan.ymax = kind == 1 ? 100.0 * share : kind == 2 ? share : double(largest);
    QvApplyFixedLimits(p, plan.hasData, plan.xmin, plan.xmax, plan.ymin, plan.ymax);
    return plan;
}

int QvPolygonPoints(const QvFreqSeries& s, int kind, bool joinEnds, QvFreqPoint* out) {
    if (!s.column)
        return 0;
    const QvStatColumn& c = *s.column;
    const bool group = c.type == QvStatColumn::Group;
    const double d = QvFreqDivisor(kind, s.n);
    int count = 0;
    // An empty table has no point to start from.
    if (c.classes[0].value == E)
        return 0;
    if (joinEnds)
        out[count++] = {c.classes[0].value - s.gap / 2, 0.0, true};
    int last = -1;
    for (int i = 0; i < QvStatColumn::Rows; ++i) {
        const QvStatCell& e = c.classes[size_t(i)];
        if (e.value == E)
            continue;
        const double x = group ? (QvGroupUpperBound(c, i) + e.value) / 2 : e.value;
        out[count++] = {x, e.count / d, false};
        last = i;
    }
    if (joinEnds) {
        const double end = group ? QvGroupUpperBound(c, last) : c.classes[size_t(last)].value;
        out[count++] = {end + s.gap / 2, 0.0, false};
    }
    return count;
}

void QvStatGraphFreq::Draw(CDC* dc, CRect rect) {
    if (!m_pData)
        return;
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const LOGPEN entry = dc->GetCurrentPen()->Log();
    rect.top = QvStatDrawTitle(dc, rect, p);
    const int right = p.FreqPoly_Legend ? QvStatDrawLegend(dc, rect, rect.top, &data) : rect.right;
    const QvFreqPlan plan = QvPlanPolygon(data);
    QvStatXYAxes frame;
    frame.Layout(rect.left, rect.top, right, rect.bottom, plan.xmin, plan.xmax, plan.ymin,
                 plan.ymax, &data, dc);
    frame.DrawGrid(dc);
    const int kind = p.FreqPoly_ShowFreq;
    QvFreqPoint values[QvFreqPointCapacity];
    CPoint points[QvFreqPointCapacity];
    for (int k = 0; k < plan.seriesCount; ++k) {
        const int count = QvFreqPointsToPositions(
            frame, values, QvPolygonPoints(plan.series[k], kind, p.FreqPoly_ShowEnds != 0, values),
            points);
        // A single point encloses nothing.
        if (count < 2)
            continue;
        CPen pen(int(entry.lopnStyle), entry.lopnWidth.x, QvSeriesLineColor(p, k));
        CBrush brush(QvSeriesBrush(p, k));
        dc->SelectObject(&brush);
        dc->SelectObject(&pen);
        dc->Polygon(points, count);
        dc->SelectStockObject(BLACK_PEN);
        dc->SelectStockObject(BLACK_BRUSH);
    }
    frame.DrawAxes(dc);
}
