#include "platform/dc.h"
#include "text/font_select.h"
#include "text/number_text.h"

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
        {123.456, 2, '.', "123.46"}, {0.05, 3, '.', "0.05"}, {-0.5, 3, '.', "-0.5"},
        {100, 2, '.', "100"},        {100, 0, '.', "100"},   {-1e-10, 2, '.', "0"},
        {2.5, 2, ',', "2,5"},        {-0.001, 2, '.', "0"},
    };
    for (const Case& c : cases) {
        QString out;
        QvFormatDouble(out, c.value, c.digits, c.point);
        EXPECT_EQ(out, QString::fromLatin1(c.text)) << c.value;
    }
    EXPECT_EQ(QvFormatNumber(-1.50, 2), QStringLiteral("\u20131.5"));
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
