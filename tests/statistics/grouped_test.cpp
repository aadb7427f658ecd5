// Group columns: the findings about the classes and the statistics of the
// class midpoints.  Expected values by hand (midpoint, weighted by the class
// counts) and from Python's statistics module on the midpoints repeated by
// their counts (fmean, median, pstdev, harmonic_mean,
// quantiles(method="inclusive")).
#include "stat_test_support.h"

#include "statistics/stat_rich_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Class {
    double lower;
    int count;
    const char* upper; // "" when not typed
};

std::unique_ptr<QvStatColumn> Grouped(const std::vector<Class>& classes) {
    auto c = std::make_unique<QvStatColumn>();
    c->type = QvStatColumn::Group;
    // Typed in descending order: the classes are taken in ascending order.
    size_t row = 0;
    for (auto k = classes.rbegin(); k != classes.rend(); ++k)
        c->cells[row++] = {k->lower, k->count, QString::fromLatin1(k->upper)};
    c->MarkDirty();
    return c;
}

struct Findings {
    bool gap, overlap, uneven;
};

void ExpectFindings(const QvStatColumn& c, Findings f) {
    EXPECT_FALSE(c.groupNoCounts);
    EXPECT_EQ(c.groupGap, f.gap);
    EXPECT_EQ(c.groupOverlap, f.overlap);
    EXPECT_EQ(c.groupUnevenWidth, f.uneven);
}

TEST(Grouped, StatisticsOfTheMidpoints) {
    StatMethods methods(0, 0);
    auto c = Grouped({{0, 2, "10"}, {10, 3, "20"}, {20, 5, "30"}});
    c->Recalc();
    ExpectFindings(*c, {false, false, false});
    EXPECT_EQ(c->n, 10);
    EXPECT_EQ(c->rowsWithCount, 3);
    EXPECT_DOUBLE_EQ(c->mean, 18);
    EXPECT_DOUBLE_EQ(c->median, 20);
    EXPECT_NEAR(c->sd, 7.8102496759, 1e-10);
    EXPECT_DOUBLE_EQ(c->variance, 61);
    EXPECT_DOUBLE_EQ(c->sum, 180);
    EXPECT_DOUBLE_EQ(c->sumSquares, 3850);
    // The class bounds, not the midpoints.
    EXPECT_DOUBLE_EQ(c->min, 0);
    EXPECT_DOUBLE_EQ(c->max, 30);
    EXPECT_DOUBLE_EQ(c->range, 30);
    EXPECT_EQ(c->mode.modeCount, 1);
    EXPECT_DOUBLE_EQ(c->mode.firstMode, 25);
    // Percentiles at positions of the midpoints, none inside a class.
    EXPECT_DOUBLE_EQ(c->percentiles[0], 5);
    EXPECT_DOUBLE_EQ(c->percentiles[10], 5);
    EXPECT_DOUBLE_EQ(c->percentiles[20], 13);
    EXPECT_DOUBLE_EQ(c->percentiles[50], 20);
    EXPECT_DOUBLE_EQ(c->percentiles[100], 25);
    // The ascending table holds midpoint, count and upper bound; the cells
    // are as typed.
    const double mids[] = {5, 15, 25};
    const int counts[] = {2, 3, 5};
    const char* uppers[] = {"10", "20", "30"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(c->sorted[i].value, mids[i]);
        EXPECT_EQ(c->sorted[i].count, counts[i]);
        EXPECT_EQ(c->sorted[i].text, QLatin1String(uppers[i]));
    }
    EXPECT_DOUBLE_EQ(c->cells[0].value, 20);
    EXPECT_EQ(c->cells[0].text, QStringLiteral("30"));
}

TEST(Grouped, FindingsAboutTheClasses) {
    struct Case {
        const char* what;
        std::vector<Class> classes;
        Findings findings;
        double max;
    } cases[] = {
        {"gap", {{0, 1, "10"}, {15, 1, "25"}}, {true, false, false}, 25},
        {"overlap", {{0, 1, "10"}, {5, 1, "15"}}, {false, true, false}, 15},
        {"uneven", {{0, 1, "10"}, {10, 1, "15"}}, {false, false, true}, 15},
        {"lower bounds only", {{0, 1, ""}, {10, 1, ""}, {20, 1, ""}}, {false, false, false}, 30},
        {"typed bound off the next lower bound",
         {{0, 1, "10.001"}, {10, 1, ""}},
         {false, true, false},
         20.001},
        // 1.6 - 1.5 and 1.7 - 1.6 differ in their last bits as doubles.
        {"decimal lower bounds",
         {{1.5, 1, ""}, {1.6, 2, ""}, {1.7, 1, ""}},
         {false, false, false},
         1.8},
        {"an empty class still counts", {{0, 0, "10"}, {20, 4, "30"}}, {true, false, false}, 30},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        auto c = Grouped(k.classes);
        c->Recalc();
        ExpectFindings(*c, k.findings);
        EXPECT_DOUBLE_EQ(c->min, k.classes.front().lower);
        EXPECT_NEAR(c->max, k.max, 1e-12);
    }
}

