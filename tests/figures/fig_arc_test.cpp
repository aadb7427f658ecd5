#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_arc.h"
#include "figures/shape_record.h"
#include "geometry/gr_bezier.h"
#include "platform/command_ids.h"

#include <cmath>
#include <vector>

namespace {

const QChar kDegree(0x00B0);

class ArcTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        QvArcDefaults& d = TheSettings().m_ArcDefaults;
        d.Centre.SetValue(0);
        d.Start.SetValue(10);
        d.Stop.SetValue(10);
        d.Mid.SetValue(10);
        d.StartSize.SetValue(12);
        d.StopSize.SetValue(12);
        d.MidSize.SetValue(12);
        d.MidPos.SetValue(0.5);
        d.CloseType.SetValue(QvArcClosing::Arc);
        d.Major.SetValue(0);
    }

    // An arc made by its creation events; the last one completes it.
    std::unique_ptr<QvFigArcBase> Clicked(int toolId, std::vector<QvPoint> clicks) {
        auto f = Make<QvFigArcBase>(toolId);
        EXPECT_TRUE(f);
        bool done = false;
        for (const QvPoint& p : clicks) {
            EXPECT_FALSE(done);
            done = Click(*f, p);
        }
        EXPECT_TRUE(done);
        return f;
    }
    // The same, with the record changed before the points are placed.
    template <class Fn>
    std::unique_ptr<QvFigArcBase> Clicked(int toolId, std::vector<QvPoint> clicks, Fn edit) {
        auto f = Make<QvFigArcBase>(toolId);
        edit(*f->ArcData());
        bool done = false;
        for (const QvPoint& p : clicks)
            done = Click(*f, p);
        EXPECT_TRUE(done);
        return f;
    }
};

std::unique_ptr<QvFigArcBase> Rebuilt(std::unique_ptr<QvFigArcBase> f) {
    f->MapToFrame(QvGRRect());
    f->BuildFromPoints();
    return f;
}

TEST_F(ArcTest, FactoryAndDefaults) {
    QvArcDefaults& d = TheSettings().m_ArcDefaults;
    d.Centre.SetValue(3);
    d.Start.SetValue(12);
    d.Stop.SetValue(13);
    d.Mid.SetValue(14);
    d.StartSize.SetValue(5);
    d.StopSize.SetValue(6);
    d.MidSize.SetValue(7);
    d.MidPos.SetValue(0.25);
    d.CloseType.SetValue(QvArcClosing::Segment);
    d.Major.SetValue(1);
    struct Row {
        int tool;
        const char* cls;
        int points, roundGrips;
        double step;
        int major; // the three-point arc's way is its third point's
    } rows[] = {{ID_DRAW_ARC_C2P, "QvFigArcC2P", 3, 0, 1.570796327, 1},
                {ID_DRAW_ARC_3P, "QvFigArc3P", 3, 0, 1.570796327, 0},
                {ID_DRAW_ARC_4P, "QvFigArc4P", 6, 2, 0.2, 1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cls);
        auto f = Make<QvFigArcBase>(r.tool);
        ASSERT_TRUE(f);
        EXPECT_STREQ(f->GetRuntimeClass()->m_lpszClassName, r.cls);
        EXPECT_EQ(CRuntimeClass::FromName(r.cls), f->GetRuntimeClass());
        EXPECT_EQ(f->GetToolId(), r.tool);
        EXPECT_EQ(f->GetPointCount(), r.points);
        EXPECT_EQ(f->GetRoundGripCount(), r.roundGrips);
        EXPECT_DOUBLE_EQ(f->FlatteningStep(), r.step);
        const QvEditDataArc& a = *f->ArcData();
        EXPECT_EQ(a.m_markType, 3);
        EXPECT_EQ(a.m_startArrow, 12);
        EXPECT_EQ(a.m_stopArrow, 13);
        EXPECT_EQ(a.m_midArrow, 14);
        EXPECT_EQ(a.m_startSize, 5);
        EXPECT_EQ(a.m_stopSize, 6);
        EXPECT_EQ(a.m_midSize, 7);
        EXPECT_DOUBLE_EQ(a.m_midPos, 0.25);
        EXPECT_EQ(a.m_closeType, QvArcClosing::Segment);
        EXPECT_EQ(a.m_major, r.major);
        EXPECT_EQ(a.m_lineColor, RGB(10, 20, 30));
        ExpectPoint(f->GetPoint(0), QV_FAR, QV_FAR);
    }
}

