#!/usr/bin/env bash
# `make run`: starts the installer under Wine in the project's own prefix (build/run-prefix).
# With a display it is interactive. Without one it runs on a virtual screen (Xvfb), the wizard
# driver walks it and a screenshot of each page lands in SHOTS.
# Usage: run-wizard.sh INSTALLER DRIVER PREFIX SHOTS
set -euo pipefail
installer=$1 driver=$2 prefix=$3 shots=$4
source "$(dirname "$0")/wine-prefix.sh"
if [ ! -f "$prefix/system.reg" ]; then
  echo "Making the Wine prefix $prefix (once)..."
  make_prefix win64 "$prefix"
fi
export WINEPREFIX=$prefix

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$installer"
fi

source "$(dirname "$0")/xvfb.sh"
start_xvfb
installer_pid=
cleanup() {
  [ -n "$installer_pid" ] && kill "$installer_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  stop_xvfb
}
trap cleanup EXIT
warm_up_wine "$driver"

mkdir -p "$shots"
wine "$installer" &
installer_pid=$!
shoot() {
  sleep 1
  import -window root "$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}

echo "wizard: $(wine "$driver" wait-wizard)"
shoot 0-welcome
wine "$driver" wait-wizard click 1007
wait "$installer_pid" || true
installer_pid=
echo "The wizard closed."
