// The angle-mark primitive.
#include "geometry/gr_angle.h"
#include "geometry/gr_line.h"
#include "geometry_test_support.h"

namespace {
QvGRAngle Marked() {
    QvGRAngle angle;
    angle.points[0] = QvPoint(0, 0);
    angle.points[1] = QvPoint(100, 0);
    angle.points[2] = QvPoint(0, 100);
    angle.points[3] = QvPoint(50, 50);
    return angle;
}
} // namespace

TEST(QvGRAngle, DistancesToTheFourPoints) {
    const QvGRAngle angle = Marked();
    EXPECT_EQ(angle.type, 9);
    struct Row {
        double x, y, distance;
    } rows[] = {
        {100, 100, 70.710678}, // to point 3
        {0, 0, 0},
        {-3, -4, 5},
        {100, -10, 10},
        {0, 130, 30},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        EXPECT_NEAR(angle.DistanceTo(QvPoint(r.x, r.y)), r.distance, 1e-6);
        // Point 2, whatever is asked.
        EXPECT_TRUE(PointNear(angle.NearestPoint(QvPoint(r.x, r.y)), QvPoint(0, 100), 0));
    }
    EXPECT_FALSE(angle.HitTest(QvPoint(100, 100), 70));
    EXPECT_TRUE(angle.HitTest(QvPoint(100, 100), 71));
    EXPECT_FALSE(angle.HitTestExtended(QvPoint(100, 100), 70));
    EXPECT_TRUE(angle.HitTestExtended(QvPoint(100, 100), 71));
    EXPECT_TRUE(angle.IsOn(QvPoint(100, 0)));
    EXPECT_TRUE(angle.IsOnExtended(QvPoint(50, 50)));
    EXPECT_FALSE(angle.IsOn(QvPoint(50, 0)));
}

TEST(QvGRAngle, EmptyOnlyWhenEveryPointIsFar) {
    EXPECT_EQ(CRuntimeClass::FromName("QvGRAngle"), RUNTIME_CLASS(QvGRAngle));
    EXPECT_TRUE(QvGRAngle().IsKindOf(RUNTIME_CLASS(QvGRBase)));
    EXPECT_FALSE(QvGRAngle().IsEmpty());
    QvGRAngle angle;
    for (QvPoint& p : angle.points)
        p = QvPoint::Far();
    EXPECT_TRUE(angle.IsEmpty());
    angle.points[3] = QvPoint(0, 0);
    EXPECT_FALSE(angle.IsEmpty());
    angle.points[3] = QvPoint(QV_FAR, 0);
    EXPECT_FALSE(angle.IsEmpty());

    QvGRAngle copy;
    copy.type = 99;
    copy = Marked();
    EXPECT_EQ(copy.type, 99);
    std::unique_ptr<QvGRBase> clone = Marked().Clone();
    auto* c = dynamic_cast<QvGRAngle*>(clone.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->type, 9);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(PointNear(c->points[i], Marked().points[i], 0));
}

TEST(QvGRAngle, SnapsTheFirstThreePointsOnly) {
    ScopedMADLevel mode(2);
    const QvGRAngle angle = Marked();
    QvSpecialPointList list;
    angle.AddSnapPoints(&list, 500);
    const ExpectedRecord expected[] = {
        {"Angle Mark", 3.7, 0, 0}, {"Angle Mark", 3.7, 100, 0}, {"Angle Mark", 3.7, 0, 100}};
    ExpectRecords(list, expected);

    // Nothing from intersections, point snaps or guides.
    QvSpecialPointList others;
    QvGRLine line(-100, 50, 200, 50);
    QvPoint from(10, 10);
    angle.AddIntersections(&line, &others, 0);
    angle.AddExtendedIntersections(&line, &others, 0);
    angle.AddPointSnapPoints(&from, &others, 1, 0);
    ExpectNoRecords(others);
    QvGuideShapeList guides;
    angle.AddGuideShapes(&from, &guides, 0);
    angle.AddGuideShapesWith(&line, &guides, 0);
    EXPECT_EQ(guides.GetCount(), 0);

    // Kind 31 is off in mode 0.
    ScopedMADLevel none(0);
    QvSpecialPointList off;
    angle.AddSnapPoints(&off, 0);
    ExpectNoRecords(off);
}
