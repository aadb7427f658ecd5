// Typesetting cost: 1,000 mixed school formulas are processed (SetText) and
// drawn centred on their point (a measure and a draw, as line labels are)
// on a 300 mm page at screen resolution; and a screenful of 200 of them is
// redrawn as the view repaints.  Counters give the time per equation and
// per page.
#include "platform/string_hashing.h"
#include "platform/dc.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {
constexpr int kEquations = 1000;

QStringList Texts() {
    static const char* const forms[] = {
        "x^%1 + %2x + 1 = 0",
        "y = %1/%2 x + 3",
        "x = (-b +- sqrt(b^2 - 4ac))/(%1a)",
        "sqrt(x^2 + %1)",
        "sqrt(%1/%2)",
        "3root(%1) = 2",
        "(x + %1/%2)^2",
        "(x+%1)/(x-%2)",
        "sigma(i=1,%1) i^2",
        "int(0,%1) sin x dx",
        "lim(x->%1) (sin x)/x",
        "al + be = %1",
        "sin^2 th + cos^2 th = %1",
        "sin-1 x + %1",
        "v = %1i + %2j",
        "AB + BC = %1AC",
        "a = (%1,%2)",
        "e^(-x^2/%1)",
        "x\\%1 + x\\%2 >= 0",
        "x_ + y^^ <> %1",
        "C = %1pir",
        "f(x) = %1x^3 - %2x",
        "A = pir^%1",
        "tan th = %1/%2",
        "product(k=1,%1) k",
    };
    QStringList texts;
    for (int i = 0; texts.size() < kEquations; ++i) {
        for (const char* form : forms) {
            if (texts.size() < kEquations)
                texts << QString::fromLatin1(form)
                             .replace(QLatin1String("%1"), QString::number(i % 9 + 2))
                             .replace(QLatin1String("%2"), QString::number(i % 7 + 3));
        }
    }
    return texts;
}

struct Screen {
    QImage image{1200, 900, QImage::Format_RGB32};
    std::unique_ptr<CDC> dc;
    Screen() {
        image.fill(Qt::white);
        dc = std::make_unique<CDC>(&image);
        dc->SetMapMode(MM_HIMETRIC);
        dc->SetWindowOrg(0, 23812); // 900 pixels at 96 dpi
        dc->SetTextAlign(TA_CENTER | TA_BASELINE);
    }
};

std::vector<std::unique_ptr<QvEquation>> Processed(const QStringList& texts) {
    std::vector<std::unique_ptr<QvEquation>> eqs;
    for (const QString& t : texts) {
        eqs.push_back(std::make_unique<QvEquation>());
        eqs.back()->SetText(t, &TheEquationOptions());
    }
    return eqs;
}
} // namespace

static void BM_EquationProcess(benchmark::State& state) {
    const QStringList texts = Texts();
    for (auto _ : state) {
        for (const QString& t : texts) {
            QvEquation eq;
            eq.SetText(t, &TheEquationOptions());
            benchmark::DoNotOptimize(eq.GetCellCount());
        }
    }
    state.counters["per_equation"] = benchmark::Counter(
        kEquations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EquationProcess)->Unit(benchmark::kMillisecond);

static void BM_EquationDraw(benchmark::State& state) {
    const auto eqs = Processed(Texts());
    QvLogFont font;
    Screen screen;
    for (auto _ : state) {
        int i = 0;
        for (const auto& eq : eqs) {
            eq->Draw(screen.dc.get(), 1500 + (i % 5) * 6000, 2000 + (i / 5 % 40) * 500,
                     &TheEquationOptions(), &font);
            ++i;
        }
        benchmark::DoNotOptimize(screen.image.constBits());
    }
    state.counters["per_equation"] = benchmark::Counter(
        kEquations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EquationDraw)->Unit(benchmark::kMillisecond);

// What a repaint of a screen with 200 equation labels costs.
static void BM_EquationPage200(benchmark::State& state) {
    const QStringList all = Texts();
    const auto eqs = Processed(all.mid(0, 200));
    QvLogFont font;
    for (auto _ : state) {
        Screen screen;
        int i = 0;
        for (const auto& eq : eqs) {
            eq->Draw(screen.dc.get(), 1500 + (i % 5) * 6000, 2000 + (i / 5) * 500,
                     &TheEquationOptions(), &font);
            ++i;
        }
        benchmark::DoNotOptimize(screen.image.constBits());
    }
    state.counters["per_page"] = benchmark::Counter(
        1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EquationPage200)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    UsePlainStringHashing();
    // Fonts need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
