// Sampling a function over its window and drawing its curve: where the
// samples lie, which are drawn, and what the drawing puts on the device
// (polylines, asymptotes, arrows, end marks, derivative dots).
#include "common/recording_device.h"
#include "graphs/function.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "platform/qt_convert.h"
#include "text/equation_options.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <set>

namespace {

constexpr double S = 1000000000001.5;
constexpr COLORREF kRed = RGB(200, 0, 0);

// A function on the window -10..10 both ways, drawn into a 1000 x 1000
// rectangle: one device unit is 0.02 in the world.
std::unique_ptr<QvFunction> Make(const char* expression, const char* domain = "", int angle = 0) {
    auto f = std::make_unique<QvFunction>();
    f->data.expression = QString::fromLatin1(expression);
    f->data.rangeText = QString::fromLatin1(domain);
    f->data.dirty = 1;
    f->data.m_Color = kRed;
    f->SetRange(-10.0, 10.0, -10.0, 10.0, angle);
    f->data.plotTopLeft = CPoint(0, 0);
    f->data.plotBottomRight = CPoint(1000, 1000);
    return f;
}

void Plot(QvFunction& f) {
    QImage image(10, 10, QImage::Format_RGB32);
    CDC dc(&image);
    f.Plot(&dc);
}

// Plots, then records the curve's drawing in MM_TEXT.
std::vector<DrawnItem> Curve(QvFunction& f) {
    Plot(f);
    RecordingDevice device;
    {
        CDC dc(&device);
        f.DrawCurve(&dc, QvLogFont());
    }
    return device.Items();
}

bool Dotted(const QPen& pen) {
    return pen.style() != Qt::SolidLine;
}

// The calls that drew solid lines in the curve's colour: one per polyline.
std::set<int> Polylines(const std::vector<DrawnItem>& items) {
    std::set<int> calls;
    for (const DrawnItem& item : items)
        if (item.kind == DrawnItem::Line && !Dotted(item.pen) &&
            item.pen.color() == ToQColor(kRed))
            calls.insert(item.call);
    return calls;
}

// Dotted lines are stroked as paths: their bounds give a level or upright
// line.
std::vector<QLineF> DottedLines(const std::vector<DrawnItem>& items) {
    std::vector<QLineF> lines;
    for (const DrawnItem& item : items) {
        if (!Dotted(item.pen))
            continue;
        if (item.kind == DrawnItem::Line)
            lines.push_back(item.line);
        else if (item.kind == DrawnItem::Path)
            lines.push_back(QLineF(item.rect.topLeft(), item.rect.bottomRight()));
    }
    return lines;
}

// Counts every value the plotting asks for.
class CountingFunction : public QvFunction {
public:
    mutable int evaluations = 0;

protected:
    std::pair<double, double> PlotValue(double t) const override {
        ++evaluations;
        return QvFunction::PlotValue(t);
    }
};

TEST(FunctionPlot, RestrictedDomainEndsInsideTheWindow) {
    auto f = Make("Y=X", "X<3");
    Plot(*f);
    EXPECT_EQ(f->plotStart, -10.0);
    EXPECT_EQ(f->plotEnd, 3.0);
    EXPECT_NEAR(f->step, 0.026, 1e-12);
    EXPECT_NEAR(f->samples[1].x - f->samples[0].x, 0.026, 1e-12);
    EXPECT_NEAR(f->samples[499].x, 3.0 - 0.026, 1e-9);
    // f(3) = 3 lies in the window: the open end keeps its kind.
    EXPECT_EQ(f->highEnd, 7);
    EXPECT_EQ(f->lowEnd, 1);
    EXPECT_FALSE(f->data.dirty);
    EXPECT_EQ(f->data.selectedPoint, -1);
}

TEST(FunctionPlot, DomainBeyondTheWindowIsClipped) {
    auto f = Make("Y=X", "-100<X<100");
    Plot(*f);
    EXPECT_EQ(f->plotStart, -10.0);
    EXPECT_EQ(f->plotEnd, 10.0);
    EXPECT_EQ(f->lowEnd, 1);
    EXPECT_EQ(f->highEnd, 1);
    EXPECT_NEAR(f->step, 0.04, 1e-12);
}

TEST(FunctionPlot, ExitThroughTheTopIsRefined) {
    // X^2 leaves the top at sqrt(10) = 3.16227766...
    auto f = Make("Y=X^2");
    Plot(*f);
    const double crossing = std::sqrt(10.0);
    int last = -1;
    for (int i = 260; i < 500; ++i)
        if (f->samples[i].visible && !f->samples[i + 1].visible) {
            last = i;
            break;
        }
    ASSERT_GE(last, 0);
    EXPECT_LE(std::fabs(f->samples[last].x - crossing), f->step / 100);
    EXPECT_LE(f->samples[last].y, 10.0);
    // And it enters again on the left at -sqrt(10).
    int first = -1;
    for (int i = 1; i < 250; ++i)
        if (f->samples[i].visible && !f->samples[i - 1].visible) {
            first = i;
            break;
        }
    ASSERT_GE(first, 0);
    EXPECT_LE(std::fabs(f->samples[first].x + crossing), f->step / 100);
}

TEST(FunctionPlot, UndefinedValueBreaksTheCurve) {
    auto f = Make("Y=1/X");
    Plot(*f);
    const QvCurveSample& middle = f->samples[250];
    EXPECT_LE(std::fabs(middle.x), 1e-9);
    EXPECT_EQ(middle.y, S);
    EXPECT_EQ(middle.outside, 1);
    EXPECT_EQ(middle.visible, 0);
}

TEST(FunctionPlot, PolarCurveBecomesPlanePoints) {
    auto f = Make("R=2", "0<Q<360");
    Plot(*f);
    EXPECT_EQ(f->data.kind, 2);
    for (int i = 0; i <= 500; ++i)
        EXPECT_LT(std::fabs(std::hypot(f->samples[i].x, f->samples[i].y) - 2.0), 1e-9) << i;
    // Quarter way round, at 90 degrees: (0, 2).
    EXPECT_NEAR(f->samples[125].x, 0.0, 1e-6);
    EXPECT_NEAR(f->samples[125].y, 2.0, 1e-9);
}

TEST(FunctionPlot, XOfYSamplesAreSwapped) {
    auto f = Make("X=Y^2");
    Plot(*f);
    EXPECT_EQ(f->data.kind, 3);
    // t = y runs along the samples; x = y^2.
    EXPECT_NEAR(f->samples[300].y, 2.0, 1e-9);
    EXPECT_NEAR(f->samples[300].x, 4.0, 1e-9);
}

TEST(FunctionPlot, CleanFunctionEvaluatesNothing) {
    CountingFunction f;
    f.data.expression = QStringLiteral("Y=SIN(X)");
    f.data.dirty = 1;
    f.SetRange(-10.0, 10.0, -10.0, 10.0, 1);
    Plot(f);
    EXPECT_GE(f.evaluations, 504);
    const QvCurveSample before = f.samples[123];
    f.evaluations = 0;
    Plot(f);
    EXPECT_EQ(f.evaluations, 0);
    EXPECT_EQ(f.samples[123].y, before.y);
}

// A function marked dirty compiles and samples again only when something
// its samples came from differs; one left clean does when its inputs
// changed under it.
TEST(FunctionPlot, CompilesAgainOnlyWhenItsInputsChange) {
    struct Case {
        const char* what;
        int dirty;
        std::function<void(QvFunction&)> change;
        int compiles; // by the second Plot
    };
    const Case cases[] = {
        {"nothing, dirty", 1, [](QvFunction&) {}, 0},
        {"nothing, clean", 0, [](QvFunction&) {}, 0},
        {"text", 1, [](QvFunction& f) { f.data.expression = QStringLiteral("Y=X^2"); }, 1},
        {"text, clean", 0, [](QvFunction& f) { f.data.expression = QStringLiteral("Y=X^2"); }, 1},
        {"domain", 1, [](QvFunction& f) { f.data.rangeText = QStringLiteral("0<X<1"); }, 1},
        {"decimal character", 1, [](QvFunction& f) { f.data.decimalChar = ','; }, 1},
        {"angle mode", 1, [](QvFunction& f) { f.SetRange(-10.0, 10.0, -10.0, 10.0, 0); }, 1},
        {"window", 0, [](QvFunction& f) { f.SetRange(-10.0, 12.0, -10.0, 10.0, 1); }, 1},
        {"equation options", 1, [](QvFunction&) { TheEquationOptions().m_dotMultiply ^= 1; }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QvEquationOptions options = TheEquationOptions();
        auto f = Make("Y=1.5SIN(X)", "-5<X<5", 1);
        Plot(*f);
        ASSERT_EQ(f->compileCount, 1);
        const double sample = f->samples[250].y;
        f->data.dirty = c.dirty;
        f->data.selectedPoint = 3;
        f->data.kind = 0; // as a record that never learnt it
        c.change(*f);
        Plot(*f);
        EXPECT_EQ(f->compileCount, 1 + c.compiles);
        EXPECT_EQ(f->data.dirty, 0);
        EXPECT_EQ(f->data.kind, 1);
        if (c.compiles == 0 && c.dirty) {
            // What sampling again would leave.
            EXPECT_EQ(f->data.selectedPoint, -1);
            EXPECT_EQ(f->samples[250].y, sample);
        }
        TheEquationOptions() = options;
    }
}

TEST(FunctionPlot, CrossingFarOutEnds) {
    // Near 1e16 doubles lie 2 apart: a hundredth of a sample step (0.02)
    // does not move t, and refining the crossing must still end.
    auto f = Make("Y=X", "0<X<100000000000000000");
    const double far = 1e16;
    f->SetRange(far, far + 1000, far + 500, far + 2000, 0);
    Plot(*f);
    EXPECT_EQ(f->plotEnd, far + 1000);
    EXPECT_EQ(f->samples[0].visible, 0);
    EXPECT_EQ(f->samples[400].visible, 1);
}

TEST(FunctionPlot, EmptyExpressionSamplesNothing) {
    auto f = Make("");
    Plot(*f);
    EXPECT_FALSE(f->HasProgram());
    EXPECT_TRUE(Curve(*f).empty());
}

// --- curves --------------------------------------------------------------------

TEST(FunctionCurve, ReciprocalIsTwoPolylinesWithoutAsymptote) {
    auto f = Make("Y=1/X");
    f->data.RangeArrows = 0;
    const auto items = Curve(*f);
    EXPECT_EQ(Polylines(items).size(), 2u);
    // The outside run round 0 is short, but its middle lies within 0.1 of 0.
    EXPECT_TRUE(DottedLines(items).empty());
}

TEST(FunctionCurve, VerticalAsymptoteIsDotted) {
    auto f = Make("Y=1/(X-2)");
    f->data.RangeArrows = 0;
    const auto items = Curve(*f);
    const auto dotted = DottedLines(items);
    ASSERT_FALSE(dotted.empty());
    // One line, possibly drawn as dashes: all at x = 2 (device 600), from
    // yMax (device 0) to yMin (device 1000).
    double top = 1e9, bottom = -1e9;
    for (const QLineF& l : dotted) {
        EXPECT_NEAR(l.x1(), 600.0, 0.04 / 0.02 + 1);
        EXPECT_EQ(l.x1(), l.x2());
        top = std::min({top, l.y1(), l.y2()});
        bottom = std::max({bottom, l.y1(), l.y2()});
    }
    EXPECT_LE(top, 1.0);
    EXPECT_GE(bottom, 998.0);
    EXPECT_EQ(Polylines(items).size(), 2u);
}

TEST(FunctionCurve, HorizontalAsymptote) {
    auto f = Make("Y=2+1/X");
    f->data.RangeArrows = 0;
    f->data.HAsym = 1;
    const auto dotted = DottedLines(Curve(*f));
    ASSERT_FALSE(dotted.empty());
    for (const QLineF& l : dotted) {
        EXPECT_NEAR(l.y1(), 400.0, 0.5); // y = 2
        EXPECT_NEAR(l.y2(), 400.0, 0.5);
    }
    // Without the switch, none.
    auto g = Make("Y=2+1/X");
    g->data.RangeArrows = 0;
    EXPECT_TRUE(DottedLines(Curve(*g)).empty());
}

TEST(FunctionCurve, StrictInequalityDrawsDottedBoundary) {
    struct Case {
        const char* text;
        bool dotted;
    } cases[] = {{"Y<X^2", true}, {"Y>X^2", true}, {"Y\xA3X^2", false}, {"Y\xB3X^2", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto f = Make(c.text);
        f->data.RangeArrows = 0;
        f->data.lineCommand = int(ID_LINE_SOLID4);
        // On paper (0.01 mm), where the line command's width counts.
        f->data.plotTopLeft = CPoint(0, -10000);
        f->data.plotBottomRight = CPoint(10000, 0);
        Plot(*f);
        RecordingDevice device;
        {
            CDC dc(&device);
            dc.SetMapMode(MM_HIMETRIC);
            f->DrawCurve(&dc, QvLogFont());
        }
        int curve = 0;
        for (const DrawnItem& item : device.Items()) {
            // Not the background that fills the dots' gaps.
            if ((item.kind != DrawnItem::Line && item.kind != DrawnItem::Path) ||
                item.pen.color() != ToQColor(kRed))
                continue;
            ++curve;
            EXPECT_EQ(Dotted(item.pen), c.dotted);
            // 1 mm is 3.78 pixels at 96 dpi; the dotted pen is one pixel.
            if (c.dotted)
                EXPECT_LE(item.pen.widthF(), 1.5);
            else
                EXPECT_NEAR(item.pen.widthF(), 3.78, 0.5);
        }
        EXPECT_GT(curve, 0);
    }
}

TEST(FunctionCurve, DomainEndMarks) {
    // Y=X from -10: the start is an arrow; the end at 3 by its kind.
    struct Case {
        const char* domain;
        DrawnItem::Kind kind;
        QColor fill;
    } cases[] = {
        {"X<3", DrawnItem::Ellipse, Qt::white},
        {"X\xA3" "3", DrawnItem::Ellipse, ToQColor(kRed)},
        {"-100<X<100", DrawnItem::Polygon, ToQColor(kRed)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.domain);
        auto f = Make("Y=X", c.domain);
        f->data.RangeArrows = 0;
        const auto items = Curve(*f);
        const double endX = f->plotEnd == 3.0 ? 650.0 : 1000.0;
        int marks = 0, startArrows = 0;
        for (const DrawnItem& item : items) {
            if (item.kind == DrawnItem::Line)
                continue;
            const QPointF centre = item.rect.center();
            if (std::fabs(centre.x() - endX) <= 3 && std::fabs(centre.y() - (1000 - endX)) <= 3) {
                EXPECT_EQ(item.kind, c.kind);
                EXPECT_EQ(item.brush.color(), c.fill);
                ++marks;
            } else if (item.kind == DrawnItem::Polygon && centre.x() < 5) {
                ++startArrows;
            }
        }
        EXPECT_EQ(marks, 1);
        EXPECT_EQ(startArrows, 1);
    }
}

TEST(FunctionCurve, NoStartMarkOnAWindowStartingAtZero) {
    // Closed dots at both ends of 1 <= X <= 3; the window 0..10 loses the
    // start dot, 1..10 keeps it.
    for (const double xMin : {0.0, 0.5}) {
        SCOPED_TRACE(xMin);
        auto f = Make("Y=X", "1\xA3X\xA3" "3");
        f->SetRange(xMin, 10.0, -10.0, 10.0, 0);
        f->data.RangeArrows = 0;
        int dots = 0;
        for (const DrawnItem& item : Curve(*f))
            dots += item.kind == DrawnItem::Ellipse;
        EXPECT_EQ(dots, xMin == 0.0 ? 1 : 2);
    }
}

TEST(FunctionCurve, RangeArrowsWhereTheCurveLeavesAndEnters) {
    // X^2 enters at -sqrt(10) and leaves at sqrt(10): two arrowheads, their
    // tips on the top edge.
    auto f = Make("Y=X^2");
    f->data.ShowLow = f->data.ShowHigh = 0;
    int arrows = 0;
    for (const DrawnItem& item : Curve(*f)) {
        if (item.kind != DrawnItem::Polygon)
            continue;
        ++arrows;
        EXPECT_NEAR(item.polygon.first().y(), 0.0, 1.0);
        EXPECT_NEAR(std::fabs(item.polygon.first().x() - 500.0), std::sqrt(10.0) / 0.02, 1.0);
        EXPECT_EQ(item.brush.color(), ToQColor(kRed));
    }
    EXPECT_EQ(arrows, 2);
}

TEST(FunctionCurve, DerivativeDotsKeepTheirSizeOnBitmaps) {
    auto f = Make("Y=X^2");
    f->data.RangeArrows = 0;
    f->data.markFlag = 1;
    Plot(*f);
    // The slopes come from the curve analysis; here they are set by hand.
    for (QvCurveSample& s : f->samples)
        s.slope = float(2 * s.x);
    RecordingDevice device;
    {
        CDC dc(&device);
        f->DrawCurve(&dc, QvLogFont());
    }
    int dots = 0;
    for (const DrawnItem& item : device.Items()) {
        if (item.kind != DrawnItem::Ellipse)
            continue;
        ++dots;
        EXPECT_NEAR(item.rect.width(), 60.0, 2.0);
        // On the line y = 2x.
        const double x = item.rect.center().x() * 0.02 - 10, y = 10 - item.rect.center().y() * 0.02;
        EXPECT_NEAR(y, 2 * x, 0.05);
    }
    // Every third sample with -10 < 2x < 10: samples 126 to 372.
    EXPECT_EQ(dots, 83);
}

TEST(FunctionCurve, PixelsOfACurve) {
    auto f = Make("Y=X");
    Plot(*f);
    QImage image(1000, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(&image);
        f->DrawCurve(&dc, QvLogFont());
    }
    // On the diagonal red, off it white.
    EXPECT_EQ(QColor(image.pixel(300, 700)).red(), 200);
    EXPECT_LT(QColor(image.pixel(300, 700)).green(), 100);
    EXPECT_EQ(image.pixel(300, 300), qRgb(255, 255, 255));
}

} // namespace
