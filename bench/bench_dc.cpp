// What drawing through the device context costs over bare QPainter calls:
// 10,000 lines, 1,000 ellipses and 1,000 texts on a 300 mm page at 300 dpi.
#include "platform/string_hashing.h"
#include "platform/dc.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {
constexpr int kSide = 3543;

// A blank page; clearing it is left out of the timing.
QImage& Page(benchmark::State& state) {
    static QImage image = [] {
        QImage page(kSide, kSide, QImage::Format_RGB32);
        page.setDotsPerMeterX(11811);
        page.setDotsPerMeterY(11811);
        return page;
    }();
    state.PauseTiming();
    image.fill(Qt::white);
    state.ResumeTiming();
    return image;
}

// Shape positions in pixels, the same for both runs.
int X(int i) {
    return (i * 7919) % (kSide - 200);
}
int Y(int i) {
    return (i * 104729) % (kSide - 200);
}
} // namespace

// Through CDC in MM_HIMETRIC, as the view draws; coordinates in 0.01 mm.
static void BM_DeviceContext(benchmark::State& state) {
    auto lp = [](int px) { return int(px * 2540LL / 300); };
    for (auto _ : state) {
        QImage& image = Page(state);
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
        CBrush brush(RGB(200, 220, 255));
        LOGFONT log;
        log.lfHeight = -423; // 50 pixels
        std::strncpy(log.lfFaceName, "Arial", LF_FACESIZE - 1);
        CFont font(log);
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        for (int i = 0; i < 10000; ++i) {
            dc.MoveTo(lp(X(i)), -lp(Y(i)));
            dc.LineTo(lp(X(i) + 150), -lp(Y(i) + 90));
        }
        for (int i = 0; i < 1000; ++i)
            dc.Ellipse(lp(X(i)), -lp(Y(i)), lp(X(i) + 120), -lp(Y(i) + 80));
        for (int i = 0; i < 1000; ++i)
            dc.TextOut(lp(X(i)), -lp(Y(i)), "f(x) = 2.5");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DeviceContext)->Unit(benchmark::kMillisecond);

// The same picture with the QPainter calls written out by hand: smooth, the
// thinnest line a 96-dpi pixel wide.
static void BM_BareQPainter(benchmark::State& state) {
    const double line = 300 / 96.0;
    for (auto _ : state) {
        QImage& image = Page(state);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(Qt::black, line);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setMiterLimit(1);
        painter.setPen(pen);
        painter.setBrush(QColor(200, 220, 255));
        QFont font("Liberation Sans");
        font.setPixelSize(50);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setKerning(false);
        painter.setFont(font);
        const int ascent = QFontMetrics(font, &image).ascent();
        for (int i = 0; i < 10000; ++i)
            painter.drawLine(QPointF(X(i) + 0.5, Y(i) + 0.5), QPointF(X(i) + 150.5, Y(i) + 90.5));
        for (int i = 0; i < 1000; ++i)
            painter.drawEllipse(QRectF(X(i) + line / 2, Y(i) + line / 2, 120 - line, 80 - line));
        for (int i = 0; i < 1000; ++i)
            painter.drawText(QPointF(X(i), Y(i) + ascent), QStringLiteral("f(x) = 2.5"));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_BareQPainter)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    UsePlainStringHashing();
    // Fonts need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
