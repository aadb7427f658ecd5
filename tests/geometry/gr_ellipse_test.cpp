// The ellipse primitive.
#include "geometry/gr_ellipse.h"
#include "geometry/gr_line.h"
#include "geometry_test_support.h"

#include <cmath>

namespace {
QvGREllipse Make(double a, double b, QvVector axis = QvVector(1, 0), QvPoint centre = QvPoint()) {
    QvGREllipse e;
    e.centre = centre;
    e.a = a;
    e.b = b;
    e.axis = axis;
    return e;
}
} // namespace

TEST(QvGREllipse, RadialDistancesAndNearestPoints) {
    const QvGREllipse e = Make(200, 100);
    EXPECT_EQ(e.type, 7);
    struct Row {
        double x, y, distance, nx, ny;
    } rows[] = {
        {300, 0, 100, 200, 0},
        {0, 300, 200, 0, 100},
        {-50, 0, 150, -200, 0},
        // Along the ray, not the normal: (89.44, 89.44) is on the ellipse.
        {100, 100, 141.421356 - 126.491106, 89.442719, 89.442719},
        // The centre: the radius across the axis, and the centre itself.
        {0, 0, 100, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        QvPoint p(r.x, r.y);
        EXPECT_NEAR(e.DistanceTo(p), r.distance, 1e-5);
        EXPECT_TRUE(PointNear(e.NearestPoint(p), QvPoint(r.nx, r.ny), 1e-5));
        EXPECT_EQ(e.HitTest(p, r.distance + 1e-6), true);
        EXPECT_EQ(e.HitTestExtended(p, r.distance - 1e-3), false);
    }
    QvPoint on = e.PointAt(0.7);
    EXPECT_TRUE(e.IsOn(on));
    EXPECT_TRUE(e.IsOnExtended(on));
    EXPECT_FALSE(e.IsOn(QvPoint(on.x * 1.001, on.y * 1.001)));

    // A turned, moved ellipse measures the same way in its own frame.
    const QvGREllipse turned = Make(200, 100, QvVector(0, 3), QvPoint(1000, 500));
    EXPECT_TRUE(PointNear(turned.PointAt(0), QvPoint(1000, 700)));
    EXPECT_TRUE(PointNear(turned.PointAt(QV_PI / 2), QvPoint(900, 500), 1e-6));
    EXPECT_NEAR(turned.DistanceTo(QvPoint(1000, 800)), 100, 1e-9);
    EXPECT_NEAR(turned.DistanceTo(QvPoint(1300, 500)), 200, 1e-9);
}

TEST(QvGREllipse, AxisEndsAndFociInOrder) {
    ScopedMADLevel mode(2);
    struct Case {
        const char* what;
        QvGREllipse e;
        ExpectedRecord records[7];
    } cases[] = {
        {"a > b",
         Make(200, 100),
         {{"Centre", 3.7, 0, 0},
          {"End of axis", 3.1, 0, 100},
          {"End of axis", 3.1, 0, -100},
          {"End of axis", 3.1, -200, 0},
          {"End of axis", 3.1, 200, 0},
          {"Focus", 3.1, 173.205081, 0},
          {"Focus", 3.1, -173.205081, 0}}},
        {"a < b: the foci move to the other axis",
         Make(100, 200),
         {{"Centre", 3.7, 0, 0},
          {"End of axis", 3.1, 0, 200},
          {"End of axis", 3.1, 0, -200},
          {"End of axis", 3.1, -100, 0},
          {"End of axis", 3.1, 100, 0},
          {"Focus", 3.1, 0, 173.205081},
          {"Focus", 3.1, 0, -173.205081}}},
        {"a circle: both foci at the centre",
         Make(50, 50, QvVector(0, 1), QvPoint(10, 10)),
         {{"Centre", 3.7, 10, 10},
          {"End of axis", 3.1, -40, 10},
          {"End of axis", 3.1, 60, 10},
          {"End of axis", 3.1, 10, -40},
          {"End of axis", 3.1, 10, 60},
          {"Focus", 3.1, 10, 10},
          {"Focus", 3.1, 10, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QvSpecialPointList list;
        c.e.AddSnapPoints(&list, 0);
        ExpectRecords(list, c.records);
    }

    // All three kinds are off in mode 0; intersections and guides give nothing.
    ScopedMADLevel none(0);
    QvSpecialPointList list;
    const QvGREllipse e = Make(200, 100);
    e.AddSnapPoints(&list, 0);
    QvGRLine across(-500, 0, 500, 0);
    e.AddIntersections(&across, &list, 0);
    e.AddExtendedIntersections(&across, &list, 0);
    QvPoint from(0, 0);
    e.AddPointSnapPoints(&from, &list, 1, 0);
    ExpectNoRecords(list);
    QvGuideShapeList guides;
    e.AddGuideShapes(&from, &guides, 0);
    e.AddGuideShapesWith(&across, &guides, 0);
    EXPECT_EQ(guides.GetCount(), 0);
}

TEST(QvGREllipse, EmptinessCopiesAndDegenerateEllipses) {
    EXPECT_TRUE(QvGREllipse().IsEmpty());
    EXPECT_TRUE(Make(0, 0, QvVector(1e-9, 0)).IsEmpty());
    EXPECT_FALSE(Make(0, 0, QvVector(1e-7, 0)).IsEmpty());
    EXPECT_FALSE(Make(0, 0, QvVector(0, 0), QvPoint(1, 0)).IsEmpty());

    QvGREllipse copy;
    copy.type = 99;
    copy = Make(200, 100, QvVector(0, 1), QvPoint(5, 6));
    EXPECT_EQ(copy.type, 99); // the type code is not copied
    EXPECT_EQ(copy.a, 200);
    std::unique_ptr<QvGRBase> clone = copy.Clone();
    auto* e = dynamic_cast<QvGREllipse*>(clone.get());
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->type, 7);
    EXPECT_TRUE(PointNear(e->centre, QvPoint(5, 6), 0));
    EXPECT_EQ(e->b, 100);
    EXPECT_TRUE(PointNear(QvPoint(e->axis.x, e->axis.y), QvPoint(0, 1), 0));

    // A zero semi-axis or axis has no radius to measure against: the far
    // value, never NaN, whatever the direction asked.
    const QvGREllipse degenerate[] = {Make(0, 100), Make(100, 0), Make(0, 0),
                                      Make(100, 50, QvVector(0, 0))};
    const QvPoint probes[] = {QvPoint(0, 0), QvPoint(100, 0), QvPoint(0, 100), QvPoint(30, 40)};
    for (const QvGREllipse& d : degenerate) {
        for (const QvPoint& p : probes) {
            SCOPED_TRACE(::testing::Message() << "a " << d.a << " b " << d.b << " at " << p);
            EXPECT_EQ(d.DistanceTo(p), QV_FAR);
            EXPECT_TRUE(d.NearestPoint(p).IsFar());
            EXPECT_FALSE(d.HitTest(p, 1e6));
            EXPECT_FALSE(d.IsOn(p));
        }
    }
}
