// What the histogram, the cumulative frequency graph and the frequency
// polygon plot: classes, bar lengths, limits and points in data values.
// Expected classes and counts were worked by hand and checked with
// numpy.histogram on the same edges; running totals with numpy.unique and
// cumsum.
#include "statgraphs/stat_freq_graphs.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Bounds {
    double xmin, xmax, ymin, ymax;
};

struct Class {
    double lower, upper;
    int count;
};

class FreqGraphs : public ::testing::Test {
protected:
    FreqGraphs() : data(std::make_unique<QvStatData>()) {}
    QvStatProperties& p() { return data->properties; }
    QvStatColumn& col(int i) { return data->columns[size_t(i)]; }

    // One value a row, count 1, typed as the grid stores them.
    void Values(int c, const std::vector<double>& values) {
        col(c).Clear();
        for (size_t i = 0; i < values.size(); ++i)
            col(c).cells[i] = {values[i], 1, QString::number(values[i])};
        col(c).MarkDirty();
    }
    void Counted(int c, const std::vector<std::pair<double, int>>& rows) {
        col(c).Clear();
        for (size_t i = 0; i < rows.size(); ++i)
            col(c).cells[i] = {rows[i].first, rows[i].second, QString::number(rows[i].first)};
        col(c).MarkDirty();
    }
    // Group rows: lower bound, upper-bound text, frequency.
    void Groups(int c, const std::vector<std::tuple<double, QString, int>>& rows) {
        col(c).Clear();
        col(c).type = QvStatColumn::Group;
        for (size_t i = 0; i < rows.size(); ++i)
            col(c).cells[i] = {std::get<0>(rows[i]), std::get<2>(rows[i]), std::get<1>(rows[i])};
        col(c).MarkDirty();
    }
    void OneColumn(int c = 0) { p().dc = {c, -1, -1, -1, -1, -1, -1, -1, -1, -1}; }

    std::unique_ptr<QvStatData> data;
};

void ExpectBounds(double xmin, double xmax, double ymin, double ymax, const Bounds& want) {
    EXPECT_DOUBLE_EQ(xmin, want.xmin);
    EXPECT_DOUBLE_EQ(xmax, want.xmax);
    EXPECT_DOUBLE_EQ(ymin, want.ymin);
    EXPECT_DOUBLE_EQ(ymax, want.ymax);
}

std::vector<QvHistoBar> Bars(const QvHistoPlan& plan, int k, int kind) {
    std::vector<QvHistoBar> bars(QvStatColumn::Rows);
    bars.resize(size_t(QvHistoBars(plan.series[k], kind, plan.backToBack, bars.data())));
    return bars;
}

void ExpectBars(const std::vector<QvHistoBar>& bars,
                const std::vector<std::tuple<double, double, double>>& want) {
    ASSERT_EQ(bars.size(), want.size());
    for (size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(bars[i].lower, std::get<0>(want[i]), 1e-9);
        EXPECT_NEAR(bars[i].upper, std::get<1>(want[i]), 1e-9);
        EXPECT_NEAR(bars[i].length, std::get<2>(want[i]), 1e-9);
    }
}

using Points = std::vector<std::pair<double, double>>;

void ExpectPoints(const QvFreqPoint* got, int count, const Points& want) {
    ASSERT_EQ(count, int(want.size()));
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(got[i].x, want[size_t(i)].first, 1e-9);
        EXPECT_NEAR(got[i].y, want[size_t(i)].second, 1e-9);
    }
}

// ---- Histogram, one column

TEST_F(FreqGraphs, HistogramOfOneColumnOfValues) {
    OneColumn();
    {
        SCOPED_TRACE("1 to 10 in ten classes of width 1");
        std::vector<double> v;
        for (int i = 1; i <= 10; ++i)
            v.push_back(i);
        Values(0, v);
        p().NumberGroups = 10;
        p().Histo_ShowFreq = 0;
        const QvHistoPlan plan = QvPlanHistogram(*data);
        EXPECT_FALSE(plan.backToBack);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-0.5, 11.5, 0, 1});
        std::vector<std::tuple<double, double, double>> want;
        for (int i = 0; i < 10; ++i)
            want.emplace_back(0.5 + i, 1.5 + i, 1.0);
        ExpectBars(Bars(plan, 0, 0), want);
    }
    {
        SCOPED_TRACE("five classes asked, width 5, as percentages");
        Values(0, {2, 3, 3, 5, 7, 8, 8, 8, 12, 15});
        p().NumberGroups = 5;
        p().Histo_ShowFreq = 1;
        const QvHistoPlan plan = QvPlanHistogram(*data);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-5.5, 22.5, 0, 40});
        ExpectBars(Bars(plan, 0, 1),
                   {{-2.5, 2.5, 10}, {2.5, 7.5, 40}, {7.5, 12.5, 40}, {12.5, 17.5, 10}});
    }
    {
        SCOPED_TRACE("four rows: four classes asked; N 20, largest 5 -> 25%");
        Counted(0, {{1, 5}, {2, 5}, {3, 5}, {4, 5}});
        p().NumberGroups = 10;
        p().Histo_ShowFreq = 1;
        const QvHistoPlan plan = QvPlanHistogram(*data);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-0.5, 5.5, 0, 25});
        ExpectBars(Bars(plan, 0, 1),
                   {{0.5, 1.5, 25}, {1.5, 2.5, 25}, {2.5, 3.5, 25}, {3.5, 4.5, 25}});
    }
}

