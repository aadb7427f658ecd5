// Saving and opening a drawing of 10,000 figures through a real file, as
// File>Save and File>Open do; opening also at 300, 3,000 and 30,000 figures,
// to show how it grows.
//
//     bench_file --write-drawing big.kw2     writes the 10,000-figure drawing
//     bench_file --resave big.kw2 out.kw2    opens one drawing, saves it again
#include "bench/bench_support.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "platform/archive.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr int kFigures = 10000;

QvFigure* Clicked(int toolId, QvPoint a, QvPoint b) {
    std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(toolId);
    f->TrackCreatePoint(a, {});
    f->CreateClick();
    f->TrackCreatePoint(b, {});
    f->CreateClick();
    return f.release();
}

// Half lines, half circles, spread over the page, written straight into a
// drawing file: adding them one by one would rebuild the snap caches 10,000
// times, which is not what this measures.
void WriteDrawing(const QString& path, int count = kFigures) {
    std::vector<QvFigure*> figures;
    for (int i = 0; i < count; ++i) {
        double x = (i * 37) % 29000, y = (i * 53) % 29000;
        figures.push_back(i % 2
                              ? Clicked(QvFigLine::ToolId, QvPoint(x, y), QvPoint(x + 500, y + 300))
                              : Clicked(QvFigCircleCR::ToolId, QvPoint(x, y), QvPoint(x + 400, y)));
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    {
        CArchive ar(&file, CArchive::store);
        ar << QString::fromLatin1(Lumbrel2Doc::FileMagic) << WORD(1);
        qint32 spacing = 500;
        BYTE isometric = 0;
        ar.Write(&spacing, sizeof spacing);
        ar.Write(&isometric, sizeof isometric);
        SerializeObjectList<QvFigure>(ar, figures);
    }
    for (QvFigure* f : figures)
        delete f;
}

void BM_SaveDrawing(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.kw2"));
    WriteDrawing(path);
    Lumbrel2Doc doc;
    if (!doc.OnOpenDocument(path) || doc.GetFigureCount() != kFigures)
        state.SkipWithError("open failed");
    for (auto _ : state)
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    state.SetItemsProcessed(state.iterations() * kFigures);
}
BENCHMARK(BM_SaveDrawing)->Unit(benchmark::kMillisecond);

// Argument: the figure count.
void BM_OpenDrawing(benchmark::State& state) {
    const int count = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.kw2"));
    WriteDrawing(path, count);
    for (auto _ : state) {
        Lumbrel2Doc doc;
        if (!doc.OnOpenDocument(path) || doc.GetFigureCount() != count)
            state.SkipWithError("open failed");
        state.PauseTiming(); // the destructor is not part of opening
        doc.DeleteContents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_OpenDrawing)
    ->Arg(kFigures)
    ->Arg(300)
    ->Arg(3000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond);

// The peak resident memory so far.  getrusage's figure is brought up to
// date only now and then, /proc's high-water mark on every read.
long PeakKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// On a busy machine the wall clock says more about the others.
double CpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The child's part of BM_OpenInFreshProcess: the empty program's peak, then
// one open, its time and the peak after it.
int OpenOnce(const QString& path) {
    const long empty = PeakKilobytes();
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = CpuMilliseconds();
    Lumbrel2Doc doc;
    const bool opened = doc.OnOpenDocument(path) && doc.GetFigureCount() == kFigures;
    const double ms = timer.nsecsElapsed() / 1e6;
    const double cpu = CpuMilliseconds() - cpuStart;
    std::printf("%d %.3f %ld %ld %.3f\n", opened ? 1 : 0, ms, empty, PeakKilobytes(), cpu);
    std::fflush(stdout);
    QFile::remove(qEnvironmentVariable("LUMBREL_PROFILE"));
    // The figures are not freed one by one: only the open was asked about.
    std::_Exit(0);
}

// Opening as the user does after starting the program: a new process whose
// memory has not yet held a drawing.  Reports the open's own time and the
// peak resident memory it adds to the empty program.
void BM_OpenInFreshProcess(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.kw2"));
    WriteDrawing(path);
    double above = 0;
    double cpu = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open-once"), path});
        child.waitForFinished(-1);
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 5 || fields[0] != "1") {
            state.SkipWithError("open failed");
            break;
        }
        state.SetIterationTime(fields[1].toDouble() / 1000.0);
        above = (fields[3].toDouble() - fields[2].toDouble()) / 1024.0;
        cpu += fields[4].toDouble();
    }
    state.counters["peak_MB_above_empty"] = above;
    state.counters["cpu_ms"] = cpu / std::max<double>(1.0, double(state.iterations()));
}
BENCHMARK(BM_OpenInFreshProcess)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

// Opens `from` and saves it as `to`, so that two builds' files can be
// compared byte for byte.
int Resave(const QString& from, const QString& to) {
    Lumbrel2Doc doc;
    if (!doc.OnOpenDocument(from) || !doc.OnSaveDocument(to))
        return 1;
    std::printf("%d figures\n", doc.GetFigureCount());
    return 0;
}

int main(int argc, char** argv) {
    BenchProfile profile;
    QApplication app(argc, argv);
    BenchProfile::LoadDefaults();
    if (argc == 3 && std::strcmp(argv[1], "--open-once") == 0)
        return OpenOnce(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], "--write-drawing") == 0) {
        WriteDrawing(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--resave") == 0)
        return Resave(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
