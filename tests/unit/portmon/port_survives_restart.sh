#!/usr/bin/env bash
# A port added through the monitor is still listed once the wineserver, and with it the spooler,
# has ended and started again; the registry file on disk holds it in between.
# Usage (by ctest through run-in-prefix.sh): port_survives_restart.sh PORT_TOOL.exe
set -euo pipefail
tool=${1:?usage: port_survives_restart.sh PORT_TOOL.exe}
source "$(dirname "$0")/../../support/wine-env.sh"

if wine "$tool" listed "Restart-Port:" "Restart Monitor"; then
  echo "the port is listed before it was added" >&2
  exit 1
fi
wine "$tool" install Restart "Restart Monitor" "Restart-Port:"
# Ends with the last Wine process; the server saves the registry as it exits.
wineserver -w
grep -qF 'Monitors\\Restart Monitor\\Ports\\Restart-Port:]' "$WINEPREFIX/system.reg" || {
  echo "the saved registry does not hold the port" >&2
  exit 1
}
wine "$tool" listed "Restart-Port:" "Restart Monitor"