TEST_F(FreqGraphs, HistogramOfAGroupColumnScalesToTheNarrowestClass) {
    OneColumn();
    Groups(0, {{0, "10", 5}, {10, "30", 10}});
    struct Case {
        int kind;
        double length, ymax;
    };
    // N is 15.  Kind 7 is no kind the page offers: absolute frequencies.
    for (const Case& c : {Case{0, 5, 5}, Case{3, 0.5, 0.5}, Case{2, 1 / 3.0, 1 / 3.0},
                          Case{1, 100 / 3.0, 100 / 3.0}, Case{7, 5, 5}}) {
        SCOPED_TRACE(c.kind);
        p().Histo_ShowFreq = c.kind;
        const QvHistoPlan plan = QvPlanHistogram(*data);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {0, 30, 0, c.ymax});
        EXPECT_DOUBLE_EQ(plan.series[0].wmin, 10);
        ExpectBars(Bars(plan, 0, c.kind), {{0, 10, c.length}, {10, 30, c.length}});
    }
}

// A row whose upper bound is no number, or not above its lower bound, has
// no width: no bar, and no say in the narrowest width (which a negative
// width would turn every bar upside down with).
TEST_F(FreqGraphs, HistogramSkipsGroupRowsWithoutAWidth) {
    OneColumn();
    Groups(0, {{0, "10", 5}, {10, "abc", 3}, {30, "20", 4}, {20, "40", 10}, {40, "40", 2}});
    const std::vector<QvStatCell> typed(col(0).cells.begin(), col(0).cells.begin() + 5);
    p().Histo_ShowFreq = 0;
    const QvHistoPlan plan = QvPlanHistogram(*data);
    EXPECT_DOUBLE_EQ(plan.series[0].wmin, 10);
    EXPECT_DOUBLE_EQ(plan.ymax, 5);
    ExpectBars(Bars(plan, 0, 0), {{0, 10, 5}, {20, 40, 5}});
    // Drawing reads the rows in place and leaves them as typed.
    for (size_t i = 0; i < typed.size(); ++i) {
        EXPECT_EQ(col(0).cells[i].value, typed[i].value);
        EXPECT_EQ(col(0).cells[i].text, typed[i].text);
        EXPECT_EQ(col(0).cells[i].count, typed[i].count);
    }
}

TEST_F(FreqGraphs, HistogramWithoutDataTakesTheFixedLimits) {
    OneColumn();
    col(0).Clear();
    {
        const QvHistoPlan plan = QvPlanHistogram(*data);
        EXPECT_FALSE(plan.hasData);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {0, 1, 0, 0});
        EXPECT_TRUE(Bars(plan, 0, 0).empty());
    }
    p().AutoMaxy = 0;
    p().maxy = 50;
    p().AutoMinx = 0;
    p().minx = -3;
    {
        const QvHistoPlan plan = QvPlanHistogram(*data);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-3, 1, 0, 50});
    }
    // With data the axes apply the fixed scales; the plan keeps its own.
    Values(0, {1, 2});
    p().NumberGroups = 2;
    const QvHistoPlan plan = QvPlanHistogram(*data);
    EXPECT_TRUE(plan.hasData);
    ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-0.5, 3.5, 0, 1});
}

TEST_F(FreqGraphs, HistogramWithoutAFirstColumnPlansNothing) {
    p().dc[0] = -1;
    Values(1, {1, 2, 3});
    EXPECT_EQ(QvPlanHistogram(*data).seriesCount, 0);
    p().dc[0] = 40; // from a damaged file
    EXPECT_EQ(QvPlanHistogram(*data).seriesCount, 0);
}

// ---- Histogram, back to back

