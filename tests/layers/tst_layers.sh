#!/usr/bin/env bash
# The layer check on the tree as it is (no fault), then on a copy with one planted include of each
# kind (each reported).
set -euo pipefail
source_dir=$1
check=$source_dir/tools/check-layers
"$check" "$source_dir/src"

copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$source_dir/src/." "$copy"
sed -i '1a #include <QWidget>' "$copy/core/bench/optics.cpp"                   # QtWidgets in the core
sed -i '1a #include "gui/bench/benchview.h"' "$copy/core/bench/redraw.cpp"       # a window in the core
sed -i '1a #include "core/config/configuration.h"' "$copy/core/state/module1.cpp" # a layer above
sed -i '1a #include "gui/app/prisme.h"' "$copy/gui/table/tablecontrols.cpp"      # the window's layer
echo 'list(APPEND OPTIPHANE_UI_SOURCES x.cpp)' >>"$copy/core/expr/sources.cmake" # a window in core/
if out=$("$check" "$copy" 2>&1); then
  echo "the planted includes were not seen" >&2
  exit 1
fi
for expected in core/bench/optics.cpp:2: core/bench/redraw.cpp:2: core/state/module1.cpp:2: \
  gui/table/tablecontrols.cpp:2: core/expr/sources.cmake:; do
  grep -qF "$expected" <<<"$out" || { echo "not reported: $expected" >&2; echo "$out" >&2; exit 1; }
done