TEST_F(ArcTest, RecordLayoutAndCopies) {
    auto f = Clicked(ID_DRAW_ARC_C2P, {QvPoint(0, 0), QvPoint(100, 0), QvPoint(0, 100)});
    QvEditDataArc& a = *f->ArcData();
    a.m_markType = 4;
    a.m_startArrow = 12;
    a.m_stopArrow = 13;
    a.m_midArrow = 16;
    a.m_startSize = 1;
    a.m_stopSize = 2;
    a.m_midSize = 3;
    a.m_midPos = 0.5;
    a.m_closeType = QvArcClosing::Sector;
    a.m_major = 1;
    f->BuildFromPoints();
    QByteArray bytes = Store(f.get());
    EXPECT_EQ(bytes.right(34).toHex(' '), Hex("01 00  04 00 00 00  0C 00 00 00  0D 00 00 00"
                                              "10 00 00 00  01 02 03  00 00 00 00 00 00 E0 3F"
                                              "01 00 00 00  01")
                                              .toHex(' '));
    auto loaded = Load<QvFigArcC2P>(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Store(loaded.get()), bytes);
    EXPECT_EQ(loaded->GetDescription(), f->GetDescription());

    // A version word of 0 keeps the defaults and reads nothing more.
    TheSettings().m_ArcDefaults.Stop.SetValue(19);
    QByteArray old = bytes.left(bytes.size() - 34) + Hex("00 00");
    auto early = Load<QvFigArcC2P>(old);
    ASSERT_TRUE(early);
    EXPECT_EQ(early->ArcData()->m_stopArrow, 19);
    EXPECT_EQ(early->ArcData()->m_markType, 0);

    std::unique_ptr<QvEditData> snapshot(f->NewEditData());
    auto* copy = dynamic_cast<QvEditDataArc*>(snapshot.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(Store(copy), Store(f->ArcData()));
}

// Centre (1000, 1000), start (2000, 1000), finish toward (1000, 3000).
TEST_F(ArcTest, CentreAndTwoPoints) {
    auto f = Make<QvFigArcBase>(ID_DRAW_ARC_C2P);
    EXPECT_FALSE(Click(*f, QvPoint(1000, 1000)));
    f->TrackCreatePoint(QvPoint(2000, 1000), {});
    ExpectPoint(f->DefiningPoints()[2], 1000, 2000); // a quarter turn on
    EXPECT_FALSE(Click(*f, QvPoint(2000, 1000)));
    EXPECT_TRUE(Click(*f, QvPoint(1000, 3000)));
    ExpectPoint(f->DefiningPoints()[2], 1000, 2000); // pulled onto the circle
    EXPECT_DOUBLE_EQ(f->Arc().a, 1000);
    const double h = 1000 * std::sqrt(0.5);
    ExpectPoint(f->Arc().thirdPoint, 1000 + h, 1000 + h, 1e-3);

    f->ArcData()->m_major = 1;
    f->BuildFromPoints();
    ExpectPoint(f->Arc().thirdPoint, 1000 - h, 1000 - h, 1e-3);

    EXPECT_EQ(f->Arc().reversed, 1); // clockwise from its start, the long way
    f->ArcData()->m_major = 0;
    f->BuildFromPoints();
    EXPECT_EQ(f->Arc().reversed, 0);

    // Ends exactly opposite: the short way through the bisector.
    auto half =
        Clicked(ID_DRAW_ARC_C2P, {QvPoint(1000, 1000), QvPoint(2000, 1000), QvPoint(0, 1000)});
    ExpectPoint(half->Arc().thirdPoint, 1000, 2000, 1e-3);
}

TEST_F(ArcTest, CentreAndTwoPointsGripsKeepOneCircle) {
    auto f =
        Clicked(ID_DRAW_ARC_C2P, {QvPoint(1000, 1000), QvPoint(2000, 1000), QvPoint(1000, 2000)});
    f->MoveHandle(1, QvPoint(3000, 1000), QvPoint(), {});
    ExpectPoint(f->DefiningPoints()[2], 1000, 3000); // the finish moves out along its line
    EXPECT_DOUBLE_EQ(f->Arc().a, 2000);
    f->MoveHandle(2, QvPoint(1000, 1500), QvPoint(), {});
    ExpectPoint(f->DefiningPoints()[1], 1500, 1000); // the start follows the radius
    EXPECT_DOUBLE_EQ(f->Arc().a, 500);
}

TEST_F(ArcTest, ThreePoints) {
    auto f = Make<QvFigArcBase>(ID_DRAW_ARC_3P);
    Click(*f, QvPoint(0, 0));
    f->TrackCreatePoint(QvPoint(1000, 0), {});
    ExpectPoint(f->DefiningPoints()[2], 500, 866.025); // the apex on the left
    Click(*f, QvPoint(1000, 0));
    EXPECT_TRUE(Click(*f, QvPoint(500, -500)));
    ExpectPoint(f->Arc().centre, 500, 0, 1e-9);
    EXPECT_EQ(f->ArcData()->m_major, 0);
    // Dragged past the centre, the long way round: the flag follows.
    f->MoveHandle(2, QvPoint(500, -900), QvPoint(), {});
    EXPECT_EQ(f->ArcData()->m_major, 1);
    EXPECT_TRUE(f->HitTest(QvPoint(500, -900), 1e-6));
    f->MoveHandle(2, QvPoint(500, 200), QvPoint(), {});
    EXPECT_EQ(f->ArcData()->m_major, 0);
}

// No arc passes through three points on a line: the click beeps, the point
// keeps following the pointer, and nothing becomes NaN.
TEST_F(ArcTest, ThreePointsOnALineAreRefused) {
    MessageRecorder recorder;
    auto f = Make<QvFigArcBase>(ID_DRAW_ARC_3P);
    Click(*f, QvPoint(0, 0));
    Click(*f, QvPoint(2000, 0));
    f->TrackCreatePoint(QvPoint(3000, 0), {});
    EXPECT_FALSE(f->HasArc());
    EXPECT_FALSE(f->CreateClick());
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_EQ(f->GetClickCount(), 2);
    EXPECT_FALSE(f->IsValid());
    EXPECT_FALSE(f->HitTest(QvPoint(0, 0), 1e6));
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
    EXPECT_EQ(InkBounds(page.image), QRect());
    EXPECT_TRUE(Click(*f, QvPoint(1000, 1000)));
    ExpectPoint(f->Arc().centre, 1000, 0, 1e-9);

    // A grip is not dragged onto the line either.
    f->MoveHandle(2, QvPoint(5000, 0), QvPoint(), {});
    ExpectPoint(f->DefiningPoints()[2], 1000, 1000);
    EXPECT_TRUE(f->IsValid());
    // And a central angle of 0 or 360 changes nothing.
    for (double angle : {0.0, 360.0, 400.0}) {
        f->SetAngles(QvPoint(0, angle));
        ExpectPoint(f->DefiningPoints()[2], 1000, 1000);
        EXPECT_TRUE(std::isfinite(f->Arc().centre.x));
    }
}

// The page corner is a point like any other.
TEST_F(ArcTest, ArcCentredAtThePageCornerDraws) {
    const double h = 1000 * std::sqrt(0.5);
    auto half = Clicked(ID_DRAW_ARC_3P, {QvPoint(-1000, 0), QvPoint(1000, 0), QvPoint(0, 1000)});
    ExpectPoint(half->Arc().centre, 0, 0, 1e-9);
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*half, dc); });
    EXPECT_GT(page.InkIn(Square(page.Pixel(h, h), 1, 1)), 0);

    auto sector = Clicked(ID_DRAW_ARC_C2P, {QvPoint(0, 0), QvPoint(600, 800), QvPoint(800, 600)},
                          [](QvEditDataArc& a) { a.m_closeType = QvArcClosing::Sector; });
    HimetricPage corner;
    corner.Draw([&](CDC& dc) { DrawNormal(*sector, dc); });
    EXPECT_GT(corner.InkIn(Square(corner.Pixel(h, h), 1, 1)), 0);
    EXPECT_GT(corner.InkIn(Square(corner.Pixel(300, 400), 1, 1)), 0); // both radii
    EXPECT_GT(corner.InkIn(Square(corner.Pixel(400, 300), 1, 1)), 0);
}

