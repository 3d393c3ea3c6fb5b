#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole test suite built with the address and undefined-behaviour sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURVANTO_SANITIZE=ON
cd "$root/build-asan"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
