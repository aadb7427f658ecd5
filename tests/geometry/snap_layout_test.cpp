// The snap records a line and a circle give for one fixed layout, against
// tables worked out by hand.
//
// Layout: the line (0, 0)-(800, 0) and the circle at (600, 0) with radius
// 300; the pointer at (600, 600) while a line is drawn (flag 1).  Two
// one-part figures make level 1; mode 2.
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry_test_support.h"

#include <cmath>

namespace {
struct Layout {
    QvGRLine line{0, 0, 800, 0};
    QvGRCircle circle;
    QvPoint pointer{600, 600};
    int level = 1;
    Layout() {
        circle.centre = QvPoint(600, 0);
        circle.radius = 300;
    }
};

// Tangent points from (600, 600): d = 600, cos = 0.5.
const double kTangentX = 300 * std::sqrt(0.75); // 259.8076...
} // namespace

TEST(SnapLayout, CacheRecordsLineFirst) {
    ScopedMADLevel mode(2);
    Layout l;
    QvSpecialPointList list;
    // The document's cache rebuild: each figure's special points, then the
    // earlier entry's intersections with the later one.
    l.line.AddSnapPoints(&list, l.level);
    l.circle.AddSnapPoints(&list, l.level);
    l.line.AddIntersections(&l.circle, &list, l.level);
    const ExpectedRecord expected[] = {
        {"End of line", 3.0, 0, 0},
        {"End of line", 3.0, 800, 0},
        {"Mid point", 3.0, 400, 0},
        {"Third", 2.3, 800.0 / 3, 0},
        {"Third", 2.3, 1600.0 / 3, 0},
        {"Quarter", 2.3, 200, 0},
        {"Quarter", 2.3, 600, 0},
        {"Centre", 3.7, 600, 0},
        // The circle meets the carrier at (300, 0) and (900, 0); only
        // (300, 0) is on the segment.
        {"Intersection", 3.01, 300, 0},
    };
    ExpectRecords(list, expected);
}

TEST(SnapLayout, CacheRecordsCircleFirst) {
    ScopedMADLevel mode(2);
    Layout l;
    QvSpecialPointList list;
    l.circle.AddSnapPoints(&list, l.level);
    l.line.AddSnapPoints(&list, l.level);
    l.circle.AddIntersections(&l.line, &list, l.level);
    const ExpectedRecord expected[] = {
        {"Centre", 3.7, 600, 0},        {"End of line", 3.0, 0, 0},
        {"End of line", 3.0, 800, 0},   {"Mid point", 3.0, 400, 0},
        {"Third", 2.3, 800.0 / 3, 0},   {"Third", 2.3, 1600.0 / 3, 0},
        {"Quarter", 2.3, 200, 0},       {"Quarter", 2.3, 600, 0},
        {"Intersection", 3.01, 300, 0}, // the same single point as line first
    };
    ExpectRecords(list, expected);
}

TEST(SnapLayout, PointSnapsAroundThePointer) {
    ScopedMADLevel mode(2);
    Layout l;
    QvSpecialPointList list;
    l.line.AddPointSnapPoints(&l.pointer, &list, 1, l.level);
    l.circle.AddPointSnapPoints(&l.pointer, &list, 1, l.level);
    l.line.AddExtendedIntersections(&l.circle, &list, l.level);
    const ExpectedRecord expected[] = {
        {"Perpendicular to line", 1.7, 600, 0},
        {"Tangent", 2.9, 600 - kTangentX, 150},
        {"Tangent", 2.9, 600 + kTangentX, 150},
        // Extended: the carrier's points, farther from p2 first.
        {"Intersection", 3.01, 300, 0},
        {"Intersection", 3.01, 900, 0},
    };
    ExpectRecords(list, expected);
}

TEST(SnapLayout, GuideShapesAroundThePointer) {
    ScopedMADLevel mode(2);
    Layout l;
    QvGuideShapeList list;
    l.line.AddGuideShapes(&l.pointer, &list, l.level);
    l.circle.AddGuideShapes(&l.pointer, &list, l.level);
    struct Shape {
        const char* label;
        double priority;
        double x1, y1, x2, y2;
    } const expected[] = {
        {"Perpendicular to line", 1.7, 600, -59400, 600, 60600},
        {"Parallel to line", 1.3, -59400, 600, 60600, 600},
        {"Line through centre", 2.1, 600, 0, 600, 600},
    };
    ASSERT_EQ(list.GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list[i].label.toStdString(), expected[i].label);
        EXPECT_EQ(list[i].priority, expected[i].priority);
        auto* line = dynamic_cast<QvGRLine*>(list[i].shape.get());
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(PointNear(line->p1, QvPoint(expected[i].x1, expected[i].y1)));
        EXPECT_TRUE(PointNear(line->p2, QvPoint(expected[i].x2, expected[i].y2)));
    }
}

TEST(SnapLayout, BusierDrawingsLoseTheCostlyKinds) {
    Layout l;
    struct Row {
        int mode, level;
        int cacheRecords; // line, circle and their intersection
    } rows[] = {
        {2, 15, 9}, // everything
        {2, 16, 8}, // the intersection's range is 15
        {2, 41, 4}, // quarters and thirds gone (range 40): ends, mid, centre
        {3, 41, 9}, // unlimited
        {1, 0, 4},  // grid-points mode: ends, mid and centre only
        {0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "mode " << r.mode << " level " << r.level);
        ScopedMADLevel mode(r.mode);
        QvSpecialPointList list;
        l.line.AddSnapPoints(&list, r.level);
        l.circle.AddSnapPoints(&list, r.level);
        l.line.AddIntersections(&l.circle, &list, r.level);
        EXPECT_EQ(list.GetCount(), r.cacheRecords);
    }
}
