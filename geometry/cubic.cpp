#include "geometry/cubic.h"

#include <cmath>

namespace {
// The curve code always used this value for pi here; the roots it finds on
// the page must stay where they were.
constexpr double kCubicPi = 3.1415927;

int SolveQuadratic(const double c[4], double roots[3]) {
    double h = 0.5 * c[1] / c[2];
    double d = h * h - c[0] / c[2];
    if (d < 0.0)
        return 0;
    double s = std::sqrt(d);
    roots[0] = -h - s;
    roots[1] = -h + s;
    return 2; // a double root comes back twice
}
} // namespace

int SolveCubic(const double c[4], double roots[3]) {
    if (c[3] == 0.0) {
        if (c[2] != 0.0)
            return SolveQuadratic(c, roots);
        if (c[1] == 0.0)
            return 0;
        roots[0] = -c[0] / c[1];
        return 1;
    }

    double a = c[2] / (3.0 * c[3]);
    double p = c[1] / (3.0 * c[3]) - a * a;
    double P = p * p * p;
    double q = (2.0 * a * a * a - (c[1] * a - c[0]) / c[3]) * -0.5;
    double D = q * q + P;

    int count;
    if (D < 0.0) {
        double t = q / std::sqrt(-P);
        if (t > 1.0)
            t = 1.0;
        else if (t < -1.0)
            t = -1.0;
        double phi = std::acos(t);
        double r = 2.0 * std::pow(-P, 1.0 / 6.0);
        for (int k = 0; k < 3; ++k)
            roots[k] = r * std::cos((2.0 * k * kCubicPi + phi) / 3.0) - a;
        count = 3;
    } else {
        double s = std::sqrt(D);
        double u = std::pow(std::fabs(q + s), 1.0 / 3.0);
        double v = std::pow(std::fabs(q - s), 1.0 / 3.0);
        if (q + s <= 0.0)
            u = -u;
        if (q - s <= 0.0)
            v = -v;
        roots[0] = u + v - a;
        count = 1;
    }

    // One Newton step on each root.
    for (int i = 0; i < count; ++i) {
        double x = roots[i];
        double slope = (2.0 * c[2] + 3.0 * x * c[3]) * x + c[1];
        if (slope != 0.0)
            roots[i] = x - (((x * c[3] + c[2]) * x + c[1]) * x + c[0]) / slope;
    }
    return count;
}

int SolveCubicInUnitInterval(const double c[4], double roots[3]) {
    double all[3];
    int n = SolveCubic(c, all);
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        if (all[i] >= 0.0 && all[i] <= 1.0)
            roots[kept++] = all[i];
    }
    return kept;
}
