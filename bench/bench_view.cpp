// What the drawing window costs: a full repaint of a drawing of lines and
// circles at screen size, in the default style and with every circle
// hatched, and the repaint of one mouse move that drags the select tool's
// rectangle over the cached page.  The repaint's argument is the figure
// count (1,000 is the page the goals speak of; 300 to 30,000 show how it
// grows).
#include "bench/bench_support.h"
#include "document/lumbrel2_doc.h"
#include "document/lumbrel2_view.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "platform/command_ids.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <map>
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

// Half lines, half circles spread over the page, viewed at 96 ppi; the
// circles take `fill`.
struct Drawing {
    Lumbrel2Doc doc;
    Lumbrel2View view;
    QImage screen{1280, 1024, QImage::Format_RGB32};

    Drawing(int figures, UINT fill) {
        QvSettings& s = TheSettings();
        const int fillType = s.m_CurFillType.GetValue();
        const int level = s.m_MADLevel.GetValue();
        s.m_MADLevel.SetValue(0); // no snap upkeep while building
        s.m_CurFillType.SetValue(int(fill));
        for (int i = 0; i < figures / 2; ++i) {
            double x = (i * 7919) % 27000 + 1000, y = (i * 104729) % 27000 + 1000;
            doc.AddFigure(Make(QvFigLine::ToolId, QvPoint(x, y), QvPoint(x + 1500, y + 900)));
            doc.AddFigure(
                Make(QvFigCircleCR::ToolId, QvPoint(y, x), QvPoint(y + 300 + i % 700, x)));
        }
        s.m_CurFillType.SetValue(fillType);
        s.m_MADLevel.SetValue(level);
        doc.AddView(&view);
        view.SetPixelsPerInch(96);
        view.OnInitialUpdate();
    }
    void Paint() {
        QPainter painter(&screen);
        view.PaintCanvas(painter, QRect(0, 0, 1135, 1024));
    }
};

Drawing& TheDrawing(int figures, UINT fill) {
    static std::map<std::pair<int, UINT>, std::unique_ptr<Drawing>> drawings;
    std::unique_ptr<Drawing>& d = drawings[{figures, fill}];
    if (!d)
        d = std::make_unique<Drawing>(figures, fill);
    return *d;
}

void Repaint(benchmark::State& state, UINT fill) {
    Drawing& d = TheDrawing(int(state.range(0)), fill);
    for (auto _ : state) {
        d.view.OnUpdate(nullptr, 0, nullptr);
        d.Paint();
        benchmark::DoNotOptimize(d.screen.constBits());
    }
}
} // namespace

// The document changed: the whole page is drawn again, then shown.  The
// circles have the default fill (none).
static void BM_FullRepaint(benchmark::State& state) {
    Repaint(state, UINT(TheSettings().m_CurFillType.GetValue()));
}
BENCHMARK(BM_FullRepaint)
    ->Arg(1000)
    ->Arg(300)
    ->Arg(3000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond);

// The same with every circle hatched diagonally.
static void BM_FullRepaintHatched(benchmark::State& state) {
    Repaint(state, ID_FILL_DIAGONAL);
}
BENCHMARK(BM_FullRepaintHatched)->Arg(1000)->Unit(benchmark::kMillisecond);

// The mouse moved with the select tool's rectangle: only the rectangle's
// old and new area is painted, from the cached page.
static void BM_RubberBandMove(benchmark::State& state) {
    Drawing& d = TheDrawing(1000, UINT(TheSettings().m_CurFillType.GetValue()));
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
    BenchProfile profile;
    // A widget application for the view; no window is ever shown.
    QApplication app(argc, argv);
    BenchProfile::LoadDefaults();
    // The two pages painted once into `prefix`-plain.png and -hatched.png,
    // so that two builds' pictures can be compared.
    if (argc == 3 && qstrcmp(argv[1], "--paint") == 0) {
        const QString prefix = QString::fromLocal8Bit(argv[2]);
        Drawing& plain = TheDrawing(1000, UINT(TheSettings().m_CurFillType.GetValue()));
        plain.Paint();
        Drawing& hatched = TheDrawing(1000, ID_FILL_DIAGONAL);
        hatched.Paint();
        return plain.screen.save(prefix + QStringLiteral("-plain.png")) &&
                       hatched.screen.save(prefix + QStringLiteral("-hatched.png"))
                   ? 0
                   : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
