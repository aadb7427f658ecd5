// Compiling function texts and evaluating them; texts too long for the
// program's fixed size.
#include "function_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double S = QvUndefinedValue;

TEST(FunctionCompile, PostfixPrograms) {
    struct Case {
        const char* text;
        const char* program;
        int kind;
    } cases[] = {
        {"R=Q*2", "Q 2 *", 2},
        {"R=Q/2", "Q 2 /", 2},
        {"X=Y^2", "X 2 ^", 3}, // Y is the free variable
        {"2^3^2", "2 3 2 ^ ^", 1},
        {"1-2-3", "1 2 - 3 -", 1},
        {"1+2*3", "1 2 3 * +", 1},
        {"SIN(X)^2+3X-1/X", "X SIN 2 ^ 3 X * + 1 X / -", 1},
        {"-X^2", "-1 X 2 ^ *", 1},
        // A minus sign binds to what follows it, inside a power or a quotient.
        {"2^-X", "2 -1 X * ^", 1},
        {"E^-X*3", "E -1 X * ^ 3 *", 1},
        {"2/-X", "2 -1 X * /", 1},
        // An unclosed bracket keeps the operators before it.
        {"1+(2", "1 2 +", 1},
        {"", "", 1},
    };
    for (const Case& c : cases) {
        QvFunction f = Compiled(Text(c.text));
        EXPECT_EQ(ProgramWords(f), c.program) << c.text;
        EXPECT_EQ(f.data.kind, c.kind) << c.text;
    }
    QvFunction f = Compiled(Text("X=COS(T);Y=SIN(T)"));
    EXPECT_EQ(ProgramWords(f, 1), "T COS");
    EXPECT_EQ(ProgramWords(f, 2), "T SIN");
}

// ±S and exact values match exactly, others to 12 significant digits
// unless the row says otherwise.
void ExpectValue(double got, double want, double relative, const char* what) {
    if (std::fabs(want) == S || want == 0.0)
        EXPECT_EQ(got, want) << what;
    else
        EXPECT_NEAR(got, want, std::fabs(want) * relative) << what;
}

TEST(FunctionEvaluate, Values) {
    // Expected values from the issue, by hand, or from Python's math module
    // with the program's constants (e 2.718281828, degree factor
    // 0.017453292520882225).
    struct Case {
        const char* text;
        int angleMode;
        double t;
        double value;
        double relative = 1e-12;
    } cases[] = {
        {"1/X", 0, 0.0, S},
        {"1/X", 0, 1e-10, S},
        {"1/X", 0, 2e-9, 5e8},
        {"(-8)^(1/3)", 0, 0, -2},
        {"(-8)^(2/3)", 0, 0, 4},
        {"(-8)^0.3", 0, 0, S},
        {"(-2)^3", 0, 0, -8},
        {"(-2)^-3", 0, 0, -0.125},
        {"(-8)^(-1/3)", 0, 0, -0.5},
        {"10^9", 0, 0, S},
        {"X^2", 0, 1e6, 1e12},
        {"ASIN(0.5)", 0, 0, 29.9999999983861},
        {"ASIN(0.5)", 1, 0, 0.5235987755982989},
        {"ASIN(1)", 0, 0, S},
        {"ACOS(0.5)", 0, 0, 59.9999999967722},
        {"SEC(90)", 0, 0, -1.18338e10, 1e-5},
        {"LN(0)", 0, 0, -S},
        {"SQRT(-1)", 0, 0, -S},
        {"COSH(201)", 0, 0, S},
        {"TANH(201)", 0, 0, 1.0}, // math.tanh(201)
        {"TANH(-201)", 0, 0, -1.0},
        {"TANH(1)", 1, 0, 0.7615941559557649}, // math.tanh(1)
        {"NORMAL(0)", 0, 0, 0.39894228037538715},
        {"NORMAL(1)", 0, 0, 0.24197072450334595},
        {"2^3^2", 0, 0, 512},
        {"2^-X", 0, 3, 0.125},
        {"E^-X", 0, 1, 0.36787944123356736},
        {"-X^2", 0, 3, -9},
        {"2/-X", 0, 4, -0.5},
        {"P-2", 0, 0, 1.141592654},
        {"2 + 3", 0, 0, 5},
        {"1+(2", 0, 0, 3},
        {"GINT(X)", 0, -2.5, -3},
        {"GINT(X)", 0, -2, -2},
        {"GINT(X)", 0, 2.7, 2},
        {"SIN(30)", 9, 0, 0.500000000024394}, // an unknown angle mode is degrees
        {"SIN(100)", 2, 0, 1.0},              // grads
        {"X", 0, 7, 7},
        {"", 0, 7, 0}, // an empty program: the empty stack gives 0
    };
    for (const Case& c : cases) {
        const QvFunction f = Compiled(Text(c.text), c.angleMode);
        const auto [first, second] = f.Evaluate(c.t);
        EXPECT_EQ(first, c.t) << c.text;
        ExpectValue(second, c.value, c.relative, c.text);
    }
}

