// The line primitive.
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry_test_support.h"

#include <cmath>

namespace {
void ExpectLine(const QvGRLine& line, double x1, double y1, double x2, double y2,
                double tolerance = 1e-6) {
    EXPECT_TRUE(PointNear(line.p1, QvPoint(x1, y1), tolerance));
    EXPECT_TRUE(PointNear(line.p2, QvPoint(x2, y2), tolerance));
}

const QvGRLine kBase(0, 0, 1000, 0);
} // namespace

TEST(QvGRLine, Constructors) {
    QvGRLine a;
    EXPECT_EQ(a.type, 1);
    EXPECT_EQ(a.flag, 0);
    ExpectLine(a, 0, 0, 0, 0, 0);
    QvGRLine b(1, 2, 3, 4);
    EXPECT_EQ(b.type, 1);
    ExpectLine(b, 1, 2, 3, 4, 0);
    QvGRLine c(QvPoint(5, 6), QvPoint(7, 8));
    EXPECT_EQ(c.type, 1);
    EXPECT_EQ(c.flag, 0);
    ExpectLine(c, 5, 6, 7, 8, 0);
}

TEST(QvGRLine, CopyAssignmentAndCloneCopyEverything) {
    QvGRLine source(1, 2, 3, 4);
    source.flag = 1;
    QvGRLine copied(source);
    EXPECT_EQ(copied.flag, 1);
    ExpectLine(copied, 1, 2, 3, 4, 0);

    QvGRLine assigned;
    assigned = source;
    EXPECT_EQ(assigned.flag, 1);
    ExpectLine(assigned, 1, 2, 3, 4, 0);

    std::unique_ptr<QvGRBase> clone = source.Clone();
    auto* line = dynamic_cast<QvGRLine*>(clone.get());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->type, 1);
    EXPECT_EQ(line->flag, 1);
    ExpectLine(*line, 1, 2, 3, 4, 0);

    // Assignment takes the type code over.
    QvGRLine odd;
    odd.type = 99;
    assigned = odd;
    EXPECT_EQ(assigned.type, 99);
}

TEST(QvGRLine, SlopeAndInterceptSentinels) {
    struct Row {
        QvGRLine line;
        double slope, intercept, length;
    } rows[] = {
        {QvGRLine(5, 0, 5, 10), 9733245097332460.0, 1000000000001.2, 10},
        {QvGRLine(0, 0, 10, 20), 2, 0, std::sqrt(500.0)},
        {QvGRLine(0, 5, 10, 25), 2, 5, std::sqrt(500.0)},
        {QvGRLine(2, 3, 4, 3), 0, 3, 2},
        {QvGRLine(7, 7, 7, 7), 9733245097332460.0, 1000000000001.2, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.line.p1 << "-" << r.line.p2);
        EXPECT_EQ(r.line.GetSlope(), r.slope);
        EXPECT_EQ(r.line.GetIntercept(), r.intercept);
        EXPECT_DOUBLE_EQ(r.line.GetLength(), r.length);
    }
}

TEST(QvGRLine, DistanceIsToTheInfiniteLine) {
    struct Row {
        QvGRLine line;
        double px, py, distance;
    } rows[] = {
        {kBase, 500, 200, 200},
        {kBase, 500, -200, 200},
        {kBase, 3000, 300, 300}, // beyond the end: still to the carrier
        {QvGRLine(0, 0, 10, 10), 10, 0, std::sqrt(50.0)},
        {QvGRLine(5, 5, 5, 5), 5, 5, 1000000000001.2}, // zero length: far
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.px << ", " << r.py);
        EXPECT_NEAR(r.line.DistanceTo(QvPoint(r.px, r.py)), r.distance, 1e-9);
    }
}

TEST(QvGRLine, HitTestAtTheToleranceBoundary) {
    struct Row {
        double px, py, tolerance;
        bool hit, hitExtended;
    } rows[] = {
        {500, 200, 200, true, true}, {500, 200, 199.9, false, false},
        {1000.5, 0, 1, true, true}, // L + t = 1001 >= 1000.5
        {1002, 0, 1, false, true},  // beyond the lengthened segment
        {1001, 0, 1, true, true},   // exactly at L + t
        {-0.5, 0.5, 1, true, true},  {-1.5, 0, 1, false, true},
        {3000, 0.5, 1, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.px << ", " << r.py << " tol " << r.tolerance);
        EXPECT_EQ(kBase.HitTest(QvPoint(r.px, r.py), r.tolerance), r.hit);
        EXPECT_EQ(kBase.HitTestExtended(QvPoint(r.px, r.py), r.tolerance), r.hitExtended);
    }
    // A zero-length line is hit nowhere, not even on itself.
    EXPECT_FALSE(QvGRLine(5, 5, 5, 5).HitTest(QvPoint(5, 5), 10));
    EXPECT_FALSE(QvGRLine(5, 5, 5, 5).IsOn(QvPoint(5, 5)));
}

