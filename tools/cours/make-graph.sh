#!/usr/bin/env bash
# The graph of the course's chapter 7, made by the program itself: the corrected refraction
# exercise's configuration opened, its table shown, "Représentation graphique" with sin i (C3)
# against sin r (C4), crosses, grid and regression line, and the grapher's window taken.
#
#   tools/cours/make-graph.sh PROGRAM CONFIGURATION.P02 OUT.png [WORK]
#
# PROGRAM is run from WORK (a scratch folder holding the program and data/), under Xvfb
# (1024 x 768, no window manager: the window sits at the top-left corner), as
# tools/aide/make-images.sh does; xdotool clicks as a pupil would.
set -u
program=$1 configuration=$2 out=$3
work=${4:-$(dirname "$program")}
raw=$(mktemp -d /tmp/cours-graphe.XXXXXX)
display=:$((80 + RANDOM % 9))
xvfb_pid= app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$raw"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
(cd "$work" && exec env -u QT_QPA_PLATFORM -u QT_QPA_PLATFORMTHEME HOME="$raw" \
    DISPLAY="$display" "$program" "$configuration" >/dev/null 2>&1) &
app_pid=$!
sleep 3
x() { DISPLAY="$display" xdotool "$@"; }
click() { x mousemove "$1" "$2" click "${3:-1}"; sleep "${4:-0.8}"; }

click 396 20 1 1                 # "Tableau"
click 500 240 3                  # the table's menu
click 600 364 1 1.5              # "Représentation graphique"
click 113 89 1 0.7; click 100 149 1 0.7   # "Abscisse:" C4
click 113 119 1 0.7; click 100 139 1 0.7  # "Ordonnée:" C3
click 17 223 1 0.6; click 17 248 1 0.6; click 17 263 1 0.6  # grid, crosses, regression
x mousemove 700 300; sleep 0.5
DISPLAY="$display" import -window root -depth 8 "PNG24:$raw/graphe.png"
convert "$raw/graphe.png" -crop 791x565+0+0 +repage -resize 640x -strip -colors 256 "PNG8:$out"