TEST(FunctionEvaluate, TwoPartFunction) {
    const QvFunction f = Compiled(Text("X=COS(T);Y=SIN(T)"));
    EXPECT_EQ(f.data.kind, 4);
    const auto [x, y] = f.Evaluate(0.0);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 0.0);
    const auto [x90, y90] = Compiled(Text("X=2T;Y=T+1")).Evaluate(3.0);
    EXPECT_EQ(x90, 6.0);
    EXPECT_EQ(y90, 4.0);
}

// n terms "T+T+...+T": 2n-1 tokens.
QString Sum(int terms) {
    QString text = QStringLiteral("T");
    for (int i = 1; i < terms; ++i)
        text += QStringLiteral("+T");
    return text;
}

TEST(FunctionBounds, TextsThatFitExactly) {
    // 99 tokens, 99 program entries.
    QvFunction whole = Compiled(Sum(50));
    EXPECT_NE(whole.tokens[99].code, TokEnd);
    EXPECT_EQ(whole.Evaluate(1.0).second, 50.0);
    // A first part of 49 entries ends where the second part begins.
    QvFunction twoPart = Compiled(QStringLiteral("X=") + Sum(25) + QStringLiteral(";Y=T"));
    EXPECT_EQ(twoPart.program[49].code, TokAdd);
    EXPECT_EQ(twoPart.program[50].code, TokT);
    EXPECT_EQ(twoPart.Evaluate(2.0), std::make_pair(50.0, 2.0));
}

TEST(FunctionBounds, TextsThatDoNotFitGetNoProgram) {
    const QString texts[] = {
        QStringLiteral("X+").repeated(199) + QStringLiteral("X"),         // 400 characters
        Sum(51),                                                          // 101 tokens
        QStringLiteral("X=") + Sum(30) + QStringLiteral(";Y=") + Sum(30), // 60 terms
        QStringLiteral("X=") + Sum(26) + QStringLiteral(";Y=T"),          // first part 51 entries
        QStringLiteral("X=T;Y=") + Sum(47) + QStringLiteral("+(((T)))"),
    };
    for (const QString& text : texts) {
        QvFunction f;
        f.data.expression = text;
        // A program left from the text before must not survive.
        f.program[1] = {TokX, 0.0};
        EXPECT_EQ(f.Compile(), QvFunction::kTooLong) << qPrintable(text);
        for (const QvFunctionToken& entry : f.program)
            EXPECT_EQ(entry.code, TokEnd) << qPrintable(text);
        EXPECT_EQ(f.data.expression, text);
    }
    // A 400-character text stops the token list at 99 tokens.
    QvFunction f;
    f.relation = TokLess; // the member after the list
    EXPECT_FALSE(f.Tokenize(QStringLiteral("X+").repeated(200)));
    EXPECT_EQ(f.tokens[99].code, TokX);
    EXPECT_EQ(f.relation, TokLess);
    // A domain that does not fit keeps the kind's defaults.
    f.data.expression = QStringLiteral("X");
    f.data.rangeText = QStringLiteral("X<1+").repeated(60);
    f.Compile();
    EXPECT_EQ(f.ParseDomain(), QvFunction::kTooLong);
    EXPECT_EQ(f.rangeLow, -100000.0);
    EXPECT_EQ(f.rangeHigh, 100000.0);
}

TEST(FunctionReset, InitialState) {
    QvFunction f = Compiled(Text("X^2"));
    f.rangeLow = 3;
    f.lowEnd = 6;
    f.relation = TokLess;
    f.data.selectedPoint = 4;
    f.data.dirty = 1;
    f.Reset();
    EXPECT_EQ(f.program[1].code, TokEnd);
    EXPECT_EQ(f.rangeLow, -1000.0);
    EXPECT_EQ(f.rangeHigh, 1000.0);
    EXPECT_EQ(f.lowEnd, 1);
    EXPECT_EQ(f.highEnd, 1);
    EXPECT_EQ(f.relation, TokEquals);
    EXPECT_EQ(f.data.selectedPoint, -1);
    EXPECT_EQ(f.data.dirty, 0);
    EXPECT_EQ(f.step, 0.0001);
    EXPECT_EQ(f.labelDigits, 6.0);

    f.SetRange(-1, 2, -3, 4, 1);
    EXPECT_EQ(f.data.xMin, -1.0);
    EXPECT_EQ(f.data.xMax, 2.0);
    EXPECT_EQ(f.data.yMin, -3.0);
    EXPECT_EQ(f.data.yMax, 4.0);
    EXPECT_EQ(f.angleMode, 1);
}

} // namespace
