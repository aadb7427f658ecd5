#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_rectangle.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "platform/command_ids.h"

#include <cmath>

namespace {

constexpr int kSolidFill = ID_FILL_SOLID;

class RectTest : public FigureTest {
protected:
    // Pressed at `from`, released at `to`, as the view drives it.
    static std::unique_ptr<QvFigRectangle> Dragged(QvPoint from, QvPoint to) {
        auto r = Make<QvFigRectangle>(QvFigRectangle::ToolId);
        EXPECT_FALSE(Click(*r, from));
        EXPECT_TRUE(Click(*r, to));
        return r;
    }
    static void ExpectCorners(const QvFigure& f, std::initializer_list<QvPoint> corners) {
        int i = 0;
        for (const QvPoint& c : corners) {
            SCOPED_TRACE(i);
            ExpectPoint(f.DefiningPoints()[i++], c.x, c.y);
        }
    }
};

TEST_F(RectTest, PressAndReleaseInPlace) {
    auto r = Make<QvFigRectangle>(QvFigRectangle::ToolId);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->GetPointCount(), 4);
    EXPECT_FALSE(Click(*r, QvPoint(700, 800)));
    EXPECT_TRUE(Click(*r, QvPoint(700, 800)));
    ExpectCorners(*r, {QvPoint(700, 800), QvPoint(700, 800), QvPoint(700, 800), QvPoint(700, 800)});
    EXPECT_EQ(r->GetPartCount(), 4);
    EXPECT_EQ(r->GetDescription(), QStringLiteral("Rectangle - 0.00 by 0.00"));
    // Later clicks change nothing.
    EXPECT_TRUE(r->CreateClick());
    EXPECT_EQ(r->GetClickCount(), QvFigRectBase::Released);
}

