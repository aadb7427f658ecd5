// The report markup: markers removed, runs formatted in text order, typed
// texts shown as typed.
#include "statistics/stat_rich_text.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A document in a 12-point face (240 twips), holding `text`, marked up.
std::unique_ptr<QTextDocument> MarkedUp(const QString& text, double points = 12) {
    auto doc = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    doc->setDefaultFont(font);
    doc->setPlainText(text);
    QvStatRichText().ApplyMarkup(*doc);
    return doc;
}

// The format of the character at `position`.
QTextCharFormat FormatAt(QTextDocument& doc, int position) {
    QTextCursor c(&doc);
    c.setPosition(position);
    c.setPosition(position + 1, QTextCursor::KeepAnchor);
    return c.charFormat();
}

// The point size a character is drawn at: its own, or the default's.
double SizeAt(QTextDocument& doc, int position) {
    const QTextCharFormat f = FormatAt(doc, position);
    return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                     : doc.defaultFont().pointSizeF();
}

TEST(StatRichText, WrappersPutTheMarkersAroundTheirText) {
    const QvStatRichText m;
    EXPECT_EQ(m.Subscript(QStringLiteral("n")), QStringLiteral("#Dn~"));
    EXPECT_EQ(m.Superscript(QStringLiteral("2")), QStringLiteral("#U2~"));
    EXPECT_EQ(m.SymbolFace(QStringLiteral("s")), QStringLiteral("#Cs~"));
    EXPECT_EQ(m.Smaller(QStringLiteral(" (Variance)\r\n")), QStringLiteral("#L (Variance)\r\n~"));
}

// Sizes by hand from 240 twips: 0.65 -> 156 twips (7.8 pt), 0.75 -> 180
// (9 pt), 1.2 -> 288 (14.4 pt).
TEST(StatRichText, SubscriptRunLosesItsMarkersAndShrinks) {
    auto doc = MarkedUp(QStringLiteral("s#Dn~ = 2"));
    EXPECT_EQ(doc->toPlainText(), QStringLiteral("sn = 2"));
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 1), 7.8);
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 0), 12);
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 2), 12);
    EXPECT_LT(FormatAt(*doc, 1).baselineOffset(), 0);
    EXPECT_EQ(FormatAt(*doc, 2).baselineOffset(), 0);
}

TEST(StatRichText, RunsAreFormattedInTextOrder) {
    auto doc = MarkedUp(QStringLiteral("x#U2~ + #Cs~ and #LS~"));
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf16(u"x2 + \u03C3 and S"));
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 1), 7.8);
    EXPECT_GT(FormatAt(*doc, 1).baselineOffset(), 0);
    // The symbol run keeps the report's face, at 1.2 times its height.
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 5), 14.4);
    EXPECT_EQ(FormatAt(*doc, 5).font().family(), doc->defaultFont().family());
    EXPECT_EQ(FormatAt(*doc, 5).baselineOffset(), 0);
    // "S" outside a symbol run stays a Latin S.
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 11), 9);
}

TEST(StatRichText, SymbolRunsShowSigmasAndLessOrEqual) {
    auto doc = MarkedUp(QStringLiteral("#Cs~ #CS~ 1 #C") + QChar(0xA3) + QStringLiteral("~ 2"));
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf16(u"\u03C3 \u03A3 1 \u2264 2"));
}

TEST(StatRichText, TextWithoutMarkersIsLeftAsItWas) {
    QTextEdit edit;
    edit.setReadOnly(true);
    edit.document()->setPlainText(QStringLiteral("n\t=\t5\nMean\t=\t3"));
    QvStatRichText().ApplyMarkup(*edit.document());
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("n\t=\t5\nMean\t=\t3"));
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_FALSE(edit.textCursor().hasSelection());
    EXPECT_FALSE(FormatAt(*edit.document(), 0).hasProperty(QTextFormat::FontPointSize));
}

TEST(StatRichText, ShownReportEndsReadOnlyWithoutSelection) {
    QTextEdit edit;
    edit.setReadOnly(true);
    edit.setPlainText(QStringLiteral("s#Dn~\t=\t2#L (Variance)\r\n~Range"));
    QvStatRichText().ApplyMarkup(*edit.document());
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("sn\t=\t2 (Variance)\nRange"));
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_FALSE(edit.textCursor().hasSelection());
}

TEST(StatRichText, UnclosedRunGoesToTheEnd) {
    auto doc = MarkedUp(QStringLiteral("a#Lbc\ndef"));
    EXPECT_EQ(doc->toPlainText(), QStringLiteral("abc\ndef"));
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 0), 12);
    for (int i : {1, 2, 4, 5, 6})
        EXPECT_DOUBLE_EQ(SizeAt(*doc, i), 9) << i;
}

TEST(StatRichText, UnknownCodeGivesTheDefaultFormat) {
    auto doc = MarkedUp(QStringLiteral("#Lab~#Xcd~#De~"));
    EXPECT_EQ(doc->toPlainText(), QStringLiteral("abcde"));
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 1), 9);
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 2), 12);
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 3), 12);
    EXPECT_EQ(FormatAt(*doc, 3).baselineOffset(), 0);
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 4), 7.8);
}

TEST(StatRichText, TypedTextIsShownAsTyped) {
    const QvStatRichText m;
    const QString name = QStringLiteral("A#1~x");
    auto doc =
        MarkedUp(QStringLiteral("Statistics for ") + m.Literal(name) + QStringLiteral("\ns") +
                 m.Subscript(m.Literal(QStringLiteral("~#D"))) + QStringLiteral(" = 2"));
    EXPECT_EQ(doc->toPlainText(), QStringLiteral("Statistics for A#1~x\ns~#D = 2"));
    for (int i = 0; i < 20; ++i)
        EXPECT_DOUBLE_EQ(SizeAt(*doc, i), 12) << i;
    // The typed "~#D" stays inside its subscript run.
    for (int i = 22; i < 25; ++i)
        EXPECT_DOUBLE_EQ(SizeAt(*doc, i), 7.8) << i;
    EXPECT_DOUBLE_EQ(SizeAt(*doc, 25), 12);
}

// Rows holding dark pixels of the glyphs in columns [x0, x1).
std::pair<int, int> InkRows(const QImage& image, int x0, int x1) {
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return {top, bottom};
}

// Where a run sits, drawn: "x" then a marked-up "x", both flat-bottomed,
// so the gap between their bottoms is the baseline offset.  Lowered 0.2 h
// and raised 0.45 h of 36 points: 7.2 and 16.2 points.
TEST(StatRichText, LoweredAndRaisedRunsSitOffTheBaseline) {
    const double pixelsPerPoint = QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 72.0;
    struct Case {
        const char* text;
        double drop; // points below the baseline
    } cases[] = {{"x#Dx~", 7.2}, {"x#Ux~", -16.2}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        auto doc = MarkedUp(QString::fromLatin1(k.text), 36);
        doc->setDocumentMargin(0);
        QImage image(200, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        doc->drawContents(&painter);
        painter.end();
        const int split = int(doc->documentLayout()->blockBoundingRect(doc->begin()).left() +
                              doc->firstBlock().layout()->lineAt(0).cursorToX(1));
        const auto big = InkRows(image, 0, split);
        const auto small = InkRows(image, split, image.width());
        ASSERT_GE(big.second, 0);
        ASSERT_GE(small.second, 0);
        EXPECT_NEAR(small.second - big.second, k.drop * pixelsPerPoint, 1.5);
    }
}

} // namespace
