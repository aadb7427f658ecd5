#include "document/background_grid.h"

#include <gtest/gtest.h>

TEST(QvBackgroundGrid, NearestGridPoint) {
    struct Row {
        bool isometric;
        int spacing, x, y;
        QvPoint expected;
    };
    const Row rows[] = {
        {false, 500, 260, 260, QvPoint(500, 500)}, {false, 500, 249, -251, QvPoint(0, -500)},
        {true, 500, 260, 260, QvPoint(433, 250)},  {true, 500, 20, 480, QvPoint(0, 500)},
        {true, 500, 800, 30, QvPoint(866, 0)},
    };
    for (const Row& r : rows) {
        QvBackgroundGrid grid;
        grid.SetSpacing(r.spacing);
        grid.SetIsometric(r.isometric);
        grid.SetShown(false); // hidden grids still snap
        EXPECT_EQ(grid.NearestGridPoint(r.x, r.y), r.expected) << r.x << "," << r.y;
    }
}
