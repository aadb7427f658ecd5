#include "fixed_canvas.h"
#include "platform/dc.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/equation_tables.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The characters of the processed cells, blanks included.
std::u16string Cells(const QvEquation& eq) {
    std::u16string s;
    for (int i = 0; i < eq.GetCellCount(); ++i)
        s.push_back(eq.GetCellChar(i));
    return s;
}

// An engine whose cells are given kinds directly, to test the styling of
// kinds apart from the passes that find them.
class KindedEquation : public QvEquation {
public:
    std::vector<int> kinds;
    void Process() override {
        ClearCells();
        for (size_t i = 0; i < kinds.size(); ++i)
            m_kind[i] = static_cast<unsigned char>(kinds[i]);
        MapCells();
    }
};

TEST(EquationModel, SameTextIsNotProcessedAgainEvenWithOtherOptions) {
    QvEquationOptions upright, italic;
    upright.m_greekItalic = 0;
    italic.m_greekItalic = 1;
    QvEquation eq;
    eq.SetText(QStringLiteral("al"), &upright);
    EXPECT_EQ(eq.GetCellStyle(0).style, QvCellStyle::Regular);
    eq.SetText(QStringLiteral("al"), &italic);
    EXPECT_EQ(eq.GetCellStyle(0).style, QvCellStyle::Regular);
    eq.SetText(QStringLiteral("al "), &italic);
    EXPECT_EQ(eq.GetCellStyle(0).style, QvCellStyle::Italic);
}

TEST(EquationModel, BracketsAroundAFractionAreDrawnTall) {
    using K = QvEquation;
    struct Case {
        const char* text;
        std::vector<int> kinds;
        char16_t open, close; // 0: the typed brackets stay
    } cases[] = {
        {"(a/b)", {K::Plain, K::Variable, K::FractionMark, K::Variable, K::Plain}, 232, 248},
        {"[a/b]", {K::Plain, K::Variable, K::FractionMark, K::Variable, K::Plain}, 235, 251},
        {"{a/b)", {K::Plain, K::Variable, K::FractionMark, K::Variable, K::Plain}, 238, 248},
        {"(a+b)", {K::Plain, K::Variable, K::Plain, K::Variable, K::Plain}, 0, 0},
        // An opening bracket right after a hidden one belongs to a group.
        {"((a/b)",
         {K::HiddenOpen, K::Plain, K::Variable, K::FractionMark, K::Variable, K::Plain},
         0,
         0},
    };
    for (const Case& c : cases) {
        KindedEquation eq;
        eq.kinds = c.kinds;
        eq.SetText(QString::fromLatin1(c.text));
        int open = c.text[0] == '(' && c.kinds[0] == K::HiddenOpen ? 1 : 0;
        int close = int(std::strlen(c.text)) - 1;
        if (c.open) {
            EXPECT_EQ(eq.GetCellChar(open), c.open) << c.text;
            EXPECT_EQ(eq.GetCellChar(close), c.close) << c.text;
            for (int i : {open, close}) {
                EXPECT_EQ(eq.GetCellStyle(i).font, QvCellStyle::Symbol) << c.text;
                EXPECT_EQ(eq.GetCellStyle(i).level, 5) << c.text;
            }
        } else {
            EXPECT_EQ(eq.GetCellChar(open), u'(') << c.text;
            EXPECT_EQ(eq.GetCellStyle(open).level, 2) << c.text;
        }
        EXPECT_EQ(eq.GetLayoutFlags().tallBrackets, c.open != 0) << c.text;
    }
}