TEST_F(ArcTest, ArcInABox) {
    auto f = Make<QvFigArcBase>(ID_DRAW_ARC_4P);
    EXPECT_FALSE(Click(*f, QvPoint(0, 0)));
    EXPECT_TRUE(Click(*f, QvPoint(4000, 2000)));
    EXPECT_EQ(f->GetClickCount(), 4);
    const QvPointArray& p = f->DefiningPoints();
    ExpectPoint(p[1], 4000, 0);
    ExpectPoint(p[2], 4000, 2000);
    ExpectPoint(p[3], 0, 2000);
    ExpectPoint(p[4], 0, 999.98);
    ExpectPoint(p[5], 4000, 999.98);
    ExpectPoint(f->Arc().centre, 2000, 1000);
    EXPECT_DOUBLE_EQ(f->Arc().a, 2000);
    EXPECT_DOUBLE_EQ(f->Arc().b, 1000);
    ExpectPoint(f->Arc().thirdPoint, 2000, 0, 0.05); // the lower half

    // With Shift held the box is a square.
    auto square = Make<QvFigArcBase>(ID_DRAW_ARC_4P);
    Click(*square, QvPoint(0, 0), QvKeys{.shift = true});
    Click(*square, QvPoint(4000, 2000), QvKeys{.shift = true});
    ExpectPoint(square->DefiningPoints()[2], 2000, 2000);
    EXPECT_DOUBLE_EQ(square->Arc().a, square->Arc().b);
}

