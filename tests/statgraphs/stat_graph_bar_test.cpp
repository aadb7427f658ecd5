// The bar and column graphs: how thick the bars of a category are, which
// column each series draws and with which fill, the legend, which rows make
// categories, bars of negative values and of values with no place on the
// value axis, the mapping modes, and a graph without data columns.
#include "common/recording_device.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

struct GraphFixture {
    GraphFixture() {
        data = std::make_unique<QvStatData>();
        p().BreakScales = 0;
        p().GraphStyle = 3;
    }
    QvStatProperties& p() { return data->properties; }
    void Set(int column, int row, double value) {
        QvStatCell& cell = data->columns[size_t(column)].cells[size_t(row)];
        cell.value = value;
        cell.count = 1;
        data->columns[size_t(column)].MarkDirty();
    }
    // Draws the graph type into a recording, in screen units or in 0.01 mm
    // with y upwards.
    void Draw(int type, bool himetric = false) {
        device.Clear();
        CDC dc(&device);
        if (himetric)
            dc.SetMapMode(MM_HIMETRIC);
        p().GraphType = type;
        QvStatGraphDispatcher().DrawGraph(
            &dc, himetric ? CRect(1000, -1000, 21000, -11000) : CRect(1000, 1000, 21000, 11000),
            data.get());
    }
    std::vector<DrawnItem> Filled(COLORREF colour) const {
        std::vector<DrawnItem> rects;
        for (const DrawnItem& item : device.Items())
            if ((item.kind == DrawnItem::Rect || item.kind == DrawnItem::Polygon ||
                 item.kind == DrawnItem::Path) &&
                item.brush.style() == Qt::SolidPattern &&
                item.brush.color() ==
                    QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)))
                rects.push_back(item);
        std::sort(rects.begin(), rects.end(), [](const DrawnItem& a, const DrawnItem& b) {
            return a.rect.left() < b.rect.left();
        });
        return rects;
    }
    std::vector<DrawnItem> Texts() const {
        std::vector<DrawnItem> texts;
        for (const DrawnItem& item : device.Items())
            if (item.kind == DrawnItem::Text && !item.text.trimmed().isEmpty())
                texts.push_back(item);
        return texts;
    }
    RecordingDevice device{22000, 12000};
    std::unique_ptr<QvStatData> data;
};

constexpr COLORREF kFills[3] = {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 220)};

void UseFills(QvStatProperties& p) {
    for (int j = 0; j < 3; ++j)
        p.Brushes[3][size_t(j)] = {BS_SOLID, kFills[j], 0};
}

// By hand: t = trunc((S - ceil(S/4)) / n), 0 below 1; o = (-t n) / 2.
TEST(StatBarGraphs, BarThicknessAndOffset) {
    struct Case {
        int spacing, series, thickness, offset;
    };
    const Case cases[] = {
        {100, 2, 37, -37}, {100, 10, 7, -35}, {3, 4, 0, 0},   {100, 1, 75, -37},
        {101, 3, 25, -37}, {1, 1, 0, 0},      {100, 0, 0, 0}, {0, 2, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.spacing << " / " << c.series);
        const QvStatBarSlots shares = QvStatBarSlotsFor(c.spacing, c.series);
        EXPECT_EQ(shares.thickness, c.thickness);
        EXPECT_EQ(shares.offset, c.offset);
    }
}

