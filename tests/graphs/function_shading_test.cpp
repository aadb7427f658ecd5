// Inequality shading on a 300 dpi image in paper units: which side of the
// curve is shaded, where the curve is off the window, polar discs, mixing
// of overlapping shadings and hatches.  Pixels are probed well away from
// the curves, so only their class counts (shaded, white, mixed).
#include "common/recording_device.h"
#include "graphs/function.h"
#include "platform/dc.h"
#include "platform/qt_convert.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr COLORREF kLilac = RGB(210, 210, 255);
constexpr COLORREF kPeach = RGB(255, 220, 210);
constexpr int kSide = 5080;      // 50.8 mm: 600 pixels at 300 dpi
constexpr double kScale = 300.0 / 2540.0; // pixels per 0.01 mm

struct Shading {
    const char* text;
    int above = 1;
    COLORREF colour = kLilac;
    const char* domain = "";
    int type = 0, hatch = 0;
};

std::unique_ptr<QvFunction> Make(const Shading& s) {
    auto f = std::make_unique<QvFunction>();
    f->data.expression = QString::fromLatin1(s.text);
    f->data.rangeText = QString::fromLatin1(s.domain);
    f->data.dirty = 1;
    f->data.m_Color = RGB(0, 0, 0);
    f->data.m_ShadeColor = s.colour;
    f->data.m_ShadeType = s.type;
    f->data.m_HatchType = s.hatch;
    f->data.shadeAbove = s.above;
    f->data.RangeArrows = 0;
    f->SetRange(-10.0, 10.0, -10.0, 10.0, 0);
    // Paper: y grows upwards, the rectangle's first corner is the lower.
    f->data.plotTopLeft = CPoint(0, -kSide);
    f->data.plotBottomRight = CPoint(kSide, 0);
    return f;
}

