// Redrawing a statistics graph into a page image at screen resolution, as
// the view repaints it: a column graph of 10 series of 500 rows in a
// 120 x 80 mm frame, with its legend, labels and grid.  Should stay within
// 5 ms.  Later drawers add their graph types here: a histogram of 500
// values and a cumulative frequency graph and frequency polygon of three
// columns of 500 should stay within 3 ms; the dot plot of the ten columns
// (5000 stacks, the full table) within 5 ms and their box plot within 3 ms,
// each recalculating its columns as on every paint; a scatter graph of 500
// points with its line of regression and residuals within 4 ms, and a line
// graph of three columns of 500 with a moving average within 6 ms.
//
// A stem and leaf plot of 500 values (one decimal, 0 to 99.9: fifteen stems
// of tens with the units as leaves), alone and back to back with a second
// column of 500, at 300 dpi as a page is printed: within 3 ms.
#include "bench_support.h"
#include "platform/dc.h"
#include "statgraphs/drawers/stat_graph_stem_leaf.h"
#include "statgraphs/stat_graph.h"
#include "statistics/stat_data.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Ten named columns of 500 values, labels in column K.
std::unique_ptr<QvStatData> TenSeries(int graphType) {
    auto data = std::make_unique<QvStatData>();
    QvStatProperties& p = data->properties;
    p.GraphType = graphType;
    p.Title = QStringLiteral("Ten series");
    for (int c = 0; c < QvStatProperties::Series; ++c) {
        p.dc[size_t(c)] = c;
        QvStatColumn& column = data->columns[size_t(c)];
        column.name = QStringLiteral("Series %1").arg(c + 1);
        for (int r = 0; r < QvStatColumn::Rows; ++r)
            column.cells[size_t(r)] = {double((r * 7919 + c * 31) % 1000) / 10.0, 1, {}};
        column.MarkDirty();
    }
    for (int r = 0; r < QvStatColumn::Rows; ++r)
        data->columns[10].cells[size_t(r)].text = QStringLiteral("Row %1").arg(r + 1);
    p.Label1 = QStringLiteral("K");
    p.LabelCol1 = 10;
    return data;
}

// The first `series` columns in use, with the legend.
std::unique_ptr<QvStatData> FirstSeries(int graphType, int series) {
    std::unique_ptr<QvStatData> data = TenSeries(graphType);
    QvStatProperties& p = data->properties;
    for (int c = 0; c < QvStatProperties::Series; ++c)
        p.dc[size_t(c)] = c < series ? c : -1;
    p.CFPlot_Legend = p.FreqPoly_Legend = 1;
    return data;
}

void Redraw(benchmark::State& state, QvStatData* data) {
    QImage page(600, 400, QImage::Format_RGB32);
    const QvStatGraphDispatcher dispatcher;
    for (auto _ : state) {
        page.fill(Qt::white);
        CDC dc(&page);
        dc.SetDeviceResolution(96, 96);
        dc.SetMapMode(MM_HIMETRIC);
        dc.SetWindowOrg(0, 10000);
        dispatcher.DrawGraph(&dc, CRect(1000, 9500, 13000, 1500), data);
        benchmark::DoNotOptimize(page.constBits());
    }
}

void RedrawGraph(benchmark::State& state, int graphType) {
    std::unique_ptr<QvStatData> data = TenSeries(graphType);
    Redraw(state, data.get());
}

void BM_RedrawColumnGraph(benchmark::State& state) {
    RedrawGraph(state, QvStatGraphDispatcher::Column);
}
BENCHMARK(BM_RedrawColumnGraph)->Unit(benchmark::kMillisecond);

void BM_RedrawBarGraph(benchmark::State& state) {
    RedrawGraph(state, QvStatGraphDispatcher::Bar);
}
BENCHMARK(BM_RedrawBarGraph)->Unit(benchmark::kMillisecond);

