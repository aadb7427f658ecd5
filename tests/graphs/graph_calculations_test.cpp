// What a function graph works out: integral areas, tangent slopes, the
// order of the curves at a point, the points a click picks, and the report
// lines that show them.
#include "common/recording_device.h"
#include "graphs/function_test_support.h"
#include "graphs/graph.h"
#include "platform/dc.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

namespace {

// A graph on the window -10..10 both ways, framed (0, 0)-(1000, 1000) in
// pixels, holding the given functions.
std::unique_ptr<QvGraph> Graph(std::initializer_list<const char*> texts, int angle = 0) {
    auto g = std::make_unique<QvGraph>();
    QvGraphData& d = g->data;
    d.xMinShowS = d.yMinShowS = QStringLiteral("-10");
    d.xMaxShowS = d.yMaxShowS = QStringLiteral("10");
    d.xMajorS = d.yMajorS = QStringLiteral("2");
    d.xMinorS = d.yMinorS = QStringLiteral("1");
    d.AutoScale = 0;
    d.AngleType = angle;
    d.frameTopLeft = CPoint(0, 0);
    d.frameBottomRight = CPoint(1000, 1000);
    int i = 0;
    for (QvGraphDataFunction& f : d.functions) {
        f.expression = f.caption = i < int(texts.size()) ? QString::fromLatin1(texts.begin()[i]) : QString();
        f.dirty = 1;
        ++i;
    }
    return g;
}

std::vector<DrawnItem> Draw(QvGraph& g) {
    RecordingDevice device;
    {
        CDC dc(&device);
        g.Draw(&dc, FALSE);
    }
    return device.Items();
}

// The device point of a world point.
CPoint At(const QvGraph& g, double x, double y) {
    return CPoint(int(std::lround(g.XToDevice(x))), int(std::lround(g.YToDevice(y))));
}

// The expected values were worked out in Python: the same trapezoid sums
// over 250 points with x accumulated.
TEST(GraphCalculations, IntegralAreas) {
    struct Case {
        const char* a;
        const char* b; // "" for the x axis
        const char* low;
        const char* high;
        int angle;
        double s, area;
    } cases[] = {
        {"Y=X^2", "", "0", "1", 0, 0.33333602146202, 0.33333602146202},
        {"Y=X-1", "", "0", "2", 0, 0.0, 1.00001612877212},
        {"Y=X^2", "Y=X", "0", "2", 0, 0.66668817169617, 1.00001612877213},
        {"Y=SIN(X)", "", "0", "3.141592654", 1, 1.99997346916289, 1.99997346916289},
        // Limits the wrong way round: the same area, the sign turned.
        {"Y=X^2", "", "1", "0", 0, -0.33333602146202, 0.33333602146202},
        // Equal limits measure nothing.
        {"Y=X^2", "", "2", "2", 0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        auto g = *c.b ? Graph({c.a, c.b}, c.angle) : Graph({c.a}, c.angle);
        Draw(*g);
        g->data.integral.functionA = 0;
        g->data.integral.functionB = *c.b ? 1 : -1;
        g->data.integral.lowerText = QString::fromLatin1(c.low);
        g->data.integral.upperText = QString::fromLatin1(c.high);
        const QvIntegralValues v = g->IntegralValues();
        EXPECT_TRUE(v.defined) << c.a;
        EXPECT_NEAR(v.signedArea, c.s, 1e-11) << c.a << " " << c.low;
        EXPECT_NEAR(v.area, c.area, 1e-11) << c.a << " " << c.low;
    }
}

// 1/X on [-1, 2]: sample 83 lands on 0, where the curve has no value.
TEST(GraphCalculations, IntegralOverAGapWritesNoNumber) {
    auto g = Graph({"Y=1/X"});
    g->data.integral = {QStringLiteral("-1"), QStringLiteral("2"), 0, -1, 1, QStringLiteral("A")};
    std::vector<DrawnItem> items = Draw(*g);
    EXPECT_FALSE(g->IntegralValues().defined);
    EXPECT_EQ(g->data.integral.labelText, QStringLiteral("A"));
    // The area is drawn all the same.
    int polygons = 0;
    for (const DrawnItem& item : items)
        polygons += item.kind == DrawnItem::Polygon && item.polygon.size() >= 400;
    EXPECT_EQ(polygons, 1);
}

// Drawing writes the result after the label, once per drawing, and the
// report takes over from any picked point.
TEST(GraphCalculations, ReportLinesOfIntegralAndDerivative) {
    auto g = Graph({"Y=X^2"});
    QvGraphData& d = g->data;
    d.functions[0].selectedPoint = 2;
    d.intersection.state = 9;
    d.integral = {QStringLiteral("0"), QStringLiteral("1"), 0, -1, 1, QStringLiteral("Area")};
    Draw(*g);
    // The window -10.5..10.5 is 21 wide: 6 digits, 3 for areas.
    EXPECT_EQ(d.integral.labelText, QStringLiteral("Area  =  0.333    (Area = 0.333)"));
    EXPECT_EQ(d.functions[0].selectedPoint, -1);
    EXPECT_EQ(d.intersection.state, 0);

    auto t = Graph({"Y=X^2", "Y=X^3-3X"});
    t->data.derivative = {QStringLiteral("3"), 0, 1, QStringLiteral("m")};
    Draw(*t);
    EXPECT_EQ(t->data.derivative.labelText, QStringLiteral("m  =  6"));
}

TEST(GraphCalculations, TangentSlopes) {
    struct Case {
        const char* f;
        const char* x;
        double slope, y;
    } cases[] = {{"Y=X^2", "3", 6.0, 9.0}, {"Y=X^3-3X", "2", 9.0, 2.0}, {"Y=5", "-1", 0.0, 5.0}};
    for (const Case& c : cases) {
        auto g = Graph({c.f});
        Draw(*g);
        g->data.derivative.function = 0;
        g->data.derivative.xText = QString::fromLatin1(c.x);
        const QvTangentValues t = g->TangentValues();
        EXPECT_TRUE(t.defined);
        EXPECT_NEAR(t.slope, c.slope, 1e-6) << c.f;
        EXPECT_NEAR(t.y, c.y, 1e-12) << c.f;
    }
    // An index no function has draws no tangent.
    auto g = Graph({"Y=X"});
    g->data.derivative.function = 12;
    EXPECT_FALSE(g->TangentValues().defined);
}

TEST(GraphCalculations, SortFunctionsAtWithTiesAndAnXOfYCurve) {
    auto g = Graph({"Y=X", "Y=2X", "Y=X", "X=Y^2"});
    Draw(*g);
    const QvGraph::Order order = g->SortFunctionsAt(1.0);
    const int expected[20] = {0, 2, 1, 10, 10, 10, 10, 10, 10, 10, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int j = 0; j < 20; ++j)
        EXPECT_EQ(order[size_t(j)], expected[j]) << j;
}

TEST(GraphCalculations, ClickOnACrossingShowsTheIntersection) {
    auto g = Graph({"Y=X^2", "Y=X+2"});
    Draw(*g);
    const CPoint p = At(*g, 2.0, 4.0);
    g->FindPointsAt(p.x + 3, p.y - 2);
    const QvIntersectionRecord& r = g->data.intersection;
    EXPECT_EQ(r.state, 9);
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.second, 1);
    EXPECT_NEAR(r.x, 2.0, 1e-7);
    EXPECT_NEAR(r.y, 4.0, 1e-6);
    EXPECT_EQ(g->data.calcShown, 1);

    // Drawn: a ring round the point and the report line.
    std::vector<DrawnItem> items = Draw(*g);
    QString line;
    for (const DrawnItem& item : items)
        if (item.kind == DrawnItem::Text)
            line += item.text;
    EXPECT_TRUE(line.contains(QStringLiteral("  &  "))) << qPrintable(line);
    EXPECT_TRUE(line.contains(QStringLiteral("  : Point of Intersection (2, 4)"))) << qPrintable(line);
}

// Two parabolas touching at the origin: no crossing is found there, and the
// analysed points near it (each curve's y intercept and turning point, and
// the x intercept that -x^2 reaching 0 counts) come one per click at the
// same place, then the first again.
TEST(GraphCalculations, RepeatedClicksStepThroughTheCandidates) {
    auto g = Graph({"Y=X^2", "Y=-X^2"});
    Draw(*g);
    const CPoint o = At(*g, 0.0, 0.0);
    g->FindPointsAt(o.x, o.y);
    const int count = g->picked->count;
    ASSERT_EQ(count, 5);
    std::vector<std::pair<int, int>> shown; // (function, point)
    std::multiset<int> kinds;
    for (int click = 0; click <= count; ++click) {
        if (click > 0)
            g->FindPointsAt(o.x, o.y);
        EXPECT_NE(g->data.intersection.state, 9);
        int function = -1, point = -1;
        for (int i = 0; i < 10; ++i)
            if (g->data.functions[i].selectedPoint >= 0) {
                EXPECT_EQ(function, -1) << "two points picked at once";
                function = i;
                point = g->data.functions[i].selectedPoint;
            }
        ASSERT_GE(function, 0);
        shown.emplace_back(function, point);
        if (click < count)
            kinds.insert(g->functionObjects[function].analysedPoints[point].kind);
    }
    const std::set<std::pair<int, int>> distinct(shown.begin(), shown.end() - 1);
    EXPECT_EQ(distinct.size(), size_t(count));
    EXPECT_EQ(shown.back(), shown.front()); // round again
    EXPECT_EQ(kinds, (std::multiset<int>{3, 3, 4, 7, 8}));
    // One unit away the list is made again and starts at the first.
    g->FindPointsAt(o.x + 1, o.y);
    EXPECT_EQ(g->data.functions[shown[0].first].selectedPoint, shown[0].second);
    EXPECT_EQ(g->data.functions[1 - shown[0].first].selectedPoint, -1);
}

// A curve hit where it has no special point is selected as a whole, also
// when it is an x = curve on its own.
TEST(GraphCalculations, LoneCurvesAreSelected) {
    for (const char* text : {"X=Y^2", "Y=X^3"}) {
        auto g = Graph({text});
        Draw(*g);
        const CPoint p = text[0] == 'X' ? At(*g, 4.0, 2.0) : At(*g, 1.5, 3.375);
        g->FindPointsAt(p.x, p.y);
        EXPECT_EQ(g->data.functions[0].selectedPoint, -2) << text;
        EXPECT_EQ(g->data.calcShown, 1);
        Draw(*g); // draws the selection without trouble
    }
    // Nothing under the pointer picks nothing.
    auto g = Graph({"Y=X"});
    Draw(*g);
    const CPoint p = At(*g, 5.0, -5.0);
    g->FindPointsAt(p.x, p.y);
    EXPECT_EQ(g->data.functions[0].selectedPoint, -1);
    EXPECT_EQ(g->data.calcShown, 0);
}

// On paper at 300 dpi: an integral's area between two curves, a tangent
// and a picked intersection with its report.  Kept as a picture.
TEST(GraphCalculations, AreaTangentAndIntersectionOnPaper) {
    auto g = Graph({"Y=4-X^2", "Y=X+2", "Y=SIN(X)"}, 1);
    QvGraphData& d = g->data;
    d.xMinShowS = d.yMinShowS = QStringLiteral("-5");
    d.xMaxShowS = d.yMaxShowS = QStringLiteral("5");
    d.xMajorS = d.yMajorS = QStringLiteral("1");
    d.xMinorS = d.yMinorS = QStringLiteral("0.5");
    d.frameTopLeft = CPoint(500, -500);
    d.frameBottomRight = CPoint(15500, -15500);
    d.functions[0].m_Color = RGB(0, 0, 200);
    d.functions[1].m_Color = RGB(200, 0, 0);
    d.functions[2].m_Color = RGB(0, 130, 0);
    d.integral = {QStringLiteral("-2"), QStringLiteral("1"), 0, 1, 0, QStringLiteral("Area")};
    d.derivative = {QStringLiteral("-4.2"), 2, 0, QStringLiteral("m")};
    g->integralFillColor = RGB(255, 200, 120);
    g->integralFillStyle = LONG(ID_FILL_SOLID);
    QImage image(1890, 1890, QImage::Format_RGB32);
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
    const CPoint crossing = At(*g, 1.0, 3.0);
    g->FindPointsAt(crossing.x, crossing.y);
    ASSERT_EQ(d.intersection.state, 9);
    draw();
    image.save(QStringLiteral(LUMBREL_BINARY_DIR "/graph_calculations.png"));
    auto pixel = [&](double x, double y) {
        return image.pixel(int(g->XToDevice(x) * 300 / 2540), int(-g->YToDevice(y) * 300 / 2540));
    };
    EXPECT_EQ(pixel(-0.3, 2.2), qRgb(255, 200, 120)); // between the curves
    EXPECT_EQ(pixel(-0.3, 1.2), qRgb(255, 255, 255)); // below the line
}

} // namespace
