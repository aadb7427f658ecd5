// Start-up: from starting the process to the first painted main window,
// for the program as main() starts it and for a plain Qt main window with
// menus, toolbars and an MDI area built into the same program (so both load
// the same libraries).  Each iteration starts both, one after the other;
// the ratio is the program's time over the plain window's, both medians of
// the same run.
//
// The window counts as painted when its first paint pass has ended: every
// widget drawn into the backing store and the store flushed.  The start of
// that pass (the top-level window's own paint event, before any child is
// drawn) is reported too, as "first_event".
//
//     bench_startup --probe program|plain   one start; prints both times
#include "app/document_template.h"
#include "bench/bench_support.h"
#include "shell/lumbrel2_app.h"
#include "shell/startup.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QToolBar>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

double MonotonicMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Prints when a top-level window's first paint pass started and when it
// ended, then ends the process there.  The pass runs inside the event that
// exposes or updates the window, so that event is delivered from here to see
// it end.
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Paint:
            if (m_started < 0 && object->isWidgetType() &&
                static_cast<QWidget*>(object)->isWindow())
                m_started = MonotonicMs();
            return false;
        case QEvent::Expose:
        case QEvent::UpdateRequest:
            if (m_delivering)
                return false;
            m_delivering = true;
            object->event(event);
            m_delivering = false;
            if (m_started >= 0) {
                std::printf("%.3f %.3f\n", m_started, MonotonicMs());
                std::fflush(stdout);
                std::_Exit(0);
            }
            return true;
        default:
            return false;
        }
    }

private:
    double m_started = -1;
    bool m_delivering = false;
};

// Menus, toolbars and an MDI area of about the program's size, with texts
// only.
void ShowPlainWindow() {
    auto* window = new QMainWindow;
    for (const char* title :
         {"&File", "&Edit", "&View", "&Draw", "F&ormat", "&Tools", "&Window", "&Help"}) {
        QMenu* menu = window->menuBar()->addMenu(QString::fromLatin1(title));
        for (int i = 0; i < 12; ++i)
            menu->addAction(QStringLiteral("Item %1").arg(i));
    }
    for (int bar = 0; bar < 4; ++bar) {
        QToolBar* tools = window->addToolBar(QStringLiteral("Bar %1").arg(bar));
        for (int i = 0; i < 10; ++i)
            tools->addAction(QStringLiteral("T%1").arg(i));
    }
    window->setCentralWidget(new QMdiArea);
    window->statusBar()->showMessage(QStringLiteral("Ready"));
    window->resize(1024, 768);
    window->show();
}

int Probe(QApplication& qtApp, const char* which) {
    FirstPaint probe;
    qtApp.installEventFilter(&probe);
    if (std::strcmp(which, "plain") == 0) {
        ShowPlainWindow();
        return QApplication::exec();
    }
    InitApplication(qtApp);
    Lumbrel2App app;
    app.SetDocTemplate(MakeDrawingTemplate());
    if (!app.InitInstance(QString()))
        return 1;
    return QApplication::exec();
}

struct Start {
    double firstEvent = -1; // ms to the start of the first paint pass
    double painted = -1;    // ms to its end; negative when the probe failed
};

Start StartOnce(const char* which) {
    QProcess child;
    const double start = MonotonicMs();
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--probe"), QString::fromLatin1(which)});
    if (!child.waitForFinished(60000))
        return {};
    const QList<QByteArray> times = child.readAllStandardOutput().simplified().split(' ');
    bool ok1 = false, ok2 = false;
    const double first = times.value(0).toDouble(&ok1);
    const double end = times.value(1).toDouble(&ok2);
    if (!ok1 || !ok2)
        return {};
    return {first - start, end - start};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void BM_StartUp(benchmark::State& state) {
    std::vector<double> program, plain, programFirst, plainFirst;
    for (auto _ : state) {
        const Start p = StartOnce("program"), q = StartOnce("plain");
        if (p.painted < 0 || q.painted < 0) {
            state.SkipWithError("a probe did not paint");
            break;
        }
        program.push_back(p.painted);
        plain.push_back(q.painted);
        programFirst.push_back(p.firstEvent);
        plainFirst.push_back(q.firstEvent);
        state.SetIterationTime(p.painted / 1000);
    }
    state.counters["program_ms"] = Median(program);
    state.counters["plain_ms"] = Median(plain);
    state.counters["ratio"] = Median(program) / std::max(1e-9, Median(plain));
    state.counters["program_first_ms"] = Median(programFirst);
    state.counters["plain_first_ms"] = Median(plainFirst);
    state.counters["first_event_ratio"] = Median(programFirst) / std::max(1e-9, Median(plainFirst));
}
BENCHMARK(BM_StartUp)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    BenchProfile profile;
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--probe") == 0)
        return Probe(app, argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
