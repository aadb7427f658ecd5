// The line graph: each data column's values against their row numbers,
// joined, with marks, a legend and per series a dotted second curve (moving
// average, seasonalised or predicted values) from the column formulas.
#include "geometry/marker.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_freq_graphs.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statgraphs/stat_xy_graphs.h"
#include "statistics/stat_data.h"
#include "statistics/stat_formula.h"

#include <algorithm>
#include <memory>

void QvStatGraphLine::Draw(CDC* dc, CRect rect) {
    if (!m_pData)
        return;
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const LOGPEN entry = dc->GetCurrentPen()->Log();
    rect.top = QvStatDrawTitle(dc, rect, p);
    const int right = p.Line_Legend ? QvStatDrawLegend(dc, rect, rect.top, &data) : rect.right;
    const QvLinePlan plan = QvPlanLine(data);

    QvStatXYAxes xy;
    QvStatColumnAxes categories;
    const bool labels = p.Line_UseLabels != 0;
    if (labels) {
        const int rows = int(std::clamp(plan.xmax, 0.0, double(QvStatColumn::Rows)));
        categories.Layout(rect.left, rect.top, right, rect.bottom, rows, &data, dc, false);
        categories.Draw(dc);
    } else {
        xy.Layout(rect.left, rect.top, right, rect.bottom, plan.xmin, plan.xmax, plan.ymin,
                  plan.ymax, &data, dc);
        xy.DrawGrid(dc);
    }
    // Row r's point; -1 for an empty cell, 0 where an axis has no place.
    auto pointOf = [&](const QvStatColumn& c, int r, CPoint& at) {
        const double v = c.cells[size_t(r)].value;
        if (v == QvStatEmpty)
            return -1;
        at = labels ? CPoint(categories.CategoryPos(r + 1), categories.ValueToPos(v))
                    : xy.ValueToPoint(r + 1, v);
        return at.x == -1 || at.y == -1 ? 0 : 1;
    };

    const bool fillGaps = p.Line_FillGaps != 0;
    const bool marks = p.DataPoints != 0;
    const QChar separator = QChar(uchar(QvStatFormula().listSeparator));
    QvMarker marker;
    CPoint points[QvStatColumn::Rows];
    std::unique_ptr<QvStatColumn> curve;
    for (int k = 0; k < plan.seriesCount; ++k) {
        const QvStatColumn* c = plan.series[size_t(k)];
        if (!c)
            continue;
        const COLORREF colour = QvSeriesLineColor(p, k);
        CPen pen(int(entry.lopnStyle), entry.lopnWidth.x, colour);
        CBrush brush(QvSeriesBrush(p, k));
        dc->SelectObject(&pen);
        dc->SelectObject(&brush);
        const int mark = p.Line_PointType[size_t(k)];
        QvStatWalkRuns(
            fillGaps, points, [&](int r, CPoint& at) { return pointOf(*c, r, at); },
            [&](const CPoint* run, int n) {
                dc->Polyline(run, n);
                if (marks)
                    for (int i = 0; i < n; ++i)
                        marker.DrawAt(dc, run[i].x, run[i].y, mark, &pen, &brush);
            });

        const int column = plan.columns[size_t(k)];
        const QString formula =
            QvLineCurveFormula(p.Smoothing[size_t(k)], QvStatFormulaName(data, column), p.CycleLen,
                               p.RegType, separator);
        if (!formula.isEmpty()) {
            if (!curve)
                curve = std::make_unique<QvStatColumn>();
            QvEvaluateCurve(data, formula, *curve);
            CPen dotted(PS_DOT, 1, colour);
            dc->SelectObject(&dotted);
            QvStatWalkRuns(
                fillGaps, points, [&](int r, CPoint& at) { return pointOf(*curve, r, at); },
                [&](const CPoint* run, int n) {
                    dc->Polyline(run, n);
                    if (marks)
                        for (int i = 0; i < n; ++i)
                            marker.DrawAt(dc, run[i].x, run[i].y, 2, &pen, &brush);
                });
            dc->SelectStockObject(BLACK_PEN);
        }
        dc->SelectStockObject(BLACK_BRUSH);
        dc->SelectStockObject(BLACK_PEN);
    }
    dc->SelectStockObject(BLACK_PEN);
    dc->SelectStockObject(BLACK_BRUSH);
    if (!labels)
        xy.DrawAxes(dc);
}
