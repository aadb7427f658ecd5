#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_line.h"
#include "platform/command_ids.h"

#include <cmath>
#include <numbers>

namespace {

class LineTest : public FigureTest {
protected:
    std::unique_ptr<QvFigLine> MakeLine(QvPoint a, QvPoint b) {
        auto line = Make<QvFigLine>(QvFigLine::ToolId);
        EXPECT_FALSE(Click(*line, a));
        line->TrackCreatePoint(b, {});
        EXPECT_TRUE(line->CreateClick());
        return line;
    }
};

TEST_F(LineTest, TwoClicksMakeTheLine) {
    auto line = Make<QvFigLine>(QvFigLine::ToolId);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->GetToolId(), ID_DRAW_LINE);
    EXPECT_FALSE(Click(*line, QvPoint(100, 200)));
    // After the first click both ends are on it.
    ExpectPoint(line->DefiningPoints()[0], 100, 200);
    ExpectPoint(line->DefiningPoints()[1], 100, 200);
    line->TrackCreatePoint(QvPoint(700, 1000), {}); // rubber band
    ExpectPoint(line->DefiningPoints()[1], 700, 1000);
    EXPECT_TRUE(Click(*line, QvPoint(900, 1200)));
    ExpectPoint(line->Line().p1, 100, 200);
    ExpectPoint(line->Line().p2, 900, 1200);
    // GetPoint counts from the end.
    ExpectPoint(line->GetPoint(0), 900, 1200);
    ExpectPoint(line->GetPoint(1), 100, 200);
    // The record takes the current drawing style.
    EXPECT_EQ(line->GetEditData()->m_lineColor, RGB(10, 20, 30));
    EXPECT_EQ(line->GetEditData()->m_lineStyle, ID_LINE_HAIRLINE);
}

TEST_F(LineTest, ArrowToolTakesTheLineDefaults) {
    QvLineDefaults& d = TheSettings().m_LineDefaults;
    d.Start.SetValue(12);
    d.Stop.SetValue(13);
    d.Mid.SetValue(15);
    d.Info.SetValue(QStringLiteral("v"));
    auto arrow = Make<QvFigLine>(QvFigLine::ArrowToolId);
    ASSERT_TRUE(arrow);
    EXPECT_EQ(arrow->GetToolId(), ID_DRAW_ARROW_LINE);
    EXPECT_EQ(arrow->LineData()->m_startArrow, 12);
    EXPECT_EQ(arrow->LineData()->m_endArrow, 13);
    EXPECT_EQ(arrow->LineData()->m_midArrow, 15);
    EXPECT_EQ(arrow->LineData()->m_label, QStringLiteral("v"));
    // The plain line tool takes none of them.
    auto plain = Make<QvFigLine>(QvFigLine::ToolId);
    EXPECT_EQ(plain->LineData()->m_startArrow, 10);
    EXPECT_TRUE(plain->LineData()->m_label.isEmpty());
    // Read back, the arrow line is a plain line id.
    Click(*arrow, QvPoint(0, 0));
    Click(*arrow, QvPoint(100, 0));
    auto loaded = Load<QvFigLine>(Store(arrow.get()));
    EXPECT_EQ(loaded->GetToolId(), ID_DRAW_LINE);
    EXPECT_EQ(loaded->LineData()->m_endArrow, 13);
    d.Start.SetValue(10);
    d.Stop.SetValue(12);
    d.Mid.SetValue(10);
    d.Info.SetValue(QString());
}

TEST_F(LineTest, DescriptionGivesLengthAndUnsignedAngle) {
    struct Case {
        QvPoint a, b;
        const char* text;
    } cases[] = {
        {{0, 0}, {10000, 0}, "Line - Length = 100.00 Angle = 0.00"},
        {{0, 0}, {0, -5000}, "Line - Length = 50.00 Angle = 90.00"},
        {{0, 0}, {-3000, 0}, "Line - Length = 30.00 Angle = 180.00"},
        {{0, 0}, {std::sqrt(3.0) * 1000, -1000}, "Line - Length = 20.00 Angle = 30.00"},
    };
    for (const Case& c : cases) {
        auto line = MakeLine(c.a, c.b);
        EXPECT_EQ(line->GetDescription(), QString::fromLatin1(c.text));
    }
}

