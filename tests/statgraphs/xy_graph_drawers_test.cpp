// The line, scatter and residuals drawers: what they draw where, through a
// frame laid out as theirs is; which series attributes each series or pair
// takes; and each graph rendered at print resolution.
#include "common/recording_device.h"
#include "platform/dc.h"
#include "settings/settings.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_graph.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double E = QvStatEmpty;
const CRect kRect(0, 0, 20000, 12000);

QColor Colour(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct XYDrawerFixture : ::testing::Test {
    XYDrawerFixture() : device(22000, 14000), dc(&device), data(std::make_unique<QvStatData>()) {
        for (int c = 0; c < QvStatData::Lettered; ++c)
            col(c).symbol = QString(QChar(u'A' + c));
        p().GraphStyle = 3;
        p().Smoothing.fill(0);
    }
    QvStatProperties& p() { return data->properties; }
    QvStatColumn& col(int i) { return data->columns[size_t(i)]; }
    void Values(int c, const std::vector<double>& values) {
        col(c).Clear();
        for (size_t i = 0; i < values.size(); ++i)
            if (values[i] != E)
                col(c).cells[i] = {values[i], 1, QString::number(values[i])};
        col(c).MarkDirty();
    }
    void Slots(std::initializer_list<int> used) {
        p().dc.fill(-1);
        size_t i = 0;
        for (int c : used)
            p().dc[i++] = c;
    }
    void Draw(QvStatGraph&& drawer) {
        device.Clear();
        drawer.SetData(data.get());
        drawer.Draw(&dc, kRect);
    }
    void Frame(QvStatXYAxes& frame, double xmin, double xmax, double ymin, double ymax) {
        frame.Layout(kRect.left, kRect.top, kRect.right, kRect.bottom, xmin, xmax, ymin, ymax,
                     data.get(), &dc);
    }
    // Items of a kind in a colour.
    std::vector<DrawnItem> Of(DrawnItem::Kind kind, const QColor& colour) const {
        std::vector<DrawnItem> out;
        for (const DrawnItem& item : device.Items())
            if (item.kind == kind && item.pen.color() == colour)
                out.push_back(item);
        return out;
    }
    // Dotted lines of a colour (drawn as paths): their bounds.
    std::vector<QRectF> Dotted(const QColor& colour) const {
        std::vector<QRectF> out;
        for (const DrawnItem& item : device.Items())
            if (item.kind == DrawnItem::Path && item.pen.color() == colour &&
                item.pen.style() == Qt::CustomDashLine)
                out.push_back(item.rect);
        return out;
    }
    // The solid polylines of a colour: their vertices, in drawing order
    // (collinear ones merge).
    std::vector<std::vector<QPointF>> Polylines(const QColor& colour) const {
        std::vector<std::vector<QPointF>> out;
        int call = -1;
        for (const DrawnItem& item : Of(DrawnItem::Line, colour)) {
            if (item.call != call) {
                out.push_back({item.line.p1()});
                call = item.call;
            }
            out.back().push_back(item.line.p2());
        }
        return out;
    }
    QColor Series(int k) const { return Colour(data->properties.Brushes[3][size_t(k)].lbColor); }

    RecordingDevice device;
    CDC dc;
    std::unique_ptr<QvStatData> data;
};

// Pixel lines stop one pixel short of their end point.
void ExpectNear(const QPointF& got, const CPoint& want) {
    EXPECT_NEAR(got.x(), want.x, 1.5);
    EXPECT_NEAR(got.y(), want.y, 1.5);
}

TEST_F(XYDrawerFixture, LineGapsSplitTheLineUnlessFilled) {
    // An isolated 3 at row 6 between empty cells.
    Values(0, {2, 5, E, 4, 6, E, 3});
    Slots({0});
    p().Line_PointType[0] = 3;
    QvStatXYAxes frame;
    Frame(frame, 0, 7, 2, 6);
    auto at = [&](int r) { return frame.ValueToPoint(r + 1, col(0).cells[size_t(r)].value); };

    p().Line_FillGaps = 0;
    Draw(QvStatGraphLine());
    std::vector<std::vector<QPointF>> lines = Polylines(Series(0));
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].size(), 2u);
    ExpectNear(lines[0][0], at(0));
    ExpectNear(lines[1][0], at(3));
    // Every value has its mark, the isolated one too.
    const std::vector<DrawnItem> marks = Of(DrawnItem::Ellipse, Series(0));
    ASSERT_EQ(marks.size(), 5u);
    EXPECT_NEAR(marks[4].rect.center().x(), at(6).x, 2);
    EXPECT_NEAR(marks[4].rect.center().y(), at(6).y, 2);

    p().Line_FillGaps = 1;
    Draw(QvStatGraphLine());
    lines = Polylines(Series(0));
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 5u);
    ExpectNear(lines[0][2], at(3));
    EXPECT_EQ(Of(DrawnItem::Ellipse, Series(0)).size(), 5u);

    // Without marks, the lines alone.
    p().DataPoints = 0;
    Draw(QvStatGraphLine());
    EXPECT_TRUE(Of(DrawnItem::Ellipse, Series(0)).empty());
}