TEST(QvGRLine, IsOnUsesAThousandth) {
    struct Row {
        double px, py;
        bool on, onExtended;
    } rows[] = {
        {500, 0.0009, true, true},  {500, 0.0011, false, false}, {500, -0.0009, true, true},
        {1000.0009, 0, true, true}, {1000.0011, 0, false, true}, {5000, 0.0009, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.px << ", " << r.py);
        EXPECT_EQ(kBase.IsOn(QvPoint(r.px, r.py)), r.on);
        EXPECT_EQ(kBase.IsOnExtended(QvPoint(r.px, r.py)), r.onExtended);
    }
}

TEST(QvGRLine, NearestPoint) {
    struct Row {
        QvGRLine line;
        double px, py, nx, ny;
    } rows[] = {
        {kBase, 500, 200, 500, 0},
        {kBase, 3000, -7, 3000, 0}, // on the carrier, beyond the end
        {QvGRLine(5, 0, 5, 10), 0, 3, 5, 3},
        {QvGRLine(0, 0, 10, 10), 10, 0, 5, 5},
        // Coinciding ends: the end point, not 0/0.
        {QvGRLine(7, 8, 7, 8), 100, -100, 7, 8},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.line.p1 << "-" << r.line.p2);
        QvPoint n = r.line.NearestPoint(QvPoint(r.px, r.py));
        EXPECT_FALSE(std::isnan(n.x) || std::isnan(n.y));
        EXPECT_TRUE(PointNear(n, QvPoint(r.nx, r.ny), 1e-9));
    }
}

TEST(QvGRLine, IsEmptyOnlyWhenAllCoordinatesAreZero) {
    EXPECT_TRUE(QvGRLine().IsEmpty());
    EXPECT_FALSE(QvGRLine(0, 0, 0, 1e-300).IsEmpty());
    EXPECT_FALSE(QvGRLine(5, 5, 5, 5).IsEmpty());
}

TEST(QvGRLine, ConstructionLines) {
    QvPoint p(100, 50);
    ExpectLine(kBase.PerpendicularThrough(p), 100, 50 - 60000, 100, 50 + 60000);
    ExpectLine(kBase.ParallelThrough(p), 100 - 60000, 50, 100 + 60000, 50);
    ExpectLine(QvGRLine(0, 0, 10, 10).ParallelThrough(p), -59900, -59950, 60100, 60050);
    ExpectLine(QvGRLine(0, 0, 10, 10).PerpendicularThrough(p), -59900, 60050, 60100, -59950);
    // A vertical line's perpendicular is nearly, not exactly, horizontal.
    QvGRLine nearlyFlat = QvGRLine(5, 0, 5, 10).PerpendicularThrough(p);
    EXPECT_NE(nearlyFlat.p1.y, nearlyFlat.p2.y);
    EXPECT_NEAR(nearlyFlat.GetSlope(), -1.0 / 9733245097332460.0, 1e-18);
    ExpectLine(nearlyFlat, -59900, 50, 60100, 50);
    // A vertical line's parallel is vertical.
    ExpectLine(QvGRLine(5, 0, 5, 10).ParallelThrough(p), 100, -59950, 100, 60050);
}

TEST(QvGRLine, IntersectLines) {
    struct Row {
        QvGRLine a, b;
        bool far;
        double x, y;
    } rows[] = {
        // A vertical line meets y = x at (5, 5), in either order.
        {QvGRLine(5, 0, 5, 10), QvGRLine(0, 0, 10, 10), false, 5, 5},
        {QvGRLine(0, 0, 10, 10), QvGRLine(5, 0, 5, 10), false, 5, 5},
        {QvGRLine(0, 0, 10, 0), QvGRLine(0, 10, 10, 10), true, 0, 0}, // parallel
        {QvGRLine(3, 0, 3, 10), QvGRLine(7, 0, 7, 1), true, 0, 0},    // both vertical
        {QvGRLine(0, 0, 10, 10), QvGRLine(0, 10, 10, 0), false, 5, 5},
        {QvGRLine(0, 0, 1, 0), QvGRLine(500, -1, 500, 1), false, 500, 0}, // far off the segments
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message()
                     << r.a.p1 << "-" << r.a.p2 << " x " << r.b.p1 << "-" << r.b.p2);
        QvPoint x = r.a.IntersectLines(r.b);
        if (r.far)
            EXPECT_TRUE(x.IsFar());
        else
            EXPECT_TRUE(PointNear(x, QvPoint(r.x, r.y), 1e-9));
    }
}

