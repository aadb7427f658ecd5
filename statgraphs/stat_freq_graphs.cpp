// What the three frequency graphs share: series fills and colours, a group
// class's upper bound and fixed limits.
#include "statgraphs/stat_freq_graphs.h"

#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"

#include <algorithm>

const LOGBRUSH& QvSeriesBrush(const QvStatProperties& p, int k) {
    return p.Brushes[size_t(QvStatFillScheme(p))]
                    [size_t(std::clamp(k, 0, QvStatProperties::Series - 1))];
}

COLORREF QvSeriesLineColor(const QvStatProperties& p, int k) {
    return QvStatFillScheme(p) < 2 ? COLORREF(0) : QvSeriesBrush(p, k).lbColor;
}

double QvGroupUpperBound(const QvStatColumn& column, int i) {
    const auto& t = column.classes;
    auto upper = [&](int j) {
        const double typed = QvTextToNumber(t[size_t(j)].text);
        if (typed != QvNoNumber)
            return typed;
        if (j + 1 < QvStatColumn::Rows && t[size_t(j + 1)].value != QvStatEmpty)
            return t[size_t(j + 1)].value;
        return QvStatEmpty;
    };
    const double hi = upper(i);
    if (hi != QvStatEmpty)
        return hi;
    // The last class: as wide as the first, or no width when it is the first.
    if (i == 0)
        return t[0].value;
    const double first = upper(0);
    return t[size_t(i)].value + (first - t[0].value);
}

void QvApplyFixedLimits(const QvStatProperties& p, bool hasData, double& xmin, double& xmax,
                        double& ymin, double& ymax) {
    if (hasData)
        return;
    if (!p.AutoMaxx)
        xmax = p.maxx;
    if (!p.AutoMaxy)
        ymax = p.maxy;
    if (!p.AutoMinx)
        xmin = p.minx;
    if (!p.AutoMiny)
        ymin = p.miny;
}
