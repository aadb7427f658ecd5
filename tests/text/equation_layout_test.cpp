// Layout with round-number metrics: a font of height 60 has descent 12 and
// characters 30 wide, so H = 60, D = 12, A = 30, the script height h = 40,
// R = 36, L = -10, e = 7, half = 30, R2 = 78, low = 47 and RT = 135.
#include "fixed_canvas.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <gtest/gtest.h>

namespace {

constexpr int kX = 500, kY = 1000;

QvLogFont Font60() {
    QvLogFont font;
    font.m_logFont.lfHeight = 60;
    font.m_drawHeight = 60;
    return font;
}

struct Drawn {
    QvEquationExtent extent;
    FixedCanvas canvas;
};

// Drawn at (kX, kY) with the baseline alignment: the cells' bottom line
// y0 is kY + 1 + D.
Drawn Draw(const char* text, int mapMode = MM_TEXT, UINT align = TA_BASELINE) {
    Drawn d{{}, FixedCanvas(mapMode)};
    QvEquation eq;
    eq.SetText(QString::fromLatin1(text), &TheEquationOptions());
    QvLogFont font = Font60();
    d.extent = eq.Draw(d.canvas, align, kX, kY, nullptr, &font);
    return d;
}

TEST(EquationLayout, EmptyTextMeasuresNothing) {
    FixedCanvas canvas;
    QvEquation eq;
    QvLogFont font = Font60();
    EXPECT_EQ(eq.Measure(canvas, nullptr, &font), QvEquationExtent());
    eq.SetText(QString());
    EXPECT_EQ(eq.Measure(canvas, nullptr, &font), QvEquationExtent());
    EXPECT_TRUE(canvas.texts.empty());
}

TEST(EquationLayout, ScriptIsTwoThirdsHighAndRisesUpThePage) {
    Drawn text = Draw("x^2");
    const InkText* x = text.canvas.Find(QStringLiteral("x"));
    const InkText* two = text.canvas.Find(QStringLiteral("2"));
    ASSERT_TRUE(x && two);
    EXPECT_EQ(x->y, kY + 1 + 12);
    EXPECT_EQ(two->y, x->y - 36); // raised by R = 3H/5
    EXPECT_EQ(two->height, 40);
    EXPECT_EQ(two->x, kX + 30);
    EXPECT_TRUE(x->italic);
    // Scripts add half/2 above and one unit below.
    EXPECT_EQ(text.extent, (QvEquationExtent{13, 50, 75}));

    // Where y grows up the page every height changes sign.
    Drawn up = Draw("x^2", MM_HIMETRIC);
    x = up.canvas.Find(QStringLiteral("x"));
    two = up.canvas.Find(QStringLiteral("2"));
    ASSERT_TRUE(x && two);
    EXPECT_EQ(x->y, kY + 1 - 12);
    EXPECT_EQ(two->y, x->y + 36);
    EXPECT_EQ(up.extent, (QvEquationExtent{-11, 50, -75}));
}

TEST(EquationLayout, VerticalAlignmentPlacesTheCellsBottomLine) {
    // No flags: 48 above the baseline, 12 below.
    EXPECT_EQ(Draw("x", MM_TEXT, TA_TOP).canvas.texts[0].y, kY + 12 + 48);
    EXPECT_EQ(Draw("x", MM_TEXT, TA_BOTTOM).canvas.texts[0].y, kY + 12 + 1 - 12);
    EXPECT_EQ(Draw("x", MM_TEXT, TA_BASELINE).canvas.texts[0].y, kY + 1 + 12);
}

TEST(EquationLayout, MinusIsAnEnDashWithTheOperatorGap) {
    Drawn d = Draw("a-b");
    ASSERT_EQ(d.canvas.texts.size(), 3u);
    EXPECT_EQ(d.canvas.texts[1].text, QStringLiteral("\u2013"));
    // The gap A is split round the sign.
    EXPECT_EQ(d.canvas.texts[1].x, kX + 30 + 15);
    EXPECT_EQ(d.canvas.texts[2].x, kX + 30 + 15 + 30 + 15);
    // A minus with nothing before it belongs to its number.
    Drawn unary = Draw("-3");
    EXPECT_EQ(unary.canvas.texts[0].text, QStringLiteral("\u2013"));
    EXPECT_EQ(unary.canvas.texts[0].x, kX);
    EXPECT_EQ(unary.canvas.texts[1].x, kX + 30);
}

TEST(EquationLayout, FractionRowsAndBar) {
    Drawn d = Draw("ab/c");
    const int y0 = kY + 13;
    const InkText* a = d.canvas.Find(QStringLiteral("a"));
    const InkText* c = d.canvas.Find(QStringLiteral("c"));
    ASSERT_TRUE(a && c);
    EXPECT_EQ(a->y, y0 - 30);            // upper row at y0 - half
    EXPECT_EQ(c->y, y0 + 47);            // lower row at y0 + low
    EXPECT_EQ(c->x, kX + (60 - 30) / 2); // the narrower row is centred
    ASSERT_EQ(d.canvas.lines.size(), 1u);
    const std::vector<CPoint>& bar = d.canvas.lines[0].points;
    EXPECT_EQ(bar[0], CPoint(kX, y0 - 30));
    EXPECT_EQ(bar[1], CPoint(kX + 60, y0 - 30));
    // A fraction adds low below and half above.
    EXPECT_EQ(d.extent, (QvEquationExtent{12 + 47 + 1, 60, 48 + 30 + 12 + 47}));

    // A stacked list has rows and no bar.
    Drawn list = Draw("3,4");
    EXPECT_EQ(list.canvas.Find(QStringLiteral("4"))->y, y0 + 47);
    EXPECT_TRUE(list.canvas.lines.empty());
}

TEST(EquationLayout, BigOperatorsWithLimits) {
    const int y0 = kY + 13;
    Drawn sum = Draw("sigma(i=1,n) k");
    const InkText* sign = sum.canvas.Find(QStringLiteral("S"));
    const InkText* n = sum.canvas.Find(QStringLiteral("n"));
    const InkText* i = sum.canvas.Find(QStringLiteral("i"));
    ASSERT_TRUE(sign && n && i);
    EXPECT_TRUE(sign->symbol);
    EXPECT_EQ(sign->height, 120); // twice the font
    // Limits at script size; the lower one "i = 1" is the widest (75).
    EXPECT_EQ(i->height, 40);
    EXPECT_EQ(sign->x, kX + (75 - 60) / 2);
    EXPECT_EQ(sign->y, y0 + 5 * 7);
    EXPECT_EQ(i->x, kX);
    EXPECT_EQ(i->y, y0 + 13 * 7 / 2);
    EXPECT_EQ(n->x, kX + (75 - 20) / 2);
    EXPECT_EQ(n->y, y0 - 3 * (120 / 5));
    EXPECT_EQ(sum.canvas.Find(QStringLiteral("k"))->x, kX + 75 + 15 + 30);

    Drawn integral = Draw("int(0,1) x");
    const InkText* s = integral.canvas.Find(QStringLiteral("\u00F2")); // 242
    const InkText* lower = integral.canvas.Find(QStringLiteral("0"));
    const InkText* upper = integral.canvas.Find(QStringLiteral("1"));
    ASSERT_TRUE(s && lower && upper);
    EXPECT_EQ(s->x, kX + 15);
    EXPECT_EQ(s->y, y0 + 5 * (30 / 3));
    EXPECT_EQ(lower->x, kX + 15 + 60 + 5);
    EXPECT_EQ(lower->y, y0 + 3 * 15);
    EXPECT_EQ(upper->y, y0 - 4 * 15);

    // A limit: the word over its limit, a trailing sign raised.
    Drawn limit = Draw("lim(x->0+)");
    const InkText* lim = limit.canvas.Find(QStringLiteral("l"));
    const InkText* zero = limit.canvas.Find(QStringLiteral("0"));
    const InkText* plus = limit.canvas.Find(QStringLiteral("+"));
    ASSERT_TRUE(lim && zero && plus);
    EXPECT_EQ(lim->y, y0);
    EXPECT_EQ(zero->y, y0 + 30);
    EXPECT_EQ(plus->height, 30);
    EXPECT_LT(plus->y, zero->y);
}

TEST(EquationLayout, RadicalsBracketsAndMarks) {
    const int y0 = kY + 13;
    // The sign and the bar over what stands under it, one stroke.
    Drawn root = Draw("sqrt x");
    ASSERT_EQ(root.canvas.lines.size(), 1u);
    const std::vector<CPoint>& sign = root.canvas.lines[0].points;
    ASSERT_EQ(sign.size(), 5u);
    EXPECT_EQ(sign[3], CPoint(kX + 15 / 2 + 30, y0 - (78 - 3)));
    const InkText* x = root.canvas.Find(QStringLiteral("x"));
    ASSERT_TRUE(x);
    EXPECT_GE(x->x, sign[3].x);
    EXPECT_EQ(sign[4], CPoint(x->x + 30 + 1, sign[3].y));

    // Brackets round a fraction are drawn in three Symbol pieces each.
    Drawn tall = Draw("(a/b)");
    int pieces = 0;
    for (const InkText& t : tall.canvas.texts)
        pieces += t.symbol ? 1 : 0;
    EXPECT_EQ(pieces, 6);
    const InkText* bottom = tall.canvas.Find(QStringLiteral("\u00E8"));
    ASSERT_TRUE(bottom);
    EXPECT_EQ(bottom->y, y0 + 47 + 10);

    // A bar over x sits at its cell's top.
    Drawn over = Draw("x_");
    ASSERT_EQ(over.canvas.lines.size(), 1u);
    EXPECT_EQ(over.canvas.lines[0].points[0], CPoint(kX, y0 - 60));
    EXPECT_EQ(over.canvas.lines[0].points[1], CPoint(kX + 30, y0 - 60));
}

TEST(EquationLayout, RendersAgreeAndTabsStop) {
    // A list of three and a fraction in a superscript size the same on the
    // first render as on every later one.
    QvLogFont font = Font60();
    for (const char* text : {"(1,2,3)", "a,b,c", "e^(1/2)", "x^(a/b^2)"}) {
        QvEquation eq;
        eq.SetText(QString::fromLatin1(text));
        FixedCanvas canvas;
        QvEquationExtent first = eq.Measure(canvas, nullptr, &font);
        EXPECT_EQ(eq.Measure(canvas, nullptr, &font), first) << text;
        EXPECT_EQ(eq.Draw(canvas, TA_TOP, 0, 0, nullptr, &font), first) << text;
        // All three items of a list are drawn.
        if (text[0] == '(') {
            EXPECT_TRUE(canvas.Find(QStringLiteral("2")) && canvas.Find(QStringLiteral("3")));
        }
    }
    QvEquationOptions options;
    for (int tab : {0, 100}) {
        options.m_tabWidth = tab;
        QvEquation eq;
        eq.SetText(QStringLiteral("a\tb"), &options);
        FixedCanvas canvas;
        eq.Draw(canvas, TA_TOP, 0, 0, &options, &font);
        EXPECT_EQ(canvas.Find(QStringLiteral("b"))->x, tab ? 100 : 30) << tab;
    }
}

} // namespace
