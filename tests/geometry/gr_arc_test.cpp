// The arc primitive.
#include "geometry/gr_arc.h"
#include "geometry_test_support.h"

#include <cmath>

namespace {
const double kR = 70.710678118654755; // 100 / sqrt 2

// The quarter circle from (100, 0) counter-clockwise to (0, 100) about the
// origin, or its complement when the third point is on the far side.
QvGRArc Quarter(int closing = QvArcClosing::Arc, QvPoint third = QvPoint(kR, kR)) {
    QvGRArc arc;
    arc.a = arc.b = 100;
    arc.axis = QvVector(1, 0);
    arc.startPoint = QvPoint(100, 0);
    arc.endPoint = QvPoint(0, 100);
    arc.thirdPoint = third;
    arc.UpdateAngles();
    arc.closingType = closing;
    return arc;
}

// The same quarter moved to (1000, 1000).
QvGRArc MovedSector() {
    QvGRArc arc = Quarter(QvArcClosing::Sector);
    const QvVector shift(1000, 1000);
    arc.centre = arc.centre + shift;
    arc.startPoint = arc.startPoint + shift;
    arc.endPoint = arc.endPoint + shift;
    arc.thirdPoint = arc.thirdPoint + shift;
    arc.UpdateAngles();
    return arc;
}
} // namespace

TEST(QvGRArc, AnglesOfTheQuarterCircle) {
    QvGRArc arc = Quarter();
    EXPECT_EQ(arc.type, 7);
    EXPECT_NEAR(arc.startAngle, 0, 1e-12);
    EXPECT_NEAR(arc.endAngle, 1.5707963, 1e-7);
    EXPECT_NEAR(arc.thirdAngle, 0.785398, 1e-6);
    EXPECT_EQ(arc.between, 1);
    EXPECT_TRUE(arc.IsWithinAngles(0.5));
    EXPECT_FALSE(arc.IsWithinAngles(arc.startAngle)); // strict at both ends
    EXPECT_FALSE(arc.IsWithinAngles(arc.endAngle));

    QvPoint sc = arc.GetStartAndCentralAngle();
    EXPECT_TRUE(PointNear(sc, QvPoint(0, 90), 0));
    EXPECT_EQ(arc.major, 0);

    QvGRArc other = Quarter(QvArcClosing::Arc, QvPoint(-kR, -kR));
    EXPECT_EQ(other.between, 0);
    sc = other.GetStartAndCentralAngle();
    EXPECT_TRUE(PointNear(sc, QvPoint(90, 270), 0));
    EXPECT_EQ(other.major, 1);

    // A half circle is not major.
    QvGRArc half = Quarter();
    half.endPoint = QvPoint(-100, 0);
    half.thirdPoint = QvPoint(0, 100);
    half.UpdateAngles();
    EXPECT_TRUE(PointNear(half.GetStartAndCentralAngle(), QvPoint(0, 180), 0));
    EXPECT_EQ(half.major, 0);

    struct Row {
        double x, y, angle;
    } rows[] = {
        {-100, 0, 3.141592654}, // +pi, never -pi
        {0, -100, -1.570796327},
        {0, 100, 1.570796327},
        {100, 0, 0},
        {-300, -300, -2.356194490},
        {50, -86.602540378, -1.047197551},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        EXPECT_NEAR(arc.GetParameterAngle(QvPoint(r.x, r.y)), r.angle, 1e-9);
    }
    EXPECT_EQ(arc.GetParameterAngle(QvPoint(-100, 0)), 3.141592654);

    // On an ellipse the angle is the parameter, not the polar angle.
    QvGRArc flat = arc;
    flat.a = 200;
    for (double t : {0.3, 1.2, 2.5, -0.4, -2.9})
        EXPECT_NEAR(flat.GetParameterAngle(flat.PointAt(t)), t, 1e-9) << t;
}