// dc {2, -1, 5, 7}: the series are columns C, F and H, filled with the
// scheme's first three brushes, and the legend lists them in that order; an
// unnamed column shows its symbol.  An empty cell leaves its slot empty.
TEST(StatBarGraphs, SeriesFollowTheUsedEntriesInOrder) {
    GraphFixture f;
    UseFills(f.p());
    f.p().dc = {2, -1, 5, 7, -1, -1, -1, -1, -1, -1};
    f.data->columns[2].name = QStringLiteral("Cats");
    f.data->columns[5].name.clear();
    f.data->columns[5].symbol = QStringLiteral("F");
    f.data->columns[7].name = QStringLiteral("Dogs");
    const double values[3][3] = {{4, 6, 8}, {5, 0, 9}, {7, 3, 2}};
    for (int s = 0; s < 3; ++s)
        for (int r = 0; r < 3; ++r)
            if (!(s == 1 && r == 1)) // F is empty in row 1
                f.Set(2 + (s == 0 ? 0 : s == 1 ? 3 : 5), r, values[s][r]);

    for (int type : {QvStatGraphDispatcher::Column, QvStatGraphDispatcher::Bar}) {
        SCOPED_TRACE(type);
        f.Draw(type);
        // Legend: a key box per series, then the bars.
        const std::vector<DrawnItem> texts = f.Texts();
        std::vector<QString> legend;
        std::vector<double> legendY;
        for (const DrawnItem& text : texts)
            if (text.text == "Cats" || text.text == "F" || text.text == "Dogs") {
                legend.push_back(text.text);
                legendY.push_back(text.rect.top());
            }
        ASSERT_EQ(legend, (std::vector<QString>{"Cats", "F", "Dogs"}));
        EXPECT_LT(legendY[0], legendY[1]);
        EXPECT_LT(legendY[1], legendY[2]);
        // Each fill: its key box and one bar per value of its column.
        const int counts[3] = {3, 2, 3};
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(f.Filled(kFills[s]).size(), size_t(1 + counts[s])) << s;
    }

    // Columns of one category side by side in series order, each as long as
    // its value; F's slot in row 1 stays empty.
    f.Draw(QvStatGraphDispatcher::Column);
    std::vector<DrawnItem> bars[3];
    for (int s = 0; s < 3; ++s) {
        bars[s] = f.Filled(kFills[s]);
        // The key box is at the right, beyond every column.
        bars[s].pop_back();
    }
    const double unit = bars[0][0].rect.height() / 4; // column C row 0 is 4
    EXPECT_NEAR(bars[0][1].rect.height(), 6 * unit, 3);
    EXPECT_NEAR(bars[2][2].rect.height(), 2 * unit, 3);
    EXPECT_NEAR(bars[1][1].rect.height(), 9 * unit, 3); // F row 2
    EXPECT_LT(bars[0][0].rect.left(), bars[1][0].rect.left());
    EXPECT_LT(bars[1][0].rect.left(), bars[2][0].rect.left());
    // Row 1: C and H only, with the gap where F's column would be.
    EXPECT_GT(bars[2][1].rect.left() - bars[0][1].rect.right(), bars[0][1].rect.width() * 0.9);
    EXPECT_GT(bars[1][1].rect.left(), bars[2][1].rect.right()); // F row 2 is in the next group
}

// A row empty in every chosen column makes no category: the next row with a
// value takes the next place.  Negative values reach to the other side of 0.
TEST(StatBarGraphs, EmptyRowsMakeNoCategoryAndNegativeValuesDrawDownwards) {
    GraphFixture f;
    UseFills(f.p());
    f.p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    f.p().Column_Legend = 0;
    f.p().Bar_Legend = 0;
    const double values[] = {3, 5, -2, 4};
    const int rows[] = {0, 1, 2, 5}; // rows 3 and 4 empty
    for (int i = 0; i < 4; ++i)
        f.Set(0, rows[i], values[i]);
    f.Draw(QvStatGraphDispatcher::Column);
    const std::vector<DrawnItem> bars = f.Filled(kFills[0]);
    ASSERT_EQ(bars.size(), 4u);
    const double step = bars[1].rect.center().x() - bars[0].rect.center().x();
    EXPECT_NEAR(bars[3].rect.center().x() - bars[2].rect.center().x(), step, 2);
    // The negative column hangs from the zero line the others stand on.
    EXPECT_NEAR(bars[2].rect.top(), bars[0].rect.bottom(), 2);
    EXPECT_GT(bars[2].rect.bottom(), bars[0].rect.bottom() + 10);

    f.Draw(QvStatGraphDispatcher::Bar);
    std::vector<DrawnItem> horizontal = f.Filled(kFills[0]);
    ASSERT_EQ(horizontal.size(), 4u);
    std::sort(horizontal.begin(), horizontal.end(),
              [](const DrawnItem& a, const DrawnItem& b) { return a.rect.top() < b.rect.top(); });
    // Category 1 at the top; the negative bar left of 0.
    EXPECT_NEAR(horizontal[2].rect.right(), horizontal[0].rect.left(), 2);
    EXPECT_LT(horizontal[2].rect.left(), horizontal[0].rect.left() - 10);
    EXPECT_NEAR(horizontal[1].rect.width() / horizontal[0].rect.width(), 5.0 / 3, 0.02);
}

