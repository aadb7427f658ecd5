#include "settings/fill_style.h"

LOGBRUSH QvFillStyle::FillStyleToLogBrush(UINT id) const {
    UINT style = BS_HATCHED;
    int hatch = HS_FDIAGONAL;
    switch (id) {
    case 32814: // "No fill"
        style = BS_NULL;
        break;
    case 32815: // "Solid Color"
        style = BS_SOLID;
        break;
    case 32816: // "Diagonal Fill"
        break;
    case 32817: // "Reverse Diagonal Fill"
        hatch = HS_BDIAGONAL;
        break;
    case 32818: // "Horizontal Fill"
        hatch = HS_HORIZONTAL;
        break;
    case 32819: // "Vertical Fill"
        hatch = HS_VERTICAL;
        break;
    case 32820: // "Squares Fill"
        hatch = HS_CROSS;
        break;
    case 32821: // "Diamond Fill"
        hatch = HS_DIAGCROSS;
        break;
    default:
        break;
    }
    LOGBRUSH brush;
    brush.lbStyle = style;
    brush.lbHatch = ULONG(hatch);
    brush.lbColor = 0;
    return brush;
}
