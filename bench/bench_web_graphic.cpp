// Tools > Web Graphics on a full page of 1,000 mixed figures (lines, arrow
// lines, circles of three kinds; six line styles, four fills, four
// colours): drawing and PNG encoding timed apart, the whole export, and
// rsvg-convert turning the same page, written through the SVG surface,
// into a PNG of the same 1200 x 1200 pixels.  rsvg-convert comes with
// Debian's librsvg2-bin: bench/run_web_graphic.sh installs it and runs
// this.  The export's argument is the figure count (1,000 is the page the
// goal speaks of; 300 to 30,000 show how it grows).
#include "bench/bench_support.h"
#include "document/clipboard_picture.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "platform/command_ids.h"
#include "platform/message_box.h"
#include "platform/web_image_dc.h"
#include "settings/settings.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

constexpr int kFigures = 1000;
constexpr int kPage = 30000;
constexpr int kPixels = kPage / Lumbrel2Doc::WebUnitsPerPixel;

QvFigure* Clicked(int toolId, std::initializer_list<QvPoint> points) {
    std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(toolId);
    for (const QvPoint& p : points) {
        f->TrackCreatePoint(p, {});
        f->CreateClick();
    }
    return f.release();
}

Lumbrel2Doc& Page(int count = kFigures) {
    static std::map<int, std::unique_ptr<Lumbrel2Doc>> pages;
    std::unique_ptr<Lumbrel2Doc>& doc = pages[count];
    if (!doc) {
        auto d = std::make_unique<Lumbrel2Doc>();
        QvSettings& s = TheSettings();
        const int lines[] = {ID_LINE_HAIRLINE, ID_LINE_SOLID1, ID_LINE_SOLID2,
                             ID_LINE_SOLID4,   ID_LINE_DASH,   ID_LINE_DASHDOT};
        const int fills[] = {ID_FILL_NONE, ID_FILL_SOLID, ID_FILL_DIAGONAL, ID_FILL_SQUARES};
        const COLORREF colours[] = {RGB(0, 0, 0), RGB(200, 0, 0), RGB(0, 100, 200), RGB(0, 150, 0)};
        // The style is the page's own; the settings are put back after.
        const int lineType = s.m_CurLineType.GetValue(), fillType = s.m_CurFillType.GetValue();
        const COLORREF lineColour = s.m_CurLineColor.GetValue();
        const COLORREF fillColour = s.m_CurFillColor.GetValue();
        const int level = s.m_MADLevel.GetValue();
        s.m_MADLevel.SetValue(0);
        for (int i = 0; i < count; ++i) {
            s.m_CurLineType.SetValue(lines[i % 6]);
            s.m_CurFillType.SetValue(fills[i % 4]);
            s.m_CurLineColor.SetValue(colours[i % 4]);
            s.m_CurFillColor.SetValue(colours[(i + 1) % 4]);
            const double x = 1000 + (i * 7919) % 27000, y = 1000 + (i * 104729) % 27000;
            const double r = 200 + (i * 31) % 1200;
            QvFigure* f = nullptr;
            switch (i % 5) {
            case 0:
                f = Clicked(QvFigLine::ToolId, {QvPoint(x, y), QvPoint(x + 2 * r, y + r)});
                break;
            case 1:
                f = Clicked(QvFigLine::ArrowToolId, {QvPoint(x, y), QvPoint(x - r, y + 2 * r)});
                break;
            case 2:
                f = Clicked(QvFigCircleCR::ToolId, {QvPoint(x, y), QvPoint(x + r, y)});
                break;
            case 3:
                f = Clicked(QvFigCircleD::ToolId, {QvPoint(x, y), QvPoint(x + r, y + r)});
                break;
            default:
                f = Clicked(QvFigCircle::ToolId, {QvPoint(x, y), QvPoint(x + r, y + r / 2)});
                break;
            }
            d->AddFigure(f);
        }
        s.m_CurLineType.SetValue(lineType);
        s.m_CurFillType.SetValue(fillType);
        s.m_CurLineColor.SetValue(lineColour);
        s.m_CurFillColor.SetValue(fillColour);
        s.m_MADLevel.SetValue(level);
        doc = std::move(d);
    }
    return *doc;
}

