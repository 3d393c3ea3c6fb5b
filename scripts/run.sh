#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds in Release and starts the program.
# Without a display (no DISPLAY or WAYLAND_DISPLAY) it shows the main job on a virtual X
# screen instead: starts the program, types x^2-3 into the formula box and builds it, saves a
# screenshot to shots/kurvanto.png, writes the same plot with kurvanto-cli to shots/x2-3.png,
# prints both paths and stops the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/stages.sh"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    stage "Checking the Debian packages the program needs"
    "$root/scripts/deps.sh"
    build_with_progress build
    stage "Starting build/kurvanto"
    prog="$root/build/kurvanto"
    [ -x "$prog" ] && exec "$prog"
    exec "$root/build/kurvanto-cli" --help
fi

echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): building x^2-3 on a virtual X screen and saving screenshots to shots/ instead."
stage "Checking the Debian packages the program and the virtual screen need"
"$root/scripts/deps.sh" xdotool imagemagick
build_with_progress build
private_runtime_dir
prog="$root/build/kurvanto"
cli="$root/build/kurvanto-cli"
shots="$PWD/shots"
mkdir -p "$shots"

# On the virtual screen: the formula box holds the keyboard focus when the window does, and
# Enter there builds.
drive() {
    local prog=$1 picture=$2 pid wid status=0
    "$prog" & pid=$!
    if wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Kurvanto' | head -n 1) &&
        [ -n "$wid" ]; then
        sleep 1
        xdotool windowfocus --sync "$wid"
        xdotool type --delay 30 'x^2-3'
        xdotool key Return
        sleep 1
        import -window "$wid" "$picture" || status=$?
    else
        echo "run.sh: the program's window did not appear" >&2
        status=1
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return $status
}
stage "Starting build/kurvanto on a virtual screen, typing x^2-3 and building it"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f drive); drive \"\$@\"" drive \
    "$prog" "$shots/kurvanto.png"
stage "Writing the same plot with build/kurvanto-cli"
"$cli" plot 'x^2-3' -o "$shots/x2-3.png"
stage "Done: the window and the tool's picture"
echo "$shots/kurvanto.png"
echo "$shots/x2-3.png"
