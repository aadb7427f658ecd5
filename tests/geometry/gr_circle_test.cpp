// The circle primitive and the line and circle constructions.
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry_test_support.h"

#include <cmath>

namespace {
QvGRCircle Circle(double x, double y, double r) {
    QvGRCircle c;
    c.centre = QvPoint(x, y);
    c.radius = r;
    return c;
}

const QvGRCircle kUnit = Circle(0, 0, 100); // the circle most cases use
const double kRoot3 = 86.60254037844386;    // 100 * sin 60
constexpr double F = QV_FAR;                // expected "no point"
} // namespace

TEST(QvGRCircle, DefaultAndCopies) {
    QvGRCircle c;
    EXPECT_EQ(c.type, 2);
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_FALSE(Circle(5, 0, 0).IsEmpty());
    EXPECT_FALSE(Circle(0, 0, 1e-300).IsEmpty());

    QvGRCircle source = Circle(3, 4, 5);
    std::unique_ptr<QvGRBase> clone = source.Clone();
    auto* circle = dynamic_cast<QvGRCircle*>(clone.get());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->type, 2);
    EXPECT_TRUE(PointNear(circle->centre, QvPoint(3, 4), 0));
    EXPECT_EQ(circle->radius, 5.0);

    // Assignment copies the centre and radius, not the type code.
    QvGRCircle odd;
    odd.type = 42;
    odd = source;
    EXPECT_EQ(odd.type, 42);
    EXPECT_EQ(odd.radius, 5.0);
}

TEST(QvGRCircle, DistancesAndHitTests) {
    struct Row {
        double px, py, distance;
    } rows[] = {{0, 0, 100}, {100, 0, 0}, {250, 0, 150}, {0, -30, 70}, {60, 80, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.px << ", " << r.py);
        EXPECT_NEAR(kUnit.DistanceTo(QvPoint(r.px, r.py)), r.distance, 1e-12);
    }
    struct Hit {
        double px, py, tolerance;
        bool hit;
    } hits[] = {
        {250, 0, 150, true}, {250, 0, 149.9, false}, {0, 0, 100, true}, {0, 0, 99.9, false}};
    for (const Hit& h : hits) {
        SCOPED_TRACE(::testing::Message() << h.px << ", " << h.py << " tol " << h.tolerance);
        EXPECT_EQ(kUnit.HitTest(QvPoint(h.px, h.py), h.tolerance), h.hit);
        EXPECT_EQ(kUnit.HitTestExtended(QvPoint(h.px, h.py), h.tolerance), h.hit);
    }
    EXPECT_TRUE(kUnit.IsOn(QvPoint(100 + 1e-8, 0)));
    EXPECT_FALSE(kUnit.IsOn(QvPoint(100 + 2e-8, 0)));
    EXPECT_TRUE(kUnit.IsOnExtended(QvPoint(0, -100)));
}

TEST(QvGRCircle, NearestPoint) {
    EXPECT_TRUE(PointNear(kUnit.NearestPoint(QvPoint(0, 300)), QvPoint(0, 100), 1e-12));
    EXPECT_TRUE(PointNear(kUnit.NearestPoint(QvPoint(0, 0)), QvPoint(0, 0), 0)); // the centre
    EXPECT_TRUE(PointNear(Circle(10, 10, 5).NearestPoint(QvPoint(13, 14)), QvPoint(13, 14), 1e-12));
    EXPECT_TRUE(PointNear(Circle(10, 10, 5).NearestPoint(QvPoint(10, 0)), QvPoint(10, 5), 1e-12));
}

