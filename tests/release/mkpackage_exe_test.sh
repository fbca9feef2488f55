#!/usr/bin/env bash
# mkpackage.exe under Wine against the host's mkpackage: from the same files in the same order,
# given with Windows paths (relative "docs\manual.pdf", absolute "C:\Kit\content\logo.bmp"),
# the same package and the same appended installer byte for byte, the same listing; check
# reads the package folder with the page window's own fonts and reports a planted mistake.
# Usage: mkpackage_exe_test.sh MKPACKAGE MKPACKAGE_EXE PACKAGE_FOLDER STUB
set -euo pipefail
source "$(dirname "$0")/../support/wine-env.sh"
mkpackage=$1 mkpackage_exe=$2 package_folder=$3 stub=$4

fail() {
  echo "mkpackage.exe: $*" >&2
  exit 1
}

kit="$WINEPREFIX/drive_c/Kit"
mkdir -p "$kit/content" "$kit/docs"
cp "$package_folder"/* "$kit/content/"
printf 'the manual' >"$kit/docs/manual.pdf"
cp "$stub" "$kit/stub.exe"
wineserver -p >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# Wine's own exit status keeps the low 8 bits: enough for 0, 1 and 2.
windows_tool() { (cd "$kit" && wine "$mkpackage_exe" "$@"); }
host_tool() { (cd "$kit" && "$mkpackage" "$@"); }

mapfile -t names < <(cd "$kit/content" && ls | LC_ALL=C sort -f)
windows_files=(docs\\manual.pdf "Brand\\Logo.bmp=C:\\Kit\\content\\logo.bmp")
host_files=(docs/manual.pdf "Brand/Logo.bmp=$kit/content/logo.bmp")
for name in "${names[@]}"; do
  windows_files+=("C:\\Kit\\content\\$name")
  host_files+=("content/$name")
done

windows_tool create 'C:\Kit\windows.bin' "${windows_files[@]}" >/dev/null || fail "create failed"
host_tool create host.bin "${host_files[@]}"
cmp "$kit/windows.bin" "$kit/host.bin" || fail "create: the packages differ"

windows_tool append 'C:\Kit\stub.exe' 'C:\Kit\windows.exe' --header "Demo 1.0" "${windows_files[@]}" >/dev/null ||
  fail "append failed"
host_tool append stub.exe host.exe --header "Demo 1.0" "${host_files[@]}"
cmp "$kit/windows.exe" "$kit/host.exe" || fail "append: the installers differ"

listed=$(windows_tool list 'C:\Kit\windows.exe' | tr -d '\r') || fail "list failed"
[ "$listed" = "$(host_tool list host.exe)" ] || fail "list: '$listed'"
grep -qP '^Brand\\Logo\.bmp\t' <<<"$listed" || fail "the named entry is not listed: $listed"
echo "mkpackage.exe: package and appended installer as the host's, ${#windows_files[@]} entries"

said=$(windows_tool check 'C:\Kit\content' | tr -d '\r') || fail "check of the demo package: $said"
[ "$said" = 'C:\Kit\content: 0 errors, 0 warnings' ] || fail "check of the demo package said: $said"

# A folder-page line of 60 'W': within the characters the host tool allows, far wider than the page
# in its own font; and no catalogue.
mkdir "$kit/mistakes"
cp "$kit/content"/* "$kit/mistakes/"
rm "$kit/mistakes/PrinterName.txt"
wide=$(printf 'W%.0s' {1..60})
iconv -f UTF-16LE -t UTF-8 "$kit/content/InstallConfig_en.txt" |
  sed "s/^Setup will install the Demo Printer driver in the folder below\./$wide/" |
  iconv -f UTF-8 -t UTF-16LE >"$kit/mistakes/InstallConfig_en.txt"
status=0
said=$(windows_tool check 'C:\Kit\mistakes' | tr -d '\r') || status=$?
[ "$status" = 1 ] || fail "check with an error exited with $status"
grep -qxF 'C:\Kit\mistakes\InstallConfig_en.txt:14: warning: line is wider than the folder page; its end is cut or broken off' \
  <<<"$said" || fail "no warning of the wide line: $said"
grep -qxF 'C:\Kit\mistakes\PrinterName.txt:0: error: missing: the model list would be empty' <<<"$said" ||
  fail "no error of the missing catalogue: $said"
grep -qxF 'C:\Kit\mistakes: 1 error, 1 warning' <<<"$said" || fail "summary: $said"

status=0
windows_tool >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "no command: exit $status, expected 2"
echo "mkpackage.exe: check reports findings and exit codes as the host's"
