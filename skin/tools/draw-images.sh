#!/bin/sh
# Draws the skin's PNG images from their SVG sources in skin/src/. The PNGs are kept in the
# repository, so a build never needs this; run it after changing a drawing.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
skin=$(cd "$(dirname "$0")/.." && pwd)
command -v rsvg-convert >/dev/null 2>&1 || {
    echo "draw-images.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
    exit 1
}
count=0
for svg in "$skin"/src/*.svg; do
    name=$(basename "$svg" .svg)
    rsvg-convert --format=png --output="$skin/$name.png" "$svg"
    count=$((count + 1))
done
echo "draw-images.sh: $count images drawn into $skin"
