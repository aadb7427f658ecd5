// The histogram: one column as bars over its classes, or two columns back
// to back with the classes up the middle.
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_freq_graphs.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"

#include <algorithm>

namespace {

constexpr double E = QvStatEmpty;

// A group row is a class when its text holds an upper bound above its lower
// bound; any other row has no bar and no width.
bool GroupClass(const QvStatCell& c, double* upper) {
    if (c.value == E)
        return false;
    const double hi = QvTextToNumber(c.text);
    if (hi == QvNoNumber || !(hi > c.value))
        return false;
    *upper = hi;
    return true;
}

// Frequencies of a group column scale to the narrowest class, so that
// areas, not heights, compare.
void MeasureGroup(QvHistoSeries& s) {
    double wmin = 1e17;
    double hi = 0.0;
    for (const QvStatCell& c : s.column->cells) {
        if (GroupClass(c, &hi))
            wmin = std::min(wmin, hi - c.value);
    }
    double largest = 0.0;
    for (const QvStatCell& c : s.column->cells) {
        if (GroupClass(c, &hi))
            largest = std::max(largest, std::max(c.count, 0) * wmin / (hi - c.value));
    }
    s.wmin = wmin;
    s.largest = largest;
    s.largestShare = s.n > 0 ? largest / s.n : 0.0;
}

void MeasureClasses(QvHistoSeries& s, double w) {
    int largest = 0;
    for (const QvStatCell& c : s.column->classes) {
        if (c.value != E)
            largest = std::max(largest, c.count);
    }
    s.wmin = w;
    s.largest = largest;
    s.largestShare = s.n > 0 ? double(largest) / s.n : 0.0;
}

double Extent(const QvHistoSeries& s, int kind) {
    return s.largest / QvHistoDivisor(kind, s.n, s.wmin);
}

QvHistoSeries Start(QvStatColumn* column) {
    QvHistoSeries s;
    s.column = column;
    s.group = column->type == QvStatColumn::Group;
    column->Recalc();
    s.n = column->n;
    return s;
}

} // namespace

double QvHistoDivisor(int kind, int n, double wmin) {
    double d = 1.0;
    switch (kind) {
    case 1:
        d = n / 100.0;
        break;
    case 2:
        d = n;
        break;
    case 3:
        d = wmin;
        break;
    default:
        break;
    }
    return d == 0.0 ? 1.0 : d;
}

QvHistoPlan QvPlanHistogram(QvStatData& data) {
    QvStatProperties& p = data.properties;
    QvHistoPlan plan;
    QvStatColumn* first = data.Column(p.dc[0]);
    if (!first)
        return plan;
    const int kind = p.Histo_ShowFreq;
    // The options page offers 1 to 100; a stored 0 or less still groups.
    const int groups = std::max(p.NumberGroups, 1);
    QvStatColumn* second = p.dc[1] == -1 ? nullptr : data.Column(p.dc[1]);
    if (!second) {
        plan.seriesCount = 1;
        QvHistoSeries& s = plan.series[0];
        s = Start(first);
        if (s.group) {
            MeasureGroup(s);
            // Without observations a group column has no bounds either.
            if (s.n > 0) {
                plan.xmin = first->min;
                plan.xmax = first->max;
            }
        } else {
            first->GroupByCount(std::min(groups, first->rowsWithCount));
            const QvStatCell& c = first->classes[0];
            // An empty column forms no class: x runs from 0 to 1.
            const double w = c.value == E ? 0.0 : QvTextToNumber(c.text) - c.value;
            if (c.value != E) {
                plan.xmin = first->min - 1.5 * w;
                plan.xmax = first->max + 1.5 * w;
            }
            MeasureClasses(s, w);
        }
        plan.hasData = s.n > 0;
        plan.ymin = 0.0;
        plan.ymax = Extent(s, kind);
    } else {
        plan.backToBack = true;
        plan.seriesCount = 2;
        QvStatColumn* columns[2] = {first, second};
        double lo = 0.0, hi = 0.0;
        bool any = false;
        for (int k = 0; k < 2; ++k) {
            plan.series[k] = Start(columns[k]);
            // An empty column's minimum and maximum mean nothing.
            if (plan.series[k].n <= 0)
                continue;
            lo = any ? std::min(lo, columns[k]->min) : columns[k]->min;
            hi = any ? std::max(hi, columns[k]->max) : columns[k]->max;
            any = true;
        }
        double w = QvStatColumn::NiceClassWidth(lo, hi, groups);
        // Every value equal: no spread to divide, one class a unit wide.
        if (!(w > 0.0))
            w = 1.0;
        hi += w;
        lo -= w;
        for (QvHistoSeries& s : plan.series) {
            if (s.group) {
                MeasureGroup(s);
            } else {
                s.column->GroupByWidth(w);
                MeasureClasses(s, w);
            }
            plan.hasData = plan.hasData || s.n > 0;
        }
        if (lo > 0)
            lo -= w;
        hi += w;
        plan.xmin = -Extent(plan.series[0], kind);
        plan.xmax = Extent(plan.series[1], kind);
        if (plan.xmax == 0)
            plan.xmax = 1;
        if (plan.xmin == 0)
            plan.xmin = -1;
        plan.ymin = lo;
        plan.ymax = hi;
    }
    QvApplyFixedLimits(p, plan.hasData, plan.xmin, plan.xmax, plan.ymin, plan.ymax);
    return plan;
}

