// The graph engine: range widening, auto-scaling, the layout of the plot
// rectangle, steps that would draw without end, and a whole graph drawn
// on paper.
#include "common/recording_device.h"
#include "graphs/function_test_support.h"
#include "graphs/graph.h"
#include "settings/settings.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "platform/qt_convert.h"

#include <QElapsedTimer>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<QvGraph> MakeGraph(const char* xMin = "-10", const char* xMax = "10",
                                   const char* yMin = "-10", const char* yMax = "10") {
    auto g = std::make_unique<QvGraph>();
    QvGraphData& d = g->data;
    d.xMinShowS = QString::fromLatin1(xMin);
    d.xMaxShowS = QString::fromLatin1(xMax);
    d.yMinShowS = QString::fromLatin1(yMin);
    d.yMaxShowS = QString::fromLatin1(yMax);
    d.xMajorS = d.yMajorS = QStringLiteral("2");
    d.xMinorS = d.yMinorS = QStringLiteral("1");
    d.xNotate = QStringLiteral("x");
    d.yNotate = QStringLiteral("y");
    d.AutoScale = 0;
    d.AngleType = 0;
    d.frameTopLeft = CPoint(0, 0);
    d.frameBottomRight = CPoint(1000, 1000);
    for (QvGraphDataFunction& f : d.functions) {
        f.expression.clear();
        f.dirty = 1;
    }
    return g;
}

std::vector<DrawnItem> Record(QvGraph& g, BOOL noFunctions = FALSE) {
    RecordingDevice device;
    {
        CDC dc(&device);
        g.Draw(&dc, noFunctions);
    }
    return device.Items();
}

TEST(GraphEngine, Widening) {
    struct Case {
        const char *low, *high;
        double wideLow, wideHigh;
    } cases[] = {
        {"-10", "10", -11.0, 11.0},
        {"0", "10", 0.0, 10.5},
        {"3", "3", 3.0, 4.0},
        {"5", "-5", -5.5, 5.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.low << " " << c.high);
        auto g = MakeGraph(c.low, c.high, c.low, c.high);
        Record(*g, TRUE);
        EXPECT_DOUBLE_EQ(g->data.xMin, c.wideLow);
        EXPECT_DOUBLE_EQ(g->data.xMax, c.wideHigh);
        EXPECT_DOUBLE_EQ(g->data.yMin, c.wideLow);
        EXPECT_DOUBLE_EQ(g->data.yMax, c.wideHigh);
    }
}

TEST(GraphEngine, Mapping) {
    auto g = MakeGraph();
    Record(*g, TRUE);
    const double left = g->data.plotTopLeft.x, right = g->data.plotBottomRight.x;
    EXPECT_DOUBLE_EQ(g->XToDevice(-11.0), left);
    EXPECT_DOUBLE_EQ(g->XToDevice(11.0), right);
    EXPECT_DOUBLE_EQ(g->XToDevice(0.0), (left + right) / 2);
    // Far to the right maps to the left edge.
    EXPECT_DOUBLE_EQ(g->XToDevice(1000.0), left);
    EXPECT_DOUBLE_EQ(g->DeviceToX(g->XToDevice(3.0)), 3.0);
    EXPECT_DOUBLE_EQ(g->YToDevice(-11.0), g->data.plotBottomRight.y);
    EXPECT_DOUBLE_EQ(g->YToDevice(11.0), g->data.plotTopLeft.y);
    EXPECT_NEAR(g->DeviceToY(g->YToDevice(-4.0)), -4.0, 1e-12);
}

TEST(GraphEngine, AutoScaleWithoutFunctions) {
    auto g = MakeGraph();
    g->data.AutoScale = 1;
    Record(*g);
    EXPECT_DOUBLE_EQ(g->xMinValue, -10.0);
    EXPECT_DOUBLE_EQ(g->xMaxValue, 10.0);
    EXPECT_DOUBLE_EQ(g->yMinValue, -10.0);
    EXPECT_DOUBLE_EQ(g->yMaxValue, 10.0);
    EXPECT_EQ(g->xMajorStep, 2.0);
    EXPECT_EQ(g->xMinorStep, 0.5);
    EXPECT_EQ(g->yMajorStep, 2.0);
    EXPECT_EQ(g->yMinorStep, 0.5);
    // The computed steps are for this drawing only.
    EXPECT_EQ(g->data.xMinorS, QStringLiteral("1"));
}

