// Point marks rendered into images at screen and print resolution: where
// they lie, how large they are in pixels, what they fill with, and the
// half-size caches that keep them one size per resolution.
#include "drawing_test_support.h"
#include "geometry/marker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;

// The device half-sizes of the plus, the three-times and the two-times
// marks at one resolution.
struct Halves {
    int dpi, plus, three, two;
};
const Halves kScreen{96, 4, 3, 2};
const Halves kPrint{600, 24, 18, 12};

// Where each mark's pixels lie about the centre pixel c.
QRect ExpectedMark(int code, QPoint c, const Halves& h) {
    switch (code) {
    case 1:
        return Square(c, h.plus - 1, h.plus - 1);
    case 2:
    case 5:
        return Square(c, h.two, h.two - 1);
    case 3:
        return Square(c, h.three + 1, h.three - 1);
    case 4:
        return Square(c, h.three, h.three);
    case 6:
        return Square(c, h.two, h.two);
    case 8: {
        int reach = std::max(h.plus - 1, h.two);
        return Square(c, reach, reach);
    }
    default:
        return QRect();
    }
}

class MarkerTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCaches(); }
    void TearDown() override { ResetCaches(); }
    static void ResetCaches() { QvMarkerSizeCache() = QvMarkerSizes(); }
    static const int* Caches() { return QvMarkerSizeCache().size; }

    // One mark drawn with QvMarker::Draw at the device pixel c.
    static QImage DrawMark(int dpi, int mode, int code, QPoint c, int size) {
        QImage image = Page(dpi, size, size);
        CDC dc(&image);
        Prepare(dc, mode);
        CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
        dc.SelectObject(&pen);
        QvMarker().Draw(&dc, QvPoint(Logical(dc, c.x(), c.y()).x, Logical(dc, c.x(), c.y()).y),
                        code);
        return image;
    }
};
} // namespace

// Every code at 96 and 600 dpi under both pixel-sized mappings: centred on
// its point, the size the resolution gives, filled in the pen's colour
// whatever brush is selected, and the DC's pen and brush as they were.
TEST_F(MarkerTest, EveryCodeLiesOnItsPointAtEachResolution) {
    for (const Halves& h : {kScreen, kPrint}) {
        for (int mode : {MM_TEXT, MM_HIMETRIC}) {
            for (int code = -1; code <= 9; ++code) {
                SCOPED_TRACE(testing::Message()
                             << "dpi " << h.dpi << " mode " << mode << " code " << code);
                int size = 8 * h.plus;
                QPoint c(size / 2, size / 2);
                QImage image = Page(h.dpi, size, size);
                {
                    CDC dc(&image);
                    Prepare(dc, mode);
                    CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
                    CBrush brush(RGB(0, 255, 0));
                    dc.SelectObject(&pen);
                    dc.SelectObject(&brush);
                    CPoint at = Logical(dc, c.x(), c.y());
                    QvMarker().Draw(&dc, QvPoint(at.x, at.y), code);

                    EXPECT_EQ(dc.GetCurrentPen()->Log().lopnStyle, PS_SOLID);
                    EXPECT_EQ(dc.GetCurrentPen()->Log().lopnColor, RGB(0, 0, 255));
                    EXPECT_EQ(dc.GetCurrentBrush()->Log().lbColor, RGB(0, 255, 0));
                    CPen other(PS_SOLID, 0, 0);
                    CBrush otherBrush(RGB(0, 0, 0));
                    EXPECT_EQ(dc.SelectObject(&other), &pen);
                    EXPECT_EQ(dc.SelectObject(&otherBrush), &brush);
                }
                // On the finer surface the strokes are a screen pixel wide,
                // and reach that much further at the corners.
                QRect want = ExpectedMark(code, c, h), ink = InkBounds(image);
                if (h.dpi == 96 || want.isNull()) {
                    EXPECT_EQ(ink, want);
                } else {
                    const int reach = int(std::ceil(0.75 * h.dpi / 96));
                    EXPECT_TRUE(ink.contains(want));
                    EXPECT_TRUE(want.adjusted(-reach, -reach, reach, reach).contains(ink));
                }
                for (int y = 0; y < size; ++y) {
                    for (int x = 0; x < size; ++x) {
                        ASSERT_TRUE(image.pixel(x, y) == kPaper || image.pixel(x, y) == kBlue)
                            << x << "," << y;
                    }
                }
                if (code >= 2 && code <= 5) {
                    EXPECT_EQ(image.pixel(c), kBlue);
                }
            }
        }
    }
}

