#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60). Findings are written to build-fuzz/findings/; the script fails if any.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" clang libclang-rt-14-dev
out="$root/build-fuzz"
mkdir -p "$out/findings"
flags=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/engine" -I"$root/plot")
engine_sources=("$root"/engine/*.cpp)
# The worksheet reader is Qt Core's JSON with the engine's formula check; the whole-file
# writer and the plot headers it includes bring Qt Gui's headers.
qt_flags=(-fPIC -I"$root/plot" $(pkg-config --cflags Qt6Core Qt6Gui))
qt_libs=($(pkg-config --libs Qt6Core Qt6Gui))
sheet_sources=("$root"/plot/worksheet.cpp "$root"/plot/worksheetreader.cpp "$root"/plot/imagefile.cpp
               "$root"/plot/replacementfile.cpp "$root"/plot/fileattributes.cpp
               "$root"/plot/filereason.cpp "$root"/plot/bmpwriter.cpp)
targets=(fuzz_engine fuzz_numbers fuzz_worksheet)
for target in "${targets[@]}"; do
    if [ ! -x "$out/$target" ] || [ -n "$(find "$root/engine" "$root/plot" "$root/fuzz" -newer "$out/$target" -name '*.[ch]*' | head -1)" ]; then
        if [ "$target" = fuzz_worksheet ]; then
            clang++ "${flags[@]}" "${qt_flags[@]}" "${engine_sources[@]}" "${sheet_sources[@]}" \
                "$root/fuzz/$target.cpp" -o "$out/$target" "${qt_libs[@]}"
        else
            clang++ "${flags[@]}" "${engine_sources[@]}" "$root/fuzz/$target.cpp" -o "$out/$target"
        fi
    fi
done
status=0
for target in "${targets[@]}"; do
    corpus_name=${target#fuzz_}
    work="$out/corpus-$corpus_name"
    mkdir -p "$work"
    echo "== $target for $seconds s"
    UBSAN_OPTIONS=halt_on_error=1 "$out/$target" -max_total_time="$seconds" -max_len=$([ "$target" = fuzz_worksheet ] && echo 4096 || echo 256) \
        -print_final_stats=1 -artifact_prefix="$out/findings/$target-" \
        "$work" "$root/fuzz/corpus/$corpus_name" 2>&1 | tail -n 12 || status=1
done
exit $status
