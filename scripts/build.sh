#!/usr/bin/env bash
# Configures (once) and builds into the given folder; extra arguments go to CMake's configure.
set -euo pipefail
dir=${1:-build}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
fi
cmake --build "$dir" -j"$(nproc)"
