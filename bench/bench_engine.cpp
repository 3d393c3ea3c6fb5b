// Evaluations per second of the formula engine.
#include <benchmark/benchmark.h>

#include <string>

#include "formula.h"

namespace {

// 80 characters, several functions, numbers with a decimal comma.
const std::string kLongFormula =
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,5-lg(abs(x)+1)/3+frac(x)*e-pi";

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

void BM_EvaluateParabola(benchmark::State &state) {
    EvaluateAcross(state, "x^2-3");
}
void BM_EvaluateLongFormula(benchmark::State &state) {
    EvaluateAcross(state, kLongFormula);
}

BENCHMARK(BM_EvaluateParabola);
BENCHMARK(BM_EvaluateLongFormula);

} // namespace

BENCHMARK_MAIN();
