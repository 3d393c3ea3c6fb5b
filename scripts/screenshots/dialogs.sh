#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the properties and interval dialogs as a user would and takes screenshots.
# Run as: xvfb-run -a -s "-screen 0 1280x1024x24" scripts/screenshots/dialogs.sh build/kurvanto
# (no window manager: the coordinates assume the windows at their own positions).
# Writes props-dialog.png, props-result.png, interval-dialog.png and interval-result.png
# into the folder $SHOTS (default: ./shots).
set -e
prog=$(realpath "$1")
mkdir -p "${SHOTS:-shots}" && cd "${SHOTS:-shots}"
"$prog" & pid=$!
sleep 3
xdotool mousemove 143 46 click 1; sleep 1.5                  # toolbar: "Свойства графика"
xdotool type --delay 50 400; xdotool key Tab                  # width (selected on opening)
xdotool type --delay 50 300                                   # height
for i in 1 2 3 4; do xdotool key Tab; done
xdotool type --delay 50 20; xdotool key Tab Tab               # MAX Y, past "OK"
xdotool type --delay 50 5                                     # precision
xdotool mousemove 553 553 click 1; sleep 1.5                  # "Цвет графика..."
xdotool mousemove 784 616 click --repeat 3 1; xdotool key ctrl+a
xdotool type --delay 50 '#ff0000'; xdotool key Tab
xdotool mousemove 757 651 click 1; sleep 1                    # chooser's OK
import -window root props-dialog.png
xdotool mousemove 446 617 click 1; sleep 1                    # "OK"
xdotool mousemove 551 45 click 1; xdotool type --delay 50 'sin(x)*5'
xdotool mousemove 256 46 click 1; sleep 1.5; xdotool mousemove 900 900; sleep 0.3
import -window root props-result.png
xdotool mousemove 197 8 click 1; sleep 0.7                    # menu "Опции"
xdotool mousemove 287 29 click 1; sleep 0.5                   # "Построение на промежутке"
xdotool mousemove 310 46 click 1; sleep 0.5                   # clear the field
xdotool mousemove 551 45 click 1; xdotool key ctrl+a; xdotool type --delay 50 'x^2-3'
xdotool mousemove 256 46 click 1; sleep 1.5                   # build: the interval dialog
xdotool type --delay 50 2; xdotool key Tab; xdotool type --delay 50 5
import -window root interval-dialog.png
xdotool mousemove 639 543 click 1; sleep 1.5; xdotool mousemove 900 900; sleep 0.3
import -window root interval-result.png
kill $pid; wait $pid || true
