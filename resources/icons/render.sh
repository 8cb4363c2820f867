#!/usr/bin/env bash
# Renders the icon's PNG sizes from the SVG. The PNGs are committed, so the
# build needs no SVG renderer; run this after changing the SVG.
# Needs rsvg-convert (Debian: librsvg2-bin) or ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")"
svg=io.github.staffelplan.Staffelplan.svg
mkdir -p png
for size in 16 32 48 64 128 256; do
  out=png/$size.png
  if command -v rsvg-convert >/dev/null; then
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$out"
  else
    convert -background none -density 384 "$svg" -resize "${size}x$size" "$out"
  fi
  echo "$out"
done
