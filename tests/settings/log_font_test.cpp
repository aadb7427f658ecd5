#include "platform/archive.h"
#include "text/log_font.h"
#include "text/number_text.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cmath>

TEST(LogFont, DefaultTextForm) {
    EXPECT_EQ(QvLogFont().ToText(), QStringLiteral("-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Arial"));
}

TEST(LogFont, TextFormRoundTripKeepsEveryField) {
    for (const char* face : {"Arial", "Times New Roman", "Courier New", "A, B,C", ""}) {
        QvLogFont font;
        font.m_logFont.lfHeight = -27;
        font.m_logFont.lfWidth = 3;
        font.m_logFont.lfEscapement = 900;
        font.m_logFont.lfOrientation = -900;
        font.m_logFont.lfWeight = 700;
        font.m_logFont.lfItalic = 1;
        font.m_logFont.lfUnderline = 1;
        font.m_logFont.lfStrikeOut = 1;
        font.m_logFont.lfCharSet = 255;
        font.m_logFont.lfQuality = 5;
        font.m_color = 0x00FFEEDD;
        font.m_drawHeight = 423;
        font.SetFaceName(QString::fromLatin1(face));
        QvLogFont back;
        back.FromText(font.ToText());
        EXPECT_EQ(back, font) << face;
        EXPECT_EQ(back.FaceName(), QString::fromLatin1(face));
        EXPECT_TRUE(QvLogFont::IsValidText(font.ToText())) << face;
    }
}

TEST(LogFont, ColourWithHighBitSurvivesSignedText) {
    QvLogFont font;
    font.m_color = 0xFF000000u;
    EXPECT_TRUE(font.ToText().contains(QStringLiteral(",-16777216,")));
    QvLogFont back;
    back.FromText(font.ToText());
    EXPECT_EQ(back.m_color, 0xFF000000u);
}

TEST(LogFont, ShortOrLongTextsParseWithoutHarm) {
    QvLogFont font;
    // Fewer than fifteen commas: the missing numbers are 0 and the rest of
    // the text is the face.
    font.FromText(QStringLiteral("10,0,0,0,700"));
    EXPECT_EQ(font.m_logFont.lfHeight, 10);
    EXPECT_EQ(font.m_logFont.lfWeight, 0);
    EXPECT_EQ(font.FaceName(), QStringLiteral("700"));
    EXPECT_FALSE(QvLogFont::IsValidText(QStringLiteral("10,0,0,0,700")));

    // A face longer than the record holds is cut to 31 characters.
    QString longFace(80, 'F');
    font.FromText(QStringLiteral("-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,") + longFace);
    EXPECT_EQ(font.FaceName(), QString(31, 'F'));
    EXPECT_FALSE(
        QvLogFont::IsValidText(QStringLiteral("-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,") + longFace));
    EXPECT_FALSE(QvLogFont::IsValidText(QStringLiteral("-14,x,0,0,400,0,0,0,0,7,48,2,2,0,400,A")));
}

TEST(LogFont, ArchiveFormIs52BytesAndKeepsUnstoredFields) {
    QvLogFont font;
    font.m_logFont.lfHeight = -20;
    font.m_logFont.lfWeight = 700;
    font.m_logFont.lfItalic = 1;
    font.m_logFont.lfQuality = 4; // not in the archive form
    font.m_color = 0x0000FF;
    font.m_drawHeight = 423;
    font.SetFaceName(QStringLiteral("Times, New Roman"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        CArchive ar(&buffer, CArchive::store);
        font.Serialize(ar);
        ar.Flush();
    }
    QByteArray bytes = buffer.data();
    ASSERT_EQ(bytes.size(), 52);
    EXPECT_EQ(bytes.mid(0, 12), QByteArray::fromHex("ecffffff bc020000 01000000"));
    EXPECT_EQ(bytes.mid(12, 17), QByteArray("Times, New Roman\0", 17));
    EXPECT_EQ(bytes.mid(44, 8), QByteArray::fromHex("ff000000 a7010000"));

    buffer.seek(0);
    QvLogFont back;
    back.m_logFont.lfQuality = 5;
    back.m_logFont.lfEscapement = 900;
    CArchive in(&buffer, CArchive::load);
    back.Serialize(in);
    EXPECT_EQ(back.FaceName(), QStringLiteral("Times, New Roman"));
    EXPECT_EQ(back.m_drawHeight, 423);
    EXPECT_EQ(back.m_logFont.lfHeight, -20);
    EXPECT_EQ(back.m_logFont.lfItalic, 1);
    EXPECT_EQ(back.m_color, 0x0000FFu);
    // Fields the archive form does not hold keep what they were.
    EXPECT_EQ(back.m_logFont.lfQuality, 5);
    EXPECT_EQ(back.m_logFont.lfEscapement, 900);
}

TEST(LogFont, PointSizeToDrawingHeight) {
    EXPECT_EQ(QvLogFont::DrawHeightForPointSize(120), 423);
    EXPECT_EQ(QvLogFont::DrawHeightForPointSize(100), 352);
    EXPECT_EQ(QvLogFont::DrawHeightForPointSize(85), 299);
}

TEST(NumberText, TextToDouble) {
    const double pi = 3.141592654;
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"pi/18", pi / 18}, {"2pi", 2 * pi},    {"pi", pi},
                 {"PI/2", pi / 2},   {"1/2", 0.5},       {"0.005", 0.005},
                 {"-3", -3.0},       {"-pi/2", -pi / 2}, {"1,5", 1.5},
                 {"", 1.0},          {"3/4", 0.75},      {"100000000000000000000000000", 1e26}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(QvTextToDouble(QString::fromLatin1(c.text)), c.value) << c.text;
    EXPECT_TRUE(std::isinf(QvTextToDouble(QStringLiteral("1/0"))));
    // A stray "p" at the end must not read past the text.
    EXPECT_DOUBLE_EQ(QvTextToDouble(QStringLiteral("2p")), 2 * pi);
}
