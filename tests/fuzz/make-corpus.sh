#!/usr/bin/env bash
# Makes the seed corpus of every fuzz target from real inputs: the demo package's files in
# their shipped encodings, packages made by mkpackage, and two tiny mingw-built DLLs carrying a
# package as resource INSTALL/142. Needs the host mkpackage and the mingw compilers.
# Usage: make-corpus.sh MKPACKAGE   (rewrites tests/fuzz/corpus/)
set -euo pipefail
export SOURCE_DATE_EPOCH=0  # windres stamps its output otherwise
mkpackage=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
corpus=$here/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$root/tools/convert-content.sh" "$root/content" "$work/content"
texts=(InstallConfig_en.txt InstallConfig_cn.txt InstallConfig_rs.txt PrinterName.txt Text.ini)

# Packages: the small text files, and one with a name in a folder.
(cd "$work/content" && "$mkpackage" create "$work/texts.pkg" PrinterName.txt Text.ini InstallConfig_en.txt)
"$mkpackage" create "$work/folder.pkg" "docs\\notes.txt=$work/content/Text.ini"
head -c 64 /dev/zero >"$work/stub"
"$mkpackage" append "$work/stub" "$work/appended.bin" --header "Demo 1.0" \
  "$work/content/PrinterName.txt" "$work/content/InstallConfig_cn.txt"

# Resource-only DLLs, PE32 and PE32+, each carrying texts.pkg, and a PE32+ stub without it.
# No time stamp and a fixed image base: the same bytes on every run.
dll() {
  "$1-w64-mingw32-gcc" -shared -nostdlib -s -Wl,-e,0,--no-insert-timestamp,--disable-auto-image-base \
    -o "$2" "$3"
}
printf 'LANGUAGE 4, 2\n142 INSTALL "%s"\n' "$work/texts.pkg" >"$work/package.rc"
for arch in i686 x86_64; do
  "$arch-w64-mingw32-windres" "$work/package.rc" -O coff -o "$work/$arch.o"
  dll "$arch" "$work/$arch.dll" "$work/$arch.o"
done
echo 'int stub;' >"$work/stub.c"
dll x86_64 "$work/stub.dll" "$work/stub.c"