// The whole page onto a surface of kPixels square, as the section export
// maps it.
void DrawPage(CDC* dc) {
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(kPage, kPage);
    dc->SetViewportExt(kPixels, kPixels);
    QvClipboardPicture::DrawFigures(dc, Page().Figures(), CRect(0, 0, kPage, kPage));
}

QTemporaryDir& Dir() {
    static QTemporaryDir dir;
    return dir;
}

void BM_WebGraphicDraw(benchmark::State& state) {
    Page();
    for (auto _ : state) {
        CWebImageDC dc;
        dc.Create(CSize(kPixels, kPixels));
        dc.FillBackground(RGB(255, 255, 255));
        DrawPage(&dc);
        benchmark::DoNotOptimize(dc.GetBitmap());
    }
}
BENCHMARK(BM_WebGraphicDraw)->Unit(benchmark::kMillisecond);

void BM_WebGraphicEncodePng(benchmark::State& state) {
    CWebImageDC dc;
    dc.Create(CSize(kPixels, kPixels));
    dc.FillBackground(RGB(255, 255, 255));
    DrawPage(&dc);
    const QString path = Dir().filePath(QStringLiteral("encoded.png"));
    for (auto _ : state) {
        if (!dc.WritePng(path, TRUE, FALSE, RGB(255, 255, 255)))
            state.SkipWithError("write failed");
    }
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_WebGraphicEncodePng)->Unit(benchmark::kMillisecond);

// Save Section over the whole page, end to end.  Argument: figure count.
void BM_WebGraphicExport(benchmark::State& state) {
    Lumbrel2Doc& doc = Page(int(state.range(0)));
    const QString path = Dir().filePath(QStringLiteral("page.png"));
    for (auto _ : state) {
        if (!doc.SavePngOfSection(path, CRect(0, 0, kPage, kPage)))
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_WebGraphicExport)
    ->Arg(kFigures)
    ->Arg(300)
    ->Arg(3000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond);

// Argument 0: the page as the SVG surface writes it.  Argument 1: its
// hatches as plain fills, since rsvg draws Qt's masked hatch patterns very
// slowly and that alone would decide the comparison.
void BM_RsvgConvert(benchmark::State& state) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (program.isEmpty()) {
        state.SkipWithError("rsvg-convert not found (Debian package librsvg2-bin)");
        return;
    }
    const QString svg = Dir().filePath(QStringLiteral("page.svg"));
    {
        QSvgGenerator generator;
        generator.setFileName(svg);
        generator.setSize(QSize(kPixels, kPixels));
        generator.setViewBox(QRect(0, 0, kPixels, kPixels));
        CDC dc(&generator);
        DrawPage(&dc);
    }
    if (state.range(0)) {
        QFile file(svg);
        file.open(QIODevice::ReadOnly);
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        text.replace(QRegularExpression(QStringLiteral("url\\(#fillpattern\\d+_([0-9a-f]{6})\\)")),
                     QStringLiteral("#\\1"));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text.toUtf8());
    }
    const QString png = Dir().filePath(QStringLiteral("rsvg.png"));
    const QStringList args = {QStringLiteral("-w"),
                              QString::number(kPixels),
                              QStringLiteral("-h"),
                              QString::number(kPixels),
                              QStringLiteral("-b"),
                              QStringLiteral("white"),
                              QStringLiteral("-o"),
                              png,
                              svg};
    for (auto _ : state) {
        if (QProcess::execute(program, args) != 0)
            state.SkipWithError("rsvg-convert failed");
    }
    state.counters["svg_bytes"] = double(QFile(svg).size());
}
BENCHMARK(BM_RsvgConvert)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    BenchProfile profile;
    QApplication app(argc, argv);
    BenchProfile::LoadDefaults();
    // The page exported once, so that two builds' pictures can be compared.
    if (argc == 3 && qstrcmp(argv[1], "--export") == 0)
        return Page().SavePngOfSection(QString::fromLocal8Bit(argv[2]), CRect(0, 0, kPage, kPage))
                   ? 0
                   : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
