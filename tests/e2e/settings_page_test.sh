#!/usr/bin/env bash
# What a user sees on the settings page, from screenshots: after each port switch the group's
# background shows wherever no visible control stands, so no hidden control leaves its picture
# behind; and the network fields carry the captions of the UI language.
# Regions are compared, not whole images, so fonts do not matter.
# Usage: settings_page_test.sh INSTALLER DRIVER LANGUAGE(en|cn)
set -euo pipefail
INSTALLER=$1 DRIVER=$2 language=$3
source "$(dirname "$0")/e2e_lib.sh"
e2e_start
shots=$(mktemp -d)

# "LEFT TOP RIGHT BOTTOM" of the control ID in screen pixels, from print-controls.
controls=
rect_of() { awk -v id="$1" '$1 == id { print $3, $4, $5, $6 }' <<<"$controls"; }

pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

# Inside the settings frame, every pixel outside the visible controls has the frame's background.
expect_clean_frame() {
  local shot=$1 step=$2 left top right bottom
  read -r left top right bottom < <(rect_of 1024)
  # Below the frame's caption and inside its lines.
  local x0=$((left + 3)) y0=$((top + 14)) x1=$((right - 4)) y1=$((bottom - 4))
  local background
  background=$(pixel "$shot" $((x0 + 2)) $((y1 - 2)))
  local draw=() id visible l t r b
  while read -r id visible l t r b; do
    [ "$visible" = 1 ] || continue
    case $id in 0 | 1024) continue ;; esac
    draw+=(-draw "rectangle $((l - 1)),$((t - 1)) $((r)),$((b))")
  done <<<"$controls"
  local frame=$shot.frame.png
  convert "$shot" -fill "$background" "${draw[@]}" -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$frame"
  local colors
  colors=$(convert "$frame" -unique-colors txt:- | tail -n +2 | wc -l)
  if [ "$colors" != 1 ]; then
    local kept="${TMPDIR:-/tmp}/settings-page-$language-${step%%-*}.png" stray
    cp "$shot" "$kept"
    # The box around what differs, in screen pixels: the frame's corner holds the background.
    stray=$(convert "$frame" -trim -format "%wx%h+%[fx:page.x+$x0]+%[fx:page.y+$y0]" info:)
    fail "after '$step' the frame shows $colors colours where only its background $background belongs," \
      "within $stray (screenshot kept as $kept)"
  fi
}

network_item="Net Port(TCP/IP)" ip_caption="Printer IP:" port_caption="Port:"
if [ "$language" = cn ]; then
  network_item="网络端口（TCP/IP）" ip_caption="打印机IP:" port_caption="端口："
fi

start_installer
walk_to_settings
step=0
for port in USB COM1 LPT1 "$network_item" USB "$network_item" COM1; do
  step=$((step + 1))
  if [ "$port" = "$network_item" ]; then
    drive select 1043 "$port" wait-visible 1013 1 wait-visible 1048 0
    drive expect-text 1015 "$ip_caption" expect-text 1057 "$port_caption"
  else
    drive select 1043 "$port" wait-visible 1048 1 wait-visible 1013 0
  fi
  sleep 0.5
  import -window root "$shots/$step.png"
  controls=$(drive print-controls)
  expect_clean_frame "$shots/$step.png" "$step-$port"
done
rm -rf "$shots"
echo "settings_page_test: $language settings page clean after every port switch"