int QvHistoBars(const QvHistoSeries& s, int kind, bool backToBack, QvHistoBar* out) {
    const double d = QvHistoDivisor(kind, s.n, s.wmin);
    int count = 0;
    if (s.group) {
        double hi = 0.0;
        for (const QvStatCell& c : s.column->cells) {
            if (GroupClass(c, &hi))
                out[count++] = {c.value, hi, std::max(c.count, 0) * s.wmin / (hi - c.value) / d};
        }
        return count;
    }
    for (const QvStatCell& c : s.column->classes) {
        if (c.value == E || (c.count == 0 && !backToBack))
            continue;
        out[count++] = {c.value, QvTextToNumber(c.text), c.count / d};
    }
    return count;
}

void QvStatGraphHisto::Draw(CDC* dc, CRect rect) {
    if (!m_pData)
        return;
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const LOGPEN entry = dc->GetCurrentPen()->Log();
    rect.top = QvStatDrawTitle(dc, rect, p);
    const QvHistoPlan plan = QvPlanHistogram(data);
    // No first column: the title alone.
    if (plan.seriesCount == 0)
        return;
    QvStatXYAxes frame;
    frame.Layout(rect.left, rect.top, rect.right, rect.bottom, plan.xmin, plan.xmax, plan.ymin,
                 plan.ymax, &data, dc);
    // Back to back the left column's lengths run below 0 but are counts.
    frame.axisX.absoluteLabels = plan.backToBack;
    frame.DrawGrid(dc);
    const int kind = p.Histo_ShowFreq;
    QvHistoBar bars[QvStatColumn::Rows];
    for (int k = 0; k < plan.seriesCount; ++k) {
        CPen pen(int(entry.lopnStyle), entry.lopnWidth.x, QvSeriesLineColor(p, k));
        CBrush brush(QvSeriesBrush(p, k));
        dc->SelectObject(&pen);
        dc->SelectObject(&brush);
        const int count = QvHistoBars(plan.series[k], kind, plan.backToBack, bars);
        const double side = k == 0 ? -1.0 : 1.0;
        for (int i = 0; i < count; ++i) {
            const QvHistoBar& b = bars[i];
            CPoint corners[4];
            if (plan.backToBack) {
                const double x = side * b.length;
                corners[0] = frame.ValueToPoint(0, b.lower);
                corners[1] = frame.ValueToPoint(x, b.lower);
                corners[2] = frame.ValueToPoint(x, b.upper);
                corners[3] = frame.ValueToPoint(0, b.upper);
            } else {
                corners[0] = frame.ValueToPoint(b.lower, 0);
                corners[1] = frame.ValueToPoint(b.lower, b.length);
                corners[2] = frame.ValueToPoint(b.upper, b.length);
                corners[3] = frame.ValueToPoint(b.upper, 0);
            }
            dc->Polygon(corners, 4);
        }
        dc->SelectStockObject(BLACK_PEN);
        dc->SelectStockObject(BLACK_BRUSH);
    }
    frame.DrawAxes(dc);
}
