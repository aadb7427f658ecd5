// The stem and leaf plot: the unit chosen for a spread, the stem texts,
// and the plot as written: stems bottom up, leaves in order along their
// rows, back to back, split, rounded, negative and wide data.  Expected
// plots are worked out by hand from the values.
#include "common/recording_device.h"
#include "platform/dc.h"
#include "statgraphs/drawers/stat_graph_stem_leaf.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace {

using Row = std::vector<QString>;

TEST(StemUnit, TableGivesUnitLeafPlacesAndSplit) {
    struct Case {
        double lo, hi;
        int stems;
        bool split;
        double unit;
        int digits, power, second;
        bool halves;
    };
    const Case cases[] = {
        // w = 26/16 = 1.625
        {12, 38, 15, false, 10, 1, 0, 0, false},
        {12, 38, 15, true, 5, 1, 0, 0, true},
        // A stem count a file could hold but the options page cannot: 15.
        {12, 38, 0, false, 10, 1, 0, 0, false},
        {12, 38, 36, true, 5, 1, 0, 0, true},
        // w = 29/16 = 1.8125
        {41, 70, 15, true, 5, 1, 0, 0, true},
        // w = 0.05
        {0.1, 0.9, 15, false, 0.1, 1, -2, 0, false},
        {0.1, 0.9, 15, true, 0.05, 1, -2, 0, true},
        // w = 15: tens and units
        {230, 470, 15, false, 100, 2, 1, 0, false},
        {230, 470, 15, true, 50, 2, 1, 0, true},
        // w = 0.0001 exactly: the first unit
        {0, 0.0016, 15, false, 0.0001, 1, -5, 0, false},
        // w = 1 with 35 stems
        {0, 36, 35, false, 1, 1, -1, 0, false},
        // All equal.
        {5, 5, 15, true, 1, 1, 0, 0, false},
        // Past 100 the tables go on: w = 312.5.
        {0, 5000, 15, false, 1000, 1, 2, 0, false},
        {0, 5000, 15, true, 500, 1, 2, 0, true},
        // w = 1e12, the last unit.
        {0, 1.6e13, 15, false, 1e12, 1, 11, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi << " stems " << c.stems
                                        << (c.split ? " split" : ""));
        const QvStemUnit u = QvStatGraphStemLeaf::ChooseStemUnit(c.lo, c.hi, c.stems, c.split);
        EXPECT_TRUE(u.valid);
        EXPECT_EQ(u.unit, c.unit);
        EXPECT_EQ(u.leafDigits, c.digits);
        EXPECT_EQ(u.leafPower, c.power);
        if (c.digits == 2) {
            EXPECT_EQ(u.secondPower, c.second);
        }
        EXPECT_EQ(u.split, c.halves);
    }
    // Wider than any unit: nothing to plot.
    EXPECT_FALSE(QvStatGraphStemLeaf::ChooseStemUnit(0, 1.7e13, 15, false).valid);
    EXPECT_FALSE(QvStatGraphStemLeaf::ChooseStemUnit(0, 1e300, 15, true).valid);
}

TEST(StemUnit, StemTextKeepsTheDigitsAboveTheLeaf) {
    struct Case {
        double value;
        int power;
        char mark;
        const char* text;
    };
    const Case cases[] = {
        {23.7, -1, '.', "23."}, {237, 0, '.', "23"},       {0.3, -2, '.', "0.3"},
        {200, 1, '.', "2"},     {1500, 2, '.', "1"},       {10, 0, '.', "1"},
        {0, 0, '.', "0"},       {5, 0, '.', "0"},          {0, -1, '.', "0."},
        {2, -1, ',', "2,"},     {0.0005, -4, '.', "0.000"}, {12.5, -1, '.', "12."},
        {0.25, -3, '.', "0.25"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " at " << c.power);
        EXPECT_EQ(QvStemText(c.value, c.power, c.mark), QString::fromLatin1(c.text));
    }
}

// A plot as written: stem labels bottom up, and per stem the leaves on
// each side in the order they read outward from the stems.
struct Plot {
    QString title;
    std::vector<QString> stems;
    std::vector<Row> right, left;
    // Every text's box, in device pixels, and the title's.
    std::vector<QRectF> boxes;
    QRectF titleBox;
    int texts = 0;
};

