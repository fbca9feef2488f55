#!/usr/bin/env bash
# Signs a Windows program or DLL in place with Authenticode (osslsigncode, SHA-256), with a PEM
# certificate (or chain) and its PEM key. SIGN_PASS in the environment unlocks an encrypted key;
# it goes to osslsigncode through a private file, never on a command line.
# Usage: sign-file.sh CERT KEY DESCRIPTION FILE
set -euo pipefail
cert=$1 key=$2 description=$3 file=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pass=()
if [ -n "${SIGN_PASS:-}" ]; then
  (umask 077 && printf '%s' "$SIGN_PASS" >"$work/pass")
  pass=(-readpass "$work/pass")
fi
# Without a terminal (setsid), so that OpenSSL fails on an encrypted key without SIGN_PASS
# instead of asking in the middle of a parallel build.
if ! setsid -w osslsigncode sign -certs "$cert" -key "$key" "${pass[@]}" -h sha256 -n "$description" \
     -in "$file" -out "$work/signed" >"$work/log" 2>&1 </dev/null; then
  cat "$work/log" >&2
  echo "sign-file: cannot sign $file (an encrypted key needs SIGN_PASS)" >&2
  exit 1
fi
# Written over the file, so that it keeps its permissions.
cat "$work/signed" >"$file"
