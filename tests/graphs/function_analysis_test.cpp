// Curve analysis: the intercepts, turning points and inflections found
// while a function is sampled, the kinds of x-of-y curves, the cap of the
// list, and the label line of a picked point.  Expected points are worked
// out by hand (roots of x^2 - 4, stationary points of x^3 - 3x, ...).
#include "common/recording_device.h"
#include "graphs/function.h"
#include "platform/dc.h"
#include "platform/qt_convert.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <vector>

namespace {

constexpr double S = 1000000000001.5;
constexpr COLORREF kBlue = RGB(0, 0, 200);

// A function on the window -w..w both ways, in a 1000 x 1000 rectangle.
std::unique_ptr<QvFunction> Analysed(const char* expression, const char* domain = "",
                                     int angle = 1, double w = 10.0) {
    auto f = std::make_unique<QvFunction>();
    f->data.expression = QString::fromLatin1(expression);
    f->data.caption = f->data.expression;
    f->data.rangeText = QString::fromLatin1(domain);
    f->data.dirty = 1;
    f->data.m_Color = kBlue;
    f->data.decimalChar = '.';
    f->SetRange(-w, w, -w, w, angle);
    f->data.plotTopLeft = CPoint(0, 0);
    f->data.plotBottomRight = CPoint(1000, 1000);
    QImage image(10, 10, QImage::Format_RGB32);
    CDC dc(&image);
    f->Plot(&dc);
    return f;
}

// The offered points (kind not 6).
std::vector<QvAnalysedPoint> Offered(const QvFunction& f) {
    std::vector<QvAnalysedPoint> points;
    for (int i = 0; i < f.analysedCount; ++i)
        if (f.analysedPoints[i].kind != 6)
            points.push_back(f.analysedPoints[i]);
    return points;
}

int Find(const QvFunction& f, int kind, double x, double y, double tolerance) {
    for (int i = 0; i < f.analysedCount; ++i) {
        const QvAnalysedPoint& p = f.analysedPoints[i];
        if (p.kind == kind && std::fabs(p.x - x) < tolerance && std::fabs(p.y - y) < tolerance)
            return i;
    }
    return -1;
}

TEST(CurveAnalysis, PointsOfKnownCurves) {
    // Worked by hand: x^2 - 4 = 0 at +-2, its vertex (0, -4); x^3 - 3x has
    // f' = 3x^2 - 3 = 0 at +-1 (f = 2, -2) and f'' = 6x = 0 at 0.
    struct Expect {
        int kind;
        double x, y;
    };
    struct Case {
        const char* text;
        std::vector<Expect> points;
        size_t offered;
    } cases[] = {
        {"Y=X^2-4", {{3, 0, -4}, {4, -2, 0}, {4, 2, 0}, {8, 0, -4}}, 4},
        {"Y=X^3", {{3, 0, 0}, {4, 0, 0}, {5, 0, 0}}, 3},
        {"Y=X^3-3X", {{3, 0, 0}, {7, -1, 2}, {8, 1, -2}, {2, 0, 0}}, 7},
        // x = y^2 - 4: the vertex (-4, 0) and the y-axis crossings (0, +-2).
        {"X=Y^2-4", {{12, -4, 0}, {10, -4, 0}, {3, 0, -2}, {3, 0, 2}}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto f = Analysed(c.text);
        EXPECT_EQ(f->analysedPoints[0].confirmed, 1);
        for (const Expect& e : c.points)
            EXPECT_GE(Find(*f, e.kind, e.x, e.y, 1e-3), 0) << "kind " << e.kind << " at " << e.x;
        EXPECT_EQ(Offered(*f).size(), c.offered);
    }
}

TEST(CurveAnalysis, TolerancesAreMet) {
    // Roots within 1e-8 in f, turning points within 1e-4 in f',
    // inflections within 0.01 in f''.
    auto f = Analysed("Y=X^3-3X");
    int roots = 0, turns = 0, bends = 0;
    for (const QvAnalysedPoint& p : Offered(*f)) {
        const double x = p.x;
        EXPECT_EQ(p.confirmed, 1);
        EXPECT_NEAR(p.y, x * x * x - 3 * x, 1e-9);
        if (p.kind == 4) {
            ++roots;
            EXPECT_LT(std::fabs(p.y), 1e-8);
            // 0 and +-sqrt(3) = +-1.7320508075688772.
            const double root = std::fabs(x) < 0.5 ? 0.0 : std::copysign(1.7320508075688772, x);
            EXPECT_NEAR(x, root, 1e-8);
        } else if (p.kind == 7 || p.kind == 8) {
            ++turns;
            EXPECT_LT(std::fabs(3 * x * x - 3), 1e-4);
        } else if (p.kind == 2) {
            ++bends;
            EXPECT_LT(std::fabs(6 * x), 0.01);
        }
    }
    EXPECT_EQ(roots, 3);
    EXPECT_EQ(turns, 2);
    EXPECT_EQ(bends, 1);
}

TEST(CurveAnalysis, UndefinedValuesAreNeverOffered) {
    // 1/X has no value at 0; LN(X) gives -S there and below.
    auto reciprocal = Analysed("Y=1/X");
    EXPECT_EQ(reciprocal->analysedPoints[0].kind, 6);
    auto log = Analysed("Y=LN(X)");
    EXPECT_EQ(log->analysedPoints[0].kind, 6);
    EXPECT_GE(Find(*log, 4, 1.0, 0.0, 1e-6), 0); // ln 1 = 0
    for (QvFunction* f : {reciprocal.get(), log.get()}) {
        for (const QvAnalysedPoint& p : Offered(*f)) {
            EXPECT_NE(std::fabs(p.x), S);
            EXPECT_NE(std::fabs(p.y), S);
        }
        // Clicks along the edges, where such values are drawn, offer none.
        auto list = std::make_unique<QvPickedPointList>();
        for (int x = 0; x <= 1000; x += 100)
            for (int y : {-15, 0, 1000})
                f->AddPointsNear(x, y, list.get());
        for (int i = 0; i < list->count; ++i)
            EXPECT_LT(std::fabs(list->points[i].y), 1e6);
    }
}

TEST(CurveAnalysis, ListStopsAtNinetyEight) {
    // sin on 0..200 radians has about 190 special points.
    struct Guarded {
        QvFunction f;
        char after[64];
    };
    auto g = std::make_unique<Guarded>();
    std::fill(std::begin(g->after), std::end(g->after), char(0x5A));
    QvFunction& f = g->f;
    f.data.expression = QStringLiteral("Y=SIN(X)");
    f.data.dirty = 1;
    f.SetRange(0.0, 200.0, -2.0, 2.0, 1);
    f.data.plotTopLeft = CPoint(0, 0);
    f.data.plotBottomRight = CPoint(1000, 1000);
    QImage image(10, 10, QImage::Format_RGB32);
    CDC dc(&image);
    f.Plot(&dc);
    EXPECT_EQ(f.analysedCount, 98);
    for (char c : g->after)
        ASSERT_EQ(c, char(0x5A));
    // The first ones found are kept: sin's first maximum at pi/2.
    EXPECT_GE(Find(f, 7, 1.5707963267948966, 1.0, 1e-4), 0);
}

TEST(CurveAnalysis, PolarAndTwoPartCurvesHaveNoPoints) {
    for (const char* text : {"R=2", "X=COS(T);Y=SIN(T)"}) {
        SCOPED_TRACE(text);
        auto f = Analysed(text, "", 0);
        EXPECT_EQ(f->analysedCount, 0);
    }
}

TEST(CurveAnalysis, SlopesAreStoredForTheDerivativeDots) {
    auto f = Analysed("Y=X^2");
    // At sample 100, x = -10 + 100 * 0.04 = -6; f' = 2x = -12.
    EXPECT_NEAR(f->samples[100].slope, -12.0f, 1e-3);
}

TEST(CurveAnalysis, LabelTexts) {
    const char* labels[] = {nullptr,
                            nullptr,
                            "  : Point of Inflection ",
                            "  : y Intercept ",
                            "  : x Intercept ",
                            "  : Point of Horizontal Inflection ",
                            nullptr,
                            "  : Local Maximum ",
                            "  : Local Minimum ",
                            nullptr,
                            "  : Inverse Turning Point ",
                            "  : Point of Vertical Inflection ",
                            "  : x Intercept "};
    for (int kind = 0; kind < 13; ++kind)
        EXPECT_EQ(QvFunction::KindLabel(kind).toStdString(), labels[kind] ? labels[kind] : "")
            << kind;
}

TEST(CurveAnalysis, DigitsFollowTheWindowWidth) {
    struct Case {
        double halfWidth;
        const char *plain, *bend;
    } cases[] = {
        {2.5, "(0.12345679, -3)   ", "(0.12346, -3)   "},
        {25, "(0.1235, -3)   ", "(0.1, -3)   "},
        {250, "(0.12, -3)   ", "(0, -3)   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.halfWidth);
        auto f = Analysed("Y=X", "", 1, c.halfWidth);
        const QvAnalysedPoint max{0.123456789123, -3.0, 1, 7};
        const QvAnalysedPoint bend{0.123456789123, -3.0, 1, 2};
        EXPECT_EQ(f->PointCoordinates(max).toStdString(), c.plain);
        EXPECT_EQ(f->PointCoordinates(bend).toStdString(), c.bend);
    }
    // x^3's level inflection, on -10..10 with 3 digits, reads as the origin.
    auto cube = Analysed("Y=X^3");
    const int i = Find(*cube, 5, 0, 0, 1e-3);
    ASSERT_GE(i, 0);
    EXPECT_EQ(cube->PointCoordinates(cube->analysedPoints[i]).toStdString(), "(0, 0)   ");
}

TEST(CurveAnalysis, PickedPointIsMarkedAndDescribed) {
    auto f = Analysed("Y=X^2-4");
    f->data.RangeArrows = 0;
    const int minimum = Find(*f, 8, 0, -4, 1e-6);
    ASSERT_GE(minimum, 0);
    for (const int picked : {minimum, -2, -1}) {
        SCOPED_TRACE(picked);
        f->SetCurrentPoint(picked);
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
            // Radius 1 round (0, -4): device (500, 700).
            EXPECT_NEAR(item.rect.center().x(), 500.0, 1.0);
            EXPECT_NEAR(item.rect.center().y(), 700.0, 1.0);
            EXPECT_LE(item.rect.width(), 3.0);
            EXPECT_EQ(item.brush.color(), ToQColor(kBlue));
        }
        EXPECT_EQ(dots, picked == minimum ? 1 : 0);
    }
    // The text line lies below the plot, two font heights down: ink there
    // only when something is picked, more of it with the point's text.
    auto inkBelow = [&](int picked) {
        f->SetCurrentPoint(picked);
        QImage image(1400, 1100, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            CDC dc(&image);
            QvLogFont font;
            font.m_drawHeight = 30;
            f->DrawCurve(&dc, font);
        }
        int ink = 0;
        for (int y = 1010; y < 1100; ++y)
            for (int x = 0; x < 1400; ++x)
                ink += image.pixel(x, y) != qRgb(255, 255, 255);
        return ink;
    };
    const int none = inkBelow(-1), caption = inkBelow(-2), point = inkBelow(minimum);
    EXPECT_EQ(none, 0);
    EXPECT_GT(caption, 0);
    EXPECT_GT(point, caption);
}

} // namespace
