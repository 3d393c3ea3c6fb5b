// SPDX-License-Identifier: GPL-3.0-or-later
// The field as vectors: what recording costs a redraw, and writing the recorded field as SVG
// and PDF, for the start values with 'x^2-3' and for the heaviest build the properties dialog
// allows (800 x 600, precision 100, an 80-character formula), all the field's options on.
#include <QBuffer>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <string>

#include "displaylist.h"
#include "vectorfield.h"

namespace {

const std::string kLongFormula =
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,5-lg(abs(x)+1)/3+frac(x)*e-pi";

class NoWindow : public kurvanto::BuildGraphHost {
  public:
    void askInterval() override {}
    void setErrorLabelVisible(bool) override {}
    void showReadoutLabels() override {}
};

struct Field {
    kurvanto::PlotState state;
    kurvanto::DisplayList list;
    kurvanto::FieldOptions options{true, true, true, true};
    NoWindow host;

    Field(const std::string &formula, int width, int height, int precision) {
        kurvanto::SetStartValues(state, width, height);
        state.Precision = precision;
        kurvanto::Canvas canvas;
        kurvanto::BuildGraph(state, canvas, formula, host);
        list.recordBuild(state, formula);
    }
    void draw(kurvanto::Canvas &canvas) {
        kurvanto::RedrawField(state, canvas, list, options, host);
    }
};

void Redraw(benchmark::State &bench, Field field, bool record) {
    kurvanto::Canvas canvas;
    kurvanto::VectorRecorder recorder;
    if (record)
        canvas.setRecorder(&recorder);
    for (auto _ : bench) {
        field.draw(canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

void Write(benchmark::State &bench, Field field, bool svg) {
    kurvanto::Canvas canvas;
    kurvanto::VectorRecorder recorder;
    canvas.setRecorder(&recorder);
    field.draw(canvas);
    qint64 bytes = 0;
    for (auto _ : bench) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const bool ok = svg ? kurvanto::WriteVectorSvg(buffer, recorder, QStringLiteral("f"))
                            : kurvanto::WriteVectorPdf(buffer, recorder, QStringLiteral("f"));
        if (!ok)
            bench.SkipWithError("write failed");
        bytes = buffer.size();
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}

Field StartValues() {
    return Field("x^2-3", 640, 440, 1);
}
Field WorstCase() {
    return Field(kLongFormula, 800, 600, 100);
}

void BM_RedrawWorstCase(benchmark::State &bench) {
    Redraw(bench, WorstCase(), false);
}
void BM_RedrawWorstCaseRecorded(benchmark::State &bench) {
    Redraw(bench, WorstCase(), true);
}
void BM_SvgStartValues(benchmark::State &bench) {
    Write(bench, StartValues(), true);
}
void BM_SvgWorstCase(benchmark::State &bench) {
    Write(bench, WorstCase(), true);
}
void BM_PdfStartValues(benchmark::State &bench) {
    Write(bench, StartValues(), false);
}
void BM_PdfWorstCase(benchmark::State &bench) {
    Write(bench, WorstCase(), false);
}

BENCHMARK(BM_RedrawWorstCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedrawWorstCaseRecorded)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SvgStartValues)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SvgWorstCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PdfStartValues)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PdfWorstCase)->Unit(benchmark::kMillisecond)->UseRealTime();

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
