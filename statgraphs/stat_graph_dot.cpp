// The dot plot: each value one mark over a numeric x axis, equal values
// stacked upwards, all columns sharing the stacks.
#include "statgraphs/stat_graph_dot.h"

#include "geometry/marker.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"

#include <algorithm>
#include <memory>

static_assert(QvDotStacks::Capacity >= QvStatProperties::Series * QvStatColumn::Rows);

void QvDotStacks::Build(QvStatData& data) {
    const QvStatProperties& p = data.properties;
    used = 0;
    ymax = 0;
    hasData = false;
    for (int slot = 0; slot < QvStatProperties::Series; ++slot) {
        QvStatColumn* column = p.dc[size_t(slot)] == -1 ? nullptr : data.Column(p.dc[size_t(slot)]);
        if (!column)
            continue;
        // Straight from the cells: each column's frequency table would only
        // merge what the stacks merge anyway, at the price of sorting it.
        for (const QvStatCell& cell : column->cells) {
            if (cell.value == QvStatEmpty || cell.count <= 0)
                continue;
            entries[size_t(used++)] = {cell.value, cell.count, 0};
            xmin = hasData ? std::min(xmin, cell.value) : cell.value;
            xmax = hasData ? std::max(xmax, cell.value) : cell.value;
            hasData = true;
        }
    }
    if (!hasData) {
        xmin = 0.0;
        xmax = 1.0;
    }
    // Equal values meet, then merge into one stack.
    std::stable_sort(entries.begin(), entries.begin() + used,
                     [](const Entry& a, const Entry& b) { return a.value < b.value; });
    int stacks = 0;
    for (int i = 0; i < used; ++i) {
        if (stacks > 0 && entries[size_t(stacks - 1)].value == entries[size_t(i)].value)
            entries[size_t(stacks - 1)].count += entries[size_t(i)].count;
        else
            entries[size_t(stacks++)] = entries[size_t(i)];
    }
    used = stacks;
    for (int i = 0; i < used; ++i)
        ymax = std::max(ymax, entries[size_t(i)].count);
}

QvDotStacks::Entry* QvDotStacks::Find(double v) {
    Entry* end = entries.begin() + used;
    Entry* e = std::lower_bound(entries.begin(), end, v,
                                [](const Entry& a, double value) { return a.value < value; });
    return e != end && e->value == v ? e : nullptr;
}

namespace {

// The pen and mark fill of series q: black lines and marks for the hollow
// and hatched schemes (solid black marks for the hollow one), the series
// colour otherwise.
struct SeriesStyle {
    SeriesStyle(const QvStatProperties& p, int q, const LOGPEN& selected) {
        const int scheme = QvStatFillScheme(p);
        LOGBRUSH fill = p.Brushes[size_t(scheme)][size_t(q)];
        const COLORREF colour = scheme < 2 ? 0 : fill.lbColor;
        if (scheme < 2)
            fill.lbColor = 0;
        if (scheme == 0)
            fill.lbStyle = BS_SOLID;
        LOGPEN log = selected;
        log.lopnColor = colour;
        pen.CreatePenIndirect(&log);
        brush.CreateBrushIndirect(&fill);
    }
    CPen pen;
    CBrush brush;
};

} // namespace

void QvStatGraphDot::Draw(CDC* dc, CRect rect) {
    if (!dc || !m_pData)
        return;
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const double d = QvStatYFactor(dc);
    const LOGPEN selected = dc->GetCurrentPen()->Log();
    rect.top = QvStatDrawTitle(dc, rect, p);

    // The series: the used slots in order.
    int columns[QvStatProperties::Series];
    int series = 0;
    for (int slot = 0; slot < QvStatProperties::Series; ++slot)
        if (p.dc[size_t(slot)] != -1 && data.Column(p.dc[size_t(slot)]))
            columns[series++] = p.dc[size_t(slot)];

    int right = rect.right;
    QvMarker marker;
    if (p.Dot_Legend) {
        QvFontSelect font;
        font.SetFont(p.LabelFont);
        font.Select(dc);
        auto labelOf = [&](int q) -> const QString& {
            const QvStatColumn& c = *data.Column(columns[q]);
            return c.name.isEmpty() ? c.symbol : c.name;
        };
        const CSize a = dc->GetTextExtent(QStringLiteral("A"));
        int w = a.cx, h = a.cy;
        for (int q = 0; q < series; ++q) {
            const CSize s = dc->GetTextExtent(data.Column(columns[q])->name);
            w = std::max(w, int(s.cx));
            h = std::max(h, int(s.cy));
        }
        right = rect.right - (w + 3 * h) - 3;
        const UINT align = dc->SetTextAlign(TA_LEFT | TA_TOP);
        for (int q = 0; q < series; ++q) {
            SeriesStyle style(p, q, selected);
            marker.DrawAt(dc, int(right + 1.5 * h), int(rect.top + ((h + 50) * q + 80) * d),
                          p.Dot_PointType[size_t(q)], &style.pen, &style.brush);
            dc->TextOut(right + 3 * h, int(rect.top + (h + 50) * q * d), labelOf(q));
        }
        dc->SetTextAlign(align);
        font.Restore(dc);
    }

    // The table is large: it lives on the heap for the one drawing.
    auto stacks = std::make_unique<QvDotStacks>();
    stacks->Build(data);
    double xmin = stacks->xmin, xmax = stacks->xmax, ymin = 0.0, ymax = double(stacks->ymax);
    // An empty graph keeps the scale the user set by hand.
    if (!stacks->hasData) {
        if (!p.AutoMaxx)
            xmax = p.maxx;
        if (!p.AutoMaxy)
            ymax = p.maxy;
        if (!p.AutoMinx)
            xmin = p.minx;
        if (!p.AutoMiny)
            ymin = p.miny;
    }
    QvStatXYAxes frame;
    frame.Layout(rect.left, rect.top, right, rect.bottom, xmin, xmax, ymin, ymax, &data, dc);
    frame.Draw(dc);
    const long long span =
        std::max(1, std::abs(int(frame.axisY.GetEnd().y - frame.axisY.GetStart().y)));

    for (int q = 0; q < series; ++q) {
        const QvStatColumn& column = *data.Column(columns[q]);
        SeriesStyle style(p, q, selected);
        // Selected once for the series' marks, not once per mark.
        CDCSelect<CPen> usePen(dc, &style.pen);
        CDCSelect<CBrush> useBrush(dc, &style.brush);
        // Cell by cell: a value's marks rise through the same heights
        // whichever row holds them.
        for (const QvStatCell& row : column.cells) {
            if (row.value == QvStatEmpty || row.count <= 0)
                continue;
            QvDotStacks::Entry* stack = stacks->Find(row.value);
            if (!stack)
                continue;
            // A frequency in the millions would draw millions of marks on
            // top of each other: beyond one mark per unit of the axis's
            // length the marks are thinned out, and the top one is kept.
            const long long step = std::max<long long>(1, row.count / span);
            for (long long j = step; row.count > 0; j += step) {
                j = std::min<long long>(j, row.count);
                const CPoint at = frame.ValueToPoint(row.value, double(j + stack->drawn));
                if (at.x != -1 && at.y != -1)
                    marker.DrawAt(dc, at.x, at.y, p.Dot_PointType[size_t(q)], nullptr, nullptr);
                if (j == row.count)
                    break;
            }
            stack->drawn += row.count;
        }
    }
}