TEST_F(RectTest, DragWithAndWithoutShift) {
    struct Case {
        QvVector drag;
        bool shift;
        QvVector corner2;
    };
    const QvPoint c0(1000, 2000);
    const Case cases[] = {
        {QvVector(300, -500), false, QvVector(300, -500)},
        // The square lies in the pointer's quadrant, its side the smaller
        // distance.
        {QvVector(300, -500), true, QvVector(300, -300)},
        {QvVector(-700, 400), true, QvVector(-400, 400)},
        {QvVector(-600, -600), true, QvVector(-600, -600)},
        {QvVector(0, 800), true, QvVector(0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.drag.x << "," << c.drag.y << " shift " << c.shift);
        auto r = Make<QvFigRectangle>(QvFigRectangle::ToolId);
        Click(*r, c0);
        EXPECT_TRUE(Click(*r, c0 + c.drag, QvKeys{.shift = c.shift}));
        const QvPoint c2 = c0 + c.corner2;
        ExpectCorners(*r, {c0, QvPoint(c2.x, c0.y), c2, QvPoint(c0.x, c2.y)});
        // The frame and the description follow the corners while dragging.
        ExpectPoint(r->Frame().corner[2], c2.x, c2.y);
        EXPECT_EQ(r->GetDescription(),
                  QString::asprintf("Rectangle - %.2f by %.2f", std::fabs(c.corner2.x) / 100.0,
                                    std::fabs(c.corner2.y) / 100.0));
    }
}

TEST_F(RectTest, Description) {
    struct Case {
        QvPoint from, to;
        const char* text;
    };
    const Case cases[] = {
        {QvPoint(1000, 2000), QvPoint(4000, 500), "Rectangle - 30.00 by 15.00"},
        // Differences are truncated to whole units first.
        {QvPoint(1000, 2000), QvPoint(1150.7, 2300.9), "Rectangle - 1.50 by 3.00"},
        // Corner 1 left of corner 0: still a width.
        {QvPoint(5000, 2000), QvPoint(2000, 6000), "Rectangle - 30.00 by 40.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Dragged(c.from, c.to)->GetDescription(), QString::fromLatin1(c.text));
}

TEST_F(RectTest, EdgesAsShapesByPart) {
    auto r = Dragged(QvPoint(0, 0), QvPoint(1000, 500));
    QvPoint c[4] = {QvPoint(0, 0), QvPoint(1000, 0), QvPoint(1000, 500), QvPoint(0, 500)};
    QvShapeList all;
    r->AddShapes(all, -1);
    ASSERT_EQ(all.GetCount(), 4);
    for (int k = 0; k < 4; ++k) {
        auto* line = dynamic_cast<const QvGRLine*>(all[k].shape.get());
        ASSERT_TRUE(line);
        EXPECT_EQ(line->p1, c[k]);
        EXPECT_EQ(line->p2, c[(k + 1) % 4]);
        EXPECT_EQ(all[k].index1, k);
        EXPECT_EQ(all[k].figure, r.get());
    }
    QvShapeList one;
    r->AddShapes(one, 2);
    ASSERT_EQ(one.GetCount(), 1);
    EXPECT_EQ(static_cast<const QvGRLine*>(one[0].shape.get())->p1, c[2]);
    EXPECT_EQ(static_cast<const QvGRLine*>(one[0].shape.get())->p2, c[3]);
    r->SetDeleted(true);
    QvShapeList none;
    r->AddShapes(none, -1);
    EXPECT_EQ(none.GetCount(), 0);
}

TEST_F(RectTest, HitOnTheOutlineOnlyAndBoundsWidenedByThePen) {
    auto r = Dragged(QvPoint(1000, 1000), QvPoint(5000, 3000));
    EXPECT_TRUE(r->HitTest(QvPoint(3000, 1000), 1));
    EXPECT_TRUE(r->HitTest(QvPoint(5050, 2000), 100));
    EXPECT_FALSE(r->HitTest(QvPoint(3000, 2000), 100));
    EXPECT_EQ(r->GetBoundRect(), CRect(1000, 1000, 5001, 3001)); // hairline: width 0
    r->SetLineStyle(ID_LINE_SOLID5);
    const int w = r->LineStyleWidth();
    ASSERT_GT(w, 0);
    EXPECT_EQ(r->GetBoundRect(), CRect(1000 - w, 1000 - w, 5001 + w, 3001 + w));
    // The geometry for other figures carries the edges too.
    std::unique_ptr<QvGRBase> g = r->CreateGeometry();
    ExpectPoint(g->NearestPoint(QvPoint(3000, 900)), 3000, 1000);
}

// A turned rectangle in a group stretched one way is drawn as a rhombus:
// hit test and bounds follow what is drawn.
TEST_F(RectTest, InAStretchedFrameItFollowsTheDrawnCorners) {
    auto r = Make<QvFigRectangle>(QvFigRectangle::ToolId);
    const QvPoint thousandths[4] = {QvPoint(500, 0), QvPoint(1000, 500), QvPoint(500, 1000),
                                    QvPoint(0, 500)};
    for (int i = 0; i < 4; ++i)
        r->DefiningPoints()[i] = thousandths[i];
    r->MapToFrame(QvGRRect(QvPoint(0, 0), QvPoint(4000, 0), QvPoint(4000, 1000), QvPoint(0, 1000)));
    r->BuildFromPoints();
    ExpectPoint(r->DisplayPoints()[1], 4000, 500);
    EXPECT_TRUE(r->HitTest(QvPoint(3000, 250), 1));
    EXPECT_TRUE(r->HitTest(QvPoint(1000, 750), 1));
    EXPECT_EQ(r->GetBoundRect(), CRect(0, 0, 4001, 1001));
}

TEST_F(RectTest, CornerDrags) {
    // Grip 2 dragged across corner 0 turns the rectangle inside out; the
    // opposite corner stays.
    auto r = Dragged(QvPoint(1000, 1000), QvPoint(3000, 2000));
    r->MoveHandle(2, QvPoint(500, 400), QvPoint(), {});
    ExpectCorners(*r,
                  {QvPoint(1000, 1000), QvPoint(500, 1000), QvPoint(500, 400), QvPoint(1000, 400)});
    // With Shift the sides keep their 2:1 proportion.
    auto s = Dragged(QvPoint(1000, 1000), QvPoint(3000, 2000));
    s->MoveHandle(2, QvPoint(5000, 2200), QvPoint(), QvKeys{.shift = true});
    const QvVector a = s->DefiningPoints()[1] - s->DefiningPoints()[0];
    const QvVector b = s->DefiningPoints()[3] - s->DefiningPoints()[0];
    EXPECT_NEAR(a.Length() / b.Length(), 2.0, 1e-9);
    ExpectPoint(s->DefiningPoints()[0], 1000, 1000);
}

TEST_F(RectTest, DrawsOutlineAndFill) {
    auto r = Dragged(QvPoint(1000, 1000), QvPoint(5000, 4000));
    r->SetFillStyle(kSolidFill);
    r->SetFillColour(RGB(0, 0, 255));
    r->SetLineColour(RGB(255, 0, 0));
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*r, dc); });
    const QPoint p0 = page.Pixel(1000, 1000), p2 = page.Pixel(5000, 4000);
    EXPECT_EQ(page.image.pixel(page.Pixel(3000, 2500)), 0xFF0000FFu);
    EXPECT_GT(page.InkIn(Square(page.Pixel(3000, 1000), 1, 1)), 0);
    EXPECT_GT(page.InkIn(Square(page.Pixel(1000, 2500), 1, 1)), 0);
    QRect ink = InkBounds(page.image);
    EXPECT_NEAR(ink.left(), p0.x(), 1);
    EXPECT_NEAR(ink.right(), p2.x(), 1);
    EXPECT_NEAR(ink.top(), p2.y(), 1);
    EXPECT_NEAR(ink.bottom(), p0.y(), 1);
    // The outline modes never fill.
    HimetricPage dotted;
    dotted.Draw([&](CDC& dc) { r->DrawMapped(&dc, QvDrawMode::Dotted, QvGRRect(), CRect()); });
    EXPECT_EQ(dotted.image.pixel(dotted.Pixel(3000, 2500)), kPaper);
    EXPECT_GT(dotted.InkIn(Square(dotted.Pixel(3000, 1000), 1, 1)), 0);
}

