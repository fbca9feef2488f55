# Sourced: make_prefix ARCH DIR makes a Wine prefix (win32 or win64) whose user folders are
# its own; can_run_32bit_programs tells whether this machine runs 32-bit programs at all.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# The file beside the templates that says why 32-bit runs are skipped on this machine.
NO_32BIT_MARKER=no-32bit-programs

make_prefix() {
  local arch=$1 prefix=$2
  rm -rf "$prefix"
  # The 64-bit loader makes a 64-bit prefix without the 32-bit one (it only fails to set up
  # syswow64, which is harmless here).
  local loader=wine
  [ "$arch" = win64 ] && loader=$WINE64_LOADER
  WINEARCH=$arch WINEPREFIX=$prefix "$loader" wineboot -i >/dev/null 2>&1 || true
  # Waits until the registry is saved and the prefix's wineserver has ended.
  WINEPREFIX=$prefix wineserver -w
  [ -f "$prefix/system.reg" ] || { echo "make_prefix: no $arch prefix made at $prefix" >&2; return 1; }
  keep_user_folders_inside "$prefix"
}

# Wine links Documents, Desktop and the like to the Linux home folder; each prefix needs
# folders of its own, or tests would share files with each other and with the home folder.
keep_user_folders_inside() {
  local link
  for link in "$1"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      rm "$link"
      mkdir "$link"
    fi
  done
}

# True when Wine's 32-bit loader runs here; otherwise false with the reason in NO_32BIT_REASON.
# Some kernels cannot run 32-bit programs at all, whatever the CPU flags say, so it is tried.
can_run_32bit_programs() {
  NO_32BIT_REASON=
  if [ -n "${WINE_NO_32BIT:-}" ]; then
    NO_32BIT_REASON="WINE_NO_32BIT is set"
    return 1
  fi
  local output
  if output=$(/usr/lib/wine/wine --version 2>&1 </dev/null); then
    return 0
  fi
  NO_32BIT_REASON="/usr/lib/wine/wine: ${output##*: }"
  return 1
}
