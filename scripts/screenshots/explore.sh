#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The view and the field's options as a user meets them: builds x^2-3, turns the wheel three
# notches over the point (2; 1), drags the view to the right, opens the "Опции" menu, turns
# on the grid, the numbers on the axes, the breaks and the legend, and builds 1/x and tg(x)
# beside the parabola. Run by all.sh on an X server with openbox (a 1280x1024 screen; the
# window maximized, so the coordinates below are the screen's; the picture's top left pixel is
# at 12,106). Writes zoom.png, pan.png, options-menu.png and options.png into the current
# folder, and the help's pictures cut from them: view-zoom.png, options-field.png and
# options-menu-help.png (the help's pages/options-menu.png). The options are the window's remembered settings: this script runs the program with
# a settings folder of its own, so a user's settings are neither used nor changed.
set -e
prog=$(realpath "$1")
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
LC_ALL=ru_RU.UTF-8 "$prog" & pid=$!
sleep 3
formula() { xdotool mousemove 551 64 click 1; xdotool key ctrl+a; xdotool type --delay 40 "$1"; }
build() { xdotool mousemove 256 65 click 1; sleep 1; }
shot() { xdotool mousemove 1100 900; sleep 0.5; import -window root -crop 800x600+0+0 "$1"; }
formula 'x^2-3'; build
xdotool mousemove 397 304                                           # the point (2; 1)
for i in 1 2 3; do xdotool click 4; sleep 0.3; done                 # the wheel, up
sleep 0.3; import -window root -crop 800x600+0+0 zoom.png           # the pointer still on it
xdotool mousemove 200 450 mousedown 1                               # drag 150 pixels right
for x in 230 260 290 320 350; do xdotool mousemove "$x" 450; sleep 0.1; done
xdotool mouseup 1; shot pan.png
xdotool key ctrl+0; sleep 0.5                                       # back to the start values
xdotool mousemove 197 27 click 1; sleep 0.7                         # the menu "Опции"
import -window root -crop 800x600+0+0 options-menu.png
xdotool key Escape; sleep 0.3
for y in 96 118 140 162; do                                         # Сетка .. Легенда
    xdotool mousemove 197 27 click 1; sleep 0.5
    xdotool mousemove 230 "$y" click 1; sleep 0.7
done
formula '1/x'; build
formula 'tg(x)'; build
shot options.png
kill $pid; wait $pid || true
convert zoom.png -crop 800x558+0+0 +repage view-zoom.png
convert options-menu.png -crop 240x166+166+14 +repage options-menu-help.png
convert options.png -crop 664x466+0+92 +repage options-field.png
