#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_circle.h"
#include "platform/command_ids.h"

#include <cmath>

namespace {

class CircleTest : public FigureTest {
protected:
    template <class T> std::unique_ptr<T> Clicked(std::initializer_list<QvPoint> points) {
        auto f = Make<T>(T::ToolId);
        EXPECT_TRUE(f);
        bool done = false;
        for (const QvPoint& p : points)
            done = Click(*f, p);
        EXPECT_TRUE(done);
        return f;
    }
};

TEST_F(CircleTest, FactoryMakesEachKind) {
    EXPECT_TRUE(Make<QvFigCircleCR>(ID_DRAW_CIRCLE_CR));
    EXPECT_TRUE(Make<QvFigCircleD>(ID_DRAW_CIRCLE_D));
    EXPECT_TRUE(Make<QvFigCircle3C>(ID_DRAW_CIRCLE_3P));
    auto square = Make<QvFigCircle>(ID_DRAW_CIRCLE_4C);
    ASSERT_TRUE(square);
    EXPECT_EQ(square->GetPointCount(), 4);
    EXPECT_EQ(square->GetPartCount(), 1);
    EXPECT_EQ(square->GetRoundGripCount(), 0);
}

TEST_F(CircleTest, CentreAndPoint) {
    auto c = Make<QvFigCircleCR>(ID_DRAW_CIRCLE_CR);
    EXPECT_FALSE(Click(*c, QvPoint(1000, 1000)));
    ExpectPoint(c->DefiningPoints()[1], 1000, 1000);
    c->TrackCreatePoint(QvPoint(1000, 1100), {}); // rubber band
    EXPECT_DOUBLE_EQ(c->Circle().radius, 100);
    EXPECT_TRUE(Click(*c, QvPoint(1300, 1400)));
    ExpectPoint(c->Circle().centre, 1000, 1000);
    EXPECT_DOUBLE_EQ(c->Circle().radius, 500);
    EXPECT_EQ(c->GetDescription(), QStringLiteral("Circle - Centre (10.00,290.00)  Radius 5.00"));
    ExpectPoint(c->GetPoint(0), 1300, 1400);
    ExpectPoint(c->GetPoint(1), 1000, 1000);
    // Dragging the centre keeps the point on the circle.
    c->MoveHandle(0, QvPoint(1300, 1000), QvPoint(), {});
    ExpectPoint(c->DefiningPoints()[1], 1300, 1400);
    c->MapToFrame(QvGRRect());
    c->BuildFromPoints();
    EXPECT_DOUBLE_EQ(c->Circle().radius, 400);
}

TEST_F(CircleTest, Diameter) {
    auto c = Clicked<QvFigCircleD>({QvPoint(0, 0), QvPoint(600, 800)});
    ExpectPoint(c->Circle().centre, 300, 400);
    EXPECT_DOUBLE_EQ(c->Circle().radius, 500);
}

TEST_F(CircleTest, ThreePointsInEitherSolve) {
    auto a = Clicked<QvFigCircle3C>({QvPoint(0, 0), QvPoint(2, 0), QvPoint(0, 2)});
    ExpectPoint(a->Circle().centre, 1, 1);
    EXPECT_DOUBLE_EQ(a->Circle().radius, std::sqrt(2.0));
    auto b = Clicked<QvFigCircle3C>({QvPoint(0, 0), QvPoint(0, 2), QvPoint(2, 0)});
    ExpectPoint(b->Circle().centre, 1, 1);
    EXPECT_TRUE(b->IsValid());
    ExpectPoint(b->GetPoint(0), QV_FAR, QV_FAR);
    ExpectPoint(b->GetPoint(2), QV_FAR, QV_FAR);
}

TEST_F(CircleTest, ThreePointRubberBandApex) {
    auto c = Make<QvFigCircle3C>(ID_DRAW_CIRCLE_3P);
    Click(*c, QvPoint(0, 0));
    c->TrackCreatePoint(QvPoint(1000, 0), {});
    ExpectPoint(c->DefiningPoints()[2], 500, 866.025);
}

TEST_F(CircleTest, CollinearThirdClickIsRefused) {
    MessageRecorder recorder;
    auto c = Make<QvFigCircle3C>(ID_DRAW_CIRCLE_3P);
    Click(*c, QvPoint(0, 0));
    Click(*c, QvPoint(1000, 0));
    QvPoint before = c->Circle().centre;
    c->TrackCreatePoint(QvPoint(2000, 0), {});
    EXPECT_TRUE(std::isfinite(c->Circle().centre.x) && std::isfinite(c->Circle().radius));
    ExpectPoint(c->Circle().centre, before.x, before.y);
    EXPECT_FALSE(c->CreateClick());
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_EQ(c->GetClickCount(), 2);
    EXPECT_FALSE(c->IsValid());
    // The third point still follows the pointer and completes off the line.
    EXPECT_TRUE(Click(*c, QvPoint(500, 500)));
    ExpectPoint(c->Circle().centre, 500, 0);
}

TEST_F(CircleTest, SquareDrawnByPressAndRelease) {
    auto c = Make<QvFigCircle>(ID_DRAW_CIRCLE_4C);
    EXPECT_FALSE(Click(*c, QvPoint(0, 0))); // the press
    c->TrackCreatePoint(QvPoint(300, -500), {});
    EXPECT_TRUE(c->CreateClick()); // the release
    const QvPointArray& p = c->DefiningPoints();
    ExpectPoint(p[0], 0, 0);
    ExpectPoint(p[1], 300, 0);
    ExpectPoint(p[2], 300, -300);
    ExpectPoint(p[3], 0, -300);
    c->MapToFrame(QvGRRect());
    c->BuildFromPoints();
    ExpectPoint(c->Circle().centre, 150, -150);
    EXPECT_DOUBLE_EQ(c->Circle().radius, 150);
    EXPECT_TRUE(c->CreateClick()); // done stays done
    EXPECT_EQ(c->GetClickCount(), 3);
    ExpectPoint(c->GetPoint(0), 0, -300);
    ExpectPoint(c->GetPoint(3), 0, 0);
    // A corner drag keeps the square.
    c->MoveHandle(2, QvPoint(600, -500), QvPoint(), {});
    QvVector s0 = c->DefiningPoints()[1] - c->DefiningPoints()[0];
    QvVector s1 = c->DefiningPoints()[3] - c->DefiningPoints()[0];
    EXPECT_NEAR(s0.Length(), s1.Length(), 1e-6);
    ExpectPoint(c->DefiningPoints()[0], 0, 0);
}

TEST_F(CircleTest, HitTestOnTheOutlineOnly) {
    auto c = Clicked<QvFigCircleCR>({QvPoint(5000, 5000), QvPoint(6000, 5000)});
    c->SetFillStyle(ID_FILL_SOLID);
    EXPECT_TRUE(c->HitTest(QvPoint(5000, 6000), 0));
    EXPECT_FALSE(c->HitTest(QvPoint(5000, 5000), 999));
    EXPECT_TRUE(c->HitTest(QvPoint(5000, 5000), 1000));
    EXPECT_FALSE(c->HitTest(QvPoint(6100, 5000), 99));
}

TEST_F(CircleTest, BoundsGrowByThePen) {
    auto c = Clicked<QvFigCircleCR>({QvPoint(1000, 2000), QvPoint(1500, 2000)});
    c->SetLineStyle(ID_LINE_SOLID2); // Solid 2, width 50
    EXPECT_EQ(c->GetBoundRect(), CRect(450, 1450, 1551, 2551));
    auto square = Make<QvFigCircle>(ID_DRAW_CIRCLE_4C);
    Click(*square, QvPoint(0, 0));
    square->TrackCreatePoint(QvPoint(300, 300), {});
    square->CreateClick();
    square->MapToFrame(QvGRRect());
    square->SetLineStyle(ID_LINE_SOLID2);
    EXPECT_EQ(square->GetBoundRect(), CRect(-50, -50, 351, 351));
}

TEST_F(CircleTest, DescribedFromTheTopOfThePage) {
    auto c = Clicked<QvFigCircleCR>({QvPoint(15000, 10000), QvPoint(15000, 12500)});
    EXPECT_EQ(c->GetDescription(), QStringLiteral("Circle - Centre (150.00,200.00)  Radius 25.00"));
}

TEST_F(CircleTest, MovedRotatedReflected) {
    auto c = Clicked<QvFigCircleD>({QvPoint(1000, 1000), QvPoint(3000, 1000)});
    c->Move(QvVector(500, 500));
    ExpectPoint(c->DefiningPoints()[0], 1500, 1500);
    c->Rotate(90, QvPoint(1500, 1500));
    ExpectPoint(c->DefiningPoints()[1], 1500, 3500, 1e-3);
    ExpectPoint(c->Circle().centre, 1500, 2500, 1e-3);
    c->Reflect(QvGRLine(QvPoint(0, 0), QvPoint(1, 0))); // the x axis
    ExpectPoint(c->DefiningPoints()[1], 1500, -3500, 1e-3);
}

// Each kind drawn with radius 1000 is about 76 pixels across at 96 dpi.
TEST_F(CircleTest, DrawnAtItsSize) {
    std::vector<std::unique_ptr<QvFigure>> circles;
    circles.push_back(Clicked<QvFigCircleCR>({QvPoint(5000, 2500), QvPoint(6000, 2500)}));
    circles.push_back(Clicked<QvFigCircleD>({QvPoint(4000, 2500), QvPoint(6000, 2500)}));
    circles.push_back(
        Clicked<QvFigCircle3C>({QvPoint(4000, 2500), QvPoint(6000, 2500), QvPoint(5000, 3500)}));
    auto square = Make<QvFigCircle>(ID_DRAW_CIRCLE_4C);
    Click(*square, QvPoint(4000, 1500));
    square->TrackCreatePoint(QvPoint(6000, 3500), {});
    square->CreateClick();
    circles.push_back(std::move(square));
    for (auto& c : circles) {
        HimetricPage page;
        page.Draw([&](CDC& dc) { DrawNormal(*c, dc); });
        QRect ink = InkBounds(page.image);
        EXPECT_NEAR(ink.width(), 76, 2) << c->GetRuntimeClass()->m_lpszClassName;
        EXPECT_NEAR(ink.height(), 76, 2);
        QPoint centre = page.Pixel(5000, 2500);
        EXPECT_NEAR(ink.center().x(), centre.x(), 1);
        EXPECT_NEAR(ink.center().y(), centre.y(), 1);
        EXPECT_EQ(page.image.pixel(centre), kPaper); // hollow, no mark
    }
}

TEST_F(CircleTest, FillAndCentreMark) {
    auto c = Clicked<QvFigCircleCR>({QvPoint(5000, 2500), QvPoint(6000, 2500)});
    c->SetFillStyle(ID_FILL_SOLID);
    c->SetFillColour(RGB(0, 0, 255));
    HimetricPage filled;
    filled.Draw([&](CDC& dc) { DrawNormal(*c, dc); });
    QPoint centre = filled.Pixel(5000, 2500);
    EXPECT_EQ(filled.image.pixel(centre + QPoint(10, 10)), 0xFF0000FF);
    // Feedback modes never fill.
    HimetricPage outline;
    outline.Draw([&](CDC& dc) { c->DrawMapped(&dc, 1, QvGRRect(), CRect()); });
    EXPECT_EQ(outline.image.pixel(centre + QPoint(10, 10)), kPaper);

    c->SetFillStyle(ID_FILL_NONE);
    c->CircleData()->m_markType = 1; // '+'
    HimetricPage marked;
    marked.Draw([&](CDC& dc) { DrawNormal(*c, dc); });
    EXPECT_NE(marked.image.pixel(centre), kPaper);
}

TEST_F(CircleTest, RecordIs22BytesAfterTheFigure) {
    TheSettings().m_CircleDefaults.Centre.SetValue(5);
    auto c = Clicked<QvFigCircleCR>({QvPoint(0, 0), QvPoint(10, 0)});
    TheSettings().m_CircleDefaults.Centre.SetValue(0);
    EXPECT_EQ(c->CircleData()->m_markType, 5);
    c->SetLineColour(0x00ABCDEF);
    c->CircleData()->m_markType = 8;
    QByteArray bytes = Store(c.get());
    EXPECT_EQ(bytes.right(22).toHex(' '), Hex("EF CD AB 00  28 32 3C 00  25 80 00 00  2E 80 00 00"
                                              "01 00  08 00 00 00")
                                              .toHex(' '));
    auto loaded = Load<QvFigCircleCR>(bytes);
    EXPECT_EQ(loaded->CircleData()->m_markType, 8);
    ExpectPoint(loaded->DefiningPoints()[1], 10, 0);
    // A version word of 0 leaves the default mark.
    TheSettings().m_CircleDefaults.Centre.SetValue(3);
    QByteArray old = bytes.left(bytes.size() - 6) + Hex("00 00");
    EXPECT_EQ(Load<QvFigCircleCR>(old)->CircleData()->m_markType, 3);
    TheSettings().m_CircleDefaults.Centre.SetValue(0);
}

TEST_F(CircleTest, WholeCopyTakesTheMarkCommonCopyDoesNot) {
    QvEditDataCircle a, b;
    a.m_markType = 4;
    a.m_lineColor = 7;
    b.m_markType = 1;
    b.CopyCommon(a);
    EXPECT_EQ(b.m_lineColor, 7u);
    EXPECT_EQ(b.m_markType, 1);
    b.CopyFrom(a);
    EXPECT_EQ(b.m_markType, 4);
    auto c = Clicked<QvFigCircleD>({QvPoint(0, 0), QvPoint(10, 0)});
    c->CircleData()->m_markType = 6;
    std::unique_ptr<QvEditData> snapshot(c->NewEditData());
    ASSERT_TRUE(dynamic_cast<QvEditDataCircle*>(snapshot.get()));
    EXPECT_EQ(static_cast<QvEditDataCircle*>(snapshot.get())->m_markType, 6);
}

TEST_F(CircleTest, EveryKindRoundTrips) {
    std::vector<std::unique_ptr<QvFigure>> figures;
    figures.push_back(Clicked<QvFigCircleCR>({QvPoint(10, 20), QvPoint(30, 40)}));
    figures.push_back(Clicked<QvFigCircleD>({QvPoint(10, 20), QvPoint(30, 40)}));
    figures.push_back(Clicked<QvFigCircle3C>({QvPoint(0, 0), QvPoint(2, 0), QvPoint(0, 2)}));
    auto square = Make<QvFigCircle>(ID_DRAW_CIRCLE_4C);
    Click(*square, QvPoint(0, 0));
    square->TrackCreatePoint(QvPoint(300, 300), {});
    square->CreateClick();
    figures.push_back(std::move(square));
    for (auto& f : figures) {
        auto loaded = Load<QvFigure>(Store(f.get()));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->GetRuntimeClass(), f->GetRuntimeClass());
        EXPECT_EQ(loaded->GetToolId(), f->GetToolId());
        ASSERT_EQ(loaded->GetPointCount(), f->GetPointCount());
        for (int i = 0; i < f->GetPointCount(); ++i)
            EXPECT_EQ(loaded->DefiningPoints()[i], f->DefiningPoints()[i]);
        loaded->BuildFromPoints();
        f->MapToFrame(QvGRRect());
        f->BuildFromPoints();
        EXPECT_EQ(loaded->GetDescription(), f->GetDescription());
    }
}

// Square grips on every defining point; a drag of each reshapes as its kind
// says.
TEST_F(CircleTest, GripsStandOnTheDefiningPoints) {
    auto c =
        Clicked<QvFigCircle3C>({QvPoint(4000, 2500), QvPoint(6000, 2500), QvPoint(5000, 3500)});
    HimetricPage page;
    page.Draw([&](CDC& dc) { c->DrawHandles(&dc); });
    for (int i = 0; i < 3; ++i) {
        QPoint at = page.Pixel(c->DefiningPoints()[i].x, c->DefiningPoints()[i].y);
        EXPECT_EQ(page.image.pixel(at), 0xFFFF0000) << i;
    }
    c->MoveHandle(2, QvPoint(5000, 1500), QvPoint(), {});
    c->MapToFrame(QvGRRect());
    c->BuildFromPoints();
    ExpectPoint(c->Circle().centre, 5000, 2500);
    c->MoveHandle(1, QvPoint(5000, 3500), QvPoint(), {});
    c->MapToFrame(QvGRRect());
    c->BuildFromPoints();
    ExpectPoint(c->Circle().centre, 5000, 2500, 1e-6);
    EXPECT_DOUBLE_EQ(c->Circle().radius, 1000);
}

} // namespace
