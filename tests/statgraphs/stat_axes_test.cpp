// The chart frames: which rows become categories and what they are
// labelled, where the categories sit, how column labels are laid when they
// are wide or tall, where the bar frame's category axis stands, how the
// x/y frame places its axes, and that a frame never set up draws nothing.
#include "common/recording_device.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct FrameFixture {
    FrameFixture() : device(22000, 12000), dc(&device) {
        data = std::make_unique<QvStatData>();
        p().BreakScales = 0;
        p().dc = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    }
    QvStatProperties& p() { return data->properties; }
    void Set(int column, int row, double value) {
        QvStatCell& cell = data->columns[size_t(column)].cells[size_t(row)];
        cell.value = value;
        cell.count = 1;
        data->columns[size_t(column)].MarkDirty();
    }
    void SetText(int column, int row, const QString& text) {
        data->columns[size_t(column)].cells[size_t(row)].text = text;
    }
    CSize Extent(const QvLogFont& font, const QString& text) {
        QvFontSelect select;
        select.SetFont(font);
        select.Select(&dc);
        const CSize size = dc.GetTextExtent(text);
        select.Restore(&dc);
        return size;
    }
    RecordingDevice device;
    CDC dc;
    std::unique_ptr<QvStatData> data;
};

std::vector<DrawnItem> Texts(const RecordingDevice& device) {
    std::vector<DrawnItem> texts;
    for (const DrawnItem& item : device.Items())
        if (item.kind == DrawnItem::Text && !item.text.trimmed().isEmpty())
            texts.push_back(item);
    return texts;
}

// Upright strokes of the given device length crossing height y.
std::vector<double> UprightStrokesAt(const RecordingDevice& device, double y, double length) {
    std::vector<double> xs;
    for (const DrawnItem& item : device.Items())
        if (item.kind == DrawnItem::Line && std::abs(item.line.dx()) < 0.01 &&
            std::abs(std::abs(item.line.dy()) - length) < 1.5 && item.rect.top() <= y + 1 &&
            item.rect.bottom() >= y - 1)
            xs.push_back(item.line.x1());
    return xs;
}

// Lays a column frame out with slots c wide: the room left of the first
// and right of the last slot does not depend on the rectangle's width.
void LayoutWithSlot(QvStatColumnAxes& frame, QvStatData* data, CDC* dc, int x0, int y0, int y1,
                    int c) {
    QvStatColumnAxes probe;
    probe.Layout(x0, y0, x0 + 100000, y1, 0, data, dc, false);
    const int lead = probe.categorySpan[0].x - x0;
    const int tail = x0 + 100000 - probe.categorySpan[1].x;
    frame.Layout(x0, y0, x0 + lead + probe.count * c + tail, y1, 0, data, dc, false);
}

// A row empty in every chosen column makes no category and the next row
// takes the next number; a forced count keeps the rows below it, empty or
// not.  Labels are the label column's numbers, as plain text, or its text.
TEST(StatChartFrames, CategoriesAndTheirLabels) {
    FrameFixture f;
    // Rows 0-3 and 5 in A, row 7 in B only; row 4 and 6 empty in both.
    for (int r : {0, 1, 2, 3, 5})
        f.Set(0, r, 10 + r);
    f.Set(1, 7, 4);
    // Column C labels: text, then numbers.
    f.SetText(2, 0, "Mon");
    f.Set(2, 1, 2.5);
    f.Set(2, 2, 1.0 / 3);
    f.Set(2, 3, -1250000);
    f.Set(2, 4, 99); // row 4 is no category
    f.SetText(2, 5, "Fri");
    f.Set(2, 7, 1e-7);
    f.p().LabelCol1 = 2;

    QvStatBarAxes bars;
    bars.Layout(1000, 1000, 20000, 11000, f.data.get(), &f.dc, false);
    const QString expected[] = {"Mon", "2.5", "0.3333333333", "-1250000", "Fri", "0.0000001"};
    ASSERT_EQ(bars.count, 6);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(bars.labels[size_t(k)], expected[k]) << k;

    QvStatColumnAxes columns;
    columns.Layout(1000, 1000, 20000, 11000, 12, f.data.get(), &f.dc, false);
    ASSERT_EQ(columns.count, 12);
    EXPECT_EQ(columns.labels[4], "99");
    EXPECT_EQ(columns.labels[6], "");
    EXPECT_EQ(columns.labels[7], "0.0000001");
    // Without a forced count the column frame counts as the bar frame does.
    QvStatColumnAxes unforced;
    unforced.Layout(1000, 1000, 20000, 11000, 0, f.data.get(), &f.dc, false);
    EXPECT_EQ(unforced.count, 6);
    EXPECT_EQ(unforced.labels[5], "0.0000001");

    // Without a label column the categories are still counted.
    f.p().LabelCol1 = -1;
    QvStatBarAxes unlabelled;
    unlabelled.Layout(1000, 1000, 20000, 11000, f.data.get(), &f.dc, false);
    EXPECT_EQ(unlabelled.count, 6);
    EXPECT_TRUE(unlabelled.labels[0].isEmpty());
}

