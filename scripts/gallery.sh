#!/usr/bin/env bash
# Renders every control in each of its states, light and dark, to PNG files
# under <builddir>/gallery/ — headless, with the software renderer.
set -euo pipefail

build_dir="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
runner="$build_dir/tests/views/ordlen_qmltests"
out="$(cd "$build_dir" && pwd)/gallery"

if [ ! -x "$runner" ]; then
  echo "gallery: $runner is missing; build the tests first" >&2
  exit 1
fi

rm -rf "$out"
mkdir -p "$out"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT

HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software QT_QUICK_CONTROLS_STYLE=Basic \
ORDLEN_GALLERY_DIR="$out" \
  "$runner" -input "$root/tests/views/controls/gallery/tst_gallery.qml"

count=$(find "$out" -name '*.png' | wc -l)
echo "gallery: $count pictures in $out"
[ "$count" -gt 0 ]
