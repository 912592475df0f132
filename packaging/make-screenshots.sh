#!/usr/bin/env bash
# Remakes the screenshots that software centres show (packaging/screenshots/, named in the
# AppStream file) from the program itself, under Xvfb, as a pupil sees it.
#
#   packaging/make-screenshots.sh [PROGRAM]
#
# PROGRAM is the built simulator (default: build/optiphane). Needs Xvfb, xdotool, ImageMagick
# and the DejaVu fonts. The clicks are those of tools/aide/make-images.sh (the main window at the
# screen's top-left corner, no window manager).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/optiphane}
out=$root/packaging/screenshots
display=:$((80 + RANDOM % 9))
[ -x "$program" ] || { echo "programme introuvable: $program" >&2; exit 2; }
mkdir -p "$out"
home=$(mktemp -d /tmp/captures.XXXXXX)
xvfb_pid= app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1

x() { DISPLAY="$display" xdotool "$@"; }
click() { x mousemove "$1" "$2" click "${3:-1}"; sleep "${4:-0.8}"; }
start_app() {
    env -u QT_QPA_PLATFORM -u QT_QPA_PLATFORMTHEME HOME="$home" DISPLAY="$display" \
        "$program" "$@" >/dev/null 2>&1 &
    app_pid=$!
    sleep 3
}
stop_app() { kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; app_pid=; sleep 0.5; }
# shot NAME: the main window, 791 x 565, as an 8-bit PNG without metadata.
shot() {
    x mousemove 1000 700; sleep 0.5
    DISPLAY="$display" import -window root -crop 791x565+0+0 +repage -depth 8 -strip \
        "PNG24:$out/$1.png"
}

# The bench with its panels: a ray refracted by the half-disc of Crown glass.
start_app "$root/data/exercices/REFRACTION.P02"
click 508 96 1 0.5; click 696 96 1 0.5; click 604 206 1 0.5; click 280 504
shot banc
stop_app

# White light spreading into a spectrum.
start_app "$root/data/exercices/DISPERSION.P02"
shot lumiere-blanche
stop_app

# The corrected measurements' graph: sin i against sin r, the grid, the crosses and the
# regression line (the table's menu, "Représentation graphique", then the columns by keys).
start_app "$root/data/exercices/REFRACTION_C.P02"
click 396 20 1 1; click 774 57 1 1; click 530 172 1 1.5
click 113 89 1 0.7; x key Down Down Down Return; sleep 0.5
click 113 119 1 0.7; x key Down Return; sleep 0.5
click 17 219 1 0.4; click 17 241 1 0.4; click 17 264 1 0.4
shot graphique
stop_app
ls "$out"
