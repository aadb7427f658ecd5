// The pictogram: the value one picture stands for, how many pictures show
// a value and how the legend boxes a symbol.  Expected values by hand.
#include "common/recording_device.h"
#include "platform/dc.h"
#include "statgraphs/drawers/stat_graph_pictogram.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// The first of 1, 2, 5, 10 ... with axisMax / N <= 7.
TEST(Pictogram, PictureValueKeepsSevenPicturesAtMost) {
    struct Case {
        double axisMax, n;
    };
    const Case cases[] = {
        {30, 5},     {7, 1},         {7.0000001, 2}, {14, 2},  {14.5, 5},
        {35, 5},     {36, 10},       {8e8, 2e8},     {1, 1},   {0, 1},
        {-4, 1},     // past the old table's end at 10^7: the series goes on
        {7e7, 1e7},  {7.1e7, 2e7},   {3e15, 5e14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.axisMax);
        EXPECT_EQ(QvStatGraphPictogram::PictureValue(c.axisMax), c.n);
    }
    // An axis no finite picture value fits has none; the drawing then
    // draws no pictures rather than loop.
    EXPECT_EQ(QvStatGraphPictogram::PictureValue(INFINITY), 0.0);
}

TEST(Pictogram, PicturesAreThoseStartingBelowTheValue) {
    struct Case {
        double v, n;
        int count;
    };
    const Case cases[] = {{12, 5, 3}, {10, 5, 2}, {10.0001, 5, 3}, {0.1, 1, 1},
                          {0, 5, 0},  {-3, 5, 0}, {35, 5, 7},      {12, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.v << " by " << c.n);
        EXPECT_EQ(QvStatGraphPictogram::PictureCount(c.v, c.n), c.count);
    }
}

TEST(Pictogram, LegendBoxIsAThousandAlongTheLongerSide) {
    EXPECT_EQ(QvStatGraphPictogram::LegendBox(2.0), CSize(500, 1000));
    EXPECT_EQ(QvStatGraphPictogram::LegendBox(0.5), CSize(1000, 500));
    EXPECT_EQ(QvStatGraphPictogram::LegendBox(1.0), CSize(1000, 1000));
    EXPECT_EQ(QvStatGraphPictogram::LegendBox(3.0), CSize(333, 1000));
}

} // namespace