TEST_F(LineTest, HitTestFollowsTheSegment) {
    auto line = MakeLine(QvPoint(0, 0), QvPoint(1000, 0));
    EXPECT_TRUE(line->HitTest(QvPoint(500, 30), 30));
    EXPECT_FALSE(line->HitTest(QvPoint(500, 31), 30));
    EXPECT_FALSE(line->HitTest(QvPoint(1100, 0), 30)); // beyond the end
    EXPECT_TRUE(line->IsOn(QvPoint(250, 0)));
    EXPECT_FALSE(line->IsOn(QvPoint(250, 0.001)));
}

TEST_F(LineTest, MovedRotatedReflectedAndDragged) {
    auto line = MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000));
    line->Move(QvVector(100, -200));
    ExpectPoint(line->DefiningPoints()[0], 1100, 800);
    ExpectPoint(line->DefiningPoints()[1], 3100, 800);

    line->Rotate(90, QvPoint(1100, 800));
    ExpectPoint(line->DefiningPoints()[1], 1100, 2800, 1e-3);
    // Rotating rebuilds from the display points at once.
    ExpectPoint(line->Line().p2, 1100, 2800, 1e-3);

    line->Reflect(QvGRLine(QvPoint(0, 0), QvPoint(1, 1))); // the line y = x
    ExpectPoint(line->DefiningPoints()[0], 800, 1100, 1e-3);
    ExpectPoint(line->DefiningPoints()[1], 2800, 1100, 1e-3);

    QvPoint grip(2790, 1105);
    EXPECT_EQ(line->FindDefiningPoint(grip), 1);
    line->MoveHandle(1, QvPoint(5000, 5000), QvPoint(), {});
    ExpectPoint(line->DefiningPoints()[1], 5000, 5000);
    ExpectPoint(line->DefiningPoints()[0], 800, 1100, 1e-3);
}

TEST_F(LineTest, RestyledThroughTheSetters) {
    auto line = MakeLine(QvPoint(0, 0), QvPoint(100, 0));
    line->SetLineColour(RGB(1, 2, 3));
    line->SetLineStyle(ID_LINE_SOLID3);
    line->SetFillColour(RGB(4, 5, 6));
    line->SetFillStyle(ID_FILL_SOLID);
    QvEditData* d = line->GetEditData();
    EXPECT_EQ(d->m_lineColor, RGB(1, 2, 3));
    EXPECT_EQ(d->m_lineStyle, ID_LINE_SOLID3);
    EXPECT_EQ(d->m_fillColor, RGB(4, 5, 6));
    EXPECT_EQ(d->m_fillStyle, ID_FILL_SOLID);
}

TEST_F(LineTest, BoundsGrowByTheLargestMark) {
    auto line = MakeLine(QvPoint(1000.7, 2000.2), QvPoint(-500.5, 3000.9));
    QvEditDataLine* d = line->LineData();
    d->m_startSize = d->m_endSize = d->m_midSize = 12;
    d->m_font.m_logFont.lfHeight = -300; // 305 beats 12 x 20 = 240
    EXPECT_EQ(line->GetBoundRect(), CRect(-500 - 305, 2000 - 305, 1000 + 305, 3000 + 305));
    d->m_font.m_logFont.lfHeight = -14;
    d->m_midSize = 20; // 400
    EXPECT_EQ(line->GetBoundRect(), CRect(-900, 1600, 1400, 3400));
    d->m_lineStyle = ID_LINE_SOLID6; // Solid 6, width 250: smaller than 400
    EXPECT_EQ(line->GetBoundRect(), CRect(-900, 1600, 1400, 3400));
    d->m_startSize = d->m_endSize = d->m_midSize = 1; // 20 < 250
    EXPECT_EQ(line->GetBoundRect(), CRect(-750, 1750, 1250, 3250));
}

