#!/usr/bin/env bash
# mkpackage reads the package a real mingw-built program carries as resource INSTALL/142,
# byte for byte. Usage: pe_roundtrip.sh MKPACKAGE EXE FIXTURE_DIR
set -euo pipefail
mkpackage=$1 exe=$2 fixtures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "pe_roundtrip: $*" >&2; exit 1; }

"$mkpackage" verify "$exe" || fail "verify refused the program's package"
listing=$("$mkpackage" list "$exe")
[ "$(wc -l <<<"$listing")" -eq 2 ] || fail "expected two entries, got: $listing"
"$mkpackage" extract "$exe" "$work/out"
for name in Text.ini PrinterName.txt; do
  cmp "$fixtures/$name" "$work/out/$name" || fail "$name differs after extraction"
done

