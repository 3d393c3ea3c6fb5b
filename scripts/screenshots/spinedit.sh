#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A small window holding one spin edit (120 x 26) showing -2,5. Run by all.sh.
# Writes spinedit.png (the window, three times enlarged) into the current folder.
set -e
demo=$(realpath "$1")
LC_ALL=ru_RU.UTF-8 "$demo" & pid=$! # a comma locale
sleep 2
import -window root -crop 170x90+0+0 spinedit.png
convert spinedit.png -scale 300% spinedit.png
kill $pid; wait $pid || true