TEST(QvGRCircle, TangentPointsFromAPoint) {
    struct Row {
        double px, py;
        double x1, y1, x2, y2;
    } rows[] = {
        {200, 0, 50, kRoot3, 50, -kRoot3},
        {0, 200, -kRoot3, 50, kRoot3, 50},
        {50, 0, F, F, F, F},      // inside
        {100, 0, 100, 0, 100, 0}, // on the circle: itself from both
        {0, -100, 0, -100, 0, -100},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.px << ", " << r.py);
        EXPECT_TRUE(PointNear(kUnit.GetTangentPoint1(QvPoint(r.px, r.py)), QvPoint(r.x1, r.y1)));
        EXPECT_TRUE(PointNear(kUnit.GetTangentPoint2(QvPoint(r.px, r.py)), QvPoint(r.x2, r.y2)));
    }
}

TEST(QvGRCircle, IntersectLineMeasuresFromP2TowardsP1) {
    struct Row {
        QvGRLine line;
        double x1, y1, x2, y2;
    } rows[] = {
        {QvGRLine(-200, 50, 200, 50), -kRoot3, 50, kRoot3, 50}, // 1: farther from p2
        {QvGRLine(200, 50, -200, 50), kRoot3, 50, -kRoot3, 50},
        {QvGRLine(-200, 100, 200, 100), 0, 100, 0, 100}, // touching
        {QvGRLine(-200, 150, 200, 150), F, F, F, F},     // missing
        {QvGRLine(150, 0, 200, 0), -100, 0, 100, 0},     // the carrier, not the segment
        {QvGRLine(0, -500, 0, 500), 0, -100, 0, 100},    // vertical
        {QvGRLine(30, 40, 30, 40), 30, 40, 30, 40},      // a point inside: itself
        {QvGRLine(300, 40, 300, 40), F, F, F, F},        // a point outside
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.line.p1 << "-" << r.line.p2);
        EXPECT_TRUE(PointNear(kUnit.IntersectLine1(&r.line), QvPoint(r.x1, r.y1)));
        EXPECT_TRUE(PointNear(kUnit.IntersectLine2(&r.line), QvPoint(r.x2, r.y2)));
    }
}

TEST(QvGRCircle, IntersectCircle) {
    const double root2 = std::sqrt(2.0);
    struct Row {
        QvGRCircle other;
        double x1, y1, x2, y2;
    } rows[] = {
        {Circle(100, 0, 100), 50, kRoot3, 50, -kRoot3},
        {Circle(0, 100, 100 * root2), -100, 0, 100, 0}, // cos A = 0
        {Circle(300, 0, 100), F, F, F, F},              // apart
        {Circle(200, 0, 100), 100, 0, 100, 0},          // touching outside
        {Circle(50, 0, 50), 100, 0, 100, 0},            // touching inside
        {Circle(0, 0, 50), F, F, F, F},                 // concentric
        {Circle(0, 0, 100), F, F, F, F},                // the same circle
        {Circle(10, 0, 20), F, F, F, F},                // inside, apart
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.other.centre << " r " << r.other.radius);
        EXPECT_TRUE(PointNear(kUnit.IntersectCircle1(&r.other), QvPoint(r.x1, r.y1)));
        EXPECT_TRUE(PointNear(kUnit.IntersectCircle2(&r.other), QvPoint(r.x2, r.y2)));
    }
    // A circle of radius 0 gives no point rather than NaN.
    QvGRCircle dot = Circle(100, 0, 0);
    EXPECT_TRUE(dot.IntersectCircle1(&kUnit).IsFar());
    EXPECT_TRUE(dot.IntersectCircle2(&kUnit).IsFar());
}

TEST(QvGRCircle, TangentLineAndLineThroughCentre) {
    QvGRLine tangent = kUnit.TangentLineAt(QvPoint(100, 0));
    EXPECT_TRUE(PointNear(tangent.p1, QvPoint(100, -60000), 0));
    EXPECT_TRUE(PointNear(tangent.p2, QvPoint(100, 60000), 0));
    EXPECT_TRUE(kUnit.TangentLineAt(QvPoint(100.1, 0)).IsEmpty());
    QvGRLine through = kUnit.LineThroughCentre(QvPoint(0, 350));
    EXPECT_TRUE(PointNear(through.p1, QvPoint(0, 0), 0));
    EXPECT_TRUE(PointNear(through.p2, QvPoint(0, 350), 0));
}

