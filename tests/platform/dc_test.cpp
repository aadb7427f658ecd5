// The device context draws by GDI's rules: rendered into images at screen
// and print resolution and checked by pixels and pixel bounds.
#include "platform/dc.h"
#include "platform/font_map.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Page(int dpi, int width, int height, QRgb fill = kWhite) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(fill);
    return image;
}

bool Inked(const QImage& image, int x, int y) {
    return image.pixel(x, y) != kWhite;
}

// How much of a pixel dark ink covers, 0 (white) to 1 (black).
double Darkness(const QImage& image, int x, int y) {
    return (255 - qGray(image.pixel(x, y))) / 255.0;
}

// Bounds of every pixel that is not white.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Inked(image, x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

LOGFONT Font(int height, int escapement = 0, const char* face = "Arial") {
    LOGFONT log;
    log.lfHeight = height;
    log.lfEscapement = log.lfOrientation = escapement;
    std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    return log;
}

// Logical point for a device point under the context's mapping.
CPoint Logical(const CDC& dc, int x, int y) {
    CPoint p(x, y);
    dc.DPtoLP(&p);
    return p;
}
} // namespace

TEST(DeviceContext, HimetricRectangleLandsWhereItsUnitsSay) {
    for (int dpi : {96, 300}) {
        SCOPED_TRACE(dpi);
        QImage image = Page(dpi, dpi * 3, dpi * 3);
        {
            CDC dc(&image);
            dc.SetMapMode(MM_HIMETRIC);
            CBrush black(RGB(0, 0, 0));
            dc.SelectObject(&black);
            // 10 mm to 50 mm across, 10 mm to 30 mm down the page (y is up).
            dc.Rectangle(1000, -1000, 5000, -3000);
        }
        auto px = [dpi](int units) { return int(std::lround(units * dpi / 2540.0)); };
        EXPECT_EQ(InkBounds(image),
                  QRect(QPoint(px(1000), px(1000)), QPoint(px(5000) - 1, px(3000) - 1)));
    }
}

TEST(DeviceContext, MappingConversions) {
    QImage screen = Page(96, 100, 100), print = Page(300, 100, 100);
    CDC dc96(&screen), dc300(&print);
    // The marker's base size of 25 x 25 hundredths of a millimetre.
    CSize s(25, 25);
    dc96.HIMETRICtoDP(&s);
    EXPECT_EQ(s, CSize(1, 1));
    s = CSize(25, 25);
    dc300.HIMETRICtoDP(&s);
    EXPECT_EQ(s, CSize(3, 3));
    s = CSize(1, 1);
    dc96.DPtoHIMETRIC(&s);
    EXPECT_EQ(s, CSize(26, 26));

    dc96.SetMapMode(MM_HIMETRIC);
    CPoint p(2540, -2540);
    dc96.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(96, 96));
    dc96.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(2540, -2540));
    CSize size(2540, 2540);
    dc96.LPtoDP(&size);
    EXPECT_EQ(size, CSize(96, -96));
    CRect r(0, 0, 2540, -2540);
    dc96.LPtoDP(&r);
    EXPECT_EQ(r, CRect(0, 0, 96, 96));
    // Far points (a circle's centre far off the page) come back far, but
    // with room left for the arithmetic drawing does on them.
    p = CPoint(INT_MAX, INT_MIN);
    dc96.LPtoDP(&p);
    p.x += 100;
    dc96.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(1 << 30, -(1 << 30)));

    // Extents change only in the scalable modes.
    EXPECT_EQ(dc96.SetWindowExt(10, 10), CSize(2540, 2540));
    EXPECT_EQ(dc96.GetWindowExt(), CSize(2540, 2540));

    dc96.SetMapMode(MM_ANISOTROPIC);
    dc96.SetWindowExt(100, 100);
    dc96.SetViewportExt(200, -400);
    dc96.SetWindowOrg(10, 10);
    dc96.SetViewportOrg(5, 500);
    p = CPoint(20, 20);
    dc96.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(25, 460));

    // Isotropic: the larger scale gives way, keeping its sign.
    dc96.SetMapMode(MM_ISOTROPIC);
    dc96.SetWindowExt(100, 100);
    dc96.SetViewportExt(200, -400);
    EXPECT_EQ(dc96.GetViewportExt(), CSize(200, -200));
}

TEST(DeviceContext, DeviceCapsOfEachSurface) {
    QImage image = Page(300, 3543, 3543);
    CDC dc(&image);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 300);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 3543);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 3543);
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 300);
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_TRUE(dc.GetDeviceCaps(RASTERCAPS) & RC_BITBLT);
    EXPECT_FALSE(dc.IsPrinting());

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    {
        CDC pdc(&writer);
        EXPECT_EQ(pdc.GetDeviceCaps(LOGPIXELSX), 600);
        EXPECT_EQ(pdc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
        EXPECT_NEAR(pdc.GetDeviceCaps(HORZSIZE), 210, 1);
        EXPECT_NEAR(pdc.GetDeviceCaps(HORZRES), 210 / 25.4 * 600, 5);
        EXPECT_FALSE(pdc.IsPrinting());
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir::temp().filePath("lumbrel_dc_caps.pdf"));
    {
        CDC pdc(&printer);
        EXPECT_TRUE(pdc.IsPrinting());
        EXPECT_EQ(pdc.GetDeviceCaps(LOGPIXELSX), printer.resolution());
    }
    QFile::remove(printer.outputFileName());

    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setResolution(96);
    generator.setSize(QSize(200, 100));
    {
        CDC sdc(&generator);
        EXPECT_EQ(sdc.GetDeviceCaps(TECHNOLOGY), DT_METAFILE);
        EXPECT_EQ(sdc.GetDeviceCaps(HORZRES), 200);
        EXPECT_EQ(sdc.GetDeviceCaps(LOGPIXELSY), 96);
    }
}

// Pie, Chord and Arc run counter-clockwise on the page from the start
// radial to the end radial, under a y-down and a y-up mapping alike.
TEST(DeviceContext, ArcsRunCounterClockwiseInEveryMappingMode) {
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        for (int dpi : {96, 300}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " dpi " << dpi);
            // Page points: centre (100,100), radius 80; east and north radials.
            auto draw = [&](auto shape, int sx, int sy, int ex, int ey) {
                QImage image = Page(dpi, 200, 200);
                CDC dc(&image);
                dc.SetMapMode(mode);
                CBrush black(RGB(0, 0, 0));
                dc.SelectObject(&black);
                CPoint box[2] = {Logical(dc, 20, 20), Logical(dc, 180, 180)};
                CPoint start = Logical(dc, sx, sy), end = Logical(dc, ex, ey);
                (dc.*shape)(box[0].x, box[0].y, box[1].x, box[1].y, start.x, start.y, end.x, end.y);
                return image;
            };
            using Shape = BOOL (CDC::*)(int, int, int, int, int, int, int, int);
            const Shape pie = &CDC::Pie, chord = &CDC::Chord, arc = &CDC::Arc;
            // Quadrant probes at 45 degrees, 50 px out: NE, NW, SW, SE.
            const QPoint ne(135, 65), nw(65, 65), sw(65, 135), se(135, 135);

            QImage image = draw(pie, 180, 100, 100, 20); // east to north
            EXPECT_TRUE(Inked(image, ne.x(), ne.y()));
            EXPECT_FALSE(Inked(image, nw.x(), nw.y()));
            EXPECT_FALSE(Inked(image, sw.x(), sw.y()));
            EXPECT_FALSE(Inked(image, se.x(), se.y()));

            image = draw(pie, 100, 20, 180, 100); // north to east: three quarters
            EXPECT_FALSE(Inked(image, ne.x(), ne.y()));
            EXPECT_TRUE(Inked(image, nw.x(), nw.y()));
            EXPECT_TRUE(Inked(image, sw.x(), sw.y()));
            EXPECT_TRUE(Inked(image, se.x(), se.y()));

            // Radials need not reach the ellipse, only point along it.
            image = draw(pie, 110, 100, 110, 100); // equal: the whole ellipse
            for (QPoint q : {ne, nw, sw, se})
                EXPECT_TRUE(Inked(image, q.x(), q.y()));

            image = draw(chord, 180, 100, 100, 20); // the cap beyond the chord
            EXPECT_TRUE(Inked(image, 150, 50));
            EXPECT_FALSE(Inked(image, 100, 100));
            EXPECT_FALSE(Inked(image, sw.x(), sw.y()));

            image = draw(arc, 180, 100, 100, 20); // only the NE quarter of the rim
            QRect ink = InkBounds(image);
            EXPECT_GE(ink.left(), 99);
            EXPECT_LE(ink.bottom(), 101);
            EXPECT_NEAR(ink.right(), 179, 1);
            EXPECT_NEAR(ink.top(), 20, 1);
        }
    }
}

