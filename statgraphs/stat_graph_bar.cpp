// The bar graph: the raw values of the data columns as horizontal bars,
// one group per category down the bar frame, one bar per column.
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"

void QvStatGraphBar::Draw(CDC* dc, CRect rect) {
    QvStatData* data = m_pData;
    if (!data)
        return;
    const double d = QvStatYFactor(dc);
    const QvStatProperties& p = data->properties;
    const int top = QvStatDrawTitle(dc, rect, p);
    const int right = p.Bar_Legend ? QvStatDrawLegend(dc, rect, top, data) : rect.right;

    QvStatBarAxes frame;
    frame.Layout(rect.left, top, right, rect.bottom, data, dc, false);
    frame.Draw(dc);
    const int series = data->CountDataColumns();
    if (series == 0)
        return;
    const QvStatBarSlots shares = QvStatBarSlotsFor(frame.CategoryWidth(), series);
    const int t = shares.thickness, o = shares.offset;

    QvStatSeriesBrushes brushes(p);
    CDCSelect<CBrush> fill(dc);
    const int x0 = frame.ValueToPos(0);
    int category = 0;
    for (int row = 0; row < QvStatColumn::Rows; ++row) {
        const QvStatSeriesRow values(data, row);
        if (!values.any)
            continue;
        const int y = frame.CategoryPos(++category);
        for (int j = 0; j < values.series; ++j) {
            if (!values.has[j])
                continue;
            // A value with no place on the axis (0 or less on a log scale)
            // has no bar.
            const int x = frame.ValueToPos(values.value[j]);
            if (x == -1 || x0 == -1)
                continue;
            fill.Select(brushes.Get(j));
            dc->Rectangle(x0, y + int((o + t * j) * d), x + 1, y + int((o + t * (j + 1) + 1) * d));
        }
    }
}