TEST_F(RectTest, RoundTripAndCopy) {
    auto r = Dragged(QvPoint(1000, 1000), QvPoint(5000, 4000));
    r->MoveHandle(1, QvPoint(6000, 1000), QvPoint(), {});
    auto loaded = Load<QvFigRectangle>(Store(r.get()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Store(loaded.get()), Store(r.get()));
    EXPECT_EQ(loaded->GetToolId(), QvFigRectangle::ToolId);
    loaded->BuildFromPoints();
    r->MapToFrame(QvGRRect());
    r->BuildFromPoints();
    EXPECT_EQ(loaded->GetDescription(), r->GetDescription());
    EXPECT_EQ(loaded->GetBoundRect(), r->GetBoundRect());
}

// ------------------------------------------------------------ square base

TEST_F(RectTest, SquareBaseKeepsItsSquareUntilShiftFreesIt) {
    QvFigSquareBase f;
    EXPECT_FALSE(f.KeepsSquare());
    f.SetKeepSquare(true);
    Click(f, QvPoint(0, 0));
    f.TrackCreatePoint(QvPoint(300, 500), {});
    ExpectPoint(f.DefiningPoints()[2], 300, 300);
    f.TrackCreatePoint(QvPoint(300, 500), QvKeys{.shift = true});
    ExpectPoint(f.DefiningPoints()[2], 300, 500);
    EXPECT_FALSE(f.KeepsSquare());
    f.TrackCreatePoint(QvPoint(700, 200), {});
    ExpectPoint(f.DefiningPoints()[2], 700, 200);

    // A corner drag keeps the square on the axis, the smaller step winning.
    f.MoveHandle(2, QvPoint(400, -600), QvPoint(), {});
    ExpectCorners(f, {QvPoint(0, 0), QvPoint(400, 0), QvPoint(400, -400), QvPoint(0, -400)});
    // Without an axis there is no square to keep: nothing moves, no NaN.
    f.SetAxis(QvVector(0, 0));
    f.MoveHandle(2, QvPoint(900, 900), QvPoint(), {});
    ExpectCorners(f, {QvPoint(0, 0), QvPoint(400, 0), QvPoint(400, -400), QvPoint(0, -400)});
    // Only a stored record names the class, and it opens back.
    auto loaded = Load<QvFigSquareBase>(Store(&f));
    ASSERT_TRUE(loaded);
    ExpectPoint(loaded->DefiningPoints()[2], 400, -400);
}

// ------------------------------------------------------------- upright box

class UprightBoxTest : public RectTest {
protected:
    void SetUp() override {
        RectTest::SetUp();
        Click(box, QvPoint(2000, 1000));
        Click(box, QvPoint(4000, 2000));
    }
    QvFigNoRotateRectBase box;
};

TEST_F(UprightBoxTest, RotationMovesOnlyTheCentre) {
    // Centre (3000, 1500); turned a quarter about a point 1000 to its left.
    box.Rotate(90, QvPoint(2000, 1500));
    ExpectCorners(
        box, {QvPoint(1000, 2000), QvPoint(3000, 2000), QvPoint(3000, 3000), QvPoint(1000, 3000)});
    ExpectPoint(box.Box().GetCentre(), 2000, 2500, 1e-3);
    box.Rotate(0, QvPoint(0, 0));
    ExpectPoint(box.DefiningPoints()[0], 1000, 2000, 1e-3);
}

TEST_F(UprightBoxTest, InsideHitsAndPointsRunBackwards) {
    EXPECT_TRUE(box.HitTest(QvPoint(3000, 1500), 0));
    EXPECT_FALSE(box.HitTest(QvPoint(4300, 1500), 200));
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(box.GetPoint(n), box.DisplayPoints()[3 - n]);
    EXPECT_TRUE(box.GetPoint(4).IsFar());
    // It offers the snap search nothing.
    QvSnapPointList points;
    box.AddSpecialPoints(points, 2);
    EXPECT_EQ(points.GetCount(), 0);
}

// Draws a cross in its fill slot, so the test sees which slots a mode runs.
class FilledBox : public QvFigNoRotateRectBase {
public:
    void DrawFill(CDC* dc, int) override {
        ++fills;
        CPoint c[4];
        IntegerCorners(c);
        dc->MoveTo(c[0]);
        dc->LineTo(c[2]);
    }
    void Draw(CDC* dc, int) override {
        CPoint c[5];
        IntegerCorners(c);
        c[4] = c[0];
        dc->Polyline(c, 5);
    }
    int fills = 0;
};

TEST_F(UprightBoxTest, HighlightIsRedAndTheWhiteModeFills) {
    FilledBox f;
    f.SetLineStyle(ID_LINE_SOLID3); // wide enough to show its colour
    Click(f, QvPoint(2000, 1000));
    Click(f, QvPoint(4000, 2000));
    HimetricPage page;
    page.Draw([&](CDC& dc) { f.DrawMapped(&dc, QvDrawMode::Highlight, QvGRRect(), CRect()); });
    EXPECT_EQ(page.image.pixel(page.Pixel(3000, 1000)), 0xFFFA0000u);
    EXPECT_EQ(f.fills, 0);
    HimetricPage grey(400, 200, 0xFF808080);
    grey.Draw([&](CDC& dc) { f.DrawMapped(&dc, QvDrawMode::White, QvGRRect(), CRect()); });
    EXPECT_EQ(f.fills, 1);
    EXPECT_EQ(grey.image.pixel(grey.Pixel(3000, 1000)), 0xFFFFFFFFu);
    EXPECT_EQ(grey.image.pixel(grey.Pixel(3000, 1500)), 0xFFFFFFFFu); // the fill slot's cross
}

// ------------------------------------------------------- select rectangle

TEST_F(RectTest, SelectRectangle) {
    for (int id : {QvFigSelectRect::ToolId, QvFigSelectRect::SectionToolId}) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(id);
        ASSERT_TRUE(dynamic_cast<QvFigSelectRect*>(f.get()));
        EXPECT_EQ(f->GetToolId(), id);
        EXPECT_EQ(f->GetRuntimeClass(), RUNTIME_CLASS(QvFigRectBase));
        EXPECT_EQ(f->GetEditData()->m_fillStyle, ID_FILL_NONE);
        Click(*f, QvPoint(1000, 1000));
        Click(*f, QvPoint(3000, 2000));
        // Feedback modes 2 and 4 leave the page alone; mode 1 is dotted.
        for (int mode : {QvDrawMode::Highlight, QvDrawMode::White2}) {
            HimetricPage page;
            page.Draw([&](CDC& dc) { f->DrawMapped(&dc, mode, QvGRRect(), CRect()); });
            EXPECT_EQ(InkBounds(page.image), QRect());
        }
        HimetricPage page;
        page.Draw([&](CDC& dc) { f->DrawMapped(&dc, QvDrawMode::Dotted, QvGRRect(), CRect()); });
        EXPECT_GT(page.InkIn(Square(page.Pixel(1000, 1500), 1, 1)), 0);
        EXPECT_EQ(page.image.pixel(page.Pixel(2000, 1500)), kPaper);
        // Never part of a drawing: it cannot be stored.
        EXPECT_THROW(Store(f.get()), CArchiveException);
    }
}

} // namespace
