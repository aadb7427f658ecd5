// The rounded rectangle primitive.
#include "geometry/gr_line.h"
#include "geometry/gr_round_rect.h"
#include "geometry_test_support.h"

#include <cmath>

namespace {
const QvPoint kA(0, 0), kB(4000, 0), kC(0, 2000), kD(4000, 2000);

QvGRRoundRect Built(double radius) {
    QvGRRoundRect r;
    r.Build(kA, kB, kC, kD, radius);
    return r;
}

void ExpectLine(const QvGRLine& line, QvPoint p1, QvPoint p2) {
    EXPECT_TRUE(PointNear(line.p1, p1));
    EXPECT_TRUE(PointNear(line.p2, p2));
}

void ExpectCorner(const QvGRBezierCurve& c, QvPoint start, QvPoint control1, QvPoint control2,
                  QvPoint end) {
    EXPECT_TRUE(c.IsBuilt());
    EXPECT_EQ(c.GetCount(), 2);
    EXPECT_TRUE(PointNear(c.GetPoint(0), start));
    EXPECT_TRUE(PointNear(c.GetPoint(1), control1));
    EXPECT_TRUE(PointNear(c.GetPoint(2), control2));
    EXPECT_TRUE(PointNear(c.GetPoint(3), end));
}
} // namespace

TEST(QvGRRoundRect, RadiusLargerThanHalfASideIsHeldToIt) {
    QvGRRoundRect r;
    EXPECT_EQ(r.type, 6);
    QvPoint start = r.Build(kA, kB, kC, kD, 3000);
    EXPECT_TRUE(PointNear(start, QvPoint(1000, 0)));
    const double k = 447.7152502;
    ExpectCorner(r.corners[0], QvPoint(1000, 0), QvPoint(k, 0), QvPoint(0, k), QvPoint(0, 1000));
    ExpectCorner(r.corners[1], QvPoint(3000, 0), QvPoint(4000 - k, 0), QvPoint(4000, k),
                 QvPoint(4000, 1000));
    ExpectCorner(r.corners[2], QvPoint(3000, 2000), QvPoint(4000 - k, 2000),
                 QvPoint(4000, 2000 - k), QvPoint(4000, 1000));
    ExpectCorner(r.corners[3], QvPoint(1000, 2000), QvPoint(k, 2000), QvPoint(0, 2000 - k),
                 QvPoint(0, 1000));
    ExpectLine(r.edges[0], QvPoint(1000, 0), QvPoint(3000, 0));
    ExpectLine(r.edges[2], QvPoint(3000, 2000), QvPoint(1000, 2000));
    // The short sides are all rounding: their edges have length 0.
    ExpectLine(r.edges[1], QvPoint(4000, 1000), QvPoint(4000, 1000));
    ExpectLine(r.edges[3], QvPoint(0, 1000), QvPoint(0, 1000));
    EXPECT_EQ(r.edges[1].GetLength(), 0.0);
    EXPECT_EQ(r.edges[3].GetLength(), 0.0);
}

TEST(QvGRRoundRect, RadiusZeroGivesTheSharpRectangle) {
    QvGRRoundRect r = Built(0);
    ExpectLine(r.edges[0], kA, kB);
    ExpectLine(r.edges[1], kB, kD);
    ExpectLine(r.edges[2], kD, kC);
    ExpectLine(r.edges[3], kC, kA);
    ExpectCorner(r.corners[0], kA, kA, kA, kA);
    ExpectCorner(r.corners[2], kD, kD, kD, kD);
    EXPECT_DOUBLE_EQ(r.DistanceTo(QvPoint(4100, 1000)), 100);
}

TEST(QvGRRoundRect, DistanceThroughEdgesAndCorners) {
    QvGRRoundRect r = Built(3000);
    struct Row {
        double x, y;
        double distance;
    } rows[] = {
        {2000, -100, 100},                                  // edge 0
        {2000, 2150, 150},                                  // edge 2
        {-100, -100, std::sqrt(1100.0 * 1100 + 100 * 100)}, // corner 0's ends
        {1000, 0, 0},                                       // a tangent point
        {4000, 1000, 0},                                    // where two roundings meet
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.x << ", " << row.y);
        EXPECT_NEAR(r.DistanceTo(QvPoint(row.x, row.y)), row.distance, 1e-6);
    }
    EXPECT_NEAR(r.DistanceTo(QvPoint(-100, -100)), 1104.536101718726, 1e-9);
    EXPECT_TRUE(r.IsOn(QvPoint(2500, 0)));
    EXPECT_FALSE(r.HitTest(QvPoint(2000, -100), 100)); // strictly less
    EXPECT_TRUE(r.HitTest(QvPoint(2000, -100), 100.001));
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_FALSE(QvGRRoundRect().IsEmpty());

    // On the rounding itself.
    double c = 1000 - 1000 / std::sqrt(2.0);
    EXPECT_LT(r.DistanceTo(QvPoint(c, c)), 1.0);
}

