#!/usr/bin/env bash
# The settings page at 96, 144 and 192 DPI (a new prefix's LogPixels) with each port kind:
# every visible control lies inside the dialog's client area, and no two visible controls meet
# unless they meet at 96 DPI as well (the frame and the page window hold others). With
# SCALING_SHOTS set to a folder, the welcome, folder and settings pages at 144 DPI are saved
# there (for the documentation).
# Usage: scaling_test.sh INSTALLER DRIVER LANGUAGE(en|cn)
set -euo pipefail
INSTALLER=$1 DRIVER=$2 language=$3
source "$(dirname "$0")/e2e_lib.sh"

network_item="Net Port(TCP/IP)"
[ "$language" = cn ] && network_item="网络端口（TCP/IP）"
PORTS=(USB COM1 LPT1 "$network_item")
shots=${SCALING_SHOTS:-}
[ -n "$shots" ] && mkdir -p "$shots"

# Saves the screen as NAME at 144 DPI when shots are asked for.
shoot() {
  [ -n "$shots" ] && [ "$dpi" = 144 ] || return 0
  sleep 0.3
  import -window root "$shots/$language-$1.png"
}

set_dpi() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "could not set LogPixels $1"
  wineserver -w
}

# "id id" for each pair of visible controls whose window rectangles meet; the frame (1024) and
# the page window (0) hold other controls and are left out.
meeting_pairs() {
  awk '$2 == 1 && $1 != 0 && $1 != 1024 { id[n] = $1; l[n] = $3; t[n] = $4; r[n] = $5; b[n] = $6; n++ }
       END { for (i = 0; i < n; i++) for (j = i + 1; j < n; j++)
               if (l[i] < r[j] && l[j] < r[i] && t[i] < b[j] && t[j] < b[i])
                 print (id[i] < id[j] ? id[i] " " id[j] : id[j] " " id[i]) }' <<<"$1" | sort
}

outside_client() {
  local left top right bottom
  read -r left top right bottom _ <<<"$2"
  awk -v L="$left" -v T="$top" -v R="$right" -v B="$bottom" \
    '$2 == 1 && ($3 < L || $4 < T || $5 > R || $6 > B) { printf "%s ", $1 }' <<<"$1"
}

declare -A baseline
scenario_locale=${LC_ALL:-C.UTF-8}
for dpi in 96 144 192; do
  set_dpi "$dpi"
  export LC_ALL=$scenario_locale
  e2e_start
  start_installer
  client=$(drive print-client)
  [ "$(cut -d' ' -f5 <<<"$client")" = "$dpi" ] || fail "the wizard sees $client, not $dpi DPI"
  shoot welcome
  walk_to_settings
  for index in "${!PORTS[@]}"; do
    port=${PORTS[$index]}
    drive select 1043 "$port" sleep 300 >/dev/null
    controls=$(drive print-controls)
    client=$(drive print-client)
    outside=$(outside_client "$controls" "$client")
    [ -z "$outside" ] || fail "$dpi DPI, port $port: controls outside the client area ($client): $outside"
    pairs=$(meeting_pairs "$controls")
    if [ "$dpi" = 96 ]; then
      baseline[$index]=$pairs
    else
      new=$(comm -23 <(echo "$pairs") <(echo "${baseline[$index]}") | tr '\n' ',')
      [ -z "${new//,/}" ] || fail "$dpi DPI, port $port: controls meet that do not at 96 DPI: $new"
    fi
    shoot "settings-$index"
  done
  if [ -n "$shots" ] && [ "$dpi" = 144 ]; then
    drive click 1003 wait-visible folder 1 >/dev/null
    shoot folder
  fi
  kill "$INSTALLER_PID" 2>/dev/null || true
  INSTALLER_PID=
  trap - EXIT
  e2e_cleanup
done
echo "scaling_test: $language settings page laid out within the dialog at 96, 144 and 192 DPI"