TEST(GraphEngine, AutoScaleOfAParabola) {
    // Roots -3 and 20 and the turning point near 8.5: the scan finds the
    // root at 20.16 and the turning point at 9.36, where the value is
    // (9.36 - 20)(9.36 + 3) = -131.5104; times 1.6.
    auto g = MakeGraph();
    g->data.AutoScale = 1;
    g->data.functions[0].expression = QStringLiteral("Y=(X-20)(X+3)");
    g->data.functions[0].selectedPoint = 4;
    Record(*g);
    EXPECT_NEAR(g->xMinValue, -10.0, 1e-6);
    EXPECT_NEAR(g->xMaxValue, 32.256, 1e-6);
    EXPECT_NEAR(g->yMinValue, -210.41664, 1e-6);
    EXPECT_NEAR(g->yMaxValue, 10.0, 1e-6);
    EXPECT_EQ(g->xMajorStep, 5.0);
    EXPECT_EQ(g->xMinorStep, 1.0);
    EXPECT_EQ(g->yMajorStep, 20.0);
    EXPECT_EQ(g->yMinorStep, 5.0);
    EXPECT_EQ(g->data.functions[0].kind, 1);
    EXPECT_EQ(g->data.functions[0].dirty, 0);
    // The picked point survives the resampling.
    EXPECT_EQ(g->data.functions[0].selectedPoint, 4);
}

TEST(GraphEngine, SortFunctionsAt) {
    auto g = MakeGraph();
    const char* texts[] = {"Y=X", "", "Y=2", "Y=-1", "Y=2"};
    for (int i = 0; i < 5; ++i) {
        QvFunction& f = g->functionObjects[i];
        f.data.expression = QString::fromLatin1(texts[i]);
        f.Compile();
    }
    const QvGraph::Order order = g->SortFunctionsAt(1.0);
    const int expected[] = {3, 0, 2, 4, 10, 10, 10, 10, 10, 10, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0};
    for (int j = 0; j < 20; ++j)
        EXPECT_EQ(order[size_t(j)], expected[j]) << j;
    // Ties and missing functions do not change the order.
    QvGraph::Order swapped = order;
    std::swap(swapped[2], swapped[3]);
    EXPECT_TRUE(QvGraph::SameOrder(order, swapped));
    swapped = order;
    std::swap(swapped[0], swapped[1]);
    EXPECT_FALSE(QvGraph::SameOrder(order, swapped));
}

TEST(GraphEngine, LabelRoomOnTheLeft) {
    // With x from 0 the y axis is the left edge: the labels get room.
    auto withLabels = MakeGraph("0");
    Record(*withLabels);
    auto without = MakeGraph("0");
    without->data.showYLabels = 0;
    Record(*without);
    auto middle = MakeGraph("-10");
    Record(*middle);
    EXPECT_GT(withLabels->data.plotTopLeft.x, without->data.plotTopLeft.x);
    EXPECT_GT(without->data.plotTopLeft.x, 0);
    EXPECT_EQ(middle->data.plotTopLeft.x, 0);
    // The widest label, "–10", is at least 10 pixels wide in the default font.
    EXPECT_GE(withLabels->data.plotTopLeft.x, 10);
}

