#include "settings/line_style.h"

LOGPEN QvLineStyle::PenFromLineCommand(UINT id) const {
    UINT style = PS_INSIDEFRAME;
    int width = 1;
    switch (id) {
    case 32800: // "Dotted Line"
        style = PS_DOT;
        break;
    case 32802: // "Dashed Line"
        style = PS_DASH;
        break;
    case 32803: // "DashDot Line"
        style = PS_DASHDOT;
        break;
    case 32804: // "DashDotDot Line"
        style = PS_DASHDOTDOT;
        break;
    case 32805: // "Hairline"
        width = 0;
        break;
    case 32806: // "Solid 1" to "Solid 6"
        width = 25;
        break;
    case 32807:
        width = 50;
        break;
    case 32808:
        width = 75;
        break;
    case 32809:
        width = 100;
        break;
    case 32810:
        width = 150;
        break;
    case 32811:
        width = 250;
        break;
    case 34023: // no line
        style = PS_NULL;
        break;
    default: // includes 32801 "Solid Line"
        break;
    }
    LOGPEN pen;
    pen.lopnStyle = style;
    pen.lopnWidth = CPoint(width, 0);
    pen.lopnColor = 0;
    return pen;
}
