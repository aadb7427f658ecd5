// What the full one-variable report of a column of 500 values costs: the
// statistics, the report text, the text placed in a document and its
// markup applied, with the default statistics options of a new
// installation.  Argument: 1 also lays the document out, as a report
// window must before it shows it.
//
// And the two-variable report of the dialog on 500 pairs: the linear fit,
// the report text, the text poured into a document and its markup applied.
#include "bench/bench_support.h"
#include "dialogs/stat_graph_dlg.h"
#include "settings/settings.h"
#include "settings/stat_options.h"
#include "statistics/stat_column.h"
#include "statistics/stat_data.h"
#include "statistics/stat_fit.h"
#include "statistics/stat_rich_text.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_FullReport(benchmark::State& state) {
    auto c = std::make_unique<QvStatColumn>();
    c->name = QStringLiteral("Height");
    c->symbol = QStringLiteral("h");
    for (int i = 0; i < QvStatColumn::Rows; ++i)
        c->cells[size_t(i)] = {((i * 7919) % 1009) / 10.0, 1, {}};
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(10);
    for (auto _ : state) {
        c->MarkDirty();
        c->Recalc();
        QString text;
        QvStatRichText markup;
        c->WriteFullReport(text, markup);
        QTextDocument doc;
        doc.setDefaultFont(font);
        doc.setPlainText(text);
        markup.ApplyMarkup(doc);
        if (state.range(0))
            benchmark::DoNotOptimize(doc.size());
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(BM_FullReport)->ArgName("layout")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TwoVariableReport(benchmark::State& state) {
    auto data = std::make_unique<QvStatData>();
    data->columns[0].symbol = QStringLiteral("A");
    data->columns[1].symbol = QStringLiteral("B");
    data->columns[1].name = QStringLiteral("Weight");
    for (int i = 0; i < QvStatColumn::Rows; ++i) {
        data->columns[0].cells[size_t(i)] = {i / 5.0, 1, {}};
        data->columns[1].cells[size_t(i)] = {3.0 + 2.0 * i / 5.0 + ((i * 7919) % 101) / 10.0, 1, {}};
    }
    for (auto _ : state) {
        data->columns[0].MarkDirty();
        data->columns[1].MarkDirty();
        const QString text =
            CStatGraphDlg::BuildTwoVariableReport(*data, 0, 1, QvStatFit::Linear);
        QTextDocument doc;
        CStatGraphDlg::PourReport(doc, text);
        if (state.range(0))
            benchmark::DoNotOptimize(doc.size());
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(BM_TwoVariableReport)->ArgName("layout")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    BenchProfile profile;
    QGuiApplication app(argc, argv);
    BenchProfile::LoadDefaults();
    QvRefreshStatisticsOptions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
