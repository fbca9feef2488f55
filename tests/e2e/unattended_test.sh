#!/usr/bin/env bash
# The installer run by a deployment tool: the command line, silent installations, exit codes read
# whole, one installation at a time, and the quiet removal the uninstall entry names.
# Usage: unattended_test.sh SCENARIO INSTALLER DRIVER REPORT RUNNER
set -euo pipefail
scenario=$1 INSTALLER=$2 DRIVER=$3 REPORT=$4 RUNNER=$5
source "$(dirname "$0")/e2e_lib.sh"
e2e_start

WINE_USER=$(id -un)
DOCUMENTS="$C/users/$WINE_USER/Documents"
START_MENU="$C/users/$WINE_USER/AppData/Roaming/Microsoft/Windows/Start Menu"
UNINSTALL_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
INSTALLER_WIN="Z:${INSTALLER//\//\\}"
LOG="$C/setup.log"
if is_32bit_program "$INSTALLER"; then ENTRY_VIEW=32; else ENTRY_VIEW=64; fi

# Runs the installer with these arguments and prints its whole exit code.
run_installer() {
  local said
  said=$(LC_ALL=$INSTALLER_LOCALE wine_output "$RUNNER" "$INSTALLER_WIN" "$@") || fail "run_and_wait: $said"
  [[ $said == exit=* ]] || fail "run_and_wait said: $said"
  printf '%s' "${said#exit=}"
}

expect_exit() {
  local code
  code=$(run_installer "${@:2}")
  expect_equal "$code" "$1" "exit code of: $*"
}

run_log() { tr -d '\r' <"$LOG"; }
expect_log_line() { run_log | grep -qF -- "$1" || fail "the run's log lacks '$1': $(run_log)"; }

# Everything an installation touches, as one text: printers, ports, files of the prefix's
# drive C (but the run's log and the export), the whole registry as the running Wine holds it.
machine_state() {
  report printers
  report ports
  wine regedit /E 'C:\registry.reg' >/dev/null 2>&1 </dev/null || fail "regedit could not export the registry"
  md5sum <"$C/registry.reg"
  rm -f "$C/registry.reg"
  (cd "$C" && find . -path ./setup.log -prune -o -print | sort)
}

check_printer_on() {
  local printer
  printer=$(report printer "$1")
  expect_line "$printer" "port=$2" "printer port"
  expect_line "$printer" "driver=$1 Driver" "printer driver"
}

check_recorded() {
  local name=$1 folder_win=$2
  expect_equal "$(report value "SOFTWARE\\$name" 'Program Directory' 64)" "$folder_win" "product key"
  expect_equal "$(report value "$UNINSTALL_KEY\\$name" 'QuietUninstallString' $ENTRY_VIEW)" \
    "\"$folder_win\\Uninstaller.exe\" /quiet" "quiet uninstall command"
  expect_equal "$(report value "$UNINSTALL_KEY\\$name" 'NoModify' $ENTRY_VIEW)" 1 "NoModify"
  expect_equal "$(report value "$UNINSTALL_KEY\\$name" 'NoRepair' $ENTRY_VIEW)" 1 "NoRepair"
  local size
  size=$(report value "$UNINSTALL_KEY\\$name" 'EstimatedSize' $ENTRY_VIEW)
  [[ $size =~ ^[0-9]+$ ]] && [ "$size" -gt 100 ] || fail "EstimatedSize: $size"
  expect_line "$(report service "Quellon Service")" "state=running" "service"
  [ -f "$START_MENU/$name Driver/Uninstall Printer Driver.lnk" ] || fail "no Start-menu shortcut for $name"
}

# Every switch: the printer on COM2 with its serial settings, not the default printer.
scenario_silent_com() {
  expect_exit 0 /S '/D=C:\Tills' /MODEL=demo58 '/NAME=Till 3' /PORT=com2 /SERIAL=9600,e,7,2,x /DEFAULT=no /LANG=en \
    '/LOG=C:\setup.log'
  check_printer_on "Till 3" COM2:
  expect_equal "$(report value 'SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports' COM2: 64)" "9600,e,7,2,x" \
    "serial settings"
  [ "$(report default-printer)" != "Till 3" ] || fail "/DEFAULT=no made the printer the default"
  expect_line "$(report printer "Till 3")" "data VidAndPid=vid_1a2b&pid_0002" "the model's USB id"
  check_recorded "Till 3" 'C:\Tills\Till 3'
  expect_equal "$(ls "$C/Tills/Till 3" | sort | tr '\n' ' ')" "Inf MerrowPrinterService.exe Uninstall.ini Uninstaller.exe " \
    "install folder after the clean-up"
  expect_log_line "Command line: "
  expect_log_line "Silent installation started: folder=\"C:\\Tills\" model=3 name=\"Till 3\" port=COM2 serial=9600,e,7,2,x default=no"
  expect_log_line "Staging: started"
  expect_log_line "trace: *********** AddPrinter success"
  expect_log_line "Uninstall registration: done"
  expect_log_line "Printer service: done"
  run_log | tail -n1 | grep -qE '^[0-9-]{10} [0-9:]{8}\.[0-9]{3} Exit code 0$' || fail "last line: $(run_log | tail -n1)"
  # Appended to, never truncated.
  expect_exit 1639 /S /PORT=COM9 '/LOG=C:\setup.log'
  expect_equal "$(grep -c 'Exit code' "$LOG")" 2 "exit lines in the appended log"
}

