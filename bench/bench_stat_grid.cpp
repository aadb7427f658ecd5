// What the statistics data grid costs: showing a data set whose 26 columns
// are full (every cell's text written, the texts stored back, the visible
// part painted) and pasting 26 x 500 numbers (each cell stored, one undo
// level, the formula columns worked out again).  The grid has a window
// size of 800 by 500 pixels, as the statistics dialog shows it.
#include "bench_support.h"
#include "dialogs/stat_data_grid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<QvStatData> FullData() {
    auto data = std::make_unique<QvStatData>();
    for (int c = 0; c < QvStatData::Lettered; ++c)
        for (int r = 0; r < QvStatColumn::Rows; ++r)
            data->columns[size_t(c)].cells[size_t(r)] = {r * 1.25 + c / 3.0, 1, {}};
    return data;
}

void BM_ShowFullGrid(benchmark::State& state) {
    auto data = FullData();
    QImage screen(800, 500, QImage::Format_RGB32);
    for (auto _ : state) {
        CStatDataGrid grid;
        grid.resize(800, 500);
        grid.SetData(data.get());
        grid.Init();
        QPainter painter(&screen);
        grid.render(&painter);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_ShowFullGrid)->Unit(benchmark::kMillisecond);

void BM_PasteFullGrid(benchmark::State& state) {
    QStringList lines;
    for (int r = 0; r < QvStatColumn::Rows; ++r) {
        QStringList cells;
        for (int c = 0; c < QvStatData::Lettered; ++c)
            cells << QString::number(r * 1.25 + c / 3.0);
        lines << cells.join(u'\t');
    }
    const QString text = lines.join(u'\n');
    auto data = std::make_unique<QvStatData>();
    CStatDataGrid grid;
    grid.resize(800, 500);
    grid.SetData(data.get());
    grid.Init();
    int n = 0;
    for (auto _ : state) {
        // Alternate texts, so that every paste changes every cell.
        grid.SetCurrentCell(0, 0);
        grid.PasteText(n++ % 2 ? text : QString(text).replace(u'5', u'6'));
    }
    if (data->columns[25].cells[499].value == QvStatEmpty)
        state.SkipWithError("the paste did not reach Z500");
}
BENCHMARK(BM_PasteFullGrid)->Unit(benchmark::kMillisecond);

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
