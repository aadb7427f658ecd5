// Drawing a 280 x 280 mm function graph of ten functions, with grid and
// labels, on paper units at 96 dpi in the default style: a redraw with
// clean functions (the stored samples), and a first draw in which every
// function is compiled and sampled again.
#include "bench/bench_support.h"
#include "graphs/graph.h"
#include "platform/dc.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kSide = 28000; // 0.01 mm

std::unique_ptr<QvGraph> TenFunctions() {
    auto g = std::make_unique<QvGraph>();
    QvGraphData& d = g->data;
    d.ShowGrid = 1;
    d.AutoScale = 0;
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
    for (int i = 0; i < QvGraph::kFunctionCount; ++i) {
        d.functions[i].expression = QString::fromLatin1(texts[i][0]);
        d.functions[i].rangeText = QString::fromLatin1(texts[i][1]);
        d.functions[i].dirty = 1;
    }
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

void BM_GraphFirstDraw(benchmark::State& state) {
    auto g = TenFunctions();
    QImage image = Paper();
    Draw(*g, image); // fonts made
    for (auto _ : state) {
        for (QvGraphDataFunction& f : g->data.functions)
            f.dirty = 1;
        Draw(*g, image);
    }
}
BENCHMARK(BM_GraphFirstDraw)->Unit(benchmark::kMillisecond);

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