// A value the value axis has no place for has no bar, instead of one drawn
// out to the coordinate -1: here a value counted 0 times, which the axis's
// range leaves out.
TEST(StatBarGraphs, ValuesWithNoPlaceOnTheAxisHaveNoBar) {
    GraphFixture f;
    UseFills(f.p());
    f.p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    f.p().Bar_Legend = 0;
    f.p().Column_Legend = 0;
    for (int r = 0; r < 4; ++r)
        f.Set(0, r, 10 + r);
    f.data->columns[0].cells[2].value = 5000;
    f.data->columns[0].cells[2].count = 0;
    for (int type : {QvStatGraphDispatcher::Bar, QvStatGraphDispatcher::Column}) {
        SCOPED_TRACE(type);
        f.Draw(type);
        const std::vector<DrawnItem> bars = f.Filled(kFills[0]);
        EXPECT_EQ(bars.size(), 3u);
        for (const DrawnItem& bar : bars) {
            EXPECT_GT(bar.rect.left(), 900);
            EXPECT_GT(bar.rect.top(), 900);
        }
    }
}

// With y upwards the first series is still the topmost bar of its group
// and the legend still grows down the page: the same picture either way.
TEST(StatBarGraphs, BothMappingModesGiveTheSamePicture) {
    GraphFixture f;
    UseFills(f.p());
    f.p().dc = {0, 1, 2, -1, -1, -1, -1, -1, -1, -1};
    for (int c = 0; c < 3; ++c) {
        f.data->columns[size_t(c)].name = QString(QChar('P' + c));
        for (int r = 0; r < 2; ++r)
            f.Set(c, r, 2 + c + r);
    }
    for (bool himetric : {false, true}) {
        SCOPED_TRACE(himetric);
        f.Draw(QvStatGraphDispatcher::Bar, himetric);
        double barTop[3], keyTop[3];
        for (int s = 0; s < 3; ++s) {
            const std::vector<DrawnItem> filled = f.Filled(kFills[s]);
            ASSERT_EQ(filled.size(), 3u); // two bars and the key box
            barTop[s] = std::min(filled[0].rect.top(), filled[1].rect.top());
            keyTop[s] = filled.back().rect.top();
        }
        EXPECT_LT(barTop[0], barTop[1]);
        EXPECT_LT(barTop[1], barTop[2]);
        EXPECT_LT(keyTop[0], keyTop[1]);
        EXPECT_LT(keyTop[1], keyTop[2]);
    }
}

// A fill scheme number from a damaged file fills from the last scheme
// rather than from beyond the table; the back-to-back flag plays no part.
TEST(StatBarGraphs, OddOptionsDrawAsTheNearestOnes) {
    GraphFixture f;
    UseFills(f.p());
    f.p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    f.Set(0, 0, 3);
    f.Set(0, 1, 5);
    auto picture = [&](int type) {
        f.Draw(type);
        std::vector<QRectF> rects;
        for (const DrawnItem& item : f.device.Items())
            rects.push_back(item.rect);
        return rects;
    };
    for (int type : {QvStatGraphDispatcher::Bar, QvStatGraphDispatcher::Column}) {
        SCOPED_TRACE(type);
        f.p().GraphStyle = 7;
        f.Draw(type);
        EXPECT_EQ(f.Filled(kFills[0]).size(), 3u); // two bars and the key box
        f.p().GraphStyle = 3;
        f.p().Back2Back = 0;
        const std::vector<QRectF> plain = picture(type);
        f.p().Back2Back = 1;
        EXPECT_EQ(picture(type), plain);
    }
}