TEST(QvGRArc, DistancesAndNearestPointsForTheThreeClosings) {
    const QvPoint far = QvPoint::Far();
    struct Row {
        const char* what;
        int closing;
        QvPoint p;
        double distance;
        QvPoint nearest;
    } rows[] = {
        {"ring, open", QvArcClosing::Arc, QvPoint(200, 200), 182.842712, QvPoint(kR, kR)},
        {"ring, sector", QvArcClosing::Sector, QvPoint(200, 200), 182.842712, QvPoint(kR, kR)},
        {"ring, segment", QvArcClosing::Segment, QvPoint(200, 200), 182.842712, QvPoint(kR, kR)},
        {"outside, open", QvArcClosing::Arc, QvPoint(-50, -50), 100000.0, far},
        {"outside, sector", QvArcClosing::Sector, QvPoint(-50, -50), 50, QvPoint(-50, 0)},
        {"outside, segment", QvArcClosing::Segment, QvPoint(-50, -50), 141.421356, QvPoint(50, 50)},
        {"far outside, sector", QvArcClosing::Sector, QvPoint(-500, -500), 500, QvPoint(0, 0)},
        {"an unknown closing is open", 7, QvPoint(-50, -50), 100000.0, far},
        // The arc's own ends lie outside its sweep.
        {"start, open", QvArcClosing::Arc, QvPoint(100, 0), 100000.0, far},
        {"end, open", QvArcClosing::Arc, QvPoint(0, 100), 100000.0, far},
        {"start, sector", QvArcClosing::Sector, QvPoint(100, 0), 0, QvPoint(100, 0)},
        {"end, segment", QvArcClosing::Segment, QvPoint(0, 100), 0, QvPoint(0, 100)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QvGRArc arc = Quarter(r.closing);
        EXPECT_NEAR(arc.DistanceTo(r.p), r.distance, 1e-5);
        EXPECT_TRUE(PointNear(arc.NearestPoint(r.p), r.nearest, 1e-5));
        EXPECT_EQ(arc.IsOn(r.p), r.distance == 0);
        EXPECT_EQ(arc.IsOnExtended(r.p), r.distance == 0);
        EXPECT_TRUE(arc.HitTest(r.p, r.distance + 1e-5));
        EXPECT_FALSE(arc.HitTestExtended(r.p, r.distance - 1e-3));
    }
    // The complement: the ring counts below the x axis, the quarter does not.
    QvGRArc other = Quarter(QvArcClosing::Arc, QvPoint(-kR, -kR));
    EXPECT_NEAR(other.DistanceTo(QvPoint(0, -150)), 50, 1e-9);
    EXPECT_EQ(other.DistanceTo(QvPoint(150, 150)), 100000.0);
    EXPECT_TRUE(PointNear(other.NearestPoint(QvPoint(0, -150)), QvPoint(0, -100)));
    EXPECT_TRUE(PointNear(other.NearestPointOnEllipse(QvPoint(150, 150)), QvPoint(kR, kR)));
}

TEST(QvGRArc, SectorNearestPointStaysOnItsOutline) {
    // Far from both radii the answer is the nearest point of the two radius
    // segments, not the page origin.
    const QvGRArc sector = MovedSector();
    struct Row {
        QvPoint p;
        QvPoint nearest;
    } rows[] = {
        {QvPoint(500, 500), QvPoint(1000, 1000)},
        {QvPoint(2000, 0), QvPoint(1100, 1000)},
        {QvPoint(0, 2000), QvPoint(1000, 1100)},
        // Within reach of a radius: its foot.
        {QvPoint(1050, 900), QvPoint(1050, 1000)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.p);
        EXPECT_TRUE(PointNear(sector.NearestPoint(r.p), r.nearest, 1e-6));
    }
}

TEST(QvGRArc, SnapPoints) {
    ScopedMADLevel mode(2);
    struct Case {
        const char* what;
        QvGRArc arc;
        std::vector<ExpectedRecord> records;
    } cases[] = {
        {"open",
         Quarter(),
         {{"Centre of curvature", 3.7, 0, 0},
          {"End of arc", 3.0, 100, 0},
          {"End of arc", 3.0, 0, 100},
          {"Mid point of arc", 3.0, kR, kR}}},
        {"sector",
         Quarter(QvArcClosing::Sector),
         {{"Centre of curvature", 3.7, 0, 0},
          {"End of arc", 3.0, 100, 0},
          {"End of arc", 3.0, 0, 100},
          {"Mid point of arc", 3.0, kR, kR}}},
        {"segment",
         Quarter(QvArcClosing::Segment),
         {{"Centre of curvature", 3.7, 0, 0},
          {"End of arc", 3.0, 100, 0},
          {"End of arc", 3.0, 0, 100},
          {"Mid point of arc", 3.0, kR, kR},
          {"Mid point of chord", 3.0, 50, 50}}},
        {"the complement's middle is across the centre",
         Quarter(QvArcClosing::Arc, QvPoint(-kR, -kR)),
         {{"Centre of curvature", 3.7, 0, 0},
          {"End of arc", 3.0, 100, 0},
          {"End of arc", 3.0, 0, 100},
          {"Mid point of arc", 3.0, -kR, -kR}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QvSpecialPointList list;
        c.arc.AddSnapPoints(&list, 0);
        ASSERT_EQ(list.GetCount(), int(c.records.size()));
        for (int i = 0; i < list.GetCount(); ++i) {
            const ExpectedRecord& e = c.records[size_t(i)];
            EXPECT_EQ(list[i].label.toStdString(), e.label);
            EXPECT_EQ(list[i].priority, e.priority);
            EXPECT_TRUE(PointNear(list[i].point, QvPoint(e.x, e.y), 1e-6));
        }
    }
    ScopedMADLevel none(0);
    QvSpecialPointList list;
    Quarter(QvArcClosing::Segment).AddSnapPoints(&list, 0);
    ExpectNoRecords(list);
}

TEST(QvGRArc, CopiesAndDegenerateArcs) {
    // Both are stored by name, schema 1, the arc as a kind of ellipse.
    EXPECT_EQ(CRuntimeClass::FromName("QvGREllipse"), RUNTIME_CLASS(QvGREllipse));
    EXPECT_EQ(CRuntimeClass::FromName("QvGRArc"), RUNTIME_CLASS(QvGRArc));
    EXPECT_EQ(RUNTIME_CLASS(QvGRArc)->StoredSchema(), 1);
    EXPECT_TRUE(QvGRArc().IsKindOf(RUNTIME_CLASS(QvGREllipse)));
    EXPECT_TRUE(QvGREllipse().IsKindOf(RUNTIME_CLASS(QvGRBase)));
    QvGRArc arc = Quarter(QvArcClosing::Sector, QvPoint(-kR, -kR));
    arc.GetStartAndCentralAngle();
    arc.reversed = 1;
    std::unique_ptr<QvGRBase> clone = arc.Clone();
    auto* c = dynamic_cast<QvGRArc*>(clone.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->type, 7);
    EXPECT_EQ(c->a, 100);
    EXPECT_TRUE(PointNear(c->thirdPoint, QvPoint(-kR, -kR), 0));
    EXPECT_EQ(c->between, 0);
    EXPECT_EQ(c->major, 1);
    EXPECT_EQ(c->reversed, 1);
    EXPECT_EQ(c->closingType, QvArcClosing::Sector);
    EXPECT_EQ(c->endAngle, arc.endAngle);
    EXPECT_EQ(c->thirdAngle, arc.thirdAngle);

    // The ellipse's assignment copies only the ellipse part.
    QvGRArc part;
    part = static_cast<const QvGREllipse&>(arc);
    EXPECT_EQ(part.a, 100);
    EXPECT_EQ(part.closingType, QvArcClosing::Arc);
    EXPECT_FALSE(part.IsEmpty());
    EXPECT_TRUE(QvGRArc().IsEmpty());

    // A zero semi-axis: never hit, and no NaN anywhere.
    for (double a : {0.0, 100.0}) {
        QvGRArc flat = Quarter(QvArcClosing::Sector);
        flat.a = a;
        flat.b = 100.0 - a;
        flat.UpdateAngles();
        SCOPED_TRACE(::testing::Message() << "a " << flat.a << " b " << flat.b);
        EXPECT_EQ(flat.DistanceTo(QvPoint(30, 40)), QV_FAR);
        EXPECT_FALSE(flat.HitTest(QvPoint(0, 0), 1e6));
        QvPoint n = flat.NearestPoint(QvPoint(30, 40));
        EXPECT_FALSE(std::isnan(n.x) || std::isnan(n.y));
        EXPECT_FALSE(std::isnan(flat.startAngle) || std::isnan(flat.endAngle));
    }
}
