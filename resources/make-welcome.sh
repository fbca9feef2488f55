#!/usr/bin/env bash
# Draws the welcome page's side picture (bitmap 131): 163 x 295, a receipt printer printing on
# a blue ground, stored as an 8-bit BMP3 with a dithered palette of 256 colours: a third of the
# 24-bit file, which was most of the stub's resources, and alike to the eye. Needs ImageMagick 6
# (convert).
# Usage: resources/make-welcome.sh [OUTPUT]   (default: welcome.bmp next to this script)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/welcome.bmp}

convert -size 163x295 gradient:'#2A8BE0'-'#0B3F91' \
  -fill 'rgba(255,255,255,0.07)' -stroke none \
  -draw 'circle 150,30 150,110' -draw 'circle 10,270 10,360' \
  -fill 'rgba(255,255,255,0.05)' -draw 'circle 40,60 40,100' \
  -fill '#FFFFFF' -stroke '#B0BEC5' -strokewidth 1 \
  -draw 'polygon 56,128 56,62 60,58 64,62 68,58 72,62 76,58 80,62 84,58 88,62 92,58 96,62 100,58 104,62 106,60 106,128' \
  -stroke none -fill '#90A4AE' \
  -draw 'rectangle 64,72 98,74' -draw 'rectangle 64,80 92,82' -draw 'rectangle 64,88 96,90' \
  -draw 'rectangle 64,96 86,98' -fill '#1565C0' -draw 'rectangle 64,106 98,112' \
  -fill '#0A2E6B' -draw 'roundrectangle 32,126 132,186 9,9' \
  -fill '#ECEFF1' -draw 'roundrectangle 30,122 130,182 9,9' \
  -fill '#CFD8DC' -draw 'rectangle 30,160 130,170' -draw 'roundrectangle 30,166 130,182 9,9' \
  -fill '#37474F' -draw 'rectangle 48,124 114,129' \
  -fill '#FFFFFF' -draw 'rectangle 56,122 106,125' \
  -fill '#90A4AE' -draw 'rectangle 40,142 76,145' -draw 'rectangle 40,149 64,152' \
  -fill '#43A047' -draw 'circle 118,146 121,146' \
  -fill '#FFB300' -draw 'circle 106,146 108,146' \
  -fill 'rgba(255,255,255,0.85)' -draw 'rectangle 22,214 141,215' \
  -fill 'rgba(255,255,255,0.35)' -draw 'rectangle 40,222 123,223' \
  -alpha off -dither FloydSteinberg -colors 256 -type Palette -compress None "BMP3:$out"
