#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_ellipse.h"
#include "figures/shape_record.h"
#include "geometry/gr_bezier.h"
#include "platform/command_ids.h"

#include <cmath>
#include <vector>

namespace {

class EllipseTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        TheSettings().m_EllipseDefaults.Centre.SetValue(0);
    }
    // A figure of the tool made by its clicks; the last one completes it.
    std::unique_ptr<QvFigEllipseBase> Clicked(int toolId, std::vector<QvPoint> clicks) {
        auto f = Make<QvFigEllipseBase>(toolId);
        EXPECT_TRUE(f);
        bool done = false;
        for (const QvPoint& p : clicks) {
            EXPECT_FALSE(done);
            done = Click(*f, p);
        }
        EXPECT_TRUE(done);
        return f;
    }
};

void ExpectEllipse(const QvGREllipse& e, QvPoint centre, double a, double b, QvVector axis,
                   double tol = 1e-6) {
    ExpectPoint(e.centre, centre.x, centre.y, tol);
    EXPECT_NEAR(e.a, a, tol);
    EXPECT_NEAR(e.b, b, tol);
    EXPECT_NEAR(e.axis.x, axis.x, 1e-6);
    EXPECT_NEAR(e.axis.y, axis.y, 1e-6);
}

TEST_F(EllipseTest, FactoryMakesEachKind) {
    struct Row {
        int tool;
        const char* cls;
        int points;
    } rows[] = {{ID_DRAW_ELLIPSE_4C, "QvFigEllipse4C", 4},
                {ID_DRAW_ELLIPSE_AP, "QvFigEllipseAP", 3},
                {ID_DRAW_ELLIPSE_FP, "QvFigEllipseFP", 3},
                {ID_DRAW_ELLIPSE_4P, "QvFigEllipse4P", 4}};
    for (const Row& r : rows) {
        auto f = Make<QvFigEllipseBase>(r.tool);
        ASSERT_TRUE(f) << r.tool;
        EXPECT_STREQ(f->GetRuntimeClass()->m_lpszClassName, r.cls);
        EXPECT_EQ(CRuntimeClass::FromName(r.cls), f->GetRuntimeClass());
        EXPECT_EQ(f->GetToolId(), r.tool);
        EXPECT_EQ(f->GetPointCount(), r.points);
        EXPECT_EQ(f->GetRoundGripCount(), 0);
        EXPECT_EQ(f->GetShape(), &f->Ellipse());
    }
    // The foci ellipse counts as an axis-and-point one.
    EXPECT_TRUE(Make<QvFigEllipseFP>(ID_DRAW_ELLIPSE_FP)->IsKindOf(RUNTIME_CLASS(QvFigEllipseAP)));
}

