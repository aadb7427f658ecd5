// The column graph: the raw values of the data columns as upright columns,
// one group per category along the column frame, one column per data
// column.
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"

void QvStatGraphColumn::Draw(CDC* dc, CRect rect) {
    QvStatData* data = m_pData;
    if (!data)
        return;
    const QvStatProperties& p = data->properties;
    const int top = QvStatDrawTitle(dc, rect, p);
    const int right = p.Column_Legend ? QvStatDrawLegend(dc, rect, top, data) : rect.right;

    QvStatColumnAxes frame;
    frame.Layout(rect.left, top, right, rect.bottom, 0, data, dc, false);
    frame.Draw(dc);
    const int series = data->CountDataColumns();
    if (series == 0)
        return;
    const QvStatBarSlots shares = QvStatBarSlotsFor(frame.CategoryWidth(), series);
    const int t = shares.thickness, o = shares.offset;

    QvStatSeriesBrushes brushes(p);
    CDCSelect<CBrush> fill(dc);
    const int y0 = frame.ValueToPos(0);
    int category = 0;
    for (int row = 0; row < QvStatColumn::Rows; ++row) {
        const QvStatSeriesRow values(data, row);
        if (!values.any)
            continue;
        const int x = frame.CategoryPos(++category);
        for (int j = 0; j < values.series; ++j) {
            if (!values.has[j])
                continue;
            // A value with no place on the axis (0 or less on a log scale)
            // has no column.
            const int y = frame.ValueToPos(values.value[j]);
            if (y == -1 || y0 == -1)
                continue;
            fill.Select(brushes.Get(j));
            dc->Rectangle(x + o + t * j, y0, x + o + t * (j + 1) + 1, y + 1);
        }
    }
}