TEST(EquationModel, StylesFollowTheItalicAndBoldOptions) {
    struct Case {
        BYTE italic, bold;
        int style;
    } cases[] = {{0, 0, QvCellStyle::Regular},
                 {1, 0, QvCellStyle::Italic},
                 {0, 1, QvCellStyle::Bold},
                 {1, 1, QvCellStyle::BoldItalic}};
    for (const Case& c : cases) {
        QvEquationOptions o;
        o.m_variablesItalic = c.italic;
        o.m_variablesBold = c.bold;
        o.m_functionsItalic = c.italic;
        o.m_functionsBold = c.bold;
        o.m_greekItalic = c.italic;
        o.m_greekBold = c.bold;
        KindedEquation eq;
        // A variable, a function letter, a Greek letter, a Symbol sign.
        eq.kinds = {QvEquation::Variable, QvEquation::FunctionLetter, QvEquation::SymbolChar,
                    QvEquation::SymbolChar};
        eq.SetText(QStringLiteral("xsa\xB3"), &o);
        EXPECT_EQ(eq.GetCellStyle(0).style, c.style);
        EXPECT_EQ(eq.GetCellStyle(1).style, c.style);
        EXPECT_EQ(eq.GetCellStyle(1).function, 1);
        EXPECT_EQ(eq.GetCellStyle(2).style, c.style);
        EXPECT_EQ(eq.GetCellStyle(3).style, QvCellStyle::Regular); // not a letter
    }
    // Column names of statistics formulas are capitals; a cell under a
    // radical sheds the mark from its kind into its style.
    QvStatStr stat;
    stat.SetText(QStringLiteral("x"));
    KindedEquation eq;
    eq.kinds = {QvEquation::Variable + QvEquation::kUnderRadical};
    eq.SetText(QStringLiteral("x"));
    EXPECT_EQ(eq.GetKind(0), QvEquation::Variable);
    EXPECT_EQ(eq.GetCellStyle(0).underRadical, 1);
    EXPECT_EQ(eq.GetCellStyle(0).upperCase, 0);
}

TEST(EquationModel, SymbolWordsInTableOrder) {
    struct Case {
        const char* text;
        std::u16string cells;
    } cases[] = {
        {"sigma", u"sgma  "},  // "si" is sigma; the rest stays
        {"alpha", u"afa  "},   // "al" then "ph": the first match wins
        {"sinh", u"(sinh  )"}, // nothing is taken inside "sin"
        {"SI", u"S  "},        // the first of the two "SI" entries
        {"x>=1", u"x\xB3"
                 u"1  "}, // greater or equal
        {"a/ b", u"a\xB8"
                 u"b  "}, // the divide word keeps its blank
        {"a para b", u"a \x02 b  "},
    };
    for (const Case& c : cases) {
        QvEquation eq;
        eq.SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(Cells(eq), c.cells) << c.text;
    }
    // Sigma and the rest of the word then read "sgma", the sum sign.
    QvEquation sigma;
    sigma.SetText(QStringLiteral("sigma"));
    EXPECT_EQ(sigma.GetKind(0), QvEquation::SumLetter);
    EXPECT_EQ(sigma.GetKind(3), QvEquation::SumLetter);
    // Entry 38 repeats entry 32 and can never match.
    EXPECT_STREQ(kSymbolWords[31].word, "SI");
    EXPECT_STREQ(kSymbolWords[37].word, "SI");
    // The multiplication sign follows the program-wide choice.
    WORD saved = TheEquationOptions().m_dotMultiply;
    for (WORD dot : {0, 1}) {
        TheEquationOptions().m_dotMultiply = dot;
        QvEquation eq;
        eq.SetText(QStringLiteral("2*3"));
        EXPECT_EQ(eq.GetCellChar(1), dot ? kMultiplyDot : kMultiplyCross);
    }
    TheEquationOptions().m_dotMultiply = saved;
}

