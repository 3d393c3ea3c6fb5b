// SPDX-License-Identifier: GPL-3.0-or-later
// A zoom step: the field drawn again from its display list after a change of the ranges, for
// the start values with 'x^2-3' and for the heaviest build the properties dialog allows
// (800 x 600, precision 100, an 80-character formula); with the field's options off and on.
// And a worksheet of 50 such builds: drawing them one by one against opening the worksheet
// (reading its bytes and drawing the field again from them). And a slider's sweep of one
// parameter, each value drawn again from the display list.
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <string>

#include "displaylist.h"
#include "field.h"
#include "worksheet.h"

namespace {

const std::string kLongFormula =
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,5-lg(abs(x)+1)/3+frac(x)*e-pi";

class NoWindow : public kurvanto::BuildGraphHost {
  public:
    void askInterval() override {}
    void setErrorLabelVisible(bool) override {}
    void showReadoutLabels() override {}
};

// Zooms in and out by a wheel step about the point (2, 1), alternately, redrawing each time.
void ZoomSteps(benchmark::State &bench, const std::string &formula, int width, int height,
               int precision, bool options) {
    NoWindow host;
    kurvanto::Canvas canvas;
    kurvanto::PlotState state;
    kurvanto::SetStartValues(state, width, height);
    state.Precision = precision;
    kurvanto::DisplayList list;
    kurvanto::BuildGraph(state, canvas, formula, host);
    list.recordBuild(state, formula);
    const kurvanto::FieldOptions field{options, options, options, options};
    const double factor[2] = {0.8, 1.25};
    int k = 0;
    for (auto _ : bench) {
        const double f = factor[k++ % 2];
        state.XMin = 2 + (state.XMin - 2) * f;
        state.XMax = 2 + (state.XMax - 2) * f;
        state.YMin = 1 + (state.YMin - 1) * f;
        state.YMax = 1 + (state.YMax - 1) * f;
        kurvanto::RedrawField(state, canvas, list, field, host);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

void BM_ZoomStepStartValues(benchmark::State &bench) {
    ZoomSteps(bench, "x^2-3", 640, 440, 1, false);
}
void BM_ZoomStepStartValuesAllOptions(benchmark::State &bench) {
    ZoomSteps(bench, "x^2-3", 640, 440, 1, true);
}
void BM_ZoomStepWorstCase(benchmark::State &bench) {
    ZoomSteps(bench, kLongFormula, 800, 600, 100, false);
}
void BM_ZoomStepWorstCaseAllOptions(benchmark::State &bench) {
    ZoomSteps(bench, kLongFormula, 800, 600, 100, true);
}

constexpr int kSheetBuilds = 50;

// The 50 builds at the worst case, each in a colour of its own, on a field of their own.
void DrawSheetBuilds(kurvanto::PlotState &state, kurvanto::Field &field) {
    kurvanto::SetStartValues(state, 800, 600);
    state.Precision = 100;
    for (int i = 0; i < kSheetBuilds; ++i) {
        state.GraphColor = static_cast<kurvanto::TColor>(i * 0x050403);
        field.build(kLongFormula);
    }
}

void BM_Sheet50BuildsDrawn(benchmark::State &bench) {
    NoWindow host;
    for (auto _ : bench) {
        kurvanto::PlotState state;
        kurvanto::Field field(state, host);
        DrawSheetBuilds(state, field);
        benchmark::DoNotOptimize(field.canvas().image().constBits());
    }
}

void BM_Sheet50BuildsOpened(benchmark::State &bench) {
    NoWindow host;
    kurvanto::PlotState drawnState;
    kurvanto::Field drawn(drawnState, host);
    DrawSheetBuilds(drawnState, drawn);
    const QByteArray bytes = kurvanto::WorksheetJson(drawn.worksheet());
    for (auto _ : bench) {
        kurvanto::PlotState state;
        kurvanto::SetStartValues(state);
        kurvanto::Field field(state, host);
        const kurvanto::WorksheetRead read = kurvanto::ParseWorksheet(bytes);
        if (!read.sheet || field.openWorksheet(*read.sheet))
            bench.SkipWithError("the worksheet did not open");
        benchmark::DoNotOptimize(field.canvas().image().constBits());
    }
}

// A slider sweep: 'k*x+b' at 800 x 600, precision 10, drawn again for each value of k from
// -10 to 10 by 0,1 and back; the rate is the sweep's redraws a second.
void BM_SliderSweepRedraw(benchmark::State &bench) {
    NoWindow host;
    kurvanto::PlotState state;
    kurvanto::SetStartValues(state, 800, 600);
    state.Precision = 10;
    kurvanto::Field field(state, host);
    field.build("k*x+b");
    kurvanto::ParameterValues values = field.parameters();
    int position = 0, direction = 1;
    for (auto _ : bench) {
        if (position + direction < 0 || position + direction > 200)
            direction = -direction;
        position += direction;
        values.value[3] = -10 + position * 0.1;
        field.setParameters(values);
        benchmark::DoNotOptimize(field.canvas().image().constBits());
    }
    bench.counters["redraws_per_second"] =
        benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_SliderSweepRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Sheet50BuildsDrawn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Sheet50BuildsOpened)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomStepStartValues)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomStepStartValuesAllOptions)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomStepWorstCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZoomStepWorstCaseAllOptions)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the numbers and the legend
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
