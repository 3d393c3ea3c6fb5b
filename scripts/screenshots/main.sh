#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the main window as a new user would: builds x^2-3, reads the coordinates under the
# mouse, then adds tick marks at 1 and 1, a corner at 2 and the label "вершина" near the
# vertex. Run by all.sh on an X server with openbox (a 1280x1024 screen; the window
# maximized, so the coordinates below are the screen's). Writes main.png,
# annotation-dialog.png and annotation.png into the current folder.
set -e
prog=$(realpath "$1")
LC_ALL=ru_RU.UTF-8 "$prog" & pid=$! # Qt reads the decimal comma from here
sleep 3
xdotool mousemove 551 64 click 1; xdotool type --delay 50 'x^2-3'   # the formula box
xdotool mousemove 256 65 click 1; sleep 1.5                          # build
xdotool mousemove 420 250; sleep 0.5                                 # the read-out
import -window root -crop 800x600+0+0 main.png
annot() { xdotool mousemove 200 65 click 1; sleep 1.5; }             # "Усовершенствование графика"
xdo_spin() { xdotool mousemove "$1" "$2" click 1; xdotool key ctrl+a; xdotool type --delay 50 "$3"; }
annot                                                                # tick marks (the default kind)
xdo_spin 690 437 1; xdo_spin 690 469 1
xdotool mousemove 537 592 click 1; sleep 1                           # "Делать"
annot; xdotool mousemove 470 472 click 1                             # corners
xdo_spin 690 437 2
xdotool mousemove 537 592 click 1; sleep 1
annot; xdotool mousemove 470 497 click 1                             # labels
xdotool mousemove 770 501 click 1; xdotool type --delay 50 'вершина'; sleep 0.3
import -window root -crop 860x620+0+0 annotation-dialog.png
xdotool mousemove 537 592 click 1; sleep 1
xdotool mousemove 345 400 click 1; sleep 0.5                         # place the label
xdotool mousemove 900 900; sleep 0.3
import -window root -crop 800x600+0+0 annotation.png
kill $pid; wait $pid || true
