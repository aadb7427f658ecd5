// A statistics axis: the scale it chooses for a data range, its break,
// logarithmic mapping, ticks, labels, break symbol and grid.  Expected
// scales and positions are worked out by hand (Python for the divisions).
#include "common/recording_device.h"
#include "platform/dc.h"
#include "statgraphs/stat_axis.h"
#include "statistics/stat_data.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// Axis titles are empty, so the end label takes 100 units and no height.
struct AxisFixture {
    AxisFixture() : device(22000, 12000), dc(&device) {
        data = std::make_unique<QvStatData>();
        data->properties.BreakScales = 0;
    }
    RecordingDevice device;
    CDC dc;
    std::unique_ptr<QvStatData> data;
    QvStatProperties& p() { return data->properties; }
};

std::vector<DrawnItem> Lines(const RecordingDevice& device) {
    std::vector<DrawnItem> lines;
    for (const DrawnItem& item : device.Items())
        if (item.kind == DrawnItem::Line)
            lines.push_back(item);
    return lines;
}

// Vertical strokes of the given length (device units) along a horizontal axis.
std::vector<int> TickXs(const RecordingDevice& device, double length) {
    std::vector<int> xs;
    for (const DrawnItem& line : Lines(device))
        if (std::abs(line.line.dx()) < 0.01 && std::abs(std::abs(line.line.dy()) - length) < 1.5)
            xs.push_back(int(std::floor(line.line.x1()))); // lines run through pixel centres
    std::sort(xs.begin(), xs.end());
    return xs;
}

// Lines and the paths dashed lines become, once each: an opaque
// background draws a dashed line's gaps first.
std::vector<DrawnItem> Strokes(const RecordingDevice& device) {
    std::vector<DrawnItem> strokes;
    for (const DrawnItem& item : device.Items()) {
        if (item.kind != DrawnItem::Line && item.kind != DrawnItem::Path)
            continue;
        if (!strokes.empty() && strokes.back().rect == item.rect)
            strokes.back() = item;
        else
            strokes.push_back(item);
    }
    return strokes;
}

// The labels drawn, their glyph runs joined when they touch.
std::vector<QString> Labels(const RecordingDevice& device) {
    std::vector<QString> labels;
    QRectF last;
    for (const DrawnItem& item : device.Items()) {
        if (item.kind != DrawnItem::Text || item.text.trimmed().isEmpty())
            continue;
        if (!labels.empty() && std::abs(item.rect.top() - last.top()) < 1 &&
            item.rect.left() - last.right() < last.height() / 2)
            labels.back() += item.text;
        else
            labels.push_back(item.text);
        last = item.rect;
    }
    return labels;
}

TEST(StatAxis, StepTablesEndWithTheClosingEntry) {
    const QString closing = QStringLiteral("1") + QString(41, QLatin1Char('0'));
    EXPECT_EQ(QvStatAxis::StepText(0), "0.001");
    EXPECT_EQ(QvStatAxis::StepText(9), "1");
    EXPECT_EQ(QvStatAxis::StepText(33), "100000000");
    EXPECT_EQ(QvStatAxis::StepText(QvStatAxis::StepCount - 1), closing);
    EXPECT_EQ(QvStatAxis::DecadeText(3), "1");
    EXPECT_EQ(QvStatAxis::DecadeText(10), "10000000");
    EXPECT_EQ(QvStatAxis::DecadeText(QvStatAxis::DecadeCount - 1), closing);
}