TEST(GraphEngine, StepsThatWouldNeverEnd) {
    struct Case {
        const char* what;
        void (*set)(QvGraphData&);
    } cases[] = {
        {"step 0", [](QvGraphData& d) { d.xMajorS = d.yMinorS = QStringLiteral("0"); }},
        {"step -1", [](QvGraphData& d) { d.xMajorS = d.xMinorS = d.yMajorS = QStringLiteral("-1"); }},
        {"x max abc", [](QvGraphData& d) { d.xMaxShowS = QStringLiteral("abc"); }},
        {"step 1e-9", [](QvGraphData& d) { d.xMajorS = d.yMinorS = QStringLiteral("0.000000001"); }},
        {"x min 0, step 0", [](QvGraphData& d) {
             d.xMinShowS = d.yMinShowS = QStringLiteral("0");
             d.xMajorS = d.yMajorS = QStringLiteral("0");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto g = MakeGraph();
        g->data.ShowGrid = 1;
        g->data.functions[0].expression = QStringLiteral("Y=X");
        c.set(g->data);
        QImage image(1000, 1000, QImage::Format_RGB32);
        image.fill(Qt::white);
        CDC dc(&image);
        g->Draw(&dc, FALSE); // fonts and the function compiled
        QElapsedTimer timer;
        timer.start();
        g->Draw(&dc, FALSE);
        EXPECT_LT(timer.elapsed(), 50);
    }
    // The pass with too fine a step draws nothing; the others draw.
    auto g = MakeGraph();
    g->data.ShowGrid = 1;
    g->data.showXTicks = g->data.showYTicks = 0;
    g->data.showXAxis = g->data.showYAxis = 0;
    auto lines = [](const std::vector<DrawnItem>& items) {
        return std::count_if(items.begin(), items.end(),
                             [](const DrawnItem& item) { return item.kind == DrawnItem::Line; });
    };
    const auto all = lines(Record(*g));
    g->data.yMinorS = QStringLiteral("0.000000001");
    const auto fewer = lines(Record(*g));
    // Minor: 20 lines each way; major: 10 each way; none on the axes.
    EXPECT_EQ(all, 60);
    EXPECT_EQ(fewer, 40);
}

TEST(GraphEngine, AxesArrowsAndOrigin) {
    // The arrows follow the current defaults, the origin mark the record.
    QvGraphDefaults& defaults = TheSettings().m_GraphDefaults;
    const BOOL negative = defaults.ShowNegativeArrows.GetValue();
    const BOOL positive = defaults.ShowPositiveArrows.GetValue();
    struct Case {
        BOOL negative, positive, origin;
        int lines, ellipses;
    } cases[] = {
        {FALSE, FALSE, FALSE, 2, 0},
        {TRUE, FALSE, TRUE, 6, 1},
        {TRUE, TRUE, FALSE, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.negative << c.positive << c.origin);
        defaults.ShowNegativeArrows.SetValue(c.negative);
        defaults.ShowPositiveArrows.SetValue(c.positive);
        auto g = MakeGraph();
        g->data.ShowOrigin = BYTE(c.origin);
        g->data.ShowNegativeArrows = g->data.ShowPositiveArrows = BYTE(!c.negative);
        g->data.showXTicks = g->data.showYTicks = 0;
        int lines = 0, ellipses = 0;
        for (const DrawnItem& item : Record(*g, TRUE)) {
            lines += item.kind == DrawnItem::Line;
            if (item.kind != DrawnItem::Ellipse)
                continue;
            ++ellipses;
            // 380 device units wide whatever the mode.
            EXPECT_NEAR(item.rect.width(), 380.0, 2.0);
            EXPECT_EQ(item.brush.style(), Qt::NoBrush);
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(ellipses, c.ellipses);
    }
    defaults.ShowNegativeArrows.SetValue(negative);
    defaults.ShowPositiveArrows.SetValue(positive);
}

TEST(GraphEngine, LayoutOnPaper) {
    // Where y grows upwards the x labels' room is taken from the smaller y
    // and the notation's from the larger.
    auto g = MakeGraph("-10", "10", "0", "10");
    g->data.frameTopLeft = CPoint(0, -10000);
    g->data.frameBottomRight = CPoint(10000, 0);
    QImage image(400, 400, QImage::Format_RGB32);
    {
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        g->Draw(&dc, FALSE);
    }
    EXPECT_EQ(g->yUp, 1);
    EXPECT_GT(g->data.plotTopLeft.y, -10000 + 200);
    EXPECT_LT(g->data.plotBottomRight.y, 0);
    EXPECT_LT(g->data.plotBottomRight.x, 10000 - 200);
    // y = 0 lies on the plot's lower edge.
    EXPECT_EQ(g->YToDevice(0.0), g->data.plotTopLeft.y);
    // The top is held 15 units inside where y grows upwards.
    EXPECT_EQ(g->YToDevice(10.5), g->data.plotBottomRight.y - 15);
    EXPECT_EQ(g->YToDevice(5.25), (g->data.plotTopLeft.y + g->data.plotBottomRight.y) / 2.0);
}

TEST(GraphEngine, StoredWithTheFunctionRecordsTwice) {
    auto g = MakeGraph();
    g->data.functions[3].expression = QStringLiteral("Y=X^2");
    QByteArray record;
    for (QvGraphDataFunction& f : g->data.functions)
        record += Stored(f);
    const QByteArray bytes = Stored(*g);
    EXPECT_EQ(bytes, Stored(g->data) + record);
    auto back = std::make_unique<QvGraph>();
    EXPECT_EQ(Load(*back, bytes), bytes.size());
    EXPECT_EQ(back->data.functions[3].expression, QStringLiteral("Y=X^2"));
}

TEST(GraphEngine, PixelsOfAGraph) {
    auto g = MakeGraph();
    g->data.xColor = g->data.yColor = RGB(0, 0, 0);
    g->data.functions[0].expression = QStringLiteral("Y=X");
    g->data.functions[0].m_Color = RGB(0, 0, 255);
    QImage image(1000, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(&image);
        g->Draw(&dc, FALSE);
    }
    auto at = [&](double x, double y) {
        return QColor(image.pixel(int(g->XToDevice(x)), int(g->YToDevice(y))));
    };
    EXPECT_LT(at(5.0, 0.0).lightness(), 100); // the x axis
    EXPECT_LT(at(0.0, -5.0).lightness(), 100); // the y axis
    EXPECT_EQ(at(7.0, 7.0).blue(), 255); // the curve
    EXPECT_EQ(at(7.0, -7.0), QColor(Qt::white));
}

// Ten functions on paper at 300 dpi, kept as a picture to look at.
TEST(GraphEngine, TenFunctionsOnPaper) {
    auto g = MakeGraph();
    QvGraphData& d = g->data;
    d.ShowGrid = 1;
    d.frameTopLeft = CPoint(500, -500);
    d.frameBottomRight = CPoint(15500, -15500);
    struct Function {
        const char *text, *domain;
        COLORREF color;
    } functions[] = {
        {"Y=X^3/20-X", "", RGB(200, 0, 0)},
        {"Y=1/(X-2)", "", RGB(0, 120, 0)},
        {"Y=5SIN(30X)", "", RGB(0, 0, 200)},
        {"R=2", "", RGB(160, 0, 160)},
        {"X=Y^2", "", RGB(0, 140, 140)},
        {"Y=-X+3", "-5<X\xA3" "2", RGB(200, 120, 0)},
        {"X=7COS(T);Y=7SIN(T)", "0<T<360", RGB(100, 100, 100)},
        {"Y=1/X", "", RGB(120, 60, 0)},
        {"Y=X^2-8", "", RGB(255, 0, 120)},
        {"Y=2+1/X", "", RGB(0, 200, 255)},
    };
    for (int i = 0; i < 10; ++i) {
        QvGraphDataFunction& f = d.functions[i];
        f.expression = QString::fromLatin1(functions[i].text);
        f.rangeText = QString::fromLatin1(functions[i].domain);
        f.m_Color = functions[i].color;
        f.lineCommand = int(ID_LINE_SOLID2);
    }
    d.functions[9].HAsym = 1;
    QImage image(1890, 1890, QImage::Format_RGB32); // 160 mm
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    {
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        dc.SetBkMode(TRANSPARENT);
        g->Draw(&dc, FALSE);
    }
    image.save(QStringLiteral(LUMBREL_BINARY_DIR "/graph_ten_functions.png"));
    EXPECT_EQ(g->yUp, 1);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(d.functions[i].kind, i == 3 ? 2 : i == 4 ? 3 : i == 6 ? 4 : 1) << i;
    // Some ink of a colour near a world point.
    auto inkNear = [&](double x, double y, COLORREF color) {
        const int px = int(g->XToDevice(x) * 300 / 2540), py = int(-g->YToDevice(y) * 300 / 2540);
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                if (image.pixel(px + dx, py + dy) == ToQColor(color).rgb())
                    return true;
        return false;
    };
    EXPECT_TRUE(inkNear(std::sqrt(2.0), std::sqrt(2.0), functions[3].color)); // the polar circle
    EXPECT_TRUE(inkNear(4.0, 2.0, functions[4].color));                      // x = y^2
    EXPECT_TRUE(inkNear(0.0, 7.0, functions[6].color));                       // the two-part circle
    EXPECT_TRUE(inkNear(-3.0, 6.0, functions[5].color));                      // the restricted line
    EXPECT_FALSE(inkNear(4.0, -1.0, functions[5].color));                     // beyond its domain
}

// Shadings lie under the axes and the curves and mix where they overlap; a
// picked point is marked and described below the plot.  Kept as a picture.
TEST(GraphEngine, ShadingsAndAPickedPointOnPaper) {
    auto g = MakeGraph();
    QvGraphData& d = g->data;
    d.ShadeAbove = 1;
    d.frameTopLeft = CPoint(500, -500);
    d.frameBottomRight = CPoint(15500, -14500);
    struct Function {
        const char* text;
        COLORREF color, shade;
        int type;
    } functions[] = {
        {"Y>X^2-4", RGB(0, 0, 160), RGB(210, 210, 255), 0},
        {"Y<3-X", RGB(160, 60, 0), RGB(255, 220, 210), 0},
        {"Y=X^3-3X", RGB(0, 0, 200), 0, 0},
        {"R\xA3" "2", RGB(0, 120, 0), RGB(0, 160, 0), 1},
    };
    for (int i = 0; i < 4; ++i) {
        QvGraphDataFunction& f = d.functions[i];
        f.expression = f.caption = QString::fromLatin1(functions[i].text);
        f.m_Color = functions[i].color;
        f.m_ShadeColor = functions[i].shade;
        f.m_ShadeType = functions[i].type;
        f.m_HatchType = 5;
        f.lineCommand = int(ID_LINE_SOLID2);
    }
    QImage image(1890, 1890, QImage::Format_RGB32); // 160 mm
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    auto draw = [&] {
        image.fill(Qt::white);
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        dc.SetBkMode(TRANSPARENT);
        g->Draw(&dc, FALSE);
    };
    draw();
    // Pick x^3 - 3x's maximum at (-1, 2), as a click would.
    const QvFunction& cubic = g->functionObjects[2];
    int maximum = -1;
    for (int i = 0; i < cubic.analysedCount; ++i)
        if (cubic.analysedPoints[i].kind == 7 && std::fabs(cubic.analysedPoints[i].x + 1) < 1e-6)
            maximum = i;
    ASSERT_GE(maximum, 0);
    d.functions[2].selectedPoint = maximum;
    draw();
    image.save(QStringLiteral(LUMBREL_BINARY_DIR "/graph_shaded.png"));
    auto pixel = [&](double x, double y) {
        return image.pixel(int(g->XToDevice(x) * 300 / 2540), int(-g->YToDevice(y) * 300 / 2540));
    };
    EXPECT_EQ(pixel(-2, 3), qRgb(210, 208, 210));   // both shadings
    EXPECT_EQ(pixel(5, -7), qRgb(255, 220, 210));   // below 3 - x only
    EXPECT_EQ(pixel(1, 6), qRgb(210, 210, 255));    // above x^2 - 4 only
    EXPECT_EQ(pixel(8, 8), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(0, 5), qRgb(0, 0, 0));           // the y axis over the shadings
    // The curve over the shadings, and the dot on its maximum.
    auto inkNear = [&](double x, double y, COLORREF color) {
        const int px = int(g->XToDevice(x) * 300 / 2540), py = int(-g->YToDevice(y) * 300 / 2540);
        int n = 0;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx)
                n += image.pixel(px + dx, py + dy) == ToQColor(color).rgb();
        return n;
    };
    EXPECT_GT(inkNear(-1, 2, functions[2].color), 50);
    EXPECT_GT(inkNear(2, 2, functions[2].color), 0);
    // The label line, below the plot's lower edge.
    const int below = int(-g->data.plotTopLeft.y * 300 / 2540) + 5;
    int ink = 0;
    for (int y = below; y < 1890; ++y)
        for (int x = 0; x < 1890; ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(ink, 100);
}

} // namespace
