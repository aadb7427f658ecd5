// The Bezier curve: building, flattening, measuring, and its geometry
// (distance, nearest point, snaps, intersections).
#include "geometry/gr_bezier.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry_test_support.h"

#include <cmath>
#include <initializer_list>

namespace {
QvGRBezierCurve Curve(std::initializer_list<QvPoint> points, bool closed = false,
                      double factor = QvGRBezierCurve::SmoothFactor) {
    QvGRBezierCurve curve;
    for (const QvPoint& p : points)
        curve.AddPoint(p);
    curve.ComputeControlPoints(closed, factor);
    return curve;
}

QvGRBezierCurve Straight() {
    return Curve({QvPoint(0, 0), QvPoint(3000, 0)});
}

// A curve through n points that swings between y = +amplitude and
// -amplitude, `step` apart in x.
QvGRBezierCurve Zigzag(int n, double step, double amplitude, double y0 = 0) {
    QvGRBezierCurve curve;
    for (int i = 0; i < n; ++i)
        curve.AddPoint(QvPoint(i * step, y0 + (i % 2 ? amplitude : -amplitude)));
    curve.ComputeControlPoints(false, QvGRBezierCurve::SmoothFactor);
    return curve;
}

::testing::AssertionResult OnCurve(const QvGRBezierCurve& curve, QvPoint p,
                                   double tolerance = 1e-6) {
    double d = curve.DistanceTo(p);
    if (d <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << p << " is " << d << " from the curve";
}

::testing::AssertionResult NearOneOf(QvPoint p, std::initializer_list<QvPoint> candidates,
                                     double tolerance) {
    for (const QvPoint& c : candidates) {
        if (PointNear(p, c, tolerance))
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << p << " is near none of the expected points";
}
} // namespace

// ----------------------------------------------------------------- building

TEST(QvGRBezierCurve, OpenTwoPointCurve) {
    QvGRBezierCurve curve = Straight();
    EXPECT_EQ(curve.type, 5);
    EXPECT_TRUE(curve.IsBuilt());
    EXPECT_EQ(curve.GetCount(), 2);
    EXPECT_EQ(curve.GetLastIndex(), 3);
    EXPECT_TRUE(PointNear(curve.GetPoint(1), QvPoint(1050, 0)));
    EXPECT_TRUE(PointNear(curve.GetPoint(2), QvPoint(1950, 0)));
    EXPECT_TRUE(
        PointNear(QvPoint(curve.startDirection.x, curve.startDirection.y), QvPoint(-1050, 0)));
    EXPECT_TRUE(PointNear(QvPoint(curve.endDirection.x, curve.endDirection.y), QvPoint(1050, 0)));
    EXPECT_NEAR(curve.GetLength(), 2989.504988888889, 1e-6);

    QvPoint half = curve.PointAtFraction(0.5);
    EXPECT_TRUE(PointNear(half, QvPoint(1500, 0), 1e-9));
    EXPECT_NEAR(curve.middleDirection.x, 97.51111111111111, 1e-9);
    EXPECT_EQ(curve.middleDirection.y, 0);
}

TEST(QvGRBezierCurve, ThroughPointsAreLimitedToSixtySix) {
    QvGRBezierCurve curve;
    EXPECT_EQ(curve.GetCount(), 0);
    EXPECT_EQ(curve.GetLastIndex(), 0); // not built
    for (int i = 0; i < 67; ++i)
        curve.AddPoint(QvPoint(i * 10, 0));
    EXPECT_EQ(curve.GetCount(), 66);
    EXPECT_TRUE(PointNear(curve.GetThroughPoint(65), QvPoint(650, 0), 0));
    curve.ComputeControlPoints(true, 0.35);
    EXPECT_EQ(curve.GetCount(), 67); // the closing point has its slot
    EXPECT_EQ(curve.GetLastIndex(), 198);
    // A built curve takes no more points until it is reset.
    curve.AddPoint(QvPoint(1, 1));
    EXPECT_EQ(curve.GetCount(), 67);
    curve.Reset();
    EXPECT_EQ(curve.GetCount(), 0);
    EXPECT_FALSE(curve.IsBuilt());
    curve.AddPoint(QvPoint(1, 1));
    EXPECT_EQ(curve.GetCount(), 1);
}

TEST(QvGRBezierCurve, ThroughPointIndicesOutsideTheCurveGiveTheOrigin) {
    QvGRBezierCurve curve = Curve({QvPoint(5, 6), QvPoint(7, 8)});
    for (int i : {-1, 2, 3, 100})
        EXPECT_TRUE(PointNear(curve.GetThroughPoint(i), QvPoint(0, 0), 0)) << i;
    EXPECT_TRUE(PointNear(curve.GetThroughPoint(1), QvPoint(7, 8), 0));
}

TEST(QvGRBezierCurve, ClosingAppendsTheFirstPointWithOneTangent) {
    QvGRBezierCurve curve = Curve({QvPoint(0, 0), QvPoint(1000, 0), QvPoint(500, 800)}, true);
    EXPECT_TRUE(curve.IsClosed());
    EXPECT_EQ(curve.GetCount(), 4);
    EXPECT_EQ(curve.GetLastIndex(), 9);
    EXPECT_TRUE(PointNear(curve.GetPoint(9), QvPoint(0, 0), 0));
    // The controls on either side of the first point lie on one line through it.
    QvVector out = curve.GetPoint(1) - curve.GetPoint(0);
    QvVector in = curve.GetPoint(9) - curve.GetPoint(8);
    EXPECT_NEAR(out.x * in.y - out.y * in.x, 0.0, 1e-6);
    EXPECT_GT(out.Dot(in), 0.0);
    // The end's tangent: the open end control is the chord's factor.
    QvGRBezierCurve open = Curve({QvPoint(0, 0), QvPoint(1000, 0), QvPoint(500, 800)});
    EXPECT_TRUE(PointNear(open.GetPoint(1), QvPoint(350, 0)));
    EXPECT_TRUE(PointNear(open.GetPoint(5), QvPoint(500, 800) - QvVector(-500, 800) * 0.35));
}

TEST(QvGRBezierCurve, EmptyAndOnePointCurvesAreSafe) {
    QvGRBezierCurve empty;
    empty.ComputeControlPoints(true, 0.35);
    EXPECT_FALSE(empty.IsBuilt());
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_EQ(empty.GetLength(), 0.0);
    EXPECT_TRUE(PointNear(empty.PointAtFraction(0.5), QvPoint(0, 0), 0));
    EXPECT_EQ(empty.DistanceTo(QvPoint(3, 4)), 1000000.0);
    EXPECT_TRUE(PointNear(empty.NearestPoint(QvPoint(3, 4)), QvPoint(0, 0), 0));
    EXPECT_FALSE(empty.IsOn(QvPoint(0, 0)));
    empty.Flatten();
    EXPECT_EQ(empty.GetFlattenedCount(), 0);
    std::vector<CPoint> left, right;
    empty.GetDoubleLines(10, left, right);
    EXPECT_TRUE(left.empty());
    EXPECT_TRUE(right.empty());

    // One point, closed or not: a curve without a segment, which is the point.
    for (bool closed : {false, true}) {
        SCOPED_TRACE(closed ? "closed" : "open");
        QvGRBezierCurve one = Curve({QvPoint(40, 30)}, closed);
        EXPECT_TRUE(one.IsBuilt());
        EXPECT_EQ(one.GetCount(), 1);
        EXPECT_TRUE(one.GetStartDirection().IsZero());
        EXPECT_TRUE(one.GetEndDirection().IsZero());
        EXPECT_EQ(one.GetLength(), 0.0);
        EXPECT_TRUE(PointNear(one.PointAtFraction(0.5), QvPoint(40, 30), 0));
        EXPECT_DOUBLE_EQ(one.DistanceTo(QvPoint(0, 0)), 50);
        EXPECT_TRUE(PointNear(one.NearestPoint(QvPoint(0, 0)), QvPoint(40, 30), 0));
        one.Flatten();
        ASSERT_EQ(one.GetFlattenedCount(), 1);
        EXPECT_EQ(one.GetFlattenedPoints()[0].x, 40);
        CRect box = one.GetBounds();
        EXPECT_EQ(box.left, 40);
        EXPECT_EQ(box.right, 41);
    }
}

// --------------------------------------------------------------- flattening

TEST(QvGRBezierCurve, FlatteningStepsAndClamps) {
    struct Row {
        const char* what;
        QvPoint start, end;
        int count;
        CPoint first, last;
    } rows[] = {
        {"short chord: ten samples and the end", QvPoint(0, 0), QvPoint(1000, 0), 11, CPoint(0, 0),
         CPoint(1000, 0)},
        {"zero chord: ten samples and the end", QvPoint(7, 7), QvPoint(7, 7), 11, CPoint(7, 7),
         CPoint(7, 7)},
        {"one sample per 200 units", QvPoint(0, 0), QvPoint(4000, 0), 21, CPoint(0, 0),
         CPoint(4000, 0)},
        {"clamped to -100 and 32000", QvPoint(-500, -300), QvPoint(33000, 40000), 0,
         CPoint(-100, -100), CPoint(32000, 32000)},
        {"truncated toward zero", QvPoint(-50.7, 10.9), QvPoint(20.5, -30.2), 11, CPoint(-50, 10),
         CPoint(20, -30)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QvGRBezierCurve curve;
        QvVector d = r.end - r.start;
        curve.SetSegment(r.start, r.end, r.start + d * (1.0 / 3), r.start + d * (2.0 / 3));
        EXPECT_FALSE(curve.IsFlattened());
        curve.Flatten();
        EXPECT_TRUE(curve.IsFlattened());
        int m = curve.GetFlattenedCount();
        if (r.count) {
            EXPECT_EQ(m, r.count);
        }
        const CPoint* f = curve.GetFlattenedPoints();
        EXPECT_EQ(f[0].x, r.first.x);
        EXPECT_EQ(f[0].y, r.first.y);
        EXPECT_EQ(f[m - 1].x, r.last.x);
        EXPECT_EQ(f[m - 1].y, r.last.y);
        for (int i = 0; i < m; ++i) {
            EXPECT_GE(f[i].x, -100);
            EXPECT_LE(f[i].x, 32000);
        }
        // Flattened once: a second call keeps what it has.
        curve.Flatten();
        EXPECT_EQ(curve.GetFlattenedCount(), m);
    }
}

TEST(QvGRBezierCurve, FlatteningStopsAtItsLimitAndStillCloses) {
    for (bool closed : {false, true}) {
        SCOPED_TRACE(closed ? "closed" : "open");
        QvGRBezierCurve curve;
        // 40 long chords of 20000 units: 100 samples each, far more than 3000.
        for (int i = 0; i < 40; ++i)
            curve.AddPoint(QvPoint(i % 2 ? 30000 : 100, i * 500));
        curve.ComputeControlPoints(closed, 0.35);
        curve.Flatten();
        ASSERT_EQ(curve.GetFlattenedCount(), QvGRBezierCurve::MaxSamples + 1);
        const CPoint* f = curve.GetFlattenedPoints();
        CPoint last = f[QvGRBezierCurve::MaxSamples];
        if (closed) {
            EXPECT_EQ(last.x, f[0].x);
            EXPECT_EQ(last.y, f[0].y);
        } else {
            EXPECT_EQ(last.x, 30000);
            EXPECT_EQ(last.y, 39 * 500);
        }
    }
}

TEST(QvGRBezierCurve, RebuiltOpenAfterClosedEndsAtItsLastPoint) {
    QvGRBezierCurve curve = Curve({QvPoint(0, 0), QvPoint(1000, 0), QvPoint(1000, 1000)}, true);
    curve.Flatten();
    const CPoint* f = curve.GetFlattenedPoints();
    EXPECT_EQ(f[curve.GetFlattenedCount() - 1].x, 0);
    EXPECT_EQ(f[curve.GetFlattenedCount() - 1].y, 0);

    curve.Reset();
    curve.AddPoint(QvPoint(0, 0));
    curve.AddPoint(QvPoint(1000, 0));
    curve.AddPoint(QvPoint(1000, 1000));
    curve.ComputeControlPoints(false, 0.35);
    EXPECT_FALSE(curve.IsClosed());
    curve.Flatten();
    f = curve.GetFlattenedPoints();
    EXPECT_EQ(f[curve.GetFlattenedCount() - 1].x, 1000);
    EXPECT_EQ(f[curve.GetFlattenedCount() - 1].y, 1000);
}

TEST(QvGRBezierCurve, CopiesDrawAndMeasureLikeTheSource) {
    QvGRBezierCurve source = Curve({QvPoint(0, 0), QvPoint(1000, 500), QvPoint(2000, 0)}, true);
    source.Flatten();
    QvGRBezierCurve assigned;
    assigned = source;
    std::unique_ptr<QvGRBase> clone = source.Clone();
    auto* cloned = dynamic_cast<QvGRBezierCurve*>(clone.get());
    ASSERT_NE(cloned, nullptr);
    for (QvGRBezierCurve* copy : {&assigned, cloned}) {
        EXPECT_TRUE(copy->IsClosed());
        ASSERT_EQ(copy->GetFlattenedCount(), source.GetFlattenedCount());
        for (int i = 0; i < source.GetFlattenedCount(); ++i) {
            EXPECT_EQ(copy->GetFlattenedPoints()[i].x, source.GetFlattenedPoints()[i].x);
            EXPECT_EQ(copy->GetFlattenedPoints()[i].y, source.GetFlattenedPoints()[i].y);
        }
        EXPECT_EQ(copy->GetLength(), source.GetLength());
        EXPECT_EQ(copy->DistanceTo(QvPoint(1000, 900)), source.DistanceTo(QvPoint(1000, 900)));
    }
}

TEST(QvGRBezierCurve, DoubleLinesRunBesideTheCurve) {
    QvGRBezierCurve curve;
    curve.SetSegment(QvPoint(0, 0), QvPoint(1000, 0), QvPoint(300, 0), QvPoint(700, 0));
    std::vector<CPoint> left, right;
    curve.GetDoubleLines(20, left, right);
    ASSERT_EQ(int(left.size()), curve.GetFlattenedCount());
    ASSERT_EQ(right.size(), left.size());
    for (size_t i = 0; i < left.size(); ++i) {
        EXPECT_EQ(left[i].y, 20);
        EXPECT_EQ(right[i].y, -20);
        EXPECT_EQ(left[i].x, curve.GetFlattenedPoints()[i].x);
    }
}

// ---------------------------------------------------------------- measuring

TEST(QvGRBezierCurve, PointAtFractionStaysOnTheCurveToItsEnd) {
    struct Row {
        const char* what;
        QvGRBezierCurve curve;
    } rows[] = {
        {"straight", Straight()},
        {"three points", Curve({QvPoint(0, 0), QvPoint(1000, 1500), QvPoint(3000, 200)})},
        {"closed", Curve({QvPoint(0, 0), QvPoint(2000, 0), QvPoint(1000, 1500)}, true)},
        {"zigzag", Zigzag(7, 800, 600)},
    };
    for (Row& r : rows) {
        SCOPED_TRACE(r.what);
        QvPoint previous = r.curve.GetThroughPoint(0);
        double walked = 0;
        for (int i = 0; i <= 100; ++i) {
            double f = i / 100.0;
            SCOPED_TRACE(::testing::Message() << "fraction " << f);
            QvPoint p = r.curve.PointAtFraction(f);
            EXPECT_TRUE(OnCurve(r.curve, p, 1e-6));
            EXPECT_FALSE(r.curve.middleDirection.IsZero());
            walked += (p - previous).Length();
            previous = p;
        }
        int last = r.curve.GetCount() - 1;
        EXPECT_TRUE(PointNear(r.curve.PointAtFraction(1.0), r.curve.GetThroughPoint(last), 1e-6));
        EXPECT_TRUE(PointNear(r.curve.PointAtFraction(0.99999), r.curve.GetThroughPoint(last),
                              r.curve.GetLength() / 20));
        // The fractions walk forward along the curve, never back to the origin.
        EXPECT_LT(walked, r.curve.GetLength() * 1.05);
    }
}

TEST(QvGRBezierCurve, BoundsIncludeTheControlPoints) {
    QvGRBezierCurve curve;
    curve.SetSegment(QvPoint(0, 0), QvPoint(1000, 0), QvPoint(-200.5, 800.7),
                     QvPoint(1300.2, -400.9));
    CRect box = curve.GetBounds();
    EXPECT_EQ(box.left, -200);
    EXPECT_EQ(box.top, -400);
    EXPECT_EQ(box.right, 1301);
    EXPECT_EQ(box.bottom, 801);
    // An unbuilt curve measures nothing.
    QvGRBezierCurve unbuilt;
    EXPECT_EQ(unbuilt.GetLength(), 0.0);
}

// ----------------------------------------------------------------- geometry

TEST(QvGRBezierCurve, DistanceHitTestAndNearestPoint) {
    QvGRBezierCurve curve = Straight();
    EXPECT_EQ(curve.DistanceTo(QvPoint(1234, 0)), 0.0);
    EXPECT_TRUE(curve.IsOn(QvPoint(1234, 0)));
    EXPECT_FALSE(curve.HitTest(QvPoint(1234, 0), 0)); // strictly less
    EXPECT_TRUE(curve.HitTest(QvPoint(1234, 50), 50.001));
    EXPECT_FALSE(curve.HitTest(QvPoint(1234, 50), 50));
    EXPECT_FALSE(curve.IsEmpty());

    struct Row {
        double x, y;
        double distance;
        double nx, ny;
    } rows[] = {
        {3500, 10, std::sqrt(500.0 * 500 + 100), 3000, 0}, // past the end: the end point
        {1500, 100, 100, 1500, 0},
        {-30, -40, 50, 0, 0},
        {2000, -250, 250, 2000, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        EXPECT_NEAR(curve.DistanceTo(QvPoint(r.x, r.y)), r.distance, 1e-6);
        EXPECT_TRUE(PointNear(curve.NearestPoint(QvPoint(r.x, r.y)), QvPoint(r.nx, r.ny), 1e-6));
    }

    // On a bent curve the nearest point lies on the curve, close to the
    // true foot.
    QvGRBezierCurve arc = Curve({QvPoint(0, 0), QvPoint(1000, 1000), QvPoint(2000, 0)});
    for (QvPoint p : {QvPoint(500, 900), QvPoint(1000, 1200), QvPoint(1600, 300)}) {
        SCOPED_TRACE(::testing::Message() << p);
        QvPoint n = arc.NearestPoint(p);
        EXPECT_TRUE(OnCurve(arc, n, 1e-6));
        EXPECT_LE((n - p).Length(), arc.DistanceTo(p) * 1.2 + 1e-6);
    }
    // Far from everything: the query point itself.
    EXPECT_TRUE(PointNear(curve.NearestPoint(QvPoint(5e6, 5e6)), QvPoint(5e6, 5e6), 0));
}

TEST(QvGRBezierCurve, SnapPointsAreTheTwoEnds) {
    ScopedMADLevel mode(1);
    QvGRBezierCurve curve = Curve({QvPoint(0, 0), QvPoint(1000, 700), QvPoint(2000, 100)});
    QvSpecialPointList list;
    curve.AddSnapPoints(&list, 0);
    const ExpectedRecord ends[] = {{"End of line", 3.0, 0, 0}, {"End of line", 3.0, 2000, 100}};
    ExpectRecords(list, ends);

    QvGRBezierCurve empty;
    QvSpecialPointList none;
    empty.AddSnapPoints(&none, 0);
    ExpectNoRecords(none);
    ScopedMADLevel off(0);
    curve.AddSnapPoints(&none, 0);
    ExpectNoRecords(none);
}

TEST(QvGRBezierCurve, IntersectLineTakesTheInfiniteLineAndVerticalLines) {
    QvGRBezierCurve arc = Curve({QvPoint(0, 0), QvPoint(1000, 1000), QvPoint(2000, 0)});
    struct Row {
        const char* what;
        QvGRLine line;
        int count;
    } rows[] = {
        {"horizontal, crossing twice", QvGRLine(0, 500, 2000, 500), 2},
        {"short segment, crossing its extension", QvGRLine(900, 500, 910, 500), 2},
        {"vertical at x = 500", QvGRLine(500, -5000, 500, 5000), 1},
        {"short vertical segment far below", QvGRLine(1500, -300, 1500, -200), 1},
        {"vertical beyond the curve", QvGRLine(2500, 0, 2500, 100), 0},
        {"above the curve", QvGRLine(0, 5000, 1, 5000), 0},
        {"sloped", QvGRLine(0, 0, 2000, 400), 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QvPoint out[100];
        int n = arc.IntersectLine(&r.line, out, 100);
        ASSERT_EQ(n, r.count);
        for (int i = 0; i < n; ++i) {
            EXPECT_TRUE(OnCurve(arc, out[i], 1e-6));
            EXPECT_NEAR(r.line.DistanceTo(out[i]), 0.0, 1e-6);
        }
    }
    QvGRLine vertical(500, 0, 500, 1);
    QvPoint out[4];
    ASSERT_EQ(arc.IntersectLine(&vertical, out, 4), 1);
    EXPECT_NEAR(out[0].x, 500, 1e-9);

    // The limit cuts the search off.
    QvGRBezierCurve wave = Zigzag(25, 400, 500);
    QvGRLine axis(0, 0, 1, 0);
    QvPoint many[100];
    EXPECT_EQ(wave.IntersectLine(&axis, many, 100), 24);
    EXPECT_EQ(wave.IntersectLine(&axis, many, 7), 7);
    QvGRBezierCurve unbuilt;
    EXPECT_EQ(unbuilt.IntersectLine(&axis, many, 100), 0);
}

TEST(QvGRBezierCurve, IntersectCurveUpToFourSegments) {
    // Crossing at (1234, 0): a horizontal curve and a vertical one.
    auto horizontal = [](int points) {
        QvGRBezierCurve c;
        for (int i = 0; i < points; ++i)
            c.AddPoint(QvPoint(i * 3000.0 / (points - 1), 0));
        c.ComputeControlPoints(false, 0.35);
        return c;
    };
    auto vertical = [](int points) {
        QvGRBezierCurve c;
        for (int i = 0; i < points; ++i)
            c.AddPoint(QvPoint(1234, -1000 + i * 2000.0 / (points - 1)));
        c.ComputeControlPoints(false, 0.35);
        return c;
    };
    struct Row {
        int a, b;
        bool found;
    } rows[] = {{2, 2, true}, {5, 5, true}, {5, 2, true}, {6, 2, false}, {2, 6, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.a << " and " << r.b << " through-points");
        QvGRBezierCurve a = horizontal(r.a);
        QvGRBezierCurve b = vertical(r.b);
        QvPoint out[100];
        int n = a.IntersectCurve(&b, out, 100);
        if (!r.found) {
            EXPECT_EQ(n, 0);
            continue;
        }
        ASSERT_GE(n, 1);
        for (int i = 0; i < n; ++i)
            EXPECT_TRUE(PointNear(out[i], QvPoint(1234, 0), 1.5)) << out[i];
    }

    // Two curves that miss each other, and a crossing at both curves' middle,
    // which a shared quarter boundary may report more than once.
    QvGRBezierCurve a = horizontal(2);
    QvGRBezierCurve above;
    above.SetSegment(QvPoint(0, 500), QvPoint(3000, 600), QvPoint(1000, 500), QvPoint(2000, 600));
    QvPoint out[100];
    EXPECT_EQ(a.IntersectCurve(&above, out, 100), 0);
    QvGRBezierCurve cross;
    cross.SetSegment(QvPoint(1500, -1500), QvPoint(1500, 1500), QvPoint(1500, -500),
                     QvPoint(1500, 500));
    int n = a.IntersectCurve(&cross, out, 100);
    ASSERT_GE(n, 1);
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(PointNear(out[i], QvPoint(1500, 0), 1.5)) << out[i];
    EXPECT_EQ(a.IntersectCurve(&cross, out, 1), 1);
}

TEST(QvGRBezierCurve, AddIntersectionsWithTheirLimits) {
    ScopedMADLevel mode(2);
    // Line: at most 10 of the 24 crossings.
    QvGRBezierCurve wave = Zigzag(25, 400, 500);
    QvGRLine axis(0, 0, 1, 0);
    QvSpecialPointList list;
    wave.AddIntersections(&axis, &list, 0);
    ASSERT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list[0].label.toStdString(), "Intersection");
    EXPECT_EQ(list[0].priority, 3.01);

    // Circle: at most 5.  A closed curve through four points just outside
    // the circle dips inside between them: eight crossings.
    QvGRCircle circle;
    circle.centre = QvPoint(0, 0);
    circle.radius = 1000;
    QvGRBezierCurve flower =
        Curve({QvPoint(1100, 0), QvPoint(0, 1100), QvPoint(-1100, 0), QvPoint(0, -1100)}, true);
    QvGRBezierCurve round;
    QvGRBezierCurve::MakeCircleCurve(circle, round);
    QvPoint all[100];
    EXPECT_GE(flower.IntersectCurve(&round, all, 100), 8);
    QvSpecialPointList circleHits;
    flower.AddIntersections(&circle, &circleHits, 0);
    EXPECT_EQ(circleHits.GetCount(), 5);
    for (int i = 0; i < circleHits.GetCount(); ++i)
        EXPECT_NEAR((circleHits[i].point - circle.centre).Length(), 1000, 2);
    circle.centre = QvPoint(1600, 0);

    // A straight curve through the circle: the points near (600, 0) and
    // (2600, 0).
    QvGRBezierCurve straight = Straight();
    QvSpecialPointList through;
    straight.AddIntersections(&circle, &through, 0);
    ASSERT_GE(through.GetCount(), 2);
    for (int i = 0; i < through.GetCount(); ++i)
        EXPECT_TRUE(NearOneOf(through[i].point, {QvPoint(600, 0), QvPoint(2600, 0)}, 1.5));

    // Another curve: at most 5.
    QvGRBezierCurve other = Zigzag(5, 400, 300, 100);
    QvGRBezierCurve flat = Curve({QvPoint(-100, 100), QvPoint(2000, 100)});
    QvSpecialPointList curveHits;
    other.AddIntersections(&flat, &curveHits, 0);
    EXPECT_GE(curveHits.GetCount(), 4);
    EXPECT_LE(curveHits.GetCount(), 5);

    // Kind 8 above its range, or another kind of primitive: nothing.
    QvSpecialPointList none;
    wave.AddIntersections(&axis, &none, 16);
    QvGRBase plain;
    wave.AddIntersections(&plain, &none, 0);
    ExpectNoRecords(none);
}

TEST(QvGRBezierCurve, LineAndCircleFirstMeetTheCurveWithTheirLimits) {
    ScopedMADLevel mode(2);
    // The line asks with a limit of 100: all 24 crossings.
    QvGRBezierCurve wave = Zigzag(25, 400, 500);
    QvGRLine axis(0, 0, 1, 0);
    QvSpecialPointList list;
    axis.AddIntersections(&wave, &list, 0);
    EXPECT_EQ(list.GetCount(), 24);

    // A vertical line meets the curve on the line.
    QvGRBezierCurve arc = Curve({QvPoint(0, 0), QvPoint(1000, 1000), QvPoint(2000, 0)});
    QvGRLine vertical(700, 0, 700, 10);
    QvSpecialPointList onVertical;
    vertical.AddIntersections(&arc, &onVertical, 0);
    ASSERT_EQ(onVertical.GetCount(), 1);
    EXPECT_NEAR(onVertical[0].point.x, 700, 1e-9);
    EXPECT_TRUE(OnCurve(arc, onVertical[0].point));

    QvGRCircle circle;
    circle.centre = QvPoint(1500, 0);
    circle.radius = 1000;
    QvSpecialPointList round;
    QvGRBezierCurve straight = Straight();
    circle.AddIntersections(&straight, &round, 0);
    ASSERT_GE(round.GetCount(), 2);
    for (int i = 0; i < round.GetCount(); ++i)
        EXPECT_TRUE(NearOneOf(round[i].point, {QvPoint(500, 0), QvPoint(2500, 0)}, 1.5));

    // The circle asks with a limit of 100, extended too: all the crossings
    // of the curve that dips in and out of it, where the curve first gets 5.
    circle.centre = QvPoint(0, 0);
    QvGRBezierCurve flower =
        Curve({QvPoint(1100, 0), QvPoint(0, 1100), QvPoint(-1100, 0), QvPoint(0, -1100)}, true);
    QvSpecialPointList all, extended;
    circle.AddIntersections(&flower, &all, 0);
    circle.AddExtendedIntersections(&flower, &extended, 0);
    EXPECT_GE(all.GetCount(), 8);
    EXPECT_EQ(extended.GetCount(), all.GetCount());
}
