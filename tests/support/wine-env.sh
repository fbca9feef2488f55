# Sourced by the Wine helpers: a quiet Wine that never tries to download anything.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

# Starts the prefix's wineserver and Wine's own background programs with no terminal or pipe
# of ours: a program started first would hand them its output, and a $(...) reading that
# output would then wait until the prefix ends. Given the wizard driver, it also makes Wine's
# desktop, which the installer and the driver would otherwise race to make (the driver can hang).
warm_up_wine() {
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  if [ -n "${1:-}" ]; then
    wine "$1" wait-gone 1 >/dev/null 2>&1 </dev/null
  fi
}
