// Moments, order statistics, percentiles and modes of a column, weighted by
// the cells' counts.
#include "stat_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// 2, 4, 4, 5, 7, 9, 10, 12, 13, 15, 18, 21 as twelve rows of count 1, and
// with the 4 as one row of count 2 (in another row order): both are the
// same twelve observations.
std::unique_ptr<QvStatColumn> TwelveValues(bool weighted) {
    auto c = std::make_unique<QvStatColumn>();
    if (weighted)
        FillCounted(*c, {{21, 1},
                         {4, 2},
                         {2, 1},
                         {5, 1},
                         {7, 1},
                         {9, 1},
                         {10, 1},
                         {12, 1},
                         {13, 1},
                         {15, 1},
                         {18, 1}});
    else
        FillValues(*c, {2, 4, 4, 5, 7, 9, 10, 12, 13, 15, 18, 21});
    return c;
}

class TwelveValuesTest : public ::testing::TestWithParam<bool> {};

// Expected values from the table, which Python's statistics module
// confirms (fmean, pvariance, pstdev, stdev, geometric_mean, median,
// quantiles(method="inclusive") for the interpolated percentiles); the
// discrete percentiles and the method 0 and 1 quartiles by hand.
TEST_P(TwelveValuesTest, MomentsMedianModeAndThirds) {
    StatMethods methods(0, 0);
    auto c = TwelveValues(GetParam());
    c->Recalc();
    EXPECT_EQ(c->n, 12);
    EXPECT_DOUBLE_EQ(c->sum, 120);
    EXPECT_DOUBLE_EQ(c->sumSquares, 1594);
    EXPECT_DOUBLE_EQ(c->mean, 10);
    EXPECT_NEAR(c->variance, 32.833333333333, 1e-9);
    EXPECT_NEAR(c->sd, 5.730037812557, 1e-9);
    EXPECT_NEAR(c->sampleSD, 5.984829305685, 1e-9);
    EXPECT_NEAR(c->meanAbsDev, 4.833333333333, 1e-9);
    EXPECT_NEAR(c->productRoot, 8.175494219025, 1e-9);
    EXPECT_DOUBLE_EQ(c->median, 9.5);
    EXPECT_DOUBLE_EQ(c->min, 2);
    EXPECT_DOUBLE_EQ(c->max, 21);
    EXPECT_DOUBLE_EQ(c->range, 19);
    EXPECT_DOUBLE_EQ(c->lowerThirdMedian, 4);
    EXPECT_DOUBLE_EQ(c->upperThirdMedian, 16.5);
    EXPECT_EQ(c->mode.modeCount, 1);
    EXPECT_DOUBLE_EQ(c->mode.firstMode, 4);
    EXPECT_DOUBLE_EQ(c->mode.secondMode, 0);
}

TEST_P(TwelveValuesTest, QuartilesUnderEveryMethod) {
    struct Case {
        int quartile, percentile;
        double lower, upper;
    } cases[] = {{0, 0, 4.5, 14}, {1, 0, 4.5, 14}, {2, 0, 4.75, 13.5}, {2, 1, 4.5, 14}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << "quartile " << k.quartile << " percentile " << k.percentile);
        StatMethods methods(k.quartile, k.percentile);
        auto c = TwelveValues(GetParam());
        c->Recalc();
        EXPECT_DOUBLE_EQ(c->median, 9.5);
        EXPECT_NEAR(c->lowerQuartile, k.lower, 1e-12);
        EXPECT_NEAR(c->upperQuartile, k.upper, 1e-12);
        EXPECT_NEAR(c->iqr, k.upper - k.lower, 1e-12);
    }
}

