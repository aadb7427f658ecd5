// Format>Line and Format>Fill command ids to pen and brush descriptions.
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
        {32800, PS_DOT, 1},
        {32801, PS_INSIDEFRAME, 1},
        {32802, PS_DASH, 1},
        {32803, PS_DASHDOT, 1},
        {32804, PS_DASHDOTDOT, 1},
        {32805, PS_INSIDEFRAME, 0},
        {32806, PS_INSIDEFRAME, 25},
        {32807, PS_INSIDEFRAME, 50},
        {32808, PS_INSIDEFRAME, 75},
        {32809, PS_INSIDEFRAME, 100},
        {32810, PS_INSIDEFRAME, 150},
        {32811, PS_INSIDEFRAME, 250},
        {34023, PS_NULL, 1},
        // Unknown ids, including the neighbours of the table.
        {0, PS_INSIDEFRAME, 1},
        {32799, PS_INSIDEFRAME, 1},
        {32812, PS_INSIDEFRAME, 1},
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
        {32814, BS_NULL, HS_FDIAGONAL},     {32815, BS_SOLID, HS_FDIAGONAL},
        {32816, BS_HATCHED, HS_FDIAGONAL},  {32817, BS_HATCHED, HS_BDIAGONAL},
        {32818, BS_HATCHED, HS_HORIZONTAL}, {32819, BS_HATCHED, HS_VERTICAL},
        {32820, BS_HATCHED, HS_CROSS},      {32821, BS_HATCHED, HS_DIAGCROSS},
        {0, BS_HATCHED, HS_FDIAGONAL},      {32813, BS_HATCHED, HS_FDIAGONAL},
        {32822, BS_HATCHED, HS_FDIAGONAL},
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
