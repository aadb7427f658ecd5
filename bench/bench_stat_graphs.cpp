// What drawing a statistics graph costs, drawer alone: a stem and leaf plot
// of 500 values (one decimal, 0 to 99.9: fifteen stems of tens with the
// units as leaves), and back to back with a second column of 500, at 300 dpi
// in 0.01 mm units, as a page is printed.
#include "bench_support.h"
#include "platform/dc.h"
#include "statgraphs/drawers/stat_graph_stem_leaf.h"
#include "statistics/stat_data.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_StemLeaf500(benchmark::State& state) {
    auto data = std::make_unique<QvStatData>();
    QvStatProperties& p = data->properties;
    p.GraphType = 7;
    p.Title = QStringLiteral("Reaction times");
    p.dc = {0, state.range(0) ? 1 : -1, -1, -1, -1, -1, -1, -1, -1, -1};
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < QvStatColumn::Rows; ++r)
            data->columns[size_t(c)].cells[size_t(r)] = {((r * 337 + c * 101) % 1000) / 10.0, 1, {}};
        data->columns[size_t(c)].MarkDirty();
    }
    QImage image(2400, 3500, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    QvStatGraphStemLeaf drawer;
    drawer.SetData(data.get());
    for (auto _ : state) {
        drawer.Draw(&dc, CRect(0, 0, 20000, -29000));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_StemLeaf500)->ArgName("back_to_back")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
