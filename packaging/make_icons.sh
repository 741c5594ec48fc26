#!/usr/bin/env bash
# Makes the desktop icons from the program's 32 x 32 icon, each pixel a sharp square
# (whole-number enlargement, no smoothing). Run again when assets/icon.png changes.
set -euo pipefail
cd "$(dirname "$0")"
for size in 32 64 128 256; do
  convert ../assets/icon.png -filter point -resize "${size}x${size}" -strip "icons/kelto-${size}.png"
done
