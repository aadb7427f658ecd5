// Arrowheads, bars, circles and slashes rendered into images at screen and
// print resolution: where each mark lies about the line's end, how long it
// is at each resolution, and how it is filled.
#include "drawing_test_support.h"
#include "geometry/arrow_head.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGrey = 0xFF808080;

// The span a mark covers about the line's end, in device pixels: `along`
// forward (away from the line), `across` to either side.
struct Span {
    double alongLow, alongHigh, across;
};

// Where mark `code` lies for a length of l pixels; h is half of it.
std::vector<Span> ExpectedSpans(int code, double l, double h, bool centred) {
    const double s = centred ? h : 0; // heads and the bar move forward
    // Heads are h to either side (half the length, halved as an integer in
    // logical units); the sector's radials pass through those corners.
    const double head = h, sector = l > 0 ? l * h / std::hypot(l, h) : 0;
    switch (code) {
    case 11:
    case 12:
    case 13:
        return {{s - l, s, head}};
    case 14:
        return {{s - l, s, sector}};
    case 15:
        return {{s, s, l}};
    case 16:
    case 17:
    case 18:
        return {{-l, l, l}};
    case 19:
        return {{-l, 0, l}};
    case 20:
        return {{-h - l, -h, l}, {h - l, h, l}};
    case 21:
        return {{-h - l, -h, l}, {-l, 0, l}, {-2 * h - l, -2 * h, l}};
    case 22:
    case 23:
    case 24:
        return {{s - h - l, s - h, head}, {s - l, s, head}};
    default:
        return {};
    }
}

// A line end on the page and the direction its line comes from.
struct Direction {
    const char* name;
    int dx, dy; // device step from `toward` to the end
};
const Direction kRight{"right", 1, 0}, kUp{"up", 0, -1};

