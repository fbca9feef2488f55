#!/usr/bin/env bash
# The form every shipped program and DLL of a tree leaves the build in: stripped, its debug
# information in NAME.debug beside it (named by its .gnu_debuglink section), and a version
# resource with the product's identity; the installer programs also with their manifest.
# Usage: shipped_form_test.sh WINDRES OBJDUMP OBJCOPY FILE... [-- INSTALLER...]
set -euo pipefail
windres=$1 objdump=$2 objcopy=$3
shift 3

failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "shipped_form: $*" >&2
  failures=$((failures + 1))
}

sections() { "$objdump" -h "$1" | awk '$1 ~ /^[0-9]+$/ {print $2}'; }

# A resource-only DLL has no entry point, and no code to debug.
has_code() {
  local headers
  headers=$("$objdump" -p "$1")
  ! grep -qE '^AddressOfEntryPoint[[:space:]]+0+$' <<<"$headers"
}

# CRC-32 as the .gnu_debuglink section stores it, little-endian: gzip's trailer holds the same.
crc32_bytes() { gzip -c <"$1" | tail -c 8 | head -c 4 | od -An -tx1 | tr -d ' \n'; }

# Without debug sections; a file with code names its debug file (and its checksum), which holds
# the information.
check_debug_split() {
  local file=$1 list link debug
  list=$(sections "$file")
  if grep -q '^\.debug_' <<<"$list"; then fail "$file still carries debug sections"; fi
  if ! has_code "$file"; then
    if grep -qx '\.gnu_debuglink' <<<"$list"; then fail "$file has no code but a debug link"; fi
    return 0
  fi
  grep -qx '\.gnu_debuglink' <<<"$list" || { fail "$file has no .gnu_debuglink"; return; }
  "$objcopy" --dump-section .gnu_debuglink="$work/link" "$file" "$work/scratch"
  link=$(tr '\0' '\n' <"$work/link" | sed -n 1p)
  [ "$link" = "$(basename "$file").debug" ] || fail "$file links to '$link'"
  debug="$(dirname "$file")/$link"
  [ -f "$debug" ] || { fail "$file: its debug file $link is missing"; return; }
  grep -qx '\.debug_info' <<<"$(sections "$debug")" || fail "$link holds no .debug_info"
  [ "$(tail -c 4 "$work/link" | od -An -tx1 | tr -d ' \n')" = "$(crc32_bytes "$debug")" ] ||
    fail "$link is not the debug file $file was linked with (CRC differs)"
}

expect_line() {
  grep -qxF -- "$2" <<<"$1" || fail "$3: no line '$2'"
}

# Installed under the plain name: a 64-bit component's ".x64" is not part of it.
check_version_resource() {
  local file=$1 rc name
  name=$(basename "$file" .x64)
  rc=$("$windres" -J coff -i "$file" -O rc | sed 's/^ *//')
  expect_line "$rc" "FILEVERSION 1, 2, 1, 0" "$name"
  expect_line "$rc" "PRODUCTVERSION 1, 2, 1, 0" "$name"
  expect_line "$rc" 'VALUE "CompanyName", "Tarvik Labs"' "$name"
  expect_line "$rc" 'VALUE "ProductName", "Printer Setup"' "$name"
  expect_line "$rc" 'VALUE "FileVersion", "1.2.1"' "$name"
  expect_line "$rc" 'VALUE "ProductVersion", "1.2.1"' "$name"
  expect_line "$rc" "VALUE \"OriginalFilename\", \"$name\"" "$name"
  grep -qE '^VALUE "FileDescription", ".+"$' <<<"$rc" || fail "$name has no FileDescription"
}

# Every Windows version from Vista to 11, version 1.2.1.0, administrator rights, DPI awareness per monitor.
check_manifest() {
  local file=$1 rc id
  rc=$("$windres" -J coff -i "$file" -O rc)
  for id in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
            4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
            8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    grep -qF "<supportedOS Id=\"\"{$id}\"\"/>" <<<"$rc" || fail "$file: manifest lacks supportedOS $id"
  done
  grep -qF 'version=""1.2.1.0""' <<<"$rc" || fail "$file: manifest version is not 1.2.1.0"
  grep -qF 'level=""requireAdministrator""' <<<"$rc" || fail "$file: manifest asks no administrator rights"
  grep -qF '<dpiAwareness xmlns=""http://schemas.microsoft.com/SMI/2016/WindowsSettings"">PerMonitorV2, PerMonitor</dpiAwareness>' <<<"$rc" ||
    fail "$file: manifest is not DPI aware per monitor (Windows 10)"
  grep -qF '<dpiAware xmlns=""http://schemas.microsoft.com/SMI/2005/WindowsSettings"">true/pm</dpiAware>' <<<"$rc" ||
    fail "$file: manifest is not DPI aware per monitor (older Windows)"
}

installers=false
checked=0
for file in "$@"; do
  if [ "$file" = -- ]; then
    installers=true
    continue
  fi
  check_debug_split "$file"
  check_version_resource "$file"
  if $installers; then check_manifest "$file"; fi
  checked=$((checked + 1))
done
[ "$failures" -eq 0 ] || exit 1
echo "shipped_form: $checked files stripped, with their debug files and version resources"
