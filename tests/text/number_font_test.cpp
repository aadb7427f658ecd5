#include "platform/dc.h"
#include "text/font_select.h"
#include "text/number_text.h"
#include "text/stacks.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(FormatDouble, DecimalsTrimmedAndPointChosen) {
    struct Case {
        double value;
        int digits;
        char point;
        const char* text;
    } cases[] = {
        {123.456, 2, '.', "123.46"},
        {0.05, 3, '.', "0.05"},
        {-0.5, 3, '.', "-0.5"},
        {100, 2, '.', "100"},
        {100, 0, '.', "100"},
        {-1e-10, 2, '.', "0"},
        {2.5, 2, ',', "2,5"},
        {-0.001, 2, '.', "0"},
        // A value that rounds to no digits is still written as a number.
        {0.4, 0, '.', "0"},
        {0.0, 3, '.', "0"},
        {9.996, 2, '.', "10"},
    };
    for (const Case& c : cases) {
        QString out;
        QvFormatDouble(out, c.value, c.digits, c.point);
        EXPECT_EQ(out, QString::fromLatin1(c.text)) << c.value;
    }
    EXPECT_EQ(QvFormatNumber(-1.50, 2), QStringLiteral("\u20131.5"));
}

TEST(NumberText, ParseDigitRoundAndList) {
    const double pi = 3.141592654, e = 2.718281828;
    struct Parse {
        const char* text;
        double value;
    } parses[] = {{"2pi/3", 2 * pi / 3}, {"-pi/2", -pi / 2}, {"pi", pi},  {"1,5", 1.5},
                  {"3/4", 0.75},         {"", 1.0},          {"-", -1.0}, {"1e5", 15 * e}};
    for (const Parse& c : parses)
        EXPECT_DOUBLE_EQ(QvParseNumber(QString::fromLatin1(c.text)), c.value) << c.text;

    struct Digit {
        double value;
        int power;
        char digit;
    } digits[] = {
        {2345.0, 2, '3'}, {2345.0, 0, '5'}, {0.25, -1, '2'}, {0.3, -1, '3'}, {99999.0, 5, '0'}};
    for (const Digit& c : digits)
        EXPECT_EQ(QvDigitAt(c.value, c.power), c.digit) << c.value << " " << c.power;

    EXPECT_DOUBLE_EQ(QvRoundToPower(2.25, -1), 2.3);
    EXPECT_DOUBLE_EQ(QvRoundToPower(-2.25, -1), -2.2);
    EXPECT_DOUBLE_EQ(QvRoundToPower(1234.0, 2), 1200.0);

    const double list[] = {1.0, 2.0, 0.0, 3.0};
    EXPECT_TRUE(QvIsValueInList(2.0, list));
    EXPECT_FALSE(QvIsValueInList(3.0, list));
    EXPECT_FALSE(QvIsValueInList(0.0, list));
    EXPECT_TRUE(QvCharInSet('b', "abc"));
    EXPECT_FALSE(QvCharInSet('\0', "abc"));
}

TEST(Stacks, BoundsAreKeptAndEmptyStacksAnswerZero) {
    QvValueStack values;
    EXPECT_EQ(values.PopValue(), 0.0);
    EXPECT_EQ(values.GetCount(), 0);
    values.SetTopCode(7);
    values.SetTopText(QStringLiteral("lost"));
    EXPECT_EQ(values.GetTopCode(), 0);
    EXPECT_TRUE(values.GetTopText().isEmpty());
    // 129 pushes: the count stops at 127 instead of wrapping below zero.
    int accepted = 0;
    for (int i = 1; i <= 129; ++i)
        accepted += values.PushValue(i) ? 1 : 0;
    EXPECT_EQ(accepted, QvValueStack::kCapacity);
    EXPECT_EQ(values.GetCount(), 127);
    EXPECT_EQ(values.TopValue(), 127.0);
    EXPECT_EQ(values.GetTopCode(), -1);
    values.SetTopCode(4);
    values.SetTopText(QStringLiteral("A1"));
    EXPECT_EQ(values.GetTopCode(), 4);
    EXPECT_EQ(values.GetTopText(), QStringLiteral("A1"));
    for (int i = 127; i >= 1; --i)
        EXPECT_EQ(values.PopValue(), double(i));
    EXPECT_TRUE(values.IsEmpty());
    EXPECT_EQ(values.PopValue(), 0.0);
    // A pushed record is a plain number again, whatever it held before.
    values.PushValue(5.0);
    EXPECT_EQ(values.GetTopCode(), -1);

    QvIntStack ints;
    EXPECT_EQ(ints.Pop(), 0);
    EXPECT_EQ(ints.Top(), 0);
    for (int i = 1; i <= 200; ++i)
        ints.Push(i);
    EXPECT_EQ(ints.GetCount(), QvIntStack::kCapacity);
    EXPECT_EQ(ints.Top(), 199);
    EXPECT_FALSE(ints.Push(1));
}

TEST(FontSelect, HeightByMappingModeAndRestore) {
    QImage image(20, 20, QImage::Format_RGB32);
    CDC dc(&image);
    QvLogFont font;
    font.m_logFont.lfHeight = -14;
    font.m_drawHeight = 400;
    font.m_color = RGB(1, 2, 3);
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        dc.SetMapMode(mode);
        const CFont* before = dc.GetCurrentFont();
        LONG beforeHeight = before->Log().lfHeight;
        QvFontSelect select;
        select.SetFont(font);
        select.Select(&dc);
        EXPECT_EQ(dc.GetCurrentFont()->Log().lfHeight, mode == MM_TEXT ? -14 : 400);
        EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
        select.Restore(&dc);
        EXPECT_EQ(dc.GetCurrentFont()->Log().lfHeight, beforeHeight);
        EXPECT_EQ(dc.GetTextColor(), 0u);
    }
    // Forgotten Restore: the context is left the system font.
    {
        QvFontSelect select;
        select.SetFont(font);
        select.Select(&dc);
    }
    const CFont* system = static_cast<CFont*>(CGdiObject::GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(dc.GetCurrentFont()->Log().lfHeight, system->Log().lfHeight);
}

} // namespace