QRectF DeviceBounds(const std::vector<Span>& spans, QPoint end, const Direction& dir) {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (const Span& span : spans) {
        for (double along : {span.alongLow, span.alongHigh}) {
            for (double across : {-span.across, span.across}) {
                // Across is a quarter turn from along; which side does not
                // matter for bounds symmetric about the line.
                double x = end.x() + along * dir.dx - across * dir.dy;
                double y = end.y() + along * dir.dy + across * dir.dx;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// Draws one mark with a blue pen and a grey brush; returns the image and
// checks that the context's pen and brush are as they were.
QImage DrawMark(int dpi, int mode, int code, int size, bool centred, QPoint end, QPoint toward,
                int pageSize) {
    QImage image = Page(dpi, pageSize, pageSize);
    CDC dc(&image);
    Prepare(dc, mode);
    CPen pen(PS_DASH, 0, RGB(0, 0, 255));
    CBrush brush(RGB(128, 128, 128));
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    CPoint e = Logical(dc, end.x(), end.y()), t = Logical(dc, toward.x(), toward.y());
    QvArrowHead().Draw(&dc, QvPoint(e.x, e.y), QvPoint(t.x, t.y), code, size, centred);
    EXPECT_EQ(dc.GetCurrentPen()->Log().lopnStyle, PS_DASH);
    EXPECT_EQ(dc.GetCurrentBrush()->Log().lbColor, RGB(128, 128, 128));
    CPen other;
    other.CreatePen(PS_SOLID, 0, 0);
    CBrush otherBrush(RGB(0, 0, 0));
    EXPECT_EQ(dc.SelectObject(&other), &pen);
    EXPECT_EQ(dc.SelectObject(&otherBrush), &brush);
    return image;
}
} // namespace

// Every code with sizes 0, 1 and 12 (code x 20), centred and not, at 96 and
// 600 dpi under MM_TEXT and MM_HIMETRIC, on lines running right and up: the
// tip on the end (half a length beyond it when centred), the length the
// resolution gives, and nothing at all for code 10 and unknown codes.
TEST(QvArrowHead, EveryCodeLiesWhereItsAnchorsPutIt) {
    // Hundredths of a millimetre per pixel as one pixel measures.
    const struct { int dpi, perPixel, pageSize; } surfaces[] = {{96, 26, 100}, {600, 4, 300}};
    for (const auto& surface : surfaces) {
        const QPoint end(surface.pageSize / 2, surface.pageSize / 2);
        for (int mode : {MM_TEXT, MM_HIMETRIC}) {
            for (int size : {0, 20, 240}) {
                // The length on the page, and half of it, in pixels.
                double l = 0, h = 0;
                if (mode == MM_TEXT) {
                    l = size / surface.perPixel;
                    h = int(l) / 2;
                } else {
                    l = size * surface.dpi / 2540.0;
                    h = size / 2 * surface.dpi / 2540.0;
                }
                for (bool centred : {false, true}) {
                    for (const Direction& dir : {kRight, kUp}) {
                        for (int code = 9; code <= 25; ++code) {
                            SCOPED_TRACE(testing::Message()
                                         << "dpi " << surface.dpi << " mode " << mode << " size "
                                         << size << (centred ? " centred " : " ") << dir.name
                                         << " code " << code);
                            const QPoint toward(end.x() - 100 * dir.dx, end.y() - 100 * dir.dy);
                            QImage image = DrawMark(surface.dpi, mode, code, size, centred, end,
                                                    toward, surface.pageSize);
                            QRect ink = InkBounds(image);
                            std::vector<Span> spans = ExpectedSpans(code, l, h, centred);
                            if (spans.empty()) {
                                EXPECT_TRUE(ink.isNull()) << "drawn for an unknown code";
                                continue;
                            }
                            // A mark of less than two pixels may leave none.
                            if (ink.isNull()) {
                                EXPECT_LT(l, 2);
                                continue;
                            }
                            QRectF want = DeviceBounds(spans, end, dir);
                            // The sector and the circles are drawn in boxes,
                            // whose right and bottom edges stay out.
                            if (code == 14 || (code >= 16 && code <= 18))
                                want.adjust(0, 0, -1, -1);
                            // Strokes are a screen pixel wide, and reach
                            // up to that much further at the corners.
                            const double stroke = surface.dpi > 96 ? surface.dpi / 96.0 : 0;
                            const double tolerance = 1.5 + stroke;
                            EXPECT_NEAR(ink.left(), want.left(), tolerance);
                            EXPECT_NEAR(ink.right(), want.right(), tolerance);
                            EXPECT_NEAR(ink.top(), want.top(), tolerance);
                            EXPECT_NEAR(ink.bottom(), want.bottom(), tolerance);
                        }
                    }
                }
            }
        }
    }
}

// A hollow brush gives solid heads and a solid filled circle in its own
// colour; the white circle is white and the open one shows the page.
TEST(QvArrowHead, HollowBrushStillFillsTheHeads) {
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        SCOPED_TRACE(mode);
        // 600 dpi, size 240: 60 pixels under MM_TEXT, 56.7 under MM_HIMETRIC.
        const double l = mode == MM_TEXT ? 60 : 240 * 600 / 2540.0;
        const QPoint end(150, 150), toward(50, 150);
        // Pixels inside each mark, as steps back from the end in lengths.
        const struct {
            int code;
            std::vector<double> inside;
            QRgb fill;
        } marks[] = {{12, {0.67}, kRed},       {13, {0.25}, kRed}, {14, {0.5}, kRed},
                     {23, {0.67, 1.17}, kRed}, {16, {0}, kRed},    {17, {0}, kPaper},
                     {18, {0}, kGrey}};
        for (const auto& mark : marks) {
            SCOPED_TRACE(mark.code);
            QImage image = Page(600, 300, 300, kGrey);
            {
                CDC dc(&image);
                Prepare(dc, mode);
                CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
                LOGBRUSH hollow{BS_NULL, RGB(255, 0, 0), 0};
                CBrush brush(hollow);
                dc.SelectObject(&pen);
                dc.SelectObject(&brush);
                CPoint e = Logical(dc, end.x(), end.y()), t = Logical(dc, toward.x(), toward.y());
                QvArrowHead().Draw(&dc, QvPoint(e.x, e.y), QvPoint(t.x, t.y), mark.code, 240,
                                   FALSE);
                EXPECT_EQ(dc.GetCurrentBrush()->Log().lbStyle, BS_NULL);
            }
            for (double back : mark.inside)
                EXPECT_EQ(image.pixel(int(end.x() - back * l), end.y()), mark.fill) << back;
        }
    }
}

// The slash leans forward the same way on a y-up page as on a y-down one:
// from behind and below the line to the end and above it.
TEST(QvArrowHead, SlashLeansForwardInBothMappings) {
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        SCOPED_TRACE(mode);
        const QPoint end(100, 100), toward(0, 100);
        QImage image = DrawMark(600, mode, 19, 240, false, end, toward, 200);
        const int l = 57; // within a pixel at either mapping's length
        auto inkedNear = [&](int x, int y) {
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    if (image.pixel(x + dx, y + dy) != kPaper)
                        return true;
                }
            }
            return false;
        };
        EXPECT_TRUE(inkedNear(end.x() - l / 4, end.y() - l / 2));
        EXPECT_TRUE(inkedNear(end.x() - 3 * l / 4, end.y() + l / 2));
        EXPECT_FALSE(inkedNear(end.x() - l / 4, end.y() + l / 2));
        EXPECT_FALSE(inkedNear(end.x() - 3 * l / 4, end.y() - l / 2));
    }
}

