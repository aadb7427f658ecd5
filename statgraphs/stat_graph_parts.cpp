#include "statgraphs/stat_graph_parts.h"

#include "platform/dc.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"

#include <algorithm>
#include <cmath>

double QvStatYFactor(CDC* dc) {
    return dc->GetMapMode() == MM_HIMETRIC ? -1.0 : 1.0;
}

int QvStatFillScheme(const QvStatProperties& p) {
    return std::clamp(p.GraphStyle, 0, QvStatProperties::FillSchemes - 1);
}

int QvStatDrawTitle(CDC* dc, const CRect& rect, const QvStatProperties& p) {
    if (p.Title.isEmpty())
        return rect.top;
    QvFontSelect font;
    font.SetFont(p.TitleFont);
    font.Select(dc);
    const int height = dc->GetTextExtent(p.Title).cy;
    const UINT align = dc->SetTextAlign(TA_CENTER | TA_TOP);
    dc->TextOut(rect.left + (rect.right - rect.left) / 2, rect.top, p.Title);
    dc->SetTextAlign(align);
    font.Restore(dc);
    return rect.top + int(height * QvStatYFactor(dc));
}

int QvStatDrawLegend(CDC* dc, const CRect& rect, int top, QvStatData* data) {
    const double d = QvStatYFactor(dc);
    const QvStatProperties& p = data->properties;
    QvFontSelect font;
    font.SetFont(p.LabelFont);
    font.Select(dc);
    // As wide as the widest name, at least an "A".
    const CSize a = dc->GetTextExtent(QStringLiteral("A"));
    int w = a.cx, h = a.cy;
    for (int column : p.dc) {
        if (column == -1)
            continue;
        if (const QvStatColumn* c = data->Column(column)) {
            const CSize size = dc->GetTextExtent(c->name);
            w = std::max(w, size.cx);
            h = std::max(h, size.cy);
        }
    }
    const int right = rect.right - (w + 3 * h) - 3;

    const int scheme = QvStatFillScheme(p);
    const UINT align = dc->SetTextAlign(TA_LEFT | TA_TOP);
    int j = 0;
    for (int column : p.dc) {
        if (column == -1)
            continue;
        CBrush brush(p.Brushes[size_t(scheme)][size_t(j)]);
        CDCSelect<CBrush> fill(dc, &brush);
        const int y = top + int((h + 5) * j * d);
        dc->Rectangle(right + h, y, right + 2 * h + 2, top + int(((h + 5) * j + h + 2) * d));
        if (const QvStatColumn* c = data->Column(column))
            dc->TextOut(right + 3 * h, y, c->name.isEmpty() ? c->symbol : c->name);
        ++j;
    }
    dc->SetTextAlign(align);
    font.Restore(dc);
    return right;
}

QvStatBarSlots QvStatBarSlotsFor(int spacing, int series) {
    QvStatBarSlots shares;
    // Without series there is nothing to share the slot: no division.
    if (series <= 0)
        return shares;
    const double t = std::trunc((spacing - std::ceil(spacing / 4.0)) / series);
    shares.thickness = t < 1 ? 0 : int(t);
    shares.offset = (-shares.thickness * series) / 2;
    return shares;
}

QvStatSeriesBrushes::QvStatSeriesBrushes(const QvStatProperties& p) {
    const int scheme = QvStatFillScheme(p);
    for (int j = 0; j < QvStatProperties::Series; ++j)
        m_brushes[size_t(j)].CreateBrushIndirect(&p.Brushes[size_t(scheme)][size_t(j)]);
}

QvStatSeriesRow::QvStatSeriesRow(QvStatData* data, int row) {
    for (int column : data->properties.dc) {
        if (column == -1)
            continue;
        const QvStatColumn* c = data->Column(column);
        const double v = c ? c->cells[size_t(row)].value : QvStatEmpty;
        has[size_t(series)] = v != QvStatEmpty;
        value[size_t(series)] = v;
        any = any || v != QvStatEmpty;
        ++series;
    }
}
