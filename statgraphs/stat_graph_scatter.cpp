// The scatter graph: up to five pairs of columns as points, each pair with
// its line of regression and the residuals from the points to it.
#include "geometry/marker.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_freq_graphs.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statgraphs/stat_xy_graphs.h"
#include "statistics/stat_data.h"
#include "statistics/stat_fit.h"

#include <memory>

void QvStatGraphScatter::Draw(CDC* dc, CRect rect) {
    if (!m_pData)
        return;
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const LOGPEN entry = dc->GetCurrentPen()->Log();
    rect.top = QvStatDrawTitle(dc, rect, p);
    const QvStatPairs pairs = QvPackPairs(p, false);
    const QvXYLimits l = QvPlanScatter(data, pairs);
    QvStatXYAxes xy;
    xy.Layout(rect.left, rect.top, rect.right, rect.bottom, l.xmin, l.xmax, l.ymin, l.ymax, &data,
              dc);
    xy.Draw(dc);
    if (pairs.count == 0)
        return;

    QvStatFit fit;
    fit.SetData(&data);
    const int model = p.RegType;
    // Whether pair j's fit came out; a failed one has no line to draw or
    // to measure residuals from, only its points.
    auto fitted = [&](int j) {
        QvStatFitResult result;
        return fit.Calc(result, pairs.x[size_t(j)], pairs.y[size_t(j)], model).status == model;
    };

    if (p.LineOfReg) {
        auto samples = std::make_unique<QvStatCurveTable>();
        for (int j = 0; j < pairs.count; ++j) {
            if (!fitted(j))
                continue;
            xy.FillSamples(samples.get());
            int n = 0;
            for (int i = 0; i < samples->count; ++i) {
                const double y = fit.Predict(samples->values[i][0], model).value;
                const int pos = y == QvStatEmpty ? -1 : xy.axisY.ValueToPos(y);
                if (pos != -1)
                    samples->points[n++] = CPoint(samples->points[i].x, pos);
            }
            CPen pen(int(entry.lopnStyle), entry.lopnWidth.x, QvSeriesLineColor(p, 2 * j));
            dc->SelectObject(&pen);
            if (n > 0)
                dc->Polyline(samples->points, n);
            dc->SelectStockObject(BLACK_PEN);
        }
    }

    QvMarker marker;
    const int scheme = QvStatFillScheme(p);
    for (int j = 0; j < pairs.count; ++j) {
        const QvStatColumn* x = data.Column(pairs.x[size_t(j)]);
        const QvStatColumn* y = data.Column(pairs.y[size_t(j)]);
        if (!x || !y)
            continue;
        const COLORREF colour = QvSeriesLineColor(p, 2 * j);
        CPen pen(int(entry.lopnStyle), entry.lopnWidth.x, colour);
        CPen residual(PS_DOT, 1, colour);
        // Line art marks in black: solid under plain lines, hatched under
        // hatching.
        LOGBRUSH fill = QvSeriesBrush(p, 2 * j);
        if (scheme < 2)
            fill.lbColor = 0;
        if (scheme == 0)
            fill.lbStyle = BS_SOLID;
        CBrush brush(fill);
        const bool residuals = p.Residuals && fitted(j);
        const int mark = p.Scatter_PointType[size_t(j)];
        dc->SelectObject(&residual);
        for (int r = 0; r < QvStatColumn::Rows; ++r) {
            const double xv = x->cells[size_t(r)].value, yv = y->cells[size_t(r)].value;
            if (xv == QvStatEmpty || yv == QvStatEmpty)
                continue;
            const CPoint at = xy.ValueToPoint(xv, yv);
            if (at.x == -1 || at.y == -1)
                continue;
            if (residuals) {
                const double predicted = fit.Predict(xv, model).value;
                const int yp = predicted == QvStatEmpty ? -1 : xy.axisY.ValueToPos(predicted);
                if (yp != -1) {
                    dc->MoveTo(at);
                    dc->LineTo(at.x, yp);
                }
            }
            marker.DrawAt(dc, at.x, at.y, mark, &pen, &brush);
        }
        dc->SelectStockObject(BLACK_PEN);
        dc->SelectStockObject(BLACK_BRUSH);
    }
}
