#!/usr/bin/env bash
# Runs one Windows program in a fresh Wine prefix copied from a template, then ends every
# Wine process of that prefix and removes it. Usage: run-in-prefix.sh TEMPLATE PROGRAM [ARGS...]
# The prefix is exported as WINEPREFIX, so a test script can use and inspect it.
# A run that needs 32-bit programs (the win32 template, or a 32-bit program among its
# arguments) exits with 77, which ctest counts as skipped, where the machine cannot run them.
set -uo pipefail
template=$(realpath -m "${1:?usage: run-in-prefix.sh TEMPLATE PROGRAM [ARGS...]}")
shift
source "$(dirname "$0")/wine-prefix.sh"
readonly SKIPPED=77

needs_32bit_programs() {
  [ "$(basename "$template")" = win32 ] && return 0
  local argument
  for argument in "$@"; do
    is_32bit_program "$argument" && return 0
  done
  return 1
}

marker="$(dirname "$template")/$NO_32BIT_MARKER"
if [ -f "$marker" ] && needs_32bit_programs "$@"; then
  echo "run-in-prefix: skipped, this machine cannot run 32-bit programs ($(<"$marker"))"
  exit $SKIPPED
fi
if [ ! -f "$template/system.reg" ]; then
  echo "run-in-prefix: no prefix template at $template (make test makes it)" >&2
  exit 1
fi
prefix=$(mktemp -d "$(dirname "$template")/run.XXXXXX")
cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  rm -rf "$prefix"
}
trap cleanup EXIT
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix

case "$1" in
  *.exe) wine "$@" ;;
  *) "$@" ;;  # a test script that starts several programs in this one prefix
esac
