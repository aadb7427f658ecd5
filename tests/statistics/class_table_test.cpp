// Frequency tables, running totals and class tables.  Every expected table
// is worked by hand from the class bounds.
#include "stat_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

struct Entry {
    double value;
    int count;
    const char* text;
};

// The entries in use, then one that is not.
void ExpectTable(const QvStatColumn& c, std::initializer_list<Entry> entries) {
    size_t i = 0;
    for (const Entry& e : entries) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        EXPECT_NEAR(c.classes[i].value, e.value, 1e-12);
        EXPECT_EQ(c.classes[i].count, e.count);
        EXPECT_EQ(c.classes[i].text, QString::fromUtf8(e.text));
        ++i;
    }
    EXPECT_EQ(c.classes[i].value, QvStatEmpty) << "entry " << i;
    EXPECT_EQ(c.classes[i].count, 0) << "entry " << i;
}

// The distance is measured from the first value of a class.
TEST(ClassTable, FrequencyTableTolerance) {
    auto c = std::make_unique<QvStatColumn>();
    FillValues(*c, {1.8, 1, 1.4});
    EXPECT_EQ(c->BuildFrequencyTable(0.5), 2);
    ExpectTable(*c, {{1, 2, ""}, {1.8, 1, ""}});
    EXPECT_TRUE(c->frequencyTableValid);
    // Tolerance 0 merges equal values only.
    FillCounted(*c, {{2, 1}, {1, 1}, {2, 3}, {1.0000001, 1}});
    EXPECT_EQ(c->BuildFrequencyTable(0), 3);
    ExpectTable(*c, {{1, 1, ""}, {1.0000001, 1, ""}, {2, 4, ""}});
    // No counts: an empty table, and still 1.
    FillValues(*c, {});
    EXPECT_EQ(c->BuildFrequencyTable(0), 1);
    ExpectTable(*c, {});
}

TEST(ClassTable, CumulativeTable) {
    auto c = std::make_unique<QvStatColumn>();
    FillCounted(*c, {{3, 2}, {1, 1}, {2, 4}});
    c->BuildCumulativeFrequencyTable(0);
    ExpectTable(*c, {{1, 1, ""}, {2, 5, ""}, {3, 7, ""}});
    EXPECT_FALSE(c->frequencyTableValid);
}

TEST(ClassTable, GroupByWidth) {
    auto c = std::make_unique<QvStatColumn>();
    FillValues(*c, {1, 2, 3});
    c->GroupByWidth(1);
    ExpectTable(*c, {{0.5, 1, "1.5"}, {1.5, 1, "2.5"}, {2.5, 1, "3.5"}});

    // The maximum on a bound makes no class of its own here: it counts in
    // the class below.
    FillValues(*c, {0.5, 1.5, 2.5});
    c->GroupByWidth(1);
    ExpectTable(*c, {{-0.5, 0, "0.5"}, {0.5, 1, "1.5"}, {1.5, 2, "2.5"}});
}

// A value on a computed bound opens that class, whatever the last bits of
// the bound: 0.15 and 0.0095 are not below their bounds.
TEST(ClassTable, ValueOnABoundGoesToTheClassItOpens) {
    auto c = std::make_unique<QvStatColumn>();
    FillValues(*c, {0, 0.15, 0.25, 0.35, 0.5});
    c->GroupByWidth(0.1);
    ExpectTable(*c, {{-0.05, 1, "0.05"},
                     {0.05, 0, "0.15"},
                     {0.15, 1, "0.25"},
                     {0.25, 1, "0.35"},
                     {0.35, 1, "0.45"},
                     {0.45, 1, "0.55"}});

    FillValues(*c, {0, 0.0095, 0.012});
    c->GroupByWidth(0.001);
    EXPECT_NEAR(c->classes[10].value, 0.0095, 1e-15);
    EXPECT_EQ(c->classes[9].count, 0);
    EXPECT_EQ(c->classes[10].count, 1);
    EXPECT_EQ(c->classes[12].count, 1);
    EXPECT_EQ(c->classes[13].value, QvStatEmpty);
}

