#!/usr/bin/env bash
# Makes the Wine prefix templates each test binary's fresh prefix is copied from:
#   DIR/win32  a 32-bit Windows (no WOW64)
#   DIR/win64  a 64-bit Windows, where the 32-bit programs run under WOW64
# On a machine that cannot run 32-bit programs only win64 is made, and DIR/no-32bit-programs
# says why; run-in-prefix.sh then reports every 32-bit run as skipped.
set -euo pipefail
dir=${1:?usage: make-prefix-templates.sh DIR}
source "$(dirname "$0")/wine-prefix.sh"

mkdir -p "$dir"
rm -f "$dir/$NO_32BIT_MARKER"
if can_run_32bit_programs; then
  echo "Wine: making the prefix templates (32-bit and 64-bit Windows)..."
  make_prefix win32 "$dir/win32" & first=$!
  make_prefix win64 "$dir/win64" & second=$!
  wait $first
  wait $second
else
  echo "Wine: this machine cannot run 32-bit programs ($NO_32BIT_REASON): 32-bit test runs are skipped, 64-bit ones run."
  echo "$NO_32BIT_REASON" >"$dir/$NO_32BIT_MARKER"
  rm -rf "$dir/win32"
  make_prefix win64 "$dir/win64"
fi