TEST_P(TwelveValuesTest, PercentilesAndStanines) {
    const double interpolated[10] = {2, 2.88, 4, 4.53, 7.8, 11.2, 13.94, 17.37, 19.68, 21};
    const double discrete[10] = {2, 2, 4, 4, 7, 12, 15, 18, 21, 21};
    for (int method : {0, 1}) {
        SCOPED_TRACE(method);
        StatMethods methods(0, method);
        auto c = TwelveValues(GetParam());
        c->Recalc();
        c->CalcPercentiles();
        EXPECT_NEAR(c->percentiles[10], 4, 1e-12);
        EXPECT_NEAR(c->percentiles[90], method == 0 ? 17.7 : 18, 1e-12);
        EXPECT_DOUBLE_EQ(c->percentiles[0], 2);
        EXPECT_DOUBLE_EQ(c->percentiles[100], 21);
        for (int i = 0; i < 10; ++i)
            EXPECT_NEAR(c->stanineBounds[size_t(i)], (method == 0 ? interpolated : discrete)[i],
                        1e-12)
                << "stanine bound " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(CountsOfOne, TwelveValuesTest, ::testing::Values(false));
INSTANTIATE_TEST_SUITE_P(FourAsOneRowOfCountTwo, TwelveValuesTest, ::testing::Values(true));

// The worked table for 1 to 5 and 1 to 4 (methods: quartile 0, 1, 2 with
// interpolated and with discrete percentiles).
TEST(OneVariable, WorkedQuartileTable) {
    struct Case {
        int count, quartile, percentile;
        double median, lower, upper;
    } cases[] = {
        {5, 0, 0, 3, 1.5, 4.5},     {5, 1, 0, 3, 2, 4},       {5, 2, 0, 3, 2, 4},
        {5, 2, 1, 3, 2, 4},         {4, 0, 0, 2.5, 1.5, 3.5}, {4, 1, 0, 2.5, 1.5, 3.5},
        {4, 2, 0, 2.5, 1.75, 3.25}, {4, 2, 1, 2.5, 1.5, 3.5},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "1.." << k.count << " quartile " << k.quartile
                                        << " percentile " << k.percentile);
        StatMethods methods(k.quartile, k.percentile);
        QvStatColumn c;
        FillValues(c, k.count == 5 ? std::vector<double>{1, 2, 3, 4, 5}
                                   : std::vector<double>{1, 2, 3, 4});
        c.Recalc();
        EXPECT_DOUBLE_EQ(c.median, k.median);
        EXPECT_DOUBLE_EQ(c.lowerQuartile, k.lower);
        EXPECT_DOUBLE_EQ(c.upperQuartile, k.upper);
    }
}

// Expected values from Python's statistics module (pstdev, stdev) and by
// hand (mean absolute deviation 6 / 5).
TEST(OneVariable, MomentsOfOneToFive) {
    QvStatColumn c;
    FillValues(c, {1, 2, 3, 4, 5});
    c.Recalc();
    EXPECT_EQ(c.n, 5);
    EXPECT_DOUBLE_EQ(c.mean, 3);
    EXPECT_DOUBLE_EQ(c.variance, 2);
    EXPECT_NEAR(c.sd, 1.41421356, 1e-8);
    EXPECT_NEAR(c.sampleSD, 1.58113883, 1e-8);
    EXPECT_DOUBLE_EQ(c.meanAbsDev, 1.2);
    EXPECT_DOUBLE_EQ(c.range, 4);
}

// By hand, as Python's statistics.multimode sees them; three or more
// equally frequent values give no mode, and so does every value once.
TEST(OneVariable, Modes) {
    struct Case {
        std::vector<double> values;
        int count;
        double first, second;
    } cases[] = {
        {{1, 1, 2, 3}, 1, 1, 0},
        {{3, 2, 1, 2, 1}, 2, 1, 2},
        {{1, 1, 2, 2, 3, 3}, 0, 0, 0},
        {{1, 2, 3}, 0, 0, 0},
    };
    for (const Case& k : cases) {
        QvStatColumn c;
        FillValues(c, k.values);
        EXPECT_EQ(c.GetMode().modeCount, k.count);
        EXPECT_DOUBLE_EQ(c.mode.firstMode, k.first);
        EXPECT_DOUBLE_EQ(c.mode.secondMode, k.second);
    }
}

// A row of 4 with count 3 is three rows of 4 in every statistic.
TEST(OneVariable, CountIsRepetition) {
    for (int quartile : {0, 1, 2}) {
        StatMethods methods(quartile, 1);
        QvStatColumn weighted, repeated;
        FillCounted(weighted, {{1, 1}, {4, 3}, {9, 1}});
        FillValues(repeated, {1, 4, 4, 4, 9});
        weighted.Recalc();
        repeated.Recalc();
        weighted.CalcPercentiles();
        repeated.CalcPercentiles();
        EXPECT_EQ(weighted.n, repeated.n);
        EXPECT_DOUBLE_EQ(weighted.sd, repeated.sd);
        EXPECT_DOUBLE_EQ(weighted.median, repeated.median);
        EXPECT_DOUBLE_EQ(weighted.lowerQuartile, repeated.lowerQuartile);
        EXPECT_DOUBLE_EQ(weighted.upperQuartile, repeated.upperQuartile);
        EXPECT_EQ(weighted.percentiles, repeated.percentiles);
        EXPECT_EQ(weighted.GetMode().firstMode, 4);
    }
}

// Values far from 0 against their spread: the naive sum of squares would
// make 1000000.1 three times slightly negative or positive and lose the
// fourth digit of the variance below.
TEST(OneVariable, VarianceKeepsItsDigits) {
    QvStatColumn c;
    FillValues(c, {0.1, 0.1, 0.1});
    c.Recalc();
    EXPECT_EQ(c.sd, 0.0);
    EXPECT_EQ(c.sampleSD, 0.0);
    FillValues(c, {1000000.1, 1000000.1, 1000000.1});
    c.Recalc();
    EXPECT_EQ(c.sd, 0.0);
    EXPECT_EQ(c.variance, 0.0);
    // Expected from Python's statistics.pvariance and stdev (exact on the
    // stored doubles).
    FillValues(c, {1000000.1, 1000000.3, 1000000.6, 1000000.8, 1000000.9});
    c.Recalc();
    EXPECT_NEAR(c.variance, 0.09040000000726432, 1e-10);
    EXPECT_NEAR(c.sampleSD, 0.3361547262929385, 1e-10);
}

TEST(OneVariable, ProductRoot) {
    QvStatColumn c;
    // The cube root of 1e20 (10^(20/3), by hand) whatever the row order.
    for (const std::vector<double>& order :
         {std::vector<double>{1e60, 1e60, 1e-100}, std::vector<double>{1e-100, 1e60, 1e60}}) {
        FillValues(c, order);
        c.Recalc();
        EXPECT_NEAR(c.productRoot / 4641588.833612782, 1.0, 1e-12);
    }
    // A 0, or a negative product, has no root; two negatives make 16.
    FillValues(c, {3, 0, 5});
    c.Recalc();
    EXPECT_EQ(c.productRoot, 0.0);
    FillValues(c, {-2, 8});
    c.Recalc();
    EXPECT_EQ(c.productRoot, 0.0);
    FillValues(c, {-2, -8});
    c.Recalc();
    EXPECT_DOUBLE_EQ(c.productRoot, 4.0);
    // A product above 1e100 gives none, whatever comes after it.
    for (const std::vector<double>& order :
         {std::vector<double>{1e200, 1e200}, std::vector<double>{1e60, 1e60, 1e-10},
          std::vector<double>{1e-10, 1e60, 1e60}}) {
        FillValues(c, order);
        c.Recalc();
        EXPECT_EQ(c.productRoot, 0.0);
    }
    // Just below the limit, a root.
    FillValues(c, {1e50, 1e49});
    c.Recalc();
    EXPECT_NEAR(c.productRoot / 3.1622776601683794e49, 1.0, 1e-12);
}

// Interpolated P100 is the maximum for every n, also where the position
// (n - 1) * 100 / 100 rounds above n - 1.
TEST(OneVariable, InterpolatedEndsAreMinimumAndMaximum) {
    StatMethods methods(0, 0);
    for (int count : {2, 8, 15, 29, 56, 500}) {
        QvStatColumn c;
        std::vector<double> values;
        for (int i = 1; i <= count; ++i)
            values.push_back(i);
        FillValues(c, values);
        c.Recalc();
        c.CalcPercentiles();
        EXPECT_EQ(c.percentiles[0], 1.0) << count;
        EXPECT_EQ(c.percentiles[100], double(count)) << count;
    }
    // Discrete whole positions average two neighbours: P50 of 1 2 3 4.
    StatMethods discrete(0, 1);
    QvStatColumn c;
    FillValues(c, {1, 2, 3, 4});
    c.Recalc();
    c.CalcPercentiles();
    EXPECT_DOUBLE_EQ(c.percentiles[50], 2.5);
}

TEST(OneVariable, FewObservations) {
    StatMethods methods(0, 0);
    QvStatColumn c;
    // One observation: its own median, no quartiles, no sample spread.
    FillCounted(c, {{7, 1}});
    c.Recalc();
    EXPECT_EQ(c.median, 7.0);
    EXPECT_EQ(c.lowerQuartile, 0.0);
    EXPECT_EQ(c.sampleSD, 0.0);
    // Two: no outer thirds; quartiles are the two values (by hand).
    FillValues(c, {3, 7});
    c.Recalc();
    EXPECT_EQ(c.median, 5.0);
    EXPECT_EQ(c.lowerQuartile, 3.0);
    EXPECT_EQ(c.upperQuartile, 7.0);
    EXPECT_EQ(c.lowerThirdMedian, 0.0);
    EXPECT_EQ(c.upperThirdMedian, 0.0);
    EXPECT_EQ(c.ValueAt(-1), QvStatEmpty);
    EXPECT_EQ(c.ValueAt(2), QvStatEmpty);
    EXPECT_EQ(c.ValueAt(1), 7.0);
    // None: n 0, no product root, the rest untouched.
    FillValues(c, {});
    c.Recalc();
    EXPECT_EQ(c.n, 0);
    EXPECT_EQ(c.productRoot, 0.0);
}

// An empty cell keeps no count, so it adds nothing; empty cells sort last,
// so the minimum is the first value and the maximum is found below them.
TEST(OneVariable, EmptyCellsCountNothing) {
    QvStatColumn c;
    FillCounted(c, {{5, 1}, {QvStatEmpty, 4}, {2, 1}, {9, 1}});
    c.Recalc();
    EXPECT_EQ(c.cells[1].count, 0);
    EXPECT_EQ(c.n, 3);
    EXPECT_EQ(c.filledCount, 3);
    EXPECT_EQ(c.lastFilledRow, 4);
    EXPECT_EQ(c.min, 2.0);
    EXPECT_EQ(c.max, 9.0);
    EXPECT_EQ(c.sorted[3].value, QvStatEmpty);
}

TEST(OneVariable, SortIsStableAndOrdersLabelsByTheirNumber) {
    QvStatColumn c;
    c.cells[0] = {3, 1, {}};
    c.cells[1] = {1, 1, QStringLiteral("first")};
    c.cells[2] = {1, 1, QStringLiteral("second")};
    c.Sort();
    EXPECT_EQ(c.sorted[0].row, 1);
    EXPECT_EQ(c.sorted[1].row, 2);
    EXPECT_EQ(c.sorted[2].row, 0);
    EXPECT_TRUE(c.sortedValid);

    QvStatColumn labels;
    labels.type = QvStatColumn::Label;
    for (int i = 0; i < 3; ++i)
        labels.cells[size_t(i)].text = QString::number(3 - i) + QStringLiteral("/2");
    labels.Sort();
    EXPECT_EQ(labels.sorted[0].text, QStringLiteral("1/2"));
    EXPECT_EQ(labels.sorted[1].text, QStringLiteral("2/2"));
    EXPECT_EQ(labels.sorted[2].text, QStringLiteral("3/2"));
    EXPECT_TRUE(labels.sorted[3].text.isEmpty());

    // A group column orders by lower bound only.
    QvStatColumn group;
    group.type = QvStatColumn::Group;
    group.cells[0] = {10, 2, QStringLiteral("9")};
    group.cells[1] = {10, 1, QStringLiteral("1")};
    group.cells[2] = {0, 1, QStringLiteral("10")};
    group.Sort();
    EXPECT_EQ(group.sorted[0].row, 2);
    EXPECT_EQ(group.sorted[1].row, 0);
    EXPECT_EQ(group.sorted[2].row, 1);
}

} // namespace
