# Sourced: make_prefix ARCH DIR makes a Wine prefix (win32 or win64) whose user folders are
# its own.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

make_prefix() {
  local arch=$1 prefix=$2
  rm -rf "$prefix"
  WINEARCH=$arch WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1
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
