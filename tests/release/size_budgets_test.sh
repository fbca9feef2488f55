#!/usr/bin/env bash
# Prints the size of each shipped file of a tree against its budget and fails when one is over.
# Budgets are in bytes (KB here means 1000 bytes); "none" prints the size alone.
# Usage: size_budgets_test.sh FILE=BUDGET...
set -euo pipefail

over=0
printf '%-32s %10s %10s\n' file bytes budget
for pair in "$@"; do
  file=${pair%=*} budget=${pair##*=}
  if [ ! -f "$file" ]; then
    echo "size_budgets: $file is missing" >&2
    over=1
    continue
  fi
  size=$(stat -c %s "$file")
  verdict=""
  if [ "$budget" != none ] && [ "$size" -gt "$budget" ]; then
    verdict="OVER by $((size - budget))"
    over=1
  fi
  printf '%-32s %10d %10s %s\n' "$(basename "$file")" "$size" "$budget" "$verdict"
done
exit $over
