#!/usr/bin/env bash
# Renders every control and row in each of its states, light and dark, at 1x
# and at a real 2x (QT_SCALE_FACTOR=2), to PNG files under <builddir>/gallery/
# named <control>-<state>-<scheme>-<scale>x.png: headless, software renderer.
set -euo pipefail

build_dir="${1:-build}"
gallery="$build_dir/tools/gallery/ordlen_gallery"
out="$(cd "$build_dir" && pwd)/gallery"

if [ ! -x "$gallery" ]; then
  echo "gallery: $gallery is missing; build first" >&2
  exit 1
fi

rm -rf "$out"
mkdir -p "$out"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"

for scale in 1 2; do
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
  QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software QT_QUICK_CONTROLS_STYLE=Basic QT_SCALE_FACTOR="$scale" \
    "$gallery" "$out"
done

for scale in 1 2; do
  count=$(find "$out" -name "*-${scale}x.png" | wc -l)
  echo "gallery: $count pictures at ${scale}x"
  [ "$count" -gt 0 ]
done
