#!/usr/bin/env bash
# Renders the icon's PNG sizes from the SVG. The PNGs are committed, so the
# build needs no SVG renderer; run this after changing the SVG.
# Needs rsvg-convert (Debian: librsvg2-bin); ImageMagick's own SVG renderer
# misplaces the rotated shuttlecock.
set -euo pipefail
cd "$(dirname "$0")"
svg=io.github.staffelplan.Staffelplan.svg
command -v rsvg-convert >/dev/null || { echo "rsvg-convert missing: apt-get install librsvg2-bin" >&2; exit 1; }
mkdir -p png
for size in 16 32 48 64 128 256; do
  out=png/$size.png
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$out"
  echo "$out"
done