# A signed stub with an appended package: zero padding to 8 bytes, then a certificate table
# that the certificate data directory (entry 4 of the PE32+ optional header) points at.
le32() { printf '\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
put32() { printf "$(le32 "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
"$mkpackage" append "$work/stub.dll" "$work/signed.exe" --header "Demo 1.0" "$work/content/PrinterName.txt"
head -c $(((8 - $(stat -c %s "$work/signed.exe") % 8) % 8)) /dev/zero >>"$work/signed.exe"
table=$(stat -c %s "$work/signed.exe")
{ printf "$(le32 16)"; printf '\x00\x02\x02\x00'; printf 'fakecert'; } >>"$work/signed.exe"
pe_header=$(od -An -tu4 -j 60 -N 4 "$work/signed.exe" | tr -d ' ')
certificate_entry=$((pe_header + 24 + 112 + 4 * 8))
put32 "$work/signed.exe" "$certificate_entry" "$table"
put32 "$work/signed.exe" $((certificate_entry + 4)) 16

# An entry's stored bytes: a one-entry package minus its count, N, S and name.
stored_bytes() {
  "$mkpackage" create "$work/one.pkg" "e=$1" >/dev/null
  tail -c +14 "$work/one.pkg"
}
# The inflate target takes its choices from the input's last twelve bytes (read backwards):
# stored size mode, size delta, failing write, progress total, starting counter.
exact_no_progress='\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
progress_of_100000='\x00\x00\x00\x00\xa0\x86\x01\x80\x00\x00\x00\x00'
sixteen_bytes_short='\x00\x00\x00\x00\x00\x00\x00\x00\x00\x10\x00\x01'
second_write_fails='\x00\x00\x00\x00\xa0\x86\x01\x80\x02\x00\x00\x00'

# Large inputs, past one 16 KiB chunk: seeded random bytes, which do not compress.
random_bytes() { python3 -c "import random, sys; random.seed($2); sys.stdout.buffer.write(random.randbytes($1))"; }
random_bytes 50000 1 >"$work/noise.bin"
"$mkpackage" create "$work/large.pkg" "docs\\noise.bin=$work/noise.bin" "$work/content/Text.ini"
"$mkpackage" append "$work/stub" "$work/large-appended.bin" --header "Demo 1.0" "$work/noise.bin" \
  "$work/content/PrinterName.txt"
# Accepted names close to the device names the installer skips.
"$mkpackage" create "$work/near-devices.pkg" "console.txt=$work/content/Text.ini" \
  "com10\\nul_.txt=$work/content/Text.ini" "lpt\\auxiliary.dat=$work/content/Text.ini"

# A characterization file as the installer writes it: the fixed header, then two forms
# (lengths in thousandths of a millimetre).
python3 - "$work/model.plot" <<'PYTHON'
import struct, sys
header = bytearray(256)
header[0:4] = b"Plot"
struct.pack_into("<IH", header, 4, 0x010A, 256)
struct.pack_into("<ii4i", header, 44, 80000, 3000000, 0, 0, 0, 0)
struct.pack_into("<HH", header, 80, 203, 203)
struct.pack_into("<H", header, 90, 1)
struct.pack_into("<HHI", header, 240, 2, 56, 256)
def form(name, width, height):
    record = bytearray(56)
    record[0:len(name)] = name
    struct.pack_into("<ii4i", record, 32, width, height, 2000, 0, 2000, 0)
    return record
open(sys.argv[1], "wb").write(header + form(b"80 x 200 mm", 80000, 200000) + form(b"58 x 100 mm", 58000, 100000))
PYTHON

rm -rf "$corpus"
mkdir -p "$corpus"/{resource_package_walk,appended_package_walk,inflate_entry,pe_headers,pe_resources,mkpackage_read}
mkdir -p "$corpus"/{wizard_texts,model_catalogue,utf16_text}
mkdir -p "$corpus"/{driver_characterization,portmon_network_address,usb_device_path}
cp "$work/texts.pkg" "$work/folder.pkg" "$work/large.pkg" "$work/near-devices.pkg" "$corpus/resource_package_walk/"
cp "$work/appended.bin" "$work/signed.exe" "$work/large-appended.bin" "$corpus/appended_package_walk/"
{ stored_bytes "$work/noise.bin"; printf "$progress_of_100000"; } >"$corpus/inflate_entry/several-chunks"
{ stored_bytes "$work/content/PrinterName.txt"; printf "$exact_no_progress"; } >"$corpus/inflate_entry/catalogue"
{ stored_bytes "$work/content/Text.ini"; printf "$progress_of_100000"; } >"$corpus/inflate_entry/progress"
{ stored_bytes "$work/content/InstallConfig_en.txt"; printf "$sixteen_bytes_short"; } >"$corpus/inflate_entry/short"
{ stored_bytes "$work/content/logo.bmp"; printf "$second_write_fails"; } >"$corpus/inflate_entry/failing-write"
cp "$work/i686.dll" "$work/x86_64.dll" "$corpus/pe_resources/"
cp "$work/i686.dll" "$work/stub.dll" "$work/signed.exe" "$corpus/pe_headers/"
cp "$work/texts.pkg" "$work/appended.bin" "$work/signed.exe" "$work/x86_64.dll" "$work/large.pkg" "$corpus/mkpackage_read/"
cp "$work/content"/InstallConfig_*.txt "$corpus/wizard_texts/"
cp "$work/content/PrinterName.txt" "$corpus/model_catalogue/"
cp "$work/content/Text.ini" "$work/content/PrinterName.txt" "$corpus/utf16_text/"
cp "$work/model.plot" "$corpus/driver_characterization/"
printf '10.0.0.5 9100' | iconv -t UTF-16LE >"$corpus/portmon_network_address/plain"
printf ' \t printer.example\t 515 ' | iconv -t UTF-16LE >"$corpus/portmon_network_address/blanks"
# The USB target's input: a 17-byte id, an instance and a vid&pid each ended by a backslash and
# another byte, then a whole device path.
printf '%s' 'vid_1a2b&pid_0001sn1\.vid_1a2b&pid_0001\.\\?\usb#vid_1a2b&pid_0001#sn1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}' \
  >"$corpus/usb_device_path/demo"
du -sh "$corpus"/*
