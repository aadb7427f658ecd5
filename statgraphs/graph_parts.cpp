#include "statgraphs/graph_parts.h"

#include "platform/dc.h"
#include "statistics/stat_properties.h"
#include "text/font_select.h"

#include <algorithm>

double QvGraphDirection(CDC* dc) {
    return dc->GetMapMode() == MM_HIMETRIC ? -1.0 : 1.0;
}

int QvDrawGraphTitle(CDC* dc, const CRect& rect, const QvStatProperties& p) {
    if (p.Title.isEmpty())
        return rect.top;
    QvFontSelect font;
    font.SetFont(p.TitleFont);
    font.Select(dc);
    const UINT align = dc->SetTextAlign(TA_CENTER | TA_TOP);
    dc->TextOut(rect.left + (rect.right - rect.left) / 2, rect.top, p.Title);
    const int h = dc->GetTextExtent(p.Title).cy;
    dc->SetTextAlign(align);
    font.Restore(dc);
    return rect.top + int(h * QvGraphDirection(dc));
}

int QvFillScheme(const QvStatProperties& p) {
    return p.GraphStyle >= 0 && p.GraphStyle < QvStatProperties::FillSchemes
               ? p.GraphStyle
               : QvStatProperties::FillSchemes - 1;
}

const LOGBRUSH& QvSeriesBrush(const QvStatProperties& p, int k) {
    return p
        .Brushes[size_t(QvFillScheme(p))][size_t(std::clamp(k, 0, QvStatProperties::Series - 1))];
}
