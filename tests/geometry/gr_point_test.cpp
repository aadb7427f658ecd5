// The point primitive.
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry/gr_point.h"
#include "geometry_test_support.h"

namespace {
QvGRPoint At(double x, double y) {
    QvGRPoint p;
    p.point = QvPoint(x, y);
    return p;
}
} // namespace

TEST(QvGRPoint, ConstructionCopyAndEmptiness) {
    QvGRPoint origin;
    EXPECT_EQ(origin.type, 3);
    // A point at the page origin is a real point.
    EXPECT_FALSE(origin.IsEmpty());
    EXPECT_FALSE(At(0, 1e-12).IsEmpty());

    QvGRPoint copy;
    copy = At(7, 8);
    EXPECT_EQ(copy.type, 3);
    EXPECT_TRUE(PointNear(copy.point, QvPoint(7, 8), 0));
    std::unique_ptr<QvGRBase> clone = At(7, 8).Clone();
    auto* point = dynamic_cast<QvGRPoint*>(clone.get());
    ASSERT_NE(point, nullptr);
    EXPECT_TRUE(PointNear(point->point, QvPoint(7, 8), 0));
}

TEST(QvGRPoint, DistancesAndTests) {
    QvGRPoint p = At(0, 0);
    struct Row {
        double x, y, distance;
        double tolerance;
        bool hit;
    } rows[] = {
        {3, 4, 5, 5, true},
        {3, 4, 5, 4.999, false},
        {0, 0, 0, 0, true},
        {-6, 8, 10, 10, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        EXPECT_DOUBLE_EQ(p.DistanceTo(QvPoint(r.x, r.y)), r.distance);
        EXPECT_EQ(p.HitTest(QvPoint(r.x, r.y), r.tolerance), r.hit);
        EXPECT_EQ(p.HitTestExtended(QvPoint(r.x, r.y), r.tolerance), r.hit);
    }
    EXPECT_TRUE(p.IsOn(QvPoint(5e-9, 0)));
    EXPECT_FALSE(p.IsOn(QvPoint(2e-8, 0)));
    EXPECT_TRUE(p.IsOnExtended(QvPoint(0, 5e-9)));
    EXPECT_TRUE(PointNear(At(4, 5).NearestPoint(QvPoint(100, -3)), QvPoint(4, 5), 0));
}

TEST(QvGRPoint, SnapPointAndIntersectionsByTheOthersOnTest) {
    ScopedMADLevel mode(2);
    QvGRPoint p = At(500, 0);
    QvSpecialPointList snaps;
    p.AddSnapPoints(&snaps, 16);
    const ExpectedRecord point[] = {{"Point", 3.7, 500, 0}};
    ExpectRecords(snaps, point);

    QvGRLine through(0, 0, 1000, 0);
    QvGRLine near(0, 0.0005, 1000, 0.0005); // within the line's 0.001
    QvGRLine beside(0, 0.002, 1000, 0.002); // beyond it
    QvGRCircle circle;
    circle.centre = QvPoint(0, 0);
    circle.radius = 500;
    QvGRCircle almost = circle;
    almost.radius = 500.0001;
    struct Row {
        const char* what;
        const QvGRBase* other;
        int level;
        int count;
    } rows[] = {
        {"on a line", &through, 0, 1},          {"within the line's tolerance", &near, 0, 1},
        {"beside the line", &beside, 0, 0},     {"on a circle", &circle, 0, 1},
        {"just off a circle", &almost, 0, 0},   {"above kind 8's range", &through, 16, 0},
        {"at kind 8's range", &through, 15, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QvSpecialPointList list;
        p.AddIntersections(r.other, &list, r.level);
        ASSERT_EQ(list.GetCount(), r.count);
        if (r.count) {
            const ExpectedRecord hit[] = {{"Intersection", 3.01, 500, 0}};
            ExpectRecords(list, hit);
        }
    }

    // Kind 8 is off in mode 1, kind 21 is not.
    ScopedMADLevel gridOnly(1);
    QvSpecialPointList list;
    p.AddIntersections(&through, &list, 0);
    ExpectNoRecords(list);
    p.AddSnapPoints(&list, 0);
    EXPECT_EQ(list.GetCount(), 1);
}
