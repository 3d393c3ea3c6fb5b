#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes every screenshot of the program on a private virtual X server, as a user would see
# it (the program in a Russian locale, with the decimal comma). Installs what it needs
# (xdotool, ImageMagick, the openbox window manager for the window captions) and builds
# first.
# Usage: scripts/screenshots/all.sh [folder]   (default: ./shots)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
"$root/scripts/deps.sh" xdotool imagemagick openbox
"$root/scripts/build.sh" build
out=${1:-shots}
mkdir -p "$out" && cd "$out"
screen=(-a -s "-screen 0 1280x1024x24")
xvfb-run "${screen[@]}" bash -c '
    openbox & wm=$!
    sleep 1
    "$0/main.sh" "$1/kurvanto"
    "$0/explore.sh" "$1/kurvanto"
    "$0/help.sh" "$1/kurvanto-help"
    "$0/spinedit.sh" "$1/spinedit_demo"
    kill $wm' "$here" "$root/build"
# The dialogs script places its clicks for windows without a frame.
SHOTS=. xvfb-run "${screen[@]}" "$here/dialogs.sh" "$root/build/kurvanto"
ls -1 "$PWD"/*.png
