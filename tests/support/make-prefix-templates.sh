#!/usr/bin/env bash
# Makes the two Wine prefix templates each test binary's fresh prefix is copied from:
#   DIR/win32  a 32-bit Windows (no WOW64)
#   DIR/win64  a 64-bit Windows, where the 32-bit programs run under WOW64
set -euo pipefail
dir=${1:?usage: make-prefix-templates.sh DIR}
source "$(dirname "$0")/wine-prefix.sh"

mkdir -p "$dir"
make_prefix win32 "$dir/win32" & first=$!
make_prefix win64 "$dir/win64" & second=$!
wait $first
wait $second