TEST(QvGRCircle, SnapPointIsTheCentre) {
    QvGRCircle c = Circle(7, 8, 9);
    {
        ScopedMADLevel mode(1);
        QvSpecialPointList list;
        c.AddSnapPoints(&list, 5000);
        const ExpectedRecord expected[] = {{"Centre", 3.7, 7, 8}};
        ExpectRecords(list, expected);
    }
    {
        ScopedMADLevel mode(0);
        QvSpecialPointList list;
        c.AddSnapPoints(&list, 0);
        ExpectNoRecords(list);
    }
}

TEST(QvGRCircle, LineIntersectionsAreTheSameInBothOrders) {
    ScopedMADLevel mode(2);
    struct Row {
        QvGRLine line;
        int count;
        double x[2];
        double y[2];
    } rows[] = {
        {QvGRLine(-200, 0, 200, 0), 2, {-100, 100}, {0, 0}},
        // The segment does not reach the circle: nothing in either order
        // (both carrier points used to come when the circle came first).
        {QvGRLine(150, 0, 200, 0), 0, {}, {}},
        {QvGRLine(0, 0, 200, 0), 1, {100}, {0}},
        {QvGRLine(-200, 100, 200, 100), 2, {0, 0}, {100, 100}}, // touching: twice
        {QvGRLine(-200, 150, 200, 150), 0, {}, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.line.p1 << "-" << r.line.p2);
        QvSpecialPointList circleFirst, lineFirst;
        kUnit.AddIntersections(&r.line, &circleFirst, 0);
        r.line.AddIntersections(&kUnit, &lineFirst, 0);
        ASSERT_EQ(circleFirst.GetCount(), r.count);
        ASSERT_EQ(lineFirst.GetCount(), r.count);
        for (int i = 0; i < r.count; ++i) {
            EXPECT_EQ(circleFirst[i].label, QStringLiteral("Intersection"));
            EXPECT_EQ(circleFirst[i].priority, 3.01);
            EXPECT_TRUE(PointNear(circleFirst[i].point, QvPoint(r.x[i], r.y[i])));
            EXPECT_TRUE(PointNear(lineFirst[i].point, circleFirst[i].point, 0));
        }
    }
}

TEST(QvGRCircle, ExtendedLineIntersectionsUseTheCarrier) {
    ScopedMADLevel mode(2);
    QvGRLine segment(150, 0, 200, 0);
    QvSpecialPointList circleFirst, lineFirst;
    kUnit.AddExtendedIntersections(&segment, &circleFirst, 0);
    segment.AddExtendedIntersections(&kUnit, &lineFirst, 0);
    const ExpectedRecord expected[] = {{"Intersection", 3.01, -100, 0},
                                       {"Intersection", 3.01, 100, 0}};
    ExpectRecords(circleFirst, expected);
    ExpectRecords(lineFirst, expected);
}

TEST(QvGRCircle, CircleIntersections) {
    ScopedMADLevel mode(2);
    struct Row {
        QvGRCircle other;
        int count;
        double x[2];
        double y[2];
    } rows[] = {
        // The other circle's points, first then second, kept when on this one.
        {Circle(100, 0, 100), 2, {50, 50}, {-kRoot3, kRoot3}},
        {Circle(300, 0, 100), 0, {}, {}},             // apart
        {Circle(200, 0, 100), 2, {100, 100}, {0, 0}}, // touching: twice
        {Circle(0, 0, 50), 0, {}, {}},                // concentric
        {Circle(0, 0, 100), 0, {}, {}},               // the same circle
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.other.centre << " r " << r.other.radius);
        QvSpecialPointList list;
        kUnit.AddIntersections(&r.other, &list, 15);
        ASSERT_EQ(list.GetCount(), r.count);
        for (int i = 0; i < r.count; ++i) {
            EXPECT_EQ(list[i].label, QStringLiteral("Intersection"));
            EXPECT_EQ(list[i].priority, 3.01);
            EXPECT_TRUE(PointNear(list[i].point, QvPoint(r.x[i], r.y[i])));
        }
        QvSpecialPointList extended;
        kUnit.AddExtendedIntersections(&r.other, &extended, 15);
        EXPECT_EQ(extended.GetCount(), r.count);
    }
    QvSpecialPointList gated;
    QvGRCircle crossing = Circle(100, 0, 100);
    kUnit.AddIntersections(&crossing, &gated, 16);
    ExpectNoRecords(gated);
}

