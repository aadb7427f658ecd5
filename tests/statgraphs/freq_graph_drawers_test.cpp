// The histogram, cumulative frequency and frequency polygon drawers: what
// they draw where, through a frame laid out as theirs is; the title alone
// without a first column; the legend's room; and each graph rendered at
// print resolution.
#include "common/recording_device.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_freq_graphs.h"
#include "statgraphs/stat_graph.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace {

const CRect kRect(0, 0, 20000, 12000);

struct DrawerFixture : ::testing::Test {
    DrawerFixture() : device(22000, 14000), dc(&device), data(std::make_unique<QvStatData>()) {}
    QvStatProperties& p() { return data->properties; }
    QvStatColumn& col(int i) { return data->columns[size_t(i)]; }
    void Values(int c, const std::vector<double>& values) {
        col(c).Clear();
        for (size_t i = 0; i < values.size(); ++i)
            col(c).cells[i] = {values[i], 1, QString::number(values[i])};
        col(c).MarkDirty();
    }
    void Draw(QvStatGraph&& drawer) {
        drawer.SetData(data.get());
        drawer.Draw(&dc, kRect);
    }
    std::vector<DrawnItem> Of(DrawnItem::Kind kind) const {
        std::vector<DrawnItem> out;
        for (const DrawnItem& item : device.Items())
            if (item.kind == kind)
                out.push_back(item);
        return out;
    }
    // The frame the drawer lays out, for the positions it should use.
    void Frame(QvStatXYAxes& frame, double xmin, double xmax, double ymin, double ymax,
               int right = kRect.right) {
        frame.Layout(kRect.left, kRect.top, right, kRect.bottom, xmin, xmax, ymin, ymax, data.get(),
                     &dc);
    }

    RecordingDevice device;
    CDC dc;
    std::unique_ptr<QvStatData> data;
};

void ExpectPolygon(const DrawnItem& item, const std::vector<CPoint>& want) {
    ASSERT_EQ(item.kind, DrawnItem::Polygon);
    ASSERT_EQ(item.polygon.size(), qsizetype(want.size()));
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(item.polygon[qsizetype(i)].x(), want[i].x, 1.0);
        EXPECT_NEAR(item.polygon[qsizetype(i)].y(), want[i].y, 1.0);
    }
}

