#!/usr/bin/env bash
# Signing with a throwaway self-signed certificate (its key encrypted, as a vendor's should be):
# every shipped file of the tree signs with the build's own signing script and verifies; a
# signed stub given to mkpackage append loses its signature and says so; the appended installer,
# signed afterwards, verifies and still yields its package, and the signature covers the package.
# When the tree itself was built signed (BUILD_CERT), its files verify against that certificate.
# Usage: signing_test.sh MKPACKAGE BUILD_CERT PACKAGE_FOLDER STUB FILE...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
mkpackage=$1 build_cert=$2 package_folder=$3 stub=$4
shift 4

fail() {
  echo "signing: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SIGN_PASS=test-passphrase
"$root/tests/support/make-test-certificate.sh" "$work/certificate" "$SIGN_PASS"
cert=$work/certificate/cert.pem key=$work/certificate/key.pem

sign() { "$root/tools/sign-file.sh" "$cert" "$key" "Printer Setup" "$1"; }
verifies() { osslsigncode verify -CAfile "${2:-$cert}" -in "$1" >"$work/verify.log" 2>&1; }

mkdir "$work/files"
for file in "$@" "$stub"; do
  copy="$work/files/$(basename "$file")"
  cp "$file" "$copy"
  if [ -z "$build_cert" ] && verifies "$copy"; then fail "$(basename "$file") verifies before it was signed"; fi
  sign "$copy"
  verifies "$copy" || fail "$(basename "$file") does not verify once signed: $(cat "$work/verify.log")"
done
echo "signing: $(( $# + 1 )) files signed and verified"

# The vendor's order: append to the (signed) stub, then sign the appended installer.
signed_stub="$work/files/$(basename "$stub")"
(cd "$package_folder" && "$mkpackage" append "$stub" "$work/unsigned-reference.exe" --header demo ./*) >/dev/null
(cd "$package_folder" && "$mkpackage" append "$signed_stub" "$work/installer.exe" --header demo ./*) >"$work/append.log"
grep -qF "Authenticode signature removed before appending" "$work/append.log" ||
  fail "append did not say it removed the stub's signature: $(cat "$work/append.log")"
if verifies "$work/installer.exe"; then fail "the appended installer kept a signature"; fi
package_end=$(stat -c %s "$work/installer.exe")
sign "$work/installer.exe"
verifies "$work/installer.exe" || fail "the signed appended installer does not verify: $(cat "$work/verify.log")"
[ "$("$mkpackage" list "$work/installer.exe")" = "$("$mkpackage" list "$work/unsigned-reference.exe")" ] ||
  fail "mkpackage lists the signed installer differently"
verified=$("$mkpackage" verify "$work/installer.exe")
grep -qF "before an Authenticode signature" <<<"$verified" || fail "mkpackage verify: $verified"

# A changed byte in the package breaks the signature: it covers the package too.
cp "$work/installer.exe" "$work/tampered.exe"
offset=$((package_end - 20))  # in the last entry's stored bytes
byte=$(od -An -tu1 -j "$offset" -N 1 "$work/tampered.exe")
printf "\\x$(printf %02x $(( (byte + 1) % 256 )))" | dd of="$work/tampered.exe" bs=1 seek="$offset" conv=notrunc status=none
if verifies "$work/tampered.exe"; then fail "a changed package byte still verifies"; fi
echo "signing: the appended installer, signed afterwards, verifies and lists its $("$mkpackage" list "$work/installer.exe" | wc -l) entries"

if [ -n "$build_cert" ]; then
  for file in "$@" "$stub"; do
    verifies "$file" "$build_cert" || fail "$file of the signed build does not verify: $(cat "$work/verify.log")"
  done
  echo "signing: the build's own $(( $# + 1 )) files verify against $build_cert"
fi
