#include "settings/line_style.h"

#include "platform/command_ids.h"

LOGPEN QvLineStyle::PenFromLineCommand(UINT id) const {
    UINT style = PS_INSIDEFRAME;
    int width = 1;
    switch (id) {
    case ID_LINE_DOT: // "Dotted Line"
        style = PS_DOT;
        break;
    case ID_LINE_DASH: // "Dashed Line"
        style = PS_DASH;
        break;
    case ID_LINE_DASHDOT: // "DashDot Line"
        style = PS_DASHDOT;
        break;
    case ID_LINE_DASHDOTDOT: // "DashDotDot Line"
        style = PS_DASHDOTDOT;
        break;
    case ID_LINE_HAIRLINE: // "Hairline"
        width = 0;
        break;
    case ID_LINE_SOLID1: // "Solid 1" to "Solid 6"
        width = 25;
        break;
    case ID_LINE_SOLID2:
        width = 50;
        break;
    case ID_LINE_SOLID3:
        width = 75;
        break;
    case ID_LINE_SOLID4:
        width = 100;
        break;
    case ID_LINE_SOLID5:
        width = 150;
        break;
    case ID_LINE_SOLID6:
        width = 250;
        break;
    case ID_LINE_NONE: // no line
        style = PS_NULL;
        break;
    default: // includes ID_LINE_SOLID, "Solid Line"
        break;
    }
    LOGPEN pen;
    pen.lopnStyle = style;
    pen.lopnWidth = CPoint(width, 0);
    pen.lopnColor = 0;
    return pen;
}
