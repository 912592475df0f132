#!/usr/bin/env bash
# The program installed as a school's machine gets it: `cmake --install` into a scratch prefix
# (the files in bin/ and share/, the program finding its folder there), the .desktop file, the
# MIME types and the AppStream data checked by the desktop's own tools, the manual page and
# --help, then the Debian package made by cpack, checked by lintian, installed by dpkg into a
# scratch root, run there as root and as an ordinary user, removed, and nothing left behind.
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
         share/mime/packages/optiphane.xml share/metainfo/fr.optiphane.optiphane.metainfo.xml \
         share/man/man1/optiphane.1.gz share/doc/optiphane/copyright \
         share/doc/optiphane/changelog.gz; do
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

# AppStream: what software centres read.
appstreamcli validate --pedantic --no-net \
  "$prefix/share/metainfo/fr.optiphane.optiphane.metainfo.xml" >"$scratch/appstream.txt" 2>&1 ||
  { cat "$scratch/appstream.txt" >&2; fail "appstreamcli validate"; }
grep -q '<launchable type="desktop-id">optiphane.desktop</launchable>' \
  "$prefix/share/metainfo/fr.optiphane.optiphane.metainfo.xml" || fail "metainfo sans lanceur"

# The manual page renders without a warning, and documents every option that --help names (and
# none that it does not).
manual=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
  "$prefix/share/man/man1/optiphane.1.gz" 2>"$scratch/man.txt") || fail "man -l"
[[ ! -s $scratch/man.txt ]] || { cat "$scratch/man.txt" >&2; fail "avertissements de man"; }
[[ $manual == *"CODE DE SORTIE"* && $manual == *TEMPO.SPC* ]] || fail "page de manuel incomplète"
usage=$(env -u DISPLAY "$prefix/bin/optiphane" --help) || fail "--help"
[[ $(env -u DISPLAY "$prefix/bin/optiphane" --version) == "optiphane $(sed -n \
  's/^project(Optiphane VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")" ]] ||
  fail "--version"
options() { grep -o -- '--[a-z]\+' | sort -u; }
diff <(options <<<"$usage") <(sed -n '/^OPTIONS/,/^CODE DE SORTIE/p' <<<"$manual" | options) ||
  fail "--help et la page de manuel ne citent pas les mêmes options"
[[ $manual == *"optiphane $(sed -n 's/^optiphane (\([^)]*\)).*/\1/p;q' \
  "$source/packaging/debian/changelog")"* ]] || fail "version de la page de manuel"

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
# lintian judges the package a distribution would ship: not a sanitizer build's.
if ! ldd "$build/optiphane" | grep -q 'libasan\|libubsan'; then
  lintian --fail-on error,warning "$deb" >"$scratch/lintian.txt" 2>&1 ||
    { cat "$scratch/lintian.txt" >&2; fail "lintian"; }
fi

# Installed by dpkg into a scratch root (its own database), run there, removed: nothing stays.
root=$scratch/racine
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
scratch_dpkg() {
  dpkg --instdir="$root" --admindir="$root/var/lib/dpkg" --log=/dev/null --force-not-root \
    --force-depends "$@" >"$scratch/dpkg.txt" 2>&1 || { cat "$scratch/dpkg.txt" >&2; fail "dpkg $*"; }
}
scratch_dpkg -i "$deb"
# The window is started (it writes its marker then) and stopped.
run_window() {
  local runtime=$1
  shift
  "$@" env -u DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" HOME="$runtime" \
    "$root/usr/bin/optiphane" &
  local pid=$!
  for _ in $(seq 200); do
    [[ -e $runtime/optiphane/TEMPO.SPC ]] && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ -e $runtime/optiphane/TEMPO.SPC ]] || fail "marqueur absent du dossier d'exécution ($*)"
}
chmod 755 "$scratch"
mkdir -m 700 "$scratch/run-root"
run_window "$scratch/run-root"
if (( EUID == 0 )) && id nobody >/dev/null 2>&1; then
  mkdir -m 700 "$scratch/run-nobody"
  chown nobody "$scratch/run-nobody"
  run_window "$scratch/run-nobody" runuser -u nobody --
  [[ $(stat -c %U "$scratch/run-nobody/optiphane/TEMPO.SPC") == nobody ]] ||
    fail "le marqueur d'un utilisateur ordinaire"
fi
scratch_dpkg -r optiphane
left=$(find "$root" -mindepth 1 -not -path "$root/var" -not -path "$root/var/lib" \
  -not -path "$root/var/lib/dpkg" -not -path "$root/var/lib/dpkg/*")
[[ -z $left ]] || fail "reste après la désinstallation : $left"
echo "installation, bureau, types MIME, AppStream, manuel et paquet : tout est en place"
