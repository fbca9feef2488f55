#!/usr/bin/env bash
# Draws the application icon (a receipt printer with a paper strip) at 48, 32 and 16 pixels.
set -euo pipefail
cd "$(dirname "$0")"
draw() {
  convert -size 48x48 xc:none \
    -fill '#f4f4f4' -stroke '#5a5a5a' -strokewidth 1.5 -draw 'rectangle 14,3 34,22' \
    -stroke '#9a9a9a' -strokewidth 1 -draw 'line 18,9 30,9' -draw 'line 18,13 30,13' -draw 'line 18,17 26,17' \
    -fill '#2f6fb2' -stroke '#1d4a7a' -strokewidth 1.5 -draw 'roundrectangle 5,20 43,40 4,4' \
    -fill '#1d4a7a' -stroke none -draw 'rectangle 12,26 36,29' \
    -fill '#7fe07f' -draw 'circle 37,34 39,34' \
    -resize "$1x$1" "png32:icon-$1.png"
}
for size in 48 32 16; do draw $size; done
convert icon-48.png icon-32.png icon-16.png printer_setup.ico
rm -f icon-48.png icon-32.png icon-16.png