TEST(QvGRRoundRect, NearestPointStaysOnTheOutline) {
    QvGRRoundRect r = Built(3000);
    EXPECT_TRUE(PointNear(r.NearestPoint(QvPoint(2000, -100)), QvPoint(2000, 0)));
    EXPECT_TRUE(PointNear(r.NearestPoint(QvPoint(2000, 2300)), QvPoint(2000, 2000)));
    // Beside corner 0 the edge's line would give (-100, 0), off the outline;
    // the edge's end answers instead.
    EXPECT_TRUE(PointNear(r.NearestPoint(QvPoint(-100, -100)), QvPoint(1000, 0)));
    // Inside the rounding: a point on the curve near the true foot.
    double c = 1000 - 1000 / std::sqrt(2.0);
    QvPoint n = r.NearestPoint(QvPoint(200, 200));
    EXPECT_LT(r.corners[0].DistanceTo(n), 1e-6);
    EXPECT_TRUE(PointNear(n, QvPoint(c, c), 5));
}

TEST(QvGRRoundRect, BeforeBuildAndCopies) {
    QvGRRoundRect fresh;
    EXPECT_EQ(fresh.DistanceTo(QvPoint(5, 5)), 1000000.0);
    EXPECT_TRUE(PointNear(fresh.NearestPoint(QvPoint(5, 5)), QvPoint(0, 0), 0));

    QvGRRoundRect r = Built(500);
    r.corners[1].Flatten();
    std::unique_ptr<QvGRBase> clone = r.Clone();
    auto* copy = dynamic_cast<QvGRRoundRect*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->type, 6);
    for (QvPoint p : {QvPoint(2000, -100), QvPoint(-50, 300), QvPoint(4100, 1900)})
        EXPECT_EQ(copy->DistanceTo(p), r.DistanceTo(p));
    // The copied corners draw as the source's do.
    EXPECT_EQ(copy->corners[1].GetFlattenedCount(), r.corners[1].GetFlattenedCount());
    EXPECT_GT(copy->corners[1].GetFlattenedCount(), 0);
}

TEST(QvGRRoundRect, SnapPointsEdgesFirstThenCornerEnds) {
    ScopedMADLevel mode(3);
    QvGRRoundRect r = Built(3000);
    QvSpecialPointList list;
    r.AddSnapPoints(&list, 0);
    // Seven per edge (ends, mid point, thirds, quarters), then two per corner.
    ASSERT_EQ(list.GetCount(), 4 * 7 + 8);
    const QvPoint ends[8] = {QvPoint(1000, 0),    QvPoint(0, 1000),    QvPoint(3000, 0),
                             QvPoint(4000, 1000), QvPoint(3000, 2000), QvPoint(4000, 1000),
                             QvPoint(1000, 2000), QvPoint(0, 1000)};
    for (int i = 0; i < 8; ++i) {
        const QvSpecialPoint& record = list[28 + i];
        EXPECT_EQ(record.label.toStdString(), "End of line");
        EXPECT_TRUE(PointNear(record.point, ends[i])) << i;
    }
    EXPECT_TRUE(PointNear(list[0].point, QvPoint(1000, 0)));
    EXPECT_TRUE(PointNear(list[2].point, QvPoint(2000, 0))); // edge 0's mid point

    // Mode 1: ends and mid points only.
    ScopedMADLevel fewer(1);
    QvSpecialPointList ends1;
    r.AddSnapPoints(&ends1, 0);
    EXPECT_EQ(ends1.GetCount(), 4 * 3 + 8);
}

TEST(QvGRRoundRect, MeetsNothing) {
    ScopedMADLevel mode(3);
    QvGRRoundRect r = Built(300);
    QvGRLine cross(2000, -500, 2000, 2500);
    QvSpecialPointList list;
    r.AddIntersections(&cross, &list, 0);
    r.AddExtendedIntersections(&cross, &list, 0);
    cross.AddIntersections(&r, &list, 0);
    ExpectNoRecords(list);
}
