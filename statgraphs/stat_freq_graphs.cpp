// What the three frequency graphs share: series fills and colours, a group
// class's upper bound, fixed limits, the title and the series legend.
#include "statgraphs/stat_freq_graphs.h"

#include "platform/dc.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"

#include <algorithm>

const LOGBRUSH& QvSeriesBrush(const QvStatProperties& p, int k) {
    // The art type comes from the file unchecked.
    const int style = p.GraphStyle >= 0 && p.GraphStyle < QvStatProperties::FillSchemes
                          ? p.GraphStyle
                          : QvStatProperties::FillSchemes - 1;
    return p.Brushes[size_t(style)][size_t(std::clamp(k, 0, QvStatProperties::Series - 1))];
}

COLORREF QvSeriesLineColor(const QvStatProperties& p, int k) {
    return p.GraphStyle < 2 ? COLORREF(0) : QvSeriesBrush(p, k).lbColor;
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

void QvDrawGraphTitle(CDC* dc, const QvStatProperties& p, CRect& rect, double d) {
    if (p.Title.isEmpty())
        return;
    QvFontSelect font;
    font.SetFont(p.TitleFont);
    font.Select(dc);
    const CSize size = dc->GetTextExtent(p.Title);
    const UINT align = dc->SetTextAlign(TA_CENTER | TA_TOP);
    dc->TextOut(rect.left + (rect.right - rect.left) / 2, rect.top, p.Title);
    dc->SetTextAlign(align);
    font.Restore(dc);
    rect.top += int(size.cy * d);
}

int QvDrawSeriesLegend(CDC* dc, QvStatData& data, const CRect& rect, double d) {
    const QvStatProperties& p = data.properties;
    QvFontSelect font;
    font.SetFont(p.LabelFont);
    font.Select(dc);
    // The label drawn: the column's name, or its symbol when it has none.
    auto label = [&](int slot) -> const QString* {
        const QvStatColumn* c = data.Column(p.dc[size_t(slot)]);
        if (!c)
            return nullptr;
        return c->name.isEmpty() ? &c->symbol : &c->name;
    };
    CSize box = dc->GetTextExtent(QStringLiteral("A"));
    int w = box.cx, h = box.cy;
    for (int slot = 0; slot < QvStatProperties::Series; ++slot) {
        if (const QString* text = label(slot)) {
            // Measured as drawn, so a long symbol stays inside the frame.
            const CSize size = dc->GetTextExtent(*text);
            w = std::max(w, int(size.cx));
            h = std::max(h, int(size.cy));
        }
    }
    const int right = rect.right - (w + 3 * h) - 3;
    const UINT align = dc->SetTextAlign(TA_LEFT | TA_TOP);
    int k = 0;
    for (int slot = 0; slot < QvStatProperties::Series; ++slot) {
        const QString* text = label(slot);
        if (!text)
            continue;
        CBrush brush(QvSeriesBrush(p, k));
        dc->SelectObject(&brush);
        const int y = rect.top + int((h + 5) * k * d);
        dc->Rectangle(right + h, y, right + 2 * h + 2, rect.top + int((h + (h + 5) * k + 2) * d));
        dc->TextOut(right + 3 * h, y, *text);
        dc->SelectStockObject(NULL_BRUSH);
        ++k;
    }
    dc->SetTextAlign(align);
    font.Restore(dc);
    return right;
}
