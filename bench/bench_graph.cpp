// Drawing a 280 x 280 mm function graph of ten functions, with grid and
// labels, on paper units at 96 dpi in the default style: a redraw with
// clean functions (the stored samples); a redraw as the figure makes it,
// from a fresh copy of its record, whose functions stay marked for
// compiling; and a first draw by a new engine, in which every function is
// compiled, sampled and analysed.  The same with five of
// the functions made inequalities, whose shadings overlap.  Picking with
// the mouse among the ten analysed functions, each click at a new point so
// that the candidates are gathered again.
#include "bench/bench_support.h"
#include "graphs/graph.h"
#include "platform/dc.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kSide = 28000; // 0.01 mm

std::unique_ptr<QvGraph> TenFunctions(bool inequalities = false, bool autoScale = false) {
    auto g = std::make_unique<QvGraph>();
    QvGraphData& d = g->data;
    d.ShowGrid = 1;
    d.AutoScale = autoScale;
    d.AngleType = 0;
    d.frameTopLeft = CPoint(0, 0);
    d.frameBottomRight = CPoint(kSide, -kSide);
    const char* texts[][2] = {
        {"Y=X^3/20-X", ""},
        {"Y=1/(X-2)", ""},
        {"Y=5SIN(30X)", ""},
        {"R=2", ""},
        {"X=Y^2", ""},
        {"Y=-X+3", "-5<X<2"},
        {"X=7COS(T);Y=7SIN(T)", "0<T<360"},
        {"Y=1/X", ""},
        {"Y=X^2-8", ""},
        {"Y=2+1/X", ""},
    };
    // y of x, polar and x of y curves, one of them hatched.
    const char* shaded[][2] = {
        {"Y>X^3/20-X", ""}, {"Y<1/(X-2)", ""}, {"R<2", ""}, {"X>Y^2", ""}, {"Y<X^2-8", ""},
    };
    const COLORREF colours[] = {RGB(210, 210, 255), RGB(255, 220, 210), RGB(210, 255, 210),
                                RGB(255, 255, 200), RGB(230, 200, 255)};
    for (int i = 0; i < QvGraph::kFunctionCount; ++i) {
        const bool shade = inequalities && i < 5;
        QvGraphDataFunction& f = d.functions[i];
        const char* const* text = shade ? shaded[i] : texts[i];
        f.expression = QString::fromLatin1(text[0]);
        f.rangeText = QString::fromLatin1(text[1]);
        f.dirty = 1;
        if (shade) {
            f.m_ShadeColor = colours[i];
            f.m_ShadeType = i == 3 ? 1 : 0;
            f.m_HatchType = 3;
        }
    }
    d.ShadeAbove = 1;
    return g;
}

QImage Paper() {
    const int side = kSide * 96 / 2540;
    QImage image(side + 2, side + 2, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

void Draw(QvGraph& g, QImage& image) {
    image.fill(Qt::white);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    dc.SetBkMode(TRANSPARENT);
    g.Draw(&dc, FALSE);
}

void BM_GraphRedraw(benchmark::State& state) {
    auto g = TenFunctions();
    QImage image = Paper();
    Draw(*g, image); // compiled and sampled once
    for (auto _ : state)
        Draw(*g, image);
}
BENCHMARK(BM_GraphRedraw)->Unit(benchmark::kMillisecond);

// Each pass draws with an engine that has never drawn.
void FirstDraw(benchmark::State& state, bool inequalities) {
    QImage image = Paper();
    Draw(*TenFunctions(inequalities), image); // fonts made
    for (auto _ : state) {
        state.PauseTiming();
        auto g = TenFunctions(inequalities);
        state.ResumeTiming();
        Draw(*g, image);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}

// What the figure does on every paint: its engine takes a copy of the
// record, where the functions are still marked for compiling.
void FigureRedraw(benchmark::State& state, bool inequalities, bool autoScale = false) {
    auto g = TenFunctions(inequalities, autoScale);
    const QvGraphData record(g->data);
    QImage image = Paper();
    Draw(*g, image);
    for (auto _ : state) {
        g->data.Copy(record);
        Draw(*g, image);
    }
}

void BM_GraphFirstDraw(benchmark::State& state) {
    FirstDraw(state, false);
}
BENCHMARK(BM_GraphFirstDraw)->Unit(benchmark::kMillisecond);

void BM_GraphFigureRedraw(benchmark::State& state) {
    FigureRedraw(state, false);
}
BENCHMARK(BM_GraphFigureRedraw)->Unit(benchmark::kMillisecond);

// The window made to fit the functions (Auto Scale).
void BM_AutoScaledGraphFigureRedraw(benchmark::State& state) {
    FigureRedraw(state, false, true);
}
BENCHMARK(BM_AutoScaledGraphFigureRedraw)->Unit(benchmark::kMillisecond);

void BM_ShadedGraphRedraw(benchmark::State& state) {
    auto g = TenFunctions(true);
    QImage image = Paper();
    Draw(*g, image);
    for (auto _ : state)
        Draw(*g, image);
}
BENCHMARK(BM_ShadedGraphRedraw)->Unit(benchmark::kMillisecond);

void BM_ShadedGraphFirstDraw(benchmark::State& state) {
    FirstDraw(state, true);
}
BENCHMARK(BM_ShadedGraphFirstDraw)->Unit(benchmark::kMillisecond);

void BM_ShadedGraphFigureRedraw(benchmark::State& state) {
    FigureRedraw(state, true);
}
BENCHMARK(BM_ShadedGraphFigureRedraw)->Unit(benchmark::kMillisecond);

void BM_FindPointsAt(benchmark::State& state) {
    auto g = TenFunctions();
    QImage image = Paper();
    Draw(*g, image); // compiled, sampled and analysed
    // Where most curves pass: the origin, and (0, 3) where two lines meet.
    const int x = int(g->XToDevice(0.0)), y0 = int(g->YToDevice(0.0)), y3 = int(g->YToDevice(3.0));
    int k = 0;
    for (auto _ : state) {
        g->FindPointsAt(x + (k & 1), (k & 2) ? y3 : y0);
        ++k;
    }
}
BENCHMARK(BM_FindPointsAt)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    BenchProfile profile;
    QGuiApplication app(argc, argv);
    BenchProfile::LoadDefaults();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
