#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_text.h"
#include "geometry/gr_rect.h"
#include "platform/command_ids.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <cmath>

namespace {

class TextTest : public FigureTest {
protected:
    void TearDown() override { QvFigText::PropertiesDialog::Set(nullptr); }

    // A box pressed at its top-left and released at its bottom-right.
    static std::unique_ptr<QvFigText> Box(int tool = QvFigText::ToolId,
                                          QvPoint from = QvPoint(1000, 4500),
                                          QvPoint to = QvPoint(9000, 1500)) {
        auto box = Make<QvFigText>(tool);
        EXPECT_TRUE(box);
        EXPECT_FALSE(Click(*box, from));
        EXPECT_TRUE(Click(*box, to));
        box->MapToFrame(NullFrame);
        box->BuildFromPoints();
        return box;
    }

    static QByteArray RecordBytes(QvEditDataText& record) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        record.Serialize(ar);
        ar.Close();
        return bytes;
    }
    static void LoadRecord(QvEditDataText& record, QByteArray bytes) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(&buffer, CArchive::load);
        record.Serialize(ar);
    }
};

TEST_F(TextTest, MadeWithTheTextDefaultsByEitherTool) {
    QvSettings& s = TheSettings();
    QvLogFont font;
    font.m_drawHeight = 555;
    font.m_color = RGB(1, 2, 3);
    s.m_TextDefaults.Font.SetValue(font);
    s.m_TextDefaults.Justify.SetValue(2);
    s.m_TextDefaults.Rotatable.SetValue(0);

    auto text = Box();
    const QvEditDataText& r = *text->TextData();
    EXPECT_EQ(text->GetToolId(), QvFigText::ToolId);
    EXPECT_FALSE(text->IsEquation());
    EXPECT_EQ(r.m_font, font);
    EXPECT_EQ(r.m_nJustify, 2);
    EXPECT_EQ(r.m_bRotatable, 0);
    EXPECT_EQ(r.m_lineColor, RGB(10, 20, 30));
    EXPECT_EQ(r.m_fillStyle, ID_FILL_NONE);
    EXPECT_EQ(r.m_fillColor, 0x646464u);
    EXPECT_EQ(text->GetDescription(), QStringLiteral("Text Box"));
    ExpectPoint(text->GetPoint(0), 1000, 1500); // display corner 3

    // The equation tool makes a text box that holds equations.
    auto equation = Box(QvFigText::EquationToolId);
    EXPECT_EQ(equation->GetToolId(), QvFigText::ToolId);
    EXPECT_TRUE(equation->IsEquation());

    s.m_TextDefaults.Font.SetValue(QvLogFont());
    s.m_TextDefaults.Justify.SetValue(0);
    s.m_TextDefaults.Rotatable.SetValue(1);
}

TEST_F(TextTest, RecordStoresEveryFieldWithTheLongStringForm) {
    QvEditDataText record;
    record.m_lineColor = RGB(9, 8, 7);
    record.m_nEquation = 1;
    record.m_strText = QString(298, QChar('a')) + QStringLiteral("\r\n");
    record.m_font.m_drawHeight = 423;
    record.m_font.m_color = RGB(200, 0, 0);
    record.m_nJustify = 1;
    record.m_bRotatable = 0;
    const QByteArray bytes = RecordBytes(record);
    ASSERT_EQ(bytes.size(), 16 + 2 + 4 + 3 + 300 + 52 + 4 + 1);
    EXPECT_EQ(bytes.mid(16, 6), Hex("01 00 01 00 00 00"));
    // 300 characters: the byte 0xFF, then the length as a word.
    EXPECT_EQ(bytes.mid(22, 3), Hex("FF 2C 01"));
    EXPECT_EQ(bytes.right(5), Hex("01 00 00 00 00"));

    QvEditDataText back;
    LoadRecord(back, bytes);
    EXPECT_EQ(back.m_lineColor, record.m_lineColor);
    EXPECT_EQ(back.m_nEquation, 1);
    EXPECT_EQ(back.m_strText, record.m_strText);
    EXPECT_EQ(back.m_font, record.m_font);
    EXPECT_EQ(back.m_nJustify, 1);
    EXPECT_EQ(back.m_bRotatable, 0);
    EXPECT_EQ(RecordBytes(back), bytes);
}