TEST(DeviceContext, InsideFramePenKeepsAThickEllipseInsideItsBox) {
    for (int dpi : {96, 300}) {
        SCOPED_TRACE(dpi);
        QImage inside = Page(dpi, dpi * 2, dpi * 2), centred = inside;
        const int width = 250; // 2.5 mm
        for (UINT style : {PS_INSIDEFRAME, PS_SOLID}) {
            QImage& image = style == PS_INSIDEFRAME ? inside : centred;
            CDC dc(&image);
            dc.SetMapMode(MM_HIMETRIC);
            CPen pen(int(style), width, RGB(0, 0, 255));
            dc.SelectObject(&pen);
            dc.SelectStockObject(NULL_BRUSH);
            dc.Ellipse(1000, -1000, 3540, -2270);
        }
        auto px = [dpi](int units) { return int(std::lround(units * dpi / 2540.0)); };
        QRect box(QPoint(px(1000), px(1000)), QPoint(px(3540) - 1, px(2270) - 1));
        EXPECT_EQ(InkBounds(inside), box);
        // The stroke is as thick as the pen, not thinner.
        int y = box.center().y(), thick = 0;
        for (int x = box.left(); x < box.center().x(); ++x)
            thick += Inked(inside, x, y);
        EXPECT_NEAR(thick, px(width), 1);
        // A centred pen spills out by half its width.
        EXPECT_TRUE(InkBounds(centred).contains(
            box.adjusted(-px(width) / 3, -px(width) / 3, px(width) / 3, px(width) / 3)));
    }
}

// The thinnest line is one screen pixel on every surface: one pixel at
// 96 dpi, 0.26 mm (3.125 pixels) at 300 dpi, where one device pixel would
// all but vanish.
TEST(DeviceContext, TheThinnestLineIsOneScreenPixelWideAtEveryResolution) {
    for (int dpi : {96, 300}) {
        // Width 0 and the thinnest logical width alike.
        for (int width : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "dpi " << dpi << " width " << width);
            QImage image = Page(dpi, 200, 200);
            {
                CDC dc(&image);
                dc.SetMapMode(MM_HIMETRIC);
                CPen pen(PS_SOLID, width, RGB(0, 0, 0));
                dc.SelectObject(&pen);
                CPoint from = Logical(dc, 10, 50), to = Logical(dc, 150, 50);
                dc.MoveTo(from);
                dc.LineTo(to);
                from = Logical(dc, 100, 100), to = Logical(dc, 180, 180);
                dc.MoveTo(from);
                dc.LineTo(to);
            }
            double thickness = 0;
            for (int y = 40; y < 60; ++y)
                thickness += Darkness(image, 80, y);
            EXPECT_NEAR(thickness, dpi / 96.0, 0.1);
            if (dpi == 96) { // a level line is sharp, from its first pixel to before its last
                EXPECT_EQ(Darkness(image, 80, 50), 1.0);
                EXPECT_TRUE(Inked(image, 10, 50));
                EXPECT_TRUE(Inked(image, 149, 50));
                EXPECT_FALSE(Inked(image, 150, 50));
                EXPECT_TRUE(Inked(image, 179, 179));
                EXPECT_LT(Darkness(image, 180, 180), 0.1);
            }
        }
    }
}

// Hatches and dashes keep their size in screen pixels: eight pixels a period
// at 96 dpi, the same 2.1 mm (25 pixels) at 300 dpi.
TEST(DeviceContext, HatchesAndDashesKeepTheirScreenPeriodAtEveryResolution) {
    const QRgb blue = 0xFF0000FF, green = 0xFF00FF00, red = 0xFFFF0000;
    for (int hatch : {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL}) {
        SCOPED_TRACE(testing::Message() << "96 dpi, hatch " << hatch);
        QImage image = Page(96, 64, 64, blue);
        {
            CDC dc(&image);
            dc.SetMapMode(MM_HIMETRIC);
            CBrush brush(hatch, RGB(255, 0, 0));
            dc.SetBkColor(RGB(0, 255, 0));
            dc.FillRect(CRect(0, 0, 10000, -10000), &brush);
        }
        // Every pixel is hatch or background (OPAQUE is the default mode).
        int lines = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                QRgb c = image.pixel(x, y);
                ASSERT_TRUE(c == red || c == green);
                if (c != red)
                    continue;
                ++lines;
                // One line in eight pixels, running the hatch's way.
                EXPECT_EQ(image.pixel((x + 8) % 64, y), red);
                EXPECT_EQ(image.pixel(x, (y + 8) % 64), red);
                if (hatch == HS_FDIAGONAL) { // "\\\"
                    EXPECT_EQ(image.pixel((x + 1) % 64, (y + 1) % 64), red);
                }
                if (hatch == HS_BDIAGONAL) { // "///"
                    EXPECT_EQ(image.pixel((x + 1) % 64, (y + 63) % 64), red);
                }
            }
        }
        EXPECT_EQ(lines, 64 * 64 / 8);
    }
    // At 300 dpi: the hatch's lines, across a row or down a column, and the
    // dashes of a dashed line, each as far apart as on the screen.
    auto starts = [](const QImage& image, QPoint from, QPoint step, auto inked) {
        std::vector<int> at;
        bool before = true;
        for (int i = 0; image.rect().contains(from + step * i); ++i) {
            bool now = inked(image.pixel(from + step * i));
            if (now && !before)
                at.push_back(i);
            before = now;
        }
        return at;
    };
    auto periods = [](const std::vector<int>& at) {
        std::vector<int> gaps;
        for (size_t i = 1; i < at.size(); ++i)
            gaps.push_back(at[i] - at[i - 1]);
        return gaps;
    };
    auto reddish = [](QRgb c) { return qRed(c) > qGreen(c); };
    for (int hatch : {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL}) {
        SCOPED_TRACE(testing::Message() << "300 dpi, hatch " << hatch);
        QImage image = Page(300, 200, 200, blue);
        {
            CDC dc(&image);
            CBrush brush(hatch, RGB(255, 0, 0));
            dc.SetBkColor(RGB(0, 255, 0));
            dc.SelectObject(&brush);
            dc.SelectStockObject(NULL_PEN);
            dc.Ellipse(0, 0, 200, 200);
        }
        bool level = hatch == HS_HORIZONTAL;
        auto at = starts(image, level ? QPoint(100, 0) : QPoint(0, 100),
                         level ? QPoint(0, 1) : QPoint(1, 0), reddish);
        ASSERT_GE(at.size(), 4u);
        for (int gap : periods(at))
            EXPECT_NEAR(gap, 25, 1);
    }
    for (int dpi : {96, 300}) {
        SCOPED_TRACE(testing::Message() << "dashes at " << dpi << " dpi");
        QImage image = Page(dpi, 400, 20);
        {
            CDC dc(&image);
            dc.SetBkMode(TRANSPARENT);
            CPen pen(PS_DASH, 0, RGB(0, 0, 0));
            dc.SelectObject(&pen);
            dc.MoveTo(0, 10);
            dc.LineTo(400, 10);
        }
        auto at = starts(image, QPoint(0, 10), QPoint(1, 0), [](QRgb c) { return qGray(c) < 128; });
        ASSERT_GE(at.size(), 2u);
        for (int gap : periods(at))
            EXPECT_NEAR(gap, 24 * dpi / 96.0, 1);
    }
    // Transparent mode leaves the gaps alone.
    QImage image = Page(96, 16, 16, blue);
    {
        CDC dc(&image);
        dc.SetBkMode(TRANSPARENT);
        CBrush brush(HS_CROSS, RGB(255, 0, 0));
        dc.SelectObject(&brush);
        dc.SelectStockObject(NULL_PEN);
        dc.Rectangle(0, 0, 17, 17);
    }
    int gaps = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            gaps += image.pixel(x, y) == blue;
    EXPECT_EQ(gaps, 7 * 7 * 4);
}