// Centres of categories from the span, in integers, counted from the top
// (bars) or the left (columns); by hand: 900 / 8 = 112.5 -> 112.
TEST(StatChartFrames, CategoryPositionsAndWidths) {
    QvStatBarAxes bars;
    EXPECT_EQ(bars.CategoryPos(1), 0);
    EXPECT_EQ(bars.CategoryWidth(), 0);
    bars.count = 4;
    bars.categorySpan[0] = CPoint(500, 1000); // at the value axis
    bars.categorySpan[1] = CPoint(500, 100);  // at the top
    EXPECT_EQ(bars.CategoryPos(1), 212);
    EXPECT_EQ(bars.CategoryPos(2), 437);
    EXPECT_EQ(bars.CategoryPos(4), 887);
    EXPECT_EQ(bars.CategoryWidth(), 225);
    // y upwards: the top is the larger y, and category 1 is still topmost.
    bars.categorySpan[0] = CPoint(500, -1000);
    bars.categorySpan[1] = CPoint(500, -100);
    EXPECT_EQ(bars.CategoryPos(1), -212);
    EXPECT_EQ(bars.CategoryPos(4), -887);
    EXPECT_EQ(bars.CategoryWidth(), 225);

    QvStatColumnAxes columns;
    EXPECT_EQ(columns.CategoryPos(1), 0);
    EXPECT_EQ(columns.CategoryWidth(), 1);
    columns.count = 3;
    columns.categorySpan[0] = CPoint(500, 800);
    columns.categorySpan[1] = CPoint(1700, 800);
    EXPECT_EQ(columns.CategoryPos(1), 700);
    EXPECT_EQ(columns.CategoryPos(3), 1500);
    EXPECT_EQ(columns.CategoryWidth(), 400);
    // Narrower than the count: a width of 1, never 0.
    columns.categorySpan[1] = CPoint(502, 800);
    EXPECT_EQ(columns.CategoryWidth(), 1);
}

// Labels of four categories: level when narrower than their slot, slanted
// from 1 to 3 slots wide (the plot's bottom rising by 0.85 of the width),
// upright beyond; labels taller than 0.9 of a slot are thinned out, while
// every category keeps its tick.
TEST(StatChartFrames, ColumnLabelsSlantStandAndThinOut) {
    FrameFixture f;
    const QString label = QStringLiteral("Wednesday");
    for (int r = 0; r < 4; ++r) {
        f.Set(0, r, 5 + r);
        f.SetText(2, r, label);
    }
    f.p().LabelCol1 = 2;
    const CSize size = f.Extent(f.p().ScaleFont, label);
    ASSERT_GT(size.cx, 3 * size.cy);

    const int x0 = 1000, y0 = 1000, y1 = 11000;

    struct Case {
        double widths; // label width in slots
        int mode;
        int band;
    };
    const Case cases[] = {
        {0.5, QvStatColumnAxes::Level, size.cy},
        {1.5, QvStatColumnAxes::Slanted, int(size.cx * 0.85)},
        {2.9, QvStatColumnAxes::Slanted, int(size.cx * 0.85)},
        {3.2, QvStatColumnAxes::Upright, size.cx},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widths);
        QvStatColumnAxes frame;
        LayoutWithSlot(frame, f.data.get(), &f.dc, x0, y0, y1, int(size.cx / c.widths));
        EXPECT_EQ(frame.CategoryWidth(), int(size.cx / c.widths));
        EXPECT_EQ(frame.labelMode, c.mode);
        EXPECT_EQ(frame.labelBand, c.band);
        EXPECT_EQ(frame.plotRect.bottom, y1 - c.band);
        EXPECT_EQ(frame.labelStep, 1);
        // The value axis starts 100 above the plot's bottom.
        EXPECT_EQ(frame.axis.GetStart().y, y1 - c.band - 100);
    }

    // Slots narrower than the label's height: every (h / c + 1)-th label.
    const int c = size.cy * 2 / 5;
    QvStatColumnAxes thin;
    LayoutWithSlot(thin, f.data.get(), &f.dc, x0, y0, y1, c);
    ASSERT_EQ(thin.CategoryWidth(), c);
    EXPECT_EQ(thin.labelStep, size.cy / c + 1);
    f.device.Clear();
    thin.Draw(&f.dc);
    int labels = 0;
    for (const DrawnItem& text : Texts(f.device))
        labels += text.text == label;
    EXPECT_EQ(labels, (4 + thin.labelStep - 1) / thin.labelStep);
    const int y = thin.categorySpan[0].y;
    for (int k = 1; k <= 4; ++k) {
        int ticks = 0;
        for (double x : UprightStrokesAt(f.device, y, 200))
            ticks += std::abs(x - thin.CategoryPos(k)) < 1;
        EXPECT_EQ(ticks, 1) << k;
    }
}