// A record without its fields, or with a justification no dialog gives,
// reads as left-justified, rotatable plain text rather than as whatever
// the record held before.
TEST_F(TextTest, OldOrOddRecordsReadAsSaneValues) {
    QvEditDataText odd;
    odd.m_nEquation = 1;
    odd.m_nJustify = 2;
    odd.m_bRotatable = 0;
    QByteArray versionZero = RecordBytes(odd).left(18);
    versionZero[16] = 0;
    LoadRecord(odd, versionZero);
    EXPECT_EQ(odd.m_nEquation, 0);
    EXPECT_EQ(odd.m_nJustify, QvEditDataText::Left);
    EXPECT_EQ(odd.m_bRotatable, 1);

    QvEditDataText seven;
    seven.m_nJustify = 7;
    QvEditDataText back;
    LoadRecord(back, RecordBytes(seven));
    EXPECT_EQ(back.m_nJustify, QvEditDataText::Left);
}

TEST_F(TextTest, DrawModesChooseOutlineAndText) {
    struct Case {
        int mode;
        bool outline, text;
    };
    const Case cases[] = {{0, false, true}, {1, true, false}, {2, true, true},  {3, false, false},
                          {4, true, true},  {5, false, true}, {6, false, false}};
    for (const Case& c : cases) {
        auto box = Box();
        box->SetText(QStringLiteral("HHHH"));
        HimetricPage page;
        page.Draw([&](CDC& dc) {
            CPen pen(PS_SOLID, 1, 0);
            dc.SelectObject(&pen);
            dc.SelectStockObject(NULL_BRUSH);
            box->Draw(&dc, c.mode);
            dc.SelectStockObject(BLACK_PEN);
        });
        // The bottom edge, far from the text; the text's first capitals.
        QPoint edge = page.Pixel(7000, 1500);
        QPoint text = page.Pixel(1000, 4500);
        EXPECT_EQ(page.InkIn(Square(edge, 1, 1)) > 0, c.outline) << "mode " << c.mode;
        EXPECT_EQ(page.InkIn(QRect(text.x() + 2, text.y() + 3, 30, 10)) > 0, c.text)
            << "mode " << c.mode;
    }

    // While the box is edited in place its editor shows the text.
    auto box = Box();
    box->SetText(QStringLiteral("HHHH"));
    box->BeginInPlaceEdit();
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*box, dc); });
    EXPECT_TRUE(InkBounds(page.image).isEmpty());
    box->EndInPlaceEdit(QStringLiteral("HH\r\nHH"));
    EXPECT_EQ(box->GetText(), QStringLiteral("HH\r\nHH"));
    EXPECT_FALSE(box->IsEditingInPlace());
    page.Draw([&](CDC& dc) { DrawNormal(*box, dc); });
    EXPECT_FALSE(InkBounds(page.image).isEmpty());
    // Ending an edit that never began leaves the text alone.
    box->EndInPlaceEdit(QStringLiteral("lost"));
    EXPECT_EQ(box->GetText(), QStringLiteral("HH\r\nHH"));
}

TEST_F(TextTest, OnlyRotatablePlainTextTurns) {
    struct Case {
        BYTE rotatable;
        bool equation, turns;
    };
    const Case cases[] = {{1, false, true}, {0, false, false}, {1, true, false}};
    const QvPoint centre(20000, 20000);
    for (const Case& c : cases) {
        auto box = Box();
        box->TextData()->m_bRotatable = c.rotatable;
        box->SetEquation(c.equation);
        box->Rotate(90.0, centre);
        const QvPointArray& p = box->DefiningPoints();
        // The middle (5000, 3000) turns about the centre to (37000, 5000).
        const QvPoint middle = p[0] + (p[2] - p[0]) * 0.5;
        ExpectPoint(middle, 37000, 5000, 1e-3);
        const QvVector top = p[1] - p[0];
        if (c.turns) {
            EXPECT_NEAR(top.x, 0, 1e-3);
            EXPECT_NEAR(top.y, 8000, 1e-3);
        } else {
            EXPECT_NEAR(top.x, 8000, 1e-3);
            EXPECT_NEAR(top.y, 0, 1e-3);
        }
        ExpectPoint(box->DisplayPoints()[0], p[0].x, p[0].y, 1e-3);
    }
}