// Widths that would put counts before the table, and widths needing more
// than 500 classes: nothing is written outside the table (run under
// AddressSanitizer), and a value with no class is not counted.
TEST(ClassTable, WidthsOutsideTheTable) {
    auto c = std::make_unique<QvStatColumn>();
    FillValues(*c, {1, 2, 3});
    for (double w : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        c->GroupByWidth(w);
        ExpectTable(*c, {});
    }
    c->GroupByCount(0);
    ExpectTable(*c, {});
    c->GroupByCount(-3);
    ExpectTable(*c, {});

    // 0.001 from 0 to 1 needs 1001 classes: the first 500 are made and the
    // values above them are left out.
    FillValues(*c, {0, 0.2, 0.9, 1});
    c->GroupByWidth(0.001);
    EXPECT_NEAR(c->classes[499].value, 0.4985, 1e-12);
    int counted = 0;
    for (const QvStatCell& e : c->classes)
        counted += e.count;
    EXPECT_EQ(counted, 2);
}

TEST(ClassTable, GroupByCount) {
    auto c = std::make_unique<QvStatColumn>();
    // 0.012 / 4 = 0.003, raised to the nice width 0.005.
    FillValues(*c, {0, 0.003, 0.006, 0.009, 0.012});
    c->GroupByCount(5);
    ExpectTable(*c, {{-0.0025, 1, "0.0025"}, {0.0025, 2, "0.0075"}, {0.0075, 2, "0.0125"}});

    // Here the maximum on a bound opens a class.
    FillValues(*c, {0.5, 1.5, 2.5});
    c->GroupByCount(3);
    ExpectTable(*c, {{-0.5, 0, "0.5"}, {0.5, 1, "1.5"}, {1.5, 1, "2.5"}, {2.5, 1, "3.5"}});

    // One value: width 1.
    FillValues(*c, {4});
    c->GroupByCount(6);
    ExpectTable(*c, {{3.5, 1, "4.5"}});
}

TEST(ClassTable, NiceClassWidth) {
    struct Case {
        double low, high;
        int classes;
        double width;
    } cases[] = {
        {0, 10, 4, 5},         {0, 0, 3, 0},        {0, 1e9, 1, 9e99}, {0, 10, 5, 2},
        {0, 1, 20000, 0.0001}, {5, 3, 2, 0},        {0, 7, 7, 1},      {0, 0.0003, 1, 0.0005},
        {0, 1e7, 1, 1e7},      {0, 1.5e7, 1, 9e99},
    };
    for (const Case& k : cases)
        EXPECT_EQ(QvStatColumn::NiceClassWidth(k.low, k.high, k.classes), k.width)
            << k.low << " " << k.high << " " << k.classes;
}

// Classes of a group column: lower bounds 0, 10, 20 with upper bounds 10,
// 20, 30.  A value on an upper bound opens the next class; one on the last
// upper bound, or below the first class, is "Other".
TEST(ClassTable, GroupByClasses) {
    auto group = std::make_unique<QvStatColumn>();
    group->type = QvStatColumn::Group;
    group->cells[0] = {20, 0, QStringLiteral("30")};
    group->cells[1] = {0, 0, QStringLiteral("10")};
    group->cells[2] = {10, 0, QStringLiteral("20")};
    group->Sort();

    auto c = std::make_unique<QvStatColumn>();
    FillCounted(*c, {{5, 1}, {10, 1}, {15, 3}, {20, 1}, {29.9, 1}, {30, 1}, {-1, 1}});
    c->GroupByClasses(group->sorted.data());
    ExpectTable(*c, {{0, 1, "10"}, {10, 4, "20"}, {20, 2, "30"}, {QvStatEmpty, 2, "Other"}});

    // Nothing outside the classes: no "Other".
    FillCounted(*c, {{5, 1}, {25, 2}});
    c->GroupByClasses(group->sorted.data());
    ExpectTable(*c, {{0, 1, "10"}, {10, 0, "20"}, {20, 2, "30"}, {QvStatEmpty, 0, ""}});
}

} // namespace