QImage Paper() {
    QImage image(600, 600, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    return image;
}

// Shades (and draws the curves of) the functions on one 300 dpi image.
QImage Render(const std::vector<Shading>& shadings, bool curves = true) {
    QImage image = Paper();
    std::vector<std::unique_ptr<QvFunction>> functions;
    for (const Shading& s : shadings)
        functions.push_back(Make(s));
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    for (auto& f : functions)
        f->Plot(&dc);
    for (auto& f : functions)
        if (curves)
            f->DrawCurve(&dc, QvLogFont());
    return image;
}

QRgb At(const QImage& image, double x, double y) {
    const int px = int((x + 10) / 20 * kSide * kScale);
    const int py = int((10 - y) / 20 * kSide * kScale);
    return image.pixel(std::clamp(px, 0, 599), std::clamp(py, 0, 599));
}

const QRgb kShaded = qRgb(210, 210, 255);
const QRgb kWhite = qRgb(255, 255, 255);

struct Probe {
    double x, y;
    bool shaded;
};

void ExpectProbes(const QImage& image, const std::vector<Probe>& probes) {
    for (const Probe& p : probes)
        EXPECT_EQ(At(image, p.x, p.y), p.shaded ? kShaded : kWhite) << "at (" << p.x << ", " << p.y << ")";
}

// Saves the image when LUMBREL_SHADING_PNG names a folder, for looking at.
void Keep(const QImage& image, const char* name) {
    const QString folder = qEnvironmentVariable("LUMBREL_SHADING_PNG");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

TEST(InequalityShading, SideOfAParabola) {
    // y > x^2: inside the parabola up to the top; the other side is the
    // outside down to the bottom, and the full height where x^2 > 10.
    const QImage holds = Render({{"Y>X^2", 1}});
    Keep(holds, "y_gt_x2_holds");
    ExpectProbes(holds, {{0, 5, true}, {0, 9.7, true}, {1, 9.7, true}, {5, 5, false},
                         {0, -5, false}, {9, 9, false}, {9, -9, false}});
    const QImage other = Render({{"Y>X^2", 0}});
    Keep(other, "y_gt_x2_other");
    ExpectProbes(other, {{0, 5, false}, {5, 5, true}, {0, -9.7, true}, {0, -5, true},
                         {9, 9, true}, {-9, -9, true}, {-9, 9, true}});
}

TEST(InequalityShading, BoundaryOffTheWindow) {
    // x^2 - 20 is below the window for |x| < sqrt(10) = 3.162: every point
    // of those columns satisfies y > x^2 - 20.  Above the window (|x| >
    // sqrt(30) = 5.477) none does.
    const QImage middle = Render({{"Y>X^2-20", 1}});
    Keep(middle, "y_gt_x2_minus_20");
    ExpectProbes(middle, {{0, 9.7, true}, {0, -9.7, true}, {-2, -9.7, true}, {2, 9.7, true},
                          {4, 0, true}, {4, -6, false}, {7, 9, false}, {-7, -9, false},
                          {-7, 9, false}});
    const QImage whole = Render({{"Y>-100", 1}});
    Keep(whole, "y_gt_minus_100");
    ExpectProbes(whole, {{-9.7, -9.7, true}, {9.7, 9.7, true}, {-9.7, 9.7, true}, {9.7, -9.7, true},
                         {0, 0, true}});
    // tan(18x) leaves through the top at x = 4.683 and comes back from
    // below the window after the asymptote at 5 (at 5.3 it is -10.58):
    // full height only past the asymptote.
    const QImage tangent = Render({{"Y>TAN(18X)", 1}});
    Keep(tangent, "y_gt_tan_18x");
    ExpectProbes(tangent, {{4.85, 9, false}, {4.85, -9, false}, {5.3, 9, true}, {5.3, -9, true},
                           {-5.15, 9, false}, {-4.7, -9, true}});
    // With shadeAbove 0 it shades nothing at all.
    ExpectProbes(Render({{"Y>-100", 0}}), {{-9.7, -9.7, false}, {9.7, 9.7, false}, {0, 0, false}});
}

TEST(InequalityShading, StartBlockBeforeTheCurveEnters) {
    // 20 - x^2 is below the window at the left edge and enters it at
    // x = -sqrt(30): the side above it is the full height up to there.
    const QImage other = Render({{"Y<20-X^2", 0}});
    Keep(other, "y_lt_20_minus_x2_other");
    ExpectProbes(other, {{-9.7, 9, true}, {-9.7, -9, true}, {-6, 0, true}, {-4, 9, true},
                         {-4, 0, false}, {0, 0, false}, {0, 9.7, false}, {9.7, -9, true},
                         {6, 9, true}});
    const QImage holds = Render({{"Y<20-X^2", 1}});
    Keep(holds, "y_lt_20_minus_x2_holds");
    ExpectProbes(holds, {{-9.7, 9, false}, {-9.7, -9, false}, {-4, 0, true}, {-4, 9, false},
                         {0, 9.7, true}, {0, -9.7, true}, {9.7, 0, false}});
}

TEST(InequalityShading, XOfYCurves) {
    // x > y^2 - 4 right of the sideways parabola; x < y^2 - 4 left of it,
    // and the full width where y^2 - 4 > 10.
    ExpectProbes(Render({{"X>Y^2-4", 1}}),
                 {{0, 0, true}, {9, 0, true}, {-5, 0, false}, {-9, 1, false}, {5, 9, false}});
    ExpectProbes(Render({{"X<Y^2-4", 1}}),
                 {{0, 0, false}, {-5, 0, true}, {5, 9, true}, {-9.7, -9.7, true}});
}

TEST(InequalityShading, PolarDiscs) {
    const QImage disc = Render({{"R<3", 1}});
    Keep(disc, "r_lt_3");
    ExpectProbes(disc, {{0, 0, true}, {1.5, 1.5, true}, {-2, -1, true}, {2.5, 2.5, false},
                        {9, 9, false}, {-9, 0, false}});
    const QImage outside = Render({{"R>3", 1}});
    Keep(outside, "r_gt_3");
    ExpectProbes(outside, {{0, 0, false}, {1.5, 1.5, false}, {2.5, 2.5, true}, {9.7, 9.7, true},
                           {-9.7, -9.7, true}});
}

TEST(InequalityShading, OutsideIsOneOddEvenFill) {
    // On a recording surface, which mixes nothing: one fill of rectangle
    // and curve together, and no second pass over the disc.
    auto f = Make({"R>3", 1});
    RecordingDevice device(600, 600, 300);
    {
        CDC dc(&device);
        dc.SetMapMode(MM_HIMETRIC);
        f->Plot(&dc);
    }
    int fills = 0;
    for (const DrawnItem& item : device.Items()) {
        if (item.kind == DrawnItem::Path || item.kind == DrawnItem::Polygon) {
            ++fills;
            EXPECT_EQ(item.brush.color(), ToQColor(kLilac));
            EXPECT_EQ(item.pen.style(), Qt::NoPen);
        }
    }
    EXPECT_EQ(fills, 1);
}

TEST(InequalityShading, OverlapShowsBothColours) {
    // y > x and y > -x overlap above the origin: (210,210,255) AND
    // (255,220,210) = (210,208,210).
    const QImage image = Render({{"Y>X", 1, kLilac}, {"Y>-X", 1, kPeach}});
    Keep(image, "overlap");
    EXPECT_EQ(At(image, 0, 5), qRgb(210, 208, 210));
    EXPECT_EQ(At(image, -5, 0), qRgb(210, 210, 255));
    EXPECT_EQ(At(image, 5, 0), qRgb(255, 220, 210));
    EXPECT_EQ(At(image, 0, -5), kWhite);
}

TEST(InequalityShading, WhatIsNeverShaded) {
    struct Case {
        const char* text;
        int type;
        bool right; // (5, 9) shaded
    } cases[] = {
        {"Y=X^2", 0, false},  // no inequality
        {"Y>X^2", 2, false},  // a shading type that is neither solid nor hatched
        {"Y>LN(X)", 0, true}, // shaded only where there is a value (x > 0)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Shading s{c.text, 1};
        s.type = c.type;
        const QImage image = Render({s}, false);
        ExpectProbes(image, {{-5, 5, false}, {-5, -5, false}, {-9.7, 9.7, false}, {5, 9, c.right}});
    }
    // A two-part curve never shades, whatever its relation.
    auto f = Make({"X=3COS(T);Y=3SIN(T)", 1});
    QImage image = Paper();
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    f->Plot(&dc);
    f->relation = TokGreater;
    f->Plot(&dc);
    EXPECT_EQ(f->data.kind, 4);
    EXPECT_EQ(At(image, 0, 0), kWhite);
    EXPECT_EQ(At(image, 9, 9), kWhite);
}

TEST(InequalityShading, HatchedDiagonals) {
    // Hatch 3 ("////"): lines of the shade colour with white between, each
    // row the one above moved one pixel left.
    Shading s{"Y>-100", 1};
    s.type = 1;
    s.hatch = 3;
    const QImage image = Render({s}, false);
    Keep(image, "hatch_3");
    int lined = 0, blank = 0, moved = 0, compared = 0;
    for (int y = 200; y < 260; ++y) {
        for (int x = 200; x < 400; ++x) {
            const QRgb c = image.pixel(x, y);
            lined += c == kShaded;
            blank += c == kWhite;
            if (c == kShaded) {
                ++compared;
                moved += image.pixel(x - 1, y + 1) == kShaded;
            }
        }
    }
    EXPECT_GT(lined, 0);
    EXPECT_GT(blank, lined); // lines one screen pixel wide, eight apart
    EXPECT_EQ(lined + blank, 200 * 60);
    EXPECT_EQ(moved, compared);
}

} // namespace