// Text drawn under MM_HIMETRIC is the same picture as under MM_TEXT: upright,
// never mirrored.  A turned label reads bottom-to-top with escapement 900 in
// y-down mappings and 2700 under MM_HIMETRIC, whose axes turn the other way.
TEST(DeviceContext, TextStaysUprightAndTurnsWithItsEscapement) {
    auto render = [](int mode, int escapement) {
        QImage image = Page(96, 200, 200);
        CDC dc(&image);
        dc.SetMapMode(mode);
        // 48 pixels em at 96 dpi either way (12.7 mm).
        CFont font(Font(mode == MM_TEXT ? -48 : -1270, escapement));
        dc.SelectObject(&font);
        dc.SetTextAlign(TA_LEFT | TA_BASELINE);
        CPoint at = Logical(dc, 100, 100);
        dc.TextOut(at.x, at.y, "Fg");
        return image;
    };
    QImage flat = render(MM_TEXT, 0);
    EXPECT_EQ(render(MM_HIMETRIC, 0), flat);
    QRect ink = InkBounds(flat);
    EXPECT_GE(ink.left(), 100);
    EXPECT_LT(ink.top(), 100 - 20); // the capital stands above the baseline
    EXPECT_GT(ink.bottom(), 100);   // the g hangs below it

    QImage up = render(MM_TEXT, 900);
    EXPECT_EQ(render(MM_HIMETRIC, 2700), up);
    ink = InkBounds(up);
    // Along the baseline upward from the reference point, glyphs to its left.
    EXPECT_LE(ink.bottom(), 100);
    EXPECT_LT(ink.top(), 100 - 30);
    EXPECT_LT(ink.left(), 100 - 20);
    EXPECT_GT(ink.right(), 100); // the descender of g
    // The capital comes first, so it sits at the bottom: the left column has
    // ink low down (the F's height) rather than high up.
    QRect low = InkBounds(up.copy(0, ink.bottom() - 15, 200, 16));
    EXPECT_LT(low.left(), 100 - 20);

    QImage down = render(MM_HIMETRIC, 900);
    EXPECT_GE(InkBounds(down).top(), 100);
}

