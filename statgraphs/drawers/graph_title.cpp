#include "statgraphs/drawers/graph_title.h"

#include "platform/dc.h"
#include "statistics/stat_properties.h"
#include "text/font_select.h"

int QvDrawStatTitle(CDC* dc, const CRect& rect, const QvStatProperties& p, int d) {
    if (p.Title.isEmpty())
        return rect.top;
    QvFontSelect font;
    font.SetFont(p.TitleFont);
    font.Select(dc);
    const UINT oldAlign = dc->SetTextAlign(TA_CENTER | TA_TOP);
    dc->TextOut(rect.left + rect.Width() / 2, rect.top, p.Title);
    const int height = dc->GetTextExtent(p.Title).cy;
    dc->SetTextAlign(oldAlign);
    font.Restore(dc);
    return rect.top + height * d;
}