TEST(StatAxis, SetupChoosesStepsAndRange) {
    struct Case {
        double lo, hi;
        bool breakScales, log;
        const char* major;
        const char* minor;
        double min, max;
        bool broken;
    };
    // By hand: major = first 1-2-5 step above range/8, minor two before;
    // min floored and max ceiled to the minor step, then padded by /16.
    const Case cases[] = {
        {3, 97, false, false, "20", "5", 0, 106.25, false},
        {950, 1000, true, false, "10", "2", 950, 1003.125, true},
        {950, 1000, false, false, "200", "50", 0, 1062.5, false},
        {-30, 50, false, false, "20", "5", -35, 55.3125, false},
        {-12, -3, false, false, "2", "0.5", -12.75, 0, false},
        {5, 5, false, false, "1", "0.2", 0, 7.0125, false},
        {0.2, 0.9, false, false, "0.2", "0.05", 0, 0.95625, false},
        {2, 500, true, true, "100", "20", 0, 796.875, false},
        // (max - min)/8 = 0.0001.
        {1, 1.0008, true, false, "0.005", "0.001", 1, 1.0010625000000002, true},
        // Past the table's last real entry the steps go on by decades.
        {0, 4e9, false, false, "1000000000", "200000000", 0, 4.25e9, false},
        {0, 1.2e12, false, false, "200000000000", "50000000000", 0, 1.275e12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << " .. " << c.hi);
        AxisFixture f;
        f.p().BreakScales = c.breakScales;
        QvStatAxis axis;
        axis.Setup(0, 1000, 10000, 1000, c.lo, c.hi, false, c.log, &f.dc, f.data.get(), false);
        EXPECT_EQ(axis.GetMajorStep(), c.major);
        EXPECT_EQ(axis.GetMinorStep(), c.minor);
        EXPECT_NEAR(axis.GetMin(), c.min, 1e-9 * std::max(1.0, std::abs(c.min)));
        EXPECT_NEAR(axis.GetMax(), c.max, 1e-9 * std::max(1.0, std::abs(c.max)));
        EXPECT_EQ(axis.IsBroken(), c.broken);
        // The break takes 450 at the start; the end label 100 at the end.
        EXPECT_EQ(axis.GetStart().x, c.broken ? 450 : 0);
        EXPECT_EQ(axis.GetEnd().x, c.hi > 0 ? 9900 : 10100);
    }
}

TEST(StatAxis, ManualSettingsWidenButNeverNarrow) {
    AxisFixture f;
    f.p().AutoMinx = 0;
    QvStatAxis axis;
    // A manual minimum above the data's is ignored: range from 0 as usual.
    f.p().minx = 50;
    axis.Setup(0, 1000, 10000, 1000, 3, 97, false, false, &f.dc, f.data.get(), false);
    EXPECT_DOUBLE_EQ(axis.GetMin(), 0);
    EXPECT_DOUBLE_EQ(axis.GetMax(), 106.25);
    // One below it is used: -40 .. 97, range 137 -> 20 / 5; -40 - 137/16.
    f.p().minx = -40;
    axis.Setup(0, 1000, 10000, 1000, 3, 97, false, false, &f.dc, f.data.get(), false);
    EXPECT_DOUBLE_EQ(axis.GetMin(), -40 - 137 / 16.0);
    EXPECT_DOUBLE_EQ(axis.GetMax(), 100 + (100 + 40 + 137 / 16.0) / 16);
    // A manual maximum below the data's is ignored too; the y keys are a
    // vertical axis's.
    f.p().AutoMinx = 1;
    f.p().AutoMaxy = 0;
    f.p().maxy = 10;
    axis.Setup(1000, 10000, 1000, 0, 3, 97, false, false, &f.dc, f.data.get(), false);
    EXPECT_DOUBLE_EQ(axis.GetMax(), 106.25);
    // Manual steps are used as written.
    f.p().AutoyMajor = 0;
    f.p().ymajor = 25;
    f.p().AutoyMinor = 0;
    f.p().yminor = 2.5;
    axis.Setup(1000, 10000, 1000, 0, 3, 97, false, false, &f.dc, f.data.get(), false);
    EXPECT_EQ(axis.GetMajorStep(), "25");
    EXPECT_EQ(axis.GetMinorStep(), "2.5");
    EXPECT_DOUBLE_EQ(axis.GetMax(), 97.5 + 97.5 / 16);
}

