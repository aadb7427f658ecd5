// The box and whisker plot: the numbers of a box under each quartile
// method and option, and the box drawn from them in both orientations.
// Quartiles are Python's statistics.quantiles (inclusive) and R's fivenum
// and quantile(type = 7) worked out beforehand; the mean and population
// standard deviation are statistics.mean and pstdev.
#include "common/recording_device.h"
#include "graph_render.h"
#include "platform/dc.h"
#include "statgraphs/stat_axis.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_box.h"
#include "statistics/stat_data.h"
#include "statistics/stat_test_support.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const std::vector<double> OneToNineAnd30 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 30};

QvBoxPlotNumbers NumbersOf(const std::vector<double>& values, int statType, bool outliers) {
    QvStatColumn column;
    FillValues(column, values);
    column.Recalc();
    return QvBoxPlotFromColumn(column, statType, outliers);
}

} // namespace

TEST(BoxPlotNumbers, QuartilesFencesWhiskersAndOutliersUnderEachMethod) {
    struct Case {
        const char* method;
        int quartile, percentile;
        std::vector<double> values;
        double q1, q3, lowWhisker, highWhisker;
        std::vector<double> outliers;
        double upperFence;
    };
    const Case cases[] = {
        {"exclude median", 0, 0, OneToNineAnd30, 3, 8, 1, 9, {30}, 15.5},
        {"include median", 1, 0, OneToNineAnd30, 3, 8, 1, 9, {30}, 15.5},
        {"P25/P75 interpolated", 2, 0, OneToNineAnd30, 3.25, 7.75, 1, 9, {30}, 14.5},
        {"P25/P75 discrete", 2, 1, OneToNineAnd30, 3, 8, 1, 9, {30}, 15.5},
        // The upper fence falls on 12 exactly: 12 is an outlier and the
        // whisker stops at 6.
        {"exclude median, value on the fence", 0, 0, {1, 2, 3, 4, 5, 6, 12}, 2, 6, 1, 6, {12}, 12},
        {"include median (fivenum hinges)", 1, 0, {1, 2, 3, 4, 5, 6, 12}, 2.5, 5.5, 1, 6, {12}, 10},
        // Nothing lies strictly inside either fence: the box is a line and
        // nothing is marked.
        {"constant, exclude", 0, 0, {4, 4, 4}, 4, 4, 4, 4, {}, 4},
        {"constant, interpolated", 2, 0, {4, 4, 4}, 4, 4, 4, 4, {}, 4},
        // Below the lower fence as well.
        {"both sides", 1, 0, {-40, 1, 2, 3, 4, 5, 6, 7, 8, 60}, 2, 7, 1, 8, {-40, 60}, 14.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        StatMethods methods(c.quartile, c.percentile);
        const QvBoxPlotNumbers b = NumbersOf(c.values, 0, true);
        EXPECT_DOUBLE_EQ(b.lower, c.q1);
        EXPECT_DOUBLE_EQ(b.upper, c.q3);
        EXPECT_DOUBLE_EQ(b.upperFence, c.upperFence);
        EXPECT_DOUBLE_EQ(b.lowWhisker, c.lowWhisker);
        EXPECT_DOUBLE_EQ(b.highWhisker, c.highWhisker);
        EXPECT_EQ(b.outliers, c.outliers);
    }
}

TEST(BoxPlotNumbers, RuleOffAndMeanBoxKeepTheirWhiskers) {
    StatMethods methods(0, 0);
    // Without the rule the whiskers reach the extremes and nothing is marked.
    QvBoxPlotNumbers b = NumbersOf(OneToNineAnd30, 0, false);
    EXPECT_DOUBLE_EQ(b.centre, 5.5);
    EXPECT_DOUBLE_EQ(b.lowWhisker, 1);
    EXPECT_DOUBLE_EQ(b.highWhisker, 30);
    EXPECT_TRUE(b.outliers.empty());

    // The mean box: 7.5 -+ 7.88986691902975; fences stay the quartiles'.
    b = NumbersOf(OneToNineAnd30, 1, true);
    EXPECT_DOUBLE_EQ(b.centre, 7.5);
    EXPECT_NEAR(b.lower, -0.38986691902975, 1e-12);
    EXPECT_NEAR(b.upper, 15.38986691902975, 1e-12);
    EXPECT_DOUBLE_EQ(b.highWhisker, 9);
    EXPECT_EQ(b.outliers, std::vector<double>{30});
}

namespace {

struct BoxFixture {
    BoxFixture() : device(22000, 12000), dc(&device), data(std::make_unique<QvStatData>()) {
        p().BreakScales = 0;
        p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        p().BoxPlot_ShowOutliers = 1;
    }
    QvStatProperties& p() { return data->properties; }
    void Draw(CRect rect = CRect(1000, 1000, 21000, 11000)) {
        QvStatGraphBox box;
        box.SetData(data.get());
        box.Draw(&dc, rect);
    }
    // The filled rectangles: the boxes.
    std::vector<DrawnItem> Boxes() const {
        std::vector<DrawnItem> boxes;
        for (const DrawnItem& item : device.Items())
            if (item.kind == DrawnItem::Rect && item.brush.style() != Qt::NoBrush)
                boxes.push_back(item);
        return boxes;
    }
    // Black lines inside the span of a box: its whiskers, caps and centre.
    std::vector<QLineF> PartsOf(const QRectF& box) const {
        std::vector<QLineF> parts;
        for (const DrawnItem& item : device.Items())
            if (item.kind == DrawnItem::Line && item.pen.color() == Qt::black &&
                item.rect.top() >= box.top() - 1 && item.rect.bottom() <= box.bottom() + 1)
                parts.push_back(item.line);
        return parts;
    }
    std::vector<QRectF> Marks() const {
        std::vector<QRectF> marks;
        for (const DrawnItem& item : device.Items())
            if (item.kind == DrawnItem::Ellipse)
                marks.push_back(item.rect);
        return marks;
    }
    RecordingDevice device;
    CDC dc;
    std::unique_ptr<QvStatData> data;
};

} // namespace

// Horizontal boxes: the box, centre line and whiskers stand where the
// values fall on the axis (read off the two whisker caps) and the outlier
// gets the first scatter mark.
TEST(BoxPlot, HorizontalBoxStandsAtItsNumbers) {
    StatMethods methods(0, 0);
    for (bool rule : {true, false}) {
        SCOPED_TRACE(rule);
        BoxFixture f;
        f.p().BoxPlot_ShowOutliers = rule;
        FillValues(f.data->columns[0], OneToNineAnd30);
        f.Draw();
        const std::vector<DrawnItem> boxes = f.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        const QRectF box = boxes[0].rect;
        // Caps are the vertical lines shorter than the box's height.
        std::vector<double> caps, full;
        for (const QLineF& l : f.PartsOf(box)) {
            if (std::abs(l.dx()) > 0.01)
                continue;
            (std::abs(l.dy()) < box.height() * 0.6 ? caps : full).push_back(l.x1());
        }
        ASSERT_EQ(caps.size(), 2u);
        ASSERT_EQ(full.size(), 1u);
        std::sort(caps.begin(), caps.end());
        const double top = rule ? 9 : 30;
        auto at = [&](double v) { return caps[0] + (v - 1) * (caps[1] - caps[0]) / (top - 1); };
        EXPECT_NEAR(box.left(), at(3), 1.5);
        EXPECT_NEAR(box.right(), at(8), 1.5);
        EXPECT_NEAR(full[0], at(5.5), 1.5);
        const std::vector<QRectF> marks = f.Marks();
        if (rule) {
            ASSERT_EQ(marks.size(), 1u);
            // Read off 8 units between the caps, so within 4 pixels at 30.
            EXPECT_NEAR(marks[0].center().x(), at(30), 4);
            EXPECT_NEAR(marks[0].center().y(), box.center().y(), 1.5);
        } else {
            EXPECT_TRUE(marks.empty());
        }
    }
}

// A column of one value draws a line where the box would be, with no
// whisker off to the page's edge and nothing marked.
TEST(BoxPlot, ConstantColumnIsALineWithNothingMarked) {
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        SCOPED_TRACE(mode);
        BoxFixture f;
        f.dc.SetMapMode(mode);
        FillValues(f.data->columns[0], {4, 4, 4});
        f.Draw(mode == MM_TEXT ? CRect(1000, 1000, 21000, 11000)
                               : CRect(1000, -1000, 21000, -11000));
        EXPECT_TRUE(f.Marks().empty());
        // Logical -1 lands within a pixel of the device's corner.
        for (const DrawnItem& item : f.device.Items()) {
            if (item.kind != DrawnItem::Line)
                continue;
            EXPECT_GT(item.rect.left(), 2);
            EXPECT_GT(item.rect.top(), 2);
        }
        // Under MM_HIMETRIC the one-unit-wide box is narrower than a pixel.
        const std::vector<DrawnItem> boxes = f.Boxes();
        ASSERT_EQ(boxes.size(), mode == MM_TEXT ? 1u : 0u);
        for (const DrawnItem& box : boxes)
            EXPECT_LE(box.rect.width(), 2);
    }
}

