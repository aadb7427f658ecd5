#include "figure_test_support.h"
#include "figures/fig_circle.h"
#include "figures/fig_gallery.h"
#include "figures/fig_line.h"
#include "geometry/gr_rect.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

class GalleryFigureTest : public FigureTest {
protected:
    // A line from (100, 100) to (900, 900) and a circle about (500, 500) of
    // radius 300, in the frame's thousandths, framed by (0, 0)-(4000, 2000).
    static std::unique_ptr<QvFigGallery> LineAndCircle(double ratio) {
        auto g = Make<QvFigGallery>(QvFigGallery::ToolId);
        std::unique_ptr<QvFigure> line = QvFigure::CreateForTool(QvFigLine::ToolId);
        Click(*line, QvPoint(100, 100));
        Click(*line, QvPoint(900, 900));
        std::unique_ptr<QvFigure> circle = QvFigure::CreateForTool(QvFigCircleCR::ToolId);
        Click(*circle, QvPoint(500, 500));
        Click(*circle, QvPoint(800, 500));
        g->MemberList().Add(std::move(line));
        g->MemberList().Add(std::move(circle));
        const QvPoint corners[4] = {{0, 0}, {4000, 0}, {4000, 2000}, {0, 2000}};
        for (int i = 0; i < 4; ++i)
            g->DefiningPoints()[i] = corners[i];
        EXPECT_TRUE(g->SetAspectRatio(ratio));
        return g;
    }
};

TEST_F(GalleryFigureTest, PlacementKeepsTheRatioOnlyWithShift) {
    struct Case {
        bool shift;
        QvPoint release;
        QvPoint corner2;
    };
    const Case cases[] = {
        {true, {1000, 2000}, {1000, 500}},   // the width limits the box
        {true, {-1000, 200}, {-400, 200}},   // the height limits it
        {true, {600, -2000}, {600, -300}},   // signs follow the drag
        {false, {1000, 2000}, {1000, 2000}}, // free without Shift
    };
    for (const Case& c : cases) {
        const QvKeys keys{.shift = c.shift};
        auto g = Make<QvFigGallery>(QvFigGallery::ToolId);
        ASSERT_TRUE(g->SetAspectRatio(0.5));
        EXPECT_FALSE(Click(*g, QvPoint(0, 0)));
        g->TrackCreatePoint(QvPoint(300, 300), keys); // a move on the way
        EXPECT_TRUE(Click(*g, c.release, keys));
        const QvPointArray& p = g->DefiningPoints();
        ExpectPoint(p[0], 0, 0);
        ExpectPoint(p[1], c.corner2.x, 0);
        ExpectPoint(p[2], c.corner2.x, c.corner2.y);
        ExpectPoint(p[3], 0, c.corner2.y);
        EXPECT_TRUE(Click(*g, QvPoint(5, 5), keys)) << "a later click changes nothing";
        ExpectPoint(g->DefiningPoints()[2], c.corner2.x, c.corner2.y);
    }
}

TEST_F(GalleryFigureTest, RatioStartsAtOneAndRefusesWhatCannotBeDividedBy) {
    QvFigGallery g;
    EXPECT_EQ(g.GetAspectRatio(), 1.0);
    EXPECT_EQ(g.GetToolId(), QvFigGallery::ToolId);
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(g.SetAspectRatio(bad)) << bad;
    EXPECT_EQ(g.GetAspectRatio(), 1.0);
}

TEST_F(GalleryFigureTest, DescribesItsParts) {
    EXPECT_EQ(LineAndCircle(0.5)->GetDescription(), "Gallery Image - 2 figures");
}

TEST_F(GalleryFigureTest, SavesAndLoadsTheRatioBitForBitAndRebuildsMembers) {
    auto g = LineAndCircle(1.0 / 3.0);
    g->MapToFrame(NullFrame);
    const QByteArray bytes = Store(g.get());
    // The record ends in the ratio.
    double stored = 0.0;
    const double written = g->GetAspectRatio();
    std::memcpy(&stored, bytes.constData() + bytes.size() - 8, 8);
    EXPECT_EQ(std::memcmp(&stored, &written, 8), 0);

    auto back = Load<QvFigGallery>(bytes);
    ASSERT_TRUE(back);
    const double ratio = back->GetAspectRatio(), expected = 1.0 / 3.0;
    EXPECT_EQ(std::memcmp(&ratio, &expected, 8), 0);
    ASSERT_EQ(back->Members().size(), 2u);
    // The circle is built on the page: centre (2000, 1000), radius 1200 in x.
    auto* circle = dynamic_cast<QvFigCircleCR*>(back->Members()[1]);
    ASSERT_TRUE(circle);
    ExpectPoint(circle->Circle().centre, 2000, 1000);
    EXPECT_EQ(Store(back.get()), bytes);

    // A ratio nothing can divide by is read as 1.
    QByteArray zero = bytes;
    std::memset(zero.data() + zero.size() - 8, 0, 8);
    auto square = Load<QvFigGallery>(zero);
    ASSERT_TRUE(square);
    EXPECT_EQ(square->GetAspectRatio(), 1.0);
}

TEST_F(GalleryFigureTest, CopyIsDeepAndWholeOrNothing) {
    auto src = LineAndCircle(0.25);
    {
        // A member of a kind this program cannot make: no copy at all,
        // rather than one that passes for whole.
        auto odd = LineAndCircle(0.25);
        std::unique_ptr<QvFigure> member = QvFigure::CreateForTool(QvFigLine::ToolId);
        member->SetToolId(32788);
        odd->MemberList().Add(std::move(member));
        QvFigGallery copy;
        EXPECT_FALSE(copy.CopyGalleryFigure(odd.get()));
        EXPECT_TRUE(copy.Members().empty());
    }

    QvFigGallery copy;
    ASSERT_TRUE(copy.CopyGalleryFigure(src.get()));
    EXPECT_EQ(copy.GetAspectRatio(), 0.25);
    EXPECT_EQ(copy.GetToolId(), QvFigGallery::ToolId);
    ASSERT_EQ(copy.Members().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_NE(copy.Members()[i], src->Members()[i]);
        EXPECT_EQ(Store(copy.Members()[i]), Store(src->Members()[i]));
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(copy.DefiningPoints()[i], src->DefiningPoints()[i]);
    src.reset(); // the copy stands on its own
    EXPECT_EQ(copy.GetDescription(), "Gallery Image - 2 figures");
}

} // namespace
