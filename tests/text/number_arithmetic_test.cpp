// Number texts: classes, values and the exact step arithmetic of axes.
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

namespace {

const double kPi = 3.141592654;

TEST(NumberText, ClassesAndValues) {
    struct Class {
        const char* text;
        int kind;
    } classes[] = {{"2pi/3", 2}, {"-pi/6", 2}, {"5", 2}, {"1/2", 2},  {"e", 2}, {"1.5", 1},
                   {"0.5pi", 1}, {"1/2/3", 0}, {"x", 0}, {"2 pi", 0}, {"", 0},  {"p", 0}};
    for (const Class& c : classes)
        EXPECT_EQ(QvClassifyNumberText(QString::fromLatin1(c.text)), c.kind) << c.text;
    EXPECT_EQ(QvClassifyNumberText(QStringLiteral("1\u00B75")), 1); // a raised dot

    struct Value {
        const char* text;
        double value;
    } values[] = {{"pi/4", kPi / 4},  {"1,5", 1.5},        {" 2 pi / 3 ", 2 * kPi / 3},
                  {"-", -1.0},        {"-pi", -kPi},       {"", QvNoNumber},
                  {"2x", QvNoNumber}, {"1/0", QvNoNumber}, {"3/4", 0.75}};
    for (const Value& c : values)
        EXPECT_DOUBLE_EQ(QvTextToNumber(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(NumberText, Formatting) {
    EXPECT_EQ(QvFormatNumber(-2.50, 2), QStringLiteral("\u20132.5"));
    EXPECT_EQ(QvFormatNumber(1.0 / 3.0, -1), QStringLiteral("0.3333333333333333148296163"));
    EXPECT_EQ(QvFormatSignedNumber(0.0, 2), QStringLiteral("+ 0"));
    EXPECT_EQ(QvFormatSignedNumber(-1.26, 1), QStringLiteral("\u20131.3"));
    EXPECT_EQ(QvFormatNumberPlain(1.0 / 3.0), QStringLiteral("0.3333333333"));
    TheEquationOptions().m_decimalPoint = ',';
    EXPECT_EQ(QvFormatNumberPlain(2.5), QStringLiteral("2,5"));
    EXPECT_EQ(QvClassifyNumberText(QStringLiteral("2,5")), 1);
    TheEquationOptions().m_decimalPoint = '.';
}

// Step texts as an axis counts with them.
TEST(NumberText, StepArithmetic) {
    enum Op { Add, Subtract, Multiply };
    struct Case {
        const char* step;
        Op op;
        const char* other; // or the factor
        const char* result;
        bool ok;
    } cases[] = {
        {"pi/6", Add, "pi/3", "pi/2", true},
        {"0", Add, "pi/6", "pi/6", true},
        {"pi", Add, "1/2", "3.641592654", true}, // pi and plain numbers do not mix
        {"1/2", Add, "1/3", "5/6", true},
        {"pi/6", Subtract, "pi/6", "0", true}, // not "0pi"
        {"pi/6", Subtract, "-pi/3", "pi/2", true},
        {"2.5", Add, "1/4", "2.75", true},
        {"pi/6", Multiply, "4", "2pi/3", true},
        {"-pi/6", Multiply, "3", "-pi/2", true},
        {"pi/6", Multiply, "0", "0", true},
        {"1.5", Multiply, "3", "4.5", true},
        // Common factors above the small primes are cancelled too.
        {"pi/93", Multiply, "62", "2pi/3", true},
        {"1/1009", Multiply, "1009", "1", true},
        {"pi/2018", Multiply, "1009", "pi/2", true},
        // Sums that leave 32 bits are worked out in decimals.
        {"1/65536", Add, "1/65535", "0.0000305178", true},
        {"2147483647", Multiply, "4", "8589934588", true},
        {"1/0", Add, "1", "", false},
        {"x", Add, "1", "", false},
        {"1", Add, "", "", false},
        {"y", Multiply, "2", "", false},
    };
    for (const Case& c : cases) {
        QvEquation eq;
        eq.SetText(QString::fromLatin1(c.step));
        const QString other = QString::fromLatin1(c.other);
        BOOL ok = c.op == Add        ? eq.AddNumberText(other)
                  : c.op == Subtract ? eq.SubtractNumberText(other)
                                     : eq.MultiplyNumberText(other.toInt());
        EXPECT_EQ(eq.GetText(), QString::fromLatin1(c.result)) << c.step << " " << c.other;
        EXPECT_EQ(ok != FALSE, c.ok) << c.step << " " << c.other;
    }
    QvEquation eq;
    eq.SetText(QStringLiteral("2pi/3"));
    EXPECT_DOUBLE_EQ(eq.GetValue(), 2 * kPi / 3);
}

} // namespace
