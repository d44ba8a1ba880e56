#!/bin/sh
# Renders the PNG sizes the hicolor icon theme looks for from the SVG.
# Run after changing the SVG (needs rsvg-convert, Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for s in 16 22 24 32 48 64 128 256; do
  mkdir -p "${s}x${s}"
  rsvg-convert -w "$s" -h "$s" local.ampora.Ampora.svg -o "${s}x${s}/local.ampora.Ampora.png"
done