TEST(EquationModel, EachDialectKeepsItsOwnWords) {
    QvEquation before;
    before.SetText(QStringLiteral("inf"));
    QvStatStr stat;
    stat.SetText(QStringLiteral("inf pi"));
    QvFunctionStr function;
    function.SetText(QStringLiteral("inf !=~="));
    QvEquation after;
    after.SetText(QStringLiteral("inf"));
    EXPECT_EQ(Cells(before), u"\xA5  ");
    EXPECT_EQ(Cells(after), u"\xA5  ");
    // Statistics texts know the first seven words, function texts ten.
    EXPECT_EQ(Cells(stat), u"inf p  ");
    EXPECT_EQ(Cells(function), u"inf \xB9~=  ");
    // Function names too: "round" is a name in statistics texts only, and
    // reading one leaves a plain equation's names as they were.
    QvEquation plain;
    plain.SetText(QStringLiteral("round x+sin x"));
    QvStatStr names;
    names.SetText(QStringLiteral("round x"));
    QvEquation again;
    again.SetText(QStringLiteral("round x+sin x"));
    // The function flag of the first cell holding `c`.
    const auto named = [](const QvEquation& eq, char16_t c) {
        for (int i = 0; i < eq.GetCellCount(); ++i)
            if (eq.GetCellChar(i) == c)
                return eq.GetCellStyle(i).function != 0;
        return false;
    };
    for (const QvEquation* eq : {&plain, &again}) {
        EXPECT_FALSE(named(*eq, u'r'));
        EXPECT_TRUE(named(*eq, u's'));
    }
    EXPECT_TRUE(named(names, u'r'));
}

TEST(EquationModel, TextBeyondTheCellsIsCut) {
    QvEquation eq;
    eq.SetText(QString(300, 'x'));
    ASSERT_EQ(eq.GetCellCount(), QvEquation::kCells);
    EXPECT_EQ(eq.GetCellChar(QvEquation::kCells - 3), u'x');
    EXPECT_EQ(eq.GetCellChar(QvEquation::kCells - 1), u' ');
    // A character Windows-1252 has no place for is kept as typed.
    eq.SetText(QStringLiteral("a\u2264b\u20AC"));
    EXPECT_EQ(Cells(eq), u"a\u2264b\x80  ");
}

TEST(EquationModel, DrawPlacesTheTextByTheHorizontalAlignment) {
    QvEquation eq;
    eq.SetText(QStringLiteral("abcd"));
    QvLogFont font;
    font.m_logFont.lfHeight = 20; // characters 10 wide
    for (UINT align : {TA_LEFT, TA_CENTER, TA_RIGHT}) {
        FixedCanvas canvas;
        QvEquationExtent extent = eq.Draw(canvas, align | TA_BASELINE, 500, 300, nullptr, &font);
        EXPECT_EQ(extent.width, 40);
        ASSERT_FALSE(canvas.texts.empty());
        int left = align == TA_LEFT ? 500 : align == TA_CENTER ? 480 : 460;
        EXPECT_EQ(canvas.texts.front().x, left) << align;
        EXPECT_EQ(canvas.texts.back().x + 10, left + 40) << align;
        FixedCanvas measuring;
        EXPECT_EQ(eq.Measure(measuring, nullptr, &font), extent);
        EXPECT_TRUE(measuring.texts.empty());
    }
}

TEST(EquationModel, MeasureLeavesNoInkAndDrawCentresOnX) {
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QvEquation eq;
    eq.SetText(QStringLiteral("mmmm"));
    QvLogFont font;
    font.m_logFont.lfHeight = -30;
    CDC dc(&image);
    QvEquationExtent measured = eq.Measure(&dc, nullptr, &font);
    EXPECT_GT(measured.width, 40);
    dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    // Measuring near the page would show if it inked.
    EXPECT_EQ(image, [] {
        QImage white(400, 100, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }());
    EXPECT_EQ(eq.Draw(&dc, 200, 60, nullptr, &font), measured);
    EXPECT_EQ(dc.GetTextAlign(), TA_CENTER | TA_BASELINE);
    int left = 400, right = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 400; ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_NEAR((left + right) / 2.0, 200, 3);
    EXPECT_NEAR(right - left, measured.width, 6);
}

} // namespace
