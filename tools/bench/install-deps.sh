#!/usr/bin/env bash
# What `make bench` needs beyond `make test`: makensis (Debian's nsis) for the NSIS anchor, bc.
# Quiet and quick when both are present.
set -euo pipefail
missing=()
command -v makensis >/dev/null || missing+=(nsis)
command -v bc >/dev/null || missing+=(bc)
[ ${#missing[@]} -eq 0 ] && exit 0
echo "bench: installing ${missing[*]}..."
[ "$(id -u)" = 0 ] || { echo "bench: run as root to install ${missing[*]}" >&2; exit 1; }
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
