#!/usr/bin/env bash
# Runs every fuzz target for SECONDS and prints, per target, its executions and any crash.
# New inputs go to a scratch corpus under WORK; a crash input is kept in
# tests/fuzz/regressions/<target>/ to be committed as a regression input.
# Usage: run-fuzzers.sh BIN_DIR WORK SECONDS
set -uo pipefail
bin=$1 work=$2 seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
crashed=0

# The value of one of libFuzzer's final statistics in a log.
final_stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -1; }

# The largest input each target reads whole: inflation over several 16 KiB chunks, packages
# whose entries run past one chunk, text files of 31 cut lines; short texts for the parsers of
# one value.
max_len() {
  case $1 in
    inflate_entry) echo 81920 ;;
    resource_package_walk | appended_package_walk | mkpackage_read) echo 65536 ;;
    portmon_network_address | usb_device_path) echo 1024 ;;
    *) echo 16384 ;;
  esac
}

for folder in "$here"/corpus/*/; do
  target=$(basename "$folder")
  regressions=$here/regressions/$target
  scratch=$work/corpus/$target
  log=$work/$target.log
  mkdir -p "$scratch" "$regressions"
  before=$(ls "$regressions")
  "$bin/$target" -max_total_time="$seconds" -max_len="$(max_len "$target")" -print_final_stats=1 -artifact_prefix="$regressions/" \
    "$scratch" "$folder" >"$log" 2>&1
  status=$?
  executions=$(final_stat number_of_executed_units "$log")
  new=$(comm -13 <(echo "$before") <(ls "$regressions") | tr '\n' ' ')
  if [ $status -eq 0 ]; then
    printf '%-24s %12s executions, no crash\n' "$target" "${executions:-?}"
  else
    crashed=1
    reason=$(grep -m1 -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed|.*runtime error)' "$log")
    printf '%-24s %12s executions, CRASH: %s\n' "$target" "${executions:-?}" "${reason:-exit $status}"
    printf '%-24s kept %s; log %s\n' "" "${new:-nothing}" "$log"
  fi
  rmdir "$regressions" 2>/dev/null
done
rmdir "$here/regressions" 2>/dev/null
exit $crashed