void BM_RedrawHistogram(benchmark::State& state) {
    std::unique_ptr<QvStatData> data = FirstSeries(QvStatGraphDispatcher::Histo, 1);
    Redraw(state, data.get());
}
BENCHMARK(BM_RedrawHistogram)->Unit(benchmark::kMillisecond);

void BM_RedrawCumulativeFrequencyGraph(benchmark::State& state) {
    std::unique_ptr<QvStatData> data = FirstSeries(QvStatGraphDispatcher::Cum, 3);
    Redraw(state, data.get());
}
BENCHMARK(BM_RedrawCumulativeFrequencyGraph)->Unit(benchmark::kMillisecond);

void BM_RedrawFrequencyPolygon(benchmark::State& state) {
    std::unique_ptr<QvStatData> data = FirstSeries(QvStatGraphDispatcher::Freq, 3);
    Redraw(state, data.get());
}
BENCHMARK(BM_RedrawFrequencyPolygon)->Unit(benchmark::kMillisecond);

void BM_RedrawDotPlot(benchmark::State& state) {
    RedrawGraph(state, QvStatGraphDispatcher::Dot);
}
BENCHMARK(BM_RedrawDotPlot)->Unit(benchmark::kMillisecond);

void BM_RedrawBoxPlot(benchmark::State& state) {
    RedrawGraph(state, QvStatGraphDispatcher::Box);
}
BENCHMARK(BM_RedrawBoxPlot)->Unit(benchmark::kMillisecond);

void BM_RedrawScatterGraph(benchmark::State& state) {
    std::unique_ptr<QvStatData> data = FirstSeries(QvStatGraphDispatcher::Scatter, 2);
    QvStatProperties& p = data->properties;
    p.LineOfReg = p.Residuals = 1;
    // Points near a line, so the fit and the residuals are ordinary.
    for (int r = 0; r < QvStatColumn::Rows; ++r)
        data->columns[1].cells[size_t(r)].value =
            data->columns[0].cells[size_t(r)].value * 0.8 + double(r % 13);
    data->columns[1].MarkDirty();
    Redraw(state, data.get());
}
BENCHMARK(BM_RedrawScatterGraph)->Unit(benchmark::kMillisecond);

void BM_RedrawLineGraph(benchmark::State& state) {
    std::unique_ptr<QvStatData> data = FirstSeries(QvStatGraphDispatcher::Line, 3);
    QvStatProperties& p = data->properties;
    p.Line_Legend = 1;
    p.Smoothing = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    p.CycleLen = 4;
    for (int c = 0; c < 3; ++c)
        data->columns[size_t(c)].symbol = QString(QChar(u'A' + c));
    Redraw(state, data.get());
}
BENCHMARK(BM_RedrawLineGraph)->Unit(benchmark::kMillisecond);

// Every value a row of pictures: 5000 values, about 25 000 pictures.
void BM_RedrawPictogram(benchmark::State& state) {
    RedrawGraph(state, QvStatGraphDispatcher::Pictogram);
}
BENCHMARK(BM_RedrawPictogram)->Unit(benchmark::kMillisecond);

void BM_StemLeaf500(benchmark::State& state) {
    auto data = std::make_unique<QvStatData>();
    QvStatProperties& p = data->properties;
    p.GraphType = QvStatGraphDispatcher::StemLeaf;
    p.Title = QStringLiteral("Reaction times");
    p.dc = {0, state.range(0) ? 1 : -1, -1, -1, -1, -1, -1, -1, -1, -1};
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < QvStatColumn::Rows; ++r)
            data->columns[size_t(c)].cells[size_t(r)] = {((r * 337 + c * 101) % 1000) / 10.0, 1, {}};
        data->columns[size_t(c)].MarkDirty();
    }
    QImage page(2400, 3500, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    CDC dc(&page);
    dc.SetMapMode(MM_HIMETRIC);
    QvStatGraphStemLeaf drawer;
    drawer.SetData(data.get());
    for (auto _ : state) {
        drawer.Draw(&dc, CRect(0, 0, 20000, -29000));
        benchmark::DoNotOptimize(page.constBits());
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