TEST_F(ArcTest, ArcInABoxGrips) {
    auto f = Clicked(ID_DRAW_ARC_4P, {QvPoint(0, 0), QvPoint(4000, 2000)});
    // A corner drag keeps the ends where they were in the box.
    f->MoveHandle(2, QvPoint(8000, 4000), QvPoint(), {});
    ExpectPoint(f->DefiningPoints()[4], 0, 1999.96, 1e-6);
    ExpectPoint(f->DefiningPoints()[5], 8000, 1999.96, 1e-6);
    // An end is put on the ellipse nearest the pointer.
    f->MoveHandle(5, QvPoint(4000, 6000), QvPoint(), {});
    ExpectPoint(f->DefiningPoints()[5], 4000, 4000, 1e-6);
    EXPECT_NEAR(f->Arc().DistanceTo(QvPoint(4000, 4000)), 0, 1e-6);
}

struct Described {
    const char* name;
    int tool;
    std::vector<QvPoint> clicks;
    int close;
    int major;
    const char* text; // the degree signs follow each angle
};

// Stated counter-clockwise, whichever way the arc was made.
TEST_F(ArcTest, AnglesAndDescriptions) {
    const Described rows[] = {
        {"sector",
         ID_DRAW_ARC_C2P,
         {{5000, 5000}, {7000, 5000}, {5000, 7000}},
         1,
         0,
         "Sector - Centre (50.00,250.00)  Radius 20.00mm  Rotation 0.00|  Central Angle 90.00|"},
        {"clockwise",
         ID_DRAW_ARC_C2P,
         {{5000, 5000}, {5000, 7000}, {7000, 5000}},
         0,
         0,
         "Arc - Centre (50.00,250.00)  Radius 20.00mm  Rotation 0.00|  Central Angle 90.00|"},
        {"major",
         ID_DRAW_ARC_C2P,
         {{5000, 5000}, {7000, 5000}, {5000, 7000}},
         0,
         1,
         "Arc - Centre (50.00,250.00)  Radius 20.00mm  Rotation 90.00|  Central Angle 270.00|"},
        {"through three points",
         ID_DRAW_ARC_3P,
         {{7000, 5000}, {3000, 5000}, {5000, 7000}},
         2,
         0,
         "Segment - Centre (50.00,250.00)  Radius 20.00mm  Rotation 0.00|  Central Angle 180.00|"},
        {"in a box",
         ID_DRAW_ARC_4P,
         {{1000, 1000}, {5000, 3000}},
         0,
         0,
         "Arc - Centre (30.00,280.00)  Radius 20.00mm  Rotation -180.00|  Central Angle 180.00|"},
    };
    for (const Described& r : rows) {
        SCOPED_TRACE(r.name);
        auto f = Clicked(r.tool, r.clicks, [&](QvEditDataArc& a) {
            a.m_closeType = r.close;
            a.m_major = BYTE(r.major);
        });
        EXPECT_EQ(f->GetDescription(), QString::fromLatin1(r.text).replace('|', kDegree));
    }
}

