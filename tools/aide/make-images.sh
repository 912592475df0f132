#!/usr/bin/env bash
# Remakes the pictures of the help (data/aide/images/) from the program itself.
#
#   tools/aide/make-images.sh [PROGRAM]
#
# PROGRAM is the built simulator (default: build/optiphane). It is copied with the content of
# data/ into a scratch folder (/tmp/Optiphane, the folder the pictures show) and run there under
# Xvfb (1024 x 768, no window manager: the main window sits at the top-left corner); xdotool
# clicks and types as a pupil would, ImageMagick takes and crops the screenshots.
# Needs: Xvfb, xdotool, ImageMagick (import, convert), pdftoppm (poppler-utils), DejaVu fonts.
set -u

root=$(cd "$(dirname "$0")/../.." && pwd)
program=${1:-$root/build/optiphane}
out=$root/data/aide/images
run=/tmp/Optiphane          # the program's folder, as the pictures show it
home=/tmp/eleve             # the pupil's home folder, where the dialogs start
raw=$(mktemp -d /tmp/aide-raw.XXXXXX)
display=:$((70 + RANDOM % 9))
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

[ -x "$program" ] || { echo "programme introuvable: $program" >&2; exit 2; }
rm -rf "$run" "$home" && mkdir -p "$out" "$run" "$home"
cp "$program" "$run/optiphane"
cp -r "$root"/data/* "$run/"
rm -rf "$run/aide" "$run/cours"

xvfb_pid= app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1

start_app() {
    (cd "$run" && exec env -u QT_QPA_PLATFORM -u QT_QPA_PLATFORMTHEME HOME="$home" \
        DISPLAY="$display" ./optiphane >/dev/null 2>&1) &
    app_pid=$!
    sleep 3
}
stop_app() {
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=
    sleep 0.5
}
x() { DISPLAY="$display" xdotool "$@"; }
click() { x mousemove "$1" "$2" click "${3:-1}"; sleep "${4:-0.8}"; }
shot() { DISPLAY="$display" import -window root -depth 8 "PNG24:$raw/$1.png"; }
# crop NAME SHOT GEOMETRY [WIDTH]: a piece of a screenshot, made small (8-bit palette, no
# metadata), optionally scaled to WIDTH pixels.
crop() {
    local resize=()
    [ $# -ge 4 ] && resize=(-resize "$4x")
    convert "$raw/$2.png" -crop "$3" +repage "${resize[@]}" -strip -colors 256 "PNG8:$out/$1.png"
}
# drag X1 Y1 X2 Y2 ...: presses the left button on the first point, moves through the others.
drag() {
    x mousemove "$1" "$2"; sleep 0.3; x mousedown 1; shift 2
    while [ $# -ge 2 ]; do x mousemove "$1" "$2"; sleep 0.15; shift 2; done
    x mouseup 1; sleep 0.8
}
window=791x565+0+0
bench=408x408+8+48

# ---- First session: the main window, the panels, the protractor, the table, the tools ----
start_app
shot start

# The four panels.
click 508 96 1 0.5; click 696 96 1 0.5; click 604 206 1 0.5; click 280 504
shot panneaux
crop panneaux panneaux "$window" 640
crop materiaux panneaux 362x98+424+48
crop source panneaux 362x114+424+152
crop options panneaux 274x82+144+464

# The list of materials, then "Autre".
click 540 78
shot liste
crop liste-materiaux liste 111x102+484+28
click 505 119 1 1.2
shot autre
crop autre-materiau autre 360x214+411+20
click 712 204

# The protractor, then its line laid on the refracted ray (28,0 degrees).
click 72 504 1 1
shot rapporteur-ouvert
convert "$raw/rapporteur-ouvert.png" -crop 202x202+111+151 +repage -resize 150% -strip \
    -colors 256 "PNG8:$out/rapporteur-zoom.png"
drag 211 161 220 163 235 168 250 175 265 185 280 198 290 208 291 209 290 209
shot rapporteur
crop rapporteur rapporteur 412x500+6+46
click 127 473

# The table: an arithmetic sequence in C1, measured angles in C2.
click 396 20 1 1
click 459 75
click 540 151 1 1
x type -- "10"; x key Tab; x type -- "80"; x key Tab; x type -- "10"; sleep 0.4
shot suite
crop suite-arithmetique suite 265x152+254+167
click 367 291
click 526 93 1 0.3
for v in 6.6 13.1 19.4 25.3 30.6 35.1 38.6 40.8; do
    x type -- "$v"; sleep 0.1; x key Down; sleep 0.1
done
sleep 0.4
shot saisie
crop tableau-saisie saisie 362x219+424+47

# The table menu, and 8 rows instead of 10.
click 660 150 3
shot menu-tableau
crop menu-tableau menu-tableau 336x181+661+150
click 740 160 1 1
click 430 248 1 0.3; click 430 248 1 0.5
shot lignes
crop nombre-lignes lignes 331x134+220+175
click 400 285

# C3 = sin (C1) and C4 = sin (C2), with the calculator in column mode.
click 593 75
shot menu-colonne-vide
crop menu-colonne menu-colonne-vide 249x179+594+76
click 650 85 1 1.2
click 264 208 1 0.3; click 326 268 1 0.3; click 268 125 1 0.3; click 386 268 1 0.5
shot calcul-colonne
crop calcul-colonne calcul-colonne 302x432+234+26
click 485 428 1 1.5
click 660 75
click 717 85 1 1.2
click 264 208 1 0.3; click 326 268 1 0.3; click 326 125 1 0.3; click 386 268 1 0.5
click 485 428 1 1.5

# Column titles.
for c in "459 i" "526 r" "593 sin_i" "660 sin_r"; do
    set -- $c
    click "$1" 75
    click $(($1 + 60)) 197 1 1
    x type -- "${2/_/ }"; x key Return; sleep 0.6
done
click 600 240 1 0.5
shot tableau
crop tableau tableau 362x219+424+47

click 593 75
shot menu-colonne-formule
crop menu-colonne-formule menu-colonne-formule 249x179+594+76
click 650 107 1 1
shot expression
crop voir-expression expression 154x84+308+200
click 410 260 1 0.5

click 500 240 3
click 600 340 1 1
shot format
crop format format 569x243+101+121
click 611 338 1 0.5

# The grapher: sin i against sin r, grid, crosses, regression line.
click 500 240 3
click 600 364 1 1.5
click 113 89 1 0.7; click 100 149 1 0.7
click 113 119 1 0.7; click 100 139 1 0.7
click 17 223 1 0.6; click 17 248 1 0.6; click 17 273 1 0.6
x mousemove 700 300; sleep 0.5
shot graphique
crop graphique graphique "$window" 640
click 79 544

# Printing, copying, saving, opening.
click 308 20 1 1.5
shot imprimer
crop imprimer imprimer 340x288+225+24
click 503 285
click 220 20
shot copier
crop copier copier 252x68+220+20
click 340 76
click 132 20 1 1.2
click 255 342 1 0.3
x type -- "mesures-crown"; sleep 0.4
shot enregistrer
crop enregistrer enregistrer 470x388+20+20
x key Return; sleep 1.5
click 44 20 1 1.2
click 280 57 1 0.5
shot ouvrir
crop ouvrir ouvrir 470x388+20+20
click 424 382

# The calculator: sin 45 / sin 28.
click 484 20 1 1.2
click 264 208 1 0.2; x type -- "45"; click 507 366 1 0.2
click 264 208 1 0.2; x type -- "28"; click 485 428 1 0.8
shot calculatrice
crop calculatrice calculatrice 302x432+234+26
stop_app

# ---- Second session: an exercise, an answer typed in it, closing ----
start_app
click 466 301
click 560 346 1 1.5
x mousemove 40 145 click --repeat 2 --delay 80 1; sleep 1.2
click 60 434 1 1.2
shot exercice-fenetre
crop exercice-fenetre exercice-fenetre "$window" 640
click 719 23 1 2.5
click 600 450 1 0.3
x key ctrl+End; x type -- " n = 1,51"; sleep 0.5
shot exercice-ouvert
crop exercice-ouvert exercice-ouvert "$window" 640
click 466 301
shot menu-exercices
crop menu-exercices menu-exercices 322x182+424+290
click 500 368 1 1
shot abandon
crop abandon abandon 336x84+217+200
click 500 260 1 0.6

# Closing: the two questions (OK to the first, Annuler to the second).
click 748 20 1 1
click 415 260 1 1
shot fermer
crop fermer fermer 270x84+250+200
click 468 260 1 0.6
stop_app

# ---- Third session: the bench in other settings ----
start_app
click 280 504 1 0.5
click 159 518 1 1
shot fond-blanc
crop banc-fond-blanc fond-blanc "$bench" 272
click 267 517 1 1
shot miroir
crop banc-miroir miroir "$bench" 272
click 267 502 1 0.6; click 159 503 1 1
drag 77 385 40 300 40 200 80 120 150 80 250 80 320 100 333 106
shot totale
crop banc-reflexion-totale totale "$bench" 272
stop_app

# The bench in white light, drawn by the program alone.
(cd "$run" && DISPLAY="$display" ./optiphane --image "$raw/dispersion.png" exercices/DISPERSION.P02)
convert "$raw/dispersion.png" -resize 272x -strip -colors 256 "PNG8:$out/banc-lumiere-blanche.png"

# A printed page (into a PDF file), made small.
(cd "$run" && DISPLAY="$display" ./optiphane --pdf "$raw/fiche.pdf")
pdftoppm -r 40 -png -singlefile "$raw/fiche.pdf" "$raw/fiche"
convert "$raw/fiche.png" -bordercolor '#808080' -border 1 -strip -colors 256 "PNG8:$out/fiche-imprimee.png"

# The main window with numbers on its parts (the numbers of the first page of the help).
args=()
label() { args+=(-fill '#d00000' -stroke white -strokewidth 2 -draw "circle $1,$2 $(($1 + 12)),$2"
                 -stroke none -fill white -draw "text $(($1 - ${#3} * 4)),$(($2 + 5)) '$3'"); }
label 14 30 1; label 32 72 2; label 104 384 3; label 532 96 4; label 726 96 5; label 632 206 6
label 102 504 7; label 312 504 8; label 770 288 9; label 466 276 10; label 604 321 11
label 720 352 12
convert "$raw/start.png" -crop "$window" +repage -font "$font" -pointsize 14 "${args[@]}" \
    -resize 640x -strip -colors 256 "PNG8:$out/fenetre-principale.png"

rm -rf "$raw" "$run" "$home"
du -sh "$out"
