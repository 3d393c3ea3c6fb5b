#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens the help window at its topic list and at the functions page. Run by all.sh.
# Writes help-topics.png and help-functions.png into the current folder.
set -e
viewer=$(realpath "$1")
for shot in "help-topics.png" "help-functions.png functions.html"; do
    set -- $shot
    LC_ALL=ru_RU.UTF-8 "$viewer" $2 & pid=$!
    sleep 2.5
    import -window root -crop 960x720+160+150 "$1"
    kill $pid; wait $pid || true
done
