#!/usr/bin/env bash
# The Wine measurements of `make bench`, in one 64-bit prefix (given by run-in-prefix.sh) on one
# virtual screen. Appends "time NAME SECONDS" and "value NAME NUMBER" lines to RAW.
# Usage: wine-bench.sh RAW BUILD BENCH_DIR RUNS
set -uo pipefail
raw=$1 build=$2 bench=$3 runs=$4
staging_bench=${BENCH_STAGING_PROGRAM:-$build/win64/tools/bench/staging_bench.exe}
driver=$build/win64/tests/support/automation/wizard_driver.exe
trivial_window=$build/win64/tests/support/automation/fake_wizard.exe
installer=$build/win64/app/PrinterSetup64.exe
folder='C:\bench'
source "$(dirname "$0")/wine-session.sh" "$driver"

now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc; }
windows_path() { echo "Z:${1//\//\\}"; }

# Staging and its baselines, interleaved in one process.
echo "bench: staging the payload $runs times in each form, with the zlib baselines..."
wine "$staging_bench" compare "$(windows_path "$bench/payload.pkg")" "$(windows_path "$bench/appended.exe")" \
  "$folder" "$runs" 2>/dev/null | grep -E '^(time|messages|stepback|error) ' >>"$raw"

# Whole processes: started, staged and ended, timed from outside; each reports its peak working set.
echo "bench: staging as whole processes..."
for form in resource appended; do
  source_file=$bench/payload.pkg
  [ $form = appended ] && source_file=$bench/appended.exe
  for _ in $(seq 3); do
    start=$(now)
    output=$(wine_output "$staging_bench" stage-$form "$(windows_path "$source_file")" "$folder" 2>/dev/null)
    echo "time process_stage_$form $(elapsed "$start" "$(now)")" >>"$raw"
    echo "$output" | sed -n "s/^peak_working_set /value peak_working_set_$form /p" >>"$raw"
    echo "$output" | awk -v form="$form" '$1 == "start_working_set" { start = $2 }
      $1 == "peak_working_set" && start != "" { print "value staging_working_set_" form, $2 - start }' >>"$raw"
  done
done

# Start-up: from the start of the program to its dialog being shown, as the driver sees it.
time_to_window() {
  local name=$1 program=$2 start
  for _ in $(seq 3); do
    start=$(now)
    wine "$program" >/dev/null 2>&1 &
    BACKGROUND_PID=$!
    wine "$driver" wait-wizard 30000 >/dev/null 2>&1
    echo "time $name $(elapsed "$start" "$(now)")" >>"$raw"
    kill "$BACKGROUND_PID" 2>/dev/null
    wait "$BACKGROUND_PID" 2>/dev/null
    BACKGROUND_PID=
    wine "$driver" wait-gone 10000 >/dev/null 2>&1
  done
}
echo "bench: start-up of PrinterSetup64.exe and of a window of Wine's own cost..."
time_to_window startup_trivial "$trivial_window"
time_to_window startup_installer "$installer"

# 32-bit programs, where this machine runs them: the 32-bit start-up and staging (under WOW64)
# and NSIS.
if [ -n "${BENCH_RUN_32BIT:-}" ]; then
  echo "bench: 32-bit start-up, staging and the NSIS installer..."
  time_to_window startup_installer_win32 "$build/win32/app/PrinterSetup.exe"
  wine "$build/win32/tools/bench/staging_bench.exe" compare "$(windows_path "$bench/payload.pkg")" \
    "$(windows_path "$bench/appended.exe")" "$folder" "$runs" 2>/dev/null |
    grep -E '^(time|messages|stepback|error) ' | sed -E 's/^(time|messages|stepback|error) ([a-z_]+)/\1 \2_win32/' >>"$raw"
  for _ in $(seq 3); do
    rm -rf "$WINEPREFIX/drive_c/bench-nsis"
    start=$(now)
    wine "$bench/nsis.exe" >/dev/null 2>&1
    echo "time process_nsis $(elapsed "$start" "$(now)")" >>"$raw"
  done
fi
