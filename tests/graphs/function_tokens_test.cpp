// The tokeniser, the reading of a left side and of a domain text.
#include "function_test_support.h"

#include "settings/figure_defaults.h"

#include <gtest/gtest.h>

namespace {

std::string Tokens(const QString& text, char decimalChar = '.') {
    QvFunction f;
    f.data.decimalChar = decimalChar;
    EXPECT_TRUE(f.Tokenize(text)) << qPrintable(text);
    return TokenWords(f);
}

TEST(FunctionTokens, ImplicitProductsAndSigns) {
    struct Case {
        const char* text;
        const char* tokens;
    } cases[] = {
        // Implicit products after numbers, between variables and brackets.
        {"2X", "2 * X"},
        {"2SIN(X)", "2 * SIN ( X )"},
        {"2(X+1)", "2 * ( X + 1 )"},
        {"(X+1)(X-1)", "( X + 1 ) * ( X - 1 )"},
        {"XX", "X * X"},
        {"2P", "2 * P"},
        // None after a variable, before a number or after ")".
        {"X2", "X 2"},
        {"X(X)", "X ( X )"},
        {"SIN(X)2", "SIN ( X ) 2"},
        // A leading minus before a variable is a factor -1; before a
        // digit, part of the number.
        {"-X^2", "-1 * X ^ 2"},
        {"-2^2", "-2 ^ 2"},
        {"(-3)", "( -3 )"},
        {"2*-3", "2 * -3"},
        {"2^-X", "2 ^ -1 * X"},
        {"2^-3", "2 ^ -3"},
        // After a value, a minus subtracts.
        {"X-3", "X - 3"},
        {"(X)-3", "( X ) - 3"},
        {"3-X", "3 - X"},
        {"P-2", "P - 2"},
        {"E-X", "E - X"},
        {"R=Q-1", "R = Q - 1"},
        // After a function's name it is the sign of the argument.
        {"SIN-X", "SIN -1 * X"},
        // Upper or lower case, words with X, T, Y and R in them.
        {"sin(x)", "SIN ( X )"},
        {"exp(x)+tan(t)-sqrt(y)+sr(r)", "100 ( X ) + TAN ( T ) - SQRT ( Y ) + SQRT ( R )"},
        {"cot(x)*gint(x)/normal(x)", "COT ( X ) * GINT ( X ) / NORMAL ( X )"},
        // A space ends a word and is otherwise skipped.
        {"2 + 3", "2 + 3"},
        {"SIN X", "SIN X"},
        {" T AN", "T"},
        {"12 34", "12 * 34"},
        // The Symbol pi reads as P.
        {"2\xCD", "2 * P"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tokens(Text(c.text)), c.tokens) << c.text;
}

TEST(FunctionTokens, UnknownWordsEndTheList) {
    struct Case {
        const char* text;
        const char* tokens;
    } cases[] = {
        // Only the single greater-or-equal character is a relation.
        {"X>=2", "X"},
        {"X+*2", "X"},
        {"2\xB4X", "2"}, // the Symbol multiplication sign has no code
        {"X+FOO(X)+1", "X +"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tokens(Text(c.text)), c.tokens) << c.text;
    EXPECT_EQ(Tokens(QString()), "");
    // A zero character ends the text.
    EXPECT_EQ(Tokens(QString::fromLatin1("X\0+1", 4)), "X");
}

TEST(FunctionTokens, RelationsAndExpCodes) {
    QvFunction f;
    f.Tokenize(Text("Y>X"));
    EXPECT_EQ(f.tokens[2].code, 100);
    f.Tokenize(Text("EXP(X)"));
    EXPECT_EQ(f.tokens[1].code, 100);
    f.Tokenize(Text("Y\xB3X;Y<X;Y\xA3X;X\xB9Y"));
    EXPECT_EQ(TokenWords(f), "Y 101 X 104 Y 102 X 104 Y 103 X 104 X 105 Y");

    EXPECT_EQ(QvFunction::ClassifyToken(Text("cosec")), TokCosec);
    EXPECT_EQ(QvFunction::ClassifyToken(Text("SR")), TokSqrt);
    EXPECT_EQ(QvFunction::ClassifyToken(Text(">")), TokExp);
    EXPECT_EQ(QvFunction::ClassifyToken(Text("\xB9")), TokNotEqual);
    EXPECT_EQ(QvFunction::ClassifyToken(Text("\xB4")), TokEnd);
    EXPECT_EQ(QvFunction::ClassifyToken(Text(">=")), TokEnd);
}

TEST(FunctionTokens, DecimalSeparator) {
    EXPECT_EQ(Tokens(Text("1.5X"), '.'), "1.5 * X");
    // With "," a "." is a letter: the number 1, then a word not in the table.
    EXPECT_EQ(Tokens(Text("1.5"), ','), "1 *");
    EXPECT_EQ(Tokens(Text("1,5X"), ','), "1.5 * X");
    EXPECT_EQ(Tokens(Text("1,5"), '.'), "1 *");
}

TEST(FunctionTokens, LeftSides) {
    struct Case {
        const char* text;
        int kind;
        int relation;
        int right; // the first token of the right side
    } cases[] = {
        {"Y=X^2", 1, 27, 3},
        {"X=Y^2", 3, 27, 3},
        {"F(X)=X", 1, 27, 6},
        {"F(T)=T", 1, 27, 6},
        {"F(Y)=Y", 3, 27, 6},
        {"R=2Q", 2, 27, 3},
        {"R2Q", 2, 27, 3}, // R takes the next token whatever it is
        {"X=COS(T);Y=SIN(T)", 4, 27, 3},
        {"Y>X", 1, 100, 3},
        {"Y\xB3X", 1, 101, 3},
        {"Y<X", 1, 102, 3},
        {"X\xA3Y", 3, 103, 3},
        {"Y\xB9X", 1, 27, 1}, // not equal is no relation: no left side
        {"1+X", 1, 27, 1},
    };
    for (const Case& c : cases) {
        QvFunction f;
        f.Tokenize(Text(c.text));
        f.data.kind = 1;
        f.relation = 27;
        EXPECT_EQ(f.ParseLeftSide(1), c.right) << c.text;
        EXPECT_EQ(f.data.kind, c.kind) << c.text;
        EXPECT_EQ(f.relation, c.relation) << c.text;
    }
}

TEST(FunctionTokens, Domains) {
    struct Case {
        const char* expression;
        const char* range;
        int angleMode;
        double low, high;
        int lowEnd, highEnd;
    } cases[] = {
        {"X",
         "-2<X\xA3"
         "3",
         0, -2, 3, 7, 6},
        {"X", "-2<x<=3", 0, -2, 3, 7, 6}, // as typed: "<=" becomes the symbol
        {"R=Q", "0<Q<2P", 0, 0, 6.283185308, 7, 7},
        {"X", "X>1", 0, 1, 100000, 7, 1},
        {"X", "X\xB3-1", 0, -1, 100000, 6, 1},
        {"X", "3>X", 0, -100000, 3, 1, 7},
        // Empty or unreadable texts keep the defaults of the kind.
        {"X", "", 0, -100000, 100000, 1, 1},
        {"X=Y", "", 0, -100000, 100000, 1, 1},
        {"X", "X", 0, -100000, 100000, 1, 1},
        {"R=Q", "", 0, 0, 360, 0, 0},
        {"R=Q", "", 1, 0, 6.283185308, 0, 0},
        {"R=Q", "", 2, 0, 400, 0, 0},
        {"R=Q", "", 7, 0, 360, 0, 0}, // an unknown angle mode reads as degrees
        {"X=COS(T);Y=SIN(T)", "", 0, 0, 20, 0, 0},
        {"X=COS(T);Y=SIN(T)", "1<T<5", 0, 1, 5, 0, 0},
    };
    for (const Case& c : cases) {
        QvFunction f;
        f.angleMode = c.angleMode;
        f.data.expression = Text(c.expression);
        f.data.rangeText = Text(c.range);
        f.Compile();
        EXPECT_EQ(f.ParseDomain(), QvFunction::kFits) << c.range;
        EXPECT_NEAR(f.rangeLow, c.low, 1e-9) << c.range;
        EXPECT_NEAR(f.rangeHigh, c.high, 1e-9) << c.range;
        EXPECT_EQ(f.lowEnd, c.lowEnd) << c.range;
        EXPECT_EQ(f.highEnd, c.highEnd) << c.range;
    }
}

TEST(FunctionTokens, DecimalCharComesFromTheLocale) {
    auto old = SetDecimalPointSource([] { return ','; });
    QvFunction f;
    SetDecimalPointSource(old);
    EXPECT_EQ(f.data.decimalChar, ',');
    f.Tokenize(Text("1,5"));
    EXPECT_EQ(TokenWords(f), "1.5");
}

} // namespace