// Slots 0 and 2 in use: the second series is slot 2's column and takes the
// second of every series attribute.
TEST_F(XYDrawerFixture, SeriesAttributesFollowTheSeriesNotTheSlot) {
    Values(0, {1, 2, 3, 4, 5, 6, 7, 8});
    Values(2, {3, 5, 4, 6, 8, 7, 9, 11});
    p().dc = {0, -1, 2, -1, -1, -1, -1, -1, -1, -1};
    p().Line_PointType = {3, 4, 3, 3, 3, 3, 3, 3, 3, 3};
    p().Smoothing = {0, 1, 2, 2, 2, 2, 2, 2, 2, 2};
    p().CycleLen = 3;
    Draw(QvStatGraphLine());
    QvStatXYAxes frame;
    Frame(frame, 0, 8, 1, 11);

    // Slot 2's line in the second colour, diamonds filled in it.
    const std::vector<std::vector<QPointF>> lines = Polylines(Series(1));
    ASSERT_EQ(lines.size(), 1u);
    ExpectNear(lines[0].front(), frame.ValueToPoint(1, 3));
    ExpectNear(lines[0].back(), frame.ValueToPoint(8, 11));
    const std::vector<DrawnItem> diamonds = Of(DrawnItem::Polygon, Series(1));
    ASSERT_EQ(diamonds.size(), 8u);
    EXPECT_EQ(diamonds[0].brush.color(), Series(1));
    // Its moving average, dotted: 4 5 6 7 8 9 at rows 1 to 6, each with a
    // small mark; the first series has no second curve.
    const std::vector<QRectF> dots = Dotted(Series(1));
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_NEAR(dots[0].left(), frame.ValueToPoint(2, 4).x, 1.5);
    EXPECT_NEAR(dots[0].bottom(), frame.ValueToPoint(2, 4).y, 1.5);
    EXPECT_NEAR(dots[0].right(), frame.ValueToPoint(7, 9).x, 1.5);
    EXPECT_NEAR(dots[0].top(), frame.ValueToPoint(7, 9).y, 1.5);
    EXPECT_TRUE(Dotted(Series(0)).empty());
    EXPECT_EQ(Of(DrawnItem::Ellipse, Series(1)).size(), 6u);
    EXPECT_EQ(Of(DrawnItem::Ellipse, Series(0)).size(), 8u);
}

// Against labels the rows stand over the categories of a column frame of
// as many rows as the x axis would run to.
TEST_F(XYDrawerFixture, LabelledLineStandsOverItsCategories) {
    Values(0, {4, 7, 5, 9});
    Values(1, {3, E, 6, 2, 8});
    Slots({0, 1});
    p().Line_UseLabels = 1;
    p().Line_PointType = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
    Draw(QvStatGraphLine());
    QvStatColumnAxes frame;
    frame.Layout(kRect.left, kRect.top, kRect.right, kRect.bottom, 5, data.get(), &dc, false);
    const std::vector<DrawnItem> marks = Of(DrawnItem::Ellipse, Series(1));
    ASSERT_EQ(marks.size(), 4u);
    const int rows[] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        const int r = rows[i];
        EXPECT_NEAR(marks[size_t(i)].rect.center().x(), frame.CategoryPos(r + 1), 2) << r;
        EXPECT_NEAR(marks[size_t(i)].rect.center().y(),
                    frame.ValueToPos(col(1).cells[size_t(r)].value), 2)
            << r;
    }
}

