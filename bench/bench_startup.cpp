// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start and its memory: the time from the application object's creation to the
// main window shown, the resident memory after start-up, and the resident memory after 1,000
// builds of an 80-character formula at precision 100 through the window's build button.
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise (under Xvfb:
// QT_QPA_PLATFORM=xcb xvfb-run -a build/bench/bench_startup).
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>

#include "plotstate.h"
#include "tform1.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"
#include "tform5.h"
#include "tform6.h"
#include "uiseam.h"

namespace {

using Clock = std::chrono::steady_clock;

// 80 characters, the formula box's limit: several functions and a number with a decimal comma.
const QString kLongFormula = QStringLiteral(
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,25-lg(abs(x)+1)/3+frac(x)*e-pi");
constexpr int kBuilds = 1000;
constexpr int kSettledBuild = 100; // growth is measured from here to the last build

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); 0 when it cannot be read.
double StatusKiB(const std::string &field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == field + ":") {
            double kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

// Bytes in use on the heap.
double HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

// The six windows as the program's start makes them: the main window first.
struct Program {
    kurvanto::PlotState state;
    kurvanto::TForm1 form1{state};
    kurvanto::TForm2 form2{state, nullptr};
    kurvanto::TForm3 form3{nullptr};
    kurvanto::TForm4 form4{state, nullptr};
    kurvanto::TForm5 form5{state, nullptr};
    kurvanto::TForm6 form6{state, nullptr};
};

// Handles events until the window is exposed on the screen (or ten seconds have gone by).
bool WaitExposed(QWidget &window) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    QTimer wakeUp; // the wait below ends at the latest with its next tick
    wakeUp.start(1);
    while (Clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const QWindow *handle = window.windowHandle();
        if (handle && handle->isExposed())
            return true;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return false;
}

// Where the program stands after its start: measured once, before any benchmark runs.
struct StartFigures {
    double seconds = 0;
    double rssKiB = 0;
};
StartFigures g_start;
std::unique_ptr<Program> g_program;

// No message box or dialog may wait for a person here; any that comes up is a fault.
void AnswerNothing() {
    kurvanto::SetMessageHook([](const QString &text, QMessageBox::Icon) {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    });
    kurvanto::SetDialogHook([](QDialog &dialog) {
        std::fprintf(stderr, "unexpected dialog: %s\n", dialog.metaObject()->className());
        return int(QDialog::Rejected);
    });
}

// The offscreen platform says on every window that it cannot pass size hints on; that is no
// news for a benchmark's output.
QtMessageHandler g_defaultHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (g_defaultHandler && !text.contains(QLatin1String("propagateSizeHints")))
        g_defaultHandler(type, context, text);
}

// The first start of the process: fonts, styles and the platform are loaded here.
void BM_FirstStart(benchmark::State &bench) {
    for (auto _ : bench)
        bench.SetIterationTime(g_start.seconds);
    bench.counters["rss_MiB"] = g_start.rssKiB / 1024;
}

// Later starts in the same process: the six windows made, the main window shown and exposed,
// and everything destroyed again.
void BM_WindowsShown(benchmark::State &bench) {
    for (auto _ : bench) {
        const auto started = Clock::now();
        auto program = std::make_unique<Program>();
        program->form1.showMaximized();
        if (!WaitExposed(program->form1)) {
            bench.SkipWithError("the main window was not exposed");
            break;
        }
        bench.SetIterationTime(std::chrono::duration<double>(Clock::now() - started).count());
        program.reset();
        QCoreApplication::processEvents();
    }
}

// Builds through the started program's window, as a user pressing the build button would.
void BM_Builds(benchmark::State &bench) {
    kurvanto::TForm1 &form = g_program->form1;
    form.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(kLongFormula);
    auto *build = form.findChild<QToolButton *>(QStringLiteral("SpeedButton4"));
    g_program->state.Precision = 100;
    const double before = StatusKiB("VmRSS");
    double settled = 0, settledHeap = 0;
    int done = 0;
    for (auto _ : bench) {
        build->click();
        QCoreApplication::processEvents(); // the picture is painted
        if (++done == kSettledBuild) {
            settled = StatusKiB("VmRSS");
            settledHeap = HeapBytes();
        }
    }
    if (g_program->state.GraphPresent != 1)
        bench.SkipWithError("the build did not complete");
    const double after = StatusKiB("VmRSS");
    bench.counters["rss_start_MiB"] = before / 1024;
    bench.counters["rss_build100_MiB"] = settled / 1024;
    bench.counters["rss_build1000_MiB"] = after / 1024;
    bench.counters["growth_100_1000_KiB"] = after - settled;
    bench.counters["heap_growth_100_1000_B"] = HeapBytes() - settledHeap;
    bench.counters["peak_MiB"] = StatusKiB("VmHWM") / 1024;
}

BENCHMARK(BM_FirstStart)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowsShown)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Builds)->Iterations(kBuilds)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    g_defaultHandler = qInstallMessageHandler(QuietHandler);

    // The program's start, timed from the application object to the main window on the screen.
    const auto started = Clock::now();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Курванто"));
    AnswerNothing();
    g_program = std::make_unique<Program>();
    g_program->form1.showMaximized();
    if (!WaitExposed(g_program->form1)) {
        std::fprintf(stderr, "the main window was not exposed\n");
        return 1;
    }
    g_start.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    // Let the first paint and any late events settle before the memory is read.
    QTimer::singleShot(50, &app, &QCoreApplication::quit);
    QApplication::exec();
    g_start.rssKiB = StatusKiB("VmRSS");

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_program.reset();
    kurvanto::SetMessageHook(nullptr);
    kurvanto::SetDialogHook(nullptr);
    return 0;
}