// Slanted labels lean the same way on the page whether y grows down or up
// (45 degrees in screen units, 315 in 0.01 mm): each rises to its tick from
// below the axis.
TEST(StatChartFrames, SlantedLabelsLookTheSameInBothMappingModes) {
    for (bool up : {false, true}) {
        SCOPED_TRACE(up ? "MM_HIMETRIC" : "MM_TEXT");
        FrameFixture f;
        const QString label = QStringLiteral("Category");
        for (int r = 0; r < 4; ++r) {
            f.Set(0, r, 5 + r);
            f.SetText(2, r, label);
        }
        f.p().LabelCol1 = 2;
        RecordingDevice device(4000, 4000);
        CDC dc(&device);
        if (up)
            dc.SetMapMode(MM_HIMETRIC);
        const int y0 = 0, y1 = up ? -60000 : 3000;
        const int w = [&] {
            QvFontSelect select;
            select.SetFont(f.p().ScaleFont);
            select.Select(&dc);
            const int cx = dc.GetTextExtent(label).cx;
            select.Restore(&dc);
            return cx;
        }();
        QvStatColumnAxes frame;
        LayoutWithSlot(frame, f.data.get(), &dc, 0, y0, y1, w * 2 / 3);
        ASSERT_EQ(frame.labelMode, QvStatColumnAxes::Slanted);
        frame.Draw(&dc);
        CPoint axisPoint(0, frame.categorySpan[0].y);
        dc.LPtoDP(&axisPoint);
        std::vector<DrawnItem> labels;
        for (const DrawnItem& text : Texts(device))
            if (text.text == label)
                labels.push_back(text);
        ASSERT_EQ(labels.size(), 4u);
        for (int k = 1; k <= 4; ++k) {
            const QRectF box = labels[size_t(k - 1)].rect;
            CPoint tick(frame.CategoryPos(k), 0);
            dc.LPtoDP(&tick);
            // A level label would be several times wider than tall.
            EXPECT_GT(box.height(), box.width() * 0.5);
            EXPECT_GT(box.top(), axisPoint.y);
            EXPECT_NEAR(box.right(), tick.x, box.height() / 2);
        }
    }
}