TEST(StatAxis, ValuesMapToPositionsAndBack) {
    AxisFixture f;
    QvStatAxis axis;
    axis.Setup(0, 1000, 10000, 1000, 3, 97, false, false, &f.dc, f.data.get(), false);
    // 9900 * v / 106.25, truncated.
    EXPECT_EQ(axis.ValueToPos(50), 4658);
    EXPECT_EQ(axis.ValueToPos(106.25), 9900);
    EXPECT_EQ(axis.ValueToPos(106.3), -1);
    EXPECT_EQ(axis.ValueToPos(-1), -1);

    // Broken 950 .. 1003.125: 0 lies below the range and gives the given start.
    f.p().BreakScales = 1;
    axis.Setup(0, 1000, 10000, 1000, 950, 1000, false, false, &f.dc, f.data.get(), false);
    EXPECT_EQ(axis.ValueToPos(0), 0);
    EXPECT_EQ(axis.ValueToPos(950), 450);
    // Negative data: the range reaches 0, at the end, which moves out by
    // the end label's 100; broken, 0 lies above the range and gives the
    // given end.
    axis.Setup(0, 1000, 10000, 1000, -12, -3, false, false, &f.dc, f.data.get(), false);
    EXPECT_EQ(axis.ValueToPos(0), 10100);
    f.p().AutoMinx = 0;
    f.p().minx = -20;
    axis.Setup(0, 1000, 10000, 1000, -12, -3, false, false, &f.dc, f.data.get(), false);
    EXPECT_TRUE(axis.IsBroken());
    EXPECT_EQ(axis.ValueToPos(0), 10000);
    f.p().AutoMinx = 1;

    // Logarithmic 2 .. 500: logMin 0, logMax ln 796.875; 0 at the start,
    // 1 at the 5% point (0 + 9900 * 0.05 = 495).
    axis.Setup(0, 1000, 10000, 1000, 2, 500, false, true, &f.dc, f.data.get(), false);
    EXPECT_EQ(axis.ValueToPos(0), 0);
    EXPECT_EQ(axis.ValueToPos(1), 495);
    // 9900 * (ln(100) / ln(796.875) * 19 / 20 + 0.05), truncated (Python).
    EXPECT_EQ(axis.ValueToPos(100), 6978);
    EXPECT_EQ(axis.ValueToPos(-5), -1);
    EXPECT_EQ(axis.ValueToPos(800), -1);

    // Round trips within one unit's worth, linear and logarithmic, both
    // directions of a vertical axis as well.
    for (bool log : {false, true})
        for (bool vertical : {false, true}) {
            SCOPED_TRACE(testing::Message() << "log " << log << " vertical " << vertical);
            if (vertical)
                axis.Setup(1000, 10000, 1000, 0, 2, 500, false, log, &f.dc, f.data.get(), false);
            else
                axis.Setup(0, 1000, 10000, 1000, 2, 500, false, log, &f.dc, f.data.get(), false);
            for (double v : {1.0, 2.0, 7.5, 42.0, 100.0, 333.0, 500.0}) {
                const int pos = axis.ValueToPos(v);
                ASSERT_NE(pos, -1) << v;
                // The value change of one unit along the axis at v.
                const double unit = std::abs(axis.PosToValue(pos + 1) - axis.PosToValue(pos - 1));
                EXPECT_NEAR(axis.PosToValue(pos), v, unit) << v;
            }
        }
}

