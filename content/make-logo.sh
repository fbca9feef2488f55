#!/usr/bin/env bash
# Draws the Demo logo for the wizard's white header band: 200 x 54, 24-bit BMP3
# (the page window copies it unscaled and LoadImage reads plain BMPs best).
# Needs ImageMagick 6 (convert) and the DejaVu fonts (Debian: fonts-dejavu-core).
# Usage: content/make-logo.sh [OUTPUT]   (default: logo.bmp next to this script)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/logo.bmp}
fonts=${LOGO_FONT_DIR:-/usr/share/fonts/truetype/dejavu}
bold=$fonts/DejaVuSans-Bold.ttf
plain=$fonts/DejaVuSans.ttf
for f in "$bold" "$plain"; do
  [ -r "$f" ] || { echo "make-logo: font not found: $f" >&2; exit 1; }
done

brand='#1565C0'   # printer body and tagline
ink='#1F2933'     # wordmark
paper='#FFFFFF'
edge='#90A4AE'    # paper outline

# Icon (x 36..74): a printer body with a receipt coming out of its top slot,
# the receipt's torn edge drawn as a zigzag. The wordmark ends about 14 px from
# the right edge, where the header band meets the window border.
convert -size 200x54 xc:white \
  -fill "$brand" -stroke none \
  -draw 'roundrectangle 36,22 74,44 5,5' \
  -fill '#0D47A1' -draw 'rectangle 42,22 68,25' \
  -fill "$paper" -stroke "$edge" -strokewidth 1 \
  -draw 'polygon 44,24 44,9 47,6 50,9 53,6 56,9 59,6 62,9 65,6 66,7 66,24' \
  -stroke none -fill '#B0BEC5' \
  -draw 'rectangle 48,12 62,13' -draw 'rectangle 48,16 59,17' -draw 'rectangle 48,20 61,21' \
  -fill '#FFFFFF' -draw 'rectangle 43,29 67,31' \
  -fill '#4FC3F7' -draw 'circle 69,38 70.5,38' \
  -font "$bold" -pointsize 31 -fill "$ink" -annotate +83+37 'Demo' \
  -font "$bold" -pointsize 8 -fill "$brand" -kerning 7.4 -annotate +86+49 'PRINTERS' \
  -alpha off -type TrueColor -compress None "BMP3:$out"
