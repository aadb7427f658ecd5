// The arc's conversion into a Bezier curve, which the arc figures draw and
// fill through.
#include "geometry/gr_arc.h"
#include "geometry/gr_bezier.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr double kQuarterFactor = 0.5522847498;
constexpr double kQuarterStep = 1.57; // steps from here on are quarter turns
constexpr int kMaxLoopPoints = 500;
constexpr size_t kMaxAngles = 1001;
} // namespace

QvVector QvGRArc::ControlVectorAt(double t) const {
    // The derivative of PointAt, so that a turned ellipse converts as well as
    // one whose axis lies along x.
    QvVector u = GetU();
    QvVector v = GetV();
    double s = std::sin(t);
    double c = std::cos(t);
    return QvVector(-s * u.x + c * v.x, -s * u.y + c * v.y) * kQuarterFactor;
}

void QvGRArc::ToBezierCurve(QvGRBezierCurve& curve, double step) {
    UpdateAngles();
    double lo = std::min(startAngle, endAngle);
    double hi = std::max(startAngle, endAngle);

    std::vector<double> angles;
    angles.reserve(kMaxAngles);
    auto add = [&](double t) {
        curve.AddPoint(PointAt(t));
        angles.push_back(t);
    };
    if (between != 0) {
        double t = lo;
        for (int n = 0; t < hi && n < kMaxLoopPoints; ++n, t += step)
            add(t);
        add(hi);
    } else {
        double t = hi;
        for (int n = 0; t >= hi && t < QV_PI && n < kMaxLoopPoints; ++n, t += step)
            add(t);
        t -= QV_TWO_PI;
        for (int n = 0; t < lo && n < kMaxLoopPoints; ++n, t += step)
            add(t);
        add(lo);
    }
    curve.ComputeControlPoints(false, kQuarterFactor);

    int n = curve.GetLastIndex();
    if (step < kQuarterStep || n < 3)
        return;

    // Every segment gets the ellipse's own quarter-arc controls, scaled by
    // its share of a quarter turn: only the last one is shorter.  On a circle
    // these are the controls from the radii; on an ellipse the radii are not
    // normal to the curve, so the tangents must come from the parameter.
    for (int i = 0; 3 * i + 3 <= n; ++i) {
        double sweep = angles[size_t(i + 1)] - angles[size_t(i)];
        if (sweep < 0.0)
            sweep += QV_TWO_PI; // across the wrap at pi
        double k = 2.0 * sweep / QV_PI;
        curve.SetPoint(3 * i + 1, curve.GetPoint(3 * i) + ControlVectorAt(angles[size_t(i)]) * k);
        curve.SetPoint(3 * i + 2,
                       curve.GetPoint(3 * i + 3) - ControlVectorAt(angles[size_t(i + 1)]) * k);
    }

    QvVector first = curve.GetPoint(0) - curve.GetPoint(1);
    QvVector last = curve.GetPoint(n) - curve.GetPoint(n - 1);
    bool forward =
        (between != 0 && startAngle < endAngle) || (between == 0 && startAngle >= endAngle);
    if (forward) {
        curve.startDirection = first;
        curve.endDirection = last;
        reversed = 0;
    } else {
        curve.startDirection = last;
        curve.endDirection = first;
        reversed = 1;
    }
}
