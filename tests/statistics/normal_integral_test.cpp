// The normal integral against std::erfc: P(Z <= z) = erfc(-z / √2) / 2.
#include "statistics/normal_integral.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double ReferenceLower(double z) {
    return std::erfc(-z / std::sqrt(2.0)) / 2;
}

TEST(NormalIntegral, FixedPoints) {
    // Figures from the issue; std::erfc agrees.
    EXPECT_EQ(QvNormalLowerTail(0), 0.5);
    EXPECT_NEAR(QvNormalLowerTail(1.96), 0.9750021048518, 1e-12);
    // The central form is good to 1.3e-8 (its worst, at 1.28; python3 with
    // the published coefficients against math.erfc), the tail to 4e-12.
    EXPECT_NEAR(QvNormalLowerTail(-1), 0.1586552539315, 1e-8);
    EXPECT_NEAR(QvNormalUpperTail(1.96), 1 - 0.9750021048518, 1e-12);
    EXPECT_EQ(QvNormalUpperTail(13), 0.0);
    EXPECT_EQ(QvNormalLowerTail(-13), 0.0);
    EXPECT_EQ(QvNormalLowerTail(13), 1.0);
    EXPECT_EQ(QvNormalDensity(0), 0.398942280385);
    EXPECT_EQ(QvNormalDensity(12.8), 0.0);
    EXPECT_EQ(QvNormalLowerTail(-INFINITY), 0.0);
    EXPECT_EQ(QvNormalUpperTail(INFINITY), 0.0);
}

// Across both forms (the central one to 1.28, the continued fraction
// beyond) and the cut-off at 12.7.
TEST(NormalIntegral, AgreesWithErfcFromMinus13To13) {
    for (int i = -1300; i <= 1300; ++i) {
        const double z = i / 100.0;
        const double tolerance = std::fabs(z) <= 1.28 ? 1.5e-8 : 1e-11;
        const QvNormalTails t = QvNormalIntegral(z);
        ASSERT_NEAR(t.lower, ReferenceLower(z), tolerance) << z;
        ASSERT_NEAR(t.upper, ReferenceLower(-z), tolerance) << z;
        ASSERT_NEAR(t.density, std::exp(-z * z / 2) / std::sqrt(2 * M_PI), 1e-9) << z;
        ASSERT_EQ(t.lower + t.upper, 1.0) << z;
    }
}

} // namespace
