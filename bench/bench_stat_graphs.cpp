// What drawing a statistics graph costs at 300 dpi in 0.01 mm units, as a
// page is printed: a dot plot of ten columns of 500 values (about 50
// distinct values each, so the stacks are tall) and a box plot of ten
// columns of 500 values with outliers.
#include "bench_support.h"
#include "platform/crt_random.h"
#include "platform/dc.h"
#include "statgraphs/stat_graph.h"
#include "statistics/stat_data.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<QvStatData> TenColumns() {
    auto data = std::make_unique<QvStatData>();
    CrtSrand(7);
    for (int k = 0; k < 10; ++k) {
        QvStatColumn& c = data->columns[size_t(k)];
        for (int r = 0; r < QvStatColumn::Rows; ++r)
            c.cells[size_t(r)] = {double(k + CrtRand() % 50), 1, {}};
        c.cells[0].value = 200; // an outlier
        c.MarkDirty();
        data->properties.dc[size_t(k)] = k;
    }
    return data;
}

void DrawGraph(benchmark::State& state, int type) {
    auto data = TenColumns();
    data->properties.GraphType = type;
    data->properties.BoxPlot_ShowOutliers = 1;
    QImage image(1900, 1300, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    image.fill(Qt::white);
    const QvStatGraphDispatcher dispatcher;
    // The drawers recalculate their columns on every pass, as on every paint.
    for (auto _ : state) {
        dispatcher.DrawGraph(&dc, CRect(300, -300, 15800, -10800), data.get());
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DotPlotTenColumns(benchmark::State& state) {
    DrawGraph(state, QvStatGraphDispatcher::Dot);
}
BENCHMARK(BM_DotPlotTenColumns)->Unit(benchmark::kMillisecond);

void BM_BoxPlotTenColumns(benchmark::State& state) {
    DrawGraph(state, QvStatGraphDispatcher::Box);
}
BENCHMARK(BM_BoxPlotTenColumns)->Unit(benchmark::kMillisecond);

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