scenario_silent_network() {
  expect_exit 0 /S /PORT=IP:10.0.0.7:9101 /NAME=Kitchen /DEFAULT=yes
  local printer
  printer=$(report printer Kitchen)
  expect_line "$printer" "data IP=10.0.0.7 9101" "IP"
  expect_line "$printer" "port=Kitchen-Port:" "the printer's own monitor port"
  expect_equal "$(report default-printer)" "Kitchen" "default printer"
  check_recorded Kitchen 'C:\Program Files\Demo Printer\Kitchen'
}

# Only /S: the connected printer's model, its own port, the default folder.
scenario_silent_usb() {
  expect_exit 1639 /S '/LOG=C:\setup.log'
  expect_log_line "No matching label printer detected"
  simulate_usb_printer vid_1a2b\&pid_0002
  expect_exit 0 /S
  check_printer_on Demo58 Demo58-Port:
  check_recorded Demo58 'C:\Program Files\Demo Printer\Demo58'
}

# Each kind of invalid command line: 1639, and nothing on the machine changes (Documents too).
scenario_invalid() {
  local before after arguments
  before=$(machine_state)
  for arguments in "/S extra" "/S /SILENTLY" "/S /S" "/S /QUIET" "/S=1" "/S /MODEL" "/S /NAME=" "/S /MODEL=Nope" \
    "/S /PORT=COM9" "/S /PORT=IP:10.0.0.300" "/S /PORT=IP:printer:70000" "/S /PORT=LPT1 /SERIAL=9600,n,8,1,p" \
    "/S /PORT=COM1 /SERIAL=9601,n,8,1,p" "/S /PORT=COM1 /NAME=a,b" "/S /PORT=COM1 /NAME=CON" "/S /PORT=COM1 /D=Tills" \
    "/S /PORT=COM1 /DEFAULT=maybe" "/S /PORT=COM1 /LANG=ru" "/S /PORT=COM1 /D=Q:\\Tills"; do
    # shellcheck disable=SC2086
    expect_exit 1639 $arguments '/LOG=C:\setup.log'
  done
  expect_exit 0 /S /? '/LOG=C:\setup.log'
  after=$(machine_state)
  expect_equal "$after" "$before" "the machine after refused command lines"
  [ ! -e "$DOCUMENTS/PrinterName.txt" ] || fail "a refused command line wrote Documents"
  expect_equal "$(grep -c 'Refused: ' "$LOG")" 19 "refusals in the log"
}

# The wizard closed on its first page; a silent run that cannot lay the package down.
scenario_cancel_and_failure() {
  LC_ALL=$INSTALLER_LOCALE wine_output "$RUNNER" "$INSTALLER_WIN" >"$C/cancel.out" &
  local runner=$!
  drive wait-wizard >/dev/null
  drive click 1007 wait-gone
  wait "$runner" || true
  expect_equal "$(tr -d '\r' <"$C/cancel.out")" "exit=1602" "exit code of a wizard closed at once"

  mkdir -p "$C/Tills"
  echo "in the way" >"$C/Tills/Blocked"
  expect_exit 1603 /S '/D=C:\Tills' /NAME=Blocked /PORT=COM1 '/LOG=C:\setup.log'
  expect_log_line 'Install folder C:\Tills\Blocked: cannot be created'
  expect_log_line "The installation failed"
  expect_missing printer Blocked
}

# While a wizard is open, any second instance refuses at once and touches nothing.
scenario_second_instance() {
  start_installer
  local before
  before=$(machine_state)
  expect_exit 1618 /S /PORT=COM1 '/LOG=C:\setup.log'
  expect_log_line "Refused: another installation is running"
  expect_equal "$(machine_state)" "$before" "the machine after a refused second instance"
  LC_ALL=$INSTALLER_LOCALE wine_output "$RUNNER" "$INSTALLER_WIN" >"$C/second.out" &
  local runner=$!
  drive any-process expect-message "Another printer installation is running on this computer. Wait until it has finished, then try again." \
    answer-message 1
  wait "$runner" || true
  expect_equal "$(tr -d '\r' <"$C/second.out")" "exit=1618" "exit code of a second wizard"
  drive click 1007 wait-gone
  wait_for_installer_exit
}