TEST(DeviceContext, TextAlignmentPlacesTheReferencePoint) {
    struct Case {
        UINT align;
        int left, right, top, bottom; // expected ink edges relative to (100,100), or 999
    };
    QImage probe = Page(96, 10, 10);
    CDC measure(&probe);
    CFont font(Font(-40));
    measure.SelectObject(&font);
    TEXTMETRIC tm;
    ASSERT_TRUE(measure.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    CSize extent = measure.GetTextExtent("HH");
    EXPECT_EQ(extent.cy, tm.tmHeight);
    EXPECT_EQ(measure.GetTextExtent(""), CSize(0, 0));

    for (UINT align : {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BOTTOM}) {
        SCOPED_TRACE(align);
        QImage image = Page(96, 200, 200);
        {
            CDC dc(&image);
            dc.SelectObject(&font);
            dc.SetTextAlign(align);
            dc.TextOut(100, 100, "HH");
        }
        QRect ink = InkBounds(image);
        if (align == (TA_LEFT | TA_TOP)) {
            EXPECT_NEAR(ink.left(), 100, 4);
            EXPECT_GE(ink.top(), 100 + tm.tmAscent - 32);
            EXPECT_NEAR(ink.bottom(), 100 + tm.tmAscent - 1, 1);
        } else if (align == (TA_CENTER | TA_BASELINE)) {
            EXPECT_NEAR(ink.center().x(), 100, 2);
            EXPECT_NEAR(ink.bottom(), 99, 1);
        } else {
            EXPECT_NEAR(ink.right(), 100 - 1, 4);
            EXPECT_LE(ink.right(), 99);
            EXPECT_NEAR(ink.bottom(), 100 - tm.tmDescent - 1, 1);
        }
    }
}

TEST(DeviceContext, OpaqueTextFillsItsCell) {
    QImage image = Page(96, 200, 100);
    {
        CDC dc(&image);
        CFont font(Font(-20));
        dc.SelectObject(&font);
        dc.SetBkColor(RGB(255, 0, 0));
        dc.TextOut(10, 10, "a b");
        CSize extent = dc.GetTextExtent("a b");
        EXPECT_EQ(QRgb(image.pixel(10, 10)), 0xFFFF0000);
        EXPECT_EQ(QRgb(image.pixel(10 + extent.cx - 1, 10 + extent.cy - 1)), 0xFFFF0000);
        EXPECT_EQ(QRgb(image.pixel(10 + extent.cx + 1, 10)), kWhite);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(10, 50, "a b");
        EXPECT_EQ(QRgb(image.pixel(10, 50)), kWhite);
    }
}

TEST(DeviceContext, SymbolFontCodesDrawAsUnicode) {
    EXPECT_EQ(SubstituteFace("Arial"), "Liberation Sans");
    EXPECT_EQ(SubstituteFace("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(SubstituteFace("Courier New"), "Liberation Mono");
    EXPECT_EQ(SubstituteFace("DejaVu Sans"), "DejaVu Sans");
    // Letters, the relation bytes the expressions use, and the en dash byte
    // that Windows-1252 decoding turned into U+2013.
    EXPECT_EQ(SymbolTextToUnicode(QString("apSW") + QChar(0xB3) + QChar(0xA3) + QChar(0xB4) +
                                  QChar(0x2013) + QChar(0x3C9)),
              QString::fromUtf8("απΣΩ≥≤×–ω"));

    auto render = [](const char* face, const QString& text) {
        QImage image = Page(96, 100, 60);
        CDC dc(&image);
        CFont font(Font(-30, 0, face));
        dc.SelectObject(&font);
        dc.TextOut(10, 10, text);
        return image;
    };
    EXPECT_EQ(render("Symbol", "a"), render("Times New Roman", QString::fromUtf8("α")));
}

TEST(DeviceContext, RegionsCombineAndClip) {
    // A = [10,50)^2, B = [30,70)^2; probes in A only, both, B only, neither.
    const QPoint aOnly(20, 20), both(40, 40), bOnly(60, 60), neither(80, 20);
    struct Case {
        int mode;
        bool a, ab, b;
    };
    const Case cases[] = {{RGN_AND, false, true, false},
                          {RGN_OR, true, true, true},
                          {RGN_XOR, true, false, true},
                          {RGN_DIFF, true, false, false},
                          {RGN_COPY, true, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        CRgn a, b, result;
        a.CreateRectRgn(10, 10, 50, 50);
        b.CreateRectRgn(30, 30, 70, 70);
        result.CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(result.CombineRgn(&a, &b, c.mode), RGN_ERROR);
        QImage image = Page(96, 100, 100);
        {
            CDC dc(&image);
            CBrush black(RGB(0, 0, 0));
            dc.FillRgn(&result, &black);
        }
        EXPECT_EQ(Inked(image, aOnly.x(), aOnly.y()), c.a);
        EXPECT_EQ(Inked(image, both.x(), both.y()), c.ab);
        EXPECT_EQ(Inked(image, bOnly.x(), bOnly.y()), c.b);
        EXPECT_FALSE(Inked(image, neither.x(), neither.y()));
        if (c.mode == RGN_AND) {
            EXPECT_EQ(InkBounds(image), QRect(30, 30, 20, 20));
            EXPECT_EQ(result.RegionKind(), SIMPLEREGION);
        }
        if (c.mode == RGN_XOR) {
            EXPECT_EQ(result.RegionKind(), COMPLEXREGION);
        }
    }
    // Disjoint regions intersect to nothing.
    CRgn a, b, result;
    a.CreateEllipticRgn(0, 0, 10, 10);
    b.CreateRectRgn(20, 20, 30, 30);
    result.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(result.CombineRgn(&a, &b, RGN_AND), NULLREGION);
    // Combining into a region never created fails, as GDI requires.
    CRgn fresh;
    EXPECT_EQ(fresh.CombineRgn(&a, &b, RGN_OR), RGN_ERROR);
}

TEST(DeviceContext, ClippingClipsAndGetClipBoxReportsIt) {
    QImage image = Page(96, 100, 100);
    CDC dc(&image);
    CRgn clip;
    clip.CreateRectRgn(20, 30, 60, 70);
    EXPECT_EQ(dc.SelectClipRgn(&clip), SIMPLEREGION);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(20, 30, 60, 70));
    dc.SelectStockObject(BLACK_BRUSH);
    dc.Rectangle(0, 0, 100, 100);
    EXPECT_EQ(InkBounds(image), QRect(20, 30, 40, 40));

    dc.SelectClipRgn(nullptr);
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 100, 100));
    dc.SetPixel(5, 5, RGB(0, 0, 0));
    EXPECT_TRUE(Inked(image, 5, 5));
}

// A lattice of pixels in one call is the same pixels as one call each:
// under a mapping that rounds, inside a rectangular or a round clip, after
// smoothed and mixed drawing.
TEST(DeviceContext, SetPixelLatticeSetsWhatSetPixelSets) {
    std::vector<int> xs, ys;
    for (int i = -40; i < 2800; i += 37)
        xs.push_back(i);
    for (int j = -30; j < 2700; j += 29)
        ys.push_back(j);
    for (bool round : {false, true}) {
        auto draw = [&](bool together) {
            QImage image = Page(96, 100, 100);
            CDC dc(&image);
            dc.SetMapMode(MM_HIMETRIC);
            dc.SetWindowOrg(0, 2540);
            CRgn clip;
            if (round)
                clip.CreateEllipticRgn(10, 5, 90, 80);
            else
                clip.CreateRectRgn(10, 5, 90, 80);
            dc.SelectClipRgn(&clip);
            CPen pen(PS_SOLID, 0, RGB(0, 0, 255));
            dc.SelectObject(&pen);
            dc.SetROP2(R2_NOTXORPEN);
            dc.MoveTo(0, 0);
            dc.LineTo(2000, 2000);
            dc.SetROP2(R2_COPYPEN);
            if (together) {
                dc.SetPixelLattice(xs.data(), int(xs.size()), ys.data(), int(ys.size()),
                                   RGB(160, 160, 164));
            } else {
                for (int y : ys)
                    for (int x : xs)
                        dc.SetPixel(x, y, RGB(160, 160, 164));
            }
            // What comes after is drawn as before.
            dc.MoveTo(0, 2000);
            dc.LineTo(2000, 0);
            return image;
        };
        const QImage one = draw(false);
        EXPECT_EQ(draw(true), one) << round;
        int grey = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                grey += one.pixel(x, y) == qRgb(160, 160, 164);
        EXPECT_GT(grey, 20) << round;
    }
}

TEST(DeviceContext, RestoreDCRestoresObjectsMappingAndClip) {
    QImage image = Page(96, 100, 100);
    CDC dc(&image);
    CPen red(PS_SOLID, 0, RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    CFont big(Font(-30));
    dc.SelectObject(&red);
    dc.SelectObject(&blue);
    CFont* systemFont = dc.SelectObject(&big);
    EXPECT_EQ(systemFont, CGdiObject::GetStockObject(SYSTEM_FONT));
    int level = dc.SaveDC();
    EXPECT_EQ(level, 1);

    CPen green(PS_DASH, 1, RGB(0, 255, 0));
    CFont small(Font(-8));
    EXPECT_EQ(dc.SelectObject(&green), &red);
    dc.SelectStockObject(NULL_BRUSH);
    dc.SelectObject(&small);
    dc.SetMapMode(MM_HIMETRIC);
    CRgn clip;
    clip.CreateRectRgn(0, 0, 10, 10);
    dc.SelectClipRgn(&clip);
    dc.SaveDC();
    dc.SetMapMode(MM_TEXT);

    EXPECT_FALSE(dc.RestoreDC(3));
    ASSERT_TRUE(dc.RestoreDC(level)); // also drops the later save
    EXPECT_FALSE(dc.RestoreDC(-1));
    LOGPEN pen;
    dc.GetCurrentPen()->GetLogPen(&pen);
    EXPECT_EQ(pen.lopnColor, RGB(255, 0, 0));
    EXPECT_EQ(pen.lopnStyle, PS_SOLID);
    LOGBRUSH brush;
    dc.GetCurrentBrush()->GetLogBrush(&brush);
    EXPECT_EQ(brush.lbStyle, BS_SOLID);
    EXPECT_EQ(brush.lbColor, RGB(0, 0, 255));
    LOGFONT font;
    dc.GetCurrentFont()->GetLogFont(&font);
    EXPECT_EQ(font.lfHeight, -30);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 100, 100));

    // Drawing uses the restored pen and brush.
    dc.Rectangle(20, 20, 60, 60);
    EXPECT_EQ(QRgb(image.pixel(20, 40)), 0xFFFF0000);
    EXPECT_EQ(QRgb(image.pixel(40, 40)), 0xFF0000FF);
}

