// What snapping costs: the cache rebuild that follows adding one figure,
// and one snap search at the pointer, on drawings of lines and circles (two
// lines to each circle; 300 figures is the drawing of 200 lines and 100
// circles).  Arguments: figure count, mathematical-drawing mode.
#include "document/lumbrel2_doc.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "geometry/snap_kind.h"
#include "shell/lumbrel2_app.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

int g_mode = 3;

QvFigure* Make(int tool, QvPoint a, QvPoint b) {
    QvFigure* f = QvFigure::CreateForTool(tool);
    f->TrackCreatePoint(a);
    f->CreateClick();
    f->TrackCreatePoint(b);
    f->CreateClick();
    return f;
}

// Lines of 2 to 8 cm at assorted angles and circles of 3 to 10 mm radius,
// spread over the page.
std::unique_ptr<Lumbrel2Doc> MakeDrawing(int figures) {
    // Built with the caches off, so that setting up costs no rebuild over
    // the growing drawing per figure.
    const int mode = g_mode;
    g_mode = 0;
    auto doc = std::make_unique<Lumbrel2Doc>();
    for (int i = 0; i < figures; ++i) {
        double x = (i * 7919) % 26000 + 2000, y = (i * 104729) % 26000 + 2000;
        QvFigure* f;
        if (i % 3 == 2) {
            f = Make(QvFigCircleCR::ToolId, QvPoint(x, y), QvPoint(x + 300 + (i * 37) % 700, y));
        } else {
            double dx = 2000 + (i * 613) % 6000, dy = ((i * 331) % 8000) - 4000;
            f = Make(QvFigLine::ToolId, QvPoint(x - dx / 2, y - dy / 2),
                     QvPoint(x + dx / 2, y + dy / 2));
        }
        doc->AddFigure(f);
    }
    g_mode = mode;
    doc->RebuildPointCaches();
    return doc;
}

struct Setup {
    Setup(const benchmark::State& state) {
        g_mode = int(state.range(1));
        QvSetMADLevelReader([] { return g_mode; });
    }
    ~Setup() { QvSetMADLevelReader(nullptr); }
};

void Counters(benchmark::State& state, const Lumbrel2Doc& doc) {
    state.counters["points"] = doc.CharacteristicPoints().GetCount();
    state.counters["intersections"] = doc.Intersections().GetCount();
}

} // namespace

// A figure was added: the caches are rebuilt over the whole drawing.
static void BM_RebuildAfterAdd(benchmark::State& state) {
    Setup setup(state);
    auto doc = MakeDrawing(int(state.range(0)) - 1);
    doc->AddFigure(Make(QvFigLine::ToolId, QvPoint(1000, 1000), QvPoint(29000, 29000)));
    for (auto _ : state)
        doc->RebuildPointCaches();
    Counters(state, *doc);
}

// The pointer moves: one search with nothing being drawn.
static void BM_SnapSearch(benchmark::State& state) {
    Setup setup(state);
    auto doc = MakeDrawing(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        int x = 1000 + (i * 7013) % 28000, y = 1000 + (i * 3019) % 28000;
        benchmark::DoNotOptimize(doc->FindSnapPoint(x, y, g_mode, nullptr, 1));
        ++i;
    }
    Counters(state, *doc);
}

// The pointer moves while a line is drawn: the constructions through its
// start and their crossings with every figure join the search.
static void BM_SnapSearchDrawingALine(benchmark::State& state) {
    Setup setup(state);
    auto doc = MakeDrawing(int(state.range(0)));
    std::unique_ptr<QvFigure> line(QvFigure::CreateForTool(QvFigLine::ToolId));
    line->TrackCreatePoint(QvPoint(15000, 15000));
    line->CreateClick();
    int i = 0;
    for (auto _ : state) {
        int x = 1000 + (i * 7013) % 28000, y = 1000 + (i * 3019) % 28000;
        benchmark::DoNotOptimize(doc->FindSnapPoint(x, y, g_mode, line.get(), 1));
        ++i;
    }
    Counters(state, *doc);
}

#define SNAP_ARGS ArgsProduct({{100, 300, 1000}, {2, 3}})->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_RebuildAfterAdd)->SNAP_ARGS;
BENCHMARK(BM_SnapSearch)->SNAP_ARGS;
BENCHMARK(BM_SnapSearchDrawingALine)->SNAP_ARGS;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    Lumbrel2App app; // the snap search reports to the application
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
