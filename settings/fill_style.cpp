#include "settings/fill_style.h"

#include "platform/command_ids.h"

LOGBRUSH QvFillStyle::FillStyleToLogBrush(UINT id) const {
    UINT style = BS_HATCHED;
    int hatch = HS_FDIAGONAL;
    switch (id) {
    case ID_FILL_NONE: // "No fill"
        style = BS_NULL;
        break;
    case ID_FILL_SOLID: // "Solid Color"
        style = BS_SOLID;
        break;
    case ID_FILL_DIAGONAL: // "Diagonal Fill"
        break;
    case ID_FILL_REVERSE_DIAGONAL: // "Reverse Diagonal Fill"
        hatch = HS_BDIAGONAL;
        break;
    case ID_FILL_HORIZONTAL: // "Horizontal Fill"
        hatch = HS_HORIZONTAL;
        break;
    case ID_FILL_VERTICAL: // "Vertical Fill"
        hatch = HS_VERTICAL;
        break;
    case ID_FILL_SQUARES: // "Squares Fill"
        hatch = HS_CROSS;
        break;
    case ID_FILL_DIAMOND: // "Diamond Fill"
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