TEST(QvGRLine, IntersectSegments) {
    struct Row {
        QvGRLine a, b;
        bool far;
        double x, y;
    } rows[] = {
        {QvGRLine(5, 0, 5, 10), QvGRLine(0, 0, 10, 10), false, 5, 5},
        {QvGRLine(0, 0, 1, 0), QvGRLine(500, -1, 500, 1), true, 0,
         0}, // carriers meet, segments miss
        {QvGRLine(0, 0, 10, 0), QvGRLine(0, 10, 10, 10), true, 0, 0},
        // Touching at an end within the on-test's thousandth.
        {QvGRLine(0, 0, 10, 0), QvGRLine(10.0009, -5, 10.0009, 5), false, 10.0009, 0},
        // Only this line's coordinates are bounded.
        {QvGRLine(-400000, 0, 400000, 0), QvGRLine(0, -10, 0, 10), true, 0, 0},
        {QvGRLine(0, -10, 0, 10), QvGRLine(-400000, 0, 400000, 0), false, 0, 0},
        {QvGRLine(-300000, 1, 10, 1), QvGRLine(0, -10, 0, 10), true, 0, 0}, // strictly inside
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message()
                     << r.a.p1 << "-" << r.a.p2 << " x " << r.b.p1 << "-" << r.b.p2);
        QvPoint x = r.a.IntersectSegments(r.b);
        if (r.far)
            EXPECT_TRUE(x.IsFar());
        else
            EXPECT_TRUE(PointNear(x, QvPoint(r.x, r.y), 1e-9));
    }
}

TEST(QvGRLine, BisectorsHaveSlopesPlusAndMinusOne) {
    QvGRLine a(0, 0, 100, 0);
    QvGRLine b(0, 0, 0, 100);
    QvGRLine first = a.GetBisector1(b);
    QvGRLine second = a.GetBisector2(b);
    EXPECT_DOUBLE_EQ(first.GetSlope(), 1.0);
    EXPECT_DOUBLE_EQ(second.GetSlope(), -1.0);
    ExpectLine(first, -60000, -60000, 60000, 60000);
    ExpectLine(second, -60000, 60000, 60000, -60000);
    EXPECT_TRUE(first.IsOn(QvPoint(0, 0)));
    EXPECT_TRUE(second.IsOn(QvPoint(0, 0)));

    // Segments that do not meet have no bisectors.
    QvGRLine apart(500, 10, 500, 100);
    EXPECT_TRUE(a.GetBisector1(apart).IsEmpty());
    EXPECT_TRUE(a.GetBisector2(apart).IsEmpty());
}

TEST(QvGRLine, IsSameLine) {
    QvGRLine diagonal(0, 0, 10, 10);
    EXPECT_TRUE(diagonal.IsSameLine(QvGRLine(20, 20, 30, 30)));
    EXPECT_FALSE(diagonal.IsSameLine(QvGRLine(0, 1, 10, 11))); // parallel, apart
    EXPECT_FALSE(diagonal.IsSameLine(QvGRLine(0, 0, 10, 11)));
    EXPECT_TRUE(QvGRLine(5, 0, 5, 1).IsSameLine(QvGRLine(5, 100, 5, 200)));
}

TEST(QvGRLine, SnapPointsByModeAndLevel) {
    QvGRLine line(0, 0, 1200, 600);
    const ExpectedRecord all[] = {
        {"End of line", 3.0, 0, 0}, {"End of line", 3.0, 1200, 600}, {"Mid point", 3.0, 600, 300},
        {"Third", 2.3, 400, 200},   {"Third", 2.3, 800, 400},        {"Quarter", 2.3, 300, 150},
        {"Quarter", 2.3, 900, 450},
    };
    const ExpectedRecord endsAndMid[] = {
        {"End of line", 3.0, 0, 0}, {"End of line", 3.0, 1200, 600}, {"Mid point", 3.0, 600, 300}};
    {
        ScopedMADLevel mode(2);
        QvSpecialPointList list;
        line.AddSnapPoints(&list, 40);
        ExpectRecords(list, all);
        QvSpecialPointList busy;
        line.AddSnapPoints(&busy, 41); // Quarter and Third cut off at 40
        ExpectRecords(busy, endsAndMid);
    }
    {
        ScopedMADLevel mode(3);
        QvSpecialPointList list;
        line.AddSnapPoints(&list, 41);
        ExpectRecords(list, all);
    }
    {
        ScopedMADLevel mode(1);
        QvSpecialPointList list;
        line.AddSnapPoints(&list, 0);
        ExpectRecords(list, endsAndMid);
    }
    {
        ScopedMADLevel mode(0);
        QvSpecialPointList list;
        line.AddSnapPoints(&list, 0);
        ExpectNoRecords(list);
    }
}

