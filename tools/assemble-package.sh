#!/usr/bin/env bash
# Assembles the installer's package: the text files of SOURCE in their shipped encodings, the
# other files of SOURCE and the given component files, gathered in STAGE and stored in OUT
# sorted by name without regard to case.
# Usage: assemble-package.sh MKPACKAGE SOURCE STAGE OUT [COMPONENT...]
set -euo pipefail
mkpackage=$1 source=$2 stage=$3 out=$4
shift 4
here=$(dirname "$0")

rm -rf "$stage"
mkdir -p "$stage"
"$here/convert-content.sh" "$source" "$stage"
for component in "$@"; do
  cp "$component" "$stage/"
done

mapfile -t files < <(find "$stage" -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort -f)
[ ${#files[@]} -gt 0 ] || { echo "assemble-package: no files in $source" >&2; exit 1; }
(cd "$stage" && "$mkpackage" create "$out" "${files[@]}")