class StemLeafTest : public testing::Test {
protected:
    StemLeafTest() : data(std::make_unique<QvStatData>()) {
        p().GraphType = 7;
        p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    }
    QvStatProperties& p() { return data->properties; }
    void Fill(int column, const std::vector<double>& values) {
        QvStatColumn& c = data->columns[size_t(column)];
        for (size_t r = 0; r < values.size(); ++r)
            c.cells[r] = {values[r], 1, {}};
        c.MarkDirty();
    }

    // Drawn in 0.01 mm, y upwards, into a page 200 by 300 mm.
    Plot Draw() {
        RecordingDevice device(2400, 3600, 300);
        QvStatGraphStemLeaf drawer;
        {
            CDC dc(&device);
            dc.SetMapMode(MM_HIMETRIC);
            drawer.SetData(data.get());
            drawer.Draw(&dc, CRect(0, 0, 20000, -30000));
        }
        Plot plot;
        std::vector<DrawnItem> texts;
        for (const DrawnItem& item : device.Items())
            if (item.kind == DrawnItem::Text)
                texts.push_back(item);
        plot.texts = int(texts.size());
        size_t next = 0;
        if (!p().Title.isEmpty() && !texts.empty()) {
            plot.title = texts[0].text;
            plot.titleBox = texts[0].rect;
            next = 1;
        }
        const int n = drawer.StemCount();
        if (texts.size() < next + size_t(n)) {
            ADD_FAILURE() << "fewer texts than stems";
            return plot;
        }
        // Stems come top row first.
        std::vector<double> rowY(size_t(n), 0);
        double stemX = 0;
        for (int i = 0; i < n; ++i) {
            const DrawnItem& t = texts[next + size_t(i)];
            plot.stems.insert(plot.stems.begin(), t.text);
            rowY[size_t(n - 1 - i)] = t.point.y();
            stemX = t.rect.center().x();
            EXPECT_EQ(t.text, drawer.StemLabel(n - 1 - i));
        }
        plot.right.assign(size_t(n), Row());
        plot.left.assign(size_t(n), Row());
        using Placed = std::vector<std::vector<std::pair<double, QString>>>;
        Placed right(static_cast<size_t>(n));
        Placed left(static_cast<size_t>(n));
        for (size_t i = next + size_t(n); i < texts.size(); ++i) {
            const DrawnItem& t = texts[i];
            const auto row = std::find_if(rowY.begin(), rowY.end(), [&](double y) {
                return std::abs(y - t.point.y()) < 0.5;
            });
            if (row == rowY.end()) {
                ADD_FAILURE() << "leaf " << t.text.toStdString() << " on no stem's row";
                continue;
            }
            auto& side = t.point.x() < stemX ? left : right;
            side[size_t(row - rowY.begin())].push_back({t.point.x(), t.text});
        }
        for (int k = 0; k < n; ++k) {
            std::sort(right[size_t(k)].begin(), right[size_t(k)].end());
            std::sort(left[size_t(k)].rbegin(), left[size_t(k)].rend());
            for (auto& e : right[size_t(k)])
                plot.right[size_t(k)].push_back(e.second);
            for (auto& e : left[size_t(k)])
                plot.left[size_t(k)].push_back(e.second);
        }
        for (const DrawnItem& t : texts)
            plot.boxes.push_back(t.rect);
        return plot;
    }

    std::unique_ptr<QvStatData> data;
};

std::vector<QString> Texts(std::initializer_list<const char*> list) {
    std::vector<QString> out;
    for (const char* s : list)
        out.push_back(QString::fromUtf8(s));
    return out;
}

std::vector<Row> Rows(std::initializer_list<std::initializer_list<const char*>> rows) {
    std::vector<Row> out;
    for (auto r : rows)
        out.push_back(Texts(r));
    return out;
}