TEST(QvGRLine, IntersectionsWithLines) {
    ScopedMADLevel mode(2);
    QvGRLine a(0, 0, 10, 10);
    QvGRLine b(5, 0, 5, 10);
    QvSpecialPointList list;
    a.AddIntersections(&b, &list, 15);
    const ExpectedRecord meet[] = {{"Intersection", 3.01, 5, 5}};
    ExpectRecords(list, meet);

    QvSpecialPointList gated;
    a.AddIntersections(&b, &gated, 16);
    a.AddExtendedIntersections(&b, &gated, 16);
    ExpectNoRecords(gated);

    // Segments that miss, and parallel lines: no snap at all, not the far
    // point.
    QvGRLine miss(500, -1, 500, 1);
    QvGRLine parallel(0, 5, 10, 15);
    QvSpecialPointList none;
    a.AddIntersections(&miss, &none, 0);
    a.AddIntersections(&parallel, &none, 0);
    a.AddExtendedIntersections(&parallel, &none, 0);
    ExpectNoRecords(none);

    // Extended: the carriers meet although the segments do not.
    QvSpecialPointList extended;
    QvGRLine(0, 0, 1, 0).AddExtendedIntersections(&miss, &extended, 0);
    const ExpectedRecord carriers[] = {{"Intersection", 3.01, 500, 0}};
    ExpectRecords(extended, carriers);
}

TEST(QvGRLine, IntersectionsWithACircleKeepOnlyPointsOnTheSegment) {
    ScopedMADLevel mode(2);
    QvGRCircle circle;
    circle.radius = 100;
    struct Row {
        QvGRLine line;
        int count;
        double x[2];
        double y[2];
    } rows[] = {
        {QvGRLine(-200, 0, 200, 0), 2, {-100, 100}, {0, 0}},
        {QvGRLine(0, 0, 200, 0), 1, {100}, {0}},                // one end inside
        {QvGRLine(150, 0, 200, 0), 0, {}, {}},                  // carrier meets, segment does not
        {QvGRLine(-200, 100, 200, 100), 2, {0, 0}, {100, 100}}, // touching: twice
        {QvGRLine(-200, 150, 200, 150), 0, {}, {}},             // misses
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.line.p1 << "-" << r.line.p2);
        QvSpecialPointList list;
        r.line.AddIntersections(&circle, &list, 0);
        ASSERT_EQ(list.GetCount(), r.count);
        for (int i = 0; i < r.count; ++i) {
            EXPECT_EQ(list[i].label, QStringLiteral("Intersection"));
            EXPECT_EQ(list[i].priority, 3.01);
            EXPECT_TRUE(PointNear(list[i].point, QvPoint(r.x[i], r.y[i]), 1e-6));
        }
    }
}

TEST(QvGRLine, ExtendedIntersectionsWithACircleUseTheCarrier) {
    ScopedMADLevel mode(2);
    QvGRCircle circle;
    circle.radius = 100;
    QvGRLine outside(150, 0, 200, 0);
    QvSpecialPointList list;
    outside.AddExtendedIntersections(&circle, &list, 0);
    const ExpectedRecord expected[] = {{"Intersection", 3.01, -100, 0},
                                       {"Intersection", 3.01, 100, 0}};
    ExpectRecords(list, expected);
    QvSpecialPointList missed;
    QvGRLine(-200, 150, 200, 150).AddExtendedIntersections(&circle, &missed, 0);
    ExpectNoRecords(missed);
}

