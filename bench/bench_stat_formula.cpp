// What column formulas cost: compiling one, and filling all 26 columns of a
// data set from formulas, each column from the one before it, as the grid
// recomputes a data set: row-local arithmetic, a moving average, ranks and
// fitted values in turn, 500 rows each; and one column from each kind of
// random data.  The default settings of a new
// installation are in force.
#include "bench/bench_support.h"
#include "settings/settings.h"
#include "settings/stat_options.h"
#include "statistics/stat_data.h"
#include "statistics/stat_formula.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const char* const kTexts[] = {
    "ROUND(ZSCORE(A)*10+50,1)",
    "PREDICTY(@,A,B)",
    "2*A+SQRT(ABS(B))-MPA(C,4)/(1+D^2)",
};

void BM_Compile(benchmark::State& state) {
    const QString text = QString::fromLatin1(kTexts[state.range(0)]);
    auto f = std::make_unique<QvStatFormula>();
    for (auto _ : state) {
        f->SetText(text);
        benchmark::DoNotOptimize(f->Compile());
    }
    if (f->Compile() != QvStatFormula::kRead)
        state.SkipWithError("the text was not read whole");
    state.SetLabel(kTexts[state.range(0)]);
}
BENCHMARK(BM_Compile)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// A new formula object, its text and the compile: what the grid does once
// per column fill.
void BM_MakeAndCompile(benchmark::State& state) {
    const QString text = QString::fromLatin1(kTexts[state.range(0)]);
    for (auto _ : state) {
        auto f = std::make_unique<QvStatFormula>();
        f->SetText(text);
        benchmark::DoNotOptimize(f->Compile());
    }
    state.SetLabel(kTexts[state.range(0)]);
}
BENCHMARK(BM_MakeAndCompile)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Column A from the row numbers, then each column from the one before in
// four kinds by turn.
QString FormulaOf(int column) {
    if (column == 0)
        return QStringLiteral("SIN(@*7)*50+@/2");
    const QString prev(QChar(u'A' + column - 1));
    switch (column % 4) {
    case 0:
        return QStringLiteral("ROUND(%1*2+SQRT(ABS(%1)),2)").arg(prev);
    case 1:
        return QStringLiteral("MPA(%1,4)").arg(prev);
    case 2:
        return QStringLiteral("RANKA(%1)").arg(prev);
    default:
        return QStringLiteral("PREDICTY(@,%1,1)").arg(prev);
    }
}

void BM_RecomputeDataSet(benchmark::State& state) {
    auto data = std::make_unique<QvStatData>();
    QString texts[QvStatData::Lettered];
    for (int c = 0; c < QvStatData::Lettered; ++c)
        texts[c] = FormulaOf(c);
    for (auto _ : state) {
        for (int c = 0; c < QvStatData::Lettered; ++c) {
            auto f = std::make_unique<QvStatFormula>();
            f->SetText(texts[c]);
            f->Compile();
            QvStatColumn& column = data->columns[size_t(c)];
            for (int row = 0; row < QvStatColumn::Rows; ++row) {
                column.cells[size_t(row)] = f->Evaluate(data.get(), row, c);
                column.MarkDirty();
            }
        }
        benchmark::DoNotOptimize(data->columns[25].cells[250].value);
    }
    if (data->columns[25].cells[250].count != 1)
        state.SkipWithError("the last column has no value");
}
BENCHMARK(BM_RecomputeDataSet)->Unit(benchmark::kMillisecond);

// One column filled by a generator, 500 rows; the last three are the most
// draws a cell may ask for (about ten thousand each).
const char* const kGenerators[] = {
    "RANDNORMAL(50,10,500)",
    "TSDGEN(12,10,1,0,2,0.5,0.3,0,500)",
    "BIDATAGEN(B,0,100,1,2,0,1,0.9,500)",
    "RANDNEGBINOMIAL(100,0.01,500)",
    "RANDBINOMIAL(10000,0.5,500)",
    "RANDHYPERGEOMETRIC(10000,20000,10000,500)",
};

void BM_FillGenerator(benchmark::State& state) {
    const char* text = kGenerators[state.range(0)];
    auto data = std::make_unique<QvStatData>();
    QvStatColumn& column = data->columns[0];
    for (auto _ : state) {
        auto f = std::make_unique<QvStatFormula>();
        f->SetText(QString::fromLatin1(text));
        f->Compile();
        for (int row = 0; row < QvStatColumn::Rows; ++row)
            column.cells[size_t(row)] = f->Evaluate(data.get(), row, 0);
        column.MarkDirty();
        benchmark::DoNotOptimize(column.cells[499].value);
    }
    if (column.cells[499].count != 1)
        state.SkipWithError("the last row has no value");
    state.SetLabel(text);
}
BENCHMARK(BM_FillGenerator)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

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
