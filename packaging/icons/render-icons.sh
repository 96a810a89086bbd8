#!/usr/bin/env bash
# Renders the program's icon, tovrelle.svg, into the PNG sizes the desktop's
# icon theme looks for. Run it after changing the drawing and commit the
# PNG files (needs rsvg-convert, Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" tovrelle.svg -o "tovrelle-$size.png"
done
