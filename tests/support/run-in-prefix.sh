#!/usr/bin/env bash
# Runs one Windows program in a fresh Wine prefix copied from a template, then ends every
# Wine process of that prefix and removes it. Usage: run-in-prefix.sh TEMPLATE PROGRAM [ARGS...]
# The prefix is exported as WINEPREFIX, so a test script can use and inspect it.
set -uo pipefail
template=$(realpath "${1:?usage: run-in-prefix.sh TEMPLATE PROGRAM [ARGS...]}")
shift
source "$(dirname "$0")/wine-env.sh"

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