// Ink off the line's row within each end's and the middle's column window
// tells where the marks were drawn.
TEST_F(LineTest, ArrowheadsLieWhereTheyAreAsked) {
    enum Where { Start, Mid, End };
    for (Where where : {Start, Mid, End}) {
        auto line = MakeLine(QvPoint(1000, 2500), QvPoint(9000, 2500));
        QvEditDataLine* d = line->LineData();
        d->m_midPos = 0.25;
        (where == Start ? d->m_startArrow : where == Mid ? d->m_midArrow : d->m_endArrow) = 12;
        HimetricPage page;
        page.Draw([&](CDC& dc) { DrawNormal(*line, dc); });
        int row = page.Pixel(0, 2500).y();
        auto offLine = [&](double x) {
            int px = page.Pixel(x, 0).x();
            return page.InkIn(QRect(px - 8, row - 8, 17, 6)) +
                   page.InkIn(QRect(px - 8, row + 3, 17, 6));
        };
        // The triangle is 240 units long: it stands just inside each end and
        // across the middle point.
        EXPECT_EQ(offLine(1000 + 120) > 0, where == Start) << where;
        EXPECT_EQ(offLine(3000) > 0, where == Mid) << where;
        EXPECT_EQ(offLine(9000 - 120) > 0, where == End) << where;
    }
}

TEST_F(LineTest, FeedbackModesDrawNoMarksOrLabel) {
    auto line = MakeLine(QvPoint(1000, 2500), QvPoint(9000, 2500));
    line->LineData()->m_startArrow = 12;
    line->LineData()->m_label = QStringLiteral("label");
    for (int mode = 1; mode <= 5; ++mode) {
        HimetricPage page(400, 200, 0xFF808080); // white feedback shows on grey
        page.Draw([&](CDC& dc) { line->DrawMapped(&dc, mode, QvGRRect(), CRect()); });
        int row = page.Pixel(0, 2500).y();
        // The line itself, one pixel thick, and nothing above or below it.
        EXPECT_GT(page.InkIn(QRect(0, row - 1, 400, 3)), 0) << mode;
        EXPECT_EQ(page.InkIn(QRect(0, 0, 400, row - 1)), 0) << mode;
        EXPECT_EQ(page.InkIn(QRect(0, row + 2, 400, 200)), 0) << mode;
    }
}

TEST_F(LineTest, LabelStandsOnTheChosenSideAndAlongTheLine) {
    for (LONG side : {QvEditDataLine::SideAbove, QvEditDataLine::SideBelow}) {
        auto line = MakeLine(QvPoint(1000, 2500), QvPoint(9000, 2500));
        line->LineData()->m_label = QStringLiteral("Label");
        line->LineData()->m_labelSide = side;
        HimetricPage page;
        page.Draw([&](CDC& dc) { DrawNormal(*line, dc); });
        int row = page.Pixel(0, 2500).y();
        int above = page.InkIn(QRect(0, 0, 400, row - 1));
        int below = page.InkIn(QRect(0, row + 2, 400, 200));
        if (side == QvEditDataLine::SideAbove) {
            EXPECT_GT(above, 20);
            EXPECT_EQ(below, 0);
        } else {
            EXPECT_EQ(above, 0);
            EXPECT_GT(below, 20);
        }
        EXPECT_EQ(line->LineData()->m_font.m_logFont.lfEscapement, 0);
    }
    // A vertical line's label runs up or down the page beside it.
    auto line = MakeLine(QvPoint(5000, 500), QvPoint(5000, 4500));
    HimetricPage bare, labelled;
    bare.Draw([&](CDC& dc) { DrawNormal(*line, dc); });
    line->LineData()->m_label = QStringLiteral("Label");
    labelled.Draw([&](CDC& dc) { DrawNormal(*line, dc); });
    EXPECT_EQ(line->LineData()->m_font.m_logFont.lfEscapement, 900);
    QRect label = DiffBounds(bare.image, labelled.image);
    EXPECT_GT(label.height(), 2 * label.width());
    int column = bare.Pixel(5000, 0).x();
    EXPECT_TRUE(label.right() < column || label.left() > column);
}

