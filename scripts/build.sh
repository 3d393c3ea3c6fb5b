#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures (once) and builds into the given folder; extra arguments go to CMake's configure.
set -euo pipefail
dir=${1:-build}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
launcher=()
if command -v ccache >/dev/null; then
    # Paths relative to the tree, so that clones and work trees share the cache.
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
    echo "==> Configuring $dir/ (once)"
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@"
fi
echo "==> Building in $dir/ on $(nproc) cores"
cmake --build "$dir" -j"$(nproc)"
