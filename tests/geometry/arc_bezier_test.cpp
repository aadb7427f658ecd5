// The arc's conversion into a Bezier curve.
#include "geometry/gr_arc.h"
#include "geometry/gr_bezier.h"
#include "geometry_test_support.h"

#include <algorithm>
#include <cmath>

namespace {
const double kQuarter = 1.570796327;
const double kK = 55.22847498; // 100 * 0.5522847498

QvGRArc Circle(QvPoint start, QvPoint end, QvPoint third) {
    QvGRArc arc;
    arc.a = arc.b = 100;
    arc.axis = QvVector(1, 0);
    arc.startPoint = start;
    arc.endPoint = end;
    arc.thirdPoint = third;
    return arc;
}

// An arc of the ellipse between parameter angles, through a third.
QvGRArc EllipseArc(const QvGREllipse& e, double from, double to, double through) {
    QvGRArc arc;
    static_cast<QvGREllipse&>(arc) = e;
    arc.startPoint = e.PointAt(from);
    arc.endPoint = e.PointAt(to);
    arc.thirdPoint = e.PointAt(through);
    return arc;
}

// The largest radial distance of the curve from the ellipse, sampling every
// segment.
double MaxOffEllipse(const QvGRBezierCurve& curve, const QvGREllipse& e) {
    double worst = 0.0;
    for (int k = 0; 3 * k + 3 <= curve.GetLastIndex(); ++k) {
        const QvPoint& p0 = curve.GetPoint(3 * k);
        const QvPoint& p1 = curve.GetPoint(3 * k + 1);
        const QvPoint& p2 = curve.GetPoint(3 * k + 2);
        const QvPoint& p3 = curve.GetPoint(3 * k + 3);
        for (int i = 0; i <= 50; ++i) {
            double t = i / 50.0, u = 1 - t;
            QvPoint q(
                u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y);
            worst = std::max(worst, e.QvGREllipse::DistanceTo(q));
        }
    }
    return worst;
}

void ExpectPoints(const QvGRBezierCurve& curve, std::initializer_list<QvPoint> points) {
    ASSERT_EQ(curve.GetLastIndex() + 1, int(points.size()));
    int i = 0;
    for (const QvPoint& p : points) {
        EXPECT_TRUE(PointNear(curve.GetPoint(i), p, 1e-5)) << "point " << i;
        ++i;
    }
}

QvPoint V(const QvVector& v) {
    return QvPoint(v.x, v.y);
}
} // namespace

TEST(QvGRArcBezier, QuarterCircleBothWays) {
    QvGRArc forward = Circle(QvPoint(100, 0), QvPoint(0, 100), QvPoint(70.71, 70.71));
    QvGRBezierCurve curve;
    forward.reversed = 1;
    forward.ToBezierCurve(curve, kQuarter);
    EXPECT_EQ(curve.GetCount(), 2);
    ExpectPoints(curve, {QvPoint(100, 0), QvPoint(100, kK), QvPoint(kK, 100), QvPoint(0, 100)});
    EXPECT_EQ(forward.reversed, 0);
    EXPECT_TRUE(PointNear(V(curve.startDirection), QvPoint(0, -kK), 1e-5));
    EXPECT_TRUE(PointNear(V(curve.endDirection), QvPoint(-kK, 0), 1e-5));

    // Swapped ends: the same curve, now running from the arc's end.
    QvGRArc backward = Circle(QvPoint(0, 100), QvPoint(100, 0), QvPoint(70.71, 70.71));
    QvGRBezierCurve back;
    backward.ToBezierCurve(back, kQuarter);
    ExpectPoints(back, {QvPoint(100, 0), QvPoint(100, kK), QvPoint(kK, 100), QvPoint(0, 100)});
    EXPECT_EQ(backward.reversed, 1);
    EXPECT_TRUE(PointNear(V(back.startDirection), QvPoint(-kK, 0), 1e-5));
    EXPECT_TRUE(PointNear(V(back.endDirection), QvPoint(0, -kK), 1e-5));

    // The conversion refreshes the angles itself.
    EXPECT_EQ(backward.between, 1);
    EXPECT_NEAR(backward.startAngle, kQuarter, 1e-9);
}

TEST(QvGRArcBezier, HalfCircleInQuarterAndSmallSteps) {
    QvGRArc half = Circle(QvPoint(100, 0), QvPoint(-100, 0), QvPoint(0, 100));
    QvGRBezierCurve quarters;
    half.ToBezierCurve(quarters, kQuarter);
    EXPECT_EQ(quarters.GetCount(), 3);
    ExpectPoints(quarters, {QvPoint(100, 0), QvPoint(100, kK), QvPoint(kK, 100), QvPoint(0, 100),
                            QvPoint(-kK, 100), QvPoint(-100, kK), QvPoint(-100, 0)});

    QvGRBezierCurve fine;
    half.reversed = 1;
    half.ToBezierCurve(fine, 0.2);
    ASSERT_EQ(fine.GetCount(), 17);
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(PointNear(fine.GetThroughPoint(i), half.PointAt(0.2 * i), 1e-9)) << i;
    EXPECT_TRUE(PointNear(fine.GetThroughPoint(16), QvPoint(-100, 0), 1e-6));
    // Small steps keep the curve's own controls, directions and the flag.
    EXPECT_EQ(half.reversed, 1);
    EXPECT_TRUE(PointNear(V(fine.startDirection), V(fine.GetStartDirection()), 0));
    EXPECT_TRUE(PointNear(V(fine.endDirection), V(fine.GetEndDirection()), 0));
}