// The bar frame's category axis stands at the value 0, or at the value
// axis's start when a broken scale leaves 0 out.  Column B is in use but
// empty: a column without values does not drag the range down to 0.
TEST(StatChartFrames, BarCategoryAxisStandsAtZeroOrAtTheBreak) {
    for (bool broken : {false, true}) {
        SCOPED_TRACE(broken);
        FrameFixture f;
        f.p().BreakScales = broken;
        for (int r = 0; r < 3; ++r)
            f.Set(0, r, 950 + 20 * r);
        QvStatBarAxes frame;
        frame.Layout(1000, 1000, 20000, 11000, f.data.get(), &f.dc, false);
        ASSERT_EQ(frame.axis.IsBroken(), broken);
        const int x = frame.categorySpan[0].x;
        EXPECT_EQ(x, frame.categoryLine[0].x);
        // Broken, 0 maps to the given start, 450 before the scale's.
        EXPECT_EQ(x, broken ? frame.axis.GetStart().x - 450 : frame.ValueToPos(0));
        EXPECT_EQ(frame.categoryLine[1].y, 1000);
        EXPECT_EQ(frame.categorySpan[0].y, frame.axis.GetStart().y);
        EXPECT_EQ(frame.categorySpan[1].y, frame.plotRect.top);
    }
    // Negative values lie on the other side of the category axis.
    FrameFixture f;
    f.Set(0, 0, 30);
    f.Set(1, 0, -20);
    QvStatBarAxes frame;
    frame.Layout(1000, 1000, 20000, 11000, f.data.get(), &f.dc, false);
    EXPECT_LT(frame.ValueToPos(-20), frame.categorySpan[0].x);
    EXPECT_GT(frame.ValueToPos(30), frame.categorySpan[0].x);
}

// The bar frame's room: the value axis from the widest label (at least 100,
// at least half the category title) plus 200 to 200 short of the right; the
// plot's top below the category title and its left past the side title.
TEST(StatChartFrames, BarFrameMakesRoomForLabelsAndTitles) {
    FrameFixture f;
    f.Set(0, 0, 3);
    f.Set(0, 1, 8);
    f.SetText(2, 1, QStringLiteral("A long category label"));
    f.p().LabelCol1 = 2;
    f.p().yAxis = QStringLiteral("Town");
    f.p().yAxisMid = QStringLiteral("Where");
    QvStatBarAxes frame;
    frame.Layout(1000, 1000, 20000, 11000, f.data.get(), &f.dc, false);
    const int labelWidth = f.Extent(f.p().ScaleFont, "A long category label").cx;
    const int mid = f.Extent(f.p().MidAxisFont, "Where").cy;
    EXPECT_EQ(frame.labelWidth, labelWidth);
    EXPECT_EQ(frame.midTitleHeight, mid);
    EXPECT_EQ(frame.plotRect.top, 1000 + f.Extent(f.p().AxisFont, "Town").cy);
    EXPECT_EQ(frame.plotRect.left, 1000 + mid);
    EXPECT_EQ(frame.axis.GetStart().x, 1000 + mid + labelWidth + 200);
    EXPECT_EQ(frame.categoryLine[1].x, frame.axis.GetStart().x); // data from 0
    EXPECT_EQ(QvStatAxis::MeasureLabelHeight(0, 8, &f.dc, f.data.get()),
              11000 - frame.axis.GetStart().y);

    // Labels end 100 before the value axis's room, centred on their rows.
    frame.Draw(&f.dc);
    for (const DrawnItem& text : Texts(f.device)) {
        if (text.text == "A long category label") {
            EXPECT_NEAR(text.rect.right(), 1000 + labelWidth + mid + 100, 2);
        }
    }
}

