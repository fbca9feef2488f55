#!/usr/bin/env bash
# `make bench`: builds the payload and its packages, measures on the host and under Wine, and
# prints the summary table; the figures also go to BUILD/bench/results.json.
# Usage: run-bench.sh BUILD   (BENCH_RUNS: rounds of the in-process staging comparison, default 5)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$1
bench=$build/bench
runs=${BENCH_RUNS:-5}
mkpackage=$build/host/tools/mkpackage/mkpackage
raw=$bench/raw.txt
source "$root/tests/support/wine-prefix.sh"

rm -rf "$bench"
mkdir -p "$bench"
: >"$raw"
now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc; }
size_of() { echo "size $1 $(stat -c %s "$2")" >>"$raw"; }

echo "bench: the payload (24 files, 64 MiB) and its packages..."
python3 "$here/make-payload.py" "$bench/payload" || exit 1
"$mkpackage" create "$bench/payload.pkg" "$bench/payload"/* >/dev/null || exit 1
"$mkpackage" append "$build/win64/app/PrinterSetupStub64.exe" "$bench/appended.exe" "$bench/payload"/* >/dev/null || exit 1
# The demo package with the payload, appended to each stub: what the silent and wizard rows install.
for bits in win64 win32; do
  stub=$build/$bits/app/PrinterSetupStub64.exe
  [ $bits = win32 ] && stub=$build/$bits/app/PrinterSetupStub.exe
  "$mkpackage" append "$stub" "$bench/payload-installer-$bits.exe" "$build/win32/installer-package"/* \
    "$bench/payload"/* >/dev/null || exit 1
done
size_of package "$bench/payload.pkg"
size_of appended "$bench/appended.exe"
size_of installer_win64 "$build/win64/app/PrinterSetup64.exe"
size_of stub_win64 "$build/win64/app/PrinterSetupStub64.exe"
size_of installer_win32 "$build/win32/app/PrinterSetup.exe"
size_of stub_win32 "$build/win32/app/PrinterSetupStub.exe"

echo "bench: host extraction against plain zlib..."
for _ in $(seq "$runs"); do
  rm -rf "$bench/extract"
  start=$(now)
  "$mkpackage" extract "$bench/payload.pkg" "$bench/extract" >/dev/null
  echo "time host_extract $(elapsed "$start" "$(now)")" >>"$raw"
  echo "time host_inflate $("$build/host/tools/bench/host_inflate" "$bench/payload.pkg")" >>"$raw"
done
rm -rf "$bench/extract"

echo "bench: the NSIS installer of the same payload..."
if "$here/make-nsis.sh" "$bench/payload" "$bench/nsis.exe"; then
  size_of nsis "$bench/nsis.exe"
else
  echo "skip size_nsis makensis failed" >>"$raw"
fi

if can_run_32bit_programs; then
  export BENCH_RUN_32BIT=1
else
  reason="this machine cannot run 32-bit programs ($NO_32BIT_REASON)"
  echo "skip staging_win32 $reason" >>"$raw"
  echo "skip process_nsis NSIS installers are 32-bit: $reason" >>"$raw"
  echo "skip startup_installer_win32 $reason" >>"$raw"
fi
"$root/tests/support/run-in-prefix.sh" "$build/prefixes/win64" "$here/wine-bench.sh" "$raw" "$build" "$bench" "$runs"

# Silent and wizard installations of the payload installers: the 64-bit one on a 64-bit prefix, the
# 32-bit one on a 32-bit prefix; each on a fresh prefix.
echo "bench: silent and wizard installations of the demo package with the payload..."
for bits in win64 win32; do
  if [ $bits = win32 ] && ! can_run_32bit_programs; then
    echo "skip silent_win32 this machine cannot run 32-bit programs ($NO_32BIT_REASON)" >>"$raw"
    echo "skip wizard_win32 this machine cannot run 32-bit programs ($NO_32BIT_REASON)" >>"$raw"
    continue
  fi
  for _ in 1 2 3; do
    for mode in silent wizard; do
      "$root/tests/support/run-in-prefix.sh" "$build/prefixes/$bits" "$here/install-payload-once.sh" "$build" $bits \
        $mode "$bench/payload-installer-$bits.exe" | grep '^time ' >>"$raw"
    done
  done
done

# A walk that loses its way on a busy machine is tried again, up to five walks for three figures.
echo "bench: three installations of the demo package, each on a fresh prefix..."
for _ in 1 2 3 4 5; do
  [ "$(grep -c '^time install ' "$raw")" -ge 3 ] && break
  "$root/tests/support/run-in-prefix.sh" "$build/prefixes/win64" "$here/install-once.sh" "$build" | grep '^time ' >>"$raw"
done

python3 "$here/summarize.py" "$raw" "$bench/results.json"
