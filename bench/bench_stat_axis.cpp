// What laying out and drawing the two axes of a statistics graph costs:
// Setup and Draw of an x axis (0 to 97, labels "20" to "100") and a broken
// y axis (950 to 1000), at 300 dpi in 0.01 mm units, as a page is printed;
// with the argument grid 1 their grids as well (a new graph's: solid major,
// dotted minor lines, about sixty across the frame).
#include "bench_support.h"
#include "platform/dc.h"
#include "statgraphs/stat_axis.h"
#include "statistics/stat_data.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_StatAxesSetupAndDraw(benchmark::State& state) {
    auto data = std::make_unique<QvStatData>();
    data->properties.xAxis = QStringLiteral("x");
    data->properties.yAxis = QStringLiteral("Mass (g)");
    QImage image(1200, 900, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    for (auto _ : state) {
        QvStatAxis x, y;
        x.Setup(1500, -6500, 9500, -6500, 3, 97, false, false, &dc, data.get(), false);
        y.Setup(1500, -6500, 1500, -500, 950, 1000, false, false, &dc, data.get(), false);
        x.SetGridExtent(-6500, -500);
        y.SetGridExtent(1500, 9500);
        if (state.range(0)) {
            x.DrawGrid(&dc);
            y.DrawGrid(&dc);
        }
        x.Draw(&dc);
        y.Draw(&dc);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_StatAxesSetupAndDraw)->ArgName("grid")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
