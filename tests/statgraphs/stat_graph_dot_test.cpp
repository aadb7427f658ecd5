// The dot plot: its stacks (numpy.unique counts of the values worked out
// beforehand), the limits it hands its frame, and where the marks go.
#include "common/recording_device.h"
#include "platform/dc.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_dot.h"
#include "statistics/stat_data.h"
#include "statistics/stat_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<double, long long>> StacksOf(const QvDotStacks& s) {
    std::vector<std::pair<double, long long>> stacks;
    for (int i = 0; i < s.used; ++i)
        stacks.emplace_back(s.entries[size_t(i)].value, s.entries[size_t(i)].count);
    return stacks;
}

} // namespace

TEST(DotPlotStacks, EqualValuesOfAllColumnsShareAStack) {
    struct Case {
        const char* name;
        std::vector<std::vector<double>> columns; // A, B, ...
        std::vector<std::pair<double, long long>> stacks;
        double xmin, xmax;
        long long ymax;
    };
    const Case cases[] = {
        {"one column", {{2, 2, 5, 2}}, {{2, 3}, {5, 1}}, 2, 5, 3},
        {"two columns meet", {{4}, {4}}, {{4, 2}}, 4, 4, 2},
        {"no tolerance", {{1.5, 1.50000001, 1.5}}, {{1.5, 2}, {1.50000001, 1}}, 1.5, 1.50000001, 2},
        {"columns interleave",
         {{3, 1, 3}, {2, 3, -1}},
         {{-1, 1}, {1, 1}, {2, 1}, {3, 3}},
         -1,
         3,
         3},
        {"no values", {{}, {}}, {}, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = std::make_unique<QvStatData>();
        for (size_t i = 0; i < c.columns.size(); ++i) {
            FillValues(data->columns[i], c.columns[i]);
            data->properties.dc[i] = int(i);
        }
        QvDotStacks stacks;
        stacks.Build(*data);
        EXPECT_EQ(StacksOf(stacks), c.stacks);
        EXPECT_DOUBLE_EQ(stacks.xmin, c.xmin);
        EXPECT_DOUBLE_EQ(stacks.xmax, c.xmax);
        EXPECT_EQ(stacks.ymax, c.ymax);
        EXPECT_EQ(stacks.hasData, !c.stacks.empty());
        for (const auto& [value, count] : c.stacks)
            EXPECT_NE(stacks.Find(value), nullptr);
        EXPECT_EQ(stacks.Find(7.25), nullptr);
    }
}

// A full table: ten columns of 500 distinct values each.
TEST(DotPlotStacks, TenFullColumnsFitTheTable) {
    auto data = std::make_unique<QvStatData>();
    for (int k = 0; k < 10; ++k) {
        std::vector<double> values;
        for (int i = 0; i < 500; ++i)
            values.push_back(k * 1000 + i);
        FillValues(data->columns[size_t(k)], values);
        data->properties.dc[size_t(k)] = k;
    }
    QvDotStacks stacks;
    stacks.Build(*data);
    EXPECT_EQ(stacks.used, 5000);
    EXPECT_EQ(stacks.ymax, 1);
    EXPECT_DOUBLE_EQ(stacks.xmax, 9499);
}
