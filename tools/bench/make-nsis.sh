#!/usr/bin/env bash
# Builds the NSIS anchor: a silent installer with zlib compression that installs every file of
# PAYLOAD_DIR into C:\bench-nsis. Usage: make-nsis.sh PAYLOAD_DIR OUT_EXE
set -euo pipefail
payload=$(realpath "$1") out=$(realpath -m "$2")
script=${out%.exe}.nsi
{
  echo "Name \"Bench payload\""
  echo "OutFile \"$out\""
  echo "Unicode true"
  echo "SetCompressor zlib"
  echo "SilentInstall silent"
  echo "RequestExecutionLevel user"
  echo "InstallDir \"C:\\bench-nsis\""
  echo "Section"
  echo "  SetOutPath \"\$INSTDIR\""
  for file in "$payload"/*; do echo "  File \"$file\""; done
  echo "SectionEnd"
} >"$script"
makensis -V2 "$script" >/dev/null
