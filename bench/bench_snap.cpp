// What snapping costs on drawings of lines and circles (two lines to each
// circle; 300 figures is the drawing of 200 lines and 100 circles), in the
// default style: the cache upkeep after a change, and the snap search at the
// pointer.  Arguments: figure count, mathematical-drawing mode.
#include "bench/bench_support.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "geometry/snap_kind.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

int g_mode = 3;
Lumbrel2App* g_app = nullptr;

QvFigure* Make(int tool, QvPoint a, QvPoint b) {
    std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(tool);
    f->TrackCreatePoint(a, {});
    f->CreateClick();
    f->TrackCreatePoint(b, {});
    f->CreateClick();
    return f.release();
}

// Built with the caches off, so that setting up costs no upkeep over the
// growing drawing per figure; the caches are built once at the end.
std::unique_ptr<Lumbrel2Doc> Finish(std::unique_ptr<Lumbrel2Doc> doc, int mode) {
    g_mode = mode;
    doc->RebuildPointCaches();
    return doc;
}

// Lines of 2 to 8 cm at assorted angles and circles of 3 to 10 mm radius,
// spread over the page.
std::unique_ptr<Lumbrel2Doc> MakeDrawing(int figures) {
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
    return Finish(std::move(doc), mode);
}

// Half the lines across the page one way, half the other, each crossing
// every line of the other half: n²/4 crossings.
std::unique_ptr<Lumbrel2Doc> MakeCrossingLines(int lines) {
    const int mode = g_mode;
    g_mode = 0;
    auto doc = std::make_unique<Lumbrel2Doc>();
    const int half = lines / 2;
    for (int i = 0; i < half; ++i) {
        double t = 1000.0 + 28000.0 * i / half;
        doc->AddFigure(Make(QvFigLine::ToolId, QvPoint(500, t), QvPoint(29500, t + 300)));
        doc->AddFigure(Make(QvFigLine::ToolId, QvPoint(t, 500), QvPoint(t + 300, 29500)));
    }
    return Finish(std::move(doc), mode);
}

struct Setup {
    explicit Setup(const benchmark::State& state, UINT tool = ID_DRAW_SELECT) {
        g_mode = int(state.range(1));
        QvSetMADLevelReader([] { return g_mode; });
        g_app->m_nCurrentTool = tool;
    }
    ~Setup() {
        QvSetMADLevelReader(nullptr);
        g_app->m_nCurrentTool = ID_DRAW_SELECT;
    }
};

void Counters(benchmark::State& state, const Lumbrel2Doc& doc) {
    state.counters["points"] = doc.CharacteristicPoints().GetCount();
    state.counters["shapes"] = doc.FigureShapes().GetCount();
}

// The pointer walks the page in a fixed pattern.
QvPoint Pointer(int i) {
    return QvPoint(1000 + (i * 7013) % 28000, 1000 + (i * 3019) % 28000);
}

std::unique_ptr<QvFigure> LineFrom(QvPoint from) {
    std::unique_ptr<QvFigure> line = QvFigure::CreateForTool(QvFigLine::ToolId);
    line->TrackCreatePoint(from, {});
    line->CreateClick();
    return line;
}

} // namespace

// The whole caches rebuilt, as after opening or pasting, with the Line tool
// chosen (so circle pairs offer their common tangents).
static void BM_RebuildLineTool(benchmark::State& state) {
    Setup setup(state, QvFigLine::ToolId);
    auto doc = MakeDrawing(int(state.range(0)));
    for (auto _ : state)
        doc->RebuildPointCaches();
    Counters(state, *doc);
}

// One figure added to a drawing of n - 1 with the Line tool chosen: the
// caches follow (the figure is taken out again untimed).
static void BM_AddOneFigure(benchmark::State& state) {
    Setup setup(state, QvFigLine::ToolId);
    auto doc = MakeDrawing(int(state.range(0)) - 1);
    int i = 0;
    for (auto _ : state) {
        const double x = 1000 + (i * 977) % 27000;
        QvFigure* f = Make(QvFigLine::ToolId, QvPoint(x, 1000), QvPoint(29000 - x, 29000));
        doc->AddFigure(f);
        state.PauseTiming();
        std::unique_ptr<QvFigure> taken = doc->TakeFigure(f);
        doc->RebuildPointCaches();
        state.ResumeTiming();
        ++i;
    }
    Counters(state, *doc);
}