// Boxes take the fill of their slot and the band of their ordinal.
TEST(BoxPlot, FillBySlotBandByOrdinal) {
    BoxFixture f;
    f.p().dc = {0, -1, -1, 3, -1, -1, -1, -1, -1, -1};
    f.p().GraphStyle = 3;
    FillValues(f.data->columns[0], {1, 2, 3, 4, 5});
    FillValues(f.data->columns[3], {2, 3, 4, 5, 6});
    f.Draw();
    std::vector<DrawnItem> boxes = f.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    std::sort(boxes.begin(), boxes.end(),
              [](const DrawnItem& a, const DrawnItem& b) { return a.rect.top() < b.rect.top(); });
    auto colour = [&](int k) {
        return QColor(int(f.p().Brushes[3][size_t(k)].lbColor & 0xFF),
                      int((f.p().Brushes[3][size_t(k)].lbColor >> 8) & 0xFF),
                      int((f.p().Brushes[3][size_t(k)].lbColor >> 16) & 0xFF));
    };
    EXPECT_EQ(boxes[0].brush.color(), colour(0));
    EXPECT_EQ(boxes[1].brush.color(), colour(3));
    // Two bands share the height below the axis: the second starts one band
    // lower, the same height as the first.
    EXPECT_NEAR(boxes[0].rect.height(), boxes[1].rect.height(), 1);
    EXPECT_GT(boxes[1].rect.top(), boxes[0].rect.bottom());
}

