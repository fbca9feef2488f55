#!/usr/bin/env bash
# Packs the vendor's kit from what `make build` left in DIST: both stubs, mkpackage for Windows
# and Linux, the demo package folder as "content" and VENDOR.md, under one folder named after
# the zip, gathered in STAGE.
# Usage: make-kit.sh DIST STAGE ZIP
set -euo pipefail
dist=$1 stage=$2 zip=$3
root=$(cd "$(dirname "$0")/.." && pwd)
name=$(basename "$zip" .zip)
zip_path=$(cd "$(dirname "$zip")" && pwd)/$(basename "$zip")

rm -rf "$stage"
mkdir -p "$stage/$name"
cp "$dist/PrinterSetupStub.exe" "$dist/PrinterSetupStub64.exe" "$dist/mkpackage.exe" "$dist/mkpackage" \
  "$root/VENDOR.md" "$stage/$name/"
cp -r "$dist/package" "$stage/$name/content"
rm -f "$zip_path"
# -X: no extra file attributes, so the zip depends on the files alone.
(cd "$stage" && zip -qrX "$zip_path" "$name")
echo "kit: $zip"