TEST(QvGRCircle, TangentPointSnaps) {
    // The tangent rule blocks every point within 200 of the circle line (as
    // the line's foot rule does), so (0, 250), 150 from it, gets none.
    struct Row {
        int mode;
        double px, py;
        int flag, level, count;
    } rows[] = {
        {2, 0, 350, 1, 0, 2},     {2, 0, 350, 2, 0, 0}, // not drawing a line
        {2, 0, 150, 1, 0, 0},                           // within 200 of the circle line
        {2, 0, 250, 1, 0, 0},     {2, 0, 300, 1, 0, 0}, // exactly 200 away: still a hit
        {2, 0, 300.001, 1, 0, 2}, {2, 0, 350, 1, 20, 2}, {2, 0, 350, 1, 21, 0}, // range 20
        {3, 0, 350, 1, 21, 2},    {1, 0, 350, 1, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "mode " << r.mode << " from " << r.px << ", " << r.py
                                          << " flag " << r.flag << " level " << r.level);
        ScopedMADLevel mode(r.mode);
        QvPoint from(r.px, r.py);
        QvSpecialPointList list;
        kUnit.AddPointSnapPoints(&from, &list, r.flag, r.level);
        ASSERT_EQ(list.GetCount(), r.count);
        if (r.count == 2 && r.py == 350) {
            // cos = 100/350, the first turned counter-clockwise.
            const double c = 100.0 / 350.0;
            const double s = std::sqrt(1 - c * c);
            const ExpectedRecord expected[] = {{"Tangent", 2.9, -100 * s, 100 * c},
                                               {"Tangent", 2.9, 100 * s, 100 * c}};
            ExpectRecords(list, expected);
        }
    }
    // From inside a large circle (more than 200 from its line) there are no
    // tangent points.
    ScopedMADLevel mode(2);
    QvGRCircle big = Circle(0, 0, 1000);
    QvPoint centre(0, 0);
    QvSpecialPointList none;
    big.AddPointSnapPoints(&centre, &none, 1, 0);
    ExpectNoRecords(none);
}

TEST(QvGRCircle, GuideShapes) {
    ScopedMADLevel mode(2);
    {
        QvGuideShapeList list;
        QvPoint on(100, 0);
        kUnit.AddGuideShapes(&on, &list, 0);
        ASSERT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list[0].label, QStringLiteral("Tangent"));
        EXPECT_EQ(list[0].priority, 2.9);
        auto* line = dynamic_cast<QvGRLine*>(list[0].shape.get());
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(PointNear(line->p1, QvPoint(100, -60000), 0));
        EXPECT_TRUE(PointNear(line->p2, QvPoint(100, 60000), 0));
    }
    {
        QvGuideShapeList list;
        QvPoint far(0, 350);
        kUnit.AddGuideShapes(&far, &list, 0);
        ASSERT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list[0].label, QStringLiteral("Line through centre"));
        EXPECT_EQ(list[0].priority, 2.1);
        auto* line = dynamic_cast<QvGRLine*>(list[0].shape.get());
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(PointNear(line->p1, QvPoint(0, 0), 0));
        EXPECT_TRUE(PointNear(line->p2, QvPoint(0, 350), 0));
    }
    {
        QvGuideShapeList list;
        QvPoint near(0, 250); // neither on the circle nor more than 200 away
        kUnit.AddGuideShapes(&near, &list, 0);
        EXPECT_EQ(list.GetCount(), 0);
        QvPoint far(0, 350);
        kUnit.AddGuideShapes(&far, &list, 21); // range 20
        EXPECT_EQ(list.GetCount(), 0);
    }
}

