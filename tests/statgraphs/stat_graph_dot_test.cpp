// The dot plot: its stacks (numpy.unique counts of the values worked out
// beforehand), the limits it hands its frame, and where the marks go.
#include "common/recording_device.h"
#include "graph_render.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_dot.h"
#include "statistics/stat_data.h"
#include "statistics/stat_test_support.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <algorithm>
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

namespace {

struct DotFixture {
    DotFixture() : device(22000, 12000), dc(&device), data(std::make_unique<QvStatData>()) {
        p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        p().BreakScales = 0;
        p().Dot_PointType.fill(3); // circles, recorded as ellipses
    }
    QvStatProperties& p() { return data->properties; }
    const CRect frame{1000, 1000, 21000, 11000};
    void Draw() {
        QvStatGraphDot dot;
        dot.SetData(data.get());
        dot.Draw(&dc, frame);
    }
    // Where a frame laid out with the given limits puts (x, y).
    CPoint Expected(double xmin, double xmax, double ymax, double x, double y) {
        RecordingDevice scratch(22000, 12000);
        CDC sdc(&scratch);
        QvStatXYAxes axes;
        axes.Layout(frame.left, frame.top, frame.right, frame.bottom, xmin, xmax, 0, ymax,
                    data.get(), &sdc);
        return axes.ValueToPoint(x, y);
    }
    std::vector<DrawnItem> Marks() const {
        std::vector<DrawnItem> marks;
        for (const DrawnItem& item : device.Items())
            if (item.kind == DrawnItem::Ellipse)
                marks.push_back(item);
        return marks;
    }
    RecordingDevice device;
    CDC dc;
    std::unique_ptr<QvStatData> data;
};

QColor Colour(COLORREF c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace

// 2, 2, 2, 5: three marks up the stack at 2, one at 5, on a frame from x
// 2 to 5 and y 0 to 3.
TEST(DotPlot, MarksStackOverTheirValues) {
    DotFixture f;
    FillValues(f.data->columns[0], {2, 5, 2, 2});
    f.Draw();
    std::vector<std::pair<double, double>> centres;
    for (const DrawnItem& mark : f.Marks())
        centres.emplace_back(mark.rect.center().x(), mark.rect.center().y());
    ASSERT_EQ(centres.size(), 4u);
    std::vector<std::pair<double, double>> expected;
    for (const CPoint at : {f.Expected(2, 5, 3, 2, 1), f.Expected(2, 5, 3, 2, 2),
                            f.Expected(2, 5, 3, 2, 3), f.Expected(2, 5, 3, 5, 1)})
        expected.emplace_back(at.x, at.y);
    std::sort(centres.begin(), centres.end());
    std::sort(expected.begin(), expected.end());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(centres[i].first, expected[i].first, 1.5) << i;
        EXPECT_NEAR(centres[i].second, expected[i].second, 1.5) << i;
    }
}

// Columns share the stacks: the second column's 4 sits on the first's, in
// its own colours; the hollow scheme gives solid black marks.
TEST(DotPlot, ColumnsShareStacksInTheirOwnStyle) {
    for (int scheme : {3, 0}) {
        SCOPED_TRACE(scheme);
        DotFixture f;
        f.p().dc = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
        f.p().GraphStyle = scheme;
        FillValues(f.data->columns[0], {4});
        FillValues(f.data->columns[1], {4});
        f.Draw();
        const std::vector<DrawnItem> marks = f.Marks();
        ASSERT_EQ(marks.size(), 2u);
        for (int q = 0; q < 2; ++q) {
            const CPoint at = f.Expected(4, 4, 2, 4, q + 1);
            EXPECT_NEAR(marks[size_t(q)].rect.center().y(), at.y, 1.5) << q;
            const QColor fill =
                scheme == 3 ? Colour(f.p().Brushes[3][size_t(q)].lbColor) : QColor(Qt::black);
            EXPECT_EQ(marks[size_t(q)].brush.color(), fill) << q;
            EXPECT_EQ(marks[size_t(q)].brush.style(), Qt::SolidPattern) << q;
            EXPECT_EQ(marks[size_t(q)].pen.color(), fill) << q;
        }
    }
}

// Each legend entry's mark stands 80 below the top of its label line.
TEST(DotPlot, LegendMarksSitBelowTheirLabels) {
    DotFixture f;
    f.p().dc = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    f.p().Dot_Legend = 1;
    f.data->columns[0].name = QStringLiteral("Alpha");
    f.data->columns[1].symbol = QStringLiteral("B");
    FillValues(f.data->columns[0], {1});
    FillValues(f.data->columns[1], {2});
    f.Draw();
    std::vector<QRectF> labels;
    for (const DrawnItem& item : f.device.Items())
        if (item.kind == DrawnItem::Text && (item.text == "Alpha" || item.text == "B"))
            labels.push_back(item.rect);
    ASSERT_EQ(labels.size(), 2u);
    const std::vector<DrawnItem> marks = f.Marks();
    ASSERT_EQ(marks.size(), 4u); // two in the legend, then the dots
    for (size_t q = 0; q < 2; ++q) {
        EXPECT_NEAR(marks[q].rect.center().y() - labels[q].top(), 80, 1.5) << q;
        EXPECT_LT(marks[q].rect.right(), labels[q].left());
    }
    EXPECT_GT(labels[1].top(), labels[0].top());
}

// Two columns sharing their stacks, with a legend, at print resolution,
// kept as stat_graph_dot.png.
TEST(DotPlot, RendersAtPrintResolution) {
    auto data = std::make_unique<QvStatData>();
    QvStatProperties& p = data->properties;
    p.Title = QStringLiteral("Goals per match");
    p.dc = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    p.Dot_Legend = 1;
    data->columns[0].name = QStringLiteral("Home");
    data->columns[1].name = QStringLiteral("Away");
    FillValues(data->columns[0], {0, 1, 1, 2, 2, 2, 3, 1, 4, 0, 2, 1});
    FillValues(data->columns[1], {0, 0, 1, 1, 2, 5, 1, 0, 3});
    QvStatGraphDot dot;
    const QImage image =
        RenderGraph(dot, data.get(), 16000, 11000, QStringLiteral("stat_graph_dot"));
    // Ink in the left half of the plot, where the stacks stand.
    EXPECT_GT(InkIn(image, QRect(image.width() / 8, image.height() / 4, image.width() / 3,
                                 image.height() / 2)),
              1000);
}

// A frequency of two thousand million draws at most one mark per unit of
// the axis's length, quickly, with the top mark at the stack's height.
TEST(DotPlot, HugeFrequencyStaysQuick) {
    DotFixture f;
    FillCounted(f.data->columns[0], {{3, 2000000000}, {5, 1}});
    QElapsedTimer timer;
    timer.start();
    f.Draw();
    EXPECT_LT(timer.elapsed(), 2000);
    const std::vector<DrawnItem> marks = f.Marks();
    ASSERT_GT(marks.size(), 100u);
    EXPECT_LT(marks.size(), 12000u);
    const CPoint top = f.Expected(3, 5, 2e9, 3, 2e9);
    EXPECT_NEAR(marks[marks.size() - 2].rect.center().y(), top.y, 1.5);
    const CPoint five = f.Expected(3, 5, 2e9, 5, 1);
    EXPECT_NEAR(marks.back().rect.center().x(), five.x, 1.5);
}
