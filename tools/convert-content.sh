#!/usr/bin/env bash
# Turns package sources into the encodings the installer reads.
# Usage: convert-content.sh SRC_DIR OUT_DIR
#
#  *.txt, *.ini  UTF-8 (LF or CR LF) -> UTF-16 LE with BOM FF FE, CR LF line ends,
#                no final line end (the installer's readers expect exactly this).
#                A file that already starts with FF FE is copied unchanged.
#  *.sh, *.md    skipped (tooling and notes, not package entries).
#  anything else copied unchanged (e.g. logo.bmp).
# Extensions match in any letter case; hidden files and subfolders are ignored.
# Exits non-zero, naming the file, on text that is not valid UTF-8.
set -euo pipefail
shopt -s nullglob nocasematch

die() { echo "convert-content: $*" >&2; exit 1; }

[ $# -eq 2 ] || die "usage: convert-content.sh SRC_DIR OUT_DIR"
src=$1 out=$2
[ -d "$src" ] || die "not a folder: $src"
mkdir -p "$out"
[ "$(cd "$src" && pwd -P)" != "$(cd "$out" && pwd -P)" ] || die "SRC_DIR and OUT_DIR must differ"

# First N bytes of a file as continuous lower-case hex.
head_hex() { head -c "$2" "$1" | od -An -v -tx1 | tr -d ' \n'; }
tail_hex() { tail -c "$2" "$1" | od -An -v -tx1 | tr -d ' \n'; }

# Writes the converted form of text file $1 to $2.
convert_text() {
  local in=$1 dst=$2 body=$2.body lines=$2.lines cut
  # iconv stops with an error on the first invalid sequence; stdout is discarded.
  iconv -f UTF-8 -t UTF-8 "$in" >/dev/null 2>"$2.err" ||
    die "$in: not valid UTF-8 ($(tr -d '\n' <"$2.err"))"
  rm -f "$2.err"

  # A UTF-8 BOM would otherwise become a second, inner BOM character.
  if [ "$(head_hex "$in" 3)" = efbbbf ]; then tail -c +4 "$in"; else cat "$in"; fi >"$body"

  # Every line, also an unterminated last one, ends in CR; then drop the final
  # line end: CR LF if the source ended with a newline, else the lone CR.
  LC_ALL=C sed 's/\r$//; s/$/\r/' "$body" >"$lines"
  cut=0
  if [ -s "$lines" ]; then
    if [ "$(tail_hex "$lines" 2)" = 0d0a ]; then cut=2; else cut=1; fi
  fi
  {
    printf '\xff\xfe'
    head -c "-$cut" "$lines" | iconv -f UTF-8 -t UTF-16LE
  } >"$dst"
  rm -f "$body" "$lines"
}

# Output is built under a hidden name and renamed, so a failure leaves no half file.
tmp=
trap '[ -z "$tmp" ] || rm -f -- "$tmp" "$tmp.body" "$tmp.lines" "$tmp.err"' EXIT
for path in "$src"/*; do
  [ -f "$path" ] || continue
  name=${path##*/}
  case $name in
    *.sh | *.md) continue ;;
  esac
  tmp=$out/.$name.partial
  case $name in
    *.txt | *.ini)
      if [ "$(head_hex "$path" 2)" = fffe ]; then
        cp "$path" "$tmp"
      else
        convert_text "$path" "$tmp"
      fi
      ;;
    *) cp "$path" "$tmp" ;;
  esac
  mv -f "$tmp" "$out/$name"
done
tmp=
