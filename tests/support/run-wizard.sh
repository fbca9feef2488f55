#!/usr/bin/env bash
# `make run`: starts the installer under Wine in the project's own prefix. With a display it is
# interactive: PrinterSetup.exe on a 32-bit Windows (build/run-prefix-win32), or PrinterSetup64.exe
# on a 64-bit one (build/run-prefix-win64) where this machine cannot run 32-bit programs.
# Without a display it runs on a virtual screen (Xvfb) and the wizard driver walks it, saving a
# screenshot of each page in SHOTS: English and Chinese installations on COM1 with PrinterSetup.exe
# (en-*, cn-*) and with PrinterSetup64.exe on 64-bit Windows (en64-*, cn64-*), and the 32-bit
# installer on 64-bit Windows, where Wine refuses the printer and the wizard ends on its failure
# page (en-8-failed, cn-8-failed). Where 32-bit programs cannot run, only the 64-bit walks.
# Usage: run-wizard.sh DIST BUILD PREFIX_BASE SHOTS
set -euo pipefail
dist=$1 build=$2 prefix_base=$3 shots=$4
source "$(dirname "$0")/wine-prefix.sh"
source "$(dirname "$0")/xvfb.sh"

use_prefix() {
  export WINEPREFIX=$prefix_base-$1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX (once)..."
    make_prefix "$1" "$WINEPREFIX"
  fi
}

runs_32bit=yes
if ! can_run_32bit_programs; then
  runs_32bit=
  echo "make run: this machine cannot run 32-bit programs ($NO_32BIT_REASON): PrinterSetup64.exe on 64-bit Windows."
fi

if [ -n "${DISPLAY:-}" ]; then
  if [ -n "$runs_32bit" ]; then
    use_prefix win32
    exec wine "$dist/PrinterSetup.exe"
  fi
  use_prefix win64
  exec "$WINE64_LOADER" "$dist/PrinterSetup64.exe"
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

# Saves the page as SHOTS/<walk name>-<page>.png; failure walks keep only their last page.
shoot() {
  [ -n "$FAILURE_WALK" ] && [[ $1 != 8-failed ]] && return 0
  sleep 1
  import -window root -crop 540x400+0+0 +repage "$shots/$WALK_NAME-$1.png"
  echo "screenshot: $shots/$WALK_NAME-$1.png"
}
drive() { LC_ALL=C.UTF-8 wine "$DRIVER" "$@" >/dev/null; }

# walk LANGUAGE(en|cn) ARCH BITS(32|64): the first model on COM1; the last page is 4, or 8 when
# the 32-bit installer runs on 64-bit Windows, where Wine refuses the printer.
walk() {
  local language=$1 arch=$2 bits=$3 locale=en_US.UTF-8 finish=Finish last=4-finished network="Net Port(TCP/IP)"
  [ "$language" = cn ] && locale=zh_CN.UTF-8 finish=完成 network="网络端口（TCP/IP）"
  local installer=$dist/PrinterSetup.exe suffix=
  DRIVER=$build/win32/tests/support/automation/wizard_driver.exe
  if [ "$bits" = 64 ]; then
    installer=$dist/PrinterSetup64.exe suffix=64
    DRIVER=$build/win64/tests/support/automation/wizard_driver.exe
  fi
  FAILURE_WALK=
  [ "$arch" = win64 ] && [ "$bits" = 32 ] && FAILURE_WALK=yes last=8-failed
  WALK_NAME=$language$suffix
  use_prefix "$arch"
  warm_up_wine "$DRIVER"
  LC_ALL=$locale wine "$installer" &
  installer_pid=$!
  drive wait-wizard
  shoot 0-welcome
  drive click 1001 wait-visible folder 1
  shoot 1-folder
  drive click 1001 wait-visible 1043 1 select 1043 "$network" wait-visible 1013 1
  shoot 2-settings-network
  drive select 1043 COM1 wait-enabled 1048
  shoot 2-settings
  drive click 1001 wait-visible 1004 1
  shoot 3-installing
  drive wait-text 1007 "$finish" 120000
  shoot "$last"
  drive click 1007 wait-gone
  wait "$installer_pid" || true
  installer_pid=
  wineserver -k >/dev/null 2>&1 || true
}

if [ -n "$runs_32bit" ]; then
  walk en win32 32
  walk cn win32 32
fi
walk en win64 64
walk cn win64 64
if [ -n "$runs_32bit" ]; then
  walk en win64 32
  walk cn win64 32
  echo "The wizard installed the printer on COM1 with both builds; the 32-bit one on 64-bit Windows ended on its failure page, as expected under Wine."
else
  echo "The 64-bit wizard installed the printer on COM1 in English and Chinese."
fi
