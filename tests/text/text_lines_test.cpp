// Plain text in a box: where lines break, where they are anchored and how
// they follow each other in a turned box.
#include "geometry/drawing_test_support.h"
#include "text/font_select.h"
#include "text/text_lines.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

QvLogFont Font20() {
    QvLogFont font;
    font.m_logFont.lfHeight = -20;
    font.m_drawHeight = 529; // 20 pixels at 96 dpi, for MM_HIMETRIC
    return font;
}

// A white page with a context on it, in MM_TEXT unless told.
struct Surface {
    explicit Surface(int mode = MM_TEXT) : image(Page(96, 400, 300)) {
        dc = std::make_unique<CDC>(&image);
        Prepare(*dc, mode);
        if (mode == MM_HIMETRIC)
            dc->SetWindowOrg(0, 0);
    }
    QImage image;
    std::unique_ptr<CDC> dc;
};

QvGRRect Box(double left, double top, double right, double bottom) {
    return QvGRRect(QvPoint(left, top), QvPoint(right, top), QvPoint(right, bottom),
                    QvPoint(left, bottom));
}

TEST(TextLines, BreaksAtBlanksReturnsAndInsideLongWords) {
    Surface s;
    QvFontSelect font;
    font.SetFont(Font20());
    font.Select(s.dc.get());
    auto width = [&](const char* text) { return double(s.dc->GetTextExtent(text).cx); };
    struct Case {
        const char* text;
        int start;
        double width;
        const char* line;
        int next;
    };
    const Case cases[] = {
        // Two two-letter words: the first keeps its blank.
        {"ab cd", 0, width("ab ") + 1, "ab ", 3},
        {"ab cd", 3, width("ab ") + 1, "cd", 6},
        // The return and the line feed start a new line and are not drawn.
        {"ab\r\ncd", 0, 1000, "ab", 4},
        {"ab\r\ncd", 4, 1000, "cd", 7},
        // The fourth letter reaches the width: three stay on the line.
        {"abcdefgh", 0, width("abcd"), "abc", 3},
        // No width: one character a line.
        {"abc", 0, 0, "a", 1},
        {"abc", 1, 0, "b", 2},
        // A word reaching the width in its first character or two is not
        // cut shorter than two.
        {"abcdefgh", 0, width("a"), "ab", 2},
    };
    for (const Case& c : cases) {
        QString line = QString::fromLatin1(c.text);
        int next = QvNextTextLine(s.dc.get(), line, c.start, c.width);
        EXPECT_EQ(line, QString::fromLatin1(c.line)) << c.text << " from " << c.start;
        EXPECT_EQ(next, c.next) << c.text << " from " << c.start;
    }
    font.Restore(s.dc.get());
}

TEST(TextLines, EscapementOfTheTopSide) {
    struct Case {
        QvPoint c0, c1;
        int escapement;
    };
    const Case cases[] = {
        {QvPoint(0, 0), QvPoint(100, 0), 0},     {QvPoint(0, 100), QvPoint(0, 0), 900}, // dy > 0
        {QvPoint(0, 0), QvPoint(0, 100), 2700},                                         // dy < 0
        {QvPoint(0, 0), QvPoint(0, 0), 2700},    // no side at all
        {QvPoint(0, 100), QvPoint(100, 0), 450}, // up and right in y-down terms
        {QvPoint(100, 10), QvPoint(0, 0), 1743}, {QvPoint(0, 0), QvPoint(100, 100), -450},
    };
    for (const Case& c : cases) {
        QvGRRect frame(c.c0, c.c1, c.c1, c.c0);
        EXPECT_EQ(QvTextEscapement(frame), c.escapement) << c.c1.x << "," << c.c1.y;
    }
}