TEST(StatAxis, HorizontalTicksAndLabels) {
    for (bool labelZero : {false, true}) {
        SCOPED_TRACE(labelZero);
        AxisFixture f;
        QvStatAxis axis;
        axis.Setup(0, 1000, 10000, 1000, 3, 97, labelZero, false, &f.dc, f.data.get(), false);
        f.device.Clear();
        axis.Draw(&f.dc);
        // Major: 9900 * {0, 20 .. 100} / 106.25, truncated (by hand).
        EXPECT_EQ(TickXs(f.device, 200), (std::vector<int>{0, 1863, 3727, 5590, 7454, 9317}));
        // Minor every 5 to 100; 105 (at 9783) lies within 200 of the end.
        const std::vector<int> minor = TickXs(f.device, 100);
        ASSERT_EQ(minor.size(), 21u);
        EXPECT_EQ(minor[1], 465);
        EXPECT_EQ(minor.back(), 9317);
        for (const DrawnItem& item : f.device.Items())
            if (item.kind == DrawnItem::Text) {
                EXPECT_GT(item.point.y(), 1000); // below the axis
            }
        const std::vector<QString> texts = Labels(f.device);
        std::vector<QString> expected = {"20", "40", "60", "80", "100"};
        if (labelZero)
            expected.insert(expected.begin(), "0");
        EXPECT_EQ(texts, expected);
    }
}

TEST(StatAxis, LogarithmicTicksStandAtDecades) {
    AxisFixture f;
    QvStatAxis axis;
    // Long enough that 700 stays clear of the near-end rule.
    axis.Setup(0, 1000, 20000, 1000, 2, 500, false, true, &f.dc, f.data.get(), false);
    f.device.Clear();
    axis.Draw(&f.dc);
    // x = 19900 * (ln(v) / ln(796.875) * 19 / 20 + 0.05), truncated (Python),
    // for 1-9, 10-90 and 100-700.
    EXPECT_EQ(TickXs(f.device, 100),
              (std::vector<int>{995,   2956,  4103,  4917,  5549,  6065,  6501,  6879,  7212,
                                7510,  9472,  10619, 11433, 12065, 12581, 13017, 13395, 13728,
                                14026, 15988, 17135, 17949, 18581, 19096, 19533}));
    EXPECT_EQ(TickXs(f.device, 200), (std::vector<int>{995, 7510, 14026}));
    EXPECT_EQ(Labels(f.device), (std::vector<QString>{"1", "10", "100"}));
}

// The break symbol's strokes for a break point P, in MM_TEXT (f = 1).
std::vector<QLineF> BreakStrokes(bool horizontal, int type, QPoint P, int s) {
    auto pt = [&](int along, int across) {
        return horizontal ? QPointF(P.x() + along, P.y() + across)
                          : QPointF(P.x() + across, P.y() - along);
    };
    std::vector<QLineF> lines;
    lines.emplace_back(pt(0, -100), pt(0, 100));
    if (type == 0) {
        const QPointF z[] = {pt(0, 0),       pt(2 * s, 0), pt(3 * s, -200),
                             pt(5 * s, 200), pt(6 * s, 0), pt(9 * s, 0)};
        for (int i = 0; i + 1 < 6; ++i)
            lines.emplace_back(z[i], z[i + 1]);
    } else {
        lines.emplace_back(pt(0, 0), pt(3 * s, 0));
        lines.emplace_back(pt(2 * s, 200), pt(4 * s, -200));
        lines.emplace_back(pt(4 * s, 200), pt(6 * s, -200));
        lines.emplace_back(pt(5 * s, 0), pt(9 * s, 0));
    }
    return lines;
}

