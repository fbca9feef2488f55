#!/usr/bin/env bash
# A throwaway self-signed code-signing certificate for the signing tests: DIR/cert.pem and
# DIR/key.pem, the key encrypted with PASSPHRASE when one is given.
# Usage: make-test-certificate.sh DIR [PASSPHRASE]
set -euo pipefail
dir=$1 passphrase=${2:-}
mkdir -p "$dir"
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=Printer Setup Test Signer" \
  -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$dir/plain-key.pem" -out "$dir/cert.pem" 2>/dev/null
if [ -n "$passphrase" ]; then
  openssl pkey -in "$dir/plain-key.pem" -aes256 -passout "pass:$passphrase" -out "$dir/key.pem"
  rm "$dir/plain-key.pem"
else
  mv "$dir/plain-key.pem" "$dir/key.pem"
fi