// The geometry of every kind from the points the user gives.  The
// point-defined kinds pass through their points, whichever way the axis lies.
TEST_F(EllipseTest, GeometryFromTheClickedPoints) {
    const double r577 = 1000.0 / std::sqrt(3.0); // 577.35
    struct Row {
        const char* name;
        int tool;
        std::vector<QvPoint> clicks;
        QvPoint centre;
        double a, b;
        QvVector axis;
        std::vector<int> onEllipse; // clicks the outline passes through
    } rows[] = {
        {"box",
         ID_DRAW_ELLIPSE_4C,
         {{1000, 1000}, {3000, 2000}},
         {2000, 1500},
         1000,
         500,
         {1, 0},
         {}},
        {"box drawn leftward",
         ID_DRAW_ELLIPSE_4C,
         {{3000, 1000}, {1000, 2000}},
         {2000, 1500},
         1000,
         500,
         {-1, 0},
         {}},
        // A box of no width is the flat ellipse it bounds, not a point.
        {"box of no width",
         ID_DRAW_ELLIPSE_4C,
         {{1000, 1000}, {1000, 3000}},
         {1000, 2000},
         1000,
         0,
         {0, 1},
         {}},
        {"box of no size",
         ID_DRAW_ELLIPSE_4C,
         {{700, 700}, {700, 700}},
         {700, 700},
         0,
         0,
         {0, 0},
         {}},
        {"axis and point",
         ID_DRAW_ELLIPSE_AP,
         {{0, 0}, {4000, 0}, {2000, 1000}},
         {2000, 0},
         2000,
         1000,
         {1, 0},
         {2}},
        {"axis and point off the middle",
         ID_DRAW_ELLIPSE_AP,
         {{0, 0}, {4000, 0}, {3000, 500}},
         {2000, 0},
         2000,
         r577,
         {1, 0},
         {2}},
        {"vertical axis",
         ID_DRAW_ELLIPSE_AP,
         {{0, 0}, {0, 4000}, {-500, 3000}},
         {0, 2000},
         2000,
         r577,
         {0, 1},
         {2}},
        {"vertical axis, point to the right",
         ID_DRAW_ELLIPSE_AP,
         {{0, 0}, {0, 4000}, {500, 3000}},
         {0, 2000},
         2000,
         r577,
         {0, 1},
         {2}},
        {"turned axis",
         ID_DRAW_ELLIPSE_AP,
         {{0, 0}, {3464.1016, 2000}, {2348.0762, 1933.0127}},
         {1732.0508, 1000},
         2000,
         r577,
         {0.8660254, 0.5},
         {2}},
        // No ellipse on this axis reaches past its end: the distance along it.
        {"point beyond the axis end",
         ID_DRAW_ELLIPSE_AP,
         {{0, 0}, {4000, 0}, {5000, 100}},
         {2000, 0},
         2000,
         3000,
         {1, 0},
         {}},
        {"foci and point",
         ID_DRAW_ELLIPSE_FP,
         {{1000, 1000}, {1600, 1000}, {1300, 1400}},
         {1300, 1000},
         500,
         400,
         {1, 0},
         {2}},
        {"point on the focal line",
         ID_DRAW_ELLIPSE_FP,
         {{1000, 1000}, {1600, 1000}, {2000, 1000}},
         {1300, 1000},
         700,
         std::sqrt(700.0 * 700 - 300 * 300),
         {1, 0},
         {2}},
        {"vertical focal line",
         ID_DRAW_ELLIPSE_FP,
         {{0, 0}, {0, 600}, {400, 300}},
         {0, 300},
         500,
         400,
         {0, 1},
         {2}},
        {"one focus twice is a circle",
         ID_DRAW_ELLIPSE_FP,
         {{0, 0}, {0, 0}, {300, 400}},
         {0, 0},
         500,
         500,
         {1, 0},
         {2}},
        {"four points",
         ID_DRAW_ELLIPSE_4P,
         {{0, 0}, {2000, 0}, {1000, -500}, {1000, 500}},
         {1000, 0},
         1000,
         500,
         {1, 0},
         {0, 1, 2, 3}},
        {"four points, pairs turned",
         ID_DRAW_ELLIPSE_4P,
         {{0, 0}, {0, 2000}, {500, 1000}, {-500, 1000}},
         {0, 1000},
         1000,
         500,
         {0, 1},
         {0, 1, 2, 3}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto f = Clicked(r.tool, r.clicks);
        ExpectEllipse(f->Ellipse(), r.centre, r.a, r.b, r.axis, 1e-3);
        for (int i : r.onEllipse)
            EXPECT_NEAR(f->Ellipse().DistanceTo(r.clicks[size_t(i)]), 0.0, 1e-6) << i;
    }
}

TEST_F(EllipseTest, BoxCornersAndClicks) {
    auto f = Make<QvFigEllipse4C>(ID_DRAW_ELLIPSE_4C);
    EXPECT_FALSE(Click(*f, QvPoint(1000, 1000))); // the press
    f->TrackCreatePoint(QvPoint(2000, 1500), {}); // dragging
    ExpectEllipse(f->Ellipse(), QvPoint(1500, 1250), 500, 250, QvVector(1, 0));
    EXPECT_TRUE(Click(*f, QvPoint(3000, 2000))); // the release
    const QvPointArray& p = f->DefiningPoints();
    ExpectPoint(p[0], 1000, 1000);
    ExpectPoint(p[1], 3000, 1000);
    ExpectPoint(p[2], 3000, 2000);
    ExpectPoint(p[3], 1000, 2000);
    EXPECT_EQ(f->GetClickCount(), 3);
    EXPECT_TRUE(f->CreateClick()); // done stays done
    ExpectPoint(f->GetPoint(0), 1000, 2000);
    ExpectPoint(f->GetPoint(3), 1000, 1000);
}

// A corner drag keeps the opposite corner and the sides' directions, so a
// turned ellipse stays turned.
TEST_F(EllipseTest, CornerDragKeepsTheTurn) {
    auto f = Clicked(ID_DRAW_ELLIPSE_4C, {QvPoint(1000, 1000), QvPoint(3000, 2000)});
    f->Rotate(30, QvPoint(1000, 1000));
    QvVector axis = f->Ellipse().axis;
    EXPECT_NEAR(axis.x, std::cos(QV_PI / 6), 1e-6);
    QvPoint corner0 = f->DefiningPoints()[0];
    f->MoveHandle(2, f->DefiningPoints()[2] + QvVector(300, 300), QvPoint(), {});
    ExpectPoint(f->DefiningPoints()[0], corner0.x, corner0.y);
    EXPECT_NEAR(f->Ellipse().axis.x, axis.x, 1e-9);
    EXPECT_NEAR(f->Ellipse().axis.y, axis.y, 1e-9);
    EXPECT_GT(f->Ellipse().a, 1000);
}

TEST_F(EllipseTest, RubberBandAndClickCounts) {
    for (int tool : {ID_DRAW_ELLIPSE_AP, ID_DRAW_ELLIPSE_FP}) {
        auto f = Make<QvFigEllipseBase>(tool);
        EXPECT_FALSE(Click(*f, QvPoint(0, 0)));
        f->TrackCreatePoint(QvPoint(4000, 0), {});
        ExpectPoint(f->DefiningPoints()[2], 2000, 800);
        EXPECT_FALSE(Click(*f, QvPoint(4000, 0)));
        // The pointer still on point 1 keeps point 2 across the axis.
        f->TrackCreatePoint(QvPoint(4000, 0), {});
        ExpectPoint(f->DefiningPoints()[2], 2000, 800);
        if (tool == ID_DRAW_ELLIPSE_AP) {
            EXPECT_NEAR(f->Ellipse().b, 800, 1e-9);
        }
        f->TrackCreatePoint(QvPoint(2000, 300), {});
        ExpectPoint(f->DefiningPoints()[2], 2000, 300);
        EXPECT_TRUE(Click(*f, QvPoint(2000, 300)));
        ExpectPoint(f->GetPoint(0), QV_FAR, QV_FAR);
    }
    auto f = Make<QvFigEllipse4P>(ID_DRAW_ELLIPSE_4P);
    EXPECT_FALSE(Click(*f, QvPoint(0, 0)));
    f->TrackCreatePoint(QvPoint(4000, 0), {});
    ExpectPoint(f->DefiningPoints()[2], 2000, 800);
    ExpectPoint(f->DefiningPoints()[3], 2000, -800);
    EXPECT_FALSE(Click(*f, QvPoint(4000, 0)));
    EXPECT_FALSE(Click(*f, QvPoint(2000, 1000)));
    ExpectPoint(f->DefiningPoints()[3], 2000, -800);
    f->TrackCreatePoint(QvPoint(4000, 0), {});
    ExpectPoint(f->DefiningPoints()[3], 2000, 800);
    EXPECT_TRUE(Click(*f, QvPoint(2000, -1000)));
    ExpectEllipse(f->Ellipse(), QvPoint(2000, 0), 2000, 1000, QvVector(1, 0));
    ExpectPoint(f->GetPoint(3), QV_FAR, QV_FAR);
}

// The geometry follows the points at once: a grip drag, a move, a
// reflection and a load are measured right, with no drawing between.
TEST_F(EllipseTest, GeometryFollowsThePointsAtOnce) {
    auto f = Clicked(ID_DRAW_ELLIPSE_AP, {QvPoint(0, 0), QvPoint(4000, 0), QvPoint(2000, 1000)});
    f->MoveHandle(2, QvPoint(2000, 1500), QvPoint(), {});
    ExpectEllipse(f->Ellipse(), QvPoint(2000, 0), 2000, 1500, QvVector(1, 0));
    EXPECT_TRUE(f->HitTest(QvPoint(2000, 1500), 1));

    f->Move(QvVector(5000, 5000));
    ExpectPoint(f->Ellipse().centre, 7000, 5000);
    EXPECT_TRUE(f->HitTest(QvPoint(9000, 5000), 1));
    EXPECT_EQ(f->GetBoundRect(), CRect(5000, 3500, 9001, 6501));

    f->Reflect(QvGRLine(QvPoint(0, 0), QvPoint(1, 0)));
    ExpectPoint(f->Ellipse().centre, 7000, -5000);

    auto loaded = Load<QvFigEllipseAP>(Store(f.get()));
    ASSERT_TRUE(loaded);
    ExpectEllipse(loaded->Ellipse(), QvPoint(7000, -5000), 2000, 1500, QvVector(1, 0));
    EXPECT_EQ(loaded->GetBoundRect(), f->GetBoundRect());
    EXPECT_EQ(loaded->GetDescription(), f->GetDescription());
}

TEST_F(EllipseTest, GripDragOfThePointChangesOnlyB) {
    auto f = Clicked(ID_DRAW_ELLIPSE_AP, {QvPoint(0, 0), QvPoint(4000, 0), QvPoint(2000, 1000)});
    f->MoveHandle(2, QvPoint(2000, 400), QvPoint(), {});
    ExpectEllipse(f->Ellipse(), QvPoint(2000, 0), 2000, 400, QvVector(1, 0));
}

TEST_F(EllipseTest, Description) {
    auto f = Clicked(ID_DRAW_ELLIPSE_AP,
                     {QvPoint(12500, 10000), QvPoint(17500, 10000), QvPoint(15000, 11000)});
    EXPECT_EQ(f->GetDescription(),
              QStringLiteral("Ellipse - Centre (150.00,200.00)  Axes 25.00mm and 10.00mm"));
    // The first axis is the clicked one, even when it is the shorter.
    auto g = Clicked(ID_DRAW_ELLIPSE_AP,
                     {QvPoint(12500, 10000), QvPoint(17500, 10000), QvPoint(15000, 14000)});
    EXPECT_EQ(g->GetDescription(),
              QStringLiteral("Ellipse - Centre (150.00,200.00)  Axes 25.00mm and 40.00mm"));
}

TEST_F(EllipseTest, QuarterPiecesForIntersections) {
    auto f = Clicked(ID_DRAW_ELLIPSE_4C, {QvPoint(-100, -50), QvPoint(100, 50)});
    QvShapeList list;
    f->AddShapes(list, -1);
    ASSERT_EQ(list.GetCount(), 4);
    auto* piece = dynamic_cast<const QvGRBezierCurve*>(list[0].shape.get());
    ASSERT_TRUE(piece);
    EXPECT_EQ(list[0].figure, f.get());
    ExpectPoint(piece->GetPoint(0), 100, 0);
    ExpectPoint(piece->GetPoint(1), 100, 27.61423749);
    ExpectPoint(piece->GetPoint(2), 55.22847498, 50);
    ExpectPoint(piece->GetPoint(3), 0, 50);
    // Pieces 3 and 4 both end at C - v.
    for (int i : {2, 3}) {
        auto* p = dynamic_cast<const QvGRBezierCurve*>(list[i].shape.get());
        ASSERT_TRUE(p);
        ExpectPoint(p->GetPoint(3), 0, -50);
    }
    f->SetDeleted(true);
    QvShapeList none;
    f->AddShapes(none, -1);
    EXPECT_EQ(none.GetCount(), 0);
}

TEST_F(EllipseTest, HitOnTheOutlineOnly) {
    auto f =
        Clicked(ID_DRAW_ELLIPSE_4C, {QvPoint(4000, 4000), QvPoint(6000, 6000)}); // a = b = 1000
    f->SetFillStyle(ID_FILL_SOLID);
    EXPECT_FALSE(f->HitTest(QvPoint(5000, 5000), 100));
    EXPECT_TRUE(f->HitTest(QvPoint(6050, 5000), 100));
    EXPECT_FALSE(f->HitTest(QvPoint(6150, 5000), 100));
    // A flat ellipse is hit along the segment it is drawn as.
    auto flat = Clicked(ID_DRAW_ELLIPSE_4C, {QvPoint(1000, 1000), QvPoint(1000, 3000)});
    EXPECT_TRUE(flat->HitTest(QvPoint(1010, 2500), 20));
    EXPECT_FALSE(flat->HitTest(QvPoint(1010, 3500), 20));
}

TEST_F(EllipseTest, BoundsGrowByThePen) {
    auto box = Clicked(ID_DRAW_ELLIPSE_4C, {QvPoint(1000, 1000), QvPoint(3000, 2000)});
    box->SetLineStyle(ID_LINE_SOLID2); // Solid 2, width 50
    EXPECT_EQ(box->GetBoundRect(), CRect(950, 950, 3051, 2051));
    auto ap = Clicked(ID_DRAW_ELLIPSE_AP,
                      {QvPoint(1000, 1500), QvPoint(3000, 1500), QvPoint(2000, 2000)});
    ap->SetLineStyle(ID_LINE_SOLID2);
    EXPECT_EQ(ap->GetBoundRect(), CRect(950, 950, 3051, 2051));
    // Turned, the ellipse still lies inside.
    auto turned = Clicked(ID_DRAW_ELLIPSE_AP,
                          {QvPoint(0, 0), QvPoint(2000, 2000), QvPoint(646.4466, 1353.5534)});
    CRect r = turned->GetBoundRect();
    for (double t = 0; t < 6.28; t += 0.1) {
        CPoint p;
        turned->Ellipse().PointAt(t).ToCPoint(p);
        EXPECT_TRUE(r.PtInRect(p)) << t;
    }
}

// Drawn as a closed curve through the axis ends, filled inside, with the
// centre mark of the ellipse defaults.
TEST_F(EllipseTest, DrawnFilledAndMarked) {
    TheSettings().m_EllipseDefaults.Centre.SetValue(1);
    TheSettings().m_CircleDefaults.Centre.SetValue(3);
    auto f = Clicked(ID_DRAW_ELLIPSE_AP,
                     {QvPoint(2000, 2500), QvPoint(8000, 2500), QvPoint(5000, 3500)});
    EXPECT_EQ(f->CircleData()->m_markType, 1);
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
    for (double t = 0; t < 6.28; t += 0.3) {
        QvPoint p = f->Ellipse().PointAt(t);
        QPoint px = page.Pixel(p.x, p.y);
        EXPECT_GT(page.InkIn(Square(px, 1, 1)), 0) << t;
    }
    EXPECT_EQ(page.InkIn(Square(page.Pixel(5000, 3000), 2, 2)), 0); // hollow
    EXPECT_GT(page.InkIn(Square(page.Pixel(5000, 2500), 1, 1)), 0); // the '+'
    EXPECT_EQ(page.InkIn(Square(page.Pixel(5000, 4000), 3, 3)), 0); // nothing outside

    HimetricPage filled;
    CPen pen(PS_SOLID, 1, 0);
    CBrush blue(RGB(0, 0, 255));
    filled.Draw([&](CDC& dc) {
        CPen* before = dc.SelectObject(&pen);
        dc.SelectObject(&blue);
        f->DrawFill(&dc, 0);
        EXPECT_EQ(dc.SelectObject(before), &pen); // the fill puts the pen back
    });
    EXPECT_EQ(filled.image.pixel(filled.Pixel(5000, 3000)), 0xFF0000FF);
    EXPECT_EQ(filled.image.pixel(filled.Pixel(5000, 4000)), kPaper);

    // A box of no width draws its segment.
    auto flat = Clicked(ID_DRAW_ELLIPSE_4C, {QvPoint(3000, 1000), QvPoint(3000, 4000)});
    HimetricPage line;
    line.Draw([&](CDC& dc) { DrawNormal(*flat, dc); });
    EXPECT_GT(line.InkIn(Square(line.Pixel(3000, 1500), 1, 1)), 0);
    EXPECT_GT(line.InkIn(Square(line.Pixel(3000, 3500), 1, 1)), 0);
}

TEST_F(EllipseTest, RecordAndCopies) {
    auto f = Clicked(ID_DRAW_ELLIPSE_4C, {QvPoint(10, 20), QvPoint(300, 400)});
    f->CircleData()->m_markType = 6;
    f->SetLineColour(0x00ABCDEF);
    QByteArray bytes = Store(f.get());
    // The figure record and the circles' record, nothing more.
    EXPECT_EQ(bytes.right(22).toHex(' '), Hex("EF CD AB 00  28 32 3C 00  25 80 00 00  2E 80 00 00"
                                              "01 00  06 00 00 00")
                                              .toHex(' '));
    std::unique_ptr<QvEditData> snapshot(f->NewEditData());
    auto* circle = dynamic_cast<QvEditDataCircle*>(snapshot.get());
    ASSERT_TRUE(circle);
    EXPECT_EQ(circle->m_markType, 6);

    std::vector<std::unique_ptr<QvFigEllipseBase>> kinds;
    kinds.push_back(std::move(f));
    kinds.push_back(
        Clicked(ID_DRAW_ELLIPSE_AP, {QvPoint(0, 0), QvPoint(400, 0), QvPoint(200, 100)}));
    kinds.push_back(
        Clicked(ID_DRAW_ELLIPSE_FP, {QvPoint(0, 0), QvPoint(400, 0), QvPoint(200, 300)}));
    kinds.push_back(Clicked(ID_DRAW_ELLIPSE_4P,
                            {QvPoint(0, 0), QvPoint(400, 0), QvPoint(200, 9), QvPoint(9, 9)}));
    for (auto& k : kinds) {
        auto loaded = Load<QvFigEllipseBase>(Store(k.get()));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->GetRuntimeClass(), k->GetRuntimeClass());
        EXPECT_EQ(loaded->GetToolId(), k->GetToolId());
        EXPECT_EQ(Store(loaded.get()), Store(k.get()));
        EXPECT_EQ(loaded->GetDescription(), k->GetDescription());
    }
}

} // namespace
