#!/usr/bin/env bash
# The real installer started as a user starts it, in the fresh prefix run-in-prefix.sh made:
# its window shows the caption of the wizard text file of the UI language, the configuration
# files are in the Documents folder and the text file that was read is gone.
# Usage: start_up_test.sh INSTALLER DRIVER LANGUAGE(en|cn) EXPECTED_TITLE
set -euo pipefail
installer=$1 driver=$2 language=$3 expected_title=$4
source "$(dirname "$0")/../support/wine-env.sh"
source "$(dirname "$0")/../support/xvfb.sh"

fail() { echo "start_up_test: $*" >&2; exit 1; }
start_xvfb
trap stop_xvfb EXIT
warm_up_wine "$driver"

wine "$installer" &
installer_pid=$!
title=$(wine_output "$driver" wait-wizard)
[ "$title" = "$expected_title" ] || fail "window title '$title', expected '$expected_title'"

documents=$(dirname "$(find "$WINEPREFIX/drive_c/users" -name PrinterName.txt -print -quit)")
[ -d "$documents" ] || fail "PrinterName.txt was not written to the Documents folder"
kept=(PrinterName.txt Text.ini logo.bmp InstallConfig_en.txt InstallConfig_cn.txt InstallConfig_rs.txt)
for name in "${kept[@]}"; do
  if [ "$name" = "InstallConfig_$language.txt" ]; then
    [ ! -e "$documents/$name" ] || fail "$name was read but not deleted"
  else
    [ -f "$documents/$name" ] || fail "$name missing from the Documents folder"
  fi
done

wine "$driver" wait-wizard click 1007 >/dev/null
wait "$installer_pid" || true
echo "start_up_test: $language start-up as expected"