// Above and below are measured across the line at its slope: the label
// keeps clear of a slanted line, plain or typeset, thin or thick, and
// stays on its own side of it.
TEST_F(LineTest, ALabelClearsASlantedLineOnItsSide) {
    struct Case {
        double degrees;
        LONG side, kind, style;
    } cases[] = {
        {30, QvEditDataLine::SideAbove, QvEditDataLine::PlainText, ID_LINE_HAIRLINE},
        {60, QvEditDataLine::SideAbove, QvEditDataLine::PlainText, ID_LINE_HAIRLINE},
        {120, QvEditDataLine::SideAbove, QvEditDataLine::PlainText, ID_LINE_HAIRLINE},
        {30, QvEditDataLine::SideAbove, QvEditDataLine::Equation, ID_LINE_HAIRLINE},
        {60, QvEditDataLine::SideAbove, QvEditDataLine::Equation, ID_LINE_HAIRLINE},
        {120, QvEditDataLine::SideAbove, QvEditDataLine::Equation, ID_LINE_HAIRLINE},
        {120, QvEditDataLine::SideBelow, QvEditDataLine::Equation, ID_LINE_HAIRLINE},
        {30, QvEditDataLine::SideBelow, QvEditDataLine::PlainText, ID_LINE_SOLID6},
        {0, QvEditDataLine::SideAbove, QvEditDataLine::PlainText, ID_LINE_SOLID6},
        {60, QvEditDataLine::SideAbove, QvEditDataLine::ChemEquation, ID_LINE_SOLID4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.degrees << " side " << c.side << " kind " << c.kind
                                        << " style " << c.style);
        const QvPoint mid(7500, 5000);
        const QvVector along(std::cos(c.degrees * std::numbers::pi / 180),
                             std::sin(c.degrees * std::numbers::pi / 180));
        auto line = MakeLine(mid - along * 4000, mid + along * 4000);
        line->SetLineStyle(c.style);
        HimetricPage bare(600, 400), labelled(600, 400);
        bare.Draw([&](CDC& dc) { DrawNormal(*line, dc); });
        line->LineData()->m_label = QStringLiteral("Above");
        line->LineData()->m_labelSide = c.side;
        line->LineData()->m_labelKind = c.kind;
        line->LineData()->m_font.m_color = RGB(255, 0, 0);
        labelled.Draw([&](CDC& dc) { DrawNormal(*line, dc); });
        // Across the line towards the page's top (to the left of an
        // upright line), in pixels.
        const QPoint a = bare.Pixel(mid.x, mid.y);
        const QPointF normal(-along.y, -along.x);
        const QPointF across = along.x >= 0 ? normal : -normal;
        const double want = c.side == QvEditDataLine::SideAbove ? 1.0 : -1.0;
        int label = 0, onLine = 0, wrongSide = 0;
        ForEachAdded(bare, labelled, [&](int x, int y, bool ink) {
            ++label;
            onLine += ink;
            if (((x - a.x()) * across.x() + (y - a.y()) * across.y()) * want <= 0)
                ++wrongSide;
        });
        EXPECT_GT(label, 20);
        EXPECT_EQ(onLine, 0);
        EXPECT_EQ(wrongSide, 0);
    }
}

TEST_F(LineTest, LabelAngleRule) {
    struct Case {
        QvPoint a, b;
        int angle;
        bool turned;
    } cases[] = {
        {{0, 0}, {100, 0}, 0, false},      {{0, 0}, {0, -100}, 900, false},
        {{0, 0}, {0, 100}, 900, true},     {{0, 0}, {-100, 0}, 0, true},
        {{0, 0}, {100, -100}, 450, false}, {{0, 0}, {-100, -100}, -450, true},
    };
    for (const Case& c : cases) {
        bool turned = !c.turned;
        EXPECT_EQ(QvFigLine::LabelAngle(c.a, c.b, &turned), c.angle);
        EXPECT_EQ(turned, c.turned);
    }
}

TEST_F(LineTest, ZeroLengthLineWithLabelDraws) {
    auto line = MakeLine(QvPoint(3000, 2500), QvPoint(3000, 2500));
    line->LineData()->m_label = QStringLiteral("x");
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*line, dc); });
    EXPECT_GT(page.InkIn(page.image.rect()), 0);
}