// The closing lines and the fill of each close type.
TEST_F(ArcTest, ClosedAsSectorOrSegment) {
    // A quarter about (5000, 2500), radius 2000, from 45 to 135 degrees.
    const double h = 2000 * std::sqrt(0.5);
    for (int close : {QvArcClosing::Arc, QvArcClosing::Sector, QvArcClosing::Segment}) {
        SCOPED_TRACE(close);
        auto f =
            Clicked(ID_DRAW_ARC_C2P,
                    {QvPoint(5000, 2500), QvPoint(5000 + h, 2500 + h), QvPoint(5000 - h, 2500 + h)},
                    [&](QvEditDataArc& a) { a.m_closeType = close; });
        HimetricPage page;
        page.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
        int onRadius = page.InkIn(Square(page.Pixel(5000 + h / 2, 2500 + h / 2), 1, 1));
        int onChord = page.InkIn(Square(page.Pixel(5000, 2500 + h), 1, 1));
        EXPECT_EQ(onRadius > 0, close == QvArcClosing::Sector);
        EXPECT_EQ(onChord > 0, close == QvArcClosing::Segment);

        f->SetFillStyle(ID_FILL_SOLID);
        f->SetFillColour(RGB(0, 0, 255));
        HimetricPage filled;
        filled.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
        const QRgb blue = 0xFF0000FF;
        bool nearCentre = filled.image.pixel(filled.Pixel(5000, 2800)) == blue;
        bool nearArc = filled.image.pixel(filled.Pixel(5000, 4300)) == blue;
        EXPECT_EQ(nearCentre, close == QvArcClosing::Sector);
        EXPECT_EQ(nearArc, close != QvArcClosing::Arc);

        QvShapeList shapes;
        f->AddShapes(shapes, -1);
        const int pieces[] = {1, 3, 2}; // the curve, two radii or a chord
        ASSERT_EQ(shapes.GetCount(), pieces[close]);
        EXPECT_TRUE(dynamic_cast<const QvGRBezierCurve*>(shapes[0].shape.get()));
        if (close == QvArcClosing::Sector) {
            auto* radius = dynamic_cast<const QvGRLine*>(shapes[1].shape.get());
            ASSERT_TRUE(radius);
            ExpectPoint(radius->p2, 5000, 2500, 1e-9);
        }
        f->SetDeleted(true);
        QvShapeList none;
        f->AddShapes(none, -1);
        EXPECT_EQ(none.GetCount(), 0);

        // The centre is in the bounds only where a sector reaches it.
        CRect bounds = f->GetBoundRect();
        EXPECT_EQ(bounds.PtInRect(CPoint(5000, 2500)), close == QvArcClosing::Sector);
    }
}

TEST_F(ArcTest, BoundsReachTheArrowheads) {
    auto f =
        Clicked(ID_DRAW_ARC_C2P, {QvPoint(5000, 5000), QvPoint(7000, 5000), QvPoint(5000, 7000)});
    CRect plain = f->GetBoundRect();
    f->ArcData()->m_stopArrow = 12; // size 12: 240 units
    CRect headed = f->GetBoundRect();
    EXPECT_EQ(headed.left, plain.left - 240);
    EXPECT_EQ(headed.bottom, plain.bottom + 240);
    f->ArcData()->m_markType = 1;
    EXPECT_TRUE(f->GetBoundRect().PtInRect(CPoint(5000, 5000)));
}

// The ink that an arrowhead adds to the plain arc: its centroid in model
// units.
QvPoint HeadCentroid(QvFigArcBase& f, HimetricPage& plain) {
    HimetricPage headed;
    headed.Draw([&](CDC& dc) { DrawNormal(f, dc); });
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < plain.image.height(); ++y)
        for (int x = 0; x < plain.image.width(); ++x)
            if (plain.image.pixel(x, y) != headed.image.pixel(x, y)) {
                sx += x;
                sy += y;
                ++n;
            }
    EXPECT_GT(n, 10);
    const double unit = 2540.0 / 96.0;
    return n ? QvPoint(sx / n * unit, (plain.image.height() - sy / n) * unit) : QvPoint();
}