TEST(StatAxis, BreakSymbolsFollowTheStrokeTable) {
    struct Case {
        bool horizontal;
        bool negative;
    };
    for (const Case c :
         {Case{true, false}, Case{false, false}, Case{true, true}, Case{false, true}})
        for (int type : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "horizontal " << c.horizontal << " negative "
                                            << c.negative << " type " << type);
            AxisFixture f;
            f.p().BreakScales = 1;
            f.p().BreakType = type;
            // Negative data breaks only with a manual minimum.
            f.p().AutoMinx = f.p().AutoMiny = !c.negative;
            f.p().minx = f.p().miny = -1000;
            QvStatAxis axis;
            const double lo = c.negative ? -1000 : 950, hi = c.negative ? -950 : 1000;
            if (c.horizontal)
                axis.Setup(1000, 5000, 11000, 5000, lo, hi, false, false, &f.dc, f.data.get(),
                           false);
            else
                axis.Setup(1000, 11000, 1000, 1000, lo, hi, false, false, &f.dc, f.data.get(),
                           false);
            ASSERT_TRUE(axis.IsBroken());
            f.device.Clear();
            axis.Draw(&f.dc); // copies the break type and draws the break
            const QPoint P(axis.GetBreakPoint().x, axis.GetBreakPoint().y);
            // Positive data break at the given start, negative at the end.
            if (!c.negative) {
                EXPECT_EQ(P, c.horizontal ? QPoint(1000, 5000) : QPoint(1000, 11000));
            }
            const std::vector<DrawnItem> drawn = Lines(f.device);
            for (const QLineF& want : BreakStrokes(c.horizontal, type, P, c.negative ? -50 : 50)) {
                const bool found = std::any_of(drawn.begin(), drawn.end(), [&](const DrawnItem& d) {
                    auto near = [](QPointF a, QPointF b) { return QLineF(a, b).length() < 1.5; };
                    return (near(d.line.p1(), want.p1()) && near(d.line.p2(), want.p2())) ||
                           (near(d.line.p1(), want.p2()) && near(d.line.p2(), want.p1()));
                });
                EXPECT_TRUE(found) << want.p1().x() << "," << want.p1().y() << " to "
                                   << want.p2().x() << "," << want.p2().y();
            }
        }
}

TEST(StatAxis, GridPensAndLines) {
    for (int style : {1, 2}) {
        SCOPED_TRACE(style);
        AxisFixture f;
        f.p().xMajor = f.p().yMajor = style;
        f.p().xMinor = f.p().yMinor = 0;
        QvStatAxis x, y;
        x.Setup(0, 10000, 10000, 10000, 3, 97, false, false, &f.dc, f.data.get(), false);
        y.Setup(0, 10000, 0, 0, 3, 97, false, false, &f.dc, f.data.get(), false);
        x.SetGridExtent(10000, 0);
        y.SetGridExtent(0, 10000);
        f.device.Clear();
        x.DrawGrid(&f.dc);
        std::vector<DrawnItem> lines = Strokes(f.device);
        // 20 .. 100 by 9900 / 106.25 each; never at 0.
        ASSERT_EQ(lines.size(), 5u);
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].pen.style(), style == 1 ? Qt::CustomDashLine : Qt::SolidLine);
            EXPECT_EQ(int(lines[i].rect.left()),
                      (std::vector<int>{1863, 3727, 5590, 7454, 9317})[i]);
            EXPECT_NEAR(lines[i].rect.height(), 10000, 1.5);
        }
        f.device.Clear();
        y.DrawGrid(&f.dc);
        lines = Strokes(f.device);
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_NEAR(lines[0].rect.width(), 10000, 1.5);
        EXPECT_EQ(lines[0].pen.style(), style == 1 ? Qt::CustomDashLine : Qt::SolidLine);
        // Width 0 for the x lines, one unit for the y lines: seen where a
        // unit is ten pixels.
        {
            RecordingDevice big(2000, 2000);
            CDC zoomed(&big);
            zoomed.SetMapMode(MM_ANISOTROPIC);
            zoomed.SetWindowExt(1, 1);
            zoomed.SetViewportExt(10, 10);
            x.DrawGrid(&zoomed);
            const double xWidth = Strokes(big).front().pen.widthF();
            big.Clear();
            y.DrawGrid(&zoomed);
            EXPECT_LE(xWidth, 1.0);
            EXPECT_NEAR(Strokes(big).front().pen.widthF(), 10.0, 0.01);
        }
        // A plain axis draws no grid.
        y.Setup(0, 10000, 0, 0, 3, 97, false, false, &f.dc, f.data.get(), true);
        f.device.Clear();
        y.DrawGrid(&f.dc);
        EXPECT_TRUE(Lines(f.device).empty());
    }
}