# Switches fill the pages; the user goes on as usual.
scenario_prefill() {
  LC_ALL=$INSTALLER_LOCALE wine "$INSTALLER" '/D=C:\Tills' /MODEL=DEMO110 /NAME=Kitchen /PORT=COM3 \
    /SERIAL=19200,o,8,1,- /DEFAULT=no &
  INSTALLER_PID=$!
  drive wait-wizard >/dev/null
  drive click 1001 wait-visible folder 1 expect-text folder 'C:\Tills' click 1001 wait-visible 1043 1
  drive expect-text 1025 Demo110 expect-text 1030 Kitchen expect-text 1043 COM3 expect-text 1048 19200
  drive click 1001 wait-text 1007 Finish 120000
  check_printer_on Kitchen COM3:
  expect_equal "$(report value 'SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports' COM3: 64)" "19200,o,8,1," \
    "serial settings"
  [ "$(report default-printer)" != "Kitchen" ] || fail "/DEFAULT=no was not kept"
  finish_and_close
}

# The removal that deployment tools run, read from the uninstall entry.
scenario_quiet_uninstall() {
  expect_exit 0 /S /PORT=IP:10.0.0.7 /NAME=Kitchen
  local command code
  command=$(report value "$UNINSTALL_KEY\\Kitchen" 'QuietUninstallString' $ENTRY_VIEW)
  code=$(LC_ALL=$INSTALLER_LOCALE wine_output "$RUNNER" --command "$command")
  expect_equal "$code" "exit=0" "exit code of the quiet removal"
  [ -z "$(report printers)" ] || fail "printers left: $(report printers)"
  expect_missing driver "Kitchen Driver" "$(is_32bit_program "$INSTALLER" && echo 'Windows NT x86' || echo 'Windows x64')"
  ! report ports | grep -qxF "Kitchen-Port:" || fail "the monitor port stayed"
  expect_missing service "Quellon Service"
  expect_missing value 'SOFTWARE\Kitchen' 'PrinterName' 64
  expect_missing value "$UNINSTALL_KEY\\Kitchen" 'UninstallString' $ENTRY_VIEW
  [ ! -e "$START_MENU/Kitchen Driver" ] || fail "the Start-menu folder stayed"
}

# Under WOW64 Wine cannot load the 64-bit monitor into the 32-bit installer, so the printer's
# own port is missing and the wizard would show the port list: silently, that is Cancel.
scenario_silent_port_question() {
  expect_exit 1603 /S /PORT=IP:10.0.0.7 /NAME=Kitchen '/LOG=C:\setup.log'
  expect_log_line "The port Kitchen-Port: is missing; without a window the port question is answered Cancel"
  expect_log_line "The installation failed"
  run_log | tail -n1 | grep -q 'Exit code 1603$' || fail "last line: $(run_log | tail -n1)"
  expect_missing value 'SOFTWARE\Kitchen' 'PrinterName' 64
}

# Links a standard user could plant before an administrator runs the installer: hard links at the
# trace's name and in Documents, a folder link as the printer's subfolder. None is written through.
scenario_planted_links() {
  mkdir -p "$C/elsewhere" "$DOCUMENTS" "$C/Tills"
  echo precious >"$C/elsewhere/trace-target"
  echo precious >"$C/elsewhere/catalogue-target"
  ln "$C/elsewhere/trace-target" "$C/InstallPrinter.txt"
  ln "$C/elsewhere/catalogue-target" "$DOCUMENTS/PrinterName.txt"
  ln -s "$C/elsewhere" "$C/Tills/Till 3"
  expect_exit 1639 /S '/D=C:\Tills' '/NAME=Till 3' /PORT=COM1 '/LOG=C:\setup.log'
  expect_log_line "a link to another place"
  [ -z "$(ls "$C/elsewhere" | grep -v -- -target)" ] || fail "written through the folder link: $(ls "$C/elsewhere")"

  expect_exit 0 /S '/D=C:\Tills' /NAME=Kitchen /PORT=COM1
  expect_equal "$(cat "$C/elsewhere/trace-target")" precious "the trace's planted target"
  expect_equal "$(cat "$C/elsewhere/catalogue-target")" precious "the catalogue's planted target"
  install_log | grep -qF "*********** AddPrinter success" || fail "the new trace lacks this run: $(install_log)"
  [ "$(stat -c %h "$C/InstallPrinter.txt")" = 1 ] || fail "the trace is still linked"
  [ "$(stat -c %h "$DOCUMENTS/PrinterName.txt")" = 1 ] || fail "the catalogue is still linked"
  check_printer_on Kitchen COM1:
}

"scenario_$scenario"
echo "unattended_test: $scenario passed"