// The x/y frame: x labels below a non-negative y range, none when y goes
// negative (the x axis 10 below the rectangle's bottom); the axes cross at
// 0, or at the origin of a range that leaves 0 out.
TEST(StatChartFrames, XYFramePlacesAndCrossesItsAxes) {
    FrameFixture f;
    QvStatXYAxes positive;
    positive.Layout(1000, 1000, 20000, 11000, 0, 50, 0, 20, f.data.get(), &f.dc);
    const int h = QvStatAxis::MeasureLabelHeight(0, 50, &f.dc, f.data.get());
    const int w = QvStatAxis::MeasureLabelWidth(0, 20, &f.dc, f.data.get());
    EXPECT_EQ(positive.axisY.GetStart(), CPoint(1000 + 100 + w, 11000 - h));
    EXPECT_EQ(positive.axisX.GetStart(), CPoint(1000 + 100 + w, 11000 - h));
    EXPECT_EQ(positive.ValueToPoint(0, 0), CPoint(1000 + 100 + w, 11000 - h));

    QvStatXYAxes negative;
    negative.Layout(1000, 1000, 20000, 11000, -10, 40, -5, 20, f.data.get(), &f.dc);
    EXPECT_EQ(negative.axisY.GetStart().y, 11010);
    EXPECT_EQ(negative.axisX.GetStart().x, 1100);
    const CPoint origin = negative.ValueToPoint(0, 0);
    EXPECT_EQ(origin.x, negative.axisY.GetStart().x);
    EXPECT_EQ(origin.y, negative.axisX.GetStart().y);
    EXPECT_LT(negative.ValueToPoint(-10, -5).x, origin.x);
    EXPECT_GT(negative.ValueToPoint(-10, -5).y, origin.y);

    // A range from 950 with a break: the axes cross at its start.
    f.p().BreakScales = 1;
    QvStatXYAxes broken;
    broken.Layout(1000, 1000, 20000, 11000, 950, 1000, 0, 20, f.data.get(), &f.dc);
    ASSERT_TRUE(broken.axisX.IsBroken());
    EXPECT_EQ(broken.axisY.GetStart().x, broken.axisX.GetStart().x - 450);

    // The grid runs over the frame: x lines from the x axis to the y
    // axis's end, y lines along the x axis.
    f.device.Clear();
    positive.DrawGrid(&f.dc);
    bool any = false;
    for (const DrawnItem& item : f.device.Items()) {
        if (item.kind != DrawnItem::Line && item.kind != DrawnItem::Path)
            continue;
        any = true;
        EXPECT_GE(item.rect.top(), positive.axisY.GetEnd().y - 2);
        EXPECT_LE(item.rect.bottom(), positive.axisX.GetStart().y + 2);
    }
    EXPECT_TRUE(any);
}

// A value typed after a drawing widens the next drawing's range: a changed
// column is recalculated, whatever was drawn before.
TEST(StatChartFrames, ChangedValuesReachTheNextLayout) {
    FrameFixture f;
    f.Set(0, 0, 3);
    f.Set(0, 1, 8);
    QvStatColumnAxes first;
    first.Layout(1000, 1000, 20000, 11000, 0, f.data.get(), &f.dc, false);
    EXPECT_NEAR(first.axis.GetMax(), 8.5, 1e-9); // 8, then 8/16 of padding
    f.Set(0, 2, 40);                             // marks the column changed
    QvStatColumnAxes second;
    second.Layout(1000, 1000, 20000, 11000, 0, f.data.get(), &f.dc, false);
    EXPECT_NEAR(second.axis.GetMax(), 42.5, 1e-9);
    EXPECT_EQ(second.count, 3);
}

// A frame without a data column in use, or never laid out, draws nothing
// and gives no positions.
TEST(StatChartFrames, FrameNeverSetUpDrawsNothing) {
    FrameFixture f;
    f.Set(0, 0, 4);
    f.p().dc.fill(-1);
    QvStatBarAxes bars;
    bars.Layout(1000, 1000, 20000, 11000, f.data.get(), &f.dc, false);
    QvStatColumnAxes columns;
    columns.Layout(1000, 1000, 20000, 11000, 5, f.data.get(), &f.dc, false);
    EXPECT_EQ(bars.count, 0);
    EXPECT_EQ(columns.count, 5);
    QvStatXYAxes xy;
    bars.Draw(&f.dc);
    columns.Draw(&f.dc);
    xy.Draw(&f.dc);
    EXPECT_TRUE(f.device.Items().empty());
    EXPECT_EQ(bars.ValueToPos(0), -1);
    EXPECT_EQ(columns.ValueToPos(0), -1);
    EXPECT_EQ(xy.ValueToPoint(0, 0), CPoint(-1, -1));
    EXPECT_EQ(QvStatData().CountDataColumns(), 2);
    f.p().dc = {2, -1, 5, 7, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(f.data->CountDataColumns(), 3);
}

} // namespace