TEST(StatAxis, FineManualStepOverLargeDataStaysQuick) {
    AxisFixture f;
    f.p().AutoxMinor = 0;
    f.p().xminor = 0.0001;
    QvStatAxis axis;
    QElapsedTimer timer;
    timer.start();
    axis.Setup(0, 1000, 10000, 1000, 0, 1000000, false, false, &f.dc, f.data.get(), false);
    axis.SetGridExtent(1000, 0);
    f.device.Clear();
    axis.DrawGrid(&f.dc);
    axis.Draw(&f.dc);
    EXPECT_LT(timer.elapsed(), 50);
    // Rounding in doubles: the range is the data's, padded.
    EXPECT_DOUBLE_EQ(axis.GetMax(), 1062500);
    // No minor ticks; major ticks at 0 .. 1000000 by 200000.
    EXPECT_TRUE(TickXs(f.device, 100).empty());
    EXPECT_EQ(TickXs(f.device, 200).size(), 6u);
    // With the major step that fine as well, no grid line at all.
    f.p().AutoxMajor = 0;
    f.p().xmajor = 0.0001;
    timer.restart();
    axis.Setup(0, 1000, 10000, 1000, 0, 1000000, false, false, &f.dc, f.data.get(), false);
    axis.SetGridExtent(1000, 0);
    f.device.Clear();
    axis.DrawGrid(&f.dc);
    axis.Draw(&f.dc);
    EXPECT_LT(timer.elapsed(), 50);
    for (const DrawnItem& stroke : Strokes(f.device))
        EXPECT_LT(stroke.rect.height(), 999); // no grid line across the frame
    EXPECT_TRUE(TickXs(f.device, 200).empty());
    // A step of 0 or less is no divisor and draws nothing.
    f.p().xminor = 0;
    f.p().xmajor = -5;
    axis.Setup(0, 1000, 10000, 1000, 3, 97, false, false, &f.dc, f.data.get(), false);
    EXPECT_DOUBLE_EQ(axis.GetMax(), 97 + 97 / 16.0);
    f.device.Clear();
    axis.DrawGrid(&f.dc);
    axis.Draw(&f.dc);
    EXPECT_TRUE(TickXs(f.device, 100).empty());
    EXPECT_TRUE(TickXs(f.device, 200).empty());
}

TEST(StatAxis, NonFiniteRangeDrawsTheLineAlone) {
    AxisFixture f;
    QvStatAxis axis;
    axis.Setup(0, 1000, 10000, 1000, 0, INFINITY, false, false, &f.dc, f.data.get(), false);
    EXPECT_TRUE(axis.GetMajorStep().isEmpty());
    f.device.Clear();
    axis.DrawGrid(&f.dc);
    axis.Draw(&f.dc);
    EXPECT_TRUE(TickXs(f.device, 100).empty());
    EXPECT_TRUE(TickXs(f.device, 200).empty());
}

TEST(StatAxis, SamplesNeverOverrunTheTable) {
    AxisFixture f;
    QvStatAxis axis;
    auto table = std::make_unique<QvStatCurveTable>();
    axis.Setup(0, 1000, 1000, 1000, 3, 97, false, false, &f.dc, f.data.get(), false);
    axis.FillSamples(table.get());
    // End at 900: 900 / 70 + 1.
    ASSERT_EQ(table->count, 13);
    EXPECT_EQ(table->points[12], CPoint(840, 0));
    EXPECT_DOUBLE_EQ(table->values[12][0], 106.25 * 840 / 900);
    EXPECT_EQ(table->values[12][1], QvStatAxis::EmptyCell);
    axis.Setup(0, 1000, 1000000, 1000, 3, 97, false, false, &f.dc, f.data.get(), false);
    axis.FillSamples(table.get());
    EXPECT_EQ(table->count, QvStatCurveTable::Capacity);
}

} // namespace