TEST(DeviceContext, SelectGuardsPutBackWhatTheyReplaced) {
    QImage image = Page(96, 100, 100);
    CDC dc(&image);
    CPen red(PS_SOLID, 0, RGB(255, 0, 0)), green(PS_SOLID, 0, RGB(0, 255, 0));
    CPen blue(PS_SOLID, 0, RGB(0, 0, 255));
    CBrush grey(RGB(128, 128, 128));
    CFont big(Font(-30)), small(Font(-8));
    dc.SelectObject(&red);
    dc.SelectObject(&grey);
    dc.SelectObject(&big);
    auto pen = [&] { return dc.GetCurrentPen()->Log().lopnColor; };
    auto brush = [&] { return dc.GetCurrentBrush()->Log().lbStyle; };
    auto font = [&] { return dc.GetCurrentFont()->Log().lfHeight; };

    // Each kind, stock objects too, whichever way the scope is left.
    for (bool early : {false, true}) {
        SCOPED_TRACE(early);
        [&] {
            CDCSelect<CPen> usePen(&dc, &green);
            CDCSelect<CBrush> noFill(&dc, NULL_BRUSH);
            CDCSelect<CFont> useFont(&dc, &small);
            EXPECT_EQ(pen(), RGB(0, 255, 0));
            EXPECT_EQ(brush(), UINT(BS_NULL));
            EXPECT_EQ(font(), -8);
            if (early)
                return;
            dc.Rectangle(0, 0, 10, 10);
        }();
        EXPECT_EQ(pen(), RGB(255, 0, 0));
        EXPECT_EQ(brush(), UINT(BS_SOLID));
        EXPECT_EQ(font(), -30);
    }

    // Nested guards end innermost first; a guard that selects again still
    // puts back what its first selection replaced.
    {
        CDCSelect<CPen> outer(&dc, &green);
        {
            CDCSelect<CPen> inner(&dc, &blue);
            EXPECT_EQ(inner.Previous(), &green);
            inner.Select(NULL_PEN);
            EXPECT_EQ(dc.GetCurrentPen()->Log().lopnStyle, UINT(PS_NULL));
        }
        EXPECT_EQ(pen(), RGB(0, 255, 0));
        outer.Select(&blue);
    }
    EXPECT_EQ(pen(), RGB(255, 0, 0));

    // Selecting nothing (an object not made, a stock object of another
    // kind, no object yet) puts nothing back.
    {
        CPen unmade;
        CDCSelect<CPen> none(&dc, &unmade), wrongKind(&dc, WHITE_BRUSH), later(&dc);
        EXPECT_EQ(none.Previous(), nullptr);
        EXPECT_EQ(wrongKind.Previous(), nullptr);
        EXPECT_EQ(later.Previous(), nullptr);
        EXPECT_EQ(pen(), RGB(255, 0, 0));
        dc.SelectObject(&blue);
    }
    EXPECT_EQ(pen(), RGB(0, 0, 255));
    EXPECT_EQ(dc.SelectObject(&red), &blue);

    // The very objects are back, and drawing uses them.
    EXPECT_EQ(dc.SelectObject(&grey), &grey);
    EXPECT_EQ(dc.SelectObject(&big), &big);
    dc.Rectangle(20, 20, 60, 60);
    EXPECT_EQ(QRgb(image.pixel(20, 40)), 0xFFFF0000);
    EXPECT_EQ(QRgb(image.pixel(40, 40)), 0xFF808080);
}

TEST(DeviceContext, MixModesCombineBitsOnImages) {
    QImage image = Page(96, 40, 10);
    CDC dc(&image);
    dc.FillSolidRect(0, 0, 40, 10, RGB(0xF0, 0x0F, 0xCC));
    dc.SelectStockObject(NULL_PEN);
    CBrush brush(RGB(0x3C, 0xFF, 0x0F));
    dc.SelectObject(&brush);
    const QRgb dst = 0xF00FCC, src = 0x3CFF0F;
    struct Case {
        int mode;
        QRgb expected;
    };
    const Case cases[] = {{R2_COPYPEN, src},
                          {R2_MASKPEN, dst & src},
                          {R2_XORPEN, dst ^ src},
                          {R2_NOTXORPEN, ~(dst ^ src) & 0xFFFFFF},
                          {R2_NOT, ~dst & 0xFFFFFF}};
    int x = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        dc.SetROP2(c.mode);
        dc.Rectangle(x, 0, x + 6, 6);
        EXPECT_EQ(QRgb(image.pixel(x + 2, 2)), 0xFF000000 | c.expected);
        x += 8;
    }
    // Drawing twice with R2_NOTXORPEN gives the picture back.
    dc.SetROP2(R2_NOTXORPEN);
    dc.Rectangle(0, 7, 10, 10);
    dc.Rectangle(0, 7, 10, 10);
    EXPECT_EQ(QRgb(image.pixel(3, 8)), 0xFF000000 | dst);
    // A mode not offered leaves the current one.
    EXPECT_EQ(dc.SetROP2(3), 0);
    EXPECT_EQ(dc.GetROP2(), R2_NOTXORPEN);
}

// Mixed solid fills are combined into the image's rows by the device
// context itself; Qt's own raster operations are the reference, pixel for
// pixel: random and self-crossing polygons partly off the page, both fill
// rules, every mix mode, with and without a clip, on both 32-bit formats.
TEST(DeviceContext, MixedFillsMatchQtsRasterOps) {
    uint32_t seed = 12345;
    auto next = [&seed](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + int((seed >> 8) % uint32_t(hi - lo + 1));
    };
    struct Mode {
        int rop;
        QPainter::CompositionMode qt;
    };
    const Mode modes[] = {{R2_MASKPEN, QPainter::RasterOp_SourceAndDestination},
                          {R2_NOTXORPEN, QPainter::RasterOp_NotSourceXorDestination},
                          {R2_XORPEN, QPainter::RasterOp_SourceXorDestination},
                          {R2_NOT, QPainter::RasterOp_NotDestination}};
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (int t = 0; t < 160; ++t) {
            SCOPED_TRACE(t);
            const Mode& mode = modes[t % 4];
            const bool winding = (t / 4) % 2;
            const bool clipped = (t / 8) % 2;
            const int rings = 1 + (t / 16) % 2;
            std::vector<CPoint> points;
            int counts[2] = {0, 0};
            for (int r = 0; r < rings; ++r) {
                counts[r] = 3 + next(0, 9);
                for (int i = 0; i < counts[r]; ++i)
                    points.emplace_back(next(-20, 120), next(-20, 90));
            }
            QImage base(100, 70, format);
            for (int y = 0; y < base.height(); ++y)
                for (int x = 0; x < base.width(); ++x)
                    base.setPixel(x, y, qRgb(x * 2, y * 3, (x * y) & 0xFF));
            const COLORREF colour = RGB(next(0, 255), next(0, 255), next(0, 255));
            const QRect clip(10, 5, 60, 50);

            QImage ours = base;
            {
                CDC dc(&ours);
                CBrush brush(colour);
                dc.SelectObject(&brush);
                dc.SelectStockObject(NULL_PEN);
                dc.SetROP2(mode.rop);
                dc.SetPolyFillMode(winding ? WINDING : ALTERNATE);
                CRgn region;
                region.CreateRectRgn(clip.left(), clip.top(), clip.right() + 1,
                                     clip.bottom() + 1);
                if (clipped)
                    dc.SelectClipRgn(&region);
                if (rings == 1)
                    dc.Polygon(points.data(), counts[0]);
                else
                    dc.PolyPolygon(points.data(), counts, 2);
            }
            QImage qts = base;
            {
                QPainter painter(&qts);
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
                painter.setCompositionMode(mode.qt);
                if (clipped)
                    painter.setClipRect(clip);
                QPainterPath path;
                path.setFillRule(winding ? Qt::WindingFill : Qt::OddEvenFill);
                const CPoint* at = points.data();
                for (int r = 0; r < rings; ++r) {
                    QPolygonF ring;
                    for (int i = 0; i < counts[r]; ++i, ++at)
                        ring << QPointF(at->x, at->y);
                    path.addPolygon(ring);
                    path.closeSubpath();
                }
                if (rings == 1)
                    painter.drawPolygon(path.toFillPolygon(), path.fillRule());
                else
                    painter.drawPath(path);
            }
            ASSERT_EQ(ours, qts);
        }
    }
}

namespace {
// The same figure through any surface.
void DrawSample(CDC& dc) {
    dc.SetMapMode(MM_HIMETRIC);
    CPen pen(PS_INSIDEFRAME, 50, RGB(0, 0, 200));
    CBrush brush(RGB(200, 0, 0));
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    dc.Rectangle(500, -500, 3000, -2000);
    dc.Ellipse(3500, -500, 6000, -2000);
    CFont font(Font(-500));
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(500, -2500, "Lumbrel");
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(WHITE_BRUSH);
    dc.SelectStockObject(SYSTEM_FONT);
}
} // namespace

