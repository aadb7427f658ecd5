// Typical school formulas rendered at 300 dpi and compared with reference
// pictures that a person has looked at.  A slight blur before comparing
// lets antialiasing at glyph edges differ.
//
// To regenerate the references after a deliberate change, run
//   LUMBREL_UPDATE_GOLDEN=1 build/test_text --gtest_filter='EquationGolden*'
// and look at every picture in tests/text/golden/ before committing.  A
// failing comparison leaves the new render beside the test binary as
// golden_<name>.png.
#include "platform/dc.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSvgGenerator>

#include <gtest/gtest.h>

namespace {

struct Formula {
    const char* name;
    const char* text;
};

const Formula kFormulas[] = {
    {"powers", "x^2 + 2x + 1 = 0"},
    {"half", "y = 1/2 x + 3"},
    {"quadratic", "x = (-b +- sqrt(b^2 - 4ac))/(2a)"},
    {"root_sum", "sqrt(x^2 + y^2)"},
    {"tall_root", "sqrt(1/2)"},
    {"cube_root", "3root(8) = 2"},
    {"brackets", "(x + 1/2)^2"},
    {"fractions", "(x+1)/(x-1) = 1/(1 + 1/x)"},
    {"sum", "sigma(i=1,n) i^2"},
    {"integral", "int(0,pi) sin x dx = 2"},
    {"product", "product(k=1,n) k = n!"},
    {"limit", "lim(x->0) (sin x)/x = 1"},
    {"greek", "al + be + ga = pi"},
    {"trig", "sin^2 th + cos^2 th = 1"},
    {"inverse", "sin-1 x + cos-1 x = pi/2"},
    {"vectors", "v = 3i + 4j"},
    {"segments", "AB + BC = AC"},
    {"column", "a = (3,4)"},
    {"exponent", "e^(-x^2/2)"},
    {"subscripts", "x\\1 + x\\2 >= 0"},
    {"bars", "x_ + y^^ <> z"},
    {"circle", "C = 2pir"},
};

QString GoldenDir() {
    // Not __FILE__: the compiler cache makes it relative to the build folder.
    return QStringLiteral(LUMBREL_SOURCE_DIR "/tests/text/golden");
}

QImage Render(const char* text, int height = 400) {
    QvEquation eq;
    eq.SetText(QString::fromLatin1(text), &TheEquationOptions());
    QvLogFont font; // Arial, 4 mm unless asked
    font.m_drawHeight = height;
    QImage probe(10, 10, QImage::Format_RGB32);
    probe.setDotsPerMeterX(11811);
    probe.setDotsPerMeterY(11811);
    QvEquationExtent extent;
    {
        CDC dc(&probe);
        dc.SetMapMode(MM_HIMETRIC);
        extent = eq.Measure(&dc, &TheEquationOptions(), &font);
    }
    // 1 mm margins round the measured box (0.01 mm units, 300 dpi).
    const int margin = 100;
    auto px = [](int units) { return int(std::abs(units) * 300LL / 2540) + 1; };
    // Heights carry the y direction: negative where y grows up the page.
    QImage image(px(std::abs(extent.width) + 2 * margin), px(std::abs(extent.height) + 2 * margin),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    eq.Draw(&dc, margin, -margin, &TheEquationOptions(), &font);
    return image;
}

// Grey levels after a 3x3 box blur.
std::vector<int> Blurred(const QImage& image, int w, int h) {
    std::vector<int> out(size_t(w * h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sum = 0, n = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    int xx = x + dx, yy = y + dy;
                    if (xx >= 0 && yy >= 0 && xx < w && yy < h) {
                        sum += qGray(image.pixel(xx, yy));
                        ++n;
                    }
                }
            }
            out[size_t(y * w + x)] = sum / n;
        }
    }
    return out;
}

