// What the drawing window costs: a full repaint of a drawing of 1,000 lines
// and circles at screen size, and the repaint of one mouse move that drags
// the select tool's rectangle over the cached page.
#include "document/lumbrel2_doc.h"
#include "document/lumbrel2_view.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QvFigure* Make(int tool, QvPoint a, QvPoint b) {
    std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(tool);
    f->TrackCreatePoint(a, {});
    f->CreateClick();
    f->TrackCreatePoint(b, {});
    f->CreateClick();
    return f.release();
}

// 500 lines and 500 circles spread over the page, viewed at 96 ppi.
struct Drawing {
    Lumbrel2Doc doc;
    Lumbrel2View view;
    QImage screen{1280, 1024, QImage::Format_RGB32};

    Drawing() {
        for (int i = 0; i < 500; ++i) {
            double x = (i * 7919) % 27000 + 1000, y = (i * 104729) % 27000 + 1000;
            doc.AddFigure(Make(QvFigLine::ToolId, QvPoint(x, y), QvPoint(x + 1500, y + 900)));
            doc.AddFigure(
                Make(QvFigCircleCR::ToolId, QvPoint(y, x), QvPoint(y + 300 + i % 700, x)));
        }
        doc.AddView(&view);
        view.SetPixelsPerInch(96);
        view.OnInitialUpdate();
    }
    void Paint() {
        QPainter painter(&screen);
        view.PaintCanvas(painter, QRect(0, 0, 1135, 1024));
    }
};

Drawing& TheDrawing() {
    static Drawing* drawing = new Drawing;
    return *drawing;
}
} // namespace

// The document changed: the whole page is drawn again, then shown.
static void BM_FullRepaint(benchmark::State& state) {
    Drawing& d = TheDrawing();
    for (auto _ : state) {
        d.view.OnUpdate(nullptr, 0, nullptr);
        d.Paint();
        benchmark::DoNotOptimize(d.screen.constBits());
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// The mouse moved with the select tool's rectangle: only the rectangle's
// old and new area is painted, from the cached page.
static void BM_RubberBandMove(benchmark::State& state) {
    Drawing& d = TheDrawing();
    d.view.PageImage();
    // Above every figure, so the press starts a rectangle.
    const CPoint press(100, 29900);
    d.view.OnLButtonDown(Qt::NoModifier, press);
    if (!d.view.GetNewFigure()) {
        state.SkipWithError("the press did not start a select rectangle");
        return;
    }
    int i = 0;
    QRect previous;
    for (auto _ : state) {
        int step = (i++ % 200) * 20;
        CPoint corner(9000 + step, 18000 - step);
        d.view.OnMouseMove(Qt::NoModifier, corner);
        QRect now = d.view.LogicalToCanvas(CRect(press, corner));
        QRect area = now.united(previous).adjusted(-2, -2, 2, 2);
        previous = now;
        QPainter painter(&d.screen);
        d.view.PaintCanvas(painter, area);
        benchmark::DoNotOptimize(d.screen.constBits());
    }
    d.view.OnLButtonUp(Qt::NoModifier, press);
}
BENCHMARK(BM_RubberBandMove)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // A widget application for the view; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
