#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a screen reader meets it: starts it under Xvfb on a D-Bus session of its own
# with the accessibility bridge on, lists the accessibility tree of the main window and of the
# properties dialog through AT-SPI, and exits 1 on any unnamed control (see scripts/a11y-tree.py).
# Runs outside CTest: the offscreen platform of the tests has no AT-SPI bridge.
# The option "Особые точки" is on, so the picture's description must also name the roots of
# x^2-3 once it is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/stages.sh"
stage "Checking the Debian packages the accessibility test needs"
"$root/scripts/deps.sh" dbus-x11 at-spi2-core python3-gi gir1.2-atspi-2.0 python3-pyatspi
"$root/scripts/build.sh" build >/dev/null
private_runtime_dir

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pids=()
finish() {
    for pid in "${pids[@]}" "$xvfb"; do
        kill "$pid" 2>/dev/null || true
    done
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
    [ -n "${XDG_RUNTIME_DIR:-}" ] && [[ "$XDG_RUNTIME_DIR" == */kurvanto-runtime.* ]] &&
        rm -rf "$XDG_RUNTIME_DIR"
    return 0
}
trap finish EXIT
export DISPLAY=$display
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done

stage "Starting a D-Bus session and the accessibility bus"
eval "$(dbus-launch --sh-syntax)"
export NO_AT_BRIDGE=0 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
sleep 1

stage "Starting the program and walking its tree"
# Settings and worksheets of the test's own, so that the user's are not touched.
XDG_CONFIG_HOME=$(mktemp -d "${TMPDIR:-/tmp}/kurvanto-a11y.XXXXXX")
export XDG_CONFIG_HOME
mkdir -p "$XDG_CONFIG_HOME/Kurvanto"
printf '[options]\npoints=true\n' >"$XDG_CONFIG_HOME/Kurvanto/kurvanto.conf"
"$root/build/kurvanto" >/dev/null 2>&1 &
program=$!
pids+=("$program")
args=("$program" --roots)
status=0
# Debian's own Python, which sees the Debian package pyatspi.
/usr/bin/python3 "$root/scripts/a11y-tree.py" "${args[@]}" || status=$?
rm -rf "$XDG_CONFIG_HOME"
exit "$status"
