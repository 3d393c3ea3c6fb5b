#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The threaded parts under the thread sanitizer: the build run's tests (the sampler, the
# worker pool, whole builds on several threads) and the engine's compiled formula on two
# threads. Only those tests are built and run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
dir="$root/build-tsan"
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURVANTO_TSAN=ON \
        -DKURVANTO_BENCH=OFF "${launcher[@]}"
fi
cmake --build "$dir" -j"$(nproc)" --target plot_tests engine_tests
cd "$dir"
# halt_on_error: a report fails the test at once; second_deadlock_stack for lock reports.
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" \
    -R '^(Sampler|WorkerPool|ParallelBuild|BuildGraph|FormulaProgram|QuickPass)'
