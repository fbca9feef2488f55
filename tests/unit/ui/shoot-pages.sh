#!/usr/bin/env bash
# Screenshots of every wizard page, in English, Chinese and Russian, with the demo package's
# texts, Text.ini and logo, each language in a fresh prefix on a virtual screen.
# Usage: shoot-pages.sh GALLERY_EXE PREFIX_TEMPLATE OUT_DIR
# Makes OUT_DIR/<en|cn|rs>-<page>.png.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)

# Inside the prefix: lays out the Documents folder, shows each page and shoots it.
shoot_language() {
  local gallery=$1 content=$2 out=$3 id=$4 code=$5
  local documents=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Documents
  mkdir -p "$documents"
  cp "$content/logo.bmp" "$documents/Logo.bmp"
  cp "$content/Text.ini" "$content/InstallConfig_$code.txt" "$documents/"
  source "$root/tests/support/wine-env.sh"
  source "$root/tests/support/xvfb.sh"
  start_xvfb
  trap 'wineserver -k >/dev/null 2>&1; stop_xvfb' EXIT
  coproc GALLERY { wine "$gallery" "$id" "C:\\users\\${USER:-$(id -un)}\\Documents\\InstallConfig_$code.txt"; }
  local line
  while read -r line <&"${GALLERY[0]}"; do
    line=${line%$'\r'}  # Wine's console ends lines in CR LF
    import -window root -crop 523x365+0+0 "$out/$code-${line#page }.png"
    echo "next" >&"${GALLERY[1]}"
  done
}

if [ "${1:-}" = --inside ]; then
  shift
  shoot_language "$@"
  exit
fi

gallery=$(realpath "$1") template=$2 out=$(realpath -m "$3")
mkdir -p "$out"
content=$(mktemp -d)
trap 'rm -rf "$content"' EXIT
"$root/tools/convert-content.sh" "$root/content" "$content"
for language in 0:en 1:cn 2:rs; do
  "$root/tests/support/run-in-prefix.sh" "$template" "$here/shoot-pages.sh" --inside "$gallery" "$content" "$out" \
    "${language%%:*}" "${language#*:}"
done
ls "$out"
