// What recalculating a full statistics column costs: 500 numbers (in a
// shuffled order, and in descending order, the insertion sort's worst) and
// 500 labels, with the default statistics options of a new installation.
// Arguments of the number runs: order (0 shuffled, 1 descending), quartile
// method.
#include "bench/bench_support.h"
#include "settings/settings.h"
#include "settings/stat_options.h"
#include "statistics/stat_column.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_RecalcNumbers(benchmark::State& state) {
    auto c = std::make_unique<QvStatColumn>();
    for (int i = 0; i < QvStatColumn::Rows; ++i) {
        const int k = state.range(0) == 0 ? (i * 7919) % 1009 : QvStatColumn::Rows - i;
        c->cells[size_t(i)] = {k / 10.0, 1 + i % 3, {}};
    }
    const int saved = g_nQuartileMethod;
    g_nQuartileMethod = int(state.range(1));
    for (auto _ : state) {
        c->MarkDirty();
        c->Recalc();
        benchmark::DoNotOptimize(c->median);
    }
    g_nQuartileMethod = saved;
}
BENCHMARK(BM_RecalcNumbers)
    ->ArgNames({"descending", "quartile"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 2})
    ->Unit(benchmark::kMicrosecond);

// Label texts as a class list holds them: names and numbers mixed.
void BM_RecalcLabels(benchmark::State& state) {
    auto c = std::make_unique<QvStatColumn>();
    c->type = QvStatColumn::Label;
    for (int i = 0; i < QvStatColumn::Rows; ++i)
        c->cells[size_t(i)].text = i % 2 ? QStringLiteral("Pupil %1").arg((i * 7919) % 1009)
                                         : QString::number((i * 7919) % 1009);
    for (auto _ : state) {
        c->MarkDirty();
        c->Recalc();
        benchmark::DoNotOptimize(c->sorted[0].row);
    }
}
BENCHMARK(BM_RecalcLabels)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    BenchProfile profile;
    QCoreApplication app(argc, argv);
    BenchProfile::LoadDefaults();
    QvRefreshStatisticsOptions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
