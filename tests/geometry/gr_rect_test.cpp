// The rectangle primitive and the frame rectangle.
#include "geometry/gr_line.h"
#include "geometry/gr_rect.h"
#include "geometry_test_support.h"

namespace {
struct Corners {
    double x[4];
    double y[4];
};

QvGRRect Make(const Corners& c) {
    return QvGRRect(QvPoint(c.x[0], c.y[0]), QvPoint(c.x[1], c.y[1]), QvPoint(c.x[2], c.y[2]),
                    QvPoint(c.x[3], c.y[3]));
}

void ExpectCorners(const QvGRRect& r, const Corners& c, double tolerance = 1e-6) {
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(PointNear(r.corner[i], QvPoint(c.x[i], c.y[i]), tolerance)) << "corner " << i;
}

// The owner's pass: edge i from corner i to corner i + 1.
void WriteEdges(QvGRRect& r) {
    for (int i = 0; i < 4; ++i) {
        r.edge[i].p1 = r.corner[i];
        r.edge[i].p2 = r.corner[(i + 1) % 4];
    }
}

const Corners kPlain = {{0, 100, 100, 0}, {0, 0, 50, 50}};
} // namespace

TEST(QvGRRect, SquaringKeepsCornerZeroAndOneAndTurnsSideOneCounterClockwise) {
    struct Row {
        const char* what;
        Corners given;
        Corners expected;
    } rows[] = {
        {"already square", kPlain, kPlain},
        {"skewed", {{0, 100, 120, 0}, {0, 0, 60, 50}}, {{0, 100, 100, 0}, {0, 0, 50, 50}}},
        {"mirrored square stays",
         {{0, 100, 100, 0}, {0, 0, -50, -50}},
         {{0, 100, 100, 0}, {0, 0, -50, -50}}},
        {"skewed mirrored turns",
         {{0, 100, 110, 0}, {0, 0, -50, -50}},
         {{0, 100, 100, 0}, {0, 0, 50, 50}}},
        {"rotated square stays",
         {{0, 30, 6, -24}, {0, 40, 58, 18}},
         {{0, 30, 6, -24}, {0, 40, 58, 18}}},
        {"zero side 0 collapses side 1",
         {{5, 5, 9, 9}, {5, 5, 9, 8}},
         {{5, 5, 5, 5}, {5, 5, 5, 5}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QvGRRect rect = Make(r.given);
        ExpectCorners(rect, r.expected);
        EXPECT_TRUE(PointNear(QvPoint(rect.side[1].x, rect.side[1].y),
                              rect.corner[3] - QvVector(rect.corner[0].x, rect.corner[0].y)));
    }
}

TEST(QvGRRect, ConstructorsAssignmentAndEmptiness) {
    EXPECT_TRUE(NullFrame.IsEmpty());
    QvGRRect empty;
    EXPECT_EQ(empty.type, 10);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(empty.HasZeroSides());

    QvGRRect r = Make(kPlain);
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_DOUBLE_EQ(r.GetWidth(), 100);
    EXPECT_TRUE(PointNear(r.GetCentre(), QvPoint(50, 25)));
    EXPECT_TRUE(PointNear(QvPoint(r.unit[0].x, r.unit[0].y), QvPoint(1, 0)));
    EXPECT_TRUE(PointNear(QvPoint(r.unit[1].x, r.unit[1].y), QvPoint(0, 1)));

    // A rectangle with only side 0 is not empty.
    QvGRRect flat(QvPoint(0, 0), QvPoint(100, 0), QvPoint(100, 0), QvPoint(0, 0));
    EXPECT_FALSE(flat.IsEmpty());
    // Its missing unit vector is the other turned a quarter turn.
    EXPECT_TRUE(PointNear(QvPoint(flat.unit[1].x, flat.unit[1].y), QvPoint(0, 1)));

    QvPointArray three;
    three.Add(QvPoint(1, 1));
    three.Add(QvPoint(5, 1));
    three.Add(QvPoint(5, 5));
    EXPECT_TRUE(QvGRRect(three).IsEmpty());
    three.Add(QvPoint(1, 5));
    ExpectCorners(QvGRRect(three), {{1, 5, 5, 1}, {1, 1, 5, 5}});

    // Copies take the corners but not the edges; assignment keeps its own.
    WriteEdges(r);
    QvGRRect copy(r);
    EXPECT_TRUE(copy.edge[0].IsEmpty());
    QvGRRect target;
    target.edge[0] = QvGRLine(1, 2, 3, 4);
    target = r;
    ExpectCorners(target, kPlain);
    EXPECT_TRUE(PointNear(target.edge[0].p2, QvPoint(3, 4)));
    EXPECT_FALSE(target.IsDifferent(r));
    target.corner[3].y += 1e-7;
    EXPECT_TRUE(target.IsDifferent(r));
}

TEST(QvGRRect, SettersRefresh) {
    QvGRRect r;
    r.SetFromRect(CRect(10, 20, 110, 70));
    ExpectCorners(r, {{10, 110, 110, 10}, {20, 20, 70, 70}});
    r.Inflate(5, 10);
    ExpectCorners(r, {{5, 115, 115, 5}, {10, 10, 80, 80}});
    EXPECT_DOUBLE_EQ(r.side[0].x, 110);
    EXPECT_DOUBLE_EQ(r.side[1].y, 70);
}

TEST(QvGRRect, CornerDrags) {
    struct Row {
        const char* what;
        bool keepAspect;
        Corners start;
        int index;
        QvPoint to;
        Corners expected;
    } rows[] = {
        {"free, corner 2", false, kPlain, 2, QvPoint(200, 80), {{0, 200, 200, 0}, {0, 0, 80, 80}}},
        {"free, corner 0",
         false,
         kPlain,
         0,
         QvPoint(-20, -10),
         {{-20, 100, 100, -20}, {-10, -10, 50, 50}}},
        {"free, corner 1",
         false,
         kPlain,
         1,
         QvPoint(150, -10),
         {{0, 150, 150, 0}, {-10, -10, 50, 50}}},
        {"free, corner 3",
         false,
         kPlain,
         3,
         QvPoint(-30, 70),
         {{-30, 100, 100, -30}, {0, 0, 70, 70}}},
        {"free, index 4 changes nothing", false, kPlain, 4, QvPoint(1, 1), kPlain},
        {"free, index -1 changes nothing", false, kPlain, -1, QvPoint(1, 1), kPlain},
        {"keep aspect, corner 2",
         true,
         {{0, 200, 200, 0}, {0, 0, 100, 100}},
         2,
         QvPoint(300, 120),
         {{0, 240, 240, 0}, {0, 0, 120, 120}}},
        {"keep aspect, narrow side keeps the ratio",
         true,
         {{0, 100, 100, 0}, {0, 0, 200, 200}},
         2,
         QvPoint(90, 300),
         {{0, 90, 90, 0}, {0, 0, 180, 180}}},
        {"keep aspect, index 7 changes nothing", true, kPlain, 7, QvPoint(1, 1), kPlain},
        {"keep aspect, collapsed side drags freely",
         true,
         {{0, 100, 100, 0}, {0, 0, 0, 0}},
         2,
         QvPoint(50, 40),
         {{0, 50, 50, 0}, {0, 0, 40, 40}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QvGRRect rect = Make(r.start);
        if (r.keepAspect)
            rect.MoveCornerKeepAspect(r.index, r.to);
        else
            rect.MoveCorner(r.index, r.to);
        ExpectCorners(rect, r.expected);
    }
}

TEST(QvGRRect, ADragProjectingToZeroLeavesATinySide) {
    QvGRRect r = Make(kPlain);
    r.MoveCorner(2, QvPoint(0, 80));
    EXPECT_DOUBLE_EQ(r.corner[1].x, 0.00001);
    EXPECT_DOUBLE_EQ(r.side[0].Length(), 0.00001);
    EXPECT_FALSE(r.HasZeroSides());
}

TEST(QvGRRect, ContainsPointAtItsTolerance) {
    QvGRRect r = Make({{0, 1000, 1000, 0}, {0, 0, 500, 500}});
    struct Row {
        double s, t;
        bool inside;
    } rows[] = {
        {0.5, 0.5, true},         {-0.00005, 0.5, true},  {1.00005, 0.5, true},
        {-0.0002, 0.5, false},    {1.0002, 0.5, false},   {0.5, -0.00005, true},
        {0.5, 1.00005, true},     {0.5, -0.0002, false},  {0.5, 1.0002, false},
        {-0.0001, -0.0001, true}, {1.0001, 1.0001, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.s << ", " << row.t);
        EXPECT_EQ(r.ContainsPoint(QvPoint(row.s * 1000, row.t * 500)), row.inside);
    }
    // Parallel sides contain nothing.
    QvGRRect flat(QvPoint(0, 0), QvPoint(100, 0), QvPoint(100, 0), QvPoint(0, 0));
    EXPECT_FALSE(flat.ContainsPoint(QvPoint(50, 0)));
}

TEST(QvGRRect, FrameMappingAndBounds) {
    QvGRRect r = Make(kPlain);
    EXPECT_TRUE(PointNear(r.FrameToDocument(QvPoint(500, 500)), QvPoint(50, 25)));
    EXPECT_TRUE(PointNear(r.FrameToDocument(1000, 0), QvPoint(100, 0)));
    EXPECT_TRUE(PointNear(r.DocumentToFrame(QvPoint(50, 25)), QvPoint(500, 500)));
    EXPECT_TRUE(PointNear(r.DocumentToFrame(QvPoint(100, 50)), QvPoint(1000, 1000)));

    // A rotated frame maps both ways too.
    QvGRRect turned(QvPoint(0, 0), QvPoint(0, 100), QvPoint(-50, 100), QvPoint(-50, 0));
    EXPECT_TRUE(PointNear(turned.FrameToDocument(QvPoint(250, 500)), QvPoint(-25, 25)));
    EXPECT_TRUE(PointNear(turned.DocumentToFrame(QvPoint(-25, 25)), QvPoint(250, 500)));

    // A collapsed side maps to 0 rather than dividing by zero.
    QvGRRect flat(QvPoint(0, 0), QvPoint(100, 0), QvPoint(100, 0), QvPoint(0, 0));
    EXPECT_TRUE(PointNear(flat.DocumentToFrame(QvPoint(50, 20)), QvPoint(500, 0)));

    QvGRRect bounds(QvPoint(0.5, -2.5), QvPoint(10.7, -2.5), QvPoint(10.7, 3.2), QvPoint(0.5, 3.2));
    CRect box = bounds.GetBounds();
    // Truncated toward zero.
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, -2);
    EXPECT_EQ(box.right, 11);
    EXPECT_EQ(box.bottom, 4);
}

TEST(QvGRRect, DistanceNearestPointAndClone) {
    QvGRRect r = Make({{0, 1000, 1000, 0}, {0, 0, 500, 500}});
    EXPECT_DOUBLE_EQ(r.DistanceTo(QvPoint(500, -150)), 150);
    EXPECT_DOUBLE_EQ(r.DistanceTo(QvPoint(1150, 250)), 150);
    EXPECT_DOUBLE_EQ(r.DistanceTo(QvPoint(500, 750)), 100000000.0);
    EXPECT_FALSE(r.HitTest(QvPoint(500, 750), 300));
    EXPECT_TRUE(r.HitTest(QvPoint(500, -150), 150));
    EXPECT_TRUE(r.IsOn(QvPoint(300, 500)));

    // Without edges there is no nearest point.
    EXPECT_TRUE(r.NearestPoint(QvPoint(500, -100)).IsFar());
    WriteEdges(r);
    EXPECT_TRUE(PointNear(r.NearestPoint(QvPoint(500, -100)), QvPoint(500, 0)));
    EXPECT_TRUE(PointNear(r.NearestPoint(QvPoint(1100, 400)), QvPoint(1000, 400)));

    std::unique_ptr<QvGRBase> clone = r.Clone();
    auto* copy = dynamic_cast<QvGRRect*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->type, 10);
    EXPECT_FALSE(copy->IsDifferent(r));
    EXPECT_TRUE(copy->NearestPoint(QvPoint(500, -100)).IsFar());
}

TEST(QvGRRect, SnapPointsVerticesThenMidPoints) {
    ScopedMADLevel mode(2);
    QvGRRect r = Make(kPlain);
    QvSpecialPointList list;
    r.AddSnapPoints(&list, 0);
    const ExpectedRecord expected[] = {
        {"Vertex", 3.02, 0, 0},     {"Vertex", 3.02, 100, 0},  {"Vertex", 3.02, 100, 50},
        {"Vertex", 3.02, 0, 50},    {"Mid point", 3.0, 50, 0}, {"Mid point", 3.0, 100, 25},
        {"Mid point", 3.0, 50, 50}, {"Mid point", 3.0, 0, 25},
    };
    ExpectRecords(list, expected);

    // Mode 0 offers neither kind.
    ScopedMADLevel none(0);
    QvSpecialPointList nothing;
    r.AddSnapPoints(&nothing, 0);
    ExpectNoRecords(nothing);
}

TEST(QvGRRect, EdgeOperationsAreTheEdgeLines) {
    ScopedMADLevel mode(2);
    QvGRRect r = Make({{0, 1000, 1000, 0}, {0, 0, 500, 500}});
    QvGRLine cross(500, -100, 500, 600);
    QvSpecialPointList list;
    // Without edges, nothing.
    r.AddIntersections(&cross, &list, 0);
    ExpectNoRecords(list);

    WriteEdges(r);
    r.AddIntersections(&cross, &list, 0);
    const ExpectedRecord hits[] = {{"Intersection", 3.01, 500, 0},
                                   {"Intersection", 3.01, 500, 500}};
    ExpectRecords(list, hits);

    QvSpecialPointList feet;
    QvPoint from(500, 900);
    r.AddPointSnapPoints(&from, &feet, 1, 0);
    // Edge 0's foot (500, 0) and edge 2's (500, 500); edges 1 and 3 have
    // theirs beyond their ends.
    const ExpectedRecord expectedFeet[] = {{"Perpendicular to line", 1.7, 500, 0},
                                           {"Perpendicular to line", 1.7, 500, 500}};
    ExpectRecords(feet, expectedFeet);

    QvGuideShapeList guides;
    r.AddGuideShapes(&from, &guides, 0);
    EXPECT_EQ(guides.GetCount(), 8); // perpendicular and parallel per edge
}

// ------------------------------------------------------------ frame rectangle

TEST(QvGRFrameRect, HitAnywhereInsideAndNoSnaps) {
    QvGRRect source = Make({{0, 1000, 1000, 0}, {0, 0, 500, 500}});
    QvGRFrameRect frame;
    EXPECT_EQ(frame.type, 10);
    EXPECT_TRUE(frame.IsEmpty());
    frame = source;
    EXPECT_DOUBLE_EQ(frame.DistanceTo(QvPoint(500, 250)), 0);
    EXPECT_TRUE(frame.HitTest(QvPoint(500, 250), 0));
    EXPECT_TRUE(frame.IsOn(QvPoint(500, 250)));
    EXPECT_DOUBLE_EQ(frame.DistanceTo(QvPoint(500, -100)), 100);
    EXPECT_DOUBLE_EQ(frame.DistanceTo(QvPoint(500, -300)), 100000000.0);

    WriteEdges(frame);
    QvGRLine cross(500, -100, 500, 600);
    QvPoint from(500, 900);
    for (int mode = 0; mode <= 3; ++mode) {
        ScopedMADLevel scoped(mode);
        for (int level : {0, 15, 1000000}) {
            SCOPED_TRACE(::testing::Message() << "mode " << mode << " level " << level);
            QvSpecialPointList list;
            frame.AddSnapPoints(&list, level);
            frame.AddIntersections(&cross, &list, level);
            frame.AddExtendedIntersections(&cross, &list, level);
            frame.AddPointSnapPoints(&from, &list, 1, level);
            ExpectNoRecords(list);
            QvGuideShapeList guides;
            frame.AddGuideShapes(&from, &guides, level);
            frame.AddGuideShapesWith(&cross, &guides, level);
            EXPECT_EQ(guides.GetCount(), 0);
        }
    }
    // The nearest point still goes through the edges.
    EXPECT_TRUE(PointNear(frame.NearestPoint(QvPoint(500, -100)), QvPoint(500, 0)));

    std::unique_ptr<QvGRBase> clone = frame.Clone();
    ASSERT_NE(dynamic_cast<QvGRFrameRect*>(clone.get()), nullptr);
    EXPECT_DOUBLE_EQ(clone->DistanceTo(QvPoint(500, 250)), 0);
    EXPECT_EQ(clone->GetType(), 10);
}
