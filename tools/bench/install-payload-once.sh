#!/usr/bin/env bash
# One installation of the demo package with the bench payload appended, on a fresh prefix (given
# by run-in-prefix.sh), timed by the installer's own run log (/LOG), whose lines begin with a local
# time stamp "YYYY-MM-DD HH:MM:SS.mmm".
#   silent: PrinterSetup /S as a deployment tool runs it; prints "time silent_BITS SECONDS" for
#           the whole process (timed from outside) and "time silent_staging_BITS SECONDS" from
#           "Staging: started" to "Staging: ended with N".
#   wizard: the wizard driven to the settings page; prints "time wizard_BITS SECONDS" from
#           "Next on the settings page" to "Finish page shown".
# Usage: install-payload-once.sh BUILD BITS MODE INSTALLER   (BITS: win64 or win32)
set -uo pipefail
build=$1 bits=$2 mode=$3 installer=$4
driver=$build/$bits/tests/support/automation/wizard_driver.exe
source "$(dirname "$0")/wine-session.sh" "$driver"
log=$WINEPREFIX/drive_c/setup.log
drive() { LC_ALL=C.UTF-8 wine "$driver" "$@" >/dev/null 2>&1; }

# Seconds from the first log line holding FROM to the first after it holding TO.
log_span() {
  tr -d '\r' <"$log" | python3 -c '
import datetime, sys
first, last = sys.argv[1], sys.argv[2]
stamp = lambda line: datetime.datetime.strptime(line[:23], "%Y-%m-%d %H:%M:%S.%f")
start = None
for line in sys.stdin:
    if start is None and first in line:
        start = stamp(line)
    elif start is not None and last in line:
        print((stamp(line) - start).total_seconds())
        break' "$1" "$2"
}

print_span() {
  local span
  span=$(log_span "$2" "$3")
  [ -n "$span" ] && echo "time $1 $span" || echo "install-payload-once: no '$2' to '$3' in the log" >&2
}

if [ "$mode" = silent ]; then
  start=$(date +%s.%N)
  LC_ALL=en_US.UTF-8 wine "$installer" /S /PORT=COM1 '/LOG=C:\setup.log' >/dev/null 2>&1 </dev/null
  seconds=$(echo "$(date +%s.%N) - $start" | bc)
  grep -q "Staging: ended with 0" "$log" 2>/dev/null || { echo "install-payload-once: staging did not end with 0" >&2; exit 1; }
  echo "time silent_$bits $seconds"
  print_span "silent_staging_$bits" "Staging: started" "Staging: ended with"
  exit 0
fi

LC_ALL=en_US.UTF-8 wine "$installer" '/LOG=C:\setup.log' >/dev/null 2>&1 &
BACKGROUND_PID=$!
drive wait-wizard click 1001 wait-visible folder 1 click 1001 wait-visible 1043 1 \
  select 1043 COM1 wait-enabled 1048 ||
  { echo "install-payload-once: the settings page was not reached" >&2; exit 1; }
drive click 1001 wait-text 1007 Finish 120000 || { echo "install-payload-once: no finish page" >&2; exit 1; }
print_span "wizard_$bits" "Next on the settings page" "Finish page shown"
drive click 1007 wait-gone