TEST_F(TextTest, EquationLinesStepByTheirHeightAndTheSpacing) {
    auto box = Box(QvFigText::EquationToolId);
    box->SetText(QStringLiteral("a\r\n\r\nb"));
    EXPECT_EQ(box->FirstEquationLine(), QStringLiteral("a"));
    EXPECT_EQ(box->GetLinePosition(), 3);
    EXPECT_EQ(box->NextEquationLine(), QStringLiteral(" ")); // an empty line
    EXPECT_EQ(box->GetLinePosition(), 5);
    EXPECT_EQ(box->NextEquationLine(), QStringLiteral("b"));
    EXPECT_EQ(box->GetLinePosition(), -1);

    box->SetText(QStringLiteral("x\r\nx"));
    HimetricPage page;
    int height = 0;
    page.Draw([&](CDC& dc) {
        QvEquation eq;
        eq.SetText(QStringLiteral("x"), &TheEquationOptions());
        QvLogFont font = box->TextData()->m_font;
        height = eq.Measure(&dc, &TheEquationOptions(), &font).height;
        DrawNormal(*box, dc);
    });
    ASSERT_LT(height, 0); // y grows up the page
    auto lines = InkBands(page.image, true);
    ASSERT_EQ(lines.size(), 2u);
    const double step = (-height + TheEquationOptions().m_verticalSpacing) * 96.0 / 2540.0;
    EXPECT_NEAR(lines[1].first - lines[0].first, step, 1.5);
    // The first line hangs from the top of the box.
    EXPECT_GE(lines[0].first, page.Pixel(0, 4500).y());
    EXPECT_LT(lines[0].first, page.Pixel(0, 4500).y() + 12);
}

// Equations stay upright in a turned box: they stand where the box would
// be unturned about its middle, not at the page's origin.
TEST_F(TextTest, TurnedEquationBoxDrawsAtTheBox) {
    auto box = Box(QvFigText::ToolId, QvPoint(4000, 3500), QvPoint(9000, 1500));
    box->Rotate(30.0, QvPoint(6500, 2500));
    box->SetEquation(true);
    box->SetText(QStringLiteral("x^2"));
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*box, dc); });
    QRect ink = InkBounds(page.image);
    ASSERT_FALSE(ink.isEmpty());
    // An italic letter's foot may lean a pixel past its anchor.
    const QPoint topLeft = page.Pixel(4000, 3500);
    EXPECT_NEAR(ink.left(), topLeft.x(), 3);
    EXPECT_NEAR(ink.top(), topLeft.y(), 6);
    EXPECT_LT(ink.bottom(), page.Pixel(4000, 2500).y());
}

TEST_F(TextTest, PropertiesDialogOkTakesTheRecordCancelChangesNothing) {
    auto box = Box();
    box->SetText(QStringLiteral("before"));
    const QByteArray before = Store(box.get());
    bool answer = false;
    QvFigText::PropertiesDialog::Set([&](QvEditDataText& record) {
        record.m_strText = QStringLiteral("after");
        record.m_nEquation = 1;
        return answer;
    });
    // Cancel: the record stays, and the box is rebuilt from its corners.
    for (int i = 0; i < 4; ++i)
        box->DisplayPoints()[i] += QvVector(500, -500);
    box->EditProperties(CPoint(), CPoint());
    EXPECT_EQ(box->GetText(), QStringLiteral("before"));
    ExpectPoint(box->Box().corner[2], 9500, 1000);
    box->MapToFrame(NullFrame);
    EXPECT_EQ(Store(box.get()), before);

    answer = true;
    box->EditProperties(CPoint(), CPoint());
    EXPECT_EQ(box->GetText(), QStringLiteral("after"));
    EXPECT_TRUE(box->IsEquation());
}

TEST_F(TextTest, EditorFontIsTheDrawingHeightAtTheZoom) {
    auto box = Box();
    box->TextData()->m_font.m_drawHeight = 423;
    box->TextData()->m_font.m_logFont.lfWeight = 700;
    LOGFONT log = box->InPlaceEditFont(38); // 10 mm at 96 dpi
    EXPECT_EQ(log.lfHeight, 16);
    EXPECT_EQ(log.lfWeight, 700);
}

} // namespace
