# Sourced by the Wine helpers: a quiet Wine that never tries to download anything, started with
# the loader that fits the program and the prefix.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

WINE64_LOADER=/usr/lib/wine/wine64
WINE_SUPPORT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# WINE_NO_32BIT=1 plays a machine whose kernel cannot run 32-bit programs: a stand-in for
# Debian's launcher comes first and fails the way the 32-bit loader fails there.
if [ -n "${WINE_NO_32BIT:-}" ] && [[ ":$PATH:" != *":$WINE_SUPPORT_DIR/no-32bit:"* ]]; then
  export PATH=$WINE_SUPPORT_DIR/no-32bit:$PATH
fi

# Prints the machine field of a Windows program's PE header: 014c (i386) or 8664 (x86-64).
pe_machine() {
  local header
  header=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$header" ] || return 1
  od -An -t x2 -j $((header + 4)) -N 2 "$1" 2>/dev/null | tr -d ' '
}

is_32bit_program() { [ -f "$1" ] && [ "$(pe_machine "$1")" = 014c ]; }

# The Linux path of PROGRAM as given to wine: a Linux path, or C:\... inside the prefix.
program_file() {
  local program=$1
  if [[ $program =~ ^[A-Za-z]:\\ ]] && [ -n "${WINEPREFIX:-}" ]; then
    local rest=${program:3}
    program="$WINEPREFIX/drive_c/${rest//\\//}"
  fi
  printf '%s' "$program"
}

prefix_is_64bit() { grep -q "^#arch=win64" "${WINEPREFIX:-$HOME/.wine}/system.reg" 2>/dev/null; }

# On a 64-bit prefix everything but a 32-bit program (64-bit programs, Wine's own cmd and regedit)
# starts with the 64-bit loader, which needs no 32-bit support; 32-bit programs keep Debian's
# launcher, which starts the 32-bit loader.
wine() {
  if prefix_is_64bit && ! is_32bit_program "$(program_file "${1:-}")"; then
    "$WINE64_LOADER" "$@"
  else
    command wine "$@"
  fi
}

# Starts the prefix's wineserver and Wine's own background programs with no terminal or pipe
# of ours: a program started first would hand them its output, and a $(...) reading that
# output would then wait until the prefix ends. Given the wizard driver, it also makes Wine's
# desktop, which the installer and the driver would otherwise race to make (the driver can hang),
# and keeps it: a driver left waiting in the background holds it until the prefix ends, for Wine
# closes the desktop a few seconds after its last process, and then the race is on again.
warm_up_wine() {
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  if [ -n "${1:-}" ]; then
    wine "$1" wait-gone 1 >/dev/null 2>&1 </dev/null
    wine "$1" wait-gone 1 sleep 86400000 >/dev/null 2>&1 </dev/null &
  fi
}

# Runs a program under Wine and prints its standard output without carriage returns (its errors
# go to ours); returns its exit code. The output goes through a file, never a pipe: a Wine
# background program that the run starts (the desktop, made anew once the last one has closed)
# inherits it, and a pipe read by $(...) would then stay open until the prefix ends.
wine_output() {
  local output status=0
  output=$(mktemp)
  wine "$@" >"$output" </dev/null || status=$?
  tr -d '\r' <"$output"
  rm -f "$output"
  return $status
}