TEST_F(DrawerFixture, WithoutAFirstColumnTheHistogramDrawsItsTitleAlone) {
    p().Title = QStringLiteral("Heights");
    p().dc = {-1, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    Values(1, {1, 2, 3});
    Draw(QvStatGraphHisto());
    QString drawn;
    for (const DrawnItem& item : device.Items()) {
        // Text, on its opaque background cell: no frame, no bars.
        EXPECT_TRUE(item.kind == DrawnItem::Text || item.kind == DrawnItem::Rect) << item.kind;
        drawn += item.text;
    }
    EXPECT_EQ(drawn, QStringLiteral("Heights"));
}

TEST_F(DrawerFixture, HistogramBarsStandOnTheirClasses) {
    p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    p().NumberGroups = 5;
    Values(0, {2, 3, 3, 5, 7, 8, 8, 8, 12, 15});
    for (int style : {0, 3}) {
        SCOPED_TRACE(style);
        device.Clear();
        p().GraphStyle = style;
        Draw(QvStatGraphHisto());
        QvStatXYAxes frame;
        Frame(frame, -5.5, 22.5, 0, 4);
        const std::vector<DrawnItem> bars = Of(DrawnItem::Polygon);
        ASSERT_EQ(bars.size(), 4u);
        const double lower[] = {-2.5, 2.5, 7.5, 12.5};
        const double height[] = {1, 4, 4, 1};
        for (int i = 0; i < 4; ++i) {
            const double lo = lower[i], hi = lower[i] + 5, h = height[i];
            ExpectPolygon(bars[size_t(i)], {frame.ValueToPoint(lo, 0), frame.ValueToPoint(lo, h),
                                            frame.ValueToPoint(hi, h), frame.ValueToPoint(hi, 0)});
        }
        // Line art: black outlines, hollow bars; colour: filled and
        // outlined in the series colour.
        const QColor fill = QColor(QRgb(0));
        const COLORREF c = p().Brushes[3][0].lbColor;
        const QColor series(GetRValue(c), GetGValue(c), GetBValue(c));
        EXPECT_EQ(bars[0].pen.color(), style == 0 ? fill : series);
        if (style == 0)
            EXPECT_EQ(bars[0].brush.style(), Qt::NoBrush);
        else
            EXPECT_EQ(bars[0].brush.color(), series);
    }
}

TEST_F(DrawerFixture, BackToBackLabelsLeftOfZeroHaveNoSign) {
    p().dc = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    p().NumberGroups = 10;
    Values(0, {12, 15, 21, 23, 38, 12, 15, 21});
    Values(1, {18, 25, 27, 31, 44});
    Draw(QvStatGraphHisto());
    QvStatXYAxes frame;
    Frame(frame, -2, 2, 2, 54);
    // A's class 12.5 to 17.5 holds 2: its bar runs from 0 to -2.
    const std::vector<DrawnItem> bars = Of(DrawnItem::Polygon);
    ASSERT_EQ(bars.size(), 14u);
    ExpectPolygon(bars[1], {frame.ValueToPoint(0, 12.5), frame.ValueToPoint(-2, 12.5),
                            frame.ValueToPoint(-2, 17.5), frame.ValueToPoint(0, 17.5)});
    int labels = 0;
    for (const DrawnItem& text : Of(DrawnItem::Text)) {
        EXPECT_FALSE(text.text.contains(QChar(0x2013)) || text.text.contains(u'-'))
            << text.text.toStdString();
        ++labels;
    }
    EXPECT_GT(labels, 4);
}

TEST_F(DrawerFixture, CumulativeLineEndsInAnArrowhead) {
    p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    Values(0, {12, 15, 15, 20});
    Draw(QvStatGraphCum());
    QvStatXYAxes frame;
    Frame(frame, 6, 26, 0, 4);
    std::vector<CPoint> want;
    for (auto [x, y] : {std::pair{9.0, 0.0}, {12.0, 1.0}, {15.0, 3.0}, {20.0, 4.0}, {26.0, 4.0}})
        want.push_back(frame.ValueToPoint(x, y));
    // The polyline's segments, then the arrowhead's two strokes.
    const std::vector<DrawnItem> lines = Of(DrawnItem::Line);
    auto at = std::find_if(lines.begin(), lines.end(), [&](const DrawnItem& l) {
        return std::abs(l.line.x1() - want[0].x) <= 1 && std::abs(l.line.y1() - want[0].y) <= 1 &&
               std::abs(l.line.x2() - want[1].x) <= 1;
    });
    ASSERT_NE(at, lines.end());
    for (size_t i = 0; i + 1 < want.size(); ++i, ++at) {
        SCOPED_TRACE(i);
        ASSERT_NE(at, lines.end());
        EXPECT_NEAR(at->line.x2(), want[i + 1].x, 1.0);
        EXPECT_NEAR(at->line.y2(), want[i + 1].y, 1.0);
    }
    const CPoint tip = want.back();
    for (int rise : {40, -40}) {
        ASSERT_NE(at, lines.end());
        EXPECT_NEAR(at->line.x1(), tip.x, 1.0);
        EXPECT_NEAR(at->line.y1(), tip.y, 1.0);
        EXPECT_NEAR(at->line.x2(), tip.x - 80, 1.0);
        EXPECT_NEAR(at->line.y2(), tip.y + rise, 1.0);
        ++at;
    }
}

TEST_F(DrawerFixture, PolygonThroughTheFrequencies) {
    p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    Values(0, {2, 4, 4, 6});
    Draw(QvStatGraphFreq());
    QvStatXYAxes frame;
    Frame(frame, -2, 10, 0, 2);
    const std::vector<DrawnItem> polygons = Of(DrawnItem::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    ExpectPolygon(polygons[0],
                  {frame.ValueToPoint(1, 0), frame.ValueToPoint(2, 1), frame.ValueToPoint(4, 2),
                   frame.ValueToPoint(6, 1), frame.ValueToPoint(7, 0)});
}

// Inputs a damaged file or odd typing can give: no first column, a column
// index naming none, a class bound that is no number, every value equal,
// an art type and class count outside their ranges.  Each draws something
// sane (run under the sanitizers too).
TEST_F(DrawerFixture, OddInputsDrawWithoutFault) {
    struct Case {
        const char* name;
        std::array<int, 10> dc;
        bool group;
        std::vector<double> a, b;
    };
    const Case cases[] = {
        {"no first column", {-1, 1, -1, -1, -1, -1, -1, -1, -1, -1}, false, {1, 2}, {3}},
        {"index naming no column", {40, -1, 99, 0, -1, -1, -1, -1, -1, -1}, false, {1, 2}, {3}},
        {"class text abc", {0, -1, -1, -1, -1, -1, -1, -1, -1, -1}, true, {}, {}},
        {"all equal back to back", {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, false, {5, 5}, {5}},
        {"all empty", {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, false, {}, {}},
    };
    p().GraphStyle = 9;
    p().NumberGroups = 0;
    p().CFPlot_Legend = p().FreqPoly_Legend = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p().dc = c.dc;
        Values(0, c.a);
        Values(1, c.b);
        if (c.group) {
            col(0).type = QvStatColumn::Group;
            col(0).cells[0] = {0, 3, QStringLiteral("10")};
            col(0).cells[1] = {10, 5, QStringLiteral("abc")};
            col(0).cells[2] = {20, 2, QStringLiteral("abc")};
        }
        for (int type : {QvStatGraphDispatcher::Histo, QvStatGraphDispatcher::Cum,
                         QvStatGraphDispatcher::Freq}) {
            SCOPED_TRACE(type);
            device.Clear();
            p().GraphType = type;
            QvStatGraphDispatcher().DrawGraph(&dc, kRect, data.get());
            for (const DrawnItem& item : device.Items()) {
                EXPECT_TRUE(std::isfinite(item.rect.left()) && std::isfinite(item.rect.bottom()));
                EXPECT_LT(std::abs(item.rect.left()), 1e6);
            }
        }
        col(0).type = QvStatColumn::Data;
    }
}

// With the legend on and no series chosen, the plot still gives up the
// legend's width: that of "A" in the label font, three heights and 3.
TEST_F(DrawerFixture, LegendNarrowsThePlotEvenWithoutSeries) {
    p().dc = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    QvFontSelect font;
    font.SetFont(p().LabelFont);
    font.Select(&dc);
    const CSize a = dc.GetTextExtent(QStringLiteral("A"));
    font.Restore(&dc);
    auto rightmost = [&] {
        double x = 0;
        for (const DrawnItem& line : Of(DrawnItem::Line))
            x = std::max({x, line.line.x1(), line.line.x2()});
        return x;
    };
    for (int graph : {0, 1}) {
        SCOPED_TRACE(graph);
        double widths[2];
        for (int legend : {0, 1}) {
            device.Clear();
            p().CFPlot_Legend = p().FreqPoly_Legend = BYTE(legend);
            if (graph == 0)
                Draw(QvStatGraphCum());
            else
                Draw(QvStatGraphFreq());
            widths[legend] = rightmost();
        }
        EXPECT_NEAR(widths[0] - widths[1], a.cx + 3 * a.cy + 3, 1.0);
    }
}

// Pixels of 0.01 mm units at 300 dpi.
int Px(int units) {
    return int(std::abs(units) * 300LL / 2540);
}

// Each graph as printed, line art and colour, with the legend: the pictures
// are kept in the build folder to be looked at.
TEST_F(DrawerFixture, RendersEachGraphAtPrintResolution) {
    col(0).name = QStringLiteral("Boys");
    col(1).name = QStringLiteral("Girls");
    Values(0, {12, 15, 15, 18, 18, 18, 21, 21, 21, 21, 24, 24, 24, 27, 27, 30});
    Values(1, {15, 18, 21, 21, 24, 24, 24, 24, 27, 27, 27, 30, 30, 33});
    p().Title = QStringLiteral("Heights");
    p().CFPlot_Legend = p().FreqPoly_Legend = 1;
    p().NumberGroups = 6;
    struct Case {
        const char* name;
        int type;
        int second;
    };
    const Case cases[] = {{"histogram", QvStatGraphDispatcher::Histo, -1},
                          {"back_to_back", QvStatGraphDispatcher::Histo, 1},
                          {"cumulative", QvStatGraphDispatcher::Cum, 1},
                          {"polygon", QvStatGraphDispatcher::Freq, 1}};
    for (const Case& c : cases) {
        for (int style : {0, 3}) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(style);
            p().GraphStyle = style;
            p().dc = {0, c.second, -1, -1, -1, -1, -1, -1, -1, -1};
            p().GraphType = c.type;
            QImage image(Px(10000), Px(7500), QImage::Format_RGB32);
            image.setDotsPerMeterX(11811);
            image.setDotsPerMeterY(11811);
            image.fill(Qt::white);
            {
                CDC paint(&image);
                paint.SetMapMode(MM_HIMETRIC);
                QvStatGraphDispatcher().DrawGraph(&paint, CRect(0, 0, 10000, -7500), data.get());
            }
            image.save(QStringLiteral(LUMBREL_BINARY_DIR "/freq_graph_%1_%2.png")
                           .arg(QLatin1String(c.name))
                           .arg(style));
            // Something of the series colour (or black line art) is drawn.
            const COLORREF fill = p().Brushes[3][0].lbColor;
            const QRgb want = style == 3 ? qRgb(GetRValue(fill), GetGValue(fill), GetBValue(fill))
                                         : qRgb(0, 0, 0);
            int found = 0;
            for (int y = 0; y < image.height(); y += 2)
                for (int x = 0; x < image.width(); x += 2)
                    found += image.pixel(x, y) == want;
            EXPECT_GT(found, 50);
        }
    }
}

} // namespace
