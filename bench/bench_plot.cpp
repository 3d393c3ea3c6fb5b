// SPDX-License-Identifier: GPL-3.0-or-later
// The whole build-graph run: the start values with 'x^2-3', and the heaviest run the
// properties dialog allows (800 x 600, precision 100) with an 80-character formula, on every
// core and on one; the same run with 'sin(x)*5', where drawing weighs more than evaluating.
// Each heavy run also with the quick pass off (every sample by the extended engine), its peer;
// the counter "quick%" is the share of samples the quick pass placed, in per cent. The worst
// case of the tool's comparison with gnuplot too (bench/vs-gnuplot.sh, a 75-character formula).
// Wall time: the samples are evaluated on several threads.
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>

#include "buildgraph.h"

namespace {

// 80 characters, several functions, numbers with a decimal comma.
const std::string kLongFormula =
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,5-lg(abs(x)+1)/3+frac(x)*e-pi";

// The formula of bench/vs-gnuplot.sh.
const std::string kToolFormula =
    "arcsin(x/10)*3+abs(x)^0,5-lg(abs(x)+1)+sin(x)*cos(x/2)-ln(abs(x)+2)+tg(x/7)";

class NoWindow : public kurvanto::BuildGraphHost {
  public:
    NoWindow(unsigned threads, bool quick) : threads_(threads), quick_(quick) {}
    void askInterval() override {}
    void setErrorLabelVisible(bool) override {}
    void showReadoutLabels() override {}
    unsigned sampleThreads() const override { return threads_; }
    bool quickPass() const override { return quick_; }
    void quickShare(std::int64_t quick, std::int64_t total) override {
        quickSamples += quick;
        samples += total;
    }
    double quickSamples = 0, samples = 0;

  private:
    unsigned threads_;
    bool quick_;
};

void RunBuilds(benchmark::State &bench, const std::string &formula, int width, int height,
               int precision, unsigned threads = 0, bool quick = true) {
    NoWindow host(threads, quick);
    kurvanto::Canvas canvas;
    for (auto _ : bench) {
        kurvanto::PlotState state;
        kurvanto::SetStartValues(state, width, height);
        state.Precision = precision;
        kurvanto::BuildGraph(state, canvas, formula, host);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    if (host.samples > 0)
        bench.counters["quick%"] = 100 * host.quickSamples / host.samples;
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
void BM_BuildWorstCaseExtended(benchmark::State &bench) {
    RunBuilds(bench, kLongFormula, 800, 600, 100, 0, false);
}
void BM_BuildWorstCaseOneThreadExtended(benchmark::State &bench) {
    RunBuilds(bench, kLongFormula, 800, 600, 100, 1, false);
}
void BM_BuildToolCase(benchmark::State &bench) {
    RunBuilds(bench, kToolFormula, 800, 600, 100);
}
void BM_BuildToolCaseExtended(benchmark::State &bench) {
    RunBuilds(bench, kToolFormula, 800, 600, 100, 0, false);
}
void BM_BuildToolCaseOneThread(benchmark::State &bench) {
    RunBuilds(bench, kToolFormula, 800, 600, 100, 1);
}
void BM_BuildToolCaseOneThreadExtended(benchmark::State &bench) {
    RunBuilds(bench, kToolFormula, 800, 600, 100, 1, false);
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
BENCHMARK(BM_BuildWorstCaseExtended)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildWorstCaseOneThreadExtended)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildToolCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildToolCaseExtended)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildToolCaseOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildToolCaseOneThreadExtended)->Unit(benchmark::kMillisecond)->UseRealTime();

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