TEST(EquationGolden, SchoolFormulasMatchTheirReferences) {
    const bool update = qEnvironmentVariableIntValue("LUMBREL_UPDATE_GOLDEN") != 0;
    TheEquationOptions() = QvEquationOptions();
    for (const Formula& f : kFormulas) {
        QImage image = Render(f.text);
        QString path = GoldenDir() + QStringLiteral("/%1.png").arg(QLatin1String(f.name));
        if (update) {
            QDir().mkpath(GoldenDir());
            ASSERT_TRUE(image.save(path)) << path.toStdString();
            continue;
        }
        QImage golden(path);
        ASSERT_FALSE(golden.isNull()) << "no reference " << path.toStdString();
        golden = golden.convertToFormat(QImage::Format_RGB32);
        // A pixel of rounding in the measured size is allowed.
        EXPECT_LE(std::abs(image.width() - golden.width()), 2) << f.name;
        EXPECT_LE(std::abs(image.height() - golden.height()), 2) << f.name;
        int w = std::min(image.width(), golden.width());
        int h = std::min(image.height(), golden.height());
        std::vector<int> a = Blurred(image, w, h), b = Blurred(golden, w, h);
        int differ = 0;
        for (size_t k = 0; k < a.size(); ++k)
            differ += std::abs(a[k] - b[k]) > 48 ? 1 : 0;
        bool same = differ <= int(a.size() / 500);
        EXPECT_TRUE(same) << f.name << ": " << differ << " of " << a.size() << " pixels differ";
        if (!same)
            image.save(QStringLiteral("golden_%1.png").arg(QLatin1String(f.name)));
    }
}

// A radical's sign runs into its bar at 300 dpi: the bar's top row starts
// where the sign's outer edge arrives, with no notch cut out of the corner
// between them.
TEST(EquationGolden, ARadicalsSignMeetsItsBar) {
    TheEquationOptions() = QvEquationOptions();
    for (const char* text : {"sqrt(x)", "sqrt(1/2)", "sqrt(b^2 - 4ac)"}) {
        for (int height : {400, 1000}) {
            SCOPED_TRACE(testing::Message() << text << " " << height);
            const QImage image = Render(text, height);
            // Where a row's ink begins, to a fraction of a pixel: its first
            // pixel covered half or more, less what the pixel before holds.
            const auto cover = [&](int x, int y) {
                return x < 0 ? 0.0 : (255 - qGray(image.pixel(x, y))) / 255.0;
            };
            const auto edge = [&](int y) {
                for (int x = 0; x < image.width(); ++x)
                    if (cover(x, y) >= 0.5)
                        return x - cover(x - 1, y);
                return double(image.width());
            };
            // The bar is the topmost ink; under it, at the left, only the
            // sign's rising stroke, whose outer edge is carried up to the
            // bar's top row.
            int top = 0;
            while (top < image.height() && edge(top) >= image.width())
                ++top;
            ASSERT_LT(top + 8, image.height());
            const double slope = (edge(top + 4) - edge(top + 8)) / 4.0;
            EXPECT_LE(edge(top) - (edge(top + 4) + 4.0 * slope), 0.9);
        }
    }
}

} // namespace

// Metrics come from the surface in logical units, so a formula measures
// the same on the screen, on paper, in an SVG picture and in a PNG at any
// resolution, within a screen pixel.
TEST(EquationGolden, LayoutIsTheSameOnEverySurface) {
    TheEquationOptions() = QvEquationOptions();
    const auto measure = [](const char* text, QPaintDevice* device) {
        QvEquation eq;
        eq.SetText(QString::fromLatin1(text), &TheEquationOptions());
        QvLogFont font;
        CDC dc(device);
        dc.SetMapMode(MM_HIMETRIC);
        return eq.Measure(&dc, &TheEquationOptions(), &font);
    };
    const auto image = [](int dpi) {
        QImage probe(10, 10, QImage::Format_RGB32);
        probe.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        probe.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
        return probe;
    };
    for (const Formula& f : kFormulas) {
        QImage paper = image(300);
        const QvEquationExtent base = measure(f.text, &paper);
        QImage screen = image(96), fine = image(600), finer = image(1200);
        QBuffer svgBytes;
        QSvgGenerator svg;
        svg.setOutputDevice(&svgBytes);
        svg.setSize(QSize(100, 100));
        svg.setResolution(300);
        for (QPaintDevice* device :
             std::initializer_list<QPaintDevice*>{&screen, &fine, &finer, &svg}) {
            const QvEquationExtent e = measure(f.text, device);
            // One 96-dpi pixel is about 26 units.
            EXPECT_NEAR(e.width, base.width, 26) << f.name;
            EXPECT_NEAR(e.height, base.height, 26) << f.name;
            EXPECT_NEAR(e.below, base.below, 26) << f.name;
        }
    }
}