TEST(QvGRArcBezier, MajorArcWrapsAcrossTheNegativeXAxis) {
    // From 3/4 pi counter-clockwise through pi to -3/4 pi.
    QvGRArc arc =
        Circle(QvPoint(-70.710678, 70.710678), QvPoint(-70.710678, -70.710678), QvPoint(-100, 0));
    QvGRBezierCurve curve;
    arc.ToBezierCurve(curve, 0.2);
    EXPECT_EQ(arc.between, 0);
    ASSERT_EQ(curve.GetCount(), 9);
    double previous = -10;
    for (int i = 0; i < curve.GetCount(); ++i) {
        QvPoint p = curve.GetThroughPoint(i);
        EXPECT_LT(p.x, -70); // never the short way round
        double angle = std::atan2(p.y, p.x);
        if (angle < 0)
            angle += 2 * M_PI;
        EXPECT_GT(angle, previous) << i; // counter-clockwise
        previous = angle;
    }

    // In quarter steps the shorter last segment after the wrap still fits.
    QvGRArc wide = Circle(QvPoint(100 * std::cos(2.0), 100 * std::sin(2.0)),
                          QvPoint(100 * std::cos(-2.0), 100 * std::sin(-2.0)), QvPoint(-100, 0));
    QvGRBezierCurve coarse;
    wide.ToBezierCurve(coarse, kQuarter);
    EXPECT_EQ(coarse.GetCount(), 3);
    EXPECT_LT(MaxOffEllipse(coarse, wide), 0.3);
    EXPECT_EQ(wide.reversed, 0); // from the larger angle, the start, onwards
    EXPECT_TRUE(PointNear(coarse.GetPoint(0), wide.startPoint, 1e-6));
}

TEST(QvGRArcBezier, TurnedEllipseArcsConvertAsUnturnedOnes) {
    // The same arcs on an ellipse along x and on one turned by 45 degrees:
    // the turned curve is the plain one turned, and both stay on the ellipse.
    QvGREllipse plain;
    plain.centre = QvPoint(5000, 4000);
    // Sized so that the shorter segments' proportional controls, which drift
    // by up to 0.4 % of the semi-axis, stay within half a unit.
    plain.a = 100;
    plain.b = 40;
    plain.axis = QvVector(1, 0);
    QvGREllipse turned = plain;
    turned.axis = QvVector(1, 1);
    struct Case {
        double from, to, through;
    } cases[] = {
        {0.2, 1.5, 0.8},  // one shorter segment
        {-0.3, 2.9, 1.0}, // two full quarters and a shorter one
        {2.5, -2.8, 3.0}, // across the wrap
        {1.0, 0.5, -2.0}, // nearly the whole ellipse
    };
    const double c45 = std::cos(QV_PI / 4), s45 = std::sin(QV_PI / 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << " to " << c.to);
        QvGRArc flatArc = EllipseArc(plain, c.from, c.to, c.through);
        QvGRArc turnedArc = EllipseArc(turned, c.from, c.to, c.through);
        QvGRBezierCurve flatCurve, turnedCurve;
        flatArc.ToBezierCurve(flatCurve, kQuarter);
        turnedArc.ToBezierCurve(turnedCurve, kQuarter);
        ASSERT_EQ(flatCurve.GetLastIndex(), turnedCurve.GetLastIndex());
        for (int i = 0; i <= flatCurve.GetLastIndex(); ++i) {
            QvVector d = flatCurve.GetPoint(i) - plain.centre;
            d.Rotate(c45, s45);
            EXPECT_TRUE(PointNear(turnedCurve.GetPoint(i), plain.centre + d, 1e-6)) << i;
        }
        EXPECT_EQ(flatArc.reversed, turnedArc.reversed);
        EXPECT_LT(MaxOffEllipse(flatCurve, plain), 0.5);
        EXPECT_LT(MaxOffEllipse(turnedCurve, turned), 0.5);
    }

    // Along x the control vector is the plain (-a sin t, b cos t) scaled.
    QvGRArc along;
    along.a = 200;
    along.b = 100;
    along.axis = QvVector(1, 0);
    QvVector v = along.ControlVectorAt(0.6);
    EXPECT_NEAR(v.x, -200 * std::sin(0.6) * 0.5522847498, 1e-9);
    EXPECT_NEAR(v.y, 100 * std::cos(0.6) * 0.5522847498, 1e-9);
}