// A dashed current pen gives a solid outline; DrawAt outlines with the
// caller's pen and fills with the caller's brush.
TEST_F(MarkerTest, OutlineAndFill) {
    const QPoint c(60, 60);
    QImage dashed = Page(600, 120, 120);
    {
        CDC dc(&dashed);
        Prepare(dc, MM_TEXT);
        CPen pen(PS_DASH, 0, RGB(255, 0, 0));
        dc.SelectObject(&pen);
        QvMarker().Draw(&dc, QvPoint(c.x(), c.y()), 5);
    }
    QRect square = ExpectedMark(5, c, kPrint);
    ASSERT_EQ(InkBounds(dashed), square);
    for (int y = square.top(); y <= square.bottom(); ++y) {
        for (int x = square.left(); x <= square.right(); ++x)
            ASSERT_EQ(dashed.pixel(x, y), kRed) << x << "," << y;
    }

    QImage own = Page(600, 120, 120);
    {
        CDC dc(&own);
        Prepare(dc, MM_HIMETRIC);
        CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
        CBrush brush(RGB(0, 255, 0));
        CPoint at = Logical(dc, c.x(), c.y());
        QvMarker().DrawAt(&dc, at.x, at.y, 5, &pen, &brush);
        EXPECT_EQ(dc.GetCurrentPen()->Log().lopnColor, RGB(0, 0, 0));
        EXPECT_EQ(dc.GetCurrentBrush()->Log().lbColor, RGB(255, 255, 255));
    }
    EXPECT_EQ(InkBounds(own), square);
    EXPECT_EQ(own.pixel(square.topLeft()), kBlue);
    EXPECT_EQ(own.pixel(square.bottomRight()), kBlue);
    EXPECT_EQ(own.pixel(c), kGreen);
}

// A printer or export bitmap works out its own sizes; the screen's marks
// afterwards have the screen's size again, without any reset in between.
TEST_F(MarkerTest, SizesBelongToTheResolutionTheyWereWorkedOutAt) {
    const QPoint screen(20, 20), print(100, 100);
    EXPECT_EQ(InkBounds(DrawMark(96, MM_TEXT, 8, screen, 40)), ExpectedMark(8, screen, kScreen));
    EXPECT_EQ(InkBounds(DrawMark(600, MM_HIMETRIC, 8, print, 200)), ExpectedMark(8, print, kPrint));
    EXPECT_EQ(InkBounds(DrawMark(96, MM_HIMETRIC, 8, screen, 40)),
              ExpectedMark(8, screen, kScreen));
    EXPECT_EQ(Caches()[0], 4);
    EXPECT_EQ(Caches()[2], 2);

    // The view's print begin and end resets still force a fresh size.
    EXPECT_EQ(InkBounds(DrawMark(96, MM_TEXT, 3, screen, 40)), ExpectedMark(3, screen, kScreen));
    QvMarkerSizeCache().size[1] = -1;
    EXPECT_EQ(InkBounds(DrawMark(96, MM_TEXT, 4, screen, 40)), ExpectedMark(4, screen, kScreen));
    EXPECT_EQ(Caches()[1], 3);
}

// The diamond and the large ellipse share one cache, the dot, the square
// and the 'X' another: whatever one of them stored, the others use.
TEST_F(MarkerTest, SizeClassesShareTheirCache) {
    const QPoint c(30, 30);
    QvMarkerSizeCache().dpi = 96;
    QvMarkerSizeCache().size[1] = 6;
    QvMarkerSizeCache().size[2] = 5;
    const Halves stored{96, 4, 6, 5};
    for (int code : {2, 3, 4, 5, 6}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(InkBounds(DrawMark(96, MM_TEXT, code, c, 60)), ExpectedMark(code, c, stored));
    }
    EXPECT_EQ(Caches()[0], -1);
}