TEST(QvGRLine, FootOfThePerpendicular) {
    struct Row {
        int mode;
        double px, py;
        int flag, level;
        bool appended;
        double fx;
    } rows[] = {
        {2, 500, 300, 1, 0, true, 500},
        {2, 500, 200, 1, 0, false, 0}, // within 200 of the line: blocked
        {2, 500, 200.5, 1, 0, true, 500},
        {2, 500, 300, 2, 0, false, 0},  // not drawing a line
        {2, 1500, 300, 1, 0, false, 0}, // the foot is beyond the segment
        {2, 500, 300, 1, 20, true, 500},
        {2, 500, 300, 1, 21, false, 0}, // range 20
        {3, 500, 300, 1, 21, true, 500},
        {1, 500, 300, 1, 0, false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "mode " << r.mode << " from " << r.px << ", " << r.py
                                          << " flag " << r.flag << " level " << r.level);
        ScopedMADLevel mode(r.mode);
        QvPoint from(r.px, r.py);
        QvSpecialPointList list;
        kBase.AddPointSnapPoints(&from, &list, r.flag, r.level);
        ASSERT_EQ(list.GetCount(), r.appended ? 1 : 0);
        if (r.appended) {
            EXPECT_EQ(list[0].label, QStringLiteral("Perpendicular to line"));
            EXPECT_EQ(list[0].priority, 1.7);
            EXPECT_TRUE(PointNear(list[0].point, QvPoint(r.fx, 0), 1e-9));
        }
    }
}

TEST(QvGRLine, GuideShapesFromAPoint) {
    QvGRLine line(0, 0, 300, 400); // length 500
    {
        ScopedMADLevel mode(2);
        QvGuideShapeList list;
        QvPoint from(100, 50);
        line.AddGuideShapes(&from, &list, 0);
        ASSERT_EQ(list.GetCount(), 2);
        EXPECT_EQ(list[0].label, QStringLiteral("Perpendicular to line"));
        EXPECT_EQ(list[0].priority, 1.7);
        EXPECT_EQ(list[1].label, QStringLiteral("Parallel to line"));
        EXPECT_EQ(list[1].priority, 1.3);
        auto* perpendicular = dynamic_cast<QvGRLine*>(list[0].shape.get());
        auto* parallel = dynamic_cast<QvGRLine*>(list[1].shape.get());
        ASSERT_TRUE(perpendicular && parallel);
        EXPECT_DOUBLE_EQ(perpendicular->GetSlope(), -0.75);
        EXPECT_DOUBLE_EQ(parallel->GetSlope(), 4.0 / 3.0);
        EXPECT_TRUE(perpendicular->IsOn(from));
        EXPECT_TRUE(parallel->IsOn(from));
    }
    {
        ScopedMADLevel mode(2);
        QvGuideShapeList list;
        QvPoint from(0, 0); // p1: also the "Equal length" circle
        line.AddGuideShapes(&from, &list, 0);
        ASSERT_EQ(list.GetCount(), 3);
        EXPECT_EQ(list[2].label, QStringLiteral("Equal length"));
        EXPECT_EQ(list[2].priority, 1.7);
        auto* circle = dynamic_cast<QvGRCircle*>(list[2].shape.get());
        ASSERT_NE(circle, nullptr);
        EXPECT_EQ(circle->radius, 500.0);
        EXPECT_TRUE(PointNear(circle->centre, QvPoint(0, 0), 0));
    }
    {
        // The circle is not gated: in mode 0, at any level, it alone remains.
        ScopedMADLevel mode(0);
        QvGuideShapeList list;
        QvPoint from(300 + 1e-9, 400);
        line.AddGuideShapes(&from, &list, 1000);
        ASSERT_EQ(list.GetCount(), 1);
        EXPECT_EQ(list[0].label, QStringLiteral("Equal length"));
        EXPECT_EQ(list[0].shape->GetType(), 2);
    }
}

TEST(QvGRLine, BisectorGuideShapes) {
    QvGRLine a(0, 0, 100, 0);
    QvGRLine b(0, 0, 0, 100);
    {
        ScopedMADLevel mode(2);
        QvGuideShapeList list;
        a.AddGuideShapesWith(&b, &list, 10);
        ASSERT_EQ(list.GetCount(), 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(list[i].label.isEmpty());
            EXPECT_EQ(list[i].priority, 1.3);
        }
        EXPECT_DOUBLE_EQ(static_cast<QvGRLine*>(list[0].shape.get())->GetSlope(), 1.0);
        EXPECT_DOUBLE_EQ(static_cast<QvGRLine*>(list[1].shape.get())->GetSlope(), -1.0);

        QvGuideShapeList cut;
        a.AddGuideShapesWith(&b, &cut, 11); // range 10
        EXPECT_EQ(cut.GetCount(), 0);

        QvGuideShapeList apart;
        QvGRLine far(500, 10, 500, 100);
        a.AddGuideShapesWith(&far, &apart, 0);
        EXPECT_EQ(apart.GetCount(), 0);

        QvGuideShapeList withCircle;
        QvGRCircle circle;
        circle.radius = 50;
        a.AddGuideShapesWith(&circle, &withCircle, 0);
        EXPECT_EQ(withCircle.GetCount(), 0);
    }
}
