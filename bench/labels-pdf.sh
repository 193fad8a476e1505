#!/usr/bin/env bash
# 100 sheets of a 30-up letter layout (3,000 address labels, each with its text and a small
# picture, from one merge file) written to PDF twice in one run: by the project's sheet composition
# (quib_labelsdriver) and by `glabels-3-batch` on an equivalent template; prints both times and
# the ratio. Not a test.
#   bench/labels-pdf.sh [BUILD_DIR]      (default ./build; builds quib_labelsdriver when needed;
#                                        time an optimised build: a Debug one runs unoptimised code)
# Needs glabels-3-batch (Debian package glabels), convert (imagemagick) and pdfinfo (poppler-utils).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
missing=0
need() {
  command -v "$1" >/dev/null || { echo "$1 is missing (Debian package $2)" >&2; missing=1; }
}
need glabels-3-batch glabels
need convert imagemagick
need pdfinfo poppler-utils
[ "$missing" -eq 0 ] || exit 1
cmake --build "$build" --target quib_labelsdriver >/dev/null
driver=$build/quib_labelsdriver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

labels=3000
convert -size 96x96 gradient:steelblue-orange "$work/picture.png"
# Columns: name, street, city, picture. Commas never occur inside a field.
for n in $(seq 1 "$labels"); do
  printf 'Addressee %04d,%d Harbour Street,Springfield %05d,%s\n' "$n" "$n" "$((10000 + n))" "$work/picture.png"
done >"$work/merge.csv"

# The layout of "Label - 30 Per Letter Sheet" in points: 2.625 x 1 in labels, 0.125984 in between
# columns, none between rows, margins 0.5 in at the top and 0.21975 in at the left.
cat >"$work/labels.glabels" <<EOF
<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Bench" part="30-up" size="US-Letter" description="Label - 30 Per Letter Sheet">
    <Meta category="label"/>
    <Label-rectangle id="0" width="189pt" height="72pt" round="0pt" x_waste="0pt" y_waste="0pt">
      <Markup-margin size="0pt"/>
      <Layout nx="3" ny="10" x0="15.822pt" y0="36pt" dx="198.0708pt" dy="72pt"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-image x="6.4pt" y="7.2pt" w="57.6pt" h="57.6pt" lock_aspect_ratio="True" field="4" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0"/>
    <Object-text x="73.8pt" y="7.2pt" w="108pt" h="57.6pt" justify="Left" valign="Top" auto_shrink="False" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0">
      <Span color="0x000000ff" font_family="DejaVu Sans" font_size="9" font_weight="Regular" font_italic="False" line_spacing="1"><Field name="1"/><NL/><Field name="2"/><NL/><Field name="3"/></Span>
    </Object-text>
  </Objects>
  <Merge type="Text/Comma" src="$work/merge.csv"/>
</Glabels-document>
EOF

now_ms() { date +%s%3N; }
start=$(now_ms)
QT_QPA_PLATFORM=offscreen "$driver" "$work/merge.csv" "$work/quib.pdf"
quib_ms=$(($(now_ms) - start))
start=$(now_ms)
glabels-3-batch -o "$work/glabels.pdf" "$work/labels.glabels" >/dev/null 2>"$work/glabels.log" ||
  { cat "$work/glabels.log" >&2; exit 1; }
glabels_ms=$(($(now_ms) - start))

pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }
quib_pages=$(pages "$work/quib.pdf")
glabels_pages=$(pages "$work/glabels.pdf")
echo "quib composition: $quib_ms ms, $quib_pages pages, $(stat -c %s "$work/quib.pdf") bytes"
echo "glabels-3-batch: $glabels_ms ms, $glabels_pages pages, $(stat -c %s "$work/glabels.pdf") bytes"
awk -v q="$quib_ms" -v g="$glabels_ms" 'BEGIN { printf "ratio quib/glabels: %.2f\n", (g > 0 ? q / g : 0) }'
if [ -n "${KEEP_PDFS:-}" ]; then
  mkdir -p "$KEEP_PDFS"
  cp "$work/quib.pdf" "$work/glabels.pdf" "$KEEP_PDFS/"
fi
[ "$quib_pages" = 100 ] && [ "$glabels_pages" = 100 ] ||
  { echo "expected 100 pages from each" >&2; exit 1; }
