#!/usr/bin/env bash
# Makes the two Wine prefix templates each test binary's fresh prefix is copied from:
#   DIR/win32  a 32-bit Windows (no WOW64)
#   DIR/win64  a 64-bit Windows, where the 32-bit programs run under WOW64
set -euo pipefail
dir=${1:?usage: make-prefix-templates.sh DIR}
source "$(dirname "$0")/wine-env.sh"

make_prefix() {
  local arch=$1 prefix=$dir/$1
  rm -rf "$prefix"
  WINEARCH=$arch WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1
  # Waits until the registry is saved and the prefix's wineserver has ended.
  WINEPREFIX=$prefix wineserver -w
  [ -f "$prefix/system.reg" ] || { echo "make-prefix-templates: no $arch prefix made" >&2; return 1; }
}

mkdir -p "$dir"
make_prefix win32 & first=$!
make_prefix win64 & second=$!
wait $first
wait $second