TEST_F(FreqGraphs, BackToBackSharesOneGridOfClasses) {
    Values(0, {12, 15, 21, 23, 38});
    Values(1, {18, 25, 27, 31, 44});
    p().dc = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    p().NumberGroups = 10;
    p().Histo_ShowFreq = 0;
    const QvHistoPlan plan = QvPlanHistogram(*data);
    EXPECT_TRUE(plan.backToBack);
    ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-1, 2, 2, 54});
    EXPECT_DOUBLE_EQ(plan.series[0].wmin, 5);
    // Empty classes keep their (zero-length) bar.
    ExpectBars(Bars(plan, 0, 0), {{7.5, 12.5, 1},
                                  {12.5, 17.5, 1},
                                  {17.5, 22.5, 1},
                                  {22.5, 27.5, 1},
                                  {27.5, 32.5, 0},
                                  {32.5, 37.5, 0},
                                  {37.5, 42.5, 1}});
    ExpectBars(Bars(plan, 1, 0), {{12.5, 17.5, 0},
                                  {17.5, 22.5, 1},
                                  {22.5, 27.5, 2},
                                  {27.5, 32.5, 1},
                                  {32.5, 37.5, 0},
                                  {37.5, 42.5, 0},
                                  {42.5, 47.5, 1}});
}

TEST_F(FreqGraphs, BackToBackLimits) {
    p().dc = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    p().NumberGroups = 10;
    struct Case {
        const char* name;
        std::vector<double> a, b;
        Bounds want;
    };
    const Case cases[] = {
        // The default columns with B empty: still back to back; B's empty
        // minimum and maximum do not widen the classes.
        {"B empty", {1, 2, 3, 4}, {}, {-1, 1, 0, 5}},
        // Smallest minimum at or below w: one width below it.
        {"minimum 0", {0, 10}, {}, {-1, 1, -1, 12}},
        // Every value equal: no spread, classes one unit wide.
        {"all equal", {5, 5, 5}, {5}, {-3, 1, 3, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Values(0, c.a);
        Values(1, c.b);
        const QvHistoPlan plan = QvPlanHistogram(*data);
        EXPECT_TRUE(plan.backToBack);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, c.want);
    }
    // All equal: one class 4.5 to 5.5 each.
    ExpectBars(Bars(QvPlanHistogram(*data), 0, 0), {{4.5, 5.5, 3}});
}

// ---- Cumulative frequency graph

TEST_F(FreqGraphs, CumulativeLinesAndLimits) {
    QvFreqPoint pts[QvFreqPointCapacity];
    OneColumn();
    {
        SCOPED_TRACE("12, 15, 15, 20");
        Values(0, {12, 15, 15, 20});
        const QvFreqPlan plan = QvPlanCumulative(*data);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {6, 26, 0, 4});
        const int n = QvCumulativePoints(plan.series[0], 0, plan.xmax, pts);
        ExpectPoints(pts, n, {{9, 0}, {12, 1}, {15, 3}, {20, 4}, {26, 4}});
        EXPECT_TRUE(pts[0].kept);
        EXPECT_FALSE(pts[1].kept);
    }
    {
        SCOPED_TRACE("2, 4, 6: the gap is not below the minimum");
        Values(0, {2, 4, 6});
        const QvFreqPlan plan = QvPlanCumulative(*data);
        EXPECT_DOUBLE_EQ(plan.xmin, 2);
        const int n = QvCumulativePoints(plan.series[0], 0, plan.xmax, pts);
        EXPECT_DOUBLE_EQ(pts[0].x, 0);
        EXPECT_TRUE(pts[0].kept);
        EXPECT_EQ(n, 5);
    }
    {
        SCOPED_TRACE("group 0-10 f4, 10-20 f6: at the upper bounds");
        Groups(0, {{10, "20", 6}, {0, "10", 4}});
        const QvFreqPlan plan = QvPlanCumulative(*data);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {0, 40, 0, 10});
        const int n = QvCumulativePoints(plan.series[0], 0, plan.xmax, pts);
        ExpectPoints(pts, n, {{0, 0}, {10, 4}, {20, 10}, {40, 10}});
        // The rows keep their order; the column's statistics stay those of
        // the class midpoints.
        EXPECT_EQ(col(0).cells[0].value, 10);
        EXPECT_DOUBLE_EQ(col(0).mean, (15 * 6 + 5 * 4) / 10.0);
    }
}

