#!/usr/bin/env bash
# tools/convert-content.sh writes the bytes the installer's readers expect.
# Usage: convert_content_test.sh [CONVERTER]   (default: the one in this tree)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
conv=${1:-$root/tools/convert-content.sh}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/src out=$work/out
mkdir -p "$src"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }

# Expects OUT/$1 to hold exactly the bytes given as hex in $2.
expect_bytes() {
  local got
  if [ ! -f "$out/$1" ]; then fail "$1 was not written"; return; fi
  got=$(hex "$out/$1")
  [ "$got" = "$2" ] || fail "$1: expected $2, got $got"
}

# Text cases. Expected bytes: BOM, then UTF-16LE code units; 0d00 0a00 is CR LF.
printf 'A\n\xd0\x96\xe4\xb8\xad\n' >"$src/final_newline.txt"     # A / Ж中 (U+0416, U+4E2D)
printf 'x\r\ny' >"$src/crlf_no_final.txt"                        # already CR LF, no final line end
printf 'a\n\n' >"$src/blank_last_line.ini"                       # only the last line end goes
printf '\xef\xbb\xbfk=v\n' >"$src/utf8_bom.ini"                  # UTF-8 BOM is not carried over
printf '[S]\nK=\xe2\x82\xac\n' >"$src/UPPER.INI"                 # extension in capitals; euro U+20AC
: >"$src/empty.txt"

# Already in the shipped encoding (not valid UTF-8): copied byte for byte.
printf '\xff\xfeA\x00\n\x00\xff\xfe' >"$src/shipped.txt"
# Binary and other files: copied unchanged.
printf 'BM\x00\x01\xff\xfe\n\r\n' >"$src/logo.bmp"
printf 'keep\n' >"$src/notes.dat"
# Skipped.
printf '#!/bin/sh\n' >"$src/make-logo.sh"
printf '# Notes\n' >"$src/README.md"
mkdir "$src/sub"

if ! "$conv" "$src" "$out"; then
  fail "conversion of a valid folder failed"
fi

expect_bytes final_newline.txt fffe41000d000a0016042d4e
expect_bytes crlf_no_final.txt fffe78000d000a007900
expect_bytes blank_last_line.ini fffe61000d000a00
expect_bytes utf8_bom.ini fffe6b003d007600
expect_bytes UPPER.INI fffe5b0053005d000d000a004b003d00ac20
expect_bytes empty.txt fffe
for f in shipped.txt logo.bmp notes.dat; do
  cmp -s "$src/$f" "$out/$f" || fail "$f was not copied unchanged"
done
for f in make-logo.sh README.md sub; do
  [ ! -e "$out/$f" ] || fail "$f should have been skipped"
done
leftovers=$(find "$out" -name '.*' -type f)
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"

# Invalid UTF-8 stops the run with a message naming the file.
bad=$work/bad badout=$work/badout
mkdir -p "$bad"
printf 'ok\n\xc3\x28\n' >"$bad/broken.txt"
if "$conv" "$bad" "$badout" 2>"$work/err"; then
  fail "invalid UTF-8 was accepted"
else
  grep -q 'broken.txt' "$work/err" || fail "error message does not name the file: $(cat "$work/err")"
  [ ! -e "$badout/broken.txt" ] || fail "a file was written for invalid input"
  [ -z "$(find "$badout" -name '.*' -type f)" ] || fail "temporary files left after failure"
fi

# Wrong usage is refused.
"$conv" "$src" 2>/dev/null && fail "a missing OUT_DIR was accepted"
"$conv" "$src" "$src" 2>/dev/null && fail "OUT_DIR equal to SRC_DIR was accepted"

# The demo package converts, and its wizard files end without a line end.
demo=$work/demo
if "$conv" "$root/content" "$demo"; then
  for f in InstallConfig_en.txt InstallConfig_cn.txt InstallConfig_rs.txt PrinterName.txt Text.ini logo.bmp; do
    [ -s "$demo/$f" ] || fail "demo package lacks $f"
  done
  for f in "$demo"/*.txt "$demo"/*.ini; do
    [ "$(head -c 2 "$f" | od -An -tx1 | tr -d ' \n')" = fffe ] || fail "${f##*/} has no BOM"
    [ "$(tail -c 2 "$f" | od -An -tx1 | tr -d ' \n')" != 0a00 ] || fail "${f##*/} ends with a line end"
  done
else
  fail "the demo package in content/ does not convert"
fi

if [ "$failures" -ne 0 ]; then
  echo "convert_content: $failures check(s) failed" >&2
  exit 1
fi
echo "convert_content: all checks passed"
