#include "document/background_grid.h"
#include "platform/dc.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

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

namespace {
// The grid drawn over a 100 mm square at 96 dpi, as the view maps the page.
QImage DrawnGrid(int spacing, bool isometric) {
    QImage image(378, 378, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(&image);
    dc.SetDeviceResolution(96, 96);
    dc.SetMapMode(MM_HIMETRIC);
    dc.SetWindowOrg(0, 10000);
    dc.SetSmoothing(FALSE);
    QvBackgroundGrid grid;
    grid.SetSpacing(spacing);
    grid.SetIsometric(isometric);
    grid.Draw(&dc, 0, 10000, 10000, 0);
    return image;
}

std::vector<QPoint> Dots(const QImage& image) {
    std::vector<QPoint> dots;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                dots.emplace_back(x, y);
    return dots;
}
} // namespace

// A grid finer than the screen draws only every k-th dot, k the least that
// puts dots 4 pixels apart; a coarse one draws every dot.  Snapping keeps the
// real spacing.
TEST(QvBackgroundGrid, DotsStayAtLeastFourPixelsApart) {
    struct Row {
        int spacing;
        bool isometric;
        int stride; // at 96 dpi
    };
    const Row rows[] = {{500, false, 1}, {150, false, 1}, {100, false, 2}, {50, false, 3},
                        {10, false, 11}, {10, true, 11},  {30, true, 4}};
    for (const Row& r : rows) {
        QImage probe(10, 10, QImage::Format_RGB32);
        CDC dc(&probe);
        dc.SetDeviceResolution(96, 96);
        dc.SetMapMode(MM_HIMETRIC);
        QvBackgroundGrid grid;
        grid.SetSpacing(r.spacing);
        grid.SetIsometric(r.isometric);
        EXPECT_EQ(grid.DotStride(&dc), r.stride) << r.spacing;

        const std::vector<QPoint> dots = Dots(DrawnGrid(r.spacing, r.isometric));
        // Whole-pixel rounding moves a dot by at most a pixel.
        const double apart = r.spacing * r.stride * 96.0 / 2540;
        const double minimum = std::min(apart, r.isometric ? apart * 0.866 : apart) - 1.5;
        ASSERT_FALSE(dots.empty());
        double closest = 1e9;
        for (size_t i = 0; i < dots.size(); ++i)
            for (size_t j = i + 1; j < dots.size() && dots[j].y() <= dots[i].y() + 6; ++j)
                closest = std::min(
                    closest, std::hypot(dots[j].x() - dots[i].x(), dots[j].y() - dots[i].y()));
        EXPECT_GE(closest, std::min(minimum, 3.0)) << r.spacing;
        // About one dot per cell of the drawn lattice over the square.
        const double cells = (378.0 / apart) * (378.0 / apart) / (r.isometric ? 0.866 : 1.0);
        EXPECT_NEAR(double(dots.size()), cells, cells * 0.15 + 20) << r.spacing;
    }
}

// The dots a fine grid draws are those of the grid k times as coarse, square
// or isometric, while it snaps to its own spacing.
TEST(QvBackgroundGrid, AFineGridDrawsTheDotsOfACoarserOne) {
    for (bool isometric : {false, true}) {
        EXPECT_EQ(DrawnGrid(10, isometric), DrawnGrid(110, isometric)) << isometric;
        QvBackgroundGrid grid;
        grid.SetSpacing(10);
        EXPECT_EQ(grid.NearestGridPoint(14, 26), QvPoint(10, 30));
    }
}
