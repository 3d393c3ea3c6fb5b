#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kurvanto-cli against gnuplot for the same work, side by side: the worst-case build (800 x 600,
# precision 100, so 80,100 samples of an 80-character formula) written as BMP, against gnuplot
# drawing the same 80,100 samples of the same function to an 800 x 601 PNG. The two commands
# run in turn, N times each after one warm-up; printed are the median wall times and the
# median of the pairwise ratios. Then the fixed cost of the tool: `plot x` against
# `--version` (`--help` where the tool has no --version).
#
#   bench/vs-gnuplot.sh [path/to/kurvanto-cli] [N]      (defaults: build/kurvanto-cli, 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "${1:-$root/build/kurvanto-cli}")
runs=${2:-10}
[ -x "$cli" ] || { echo "no tool at $cli (build it first)" >&2; exit 2; }
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "N must be a positive whole number" >&2; exit 2; }

if ! command -v gnuplot >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        gnuplot-nox
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

formula='arcsin(x/10)*3+abs(x)^0,5-lg(abs(x)+1)+sin(x)*cos(x/2)-ln(abs(x)+2)+tg(x/7)'
gnuformula='asin(x/10)*3+abs(x)**0.5-log10(abs(x)+1)+sin(x)*cos(x/2)-log(abs(x)+2)+tan(x/7)'
gnuscript="set term png size 800,601; set output 'g.png'; set samples 80100;
plot [-10:10][-10:10] $gnuformula notitle"

version=--version
"$cli" --version >/dev/null 2>&1 || version=--help

kurvanto_plot() { "$cli" plot "$formula" --width 800 --height 600 --precision 100 -o k.bmp; }
gnuplot_plot() { gnuplot -e "$gnuscript"; }
kurvanto_x() { "$cli" plot x -o f.bmp; }
kurvanto_start() { "$cli" "$version" >/dev/null; }

# Wall time of one run of a function, in microseconds.
wall() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 3; }
    local end=$EPOCHREALTIME
    echo $(( (${end/./} - ${start/./}) ))
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs A and B in turn N times (one warm-up each first); prints the medians and the ratio.
compare() {
    local label=$1 a=$2 b=$3 ta tb
    local times_a=() times_b=() ratios=()
    wall "$a" >/dev/null
    wall "$b" >/dev/null
    for ((i = 0; i < runs; ++i)); do
        ta=$(wall "$a")
        tb=$(wall "$b")
        times_a+=("$ta")
        times_b+=("$tb")
        ratios+=("$(awk -v a="$ta" -v b="$tb" 'BEGIN { printf "%.4f", a / b }')")
    done
    local ma mb mr
    ma=$(printf '%s\n' "${times_a[@]}" | median)
    mb=$(printf '%s\n' "${times_b[@]}" | median)
    mr=$(printf '%s\n' "${ratios[@]}" | median)
    printf '%s\n  %-34s median %8.1f ms\n  %-34s median %8.1f ms\n  median ratio of %d pairs: %.3f\n' \
        "$label" "$a" "$(awk -v t="$ma" 'BEGIN { print t / 1000 }')" \
        "$b" "$(awk -v t="$mb" 'BEGIN { print t / 1000 }')" "$runs" "$mr"
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "gnuplot: $(gnuplot --version)"
compare "worst case, kurvanto-cli / gnuplot:" kurvanto_plot gnuplot_plot
compare "fixed cost, kurvanto-cli plot x / kurvanto-cli $version:" kurvanto_x kurvanto_start
