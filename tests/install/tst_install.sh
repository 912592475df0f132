#!/usr/bin/env bash
# The program installed as a school's machine gets it: `cmake --install` into a scratch prefix
# (the files in bin/ and share/, the program finding its folder there), the .desktop file and the
# MIME types checked by the desktop's own tools, then the Debian package made by cpack, unpacked
# into a scratch root and run from there.
#   tst_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "ÉCHEC : $*" >&2; exit 1; }

# 1. Install.
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/optiphane share/optiphane/OPTIPHANE.PEM share/optiphane/PRISENMAIN.RTF \
         share/optiphane/exercices/REFRACTION.E02 share/optiphane/exercices/REFRACTION_C.P02 \
         share/optiphane/aide/index.html share/optiphane/cours/index.html \
         share/applications/optiphane.desktop share/icons/hicolor/scalable/apps/optiphane.svg \
         share/mime/packages/optiphane.xml; do
  [[ -e $prefix/$f ]] || fail "fichier non installé : $f"
done
[[ ! -e $prefix/bin/OPTIPHANE.PEM ]] || fail "les données ne vont pas dans bin/"

# The installed program works from there.
env -u DISPLAY QT_QPA_PLATFORM=offscreen "$prefix/bin/optiphane" --image "$scratch/banc.png" \
  "$prefix/share/optiphane/exercices/REFRACTION.P02" || fail "--image depuis l'installation"
[[ $(head -c 8 "$scratch/banc.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
  fail "--image n'a pas écrit un PNG"
text=$(env -u DISPLAY QT_QPA_PLATFORM=offscreen "$prefix/bin/optiphane" --texte \
  "$prefix/share/optiphane/PRISENMAIN.RTF") || fail "--texte"
[[ $text == *rapporteur* ]] || fail "--texte n'a pas lu la prise en main"

# 2. The desktop entry, and the MIME types in a scratch XDG folder.
desktop-file-validate "$prefix/share/applications/optiphane.desktop" | grep -v '^.*hint:' &&
  fail "desktop-file-validate" || true
desktop-file-validate "$prefix/share/applications/optiphane.desktop" >/dev/null ||
  fail "desktop-file-validate"
grep -q '^Categories=Education;Physics;$' "$prefix/share/applications/optiphane.desktop" ||
  fail "catégories"
xdg=$scratch/xdg
mkdir -p "$xdg/mime/packages"
cp "$prefix/share/mime/packages/optiphane.xml" "$xdg/mime/packages/"
update-mime-database "$xdg/mime" >/dev/null 2>&1
cp "$source/tests/config/data/startup.P02" "$scratch/tp.P02"
cp "$source/tests/config/data/startup.P02" "$scratch/tp2.p02"
cp "$source/data/exercices/REFLEXION.E02" "$scratch/exo.E02"
for pair in tp.P02:application/x-optiphane-configuration tp2.p02:application/x-optiphane-configuration \
            exo.E02:application/x-optiphane-exercise; do
  got=$(XDG_DATA_HOME=$xdg XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$scratch/${pair%%:*}")
  [[ $got == "${pair#*:}" ]] || fail "xdg-mime ${pair%%:*} : $got"
done

# 3. The Debian package: its dependencies, its contents, and the program run from it.
(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null) || fail "cpack"
deb=$(ls "$scratch"/package/optiphane_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins; do
  [[ $depends == *"$p"* ]] || fail "dépendance manquante : $p"
done
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/optiphane ./usr/share/optiphane/OPTIPHANE.PEM \
         ./usr/share/applications/optiphane.desktop ./usr/share/mime/packages/optiphane.xml \
         ./usr/share/icons/hicolor/scalable/apps/optiphane.svg; do
  grep -q " $f\$" <<<"$contents" || fail "paquet sans $f"
done
root=$scratch/root
dpkg -x "$deb" "$root"
env -u DISPLAY QT_QPA_PLATFORM=offscreen "$root/usr/bin/optiphane" --image "$scratch/paquet.png" ||
  fail "--image depuis le paquet"
env -u DISPLAY QT_QPA_PLATFORM=offscreen "$build/optiphane" --image "$scratch/construit.png"
cmp -s "$scratch/construit.png" "$scratch/paquet.png" || fail "le paquet ne dessine pas le même banc"
echo "installation, bureau, types MIME et paquet : tout est en place"
