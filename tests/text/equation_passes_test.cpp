#include "fixed_canvas.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The cells as "char kind" tokens ("x3", "(20"), 'r' for a cell under a
// radical sign, a level other than 2 after '@' ("a3@1"), and Symbol or other high codes as "\\xNN".
// The two closing blanks are left out.
std::string Describe(const QvEquation& eq) {
    std::string out;
    int n = eq.GetCellCount();
    while (n > 0 && eq.GetCellChar(n - 1) == ' ' && eq.GetKind(n - 1) == 0 &&
           eq.GetLevel(n - 1) == 2)
        --n;
    for (int i = 0; i < n; ++i) {
        char16_t c = eq.GetCellChar(i);
        char buf[32];
        if (c == ' ')
            std::snprintf(buf, sizeof buf, "_");
        else if (c >= 33 && c < 127)
            std::snprintf(buf, sizeof buf, "%c", char(c));
        else
            std::snprintf(buf, sizeof buf, "\\x%X", unsigned(c));
        out += buf;
        out += std::to_string(eq.GetKind(i));
        if (eq.GetCellStyle(i).underRadical)
            out += 'r';
        if (eq.GetLevel(i) != 2)
            out += "@" + std::to_string(eq.GetLevel(i));
        if (i + 1 < n)
            out += ' ';
    }
    return out;
}

// Input against the cells the passes make of it.
TEST(EquationPasses, InputToCellKindsAndLevels) {
    struct Case {
        const char* text;
        const char* cells;
    } cases[] = {
        // Function names open a hidden group; the argument is grouped too
        // and its typed brackets hide until one holds '+', '-' or '*'.
        {"sin x", "(20 s4 i4 n4 _0 (20 x3 )21 )21"},
        {"sin(x)", "(20 s4 i4 n4 (20 x3 )21 )21"},
        {"sin(x+1) cos(y)", "(20 s4 i4 n4 (0 x3 +0 10 )0 )21 _0 (20 c4 o4 s4 (0 y3 )0 )21"},
        {"sinh", "(20 s4 i4 n4 h4 _0 _0 )21"},
        {"sin^2 x", "(20 s4 i4 n4 ^22 21 _0 (20 x3 )21 )21"},
        // Symbol words; quotes keep everything literal.
        {"pi", "p5"},
        {"\"pi^\"", "\"26 p45 i45 ^45 \"26"},
        // Powers, implicit after a letter or a closing bracket.
        {"x^2", "x3 ^22 21"},
        {"x2", "x3 ^22 21"},
        {"(x+1)2", "(0 x3 +0 10 )0 ^22 21"},
        {"e^(x+1)", "e3 ^22 (20 x23 +1 11 )21"},
        {"x^2^3", "x3 ^22 21 ^22 341"},
        {"x\\1", "x3 \\31 132"},
        {"a tf b", "a3 _0 \\5 _0 b3"}, // "therefore" lowers nothing
        // Fractions and stacked lists.
        {"a/b", "(20@1 a3@1 /27@4 (20@3 b3@3 )21@3 )21"},
        {"1/(x+1)", "(20@1 10@1 /27@4 (20@3 (20@3 x3@3 +0@3 10@3 )21@3 )21@3 )21"},
        {"(a/b)", "\\xE80@5 (20@1 a3@1 /27@4 (20@3 b3@3 )21@3 )21 \\xF80@5"},
        {"e^(1/2)", "e3 ^22 (20 (20@1 11@1 /27@4 (20@3 21@3 )21@3 )21 )21"},
        {"(3,-4)", "\\xE80@5 30@1 ,27@4 -0@3 40@3 \\xF80@5"},
        {"(1,2,3)", "\\xE80@5 10@1 ,27@4 20@7 ,27@4 30@3 \\xF80@5"},
        {"a,b,c", "a3@1 ,27@4 b3@7 ,27@4 c3@8"},
        // Vectors by best guess, double capitals.
        {"v=3i+4j", "v28 =0 30 i28 +0 40 j28"},
        {"x=3i", "x3 =0 30 i3"},
        {"AB", "A29 B30"},
        {"ABC", "A3 B3 C3"},
        // Roots: the sign, its hidden letters and what stands under it.
        {"sqrt(x)", "(20 \\xD647 q46r r46r t46r (20r x3r )21r )21"},
        {"sqrt2", "(20 \\xD647 q46r r46r t46r (20r 210r )21r )21"},
        {"sqrt x", "(20 \\xD647 q46r r46r t46r _0r (20r x3r )21r )21"},
        {"3root(x)", "(20 319 \\xD647 o46r o46r t46r (20r x3r )21r )21"},
        {"sqrt(1/2)", "(20 \\xD847 q46r r46r t46r (20r (20r@1 10r@1 /27r@4 (20r@3 20r@3 )21r@3 "
                      ")21r )21r )21"},
        // Bars and hats.
        {"x_", "x39 _26"},
        {"x^^", "x40 \\xAD26"},
        // Inverse functions; a typed sin(-1) is the sine of -1.
        {"sin-1 x", "(20 s4 i4 n4 -19 119 (20 )21 )21 _0 x3"},
        {"sin(-1)", "(20 s4 i4 n4 (0 -0 10 )0 )21"},
        // Big operators take their limits, split at ';'.
        {"sigma(i=1,n)", "s37 g37 m37 a37 (0 i3 =0 10 ;0 n3 )0"},
        {"lim(x->0)", "l38 i38 m38 (0 x3 \\xAE5 00 )0"},
    };
    for (const Case& c : cases) {
        QvEquation eq;
        eq.SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(Describe(eq), c.cells) << c.text;
    }
}

