#!/usr/bin/env bash
# The vendor's kit: the zip holds exactly what VENDOR.md's table "What the kit holds" names, and
# the demo folder in it passes the kit's own `mkpackage check` with no finding.
# Usage: kit_test.sh ZIP
set -euo pipefail
zip=$1

fail() {
  echo "kit: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
kit="$work/$(basename "$zip" .zip)"
[ -f "$kit/VENDOR.md" ] || fail "no VENDOR.md in $zip"

# The first cell of each row of the table, without its backticks and a folder's backslash.
mapfile -t named < <(sed -n '/^## What the kit holds/,/^## /p' "$kit/VENDOR.md" |
  sed -n 's/^| `\([^`]*\)` |.*/\1/p' | sed 's/\\$//')
[ ${#named[@]} -ge 6 ] || fail "VENDOR.md names only: ${named[*]}"
for entry in "${named[@]}"; do
  [ -e "$kit/$entry" ] || fail "VENDOR.md names $entry, the zip lacks it"
done
for entry in "$kit"/*; do
  printf '%s\n' "${named[@]}" | grep -qxF "$(basename "$entry")" || fail "$(basename "$entry") is in the zip but not in VENDOR.md"
done
[ -x "$kit/mkpackage" ] || fail "mkpackage is not executable"

said=$("$kit/mkpackage" check "$kit/content") || fail "the demo folder fails check: $said"
[ "$said" = "$kit/content: 0 errors, 0 warnings" ] || fail "check of the demo folder said: $said"
echo "kit: $(basename "$zip") holds the ${#named[@]} things VENDOR.md names; its demo folder passes check"
