// Saving and opening a drawing of 10,000 figures through a real file, as
// File>Save and File>Open do.
#include "document/lumbrel2_doc.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "platform/archive.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFigures = 10000;

QvFigure* Clicked(int toolId, QvPoint a, QvPoint b) {
    QvFigure* f = QvFigure::CreateForTool(toolId);
    f->TrackCreatePoint(a);
    f->CreateClick();
    f->TrackCreatePoint(b);
    f->CreateClick();
    return f;
}

// Half lines, half circles, spread over the page, written straight into a
// drawing file: adding them one by one would rebuild the snap caches 10,000
// times, which is not what this measures.
void WriteDrawing(const QString& path) {
    std::vector<QvFigure*> figures;
    for (int i = 0; i < kFigures; ++i) {
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

void BM_OpenDrawing(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.kw2"));
    WriteDrawing(path);
    for (auto _ : state) {
        Lumbrel2Doc doc;
        if (!doc.OnOpenDocument(path) || doc.GetFigureCount() != kFigures)
            state.SkipWithError("open failed");
        state.PauseTiming(); // the destructor is not part of opening
        doc.DeleteContents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFigures);
}
BENCHMARK(BM_OpenDrawing)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The profile goes to a throw-away file and no message box may block.
    QString profile = QDir::tempPath() + QStringLiteral("/lumbrel-bench-") +
                      QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".ini");
    qputenv("LUMBREL_PROFILE", profile.toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetMessageBoxHandler([](const QString&, const QString&, UINT) { return IDCANCEL; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QFile::remove(profile);
    return 0;
}
