#include "statistics/normal_integral.h"

#include <cmath>

QvNormalTails QvNormalIntegral(double z) {
    // Hill, Applied Statistics algorithm AS 66 (1973).
    constexpr double p = 0.398942280444, q = 0.39990348504, r = 0.398942280385;
    constexpr double a1 = 5.75885480458, a2 = 2.62433121679, a3 = 5.92885724438;
    constexpr double b1 = -29.8213557807, b2 = 48.6959930692;
    constexpr double c1 = -3.8052e-8, c2 = 3.98064794e-4, c3 = -0.151679116635;
    constexpr double c4 = 4.8385912808, c5 = 0.742380924027, c6 = 3.99019417011;
    constexpr double d1 = 1.00000615302, d2 = 1.98615381364, d3 = 5.29330324926;
    constexpr double d4 = -15.1508972451, d5 = 30.789933034;

    QvNormalTails t;
    const double x = std::fabs(z);
    const double y = x * x / 2;
    double tail = 0.0; // beyond |z|
    if (x <= 12.7) {
        t.density = r * std::exp(-y);
        if (x <= 1.28)
            tail = 0.5 - x * (p - q * y / (y + a1 + b1 / (y + a2 + b2 / (y + a3))));
        else
            tail = t.density /
                   (x + c1 +
                    d1 / (x + c2 + d2 / (x + c3 + d3 / (x + c4 + d4 / (x + c5 + d5 / (x + c6))))));
    }
    // The far tail is taken as it is, not as 1 minus the near one, so a
    // small probability keeps its digits.
    t.upper = z < 0 ? 1.0 - tail : tail;
    t.lower = z < 0 ? tail : 1.0 - tail;
    return t;
}

double QvNormalLowerTail(double z) {
    return QvNormalIntegral(z).lower;
}

double QvNormalUpperTail(double z) {
    return QvNormalIntegral(z).upper;
}

double QvNormalDensity(double z) {
    return QvNormalIntegral(z).density;
}
