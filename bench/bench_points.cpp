// SPDX-License-Identifier: GPL-3.0-or-later
// The search for points of interest: three visible builds of the 75-character formula of
// vs-gnuplot.sh (K, K+1 and K-x) at 800 x 600, precision 100, with their three pairs. Goal:
// at most 100 ms on two cores.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "points.h"

namespace {

const std::string kFormula =
    "arcsin(x/10)*3+abs(x)^0,5-lg(abs(x)+1)+sin(x)*cos(x/2)-ln(abs(x)+2)+tg(x/7)";

void BM_PointsOfThreeBuilds(benchmark::State &state) {
    const double step = 20.0 / 801 / 100; // units per pixel of an 800-wide field, precision 100
    const std::vector<kurvanto::PointBuild> builds = {{kFormula, -10, 10, step, {}},
                                                      {kFormula + "+1", -10, 10, step, {}},
                                                      {kFormula + "-x", -10, 10, step, {}}};
    std::size_t points = 0;
    for (auto _ : state) {
        const kurvanto::PointsFound found =
            kurvanto::FindPoints(builds, 20, static_cast<unsigned>(state.range(0)));
        points = found.points.size();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_PointsOfThreeBuilds)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
