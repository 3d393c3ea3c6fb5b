#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program
# (under a virtual X server when there is no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build
prog="$root/build/kurvanto"
[ -x "$prog" ] || prog="$root/build/kurvanto-cli"
args=()
[ "$(basename "$prog")" = kurvanto-cli ] && args=(--help)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$prog" "${args[@]}"
fi
exec "$prog" "${args[@]}"
