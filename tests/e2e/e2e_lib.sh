# Sourced by the end-to-end scenarios: the real installer on a virtual screen in the fresh prefix
# run-in-prefix.sh made, driven by wizard_driver.exe and checked with machine_report.exe.
# Expects INSTALLER, DRIVER and REPORT to name the programs.
source "$(dirname "${BASH_SOURCE[0]}")/../support/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

e2e_cleanup() {
  [ -n "${INSTALLER_PID:-}" ] && kill "$INSTALLER_PID" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  stop_xvfb
}

e2e_start() {
  # The installer runs in the scenario's language; the helper programs in UTF-8, so that the
  # texts they are given arrive whole (the machine has no glibc locale for zh_CN).
  INSTALLER_LOCALE=${LC_ALL:-C.UTF-8}
  export LC_ALL=C.UTF-8
  start_xvfb
  trap e2e_cleanup EXIT
  warm_up_wine "$DRIVER"
  C="$WINEPREFIX/drive_c"
}

# Runs wizard_driver commands; any failure ends the scenario.
drive() {
  local output
  output=$(wine_output "$DRIVER" "$@" 2>&1) || fail "wizard_driver $*: $output"
  [ -n "$output" ] && printf '%s\n' "$output"
  return 0
}

# What machine_report says; "missing ..." (and no failure) when the object is not there.
report() { wine_output "$REPORT" "$@" 2>/dev/null || true; }

expect_missing() {
  local said
  said=$(report "$@")
  [[ $said == missing* ]] || fail "expected no $*, got: $said"
}

expect_equal() {
  [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"
}

expect_line() {
  grep -qxF -- "$2" <<<"$1" || fail "$3: no line '$2' in: $1"
}

# Starts the installer (or another program carrying its package) and waits for the wizard.
start_installer() {
  LC_ALL=$INSTALLER_LOCALE wine "${1:-$INSTALLER}" &
  INSTALLER_PID=$!
  drive wait-wizard >/dev/null
}

# Welcome, folder page with the default folder, then the settings page.
walk_to_settings() {
  drive click 1001 wait-visible folder 1 click 1001 wait-visible 1043 1
}

# Leaves the settings page with the port chosen and waits for the finish or failure page.
install_on_port() {
  drive select 1043 "$1" click 1001 wait-text 1007 "${FINISH_CAPTION:-Finish}" 120000
}

finish_and_close() {
  drive click 1007 wait-gone
  wait_for_installer_exit
}

# The installer's process ends soon after its window has gone, or the scenario fails.
wait_for_installer_exit() {
  local _
  for _ in $(seq 300); do
    if ! kill -0 "$INSTALLER_PID" 2>/dev/null; then
      wait "$INSTALLER_PID" 2>/dev/null || true
      INSTALLER_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "the installer's process did not end within 30 s of its window closing"
}

# A whole installation of the preselected model on PORT, ending on the finish page.
install_printer() {
  start_installer "${2:-}"
  walk_to_settings
  install_on_port "$1"
  drive expect-visible 1001 0 expect-text 1007 "${FINISH_CAPTION:-Finish}"
}

# A present USB printer of the catalogue as Windows lists it (ClassGUID makes Wine list it).
simulate_usb_printer() {
  local vidpid=$1 reg="$C/usb.reg"
  local upper=${vidpid^^}
  cat >"$reg" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\##?#USB#${upper}#SN1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}]
"DeviceInstance"="USB\\\\${upper}\\\\SN1"

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\##?#USB#${upper}#SN1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\#]
"SymbolicLink"="\\\\\\\\?\\\\usb#${vidpid}#sn1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\##?#USB#${upper}#SN1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\#\\Control]
"Linked"=dword:00000001

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Enum\\USB\\${vidpid}\\sn1]
"ParentIdPrefix"="7&1a2b3c4d&0"
"ClassGUID"="{36fc9e60-c465-11cf-8056-444553540000}"

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Enum\\USBPRINT\\UnknownPrinter\\7&1a2b3c4d&0&USB001\\Control]
"ActiveService"="usbprint"
REG
  wine regedit /S 'C:\usb.reg' || fail "regedit could not import the USB printer"
}

install_log() { tr -d '\0' <"$C/InstallPrinter.txt" 2>/dev/null; }

# The records in this order, each ending in CR CR LF.
expect_log_order() {
  local log position=0 record offset
  log=$(install_log)
  for record in "$@"; do
    offset=$(grep -abo -F -- "$record" <<<"${log:$position}" | head -n1 | cut -d: -f1)
    [ -n "$offset" ] || fail "install log lacks '$record' after position $position: $log"
    position=$((position + offset + ${#record}))
  done
}

# What a restart of Windows does for programs: every process ends, then Wine's start-up runs
# the RunOnce entries and the pending file operations.
restart_windows() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wine wineboot -r >/dev/null 2>&1 </dev/null || true
  wineserver -w
}
