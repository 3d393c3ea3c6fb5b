// SPDX-License-Identifier: GPL-3.0-or-later
// The whole build-graph run: the start values with 'x^2-3', and the heaviest run the
// properties dialog allows (800 x 600, precision 100) with an 80-character formula, on every
// core and on one; the same run with 'sin(x)*5', where drawing weighs more than evaluating.
// Wall time: the samples are evaluated on several threads.
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <string>

#include "buildgraph.h"

namespace {

// 80 characters, several functions, numbers with a decimal comma.
const std::string kLongFormula =
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,5-lg(abs(x)+1)/3+frac(x)*e-pi";

class NoWindow : public kurvanto::BuildGraphHost {
  public:
    explicit NoWindow(unsigned threads) : threads_(threads) {}
    void askInterval() override {}
    void setErrorLabelVisible(bool) override {}
    void showReadoutLabels() override {}
    unsigned sampleThreads() const override { return threads_; }

  private:
    unsigned threads_;
};

void RunBuilds(benchmark::State &bench, const std::string &formula, int width, int height,
               int precision, unsigned threads = 0) {
    NoWindow host(threads);
    kurvanto::Canvas canvas;
    for (auto _ : bench) {
        kurvanto::PlotState state;
        kurvanto::SetStartValues(state, width, height);
        state.Precision = precision;
        kurvanto::BuildGraph(state, canvas, formula, host);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

void BM_BuildStartValues(benchmark::State &bench) {
    RunBuilds(bench, "x^2-3", 640, 440, 1);
}
void BM_BuildWorstCase(benchmark::State &bench) {
    RunBuilds(bench, kLongFormula, 800, 600, 100);
}
void BM_BuildWorstCaseOneThread(benchmark::State &bench) {
    RunBuilds(bench, kLongFormula, 800, 600, 100, 1);
}
void BM_BuildWorstCaseSine(benchmark::State &bench) {
    RunBuilds(bench, "sin(x)*5", 800, 600, 100);
}

// Where several threads begin to pay: the parabola on the start field at a few precisions
// (641 samples each), on one thread and on every core.
void BM_BuildParabolaThreads(benchmark::State &bench) {
    RunBuilds(bench, "x^2-3", 640, 440, static_cast<int>(bench.range(0)),
              static_cast<unsigned>(bench.range(1)));
}
BENCHMARK(BM_BuildParabolaThreads)
    ->ArgsProduct({{4, 8, 16, 64}, {1, 0}})
    ->ArgNames({"precision", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(BM_BuildStartValues)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildWorstCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildWorstCaseOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildWorstCaseSine)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the background is a system colour of the palette
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