// Each arrowhead sits at its own end of the arc and lies along the arc,
// whichever way the drawn curve runs, for circular and elliptical arcs.
TEST_F(ArcTest, ArrowheadsAtTheirEndsEitherWay) {
    struct Row {
        const char* name;
        int tool;
        std::vector<QvPoint> clicks;
    } rows[] = {
        {"counter-clockwise", ID_DRAW_ARC_C2P, {{5000, 2000}, {7000, 2000}, {3000, 2000}}},
        {"clockwise", ID_DRAW_ARC_C2P, {{5000, 2000}, {3000, 2000}, {7000, 2000}}},
        {"box, lower half", ID_DRAW_ARC_4P, {{3000, 1000}, {7000, 4000}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (bool swapped : {false, true}) {
            SCOPED_TRACE(swapped ? "ends swapped" : "as made");
            if (swapped && r.tool != ID_DRAW_ARC_4P)
                continue;
            auto f = Clicked(r.tool, r.clicks);
            if (swapped) {
                std::swap(f->DefiningPoints()[4], f->DefiningPoints()[5]);
                f = Rebuilt(std::move(f));
            }
            HimetricPage plain;
            plain.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
            const QvGRArc& arc = f->Arc();
            // Points a little into the arc and a little past it at each end.
            double into = arc.between ? 0.3 : -0.3;
            bool startLow = arc.startAngle < arc.endAngle;
            double s = arc.startAngle, e = arc.endAngle;
            QvPoint startIn = arc.PointAt(s + (startLow ? into : -into));
            QvPoint startOut = arc.PointAt(s - (startLow ? into : -into));
            QvPoint endIn = arc.PointAt(e - (startLow ? into : -into));
            QvPoint endOut = arc.PointAt(e + (startLow ? into : -into));

            f->ArcData()->m_startArrow = 12;
            f->ArcData()->m_startSize = 20;
            QvPoint c = HeadCentroid(*f, plain);
            EXPECT_LT((c - startIn).Length(), (c - startOut).Length());
            EXPECT_LT((c - arc.PointAt(s)).Length(), (c - arc.PointAt(e)).Length());

            f->ArcData()->m_startArrow = 10;
            f->ArcData()->m_stopArrow = 12;
            f->ArcData()->m_stopSize = 20;
            c = HeadCentroid(*f, plain);
            EXPECT_LT((c - endIn).Length(), (c - endOut).Length());
            EXPECT_LT((c - arc.PointAt(e)).Length(), (c - arc.PointAt(s)).Length());

            // The middle head points toward the end: its body lies behind
            // its tip, on the start's side.
            f->ArcData()->m_stopArrow = 10;
            f->ArcData()->m_midArrow = 12;
            f->ArcData()->m_midSize = 20;
            c = HeadCentroid(*f, plain);
            double mid = (s + e) / 2 + (arc.between ? 0.0 : QV_PI);
            double toward = arc.between == startLow ? 0.3 : -0.3;
            EXPECT_LT((c - arc.PointAt(mid - toward)).Length(),
                      (c - arc.PointAt(mid + toward)).Length());
        }
    }
}

TEST_F(ArcTest, SetAnglesPlacesTheArc) {
    auto f =
        Clicked(ID_DRAW_ARC_C2P, {QvPoint(5000, 5000), QvPoint(5000, 7000), QvPoint(7000, 5000)});
    f->SetAngles(QvPoint(30, 120));
    EXPECT_EQ(f->GetDescription(),
              QStringLiteral("Arc - Centre (50.00,250.00)  Radius 20.00mm  Rotation 30.00") +
                  kDegree + QStringLiteral("  Central Angle 120.00") + kDegree);
    // The start goes to the rotation, so a clockwise arc turns round.
    ExpectPoint(f->DefiningPoints()[1], 5000 + 2000 * std::cos(QV_PI / 6), 6000, 1e-3);
    EXPECT_EQ(f->ArcData()->m_major, 0);
    f->SetAngles(QvPoint(-90, 270));
    EXPECT_EQ(f->ArcData()->m_major, 1);
    EXPECT_NEAR(QvGRArc(f->Arc()).GetStartAndCentralAngle().y, 270, 1e-9);
    // No arc of 0 or 360 degrees: the arc stays as it is.
    for (double angle : {0.0, 360.0}) {
        f->SetAngles(QvPoint(0, angle));
        EXPECT_NEAR(QvGRArc(f->Arc()).GetStartAndCentralAngle().y, 270, 1e-9);
    }

    auto box = Clicked(ID_DRAW_ARC_4P, {QvPoint(0, 0), QvPoint(4000, 2000)});
    box->SetAngles(QvPoint(0, 90));
    ExpectPoint(box->DefiningPoints()[4], 4000, 1000, 1e-6);
    ExpectPoint(box->DefiningPoints()[5], 2000, 2000, 1e-6);

    // A half turn on a chord of 2000 bulges by its radius, on its old side.
    for (double side : {1.0, -1.0}) {
        auto arc3 =
            Clicked(ID_DRAW_ARC_3P, {QvPoint(0, 0), QvPoint(2000, 0), QvPoint(1000, 300 * side)});
        arc3->SetAngles(QvPoint(45, 180));
        ExpectPoint(arc3->DefiningPoints()[2], 1000, 1000 * side, 1e-3);
        ExpectPoint(arc3->DefiningPoints()[0], 0, 0); // the chord stays
    }
}

// Every kind drawn on a page in each mapping mode: its ink lies on the arc
// the user clicked and not on the rest of its circle or ellipse.
TEST_F(ArcTest, InkOnTheClickedArcInEitherMappingMode) {
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        SCOPED_TRACE(mode == MM_TEXT ? "MM_TEXT" : "MM_HIMETRIC");
        // Model units per pixel; pixel (200, 100) is the centre either way.
        const double s = mode == MM_TEXT ? 1.0 : 2540.0 / 96.0;
        const QvPoint c(200 * s, 100 * s);
        const double r = 60 * s;
        auto at = [&](double degrees) {
            double t = degrees / QV_DEGREES_PER_RADIAN;
            return c + QvVector(r * std::cos(t), r * std::sin(t));
        };
        struct Row {
            const char* name;
            int tool;
            std::vector<QvPoint> clicks;
            int major;
            double from, to; // the arc in degrees, counter-clockwise in the model
        } rows[] = {
            {"centre, minor", ID_DRAW_ARC_C2P, {c, at(0), at(120)}, 0, 0, 120},
            {"centre, major", ID_DRAW_ARC_C2P, {c, at(0), at(120)}, 1, 120, 360},
            {"centre, clockwise", ID_DRAW_ARC_C2P, {c, at(120), at(0)}, 0, 0, 120},
            {"three points, short way", ID_DRAW_ARC_3P, {at(0), at(120), at(60)}, 0, 0, 120},
            {"three points, long way", ID_DRAW_ARC_3P, {at(0), at(120), at(240)}, 0, 120, 360},
            {"box, minor",
             ID_DRAW_ARC_4P,
             {c - QvVector(r, r / 2), c + QvVector(r, r / 2)},
             0,
             180,
             360},
            {"box, major",
             ID_DRAW_ARC_4P,
             {c - QvVector(r, r / 2), c + QvVector(r, r / 2)},
             1,
             0,
             180},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            auto f = Clicked(row.tool, row.clicks,
                             [&](QvEditDataArc& a) { a.m_major = BYTE(row.major); });
            QImage image = Page(96, 400, 200);
            {
                CDC dc(&image);
                Prepare(dc, mode);
                if (mode == MM_HIMETRIC)
                    dc.SetViewportOrg(0, image.height());
                DrawNormal(*f, dc);
            }
            const bool box = row.tool == ID_DRAW_ARC_4P;
            auto pixel = [&](double degrees) {
                double t = degrees / QV_DEGREES_PER_RADIAN;
                QvPoint p = c + QvVector(r * std::cos(t), (box ? r / 2 : r) * std::sin(t));
                double x = p.x / s, y = p.y / s;
                return QPoint(int(std::lround(x)),
                              int(std::lround(mode == MM_TEXT ? y : image.height() - y)));
            };
            // Points are whole model units, which are pixels in MM_TEXT: the
            // curve may stand a pixel off the exact circle.
            auto inkNear = [&](QPoint p, int reach) {
                for (int y = p.y() - reach; y <= p.y() + reach; ++y)
                    for (int x = p.x() - reach; x <= p.x() + reach; ++x)
                        if (image.pixel(x, y) != kPaper)
                            return true;
                return false;
            };
            for (double d = row.from + 10; d <= row.to - 10; d += 10)
                EXPECT_TRUE(inkNear(pixel(d), 2)) << "on the arc at " << d;
            for (double d = row.to + 10; d <= row.from + 350; d += 10)
                EXPECT_FALSE(inkNear(pixel(d), 1)) << "off the arc at " << d;
        }
    }
}

} // namespace