TEST(DeviceContext, SvgSurfaceWritesTheShapes) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(96);
    generator.setSize(QSize(260, 130));
    generator.setViewBox(QRect(0, 0, 260, 130));
    {
        CDC dc(&generator);
        DrawSample(dc);
    }
    QByteArray svg = buffer.data();
    EXPECT_TRUE(svg.contains("Lumbrel"));
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage back = Page(96, 260, 130);
    QPainter painter(&back);
    renderer.render(&painter);
    painter.end();
    // Rectangle from (19,19) to (113,76) in pixels, ellipse beside it.
    EXPECT_EQ(QRgb(back.pixel(60, 45)), 0xFFC80000);
    EXPECT_EQ(QRgb(back.pixel(20, 45)), 0xFF0000C8);
    EXPECT_EQ(QRgb(back.pixel(180, 45)), 0xFFC80000);
    EXPECT_EQ(QRgb(back.pixel(135, 21)), kWhite); // outside the ellipse's curve
    EXPECT_FALSE(InkBounds(back.copy(19, 80, 200, 40)).isEmpty());
}

TEST(DeviceContext, PdfSurfaceWritesAValidFile) {
    auto write = [](bool draw) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QSizeF(100, 50), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        {
            CDC dc(&writer);
            if (draw)
                DrawSample(dc);
        }
        return buffer.data();
    };
    QByteArray empty = write(false), pdf = write(true);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    // A font was embedded for the text, and the page's content grew.
    EXPECT_TRUE(pdf.contains("/FontFile2"));
    EXPECT_FALSE(empty.contains("/FontFile2"));
    EXPECT_GT(pdf.size(), empty.size() + 1000);
}

// SVG has no bitwise mixing: a mix mode draws what it gives on white paper.
TEST(DeviceContext, MixModesOnVectorSurfacesDrawTheWhitePaperResult) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(40, 10));
    generator.setViewBox(QRect(0, 0, 40, 10));
    {
        CDC dc(&generator);
        dc.SelectStockObject(NULL_PEN);
        CBrush brush(RGB(0x30, 0x60, 0x90));
        dc.SelectObject(&brush);
        int x = 0;
        for (int mode : {R2_MASKPEN, R2_NOTXORPEN, R2_XORPEN, R2_NOT}) {
            dc.SetROP2(mode);
            dc.Rectangle(x, 0, x + 9, 9);
            x += 10;
        }
    }
    QSvgRenderer renderer(buffer.data());
    ASSERT_TRUE(renderer.isValid());
    QImage back = Page(96, 40, 10);
    QPainter painter(&back);
    renderer.render(&painter);
    painter.end();
    EXPECT_EQ(QRgb(back.pixel(4, 4)), 0xFF306090u);
    EXPECT_EQ(QRgb(back.pixel(14, 4)), 0xFF306090u);
    EXPECT_EQ(QRgb(back.pixel(24, 4)), 0xFFCF9F6Fu);
    EXPECT_EQ(QRgb(back.pixel(34, 4)), 0xFF000000u);
}

namespace {
// The pixels a drawing call inks on a blank 96 dpi page.
template <class Draw> QImage Drawn(int width, int height, Draw draw) {
    QImage image = Page(96, width, height);
    CDC dc(&image);
    draw(dc);
    return image;
}
} // namespace

// The background mode fills the gaps of hatches and styled pens and nothing
// else: a shape drawn with a solid pen and a solid or hollow brush covers the
// same pixels in either mode, and its box's right and bottom edges stay
// outside it whatever the box's size.
TEST(DeviceContext, BackgroundModeLeavesPlainShapesAlone) {
    using Shape = void (*)(CDC&, int, int, int, int);
    struct Case {
        const char* name;
        Shape shape;
        bool boxed; // fills its box out to the last row and column
    };
    const Case shapes[] = {
        {"ellipse", [](CDC& dc, int l, int t, int r, int b) { dc.Ellipse(l, t, r, b); }, true},
        {"rectangle", [](CDC& dc, int l, int t, int r, int b) { dc.Rectangle(l, t, r, b); }, true},
        {"round rect", [](CDC& dc, int l, int t, int r, int b) { dc.RoundRect(l, t, r, b, 4, 4); },
         false},
        {"pie", [](CDC& dc, int l, int t, int r, int b) { dc.Pie(l, t, r, b, r, t, l, t); }, false},
        {"chord", [](CDC& dc, int l, int t, int r, int b) { dc.Chord(l, t, r, b, r, b, l, t); },
         false},
    };
    for (const Case& c : shapes) {
        for (int size : {4, 5, 8, 21}) {
            for (int pen : {0, 3}) {
                for (bool hollow : {false, true}) {
                    SCOPED_TRACE(testing::Message() << c.name << " size " << size << " pen " << pen
                                                    << (hollow ? " hollow" : " solid"));
                    auto draw = [&](int mode) {
                        return Drawn(40, 40, [&](CDC& dc) {
                            dc.SetBkMode(mode);
                            dc.SetBkColor(RGB(0, 255, 0));
                            CPen outline(PS_INSIDEFRAME, pen, RGB(0, 0, 0));
                            CBrush fill(RGB(255, 0, 0));
                            dc.SelectObject(&outline);
                            if (hollow)
                                dc.SelectStockObject(NULL_BRUSH);
                            else
                                dc.SelectObject(&fill);
                            c.shape(dc, 10, 10, 10 + size, 10 + size);
                        });
                    };
                    QImage opaque = draw(OPAQUE);
                    EXPECT_EQ(opaque, draw(TRANSPARENT));
                    if (c.boxed) {
                        EXPECT_EQ(InkBounds(opaque), QRect(10, 10, size, size));
                    }
                }
            }
        }
    }
    // A 4-pixel dot, the smallest the program draws, is 4 pixels across.
    QImage dot = Drawn(20, 20, [](CDC& dc) {
        dc.SelectStockObject(BLACK_BRUSH);
        dc.Ellipse(5, 5, 9, 9);
    });
    EXPECT_EQ(InkBounds(dot), QRect(5, 5, 4, 4));
}

// Where there are gaps, OPAQUE still fills them with the background colour.
TEST(DeviceContext, OpaqueModeFillsTheGapsOfHatchedShapesAndStyledLines) {
    const QRgb green = 0xFF00FF00;
    for (int mode : {OPAQUE, TRANSPARENT}) {
        SCOPED_TRACE(mode);
        QImage image = Drawn(80, 40, [mode](CDC& dc) {
            dc.SetBkMode(mode);
            dc.SetBkColor(RGB(0, 255, 0));
            CBrush hatch(HS_CROSS, RGB(255, 0, 0));
            dc.SelectObject(&hatch);
            dc.SelectStockObject(NULL_PEN);
            dc.Ellipse(0, 0, 30, 30);
            CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
            dc.SelectObject(&dotted);
            dc.MoveTo(40, 20);
            dc.LineTo(79, 20);
        });
        int hatchGaps = 0, lineGaps = 0;
        for (int y = 10; y < 20; ++y)
            for (int x = 10; x < 20; ++x)
                hatchGaps += image.pixel(x, y) == green;
        for (int x = 40; x < 79; ++x)
            lineGaps += image.pixel(x, 20) == green;
        EXPECT_EQ(hatchGaps > 0, mode == OPAQUE);
        EXPECT_EQ(lineGaps > 0, mode == OPAQUE);
        EXPECT_EQ(image.pixel(15, 5), mode == OPAQUE ? green : kWhite); // inside the rim
    }
}

