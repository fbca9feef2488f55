#!/usr/bin/env bash
# `make run`: starts the installer under Wine in the project's own 32-bit prefix
# (build/run-prefix-win32). With a display it is interactive. Without one it runs on a virtual
# screen (Xvfb) and the wizard driver walks it, saving a screenshot of each page in SHOTS:
# an English and a Chinese installation on COM1 (pages 0 to 4), and the same on 64-bit Windows,
# where Wine refuses the printer and the wizard ends on its failure page (8).
# Usage: run-wizard.sh INSTALLER DRIVER PREFIX_BASE SHOTS
set -euo pipefail
installer=$1 driver=$2 prefix_base=$3 shots=$4
source "$(dirname "$0")/wine-prefix.sh"
source "$(dirname "$0")/xvfb.sh"

use_prefix() {
  export WINEPREFIX=$prefix_base-$1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX (once)..."
    make_prefix "$1" "$WINEPREFIX"
  fi
}

if [ -n "${DISPLAY:-}" ]; then
  use_prefix win32
  exec wine "$installer"
fi

installer_pid=
cleanup() {
  [ -n "$installer_pid" ] && kill "$installer_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  stop_xvfb
}
trap cleanup EXIT
start_xvfb
mkdir -p "$shots"

# The 64-bit walks show only their last page; the others match the 32-bit walks.
shoot() {
  [ "$WALK_ARCH" = win64 ] && [[ $1 != *-8-failed ]] && return 0
  sleep 1
  import -window root -crop 540x400+0+0 +repage "$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}
drive() { LC_ALL=C.UTF-8 wine "$driver" "$@" >/dev/null; }

# walk LANGUAGE(en|cn) ARCH: the first model on COM1; the last page is 4, or 8 where it fails.
walk() {
  local language=$1 arch=$2 locale=en_US.UTF-8 finish=Finish last=4-finished
  [ "$language" = cn ] && locale=zh_CN.UTF-8 && finish=完成
  [ "$arch" = win64 ] && last=8-failed
  WALK_ARCH=$arch
  use_prefix "$arch"
  warm_up_wine "$driver"
  LC_ALL=$locale wine "$installer" &
  installer_pid=$!
  drive wait-wizard
  shoot "$language-0-welcome"
  drive click 1001 wait-visible folder 1
  shoot "$language-1-folder"
  drive click 1001 wait-visible 1043 1 select 1043 COM1 wait-enabled 1048 1
  shoot "$language-2-settings"
  drive click 1001 wait-visible 1004 1
  shoot "$language-3-installing"
  drive wait-text 1007 "$finish" 120000
  shoot "$language-$last"
  drive click 1007 wait-gone
  wait "$installer_pid" || true
  installer_pid=
  wineserver -k >/dev/null 2>&1 || true
}

walk en win32
walk cn win32
walk en win64
walk cn win64
echo "The wizard installed the printer on COM1 twice; on 64-bit Windows Wine refused it, as expected."