// With the end on the point it points away from there is no direction:
// the heads collapse onto the end, the sector is left out and the circles
// are drawn as usual.
TEST(QvArrowHead, EndOnTowardLeavesOnlyTheCircles) {
    const QPoint end(100, 100);
    EXPECT_TRUE(InkBounds(DrawMark(600, MM_TEXT, 14, 240, false, end, end, 200)).isNull());
    for (int code : {11, 12, 13, 15, 19, 20, 21, 22, 23, 24}) {
        SCOPED_TRACE(code);
        QRect ink = InkBounds(DrawMark(600, MM_TEXT, code, 240, true, end, end, 200));
        EXPECT_TRUE(ink.isNull() || QRect(end - QPoint(1, 1), end + QPoint(1, 1)).contains(ink))
            << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    }
    EXPECT_EQ(InkBounds(DrawMark(600, MM_TEXT, 16, 240, false, end, end, 200)),
              QRect(QPoint(41, 41), QPoint(159, 159)));
}

// The length follows the resolution on every surface.  Up to 1693 dpi one
// pixel's measure in hundredths of a millimetre divides the size; on finer
// surfaces, where that measure rounds to 1 or to 0, the resolution itself
// converts it.
TEST(QvArrowHead, LengthAtEveryResolution) {
    const struct {
        int dpi, size, length;
    } cases[] = {
        {96, 250, 9},     // 250 / 26
        {600, 240, 60},   // 240 / 4
        {1200, 240, 120}, // 240 / 2
        {2400, 240, 227}, // one pixel measures 1: it would give 240
        {6000, 240, 567}, // one pixel measures 0
        {10000, 240, 945},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const int page = 2 * c.length + 20;
        const QPoint end(page / 2, page / 2), toward(0, page / 2);
        QRect ink = InkBounds(DrawMark(c.dpi, MM_TEXT, 15, c.size, false, end, toward, page));
        // The bar reaches the length either side, less the stroke's last
        // pixel; it is a screen pixel wide.
        const int half = int(std::ceil(c.dpi / 96.0 / 2)) - 1;
        EXPECT_NEAR(ink.height(), 2 * c.length, 1);
        EXPECT_NEAR(ink.left(), end.x() - half, 1);
        EXPECT_NEAR(ink.right(), end.x() + half, 1);
        EXPECT_NEAR(ink.top(), end.y() - c.length, 1);
    }
}