TEST_F(FreqGraphs, CumulativeSeriesOfDifferentSizes) {
    QvFreqPoint pts[QvFreqPointCapacity];
    Values(2, {12, 15, 15, 20});
    Values(3, {1, 2, 3, 4, 5, 6, 7, 8});
    col(4).Clear();
    p().dc = {-1, 2, -1, 3, 4, -1, -1, -1, -1, -1};
    {
        SCOPED_TRACE("percentages: every line ends at 100");
        p().CFGraph_ShowFreq = 1;
        const QvFreqPlan plan = QvPlanCumulative(*data);
        ASSERT_EQ(plan.seriesCount, 3);
        EXPECT_DOUBLE_EQ(plan.ymax, 100);
        for (int k = 0; k < 2; ++k) {
            const int n = QvCumulativePoints(plan.series[k], 1, plan.xmax, pts);
            EXPECT_DOUBLE_EQ(pts[n - 1].y, 100);
            EXPECT_DOUBLE_EQ(pts[n - 1].x, plan.xmax);
        }
        // The empty column: from 0 to the right end along the axis.
        const int n = QvCumulativePoints(plan.series[2], 1, plan.xmax, pts);
        ExpectPoints(pts, n, {{0, 0}, {plan.xmax, 0}});
    }
    {
        SCOPED_TRACE("the empty column has no say in the limits");
        p().CFGraph_ShowFreq = 2;
        p().dc = {2, 4, -1, -1, -1, -1, -1, -1, -1, -1};
        const QvFreqPlan plan = QvPlanCumulative(*data);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {6, 26, 0, 1});
    }
    {
        SCOPED_TRACE("no series");
        p().dc = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        p().CFGraph_ShowFreq = 0;
        const QvFreqPlan plan = QvPlanCumulative(*data);
        EXPECT_EQ(plan.seriesCount, 0);
        ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {0, 1, 0, 0});
    }
}

// ---- Frequency polygon

TEST_F(FreqGraphs, PolygonPointsAndLimits) {
    QvFreqPoint pts[QvFreqPointCapacity];
    OneColumn();
    Values(0, {2, 4, 4, 6});
    p().FreqPoly_ShowFreq = 0;
    const QvFreqPlan plan = QvPlanPolygon(*data);
    ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-2, 10, 0, 2});
    int n = QvPolygonPoints(plan.series[0], 0, true, pts);
    ExpectPoints(pts, n, {{1, 0}, {2, 1}, {4, 2}, {6, 1}, {7, 0}});
    EXPECT_TRUE(pts[0].kept);
    EXPECT_FALSE(pts[4].kept);
    n = QvPolygonPoints(plan.series[0], 0, false, pts);
    ExpectPoints(pts, n, {{2, 1}, {4, 2}, {6, 1}});
}

// Each class at its midpoint; a class whose upper bound is no number ends
// where the next begins, or (the last) is as wide as the first.
TEST_F(FreqGraphs, PolygonOfAGroupColumn) {
    QvFreqPoint pts[QvFreqPointCapacity];
    OneColumn();
    const Points want = {{-5, 0}, {5, 3}, {15, 5}, {25, 2}, {35, 0}};
    for (const QString& middle : {QString("20"), QString("abc"), QString()}) {
        for (const QString& last : {QString("30"), QString("abc")}) {
            SCOPED_TRACE((middle + " " + last).toStdString());
            Groups(0, {{0, "10", 3}, {10, middle, 5}, {20, last, 2}});
            const QvFreqPlan plan = QvPlanPolygon(*data);
            ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-20, 50, 0, 5});
            const int n = QvPolygonPoints(plan.series[0], 0, true, pts);
            ExpectPoints(pts, n, want);
        }
    }
}

// R is the largest share over the series, each of its own N.
TEST_F(FreqGraphs, PolygonPercentagesOfTwoSizes) {
    QvFreqPoint pts[QvFreqPointCapacity];
    Counted(0, {{1, 5}, {2, 3}, {3, 2}});
    Counted(1, {{1, 8}, {2, 8}, {3, 8}, {4, 8}, {5, 8}});
    col(2).Clear();
    p().dc = {0, 2, 1, -1, -1, -1, -1, -1, -1, -1};
    p().FreqPoly_ShowFreq = 1;
    const QvFreqPlan plan = QvPlanPolygon(*data);
    ASSERT_EQ(plan.seriesCount, 3);
    // max(5/10, 8/40) = 0.5: the axis runs to 50, the second series peaks at 20.
    ExpectBounds(plan.xmin, plan.xmax, plan.ymin, plan.ymax, {-1, 7, 0, 50});
    int n = QvPolygonPoints(plan.series[2], 1, false, pts);
    ExpectPoints(pts, n, {{1, 20}, {2, 20}, {3, 20}, {4, 20}, {5, 20}});
    n = QvPolygonPoints(plan.series[0], 1, false, pts);
    ExpectPoints(pts, n, {{1, 50}, {2, 30}, {3, 20}});
    // The empty column draws nothing and has no say in the limits.
    EXPECT_EQ(QvPolygonPoints(plan.series[1], 1, true, pts), 0);
}

} // namespace