// Under a decimal comma the second curve's formula takes ";" between its
// arguments and is drawn.
TEST_F(XYDrawerFixture, SecondCurveDrawnUnderADecimalComma) {
    QvSettingChar& point = TheSettings().m_EquationDefaults.DecimalPoint;
    const char before = point.GetValue();
    Values(0, {3, 5, 4, 6, 8, 7, 9, 11});
    Slots({0});
    p().Smoothing[0] = 1;
    p().CycleLen = 3;
    for (char mark : {'.', ','}) {
        SCOPED_TRACE(mark);
        point.SetValue(mark);
        Draw(QvStatGraphLine());
        EXPECT_EQ(Dotted(Series(0)).size(), 1u);
    }
    point.SetValue(before);
}

// Line art: every series line and the dotted curves are black, the marks
// take the series' hollow or hatched fill.
TEST_F(XYDrawerFixture, LineArtLinesAreBlack) {
    Values(0, {1, 2, 3, 4, 5, 6});
    Values(1, {6, 5, 4, 3, 2, 1});
    Slots({0, 1});
    p().Smoothing = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    p().CycleLen = 3;
    QvStatXYAxes frame;
    Frame(frame, 0, 6, 1, 6);
    for (int style : {0, 1}) {
        SCOPED_TRACE(style);
        p().GraphStyle = style;
        Draw(QvStatGraphLine());
        const std::vector<std::vector<QPointF>> lines = Polylines(Qt::black);
        int series = 0;
        for (const auto& line : lines)
            for (int k = 0; k < 2; ++k) {
                const double from = col(k).cells[0].value, to = col(k).cells[5].value;
                series += std::abs(line.front().x() - frame.ValueToPoint(1, from).x) < 2 &&
                          std::abs(line.front().y() - frame.ValueToPoint(1, from).y) < 2 &&
                          std::abs(line.back().y() - frame.ValueToPoint(6, to).y) < 2;
            }
        EXPECT_EQ(series, 2);
        EXPECT_EQ(Dotted(Qt::black).size(), 2u);
        for (int k = 0; k < 2; ++k) {
            EXPECT_TRUE(Of(DrawnItem::Line, Series(k)).empty());
            EXPECT_TRUE(Dotted(Series(k)).empty());
        }
    }
}

// x 1-5, y 2.1, 3.9, 6.2, 7.8, 10.1: the line of regression is y = 0.05 +
// 1.99x (Python statistics.linear_regression), the residuals run from each
// point to it.
TEST_F(XYDrawerFixture, ScatterLineOfRegressionAndResiduals) {
    Values(0, {1, 2, 3, 4, 5});
    Values(1, {2.1, 3.9, 6.2, 7.8, 10.1});
    Slots({0, 1, 2});
    p().Scatter_PointType[0] = 3;
    Draw(QvStatGraphScatter());
    QvStatXYAxes frame;
    Frame(frame, 1, 5, 2.1, 10.1);

    const std::vector<std::vector<QPointF>> lines = Polylines(Series(0));
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_GT(lines[0].size(), 100u);
    for (size_t i = 0; i + 1 < lines[0].size(); ++i) {
        const QPointF& v = lines[0][i];
        const double x = frame.axisX.PosToValue(int(std::lround(v.x())));
        EXPECT_NEAR(v.y(), frame.axisY.ValueToPos(0.05 + 1.99 * x), 1.5) << i;
    }
    const double residual[] = {0.06, -0.13, 0.18, -0.21, 0.10};
    // Each segment straight up or down from its point to the line.
    const std::vector<QRectF> segments = Dotted(Series(0));
    ASSERT_EQ(segments.size(), 5u);
    for (int r = 0; r < 5; ++r) {
        const double x = r + 1, y = col(1).cells[size_t(r)].value;
        const CPoint point = frame.ValueToPoint(x, y);
        const CPoint fitted = frame.ValueToPoint(x, y - residual[r]);
        const QRectF& s = segments[size_t(r)];
        EXPECT_NEAR(s.left(), point.x, 1.5) << r;
        EXPECT_NEAR(s.right(), point.x, 1.5) << r;
        EXPECT_NEAR(s.top(), std::min(point.y, fitted.y), 1.5) << r;
        EXPECT_NEAR(s.bottom(), std::max(point.y, fitted.y), 1.5) << r;
    }
    EXPECT_EQ(Of(DrawnItem::Ellipse, Series(0)).size(), 5u);

    // Residuals without the line: the segments alone.
    p().LineOfReg = 0;
    Draw(QvStatGraphScatter());
    EXPECT_TRUE(Of(DrawnItem::Line, Series(0)).empty());
    EXPECT_EQ(Dotted(Series(0)).size(), 5u);

    // A failed fit (one pair of values): its point, no line, no residual.
    p().LineOfReg = 1;
    Values(0, {E, 2});
    Draw(QvStatGraphScatter());
    EXPECT_TRUE(Of(DrawnItem::Line, Series(0)).empty());
    EXPECT_TRUE(Dotted(Series(0)).empty());
    EXPECT_EQ(Of(DrawnItem::Ellipse, Series(0)).size(), 1u);
}

