// The cubic equation solver.
#include "geometry/cubic.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SolveCubic, RootsOfEachDegreeInTheSolversOrder) {
    struct Row {
        const char* what;
        double c[4];
        std::vector<double> roots;
    } rows[] = {
        {"(x-1)(x-2)(x-3), three real roots", {-6, 11, -6, 1}, {3, 1, 2}},
        {"x^3 - 1, one real root", {-1, 0, 0, 1}, {1}},
        {"x^2 - 1", {-1, 0, 1, 0}, {-1, 1}},
        {"x^2 + 1, no real root", {1, 0, 1, 0}, {}},
        {"2x + 4", {4, 2, 0, 0}, {-2}},
        {"a constant", {1, 0, 0, 0}, {}},
        {"a double root comes back twice", {1, -2, 1, 0}, {1, 1}},
        {"x^3, one root at 0", {0, 0, 0, 1}, {0}},
        {"2x^3 - 16, leading coefficient not 1", {-16, 0, 0, 2}, {2}},
        {"x^3 - x, roots -1, 0, 1", {0, -1, 0, 1}, {1, -1, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        double roots[3] = {99, 99, 99};
        int n = SolveCubic(r.c, roots);
        ASSERT_EQ(n, int(r.roots.size()));
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(roots[i], r.roots[size_t(i)], 1e-6) << "root " << i;
        // Nothing beyond the roots found is written.
        for (int i = n; i < 3; ++i)
            EXPECT_EQ(roots[i], 99);
    }
}

TEST(SolveCubic, NewtonStepSharpensTheTrigonometricRoots) {
    // The rounded pi of the trigonometric step is mended by the Newton step.
    double c[4] = {-6, 11, -6, 1};
    double roots[3];
    ASSERT_EQ(SolveCubic(c, roots), 3);
    for (double x : roots)
        EXPECT_NEAR(((x - 6) * x + 11) * x - 6, 0.0, 1e-9);
}
