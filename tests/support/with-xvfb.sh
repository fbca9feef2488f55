#!/usr/bin/env bash
# Runs a Windows program under Wine on a virtual screen of its own, for tests that create
# windows. Meant to run inside run-in-prefix.sh, which provides the prefix.
# Usage: with-xvfb.sh PROGRAM [ARGS...]
set -uo pipefail
here=$(dirname "$0")
source "$here/wine-env.sh"
source "$here/xvfb.sh"
start_xvfb || exit 1
# Wine's own processes go before the screen does, so they do not lose their display.
trap 'wineserver -k >/dev/null 2>&1; stop_xvfb' EXIT
wine "$@"
