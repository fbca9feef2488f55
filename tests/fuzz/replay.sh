#!/usr/bin/env bash
# Runs every input file of the given folders once through a fuzz target; fails on the first
# crash. Folders that do not exist (a target without regressions) are skipped.
# Usage: replay.sh TARGET FOLDER...
set -euo pipefail
target=$1
shift
inputs=()
for folder in "$@"; do
  [ -d "$folder" ] || continue
  for file in "$folder"/*; do
    [ -f "$file" ] && inputs+=("$file")
  done
done
[ ${#inputs[@]} -gt 0 ] || { echo "replay: no inputs in $*" >&2; exit 1; }
exec "$target" "${inputs[@]}"
