#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from its SVG (needs rsvg-convert, librsvg2-bin).
# The PNGs are committed, so the build does not need the renderer.
set -euo pipefail
icons="$(dirname "$0")/../packaging/icons"
for size in 16 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$icons/zuzududada.svg" -o "$icons/${size}x${size}/zuzududada.png"
done