// The record of a line with no marks and no label, byte by byte.
TEST_F(LineTest, RecordBytesMatchTheLayout) {
    auto line = MakeLine(QvPoint(1.5, -2.0), QvPoint(1000.0, 0.25));
    line->SetLineColour(0x00112233);
    line->SetFillColour(0x00445566);
    line->SetLineStyle(ID_LINE_SOLID2);
    line->SetFillStyle(ID_FILL_SOLID);
    QByteArray expected = Hex("FF FF 01 00 09 00") + QByteArray("QvFigLine") + Hex("02");
    for (double v : {1.5, -2.0, 1000.0, 0.25})
        expected += QByteArray(reinterpret_cast<const char*>(&v), 8);
    expected += Hex("02 00"         // the link: back to the object (index 2)
                    "00 00 00 00"   // round grips
                    "03 80 00 00"   // tool id 32771
                    "00"            // group nesting
                    "33 22 11 00"   // line colour
                    "66 55 44 00"   // fill colour
                    "27 80 00 00"   // line style 32807
                    "2F 80 00 00"   // fill style 32815
                    "01 00 00 00"); // version 1, no flags
    EXPECT_EQ(Store(line.get()).toHex(' '), expected.toHex(' '));
}

TEST_F(LineTest, RoundTripKeepsEveryField) {
    auto line = MakeLine(QvPoint(100, 200), QvPoint(300, 400));
    QvEditDataLine* d = line->LineData();
    d->m_startArrow = 11;
    d->m_startSize = 6;
    d->m_midArrow = 16;
    d->m_midSize = 8;
    d->m_midPos = 0.3;
    d->m_label = QStringLiteral("a\u2013b");
    d->m_labelPos = 0.7;
    d->m_labelSide = 0;
    d->m_labelKind = 1;
    d->m_font.SetFaceName(QStringLiteral("Courier New"));
    d->m_font.m_drawHeight = 555;
    line->SetGroupNesting(2);
    auto loaded = Load<QvFigLine>(Store(line.get()));
    ASSERT_TRUE(loaded);
    ExpectPoint(loaded->DefiningPoints()[1], 300, 400);
    EXPECT_EQ(loaded->GetGroupNesting(), 2);
    EXPECT_EQ(loaded->GetCopyLink(), loaded.get());
    const QvEditDataLine* e = loaded->LineData();
    EXPECT_EQ(e->m_startArrow, 11);
    EXPECT_EQ(e->m_startSize, 6);
    EXPECT_EQ(e->m_endArrow, 10);
    EXPECT_EQ(e->m_midArrow, 16);
    EXPECT_EQ(e->m_midSize, 8);
    EXPECT_EQ(e->m_midPos, 0.3);
    EXPECT_EQ(e->m_label, QStringLiteral("a\u2013b"));
    EXPECT_EQ(e->m_labelPos, 0.7);
    EXPECT_EQ(e->m_labelSide, 0);
    EXPECT_EQ(e->m_labelKind, 1);
    EXPECT_EQ(e->m_font.FaceName(), QStringLiteral("Courier New"));
    EXPECT_EQ(e->m_font.m_drawHeight, 555);
}

TEST_F(LineTest, VersionZeroRecordKeepsTheDefaults) {
    auto line = MakeLine(QvPoint(0, 0), QvPoint(10, 0));
    line->LineData()->m_endArrow = 12;
    QByteArray bytes = Store(line.get());
    // Version word 0, then the flags word that must not be read.
    int version = bytes.size() - 2 - 4 - 1;
    bytes[version] = 0;
    auto loaded = Load<QvFigLine>(bytes.left(version + 2));
    EXPECT_EQ(loaded->LineData()->m_endArrow, 10);
}

TEST_F(LineTest, UndoSnapshotCopiesTheWholeRecord) {
    auto line = MakeLine(QvPoint(0, 0), QvPoint(10, 0));
    line->LineData()->m_endArrow = 14;
    line->LineData()->m_label = QStringLiteral("x");
    std::unique_ptr<QvEditData> snapshot(line->NewEditData());
    auto* typed = dynamic_cast<QvEditDataLine*>(snapshot.get());
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->m_endArrow, 14);
    line->LineData()->m_endArrow = 10;
    line->CopyEditData(line->GetEditData(), snapshot.get());
    EXPECT_EQ(line->LineData()->m_endArrow, 14);
    EXPECT_EQ(line->LineData()->m_label, QStringLiteral("x"));
}

} // namespace