namespace {

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

// An x/y frame over negative and positive data at print resolution: both
// axes drawn through the origin, kept in the build folder to look at.
TEST(StatChartFrames, XYFrameRendersAtPrintResolution) {
    auto data = std::make_unique<QvStatData>();
    data->properties.xAxis = QStringLiteral("x");
    data->properties.yAxis = QStringLiteral("y");
    data->properties.xAxisMid = QStringLiteral("Temperature");
    data->properties.yAxisMid = QStringLiteral("Growth");
    QImage image(Px(12000), Px(8000), QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    QvStatXYAxes frame;
    {
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        frame.Layout(300, -300, 11700, -7700, -10, 40, -5, 20, data.get(), &dc);
        frame.Draw(&dc);
    }
    image.save(QStringLiteral(LUMBREL_BINARY_DIR "/stat_xy_frame.png"));
    const CPoint origin = frame.ValueToPoint(0, 0);
    const CPoint corner = frame.ValueToPoint(30, 15);
    EXPECT_TRUE(DarkNear(image, Px(origin.x), Px(origin.y)));
    EXPECT_TRUE(DarkNear(image, Px(corner.x), Px(origin.y)));
    EXPECT_TRUE(DarkNear(image, Px(origin.x), Px(corner.y)));
    EXPECT_LT(Px(origin.x), Px(corner.x));
    EXPECT_GT(Px(origin.y), Px(corner.y));
}

// Every number label of the value axis lies wholly inside the frame,
// clear of the axis title beside it, and ends left of the plot area,
// whether its widest label is an end of the range or not: inner labels
// with more decimals, a minus sign, decades on a logarithmic scale, large
// type.
TEST(StatChartFrames, ValueAxisLabelsFitInsideTheFrame) {
    struct Case {
        const char* name;
        bool columns; // a column frame, else an x/y frame
        int mapMode;
        double ymin, ymax;
        int points; // scale font size
        bool log;
        const char* title; // beside the value axis
    };
    const Case cases[] = {
        {"tenths up to 1", false, MM_HIMETRIC, 0, 1, 12, false, ""},
        {"tenths up to 1 beside a title", false, MM_HIMETRIC, 0, 1, 12, false, "Share"},
        {"hundredths up to 0.1", false, MM_HIMETRIC, 0.01, 0.1, 12, false, ""},
        {"halves up to 3 in large type", false, MM_HIMETRIC, 0, 3, 24, false, "Count"},
        {"minus halves", false, MM_HIMETRIC, -3, 0.4, 12, false, ""},
        {"decades", false, MM_HIMETRIC, 0.005, 0.9, 12, true, ""},
        {"halves up to 2 in columns", true, MM_HIMETRIC, 0.2, 2, 18, false, ""},
        {"whole numbers in small type", false, MM_TEXT, 0, 12, 8, false, "Count"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameFixture f;
        f.dc.SetMapMode(c.mapMode);
        const double d = c.mapMode == MM_HIMETRIC ? -1.0 : 1.0;
        QvLogFont& font = f.p().ScaleFont;
        font.m_drawHeight = QvLogFont::DrawHeightForPointSize(c.points * 10);
        font.m_logFont.lfHeight = -c.points * 96 / 72;
        f.p().yLogScale = c.log;
        const QString title = QString::fromLatin1(c.title);
        f.p().yAxisMid = title;
        const CRect given(2000, int(2000 * d), 14000, int(10000 * d));
        int axisX = 0;
        if (c.columns) {
            f.p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
            f.Set(0, 0, c.ymin);
            f.Set(0, 1, c.ymax);
            QvStatColumnAxes frame;
            frame.Layout(given.left, given.top, given.right, given.bottom, 0, f.data.get(), &f.dc,
                         false);
            frame.Draw(&f.dc);
            axisX = frame.categorySpan[0].x;
        } else {
            QvStatXYAxes frame;
            frame.Layout(given.left, given.top, given.right, given.bottom, 0, 10, c.ymin, c.ymax,
                         f.data.get(), &f.dc);
            frame.Draw(&f.dc);
            axisX = frame.ValueToPoint(0, 0).x;
        }
        CPoint left(given.left, 0), axis(axisX, 0);
        f.dc.LPtoDP(&left);
        f.dc.LPtoDP(&axis);
        double titleRight = left.x;
        for (const DrawnItem& text : Texts(f.device))
            if (!title.isEmpty() && text.text == title)
                titleRight = text.rect.right();
        int labels = 0;
        for (const DrawnItem& text : Texts(f.device)) {
            EXPECT_GE(text.rect.left(), left.x - 0.5) << text.text.toStdString();
            if (text.text == title || text.rect.center().x() >= axis.x)
                continue;
            ++labels;
            EXPECT_GE(text.rect.left(), titleRight - 0.5) << text.text.toStdString();
            EXPECT_LE(text.rect.right(), axis.x + 0.5) << text.text.toStdString();
        }
        EXPECT_GE(labels, 2);
    }
}