TEST_F(StemLeafTest, SinglePlotsWholeAndSplit) {
    struct Case {
        const char* name;
        std::vector<double> values;
        bool split;
        std::vector<QString> stems;
        std::vector<Row> leaves;
    };
    const std::vector<Case> cases = {
        {"five values", {12, 15, 21, 23, 38}, false, Texts({"1", "2", "3"}),
         Rows({{"2", "5"}, {"1", "3"}, {"8"}})},
        {"five values split",
         {12, 15, 21, 23, 38},
         true,
         Texts({"1L", "1H", "2L", "2H", "3L", "3H"}),
         Rows({{"2"}, {"5"}, {"1", "3"}, {}, {}, {"8"}})},
        {"ten values",
         {41, 43, 47, 52, 55, 55, 58, 63, 69, 70},
         false,
         Texts({"4", "5", "6", "7"}),
         Rows({{"1", "3", "7"}, {"2", "5", "5", "8"}, {"3", "9"}, {"0"}})},
        {"ten values split",
         {41, 43, 47, 52, 55, 55, 58, 63, 69, 70},
         true,
         Texts({"4L", "4H", "5L", "5H", "6L", "6H", "7L"}),
         Rows({{"1", "3"}, {"7"}, {"2"}, {"5", "5", "8"}, {"3"}, {"9"}, {"0"}})},
        {"tenths",
         {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9},
         false,
         Texts({"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}),
         Rows({{"0"}, {"0"}, {"0"}, {"0"}, {"0"}, {"0"}, {"0"}, {"0"}, {"0"}})},
        {"hundreds", {470, 230}, false, Texts({"2", "3", "4"}), Rows({{"30"}, {}, {"70"}})},
        {"all equal", {7, 7, 7}, false, Texts({"0"}), Rows({{"7", "7", "7"}})},
        // The second two-digit leaf of a stem follows a comma.
        {"commas", {230, 250, 470}, false, Texts({"2", "3", "4"}), Rows({{"30", ",50"}, {}, {"70"}})},
        // Past the table's 100: w = 312.5, unit 1000, the hundreds digit.
        {"thousands", {0, 2300, 5000}, false, Texts({"0", "1", "2", "3", "4", "5"}),
         Rows({{"0"}, {}, {"3"}, {}, {}, {"0"}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data->columns[0].Clear();
        Fill(0, c.values);
        p().StemLeaf_AllowSplit = c.split;
        const Plot plot = Draw();
        EXPECT_EQ(plot.stems, c.stems);
        EXPECT_EQ(plot.right, c.leaves);
        EXPECT_EQ(plot.left, std::vector<Row>(c.stems.size()));
    }
}

// Back to back, the first column's leaves grow leftward, each two-digit
// leaf after the first followed by its comma.
TEST_F(StemLeafTest, BackToBackReadsOutwardOnBothSides) {
    Fill(0, {250, 230, 310});
    Fill(1, {470, 410});
    p().dc[1] = 1;
    const Plot plot = Draw();
    EXPECT_EQ(plot.stems, Texts({"2", "3", "4"}));
    EXPECT_EQ(plot.left, Rows({{"30", "50,"}, {"10"}, {}}));
    EXPECT_EQ(plot.right, Rows({{}, {}, {"10", ",70"}}));
}

TEST_F(StemLeafTest, UnsortedKeepsRowOrder) {
    Fill(0, {38, 12, 23, 15, 21});
    p().StemLeaf_SortData = 0;
    EXPECT_EQ(Draw().right, Rows({{"2", "5"}, {"3", "1"}, {"8"}}));
    p().StemLeaf_SortData = 1;
    EXPECT_EQ(Draw().right, Rows({{"2", "5"}, {"1", "3"}, {"8"}}));
}

// w = 7.64 / 16 gives unit 1 and the tenths as leaves.
TEST_F(StemLeafTest, RoundedLeavesRoundTheValuesFirst) {
    Fill(0, {2.36, 10});
    p().StemLeaf_RoundLeaf = 1;
    Plot plot = Draw();
    ASSERT_FALSE(plot.stems.empty());
    EXPECT_EQ(plot.stems.front(), "2.");
    EXPECT_EQ(plot.right.front(), Row{"4"});
    p().StemLeaf_RoundLeaf = 0;
    plot = Draw();
    ASSERT_FALSE(plot.stems.empty());
    EXPECT_EQ(plot.right.front(), Row{"3"});
}

// Rounding the lowest value of 296 up to 300 would leave 296 below the
// first stem: with two-digit leaves nothing is rounded.
TEST_F(StemLeafTest, RoundingNeverLeavesAValueBelowTheStems) {
    Fill(0, {296, 300, 520});
    p().StemLeaf_RoundLeaf = 1;
    const Plot plot = Draw();
    EXPECT_EQ(plot.stems, Texts({"2", "3", "4", "5"}));
    EXPECT_EQ(plot.right, Rows({{"96"}, {"00"}, {}, {"20"}}));
}

// Stems below zero hold the values truncated toward zero, "-0" between -1
// and 0, and their leaves read outward from zero.
TEST_F(StemLeafTest, NegativeValuesReadAsWritten) {
    Fill(0, {-19, -11, -15, -5, 3, 17});
    const Plot plot = Draw();
    EXPECT_EQ(plot.stems, Texts({"-1", "-0", "0", "1"}));
    EXPECT_EQ(plot.right, Rows({{"1", "5", "9"}, {"5"}, {"3"}, {"7"}}));
    // w = 8 / 16 = 0.5: half stems, the tenths as leaves; below zero the
    // high half lies lower.
    p().StemLeaf_AllowSplit = 1;
    data->columns[0].Clear();
    Fill(0, {-3.7, -0.4, 4.3, -3.2, 0.4});
    const Plot split = Draw();
    ASSERT_EQ(split.stems.size(), 17u);
    EXPECT_EQ(split.stems[0], "-3.H");
    EXPECT_EQ(split.stems[1], "-3.L");
    EXPECT_EQ(split.stems[6], "-0.H");
    EXPECT_EQ(split.stems[7], "-0.L");
    EXPECT_EQ(split.stems[8], "0.L");
    EXPECT_EQ(split.stems.back(), "4.L");
    EXPECT_EQ(split.right[0], Row{"7"});
    EXPECT_EQ(split.right[1], Row{"2"});
    EXPECT_EQ(split.right[7], Row{"4"});
    EXPECT_EQ(split.right[8], Row{"4"});
    EXPECT_EQ(split.right.back(), Row{"3"});
}

// 35 stems asked for and 0 to 36: w = 1, 37 stems of one leaf each, all of
// them below the title.
TEST_F(StemLeafTest, AsManyStemsAsTheDataNeedBelowTheTitle) {
    std::vector<double> values;
    for (int v = 0; v <= 36; ++v)
        values.push_back(v);
    Fill(0, values);
    p().StemLeaf_NumStems = 35;
    p().Title = QStringLiteral("Scores");
    const Plot plot = Draw();
    ASSERT_EQ(plot.stems.size(), 37u);
    EXPECT_EQ(plot.stems.front(), "0.");
    EXPECT_EQ(plot.stems.back(), "36.");
    EXPECT_EQ(plot.right, std::vector<Row>(37, Row{"0"}));
    ASSERT_FALSE(plot.titleBox.isEmpty());
    for (size_t i = 1; i < plot.boxes.size(); ++i)
        EXPECT_GE(plot.boxes[i].top(), plot.titleBox.bottom() - 1) << i;
}

TEST_F(StemLeafTest, NothingToPlotLeavesTheTitleAlone) {
    p().Title = QStringLiteral("Heights");
    struct Case {
        const char* name;
        int first;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"no column", -1, {1, 2, 3}},
        {"empty column", 0, {}},
        {"too wide", 0, {0, 1e14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data->columns[0].Clear();
        Fill(0, c.values);
        p().dc[0] = c.first;
        const Plot plot = Draw();
        EXPECT_EQ(plot.texts, 1);
        EXPECT_EQ(plot.title, "Heights");
    }
}

} // namespace

namespace {

// Pixels of a 300 dpi page per 0.01 mm.
int Px(double himetric) {
    return int(std::lround(himetric * 300.0 / 2540.0));
}

bool DarkIn(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.valid(x, y) && qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

// Single, split and back to back, as printed; the pictures are kept next
// to the build for a look.
TEST_F(StemLeafTest, RendersAtPrintResolution) {
    Fill(0, {41, 43, 47, 52, 55, 55, 58, 63, 69, 70, 44, 61, 66, 49});
    Fill(1, {38, 45, 51, 53, 57, 62, 64, 64, 68, 72, 75, 49});
    p().Title = QStringLiteral("Pulse rates");
    struct Case {
        const char* name;
        bool split;
        int second;
    };
    const Case cases[] = {{"single", false, -1}, {"split", true, -1}, {"back_to_back", false, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p().StemLeaf_AllowSplit = c.split;
        p().dc[1] = c.second;
        QImage image(Px(10000), Px(10000), QImage::Format_RGB32);
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
        image.fill(Qt::white);
        QvStatGraphStemLeaf drawer;
        {
            CDC dc(&image);
            dc.SetMapMode(MM_HIMETRIC);
            drawer.SetData(data.get());
            drawer.Draw(&dc, CRect(0, 0, 10000, -10000));
        }
        image.save(QStringLiteral(LUMBREL_BINARY_DIR "/stem_leaf_%1.png").arg(c.name));
        // Ink above the plot's middle row, none in the bottom fifth of the page.
        ASSERT_GT(drawer.StemCount(), 2);
        EXPECT_TRUE(DarkIn(image, QRect(0, Px(500), Px(10000), Px(2500))));
        EXPECT_FALSE(DarkIn(image, QRect(0, Px(8000), Px(10000), Px(2000))));
    }
}

} // namespace
