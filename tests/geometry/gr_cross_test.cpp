// The crossings of two primitives (gr_cross.h), over the pairs of kinds:
// those pairs whose crossings do not depend on which primitive comes first
// give the same points in both orders.  (The line and the circle have their
// own test of this in gr_circle_test.)
#include "geometry/gr_bezier.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_cross.h"
#include "geometry/gr_line.h"
#include "geometry/gr_point.h"
#include "geometry/gr_triangle.h"
#include "geometry_test_support.h"

#include <initializer_list>
#include <vector>

namespace {
QvGRCircle Circle(double x, double y, double r) {
    QvGRCircle c;
    c.centre = QvPoint(x, y);
    c.radius = r;
    return c;
}

QvGRTriangle Triangle(QvPoint a, QvPoint b, QvPoint c) {
    QvGRTriangle t;
    t.vertices[0] = a;
    t.vertices[1] = b;
    t.vertices[2] = c;
    return t;
}

QvGRBezierCurve Curve(std::initializer_list<QvPoint> points) {
    QvGRBezierCurve curve;
    for (const QvPoint& p : points)
        curve.AddPoint(p);
    curve.ComputeControlPoints(false, QvGRBezierCurve::SmoothFactor);
    return curve;
}

QvGRPoint Point(double x, double y) {
    QvGRPoint p;
    p.point = QvPoint(x, y);
    return p;
}

std::vector<QvPoint> Crossings(const QvGRBase& first, const QvGRBase& second, bool extended) {
    QvSpecialPointList list;
    QvAddCrossings(first, second, extended, &list, 0);
    std::vector<QvPoint> points;
    for (int i = 0; i < list.GetCount(); ++i)
        points.push_back(list[i].point);
    return points;
}

// The same points whatever their order: each of one list within the
// tolerance of its own point of the other.
::testing::AssertionResult SamePoints(const std::vector<QvPoint>& a, const std::vector<QvPoint>& b,
                                      double tolerance) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << a.size() << " points against " << b.size();
    std::vector<bool> used(b.size(), false);
    for (const QvPoint& p : a) {
        size_t j = 0;
        while (j < b.size() && (used[j] || !PointNear(p, b[j], tolerance)))
            ++j;
        if (j == b.size())
            return ::testing::AssertionFailure() << p << " has no partner in the other order";
        used[j] = true;
    }
    return ::testing::AssertionSuccess();
}
} // namespace

TEST(QvAddCrossings, PairsThatMeetAlikeInBothOrders) {
    ScopedMADLevel mode(2);
    const QvGRTriangle triangle = Triangle(QvPoint(0, 0), QvPoint(1000, 0), QvPoint(0, 1000));
    const QvGRTriangle shifted =
        Triangle(QvPoint(200, 200), QvPoint(1200, 200), QvPoint(200, 1200));
    const QvGRLine across(-100, 300, 1100, 300);
    const QvGRLine shortOfIt(300, -100, 300, -50); // meets two edges' carriers only
    const QvGRLine diagonal(0, 0, 10, 10);
    const QvGRLine upright(5, 0, 5, 10);
    const QvGRLine beyond(500, -1, 500, 1); // the diagonal's carrier only
    const QvGRCircle aboutB = Circle(1000, 0, 200);
    const QvGRCircle unit = Circle(0, 0, 100);
    const QvGRCircle beside = Circle(100, 0, 100);
    const QvGRCircle onArch = Circle(300, 0, 500);
    const QvGRBezierCurve arch = Curve({QvPoint(0, 0), QvPoint(1000, 1000), QvPoint(2000, 0)});
    const QvGRBezierCurve level = Curve({QvPoint(-100, 500), QvPoint(1000, 500)});
    const QvGRLine levelLine(-100, 500, 2100, 500);
    const QvGRPoint point = Point(3, 4);
    const QvGRPoint samePoint = Point(3, 4);

    struct Row {
        const char* pair;
        const QvGRBase& first;
        const QvGRBase& second;
        int drawn;    // crossings as drawn, -1: some
        int extended; // crossings extended, -1: some, -2: one order only
        double tolerance;
    } rows[] = {
        {"line x triangle", across, triangle, 2, 2, 1e-9},
        {"line short of a triangle", shortOfIt, triangle, 0, 2, 1e-9},
        {"circle x triangle", aboutB, triangle, 2, 4, 1e-9},
        {"triangle x triangle", triangle, shifted, 2, 6, 1e-9},
        {"line x line", diagonal, upright, 1, 1, 1e-9},
        {"line short of a line", diagonal, beyond, 0, 1, 1e-9},
        {"circle x circle", unit, beside, 2, 2, 1e-9},
        {"point x point", point, samePoint, 1, 0, 1e-9},
        // A curve meets a line's carrier; extended, nothing.
        {"line x curve", levelLine, arch, 2, 0, 1e-9},
        {"triangle x curve", triangle, arch, -1, 0, 1e-9},
        // Extended, only the circle first meets a curve.
        {"circle x curve", onArch, arch, -1, -2, 1e-9},
        // Each curve gives its own points, within the search's one unit.
        {"curve x curve", level, arch, -1, 0, 1.5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pair);
        for (bool extended : {false, true}) {
            SCOPED_TRACE(extended ? "extended" : "as drawn");
            const int expected = extended ? r.extended : r.drawn;
            if (expected == -2)
                continue;
            std::vector<QvPoint> forth = Crossings(r.first, r.second, extended);
            std::vector<QvPoint> back = Crossings(r.second, r.first, extended);
            if (expected == -1)
                EXPECT_FALSE(forth.empty());
            else
                EXPECT_EQ(int(forth.size()), expected);
            EXPECT_TRUE(SamePoints(forth, back, r.tolerance));
        }
    }
}
