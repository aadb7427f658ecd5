// Format>Line and Format>Fill command ids to pen and brush descriptions.
#include "platform/command_ids.h"
#include "settings/fill_style.h"
#include "settings/line_style.h"

#include <gtest/gtest.h>

TEST(LineStyle, EveryCommandIdGivesItsPen) {
    struct Case {
        UINT id;
        UINT style;
        int width;
    };
    const Case cases[] = {
        {ID_LINE_DOT, PS_DOT, 1},
        {ID_LINE_SOLID, PS_INSIDEFRAME, 1},
        {ID_LINE_DASH, PS_DASH, 1},
        {ID_LINE_DASHDOT, PS_DASHDOT, 1},
        {ID_LINE_DASHDOTDOT, PS_DASHDOTDOT, 1},
        {ID_LINE_HAIRLINE, PS_INSIDEFRAME, 0},
        {ID_LINE_SOLID1, PS_INSIDEFRAME, 25},
        {ID_LINE_SOLID2, PS_INSIDEFRAME, 50},
        {ID_LINE_SOLID3, PS_INSIDEFRAME, 75},
        {ID_LINE_SOLID4, PS_INSIDEFRAME, 100},
        {ID_LINE_SOLID5, PS_INSIDEFRAME, 150},
        {ID_LINE_SOLID6, PS_INSIDEFRAME, 250},
        {ID_LINE_NONE, PS_NULL, 1},
        // Unknown ids, including the neighbours of the table.
        {0, PS_INSIDEFRAME, 1},
        {ID_FORMAT_LINE_COLOUR, PS_INSIDEFRAME, 1},
        {ID_FORMAT_FILL_COLOUR, PS_INSIDEFRAME, 1},
        {0xFFFFFFFF, PS_INSIDEFRAME, 1},
    };
    QvLineStyle styles;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        LOGPEN pen = styles.PenFromLineCommand(c.id);
        EXPECT_EQ(pen.lopnStyle, c.style);
        EXPECT_EQ(pen.lopnWidth.x, c.width);
        EXPECT_EQ(pen.lopnWidth.y, 0);
        EXPECT_EQ(pen.lopnColor, 0u);
    }
}

TEST(FillStyle, EveryCommandIdGivesItsBrush) {
    struct Case {
        UINT id;
        UINT style;
        ULONG hatch;
    };
    const Case cases[] = {
        {ID_FILL_NONE, BS_NULL, HS_FDIAGONAL},
        {ID_FILL_SOLID, BS_SOLID, HS_FDIAGONAL},
        {ID_FILL_DIAGONAL, BS_HATCHED, HS_FDIAGONAL},
        {ID_FILL_REVERSE_DIAGONAL, BS_HATCHED, HS_BDIAGONAL},
        {ID_FILL_HORIZONTAL, BS_HATCHED, HS_HORIZONTAL},
        {ID_FILL_VERTICAL, BS_HATCHED, HS_VERTICAL},
        {ID_FILL_SQUARES, BS_HATCHED, HS_CROSS},
        {ID_FILL_DIAMOND, BS_HATCHED, HS_DIAGCROSS},
        {0, BS_HATCHED, HS_FDIAGONAL},
        {ID_FILL_STYLE_COMBO, BS_HATCHED, HS_FDIAGONAL},
        {ID_LEVEL_NONE, BS_HATCHED, HS_FDIAGONAL},
    };
    QvFillStyle styles;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        LOGBRUSH brush = styles.FillStyleToLogBrush(c.id);
        EXPECT_EQ(brush.lbStyle, c.style);
        EXPECT_EQ(brush.lbHatch, c.hatch);
        EXPECT_EQ(brush.lbColor, 0u);
    }
}
