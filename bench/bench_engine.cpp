// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluations per second of the formula engine: through the formula buffer, and through a
// compiled program (what a build on several threads uses).
#include <benchmark/benchmark.h>

#include <string>

#include "formula.h"
#include "program.h"

namespace {

// 80 characters, several functions, numbers with a decimal comma.
const std::string kLongFormula =
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,5-lg(abs(x)+1)/3+frac(x)*e-pi";
// The formula of the worst-case build.
const std::string kWorstCaseFormula =
    "arcsin(x/10)*3+abs(x)^0,5-lg(abs(x)+1)+sin(x)*cos(x/2)-ln(abs(x)+2)+tg(x/7)";

void EvaluateAcross(benchmark::State &state, const std::string &formula) {
    kurvanto::SetFormulaText(formula);
    double x = -10;
    for (auto _ : state) {
        kurvanto::FormulaStatus = 'n';
        benchmark::DoNotOptimize(kurvanto::EvaluateFormula(x));
        x += 0.0003;
        if (x > 10)
            x = -10;
    }
    state.SetItemsProcessed(state.iterations());
}

void ProgramAcross(benchmark::State &state, const std::string &formula) {
    const kurvanto::FormulaProgram program(formula);
    double x = -10;
    for (auto _ : state) {
        char status = 'n';
        benchmark::DoNotOptimize(program.Evaluate(x, status));
        benchmark::DoNotOptimize(status);
        x += 0.0003;
        if (x > 10)
            x = -10;
    }
    state.SetItemsProcessed(state.iterations());
}

// The quick pass at the same x, beside its peer ProgramAcross.
void QuickAcross(benchmark::State &state, const std::string &formula) {
    const kurvanto::FormulaProgram program(formula);
    double x = -10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(program.EvaluateQuick(x));
        x += 0.0003;
        if (x > 10)
            x = -10;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_EvaluateParabola(benchmark::State &state) {
    EvaluateAcross(state, "x^2-3");
}
void BM_EvaluateLongFormula(benchmark::State &state) {
    EvaluateAcross(state, kLongFormula);
}
void BM_EvaluateWorstCaseFormula(benchmark::State &state) {
    EvaluateAcross(state, kWorstCaseFormula);
}
void BM_ProgramParabola(benchmark::State &state) {
    ProgramAcross(state, "x^2-3");
}
void BM_ProgramLongFormula(benchmark::State &state) {
    ProgramAcross(state, kLongFormula);
}
void BM_ProgramWorstCaseFormula(benchmark::State &state) {
    ProgramAcross(state, kWorstCaseFormula);
}
void BM_QuickParabola(benchmark::State &state) {
    QuickAcross(state, "x^2-3");
}
void BM_QuickLongFormula(benchmark::State &state) {
    QuickAcross(state, kLongFormula);
}
void BM_QuickWorstCaseFormula(benchmark::State &state) {
    QuickAcross(state, kWorstCaseFormula);
}
// Compiling a text, as a build or an acceptance check does once.
void BM_CompileLongFormula(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kurvanto::FormulaProgram(kLongFormula));
}

BENCHMARK(BM_EvaluateParabola);
BENCHMARK(BM_EvaluateLongFormula);
BENCHMARK(BM_EvaluateWorstCaseFormula);
BENCHMARK(BM_ProgramParabola);
BENCHMARK(BM_ProgramLongFormula);
BENCHMARK(BM_ProgramWorstCaseFormula);
BENCHMARK(BM_QuickParabola);
BENCHMARK(BM_QuickLongFormula);
BENCHMARK(BM_QuickWorstCaseFormula);
BENCHMARK(BM_CompileLongFormula);

} // namespace

BENCHMARK_MAIN();