// Without a data column in use there is nothing to share the slots: no
// legend entry and no bar, only the title.
TEST(StatBarGraphs, NoDataColumnDrawsOnlyTheTitle) {
    GraphFixture f;
    f.p().dc.fill(-1);
    f.p().Title = QStringLiteral("Rainfall");
    f.Set(0, 0, 3);
    for (int type : {QvStatGraphDispatcher::Bar, QvStatGraphDispatcher::Column}) {
        SCOPED_TRACE(type);
        f.Draw(type);
        const std::vector<DrawnItem> texts = f.Texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "Rainfall");
        // Nothing but the title and the background of its text.
        for (const DrawnItem& item : f.device.Items()) {
            EXPECT_TRUE(item.kind == DrawnItem::Text || item.kind == DrawnItem::Rect);
            if (item.kind == DrawnItem::Rect) {
                EXPECT_EQ(item.brush.color(), QColor(Qt::white));
            }
        }
    }
}

} // namespace

namespace {

// Pixels of 0.01 mm units at 300 dpi.
int Px(int units) {
    return int(units * 300LL / 2540);
}

// Pixels of exactly this colour in a part of the image.
int CountColour(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

} // namespace

// Three series with labels, legend and titles under each fill scheme, at
// print resolution, one panel per scheme; the pictures are kept in the
// build folder for a person to look at.
TEST(StatBarGraphs, RendersAtPrintResolution) {
    auto data = std::make_unique<QvStatData>();
    QvStatProperties& p = data->properties;
    p.dc = {0, 1, 2, -1, -1, -1, -1, -1, -1, -1};
    p.LabelCol1 = 3;
    p.xAxis = QStringLiteral("Month");
    p.yAxis = QStringLiteral("mm");
    p.yAxisMid = QStringLiteral("Rainfall");
    const char* names[] = {"Leeds", "Bergen", "Lyon"};
    const char* months[] = {"January", "February", "March", "April", "May"};
    const double rain[3][5] = {
        {62, 45, 51, 48, 50}, {190, 152, 170, 114, 106}, {47, 44, 54, 70, 85}};
    for (int c = 0; c < 3; ++c) {
        data->columns[size_t(c)].name = QString::fromLatin1(names[c]);
        for (int r = 0; r < 5; ++r)
            data->columns[size_t(c)].cells[size_t(r)] = {rain[c][r], 1, {}};
        data->columns[size_t(c)].MarkDirty();
    }
    for (int r = 0; r < 5; ++r)
        data->columns[3].cells[size_t(r)].text = QString::fromLatin1(months[r]);

    const int panelW = 12000, panelH = 8000;
    for (int type : {QvStatGraphDispatcher::Bar, QvStatGraphDispatcher::Column}) {
        SCOPED_TRACE(type);
        QImage image(Px(2 * panelW), Px(2 * panelH), QImage::Format_RGB32);
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
        image.fill(Qt::white);
        for (int style = 0; style < 4; ++style) {
            p.GraphStyle = style;
            p.GraphType = type;
            p.Title = QStringLiteral("Rainfall, GraphStyle %1").arg(style);
            const int left = (style % 2) * panelW, top = -(style / 2) * panelH;
            CDC dc(&image);
            dc.SetMapMode(MM_HIMETRIC);
            QvStatGraphDispatcher().DrawGraph(
                &dc, CRect(left + 300, top - 300, left + panelW - 300, top - panelH + 300),
                data.get());
        }
        image.save(QStringLiteral(LUMBREL_BINARY_DIR "/stat_graph_%1.png")
                       .arg(type == QvStatGraphDispatcher::Bar ? "bar" : "column"));
        // The shaded panels hold each series' fill over a good area: five
        // bars some millimetres long and more than one wide.
        for (int style : {2, 3}) {
            const QRect panel(Px((style % 2) * panelW), Px((style / 2) * panelH), Px(panelW),
                              Px(panelH));
            for (int j = 0; j < 3; ++j) {
                const LOGBRUSH& b = p.Brushes[size_t(style)][size_t(j)];
                const QRgb colour =
                    qRgb(GetRValue(b.lbColor), GetGValue(b.lbColor), GetBValue(b.lbColor));
                EXPECT_GT(CountColour(image, panel, colour), 5 * 15 * 30) << style << " " << j;
            }
        }
    }
}
