#!/usr/bin/env bash
# One installation of the demo package with PrinterSetup64.exe on a fresh 64-bit prefix (given by
# run-in-prefix.sh), driven to the settings page; prints "time install SECONDS" from the click on
# Next there to the finish page, as the wizard driver sees it (one start of the driver included).
# Usage: install-once.sh BUILD   (DRIVE_ERRORS: a file for the driver's error lines)
set -uo pipefail
build=$1
driver=$build/win64/tests/support/automation/wizard_driver.exe
source "$(dirname "$0")/wine-session.sh" "$driver"
drive() { LC_ALL=C.UTF-8 wine "$driver" "$@" >/dev/null 2>"${DRIVE_ERRORS:-/dev/null}"; }

LC_ALL=en_US.UTF-8 wine "$build/win64/app/PrinterSetup64.exe" >/dev/null 2>&1 &
BACKGROUND_PID=$!
# As make run walks it.
drive wait-wizard click 1001 wait-visible folder 1 click 1001 wait-visible 1043 1 \
  select 1043 COM1 wait-enabled 1048 ||
  { echo "install-once: the settings page was not reached" >&2; exit 1; }
start=$(date +%s.%N)
drive click 1001 wait-text 1007 Finish 120000 || { echo "install-once: no finish page" >&2; exit 1; }
echo "time install $(echo "$(date +%s.%N) - $start" | bc)"
drive click 1007 wait-gone