TEST(Grouped, LowerBoundsOnlyTakeTheNextBoundAndTheFirstWidth) {
    auto c = Grouped({{0, 2, ""}, {10, 3, ""}, {20, 5, ""}});
    c->Recalc();
    EXPECT_DOUBLE_EQ(c->sorted[2].value, 25);
    EXPECT_EQ(c->sorted[2].text, QStringLiteral("30"));
    EXPECT_DOUBLE_EQ(c->mean, 18);
}

// A lone class without an upper bound has width 0: its midpoint is its
// lower bound.
TEST(Grouped, LoneClassWithoutUpperBound) {
    auto c = Grouped({{7, 4, ""}});
    c->Recalc();
    ExpectFindings(*c, {false, false, false});
    EXPECT_EQ(c->n, 4);
    EXPECT_DOUBLE_EQ(c->mean, 7);
    EXPECT_DOUBLE_EQ(c->min, 7);
    EXPECT_DOUBLE_EQ(c->max, 7);
    EXPECT_DOUBLE_EQ(c->range, 0);
}

TEST(Grouped, NegativeCountsCountAsNone) {
    auto c = Grouped({{0, 2, "10"}, {10, -5, "20"}, {20, 2, "30"}});
    c->Recalc();
    EXPECT_EQ(c->n, 4);
    EXPECT_DOUBLE_EQ(c->mean, 15);
    EXPECT_EQ(c->rowsWithCount, 2);

    auto none = Grouped({{0, -1, "10"}, {10, 0, "20"}});
    none->Recalc();
    EXPECT_TRUE(none->groupNoCounts);
    EXPECT_EQ(none->n, 0);
}

TEST(Grouped, WithoutCountsThereIsNoData) {
    auto c = Grouped({{0, 0, "10"}, {15, 0, "20"}});
    c->Recalc();
    EXPECT_TRUE(c->groupNoCounts);
    EXPECT_FALSE(c->groupGap);
    EXPECT_EQ(c->n, 0);
    EXPECT_DOUBLE_EQ(c->mean, 0);
    QString cautions;
    c->WriteGroupCautions(cautions);
    EXPECT_TRUE(cautions.isEmpty());
}

TEST(Grouped, Cautions) {
    auto c = Grouped({{0, 1, "10"}, {5, 1, "20"}, {25, 1, "30"}});
    c->Recalc();
    QString cautions;
    c->WriteGroupCautions(cautions);
    EXPECT_EQ(
        cautions,
        QStringLiteral("Caution! Summary statistics for grouped data are approximations.\r\n\r\n"
                       "Caution! There is a gap in the groups.\r\n\r\n"
                       "Error! Some of groups overlap.  The following statistics will be "
                       "incorrect.\r\n\r\n"
                       "Caution! The groups are not a consistent width.\r\n\r\n"));

    auto data = std::make_unique<QvStatColumn>();
    FillValues(*data, {1, 2});
    data->Recalc();
    QString none;
    data->WriteGroupCautions(none);
    EXPECT_TRUE(none.isEmpty());
}

// The reports that work out percentiles keep to the midpoints, not the
// lower bounds the cells hold.
TEST(Grouped, ReportsUseTheMidpoints) {
    StatMethods methods(0, 0);
    auto c = Grouped({{0, 2, "10"}, {10, 3, "20"}, {20, 5, "30"}});
    c->Recalc();
    QString out;
    QvStatRichText markup;
    c->WriteDecileReport(out, markup);
    EXPECT_TRUE(out.startsWith(u"n\t=\t10\r\n\r\nDeciles\r\nD#D1~\t=\t5\r\nD#D2~\t=\t13\r\n"))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith(u"D#D5~\t=\t20\r\nD#D6~\t=\t25\r\nD#D7~\t=\t25\r\nD#D8~\t=\t25\r\n"
                             u"D#D9~\t=\t25\r\nD#D10~\t=\t25\r\n"))
        << out.toStdString();

    out.clear();
    c->WriteFullReport(out, markup);
    EXPECT_TRUE(out.contains(u"Mean\t\t\t=\t18\r\n"));
    EXPECT_TRUE(out.contains(u"Harmonic Mean\t\t=\t12.5\r\n"));
    EXPECT_TRUE(out.contains(u"Min\t\t\t=\t0\r\nMax\t\t\t=\t30\r\n"));
    EXPECT_TRUE(out.contains(u"P#D100~\t\t\t=\t25\r\n"));
    EXPECT_EQ(c->n, 10);
    EXPECT_DOUBLE_EQ(c->mean, 18);
}

} // namespace
