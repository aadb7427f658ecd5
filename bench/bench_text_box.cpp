// What a text box holding a megabyte of text costs: drawing it on a page,
// and copying it and pasting the copy (the clipboard pictures included).
#include "bench/bench_support.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_text.h"
#include "platform/dc.h"
#include "shell/lumbrel2_app.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A box 8 cm by 3 cm pressed at its top-left, holding about 1 MB of words.
std::unique_ptr<QvFigText> MegabyteBox() {
    std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(QvFigText::ToolId);
    auto box = std::unique_ptr<QvFigText>(static_cast<QvFigText*>(f.release()));
    box->TrackCreatePoint(QvPoint(1000, 4500), {});
    box->CreateClick();
    box->TrackCreatePoint(QvPoint(9000, 1500), {});
    box->CreateClick();
    QString text;
    text.reserve(1 << 20);
    while (text.size() < (1 << 20))
        text += QStringLiteral("lorem ipsum dolor sit amet consectetur ");
    box->SetText(text);
    box->MapToFrame(NullFrame);
    box->BuildFromPoints();
    return box;
}

} // namespace

static void BM_DrawMegabyteTextBox(benchmark::State& state) {
    std::unique_ptr<QvFigText> box = MegabyteBox();
    QImage page(1280, 1024, QImage::Format_RGB32);
    for (auto _ : state) {
        page.fill(Qt::white);
        CDC dc(&page);
        dc.SetMapMode(MM_HIMETRIC);
        box->DrawMapped(&dc, QvDrawMode::Normal, NullFrame, CRect());
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_DrawMegabyteTextBox)->Unit(benchmark::kMillisecond);

// Edit>Copy then Edit>Paste; the pasted copy is deleted outside the timing.
static void BM_CopyPasteMegabyteTextBox(benchmark::State& state) {
    Lumbrel2Doc doc;
    QvFigText* box = MegabyteBox().release();
    doc.AddFigure(box);
    for (auto _ : state) {
        doc.ClearSelection();
        doc.AddToSelection(box);
        doc.EndSelectionChange(nullptr);
        doc.OnEditCopy();
        doc.OnEditPaste();
        state.PauseTiming();
        if (doc.GetFigureCount() != 2) {
            state.SkipWithError("the paste added no figure");
            break;
        }
        doc.DeleteContents();
        box = MegabyteBox().release();
        doc.AddFigure(box);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CopyPasteMegabyteTextBox)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    BenchProfile profile;
    QApplication app(argc, argv);
    Lumbrel2App lumbrel;
    BenchProfile::LoadDefaults();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