// The pointer moves: one search with nothing being drawn.
static void BM_SnapSearch(benchmark::State& state) {
    Setup setup(state);
    auto doc = MakeDrawing(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        const QvPoint p = Pointer(i++);
        benchmark::DoNotOptimize(doc->FindSnapPoint(int(p.x), int(p.y), g_mode, nullptr, 1, {}));
    }
    Counters(state, *doc);
}

// The pointer moves while a line is drawn with the Line tool: the
// constructions through its start and their crossings with every figure
// join the search.
static void BM_SnapSearchDrawingALine(benchmark::State& state) {
    Setup setup(state, QvFigLine::ToolId);
    auto doc = MakeDrawing(int(state.range(0)));
    std::unique_ptr<QvFigure> line = LineFrom(QvPoint(15000, 15000));
    int i = 0;
    for (auto _ : state) {
        const QvPoint p = Pointer(i++);
        benchmark::DoNotOptimize(doc->FindSnapPoint(int(p.x), int(p.y), g_mode, line.get(), 1, {}));
    }
    Counters(state, *doc);
}

#define SNAP_ARGS ArgsProduct({{300, 1000, 3000}, {2, 3}})->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_RebuildLineTool)->SNAP_ARGS;
BENCHMARK(BM_AddOneFigure)->SNAP_ARGS;
BENCHMARK(BM_SnapSearch)->SNAP_ARGS;
BENCHMARK(BM_SnapSearchDrawingALine)->SNAP_ARGS;

// Lines that all cross, at the unlimited level: building the caches (as
// opening does), one line moved as an undoable edit, and a search while a
// line is drawn.  Argument: line count.
static void BM_CrossingLinesBuild(benchmark::State& state) {
    g_mode = 3;
    QvSetMADLevelReader([] { return g_mode; });
    auto doc = MakeCrossingLines(int(state.range(0)));
    for (auto _ : state)
        doc->RebuildPointCaches();
    Counters(state, *doc);
    QvSetMADLevelReader(nullptr);
}

// Opening the drawing of crossing lines from a file at the unlimited level.
static void BM_CrossingLinesOpen(benchmark::State& state) {
    g_mode = 3;
    QvSetMADLevelReader([] { return g_mode; });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("crossing.kw2"));
    if (!MakeCrossingLines(int(state.range(0)))->OnSaveDocument(path))
        state.SkipWithError("save failed");
    for (auto _ : state) {
        Lumbrel2Doc doc;
        if (!doc.OnOpenDocument(path) || doc.GetFigureCount() != int(state.range(0)))
            state.SkipWithError("open failed");
        state.PauseTiming();
        doc.DeleteContents();
        state.ResumeTiming();
    }
    QvSetMADLevelReader(nullptr);
}

static void BM_CrossingLinesMoveOne(benchmark::State& state) {
    g_mode = 3;
    QvSetMADLevelReader([] { return g_mode; });
    auto doc = MakeCrossingLines(int(state.range(0)));
    doc->AddToSelection(doc->GetFigure(doc->GetFigureCount() / 2));
    double step = 10;
    for (auto _ : state) {
        doc->MoveSelection(QvVector(step, 0));
        step = -step;
    }
    Counters(state, *doc);
    QvSetMADLevelReader(nullptr);
}

static void BM_CrossingLinesSearch(benchmark::State& state) {
    g_mode = 3;
    QvSetMADLevelReader([] { return g_mode; });
    auto doc = MakeCrossingLines(int(state.range(0)));
    std::unique_ptr<QvFigure> line = LineFrom(QvPoint(15000, 15000));
    int i = 0;
    for (auto _ : state) {
        const QvPoint p = Pointer(i++);
        benchmark::DoNotOptimize(doc->FindSnapPoint(int(p.x), int(p.y), 3, line.get(), 1, {}));
    }
    Counters(state, *doc);
    QvSetMADLevelReader(nullptr);
}

BENCHMARK(BM_CrossingLinesBuild)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CrossingLinesOpen)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CrossingLinesMoveOne)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CrossingLinesSearch)->Arg(2000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    BenchProfile profile;
    QApplication qapp(argc, argv);
    BenchProfile::LoadDefaults();
    Lumbrel2App app; // the snap search reports to the application
    g_app = &app;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