// One line, anchored at corner 0, the middle of the top side or corner 1.
TEST(TextLines, OneLineAnchorsByAlignment) {
    struct Case {
        int mode;
        UINT align;
        int edge; // the ink's left, middle or right, in pixels
    };
    const Case cases[] = {
        {MM_TEXT, TA_LEFT, 100},     {MM_TEXT, TA_CENTER, 200},     {MM_TEXT, TA_RIGHT, 300},
        {MM_HIMETRIC, TA_LEFT, 100}, {MM_HIMETRIC, TA_CENTER, 200}, {MM_HIMETRIC, TA_RIGHT, 300},
    };
    for (const Case& c : cases) {
        Surface s(c.mode);
        // The box from pixel (100, 50) to (300, 150).
        CPoint corners[2] = {CPoint(100, 50), CPoint(300, 150)};
        s.dc->DPtoLP(corners, 2);
        QvGRRect box = Box(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        QvDrawTextLines(s.dc.get(), QStringLiteral("HHHH"), box, int(c.align), Font20());
        QRect ink = InkBounds(s.image);
        ASSERT_FALSE(ink.isEmpty());
        const int at = c.align == TA_LEFT    ? ink.left()
                       : c.align == TA_RIGHT ? ink.right() + 1
                                             : ink.center().x();
        EXPECT_NEAR(at, c.edge, 3) << "mode " << c.mode << " align " << c.align;
        // Top of the line at the top of the box, capitals just below.
        EXPECT_NEAR(ink.top(), 54, 3) << "mode " << c.mode << " align " << c.align;
        EXPECT_LT(ink.bottom(), 75);
    }
}

TEST(TextLines, LinesFollowDownTheBoxAndAcrossATurnedOne) {
    // Two lines; a zero-width box gives one character a line.
    struct Case {
        const char* text;
        double width;
        size_t lines;
    };
    const Case cases[] = {
        {"xx\r\nxx", 300, 2},
        {"xxx", 0, 3},
    };
    for (const Case& c : cases) {
        Surface s;
        QvDrawTextLines(s.dc.get(), QString::fromLatin1(c.text), Box(50, 20, 50 + c.width, 280),
                        int(TA_LEFT), Font20());
        auto bands = InkBands(s.image, true);
        ASSERT_EQ(bands.size(), c.lines) << c.text;
        // One font height apart: 20 pixels of em make a cell of 23.
        EXPECT_NEAR(bands[1].first - bands[0].first, 23, 1) << c.text;
        if (c.width == 0) { // every line alone
            EXPECT_LT(InkBounds(s.image).width(), 14);
        }
    }

    // The box turned a quarter to the left: its top side runs up the page
    // and its lines step to the right, each reading upward.
    Surface s;
    QvGRRect turned(QvPoint(50, 250), QvPoint(50, 50), QvPoint(250, 50), QvPoint(250, 250));
    QvDrawTextLines(s.dc.get(), QStringLiteral("xxxxxx\r\nxxxxxx"), turned, int(TA_LEFT), Font20());
    auto columns = InkBands(s.image, false);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_NEAR(columns[1].first - columns[0].first, 23, 1);
    QRect ink = InkBounds(s.image);
    EXPECT_GT(ink.height(), ink.width());
    EXPECT_GE(ink.left(), 50);
    EXPECT_LE(ink.bottom(), 250);
    EXPECT_GT(ink.bottom(), 220); // starts at corner 0, the box's lower left
}

// A megabyte of text: lines are broken in time linear in the text, and
// nothing is laid out below the box, so drawing takes a moment, not minutes.
TEST(TextLines, AMegabyteOfTextDrawsPromptlyAndStopsBelowTheBox) {
    QString text;
    text.reserve(1 << 20);
    while (text.size() < (1 << 20) - 40)
        text += QStringLiteral("lorem ipsum dolor sit amet consectetur ");
    text += QString(40, QChar('x')); // one word wider than the box
    Surface s;
    QElapsedTimer timer;
    timer.start();
    QvDrawTextLines(s.dc.get(), text, Box(50, 20, 250, 120), int(TA_LEFT), Font20());
    EXPECT_LT(timer.elapsed(), 2000);
    // Five lines of 23 pixels start inside a box 100 high.
    EXPECT_EQ(InkBands(s.image, true).size(), 5u);
    EXPECT_LT(InkBounds(s.image).bottom(), 120 + 23);
}

TEST(TextLines, EmptyTextDrawsNothing) {
    Surface s;
    EXPECT_EQ(QvDrawTextLines(s.dc.get(), QString(), Box(10, 10, 200, 200), int(TA_LEFT), Font20()),
              0);
    EXPECT_TRUE(InkBounds(s.image).isEmpty());
}

} // namespace