namespace {

// Pixels of 0.01 mm units at 300 dpi; y grows up the page in MM_HIMETRIC.
int Px(int units) {
    return int(std::abs(units) * 300LL / 2540);
}

bool DarkNear(const QImage& image, int x, int y) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (image.valid(x + dx, y + dy) && qGray(image.pixel(x + dx, y + dy)) < 100)
                return true;
    return false;
}

} // namespace

TEST(StatAxis, RendersAtPrintResolution) {
    struct Case {
        const char* name;
        double lo, hi;
        bool log;
    };
    const Case cases[] = {
        {"linear", 3, 97, false}, {"broken", 950, 1000, false}, {"log", 2, 500, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = std::make_unique<QvStatData>();
        QvStatProperties& p = data->properties;
        p.xAxis = QStringLiteral("x");
        p.yAxis = QStringLiteral("y");
        p.xAxisMid = QStringLiteral("Length (cm)");
        p.yAxisMid = QStringLiteral("Mass (g)");
        QImage image(Px(10000), Px(7500), QImage::Format_RGB32);
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
        image.fill(Qt::white);
        QvStatAxis x, y;
        {
            CDC dc(&image);
            dc.SetMapMode(MM_HIMETRIC);
            x.Setup(1500, -6000, 9500, -6000, c.lo, c.hi, false, c.log, &dc, data.get(), false);
            y.Setup(1500, -6000, 1500, -300, c.lo, c.hi, false, c.log, &dc, data.get(), false);
            x.SetGridExtent(-6000, -300);
            y.SetGridExtent(1500, 9500);
            x.DrawGrid(&dc);
            y.DrawGrid(&dc);
            x.Draw(&dc);
            y.Draw(&dc);
        }
        image.save(QStringLiteral(LUMBREL_BINARY_DIR "/stat_axis_%1.png").arg(c.name));
        // The axis lines, half-way along, and the major ticks' far ends.
        EXPECT_TRUE(DarkNear(image, Px(5500), Px(6000)));
        EXPECT_TRUE(DarkNear(image, Px(1500), Px(3150)));
        const double tickValue = c.log ? 10 : c.lo > 900 ? 960 : 40;
        const int tx = x.ValueToPos(tickValue), ty = y.ValueToPos(tickValue);
        EXPECT_TRUE(DarkNear(image, Px(tx), Px(6000 + 90)));
        EXPECT_TRUE(DarkNear(image, Px(1500 - 90), Px(ty)));
        // Below the axis, half-way between two ticks, only a label or nothing:
        // the grid stays inside the frame.
        EXPECT_EQ(image.pixel(Px(tx), Px(7400)), qRgb(255, 255, 255));
    }
}

// The label band: the number label's height (or the widest label's width)
// plus 200, plus the mid-axis title's height; an empty title adds nothing.
TEST(StatAxis, LabelBandMakesRoomForLabelsAndTitle) {
    AxisFixture f;
    auto extent = [&](const QvLogFont& font, const QString& text) {
        CFont cf;
        LOGFONT log = font.m_logFont;
        cf.CreateFontIndirect(&log);
        CFont* old = f.dc.SelectObject(&cf);
        const CSize size = f.dc.GetTextExtent(text);
        f.dc.SelectObject(old);
        return size;
    };
    QvStatAxis axis;
    const int h = extent(f.p().ScaleFont, "106.25").cy;
    ASSERT_GT(h, 0);
    EXPECT_EQ(axis.Setup(0, 1000, 10000, 1000, 3, 97, false, false, &f.dc, f.data.get(), false),
              h + 200);
    f.p().xAxisMid = QStringLiteral("Length");
    EXPECT_EQ(axis.Setup(0, 1000, 10000, 1000, 3, 97, false, false, &f.dc, f.data.get(), false),
              h + 200 + extent(f.p().MidAxisFont, "Length").cy);
    EXPECT_EQ(QvStatAxis::MeasureLabelHeight(3, 97, &f.dc, f.data.get()),
              h + 200 + extent(f.p().MidAxisFont, "Length").cy);
    // Vertical: the widest label, "100", as it is typeset when drawn.
    QvEquation hundred;
    hundred.SetText(QStringLiteral("100"), &TheEquationOptions());
    const int w = hundred.Measure(&f.dc, &TheEquationOptions(), &f.p().ScaleFont).width;
    EXPECT_EQ(axis.Setup(1000, 10000, 1000, 0, 3, 97, false, false, &f.dc, f.data.get(), false),
              w + 200);
    EXPECT_EQ(axis.GetLabelOffset(), w + 200);
    EXPECT_EQ(QvStatAxis::MeasureLabelWidth(3, 97, &f.dc, f.data.get()), w + 200);
    // At least half the end label's width.
    f.p().yAxis = QString(60, QLatin1Char('M'));
    EXPECT_EQ(axis.Setup(1000, 10000, 1000, 0, 3, 97, false, false, &f.dc, f.data.get(), false),
              extent(f.p().AxisFont, f.p().yAxis).cx / 2);
}

namespace {

// Level strokes of the given length (device units) across a vertical axis.
std::vector<int> TickYs(const RecordingDevice& device, double length) {
    std::vector<int> ys;
    for (const DrawnItem& line : Lines(device))
        if (std::abs(line.line.dy()) < 0.01 && std::abs(std::abs(line.line.dx()) - length) < 1.5)
            ys.push_back(int(std::floor(line.line.y1())));
    std::sort(ys.begin(), ys.end());
    return ys;
}

} // namespace

TEST(StatAxis, VerticalTicksAndSignlessLabels) {
    AxisFixture f;
    QvStatAxis axis;
    // Upwards from 10000 to 0; the end moves down 100 for the end label.
    axis.Setup(1000, 10000, 1000, 0, 3, 97, false, false, &f.dc, f.data.get(), false);
    f.device.Clear();
    axis.Draw(&f.dc);
    // 10000 - 9900 * v / 106.25, truncated toward zero (by hand).
    EXPECT_EQ(TickYs(f.device, 200), (std::vector<int>{682, 2545, 4409, 6272, 8136, 10000}));
    for (const DrawnItem& item : f.device.Items())
        if (item.kind == DrawnItem::Text && item.text.trimmed().size()) {
            EXPECT_LT(item.rect.right(), 1000); // left of the axis
        }

    // Labels of negative ticks lose their sign when the drawer asks.
    AxisFixture g;
    QvStatAxis x;
    x.Setup(0, 1000, 10000, 1000, -30, 50, false, false, &g.dc, g.data.get(), false);
    g.device.Clear();
    x.Draw(&g.dc);
    const std::vector<QString> signed_ = Labels(g.device);
    ASSERT_EQ(signed_.size(), 3u);
    EXPECT_NE(signed_[0], "20");
    EXPECT_TRUE(signed_[0].endsWith("20"));
    x.absoluteLabels = true;
    g.device.Clear();
    x.Draw(&g.dc);
    EXPECT_EQ(Labels(g.device), (std::vector<QString>{"20", "20", "40"}));
}

// A broken scale far from 0 still gets its ticks and labels: the tick limit
// counts ticks, not multiples of the step from 0.
TEST(StatAxis, BrokenScaleKeepsItsTicks) {
    AxisFixture f;
    f.p().BreakScales = 1;
    QvStatAxis axis;
    axis.Setup(0, 1000, 10000, 1000, 950, 1000, false, false, &f.dc, f.data.get(), false);
    f.device.Clear();
    axis.Draw(&f.dc);
    // Minor 950 .. 1002 by 2; no near-end rule on a broken axis.
    const std::vector<int> minor = TickXs(f.device, 100);
    ASSERT_EQ(minor.size(), 27u);
    EXPECT_EQ(minor.front(), 450);
    // 450 + 9450 * 52 / 53.125, truncated.
    EXPECT_EQ(minor.back(), 9699);
    EXPECT_EQ(Labels(f.device), (std::vector<QString>{"950", "960", "970", "980", "990", "1000"}));
}