// Hatches are filled from a tile made once per colour pair: every pixel as
// the painter's own pattern brush lays it over the background (opaque) or
// over what is there (transparent), the pattern fixed to the device's
// origin wherever the shape lies.
TEST(DeviceContext, HatchesFillAsThePaintersPatternBrush) {
    const QRgb paper = 0xFF808080;
    for (int mode : {OPAQUE, TRANSPARENT})
        for (int hatch : {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,
                          HS_DIAGCROSS})
            for (int shape = 0; shape < 3; ++shape) {
                SCOPED_TRACE(std::to_string(mode) + " hatch " + std::to_string(hatch) + " shape " +
                             std::to_string(shape));
                CRgn region;
                if (shape == 0) {
                    region.CreateEllipticRgn(-13, -7, 50, 41);
                } else if (shape == 1) {
                    region.CreateEllipticRgn(21, 9, 58, 60);
                } else {
                    const CPoint star[] = {{30, 2}, {59, 58}, {3, 20}, {57, 20}, {5, 57}};
                    region.CreatePolygonRgn(star, 5, ALTERNATE);
                }
                QImage drawn = Page(96, 64, 64, paper);
                {
                    CDC dc(&drawn);
                    dc.SetBkMode(mode);
                    dc.SetBkColor(RGB(0, 160, 0));
                    CBrush brush(hatch, RGB(200, 0, 30));
                    dc.FillRgn(&region, &brush);
                }
                QImage expected = Page(96, 64, 64, paper);
                {
                    QPainter painter(&expected);
                    painter.setBackground(QColor(0, 160, 0));
                    painter.setBackgroundMode(mode == OPAQUE ? Qt::OpaqueMode
                                                             : Qt::TransparentMode);
                    const Qt::BrushStyle styles[] = {Qt::HorPattern,   Qt::VerPattern,
                                                     Qt::FDiagPattern, Qt::BDiagPattern,
                                                     Qt::CrossPattern, Qt::DiagCrossPattern};
                    painter.fillPath(region.Path(), QBrush(QColor(200, 0, 30), styles[hatch]));
                }
                EXPECT_EQ(drawn, expected);
            }
}

// Hatched polygons are laid into the image's rows by the device context
// itself; Qt's own pattern fill is the reference, pixel for pixel: random
// and self-crossing polygons at corners between pixels (ties of Qt's 1/64
// grid among them) and partly off the page, both fill rules, every hatch,
// opaque and transparent, with and without a clip, on both 32-bit formats.
TEST(DeviceContext, HatchedPolygonsMatchQtsPatternFill) {
    uint32_t seed = 4321;
    auto next = [&seed](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + int((seed >> 8) % uint32_t(hi - lo + 1));
    };
    const int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                           HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
    const Qt::BrushStyle styles[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                     Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    // 13/128 of a pixel a unit: corners on odd 128ths fall on ties.
    const double scale = 13.0 / 128;
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (int t = 0; t < 192; ++t) {
            SCOPED_TRACE(t);
            const int hatch = t % 6;
            const bool winding = (t / 6) % 2;
            const bool clipped = (t / 12) % 2;
            const bool opaque = (t / 24) % 2;
            // No two neighbours share a row or a column: those corners are
            // put on whole pixels, which the reference would have to copy.
            std::vector<CPoint> points;
            const int count = 3 + next(0, 9);
            while (int(points.size()) < count) {
                CPoint p(next(-200, 1200), next(-200, 900));
                if (!points.empty() && (p.x == points.back().x || p.y == points.back().y))
                    continue;
                if (int(points.size()) == count - 1 &&
                    (p.x == points.front().x || p.y == points.front().y))
                    continue;
                points.push_back(p);
            }
            QImage base(100, 70, format);
            for (int y = 0; y < base.height(); ++y)
                for (int x = 0; x < base.width(); ++x)
                    base.setPixel(x, y, qRgb(x * 2, y * 3, (x * y) & 0xFF));
            const COLORREF colour = RGB(next(0, 255), next(0, 255), next(0, 255));
            const COLORREF paper = RGB(next(0, 255), next(0, 255), next(0, 255));
            const QRect clip(10, 5, 60, 50);

            QImage ours = base;
            {
                CDC dc(&ours);
                dc.SetMapMode(MM_ANISOTROPIC);
                dc.SetWindowExt(128, 128);
                dc.SetViewportExt(13, 13);
                CBrush brush(hatches[hatch], colour);
                dc.SelectObject(&brush);
                dc.SelectStockObject(NULL_PEN);
                dc.SetBkMode(opaque ? OPAQUE : TRANSPARENT);
                dc.SetBkColor(paper);
                dc.SetPolyFillMode(winding ? WINDING : ALTERNATE);
                CRgn region;
                region.CreateRectRgn(clip.left(), clip.top(), clip.right() + 1,
                                     clip.bottom() + 1);
                if (clipped)
                    dc.SelectClipRgn(&region);
                dc.Polygon(points.data(), count);
            }
            QImage qts = base;
            {
                QPainter painter(&qts);
                painter.setBackground(QColor(GetRValue(paper), GetGValue(paper), GetBValue(paper)));
                painter.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
                if (clipped)
                    painter.setClipRect(clip);
                QPolygonF ring;
                for (const CPoint& p : points)
                    ring << QPointF(p.x * scale, p.y * scale);
                QPainterPath path;
                path.setFillRule(winding ? Qt::WindingFill : Qt::OddEvenFill);
                path.addPolygon(ring);
                path.closeSubpath();
                painter.fillPath(path, QBrush(QColor(GetRValue(colour), GetGValue(colour),
                                                     GetBValue(colour)),
                                              styles[hatch]));
            }
            ASSERT_EQ(ours, qts);
        }
    }
}

// Texts whose shaping is kept draw the very pixels drawText draws, at
// places that fall between pixels, with and without the scale that keeps a
// font's logical size, in every alignment; texts that shape otherwise (other
// scripts, tabs, marks, turned text, large type) are left to drawText, and
// vector surfaces get the text itself (the SVG test above).
TEST(DeviceContext, KeptShapedTextsDrawAsDrawTextDoes) {
    const QString texts[] = {QStringLiteral("x^2 + 3x - 1 = 0"),
                             QStringLiteral("Lumbrel"),
                             QStringLiteral("7"),
                             QStringLiteral("AVAWAY fi ffl"),
                             QString::fromUtf8("α + β = 90°"),
                             QString::fromUtf8("שלום abc"),
                             QStringLiteral("a\tb"),
                             QString::fromUtf8("e\u0301x"),
                             QString::fromUtf8("∑∫√ ≤ ≥ × ÷")};
    struct Case {
        int mode, height, escapement;
        const char* face;
        bool italic;
    };
    const Case cases[] = {{MM_TEXT, -17, 0, "Arial", false},
                          {MM_TEXT, -12, 0, "Times New Roman", true},
                          {MM_HIMETRIC, -423, 0, "Arial", false},
                          {MM_HIMETRIC, -391, 0, "Times New Roman", false},
                          {MM_HIMETRIC, -300, 0, "Symbol", false},
                          {MM_HIMETRIC, -517, 0, "Courier New", true},
                          {MM_HIMETRIC, -2000, 0, "Arial", false},
                          {MM_HIMETRIC, -423, 300, "Arial", false}};
    auto render = [&](bool keep, const Case& c, UINT align) {
        const bool was = CDC::KeepShapedTexts(keep);
        QImage image = Page(96, 400, 300);
        {
            CDC dc(&image);
            dc.SetMapMode(c.mode);
            LOGFONT log = Font(c.height, c.escapement, c.face);
            log.lfItalic = c.italic;
            CFont font(log);
            dc.SelectObject(&font);
            dc.SetTextAlign(align);
            dc.SetBkMode(TRANSPARENT);
            // Twice each, so that the second draws from what the first kept.
            for (int pass = 0; pass < 2; ++pass) {
                int i = 0;
                for (const QString& text : texts) {
                    CPoint at = Logical(dc, 30 + 170 * pass, 25 + 30 * i++);
                    at.x += 3 * i; // not on whole pixels in HIMETRIC
                    dc.TextOut(at.x, at.y, text);
                }
            }
        }
        CDC::KeepShapedTexts(was);
        return image;
    };
    for (const Case& c : cases)
        for (UINT align : {TA_LEFT | TA_BASELINE, TA_CENTER | TA_TOP, TA_RIGHT | TA_BOTTOM}) {
            SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height) + " align " +
                         std::to_string(align));
            EXPECT_EQ(render(true, c, align), render(false, c, align));
        }
}

