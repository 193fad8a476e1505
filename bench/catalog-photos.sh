#!/usr/bin/env bash
# Prepares 1,000 generated 1600 x 1200 JPEGs as the photo pages do (decoded at a width of 600 and
# written out) and makes the same thumbnails with `vipsthumbnail -s 600`, and prints both times and
# the ratio.
#   bench/catalog-photos.sh [BUILD_DIR]      (default ./build; builds quib_catalogdriver when needed;
#                                            time an optimised build: a Debug one runs unoptimised code)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
command -v vipsthumbnail >/dev/null ||
  { echo "vipsthumbnail is missing (Debian package libvips-tools)" >&2; exit 1; }
command -v convert >/dev/null || { echo "convert is missing (Debian package imagemagick)" >&2; exit 1; }
cmake --build "$build" --target quib_catalogdriver >/dev/null
driver=$build/quib_catalogdriver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/photos" "$work/quib" "$work/vips"
convert -size 1600x1200 plasma:fractal -quality 85 "$work/seed.jpg"
for n in $(seq -w 1 1000); do cp "$work/seed.jpg" "$work/photos/p$n.jpg"; done

now_ms() { date +%s%3N; }
start=$(now_ms)
QT_QPA_PLATFORM=offscreen "$driver" photos "$work/photos" "$work/quib"
quib_ms=$(( $(now_ms) - start ))
start=$(now_ms)
vipsthumbnail -s 600 -o "$work/vips/%s.jpg" "$work/photos"/*.jpg
vips_ms=$(( $(now_ms) - start ))

echo "photo preparation: $quib_ms ms"
echo "vipsthumbnail -s 600: $vips_ms ms"
awk -v q="$quib_ms" -v v="$vips_ms" 'BEGIN { printf "ratio quib/vips: %.2f\n", (v > 0 ? q / v : 0) }'
