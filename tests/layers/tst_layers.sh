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
sed -i '1a #include <QWidget>' "$copy/bench/optics.cpp"                  # QtWidgets in the core
sed -i '1a #include "bench/benchview.h"' "$copy/bench/redraw.cpp"        # a window in the core
sed -i '1a #include "config/configuration.h"' "$copy/state/module1.cpp"  # a layer above
if out=$("$check" "$copy" 2>&1); then
  echo "the planted includes were not seen" >&2
  exit 1
fi
for expected in "bench/optics.cpp:2:" "bench/redraw.cpp:2:" "state/module1.cpp:2:"; do
  grep -qF "$expected" <<<"$out" || { echo "not reported: $expected" >&2; echo "$out" >&2; exit 1; }
done