// A one-pixel line keeps its start pixel and leaves out its end pixel,
// whichever way it runs: by whole pixels, one pixel for each step along its
// longer axis from the start up to the end, each less than a pixel off the
// true line (so exactly on it where the line is level, upright or
// diagonal); drawn smoothly, the ink of each step centres within a pixel of
// the true line and none reaches past either end.
TEST(DeviceContext, OnePixelLinesKeepTheirStartAndLeaveOutTheirEnd) {
    struct Case {
        const char* name;
        QPoint from, to;
    };
    const Case cases[] = {
        {"right", {10, 30}, {50, 30}},      {"left", {50, 30}, {10, 30}},
        {"down", {30, 10}, {30, 50}},       {"up", {30, 50}, {30, 10}},
        {"down right", {10, 10}, {50, 50}}, {"up left", {50, 50}, {10, 10}},
        {"up right", {10, 50}, {50, 10}},   {"down left", {50, 10}, {10, 50}},
        {"shallow", {5, 23}, {55, 40}},     {"shallow back", {55, 40}, {5, 23}},
        {"steep back", {40, 55}, {23, 5}},
    };
    for (BOOL smooth : {FALSE, TRUE}) {
        for (int mode : {MM_TEXT, MM_HIMETRIC}) {
            for (bool polyline : {false, true}) {
                for (const Case& c : cases) {
                    SCOPED_TRACE(testing::Message()
                                 << c.name << " mode " << mode << (polyline ? " polyline" : " line")
                                 << (smooth ? " smooth" : ""));
                    QImage image = Page(96, 60, 60);
                    {
                        CDC dc(&image);
                        dc.SetSmoothing(smooth);
                        dc.SetMapMode(mode);
                        CPoint ends[2] = {Logical(dc, c.from.x(), c.from.y()),
                                          Logical(dc, c.to.x(), c.to.y())};
                        if (polyline) {
                            dc.Polyline(ends, 2);
                        } else {
                            dc.MoveTo(ends[0]);
                            dc.LineTo(ends[1]);
                        }
                    }
                    // Lay the line along x: major runs along the longer axis.
                    const int dx = c.to.x() - c.from.x(), dy = c.to.y() - c.from.y();
                    const bool steep = std::abs(dy) > std::abs(dx);
                    const int steps = std::max(std::abs(dx), std::abs(dy));
                    const int dir = (steep ? dy : dx) > 0 ? 1 : -1;
                    const double slope = steep ? double(dx) / dy : double(dy) / dx;
                    const int major0 = steep ? c.from.y() : c.from.x();
                    const int minor0 = steep ? c.from.x() : c.from.y();
                    auto at = [&](int major, int minor) {
                        return steep ? Darkness(image, minor, major)
                                     : Darkness(image, major, minor);
                    };
                    if (smooth) {
                        for (int i = -1; i <= steps; ++i) {
                            const int major = major0 + dir * i;
                            double ink = 0, moment = 0;
                            for (int minor = 0; minor < 60; ++minor) {
                                ink += at(major, minor);
                                moment += at(major, minor) * minor;
                            }
                            if (i < 0 || i == steps) {
                                EXPECT_LT(ink, 0.35) << "past the end at " << major;
                            } else {
                                EXPECT_GT(ink, 0.6) << "at " << major;
                                EXPECT_LT(std::abs(moment / ink - (minor0 + slope * dir * i)), 0.75)
                                    << "at " << major;
                            }
                        }
                        continue;
                    }
                    EXPECT_TRUE(Inked(image, c.from.x(), c.from.y()));
                    EXPECT_FALSE(Inked(image, c.to.x(), c.to.y()));
                    std::map<int, std::vector<int>> byMajor; // minor coordinates of the ink
                    for (int y = 0; y < 60; ++y)
                        for (int x = 0; x < 60; ++x)
                            if (Inked(image, x, y))
                                byMajor[steep ? y : x].push_back(steep ? x : y);
                    EXPECT_EQ(int(byMajor.size()), steps);
                    for (int i = 0; i < steps; ++i) {
                        const int major = major0 + dir * i;
                        const std::vector<int>& minors = byMajor[major];
                        ASSERT_EQ(minors.size(), 1u) << "at " << major;
                        EXPECT_LT(std::abs(minors[0] - (minor0 + slope * dir * i)), 1.0)
                            << "at " << major;
                    }
                }
            }
        }
    }
}

// Curves are smooth unless smoothing is turned off; mix modes draw by whole
// pixels so that drawing twice still erases.
TEST(DeviceContext, SmoothingIsOnUnlessTurnedOffOrMixing) {
    auto greys = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) != kWhite && image.pixel(x, y) != 0xFF000000;
        return n;
    };
    auto circle = [](CDC& dc) {
        dc.SelectStockObject(NULL_BRUSH);
        dc.Ellipse(5, 5, 45, 45);
    };
    EXPECT_GT(greys(Drawn(50, 50, circle)), 40);
    QImage crisp = Drawn(50, 50, [&](CDC& dc) {
        EXPECT_TRUE(dc.GetSmoothing());
        int saved = dc.SaveDC();
        EXPECT_TRUE(dc.SetSmoothing(FALSE));
        circle(dc);
        dc.RestoreDC(saved);
        EXPECT_TRUE(dc.GetSmoothing());
    });
    EXPECT_EQ(greys(crisp), 0);
    EXPECT_EQ(InkBounds(crisp), QRect(5, 5, 40, 40));

    QImage mixed = Drawn(50, 50, [&](CDC& dc) {
        dc.SetROP2(R2_NOTXORPEN);
        circle(dc);
    });
    EXPECT_EQ(mixed, crisp);
    EXPECT_EQ(Drawn(50, 50,
                    [&](CDC& dc) {
                        dc.SetROP2(R2_NOTXORPEN);
                        circle(dc);
                        circle(dc);
                    }),
              Page(96, 50, 50));
}

// A polyline draws each vertex once and leaves out only its last point, and
// a styled pen's pattern runs on from one segment to the next.
TEST(DeviceContext, PolylinesLeaveOutOnlyTheirLastPoint) {
    // Round a square clockwise, then back up the left side short of the top.
    const CPoint square[] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}, {10, 12}};
    QImage image = Drawn(40, 40, [&](CDC& dc) { dc.Polyline(square, 5); });
    for (QPoint corner : {QPoint(10, 10), QPoint(30, 10), QPoint(30, 30), QPoint(10, 30)})
        EXPECT_TRUE(Inked(image, corner.x(), corner.y())) << corner.x() << "," << corner.y();
    EXPECT_TRUE(Inked(image, 10, 13));
    EXPECT_FALSE(Inked(image, 10, 12));
    EXPECT_FALSE(Inked(image, 10, 11));
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ink += Inked(image, x, y);
    EXPECT_EQ(ink, 20 + 20 + 20 + 18);

    // Many one-pixel segments dash as one line does.
    std::vector<CPoint> steps;
    for (int x = 2; x <= 98; ++x)
        steps.emplace_back(x, 5);
    auto dashed = [&](bool polyline) {
        return Drawn(100, 10, [&](CDC& dc) {
            dc.SetBkMode(TRANSPARENT);
            CPen pen(PS_DASH, 0, RGB(0, 0, 0));
            dc.SelectObject(&pen);
            if (polyline) {
                dc.Polyline(steps.data(), int(steps.size()));
            } else {
                dc.MoveTo(steps.front());
                dc.LineTo(steps.back());
            }
        });
    };
    QImage line = dashed(false);
    EXPECT_EQ(dashed(true), line);
    EXPECT_TRUE(Inked(line, 2, 5));
    EXPECT_FALSE(Inked(line, 2 + 20, 5)); // a gap
}