TEST_F(XYDrawerFixture, ScatterPairsTakeTheirColourAndMark) {
    Values(0, {1, 2, 3});
    Values(1, {2, 4, 5});
    Values(2, {1, 3, 4});
    Values(3, {6, 5, 1});
    Slots({0, 1, 2, 3});
    p().Scatter_PointType = {3, 4, 3, 3, 3};
    p().LineOfReg = p().Residuals = 0;
    Draw(QvStatGraphScatter());
    // The second pair: entry 2 of the fills (its x column's place), its
    // own mark.
    const std::vector<DrawnItem> diamonds = Of(DrawnItem::Polygon, Series(2));
    ASSERT_EQ(diamonds.size(), 3u);
    EXPECT_EQ(diamonds[0].brush.color(), Series(2));
    EXPECT_TRUE(Of(DrawnItem::Polygon, Series(1)).empty());

    // Plain line art: solid black marks.
    p().GraphStyle = 0;
    Draw(QvStatGraphScatter());
    int solid = 0;
    for (const DrawnItem& item : device.Items())
        if (item.kind == DrawnItem::Ellipse) {
            EXPECT_EQ(item.brush.style(), Qt::SolidPattern);
            EXPECT_EQ(item.brush.color(), QColor(Qt::black));
            ++solid;
        }
    EXPECT_EQ(solid, 3);
}

TEST_F(XYDrawerFixture, ResidualsJoinedOrMarkedAndSplitAtGaps) {
    Values(0, {1, 2, 3, 4, 5, 6, 7});
    Values(1, {2.1, 3.9, E, 6.2, 7.8, 10.1, 11.4});
    Slots({0, 1});
    p().Residuals_PointType[0] = 3;
    p().Residuals_FillGaps = 0;
    Draw(QvStatGraphResidual());
    EXPECT_EQ(Polylines(Series(0)).size(), 2u);
    EXPECT_EQ(Of(DrawnItem::Ellipse, Series(0)).size(), 6u);
    p().Residuals_FillGaps = 1;
    Draw(QvStatGraphResidual());
    ASSERT_EQ(Polylines(Series(0)).size(), 1u);
    EXPECT_EQ(Polylines(Series(0))[0].size(), 6u);
    p().JoinPoints = 0;
    Draw(QvStatGraphResidual());
    EXPECT_TRUE(Polylines(Series(0)).empty());
    EXPECT_EQ(Of(DrawnItem::Ellipse, Series(0)).size(), 6u);
}

