// The residuals graph: for each pair of columns the residuals of y from the
// graph's fit of y on x, plotted against x (against the row numbers for a
// single column), as marks, joined or not.
#include "geometry/marker.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_freq_graphs.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statgraphs/stat_xy_graphs.h"
#include "statistics/stat_data.h"

#include <algorithm>

void QvStatGraphResidual::Draw(CDC* dc, CRect rect) {
    if (!m_pData)
        return;
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const LOGPEN entry = dc->GetCurrentPen()->Log();
    rect.top = QvStatDrawTitle(dc, rect, p);
    QvResidualPlan plan;
    QvPlanResidual(data, plan);
    const QvXYLimits& l = plan.limits;
    QvStatXYAxes xy;
    xy.Layout(rect.left, rect.top, rect.right, rect.bottom, l.xmin, l.xmax, l.ymin, l.ymax, &data,
              dc);
    xy.DrawGrid(dc);
    // Against labels, a single column's rows stand where the line graph
    // puts its categories.
    QvStatColumnAxes categories;
    const bool labels = p.Residuals_UseLabels && plan.pairs.singleColumn;
    if (labels) {
        const int rows = int(std::clamp(l.xmax, 0.0, double(QvStatColumn::Rows)));
        categories.Layout(rect.left, rect.top, rect.right, rect.bottom, rows, &data, dc, false);
    }

    QvMarker marker;
    CPoint points[QvStatColumn::Rows];
    for (int j = 0; j < plan.pairs.count; ++j) {
        const QvStatColumn* x = data.Column(plan.pairs.x[size_t(j)]);
        const QvStatColumn& residual = *plan.residuals[size_t(j)];
        if (!x)
            continue;
        CPen pen(int(entry.lopnStyle), entry.lopnWidth.x, QvSeriesLineColor(p, j));
        CBrush brush(QvSeriesBrush(p, j));
        dc->SelectObject(&pen);
        dc->SelectObject(&brush);
        const int mark = p.Residuals_PointType[size_t(j)];
        QvStatWalkRuns(
            p.Residuals_FillGaps != 0, points,
            [&](int r, CPoint& at) {
                const double xv = x->cells[size_t(r)].value;
                const double yv = residual.cells[size_t(r)].value;
                if (xv == QvStatEmpty || yv == QvStatEmpty)
                    return -1;
                at = CPoint(labels ? categories.CategoryPos(r + 1) : xy.axisX.ValueToPos(xv),
                            xy.axisY.ValueToPos(yv));
                return at.x == -1 || at.y == -1 ? 0 : 1;
            },
            [&](const CPoint* run, int n) {
                if (p.JoinPoints)
                    dc->Polyline(run, n);
                for (int i = 0; i < n; ++i)
                    marker.DrawAt(dc, run[i].x, run[i].y, mark, &pen, &brush);
            });
        dc->SelectStockObject(BLACK_PEN);
        dc->SelectStockObject(BLACK_BRUSH);
    }
    xy.DrawAxes(dc);
}