// Below 51 dpi the base size converts to no pixel at all; every mark is
// then one pixel about its centre, not nothing.
TEST_F(MarkerTest, SizeBelowOnePixelBecomesOne) {
    const QPoint c(10, 10);
    const Halves tiny{40, 1, 1, 1};
    for (int code : {1, 2, 3, 4, 5, 6, 8}) {
        SCOPED_TRACE(code);
        QImage image = DrawMark(40, MM_TEXT, code, c, 20);
        EXPECT_EQ(InkBounds(image), ExpectedMark(code, c, tiny));
    }
    EXPECT_EQ(Caches()[0], 1);
    EXPECT_EQ(Caches()[1], 1);
    EXPECT_EQ(Caches()[2], 1);
}

// Under a scaling mapping the base size is 25 logical units: marks scale
// with the mapping, are the same at any resolution, and leave the caches.
TEST_F(MarkerTest, ScalingMappingSizesMarksInLogicalUnits) {
    // Reach either side of the centre in logical units, for plus, dot,
    // circle, diamond, square, 'X'; the right and bottom edges of boxes and
    // the last pixels of strokes stay out, the diamond's corners do not.
    const struct {
        int code;
        double reach;
        int lastOut;
    } marks[] = {{1, 87.5, 1}, {2, 50, 1}, {3, 75, 1}, {4, 75, 0}, {5, 50, 1}, {6, 50, 1}};
    for (int dpi : {96, 600}) {
        for (int viewport : {100, 200}) {
            SCOPED_TRACE(testing::Message() << "dpi " << dpi << " viewport " << viewport);
            for (const auto& mark : marks) {
                SCOPED_TRACE(mark.code);
                QImage image = Page(dpi, 100, 100);
                {
                    CDC dc(&image);
                    Prepare(dc, MM_ANISOTROPIC);
                    dc.SetWindowExt(1000, 1000);
                    dc.SetViewportExt(viewport, viewport);
                    CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
                    dc.SelectObject(&pen);
                    QvMarker().Draw(&dc, QvPoint(200, 200), mark.code);
                }
                double scale = viewport / 1000.0, centre = 200 * scale;
                // A screen pixel's stroke reaches further at the corners.
                const double tolerance = 1.01 + (dpi > 96 ? 0.75 * dpi / 96 : 0);
                QRect ink = InkBounds(image);
                EXPECT_NEAR(ink.left(), centre - mark.reach * scale, tolerance);
                EXPECT_NEAR(ink.right(), centre + mark.reach * scale - mark.lastOut, tolerance);
                EXPECT_NEAR(ink.top(), centre - mark.reach * scale, tolerance);
                EXPECT_NEAR(ink.bottom(), centre + mark.reach * scale - mark.lastOut, tolerance);
            }
        }
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Caches()[i], -1);
}