// Upright boxes: the axis stands 100 right of the label width; the box area
// begins 250 past the label width and ends 100 short of the right edge,
// 100 below the top.
TEST(BoxPlot, UprightMargins) {
    StatMethods methods(0, 0);
    BoxFixture f;
    f.p().Orientate = 1;
    FillValues(f.data->columns[0], OneToNineAnd30);
    const CRect rect(1000, 1000, 21000, 11000);
    f.Draw(rect);
    const int lw = QvStatAxis::MeasureLabelWidth(1, 30, &f.dc, f.data.get());
    const int areaLeft = rect.left + lw + 250, areaRight = rect.right - 100;
    const int band = areaRight - areaLeft, gap = band / 10;
    const std::vector<DrawnItem> boxes = f.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NEAR(boxes[0].rect.left(), areaLeft + gap, 1);
    EXPECT_NEAR(boxes[0].rect.right(), areaLeft + band - gap + 1, 1);
    // The mark sits on the box's middle line, above the box (30 is high).
    const std::vector<QRectF> marks = f.Marks();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_NEAR(marks[0].center().x(), areaLeft + gap + (band - 2 * gap) / 2, 1.5);
    EXPECT_LT(marks[0].center().y(), boxes[0].rect.top());
    // The axis: the one long vertical line at x = left + 100 + lw.
    bool axis = false;
    for (const DrawnItem& item : f.device.Items())
        if (item.kind == DrawnItem::Line && std::abs(item.line.dx()) < 0.01 &&
            std::abs(item.line.dy()) > 8000)
            axis = axis || std::abs(item.line.x1() - (rect.left + 100 + lw)) < 1.5;
    EXPECT_TRUE(axis);
}

// Both orientations at print resolution, with titles, names and outliers,
// kept as stat_graph_box_*.png.
TEST(BoxPlot, RendersAtPrintResolution) {
    StatMethods methods(0, 0);
    for (int orientate : {0, 1}) {
        SCOPED_TRACE(orientate);
        auto data = std::make_unique<QvStatData>();
        QvStatProperties& p = data->properties;
        p.Title = QStringLiteral("Reaction times");
        p.dc = {0, 1, -1, 2, -1, -1, -1, -1, -1, -1};
        p.Orientate = orientate;
        p.BoxPlot_ShowOutliers = 1;
        data->columns[0].name = QStringLiteral("Morning");
        data->columns[1].name = QStringLiteral("Evening");
        data->columns[2].name = QStringLiteral("Night");
        FillValues(data->columns[0], OneToNineAnd30);
        FillValues(data->columns[1], {4, 6, 7, 7, 8, 9, 10, 11, 12, 13, 25, -8});
        FillValues(data->columns[2], {5, 5, 5});
        QvStatGraphBox box;
        const QImage image = RenderGraph(box, data.get(), 16000, 11000,
                                         QStringLiteral("stat_graph_box_%1").arg(orientate));
        // Ink in each third of the plot area: every box is drawn.
        const int w = image.width(), h = image.height();
        for (int k = 0; k < 3; ++k) {
            const QRect third = orientate == 0
                                    ? QRect(w / 5, h / 8 + k * h * 2 / 9, w * 3 / 5, h / 6)
                                    : QRect(w / 5 + k * w * 4 / 15, h / 5, w / 5, h * 3 / 5);
            EXPECT_GT(InkIn(image, third), 100) << k;
        }
    }
}

// A graph whose first slot is unused draws its boxes from the first used
// one; an orientation the options do not know lays the boxes flat.
TEST(BoxPlot, FirstUsedSlotAndUnknownOrientation) {
    BoxFixture f;
    f.p().dc = {-1, -1, 4, -1, -1, -1, -1, -1, -1, -1};
    f.p().Orientate = 7;
    FillValues(f.data->columns[4], {10, 20, 30, 40});
    f.Draw();
    const std::vector<DrawnItem> boxes = f.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    // Flat: wider than it is high.
    EXPECT_GT(boxes[0].rect.width(), boxes[0].rect.height());
    const std::vector<QLineF> parts = f.PartsOf(boxes[0].rect);
    ASSERT_FALSE(parts.empty());
}
