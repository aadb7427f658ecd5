// Saving and opening a drawing of 20 statistics graphs, each with all 27
// columns full (500 rows), through a real file as File>Save and File>Open
// do.  Each direction should stay within 100 ms.
#include "bench/bench_support.h"
#include "document/lumbrel2_doc.h"
#include "statgraphs/fig_stat.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kGraphs = 20;

// Graphs side by side, every cell a value with a count, every column named.
void AddGraphs(Lumbrel2Doc& doc) {
    for (int g = 0; g < kGraphs; ++g) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(QvFigStat::ToolId);
        const double x = 1000 + (g % 5) * 5800, y = 1000 + (g / 5) * 7000;
        f->TrackCreatePoint(QvPoint(x, y), {});
        f->CreateClick();
        f->TrackCreatePoint(QvPoint(x + 5000, y + 6000), {});
        f->CreateClick();
        QvStatData& d = static_cast<QvFigStat*>(f.get())->StatData()->m_data;
        for (int c = 0; c < QvStatData::ColumnCount; ++c) {
            QvStatColumn& col = d.columns[size_t(c)];
            col.name = QStringLiteral("Column %1 of graph %2").arg(c).arg(g);
            for (int r = 0; r < QvStatColumn::Rows; ++r)
                col.cells[size_t(r)] = {((r * 7919 + c * 31 + g) % 10007) / 10.0, 1 + r % 4, {}};
            col.MarkDirty();
        }
        doc.AddFigure(f.release());
    }
}

void BM_SaveGraphs(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graphs.kw2"));
    Lumbrel2Doc doc;
    AddGraphs(doc);
    for (auto _ : state)
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    state.SetItemsProcessed(state.iterations() * kGraphs);
}
BENCHMARK(BM_SaveGraphs)->Unit(benchmark::kMillisecond);

void BM_OpenGraphs(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graphs.kw2"));
    {
        Lumbrel2Doc doc;
        AddGraphs(doc);
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    }
    for (auto _ : state) {
        Lumbrel2Doc doc;
        if (!doc.OnOpenDocument(path) || doc.GetFigureCount() != kGraphs)
            state.SkipWithError("open failed");
        state.PauseTiming(); // the destructor is not part of opening
        doc.DeleteContents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kGraphs);
}
BENCHMARK(BM_OpenGraphs)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    BenchProfile profile;
    QApplication app(argc, argv);
    BenchProfile::LoadDefaults();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
