// The cumulative frequency graph: one line of running totals per column,
// level to the right end of the x axis, ending in an arrowhead.
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

double QvFreqDivisor(int kind, int n) {
    const double d = kind == 1 ? n / 100.0 : kind == 2 ? double(n) : 1.0;
    return d == 0.0 ? 1.0 : d;
}

int QvCollectFreqSeries(QvStatData& data, QvFreqPlan& plan, bool cumulative) {
    const QvStatProperties& p = data.properties;
    plan.seriesCount = 0;
    for (int slot = 0; slot < QvStatProperties::Series; ++slot) {
        if (p.dc[size_t(slot)] == -1)
            continue;
        QvFreqSeries& s = plan.series[plan.seriesCount++];
        s = QvFreqSeries();
        QvStatColumn* c = data.Column(p.dc[size_t(slot)]);
        if (!c)
            continue;
        s.column = c;
        c->Recalc();
        s.n = c->n;
        if (cumulative)
            c->BuildCumulativeFrequencyTable(0.0);
        else
            c->BuildFrequencyTable(0.0);
        // Building the table works on the cells as values; a group column's
        // statistics are of its class midpoints, so they are put back.
        if (c->type == QvStatColumn::Group)
            c->Recalc();
        double gap = E;
        int entries = 0;
        for (int i = 0; i < QvStatColumn::Rows && c->classes[size_t(i)].value != E; ++i) {
            if (i > 0)
                gap = std::min(gap, c->classes[size_t(i)].value - c->classes[size_t(i - 1)].value);
            ++entries;
        }
        s.gap = entries < 2 ? 0.0 : gap;
    }
    return plan.seriesCount;
}

QvFreqPlan QvPlanCumulative(QvStatData& data) {
    const QvStatProperties& p = data.properties;
    QvFreqPlan plan;
    QvCollectFreqSeries(data, plan, true);
    double xmin = E, xmax = -E;
    int largest = 0;
    for (int k = 0; k < plan.seriesCount; ++k) {
        const QvFreqSeries& s = plan.series[k];
        // A column without observations has no extent to show.
        if (!s.column || s.n <= 0)
            continue;
        const QvStatColumn& c = *s.column;
        plan.hasData = true;
        xmax = std::max(xmax, c.max);
        xmin = std::min(xmin, c.min);
        for (const QvStatCell& e : c.classes) {
            if (e.value != E)
                largest = std::max(largest, e.count);
        }
        const double g = s.gap;
        if (g < xmin)
            xmin = std::min(xmin, c.min - 2 * g);
        const double pad = std::max(2 * g, xmax / 16);
        xmax = std::max(xmax, c.max + pad);
    }
    const int kind = p.CFGraph_ShowFreq;
    plan.xmin = xmin == E ? 0.0 : xmin;
    plan.xmax = xmax == -E ? 1.0 : xmax;
    plan.ymin = 0.0;
    plan.ymax = kind == 1 ? 100.0 : kind == 2 ? 1.0 : double(largest);
    QvApplyFixedLimits(p, plan.hasData, plan.xmin, plan.xmax, plan.ymin, plan.ymax);
    return plan;
}

int QvCumulativePoints(const QvFreqSeries& s, int kind, double xmax, QvFreqPoint* out) {
    if (!s.column)
        return 0;
    const QvStatColumn& c = *s.column;
    const bool group = c.type == QvStatColumn::Group;
    const double d = QvFreqDivisor(kind, s.n);
    const QvStatCell& first = c.classes[0];
    // A group column's line rises from its lowest lower bound; a column of
    // values' from one gap before its first value.
    const double x0 = first.value == E ? 0.0 : group ? first.value : first.value - s.gap;
    int count = 0;
    out[count++] = {x0, 0.0, true};
    int last = -1;
    for (int i = 0; i < QvStatColumn::Rows; ++i) {
        const QvStatCell& e = c.classes[size_t(i)];
        if (e.value == E)
            continue;
        out[count++] = {group ? QvGroupUpperBound(c, i) : e.value, e.count / d, false};
        last = i;
    }
    out[count++] = {xmax, last < 0 ? 0.0 : c.classes[size_t(last)].count / d, false};
    return count;
}

int QvFreqPointsToPositions(QvStatXYAxes& frame, const QvFreqPoint* values, int count,
                            CPoint* out) {
    int made = 0;
    for (int i = 0; i < count; ++i) {
        const int x = frame.axisX.ValueToPos(values[i].x);
        const int y = frame.axisY.ValueToPos(values[i].y);
        // A point the axes cannot place is left out and its neighbours
        // joined; the start point stays wherever it lands.
        if (values[i].kept || (x != -1 && y != -1))
            out[made++] = CPoint(x, y);
    }
    return made;
}

void QvStatGraphCum::Draw(CDC* dc, CRect rect) {
    if (!m_pData)
        return;
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const LOGPEN entry = dc->GetCurrentPen()->Log();
    rect.top = QvStatDrawTitle(dc, rect, p);
    const int right = p.CFPlot_Legend ? QvStatDrawLegend(dc, rect, rect.top, &data) : rect.right;
    const QvFreqPlan plan = QvPlanCumulative(data);
    QvStatXYAxes frame;
    frame.Layout(rect.left, rect.top, right, rect.bottom, plan.xmin, plan.xmax, plan.ymin,
                 plan.ymax, &data, dc);
    frame.DrawGrid(dc);
    const int kind = p.CFGraph_ShowFreq;
    QvFreqPoint values[QvFreqPointCapacity];
    CPoint points[QvFreqPointCapacity];
    for (int k = 0; k < plan.seriesCount; ++k) {
        const int count = QvFreqPointsToPositions(
            frame, values, QvCumulativePoints(plan.series[k], kind, plan.xmax, values), points);
        if (count == 0)
            continue;
        CPen pen(int(entry.lopnStyle), entry.lopnWidth.x, QvSeriesLineColor(p, k));
        CBrush brush(QvSeriesBrush(p, k));
        dc->SelectObject(&brush);
        dc->SelectObject(&pen);
        dc->Polyline(points, count);
        const CPoint tip = points[count - 1];
        const int rise = int(40 * QvStatYFactor(dc));
        dc->MoveTo(tip);
        dc->LineTo(tip.x - 80, tip.y + rise);
        dc->MoveTo(tip);
        dc->LineTo(tip.x - 80, tip.y - rise);
        dc->SelectStockObject(BLACK_PEN);
        dc->SelectStockObject(BLACK_BRUSH);
    }
    dc->SelectStockObject(BLACK_PEN);
    dc->SelectStockObject(BLACK_BRUSH);
    frame.DrawAxes(dc);
}