std::string WithoutBlanks(std::string cells) {
    std::string out;
    size_t at = 0;
    while (at < cells.size()) {
        size_t end = cells.find(' ', at);
        std::string token = cells.substr(at, end == std::string::npos ? end : end - at);
        if (token[0] != '_')
            out += token + ' ';
        at = end == std::string::npos ? cells.size() : end + 1;
    }
    return out;
}

TEST(EquationPasses, SameCellsForEquivalentSpellings) {
    auto cells = [](const char* text) {
        QvEquation eq;
        eq.SetText(QString::fromLatin1(text));
        return WithoutBlanks(Describe(eq));
    };
    EXPECT_EQ(cells("sin x"), cells("sin(x)"));
    EXPECT_EQ(cells("x2+1"), cells("x^2+1"));
}

TEST(EquationPasses, DialectsRunTheirOwnPasses) {
    QvEquationOptions comma;
    comma.m_decimalPoint = ',';
    comma.m_separator = ';';
    // Statistics texts keep typed brackets, write column names in capitals
    // and join '.' to a number only where it is the decimal point.
    QvStatStr stat;
    stat.SetText(QStringLiteral("sin(x) x2.5"), &comma);
    EXPECT_EQ(Describe(stat), "(20 s4 i4 n4 (0 x3 )0 )21 _0 x3 ^22 21 .0 50");
    EXPECT_EQ(stat.GetCellStyle(5).upperCase, 1);
    QvEquation eq;
    eq.SetText(QStringLiteral("x2.5"), &comma);
    EXPECT_EQ(Describe(eq), "x3 ^22 21 .1 51");
    // A raised decimal point is the centred dot, between digits only.
    QvEquationOptions raised;
    raised.m_raiseDecimal = 1;
    QvEquation dot;
    dot.SetText(QStringLiteral("2.5 + 3."), &raised);
    EXPECT_EQ(Describe(dot), "20 \\xB70 50 _0 +0 _0 30 .0");
    // Function texts know ten symbol words and nothing of vectors.
    QvFunctionStr function;
    function.SetText(QStringLiteral("pi al 3i"));
    EXPECT_EQ(Describe(function), "p5 _0 a3 l3 _0 30 i3");
}

TEST(EquationPasses, InsertionsStopAtTheLastCell) {
    // Every fraction inserts four hidden brackets: 60 of them need far
    // more cells than there are.
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QStringLiteral("a/b+");
    QvEquation eq;
    eq.SetText(text);
    EXPECT_EQ(eq.GetCellCount(), QvEquation::kCells);
    QvEquation functions;
    functions.SetText(QString(QStringLiteral("sin ")).repeated(60));
    EXPECT_LE(functions.GetCellCount(), QvEquation::kCells);
}

// Whatever is typed, the passes and the drawing stay inside the cells.
TEST(EquationPasses, ArbitraryTextIsSafe) {
    const char alphabet[] = "sincotaqrpilmgdex0123456789^_\\/()[]{},;.+-*=<>!~|\"` ABIJ";
    unsigned seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    QvLogFont font;
    font.m_logFont.lfHeight = 60;
    for (int n = 0; n < 1500; ++n) {
        QString text;
        int length = int(next() % 240);
        for (int k = 0; k < length; ++k)
            text += QChar(alphabet[next() % (sizeof alphabet - 1)]);
        QvEquation eq;
        eq.SetText(text);
        ASSERT_LE(eq.GetCellCount(), QvEquation::kCells) << text.toStdString();
        FixedCanvas canvas;
        QvEquationExtent extent = eq.Draw(canvas, TA_TOP, 0, 0, nullptr, &font);
        EXPECT_GE(extent.width, 0) << text.toStdString();
    }
}

} // namespace