// Many marks at once give exactly the pixels of drawing them one by one:
// overlapping, with an outline and a fill of different colours, at the
// edges of the page and of a clip, at several resolutions and mappings,
// and with what cannot be copied (wide pens, hatches, dashes, mixing,
// scaling mappings, non-rectangular clips).
TEST_F(MarkerTest, ManyMarksMatchMarksDrawnOneByOne) {
    enum Clip { None, Rect, Ellipse };
    const struct Case {
        const char* name;
        int dpi;
        int mode;
        QImage::Format format;
        int penWidth; // logical
        UINT penStyle;
        UINT brushStyle;
        int rop;
        Clip clip;
    } cases[] = {
        {"screen", 96, MM_HIMETRIC, QImage::Format_RGB32, 0, PS_SOLID, BS_SOLID, R2_COPYPEN, None},
        {"text", 96, MM_TEXT, QImage::Format_RGB32, 1, PS_SOLID, BS_SOLID, R2_COPYPEN, None},
        {"clipped", 96, MM_HIMETRIC, QImage::Format_RGB32, 0, PS_SOLID, BS_SOLID, R2_COPYPEN, Rect},
        {"print", 600, MM_HIMETRIC, QImage::Format_RGB32, 0, PS_SOLID, BS_SOLID, R2_COPYPEN, None},
        {"wide pen", 96, MM_HIMETRIC, QImage::Format_RGB32, 60, PS_SOLID, BS_SOLID, R2_COPYPEN,
         None},
        {"inside frame", 300, MM_HIMETRIC, QImage::Format_RGB32, 40, PS_INSIDEFRAME, BS_SOLID,
         R2_COPYPEN, None},
        {"transparent page", 96, MM_TEXT, QImage::Format_ARGB32_Premultiplied, 0, PS_SOLID,
         BS_SOLID, R2_COPYPEN, Rect},
        {"no outline", 96, MM_TEXT, QImage::Format_RGB32, 0, PS_NULL, BS_SOLID, R2_COPYPEN,
         None},
        {"hollow", 96, MM_HIMETRIC, QImage::Format_RGB32, 0, PS_SOLID, BS_NULL, R2_COPYPEN, None},
        {"hatched", 96, MM_HIMETRIC, QImage::Format_RGB32, 0, PS_SOLID, BS_HATCHED, R2_COPYPEN,
         None},
        {"dashed", 96, MM_TEXT, QImage::Format_RGB32, 0, PS_DASH, BS_SOLID, R2_COPYPEN, None},
        {"xor", 96, MM_HIMETRIC, QImage::Format_RGB32, 0, PS_SOLID, BS_SOLID, R2_XORPEN, None},
        {"elliptic clip", 96, MM_HIMETRIC, QImage::Format_RGB32, 0, PS_SOLID, BS_SOLID,
         R2_COPYPEN, Ellipse},
        {"scaling", 96, MM_ANISOTROPIC, QImage::Format_RGB32, 0, PS_SOLID, BS_SOLID, R2_COPYPEN,
         None},
        {"coarse units", 3000, MM_HIMETRIC, QImage::Format_RGB32, 0, PS_SOLID, BS_SOLID,
         R2_COPYPEN, None},
    };
    for (const Case& c : cases) {
        const int side = c.dpi >= 3000 ? 900 : c.dpi >= 300 ? 400 : 120;
        for (int code = 0; code <= 9; ++code) {
            SCOPED_TRACE(testing::Message() << c.name << " code " << code);
            QImage images[2];
            for (int way = 0; way < 2; ++way) {
                QImage& image = images[way];
                image = Page(c.dpi, side, side);
                if (c.format != QImage::Format_RGB32) {
                    image = image.convertToFormat(c.format);
                    image.fill(Qt::transparent);
                }
                CDC dc(&image);
                Prepare(dc, c.mode);
                if (c.dpi == 96)
                    dc.SetDeviceResolution(96, 96);
                if (c.mode == MM_ANISOTROPIC) {
                    dc.SetWindowExt(1000, 1000);
                    dc.SetViewportExt(300, 300);
                }
                dc.SetROP2(c.rop);
                LOGPEN logPen{c.penStyle, {c.penWidth, 0}, RGB(0, 0, 255)};
                CPen pen(logPen);
                LOGBRUSH logBrush{c.brushStyle, RGB(255, 0, 0), HS_DIAGCROSS};
                CBrush brush;
                brush.CreateBrushIndirect(&logBrush);
                dc.SelectObject(&pen);
                dc.SelectObject(&brush);
                CRgn clip;
                if (c.clip == Rect)
                    clip.CreateRectRgn(side / 5, side / 4, side - side / 3, side - side / 6);
                else if (c.clip == Ellipse)
                    clip.CreateEllipticRgn(side / 5, side / 4, side - side / 3, side - side / 6);
                if (c.clip != None)
                    dc.SelectClipRgn(&clip);
                // Device points across the page and past its edges, a
                // little apart so that the marks overlap, each moved by a
                // few logical units.
                std::vector<CPoint> at;
                const int step = std::max(3, side / 40);
                for (int i = 0; i < 160; ++i) {
                    CPoint p = Logical(dc, -step + (i * step) % (side + 2 * step),
                                       -step + (i * 7 * step / 3) % (side + 2 * step));
                    at.push_back(CPoint(p.x + i % 5, p.y - i % 3));
                }
                QvMarker marker;
                if (way == 0) {
                    for (const CPoint& p : at)
                        marker.DrawAt(&dc, p.x, p.y, code, nullptr, nullptr);
                } else {
                    marker.DrawMany(&dc, at.data(), int(at.size()), code);
                }
            }
            if (code >= 1 && code <= 6 && c.penStyle != PS_NULL) {
                EXPECT_FALSE(InkBounds(images[0]).isNull());
            }
            ASSERT_TRUE(images[0] == images[1]);
        }
    }
}