TEST(QvGRCircle, CommonTangentPoints) {
    // Radius 100 at the origin and radius 50 at (300, 0): c = 50/300 for the
    // outer tangents and 150/300 for the inner ones.
    QvGRCircle small = Circle(300, 0, 50);
    const double outerS = 100 * std::sqrt(1 - 1.0 / 36);
    struct Row {
        const char* name;
        QvPoint point;
        double x, y;
        bool outer;
    } rows[] = {
        {"outer 1", kUnit.GetOuterTangentPoint1(&small), 100.0 / 6, outerS, true},
        {"outer 2", kUnit.GetOuterTangentPoint2(&small), 100.0 / 6, -outerS, true},
        {"inner 1", kUnit.GetInnerTangentPoint1(&small), 50, kRoot3, false},
        {"inner 2", kUnit.GetInnerTangentPoint2(&small), 50, -kRoot3, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(PointNear(r.point, QvPoint(r.x, r.y)));
        // The tangent at that point is 50 from the small circle's centre, on
        // the same side as the origin for the outer ones, the other for the
        // inner ones.
        QvVector normal = (r.point - kUnit.centre).GetUnit();
        double sideOfOrigin = normal.Dot(kUnit.centre - r.point);
        double sideOfSmall = normal.Dot(small.centre - r.point);
        EXPECT_NEAR(std::fabs(sideOfSmall), 50.0, 1e-9);
        EXPECT_EQ(sideOfOrigin * sideOfSmall > 0, r.outer);
    }
    // The partner point comes from the other circle: inner 1 of the small
    // circle lies on the tangent at inner 1 of the large one.
    QvPoint partner = small.GetInnerTangentPoint1(&kUnit);
    EXPECT_TRUE(PointNear(partner, QvPoint(275, -kRoot3 / 2)));
    QvGRLine tangent = kUnit.TangentLineAt(kUnit.GetInnerTangentPoint1(&small));
    EXPECT_TRUE(tangent.IsOn(partner));
}

TEST(QvGRCircle, CommonTangentsThatDoNotExistAppendNothing) {
    ScopedMADLevel mode(2);
    struct Row {
        QvGRCircle second;
        int count; // outer and inner points that exist
    } rows[] = {
        {Circle(300, 0, 50), 4},  // apart: two outer, two inner
        {Circle(150, 0, 100), 2}, // overlapping: no inner tangents
        {Circle(200, 0, 100), 4}, // touching outside: the inner pair meet at (100, 0)
        {Circle(20, 0, 10), 0},   // one inside the other: none
        {Circle(0, 0, 50), 0},    // concentric: none
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.second.centre << " r " << r.second.radius);
        QvSpecialPointList list;
        QvAddCommonTangentPoints(kUnit, r.second, &list, 0);
        ASSERT_EQ(list.GetCount(), r.count);
        for (int i = 0; i < list.GetCount(); ++i) {
            EXPECT_EQ(list[i].label, QStringLiteral("Tangent to both circles"));
            EXPECT_EQ(list[i].priority, 3.1);
            EXPECT_TRUE(kUnit.IsOn(list[i].point));
        }
        // Each missing tangent is the far point, never NaN.
        for (QvPoint p :
             {kUnit.GetOuterTangentPoint1(&r.second), kUnit.GetOuterTangentPoint2(&r.second),
              kUnit.GetInnerTangentPoint1(&r.second), kUnit.GetInnerTangentPoint2(&r.second)})
            EXPECT_FALSE(std::isnan(p.x) || std::isnan(p.y));
    }
    QvSpecialPointList gated;
    QvAddCommonTangentPoints(kUnit, Circle(300, 0, 50), &gated, 21); // range 20
    ExpectNoRecords(gated);
}
