// Evaluating compiled functions as the plotter does, one point after
// another: SIN(X)^2+3X-1/X and the two-part X=COS(T);Y=SIN(T) at 1,000,000
// points across a window.  The counter gives the time per point.
#include "bench/bench_support.h"
#include "graphs/function.h"
#include "settings/settings.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPoints = 1000000;

void Evaluate(benchmark::State& state, const char* text) {
    QvFunction f;
    f.data.expression = QString::fromLatin1(text);
    f.SetRange(-10.0, 10.0, -10.0, 10.0, 0);
    if (f.Compile() != QvFunction::kFits) {
        state.SkipWithError("the text did not compile");
        return;
    }
    const double step = 20.0 / kPoints;
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < kPoints; ++i) {
            const auto [first, second] = f.Evaluate(-10.0 + i * step);
            sum += first + second;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["per_point"] =
        benchmark::Counter(double(kPoints), benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
}

void BM_EvaluateFunction(benchmark::State& state) {
    Evaluate(state, "SIN(X)^2+3X-1/X");
}
BENCHMARK(BM_EvaluateFunction)->Unit(benchmark::kMillisecond);

void BM_EvaluateTwoPart(benchmark::State& state) {
    Evaluate(state, "X=COS(T);Y=SIN(T)");
}
BENCHMARK(BM_EvaluateTwoPart)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    BenchProfile profile;
    QCoreApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Varnholt Software"));
    app.setApplicationName(QStringLiteral("Lumbrel200"));
    BenchProfile::LoadDefaults();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
