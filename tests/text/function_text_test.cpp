// Typed maths turned into the text the graphs' function language reads.
#include "fixed_canvas.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <gtest/gtest.h>

namespace {

QString Readable(QString text) {
    return text.replace(QChar(205), QStringLiteral("<pi>"));
}

TEST(FunctionText, TypedMathsToFunctionText) {
    struct Case {
        const char* typed;
        const char* function;
    } cases[] = {
        {"2x", "2*x"},
        {"x(x+1)", "x*(x+1)"},
        {"3x^2+2x-1", "3*x^2+2*x-1"},
        {"xy", "x*y"},
        {"2pi x", "2*<pi>*x"},
        {"1/2 x", "(1/(2))*x"},
        {"2sin x", "2*(sin(x))"},
        // Function calls keep their names whole.
        {"sin(x)", "(sin(x))"},
        {"sin x", "(sin(x))"},
        // Inverse functions, with or without a blank before the argument.
        {"sin-1 x", "(asin(x))"},
        {"cos-1(x)", "(acos((x)))"},
        {"tan-1x+1", "(atan(x))+1"},
        {"|x-1|", "(abs(x-1))"},
        {"|x|+|y|", "(abs(x))+(abs(y))"},
        {"[x+1]{2}", "(x+1)*(2)"},
        // Roots as powers; a square root keeps its name.
        {"3root(x)", "((x)^(1/3))"},
        {"root(x+1)", "((x+1)^(1/2))"},
        {"sqrt(x)", "(sqrt(x))"},
        // The power of a function applies to its value.
        {"sin^2 x", "(sin(x)^2)"},
        {"cos^2(x+1)", "(cos(x+1)^2)"},
        {"x^-2", "x^(-2)"},
        {"2*x", "2*x"},
    };
    for (const Case& c : cases) {
        QvFunctionStr f;
        f.SetText(QString::fromLatin1(c.typed));
        EXPECT_EQ(Readable(f.ToFunctionText()), QString::fromLatin1(c.function)) << c.typed;
    }
}

TEST(FunctionText, EquationTextsAndOptions) {
    // Equation boxes spell a square root with its sign too.
    QvEquation eq;
    eq.SetText(QStringLiteral("sqrt(x)+pi"));
    EXPECT_EQ(Readable(eq.ToFunctionText()), QStringLiteral("(sqrt(x))+<pi>"));

    // A dot for '*' and a raised decimal point come back as the plain signs.
    QvEquationOptions options;
    options.m_raiseDecimal = 1;
    TheEquationOptions().m_dotMultiply = 1;
    QvFunctionStr f;
    f.SetText(QStringLiteral("2.5*x"), &options);
    TheEquationOptions().m_dotMultiply = 0;
    EXPECT_EQ(f.ToFunctionText(), QStringLiteral("2.5*x"));
}

// What the canvas was given, in order.
QString Drawn(const FixedCanvas& canvas) {
    QString out;
    for (const InkText& t : canvas.texts)
        out += QStringLiteral("%1,%2 %3 %4%5%6|")
                   .arg(t.x)
                   .arg(t.y)
                   .arg(t.text)
                   .arg(t.symbol)
                   .arg(t.bold)
                   .arg(t.italic);
    for (const InkLine& l : canvas.lines)
        for (const CPoint& p : l.points)
            out += QStringLiteral("%1,%2;").arg(p.x).arg(p.y);
    return out;
}

TEST(FunctionText, ConvertingLeavesTheDrawingAsItWas) {
    for (const char* typed : {"|x-1|+sin-1 x", "3root(x)^2", "[2x]"}) {
        QvFunctionStr f;
        f.SetText(QString::fromLatin1(typed));
        FixedCanvas before;
        f.Draw(before, TA_TOP, 0, 0, nullptr, nullptr);
        const QString first = f.ToFunctionText();
        EXPECT_EQ(f.ToFunctionText(), first) << typed;
        FixedCanvas after;
        f.Draw(after, TA_TOP, 0, 0, nullptr, nullptr);
        EXPECT_EQ(Drawn(after), Drawn(before)) << typed;
    }
}

} // namespace