// Pair j takes entry j of the fills (not 2j) and its own mark: the fourth
// and fifth pairs the fourth and fifth marks.
TEST_F(XYDrawerFixture, ResidualPairsFourAndFive) {
    for (int c = 0; c < 10; ++c)
        Values(c, {1.0 + c, 2.5 + c, 2.0 + 2 * c, 4.0});
    Slots({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    p().Residuals_PointType = {3, 3, 3, 4, 5};
    p().JoinPoints = 0;
    Draw(QvStatGraphResidual());
    EXPECT_EQ(Of(DrawnItem::Polygon, Series(3)).size(), 4u);
    EXPECT_EQ(Of(DrawnItem::Rect, Series(4)).size(), 4u);
    EXPECT_EQ(Of(DrawnItem::Ellipse, Series(2)).size(), 4u);
}

// With labels, a single column's residuals stand over the categories the
// line graph would give its rows, not all at the left edge.
TEST_F(XYDrawerFixture, LabelledSingleColumnResidualsSpreadAcross) {
    Values(0, {2.1, 3.9, 6.2, 7.8, 10.1});
    Slots({0});
    p().Residuals_UseLabels = 1;
    p().Residuals_PointType[0] = 3;
    Draw(QvStatGraphResidual());
    const std::vector<DrawnItem> marks = Of(DrawnItem::Ellipse, Series(0));
    ASSERT_EQ(marks.size(), 5u);
    for (size_t i = 1; i < marks.size(); ++i)
        EXPECT_GT(marks[i].rect.center().x(), marks[i - 1].rect.center().x() + 1000);
}

// Odd options from a damaged file: a column index naming no column, an
// unknown model, a cycle of no rows.  Each graph draws what it can.
TEST_F(XYDrawerFixture, OddOptionsDrawWithoutFault) {
    Values(0, {1, 2, 3, 4});
    Values(1, {2, 4, 5, 8});
    p().RegType = 99;
    p().CycleLen = 0;
    p().Smoothing = {1, 2, 3, 1, 2, 3, 1, 2, 3, 1};
    for (std::initializer_list<int> used :
         {std::initializer_list<int>{40, 0, 1}, std::initializer_list<int>{0, 40},
          std::initializer_list<int>{1}}) {
        Slots(used);
        Draw(QvStatGraphLine());
        EXPECT_TRUE(Dotted(Series(1)).empty());
        Draw(QvStatGraphScatter());
        Draw(QvStatGraphResidual());
        EXPECT_TRUE(Polylines(Series(0)).empty());
    }
}

// Pixels of 0.01 mm units at 300 dpi.
int Px(int units) {
    return int(std::abs(units) * 300LL / 2540);
}

// Each graph as printed, line art and colour, with marks, a gap, a moving
// average and lines of regression: the pictures are kept in the build
// folder to be looked at.
TEST_F(XYDrawerFixture, RendersEachGraphAtPrintResolution) {
    col(0).name = QStringLiteral("Sales");
    col(1).name = QStringLiteral("Costs");
    Values(0, {12, 15, 11, 18, 21, 17, 24, E, 26, 22, 29, 31, 27, 34, 36});
    Values(1, {8, 9, 12, 10, 13, 15, 14, 17, 16, 19, 18, 22});
    Values(2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    Values(3, {2.1, 3.9, 6.2, 7.8, 10.1, 11.7, 14.4, 15.8, 18.3, 19.6, 22.4, 23.7});
    Values(4, {3, 4, 6, 9, 13, 18, 24, 31});
    Values(5, {2, 3, 7, 10, 12, 19, 22, 33});
    p().Title = QStringLiteral("Trading");
    p().Line_Legend = 1;
    p().Smoothing = {1, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    p().CycleLen = 3;
    struct Case {
        const char* name;
        int type;
        std::initializer_list<int> used;
    };
    const Case cases[] = {{"line", QvStatGraphDispatcher::Line, {0, 1}},
                          {"scatter", QvStatGraphDispatcher::Scatter, {2, 3, 4, 5}},
                          {"residuals", QvStatGraphDispatcher::Residual, {2, 3, 4, 5}},
                          {"residuals_single", QvStatGraphDispatcher::Residual, {0}}};
    for (const Case& c : cases) {
        for (int style : {0, 3}) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(style);
            p().GraphStyle = style;
            Slots(c.used);
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
            image.save(QStringLiteral(LUMBREL_BINARY_DIR "/xy_graph_%1_%2.png")
                           .arg(QLatin1String(c.name))
                           .arg(style));
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
