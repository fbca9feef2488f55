#!/usr/bin/env bash
# The whole installer run as a user runs it, then the machine inspected.
# Usage: install_test.sh SCENARIO INSTALLER STUB DRIVER REPORT MKPACKAGE PACKAGE_FOLDER
set -euo pipefail
scenario=$1 INSTALLER=$2 STUB=$3 DRIVER=$4 REPORT=$5 MKPACKAGE=$6 PACKAGE_FOLDER=$7
source "$(dirname "$0")/e2e_lib.sh"
e2e_start

FOLDER_WIN='C:\Program Files\Demo Printer\Demo80'
FOLDER="$C/Program Files/Demo Printer/Demo80"
WINE_USER=$(id -un)
START_MENU="$C/users/$WINE_USER/AppData/Roaming/Microsoft/Windows/Start Menu"

check_com1_printer() {
  local printer
  printer=$(report printer Demo80)
  expect_line "$printer" "port=COM1:" "printer port"
  expect_line "$printer" "driver=Demo80 Driver" "printer driver"
  expect_line "$printer" "data SavingLog=1" "SavingLog"
  expect_line "$printer" "data PortType=0" "PortType"
  expect_line "$printer" "data VidAndPid=vid_1a2b&pid_0001" "VidAndPid"
  expect_line "$printer" "data UserForm=720 32760 0 0" "UserForm"
  expect_line "$printer" "data Language=ENGLISH.DLL" "Language"
  ! grep -q "^data IP=" <<<"$printer" || fail "a COM printer has network data"
  expect_equal "$(report default-printer)" "Demo80" "default printer"
  expect_equal "$(stat -c %s "$C/windows/system32/spool/drivers/w32x86/Demo80GPC.pcd")" 484 "characterization file"
}

check_registration() {
  expect_equal "$(report value 'SOFTWARE\Demo80' 'Program Directory' 64)" "$FOLDER_WIN" "product key"
  expect_equal "$(report value 'SOFTWARE\Demo80' 'PortName' 64)" "$1" "recorded port"
  expect_equal "$(report value 'SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Demo80' 'UninstallString' 32)" \
    "$FOLDER_WIN\\Uninstaller.exe" "uninstall entry"
  tr -d '\0\r' <"$FOLDER/Uninstall.ini" | grep -qx "PrinterName=Demo80" || fail "Uninstall.ini"
  local service
  service=$(report service "Quellon Service")
  expect_line "$service" "state=running" "service state"
  expect_line "$service" "path=\"$FOLDER_WIN\\MerrowPrinterService.exe\"" "service path"
  local shortcut
  shortcut=$(report shortcut "C:\\users\\$WINE_USER\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Demo80 Driver\\Uninstall Printer Driver.lnk")
  expect_line "$shortcut" "target=$FOLDER_WIN\\Uninstaller.exe" "shortcut target"
  expect_line "$shortcut" "directory=$FOLDER_WIN" "shortcut directory"
}

check_log() {
  local count
  count=$("$MKPACKAGE" list "$1" | wc -l)
  expect_log_order "**** FileCount=$count"$'\r\r\n' "**** Retrace Finish"$'\r\r\n' \
    "*********** call AddPrinter"$'\r\r\n' "*********** AddPrinter success"$'\r\r\n' "AddPrinter hPrinter = "
}

check_folder_after_close() {
  expect_equal "$(ls "$FOLDER" | sort | tr '\n' ' ')" "Inf MerrowPrinterService.exe Uninstall.ini Uninstaller.exe " \
    "install folder after the wizard closed"
}

scenario_com1() {
  install_printer COM1
  check_com1_printer
  check_registration COM1:
  check_log "$INSTALLER"
  finish_and_close
  check_folder_after_close
}

scenario_network() {
  start_installer
  walk_to_settings
  drive select 1043 "Net Port(TCP/IP)" wait-visible 1013 1 expect-text 1037 9100 wait-visible 1048 0
  drive type 1013 10.0.0.5
  drive click 1001 wait-text 1007 Finish 120000
  local printer
  printer=$(report printer Demo80)
  expect_line "$printer" "data IP=10.0.0.5 9100" "IP"
  expect_line "$printer" "data PortType=1" "PortType"
  expect_line "$printer" "port=Demo80-Port:" "the printer's own monitor port"
  finish_and_close
}

scenario_second_installation() {
  install_printer COM1
  finish_and_close
  install_printer COM1
  expect_equal "$(report printers | sort | tr '\n' '|')" "Demo80|Demo80 (1)|" "printers"
  expect_line "$(report printer 'Demo80 (1)')" "port=COM1:" "second printer"
  expect_line "$(report service "Quellon Service")" "state=running" "service"
  finish_and_close
}

scenario_chinese() {
  start_installer
  drive expect-title "Demo 打印机驱动安装" expect-text 1001 "下一步>>" expect-text 1007 "取消"
  walk_to_settings
  drive expect-text 1028 "型号：" expect-text 1024 "设置端口"
  FINISH_CAPTION="完成" install_on_port COM1
  [ -f "$START_MENU/Demo80 打印机驱动/卸载 打印机驱动.lnk" ] || fail "Chinese Start-menu shortcut"
  expect_equal "$(report value 'SOFTWARE\Demo80' 'Language' 64)" "Chinese" "recorded language"
  finish_and_close
}

scenario_appended_stub() {
  local installer="$C/appended.exe"
  (cd "$PACKAGE_FOLDER" && "$MKPACKAGE" append "$STUB" "$installer" --header demo *)
  install_printer COM1 'C:\appended.exe'
  check_com1_printer
  finish_and_close
  check_folder_after_close
}

scenario_uninstall() {
  install_printer COM1
  finish_and_close
  wine "$FOLDER_WIN\\Uninstaller.exe" /quiet || fail "the uninstaller reported a failure"
  [ -z "$(report printers)" ] || fail "printers left: $(report printers)"
  expect_missing service "Quellon Service"
  expect_missing value 'SOFTWARE\Demo80' 'PrinterName' 64
  [ ! -e "$START_MENU/Demo80 Driver/Uninstall Printer Driver.lnk" ] || fail "the shortcut stayed"
}

# On 64-bit Windows: the connected printer's model is preselected and its USB port found; Wine
# cannot load the 64-bit monitor into this 32-bit process, so the port list is shown.
scenario_usb_64bit() {
  simulate_usb_printer vid_1a2b\&pid_0002
  start_installer
  drive click 1001 wait-visible folder 1 click 1001 wait-visible 1043 1 expect-text 1030 Demo58
  drive click 1001 wait-port-dialog pick-port LPT1: wait-text 1007 Finish 120000
  expect_log_order "**** vid&pid=vid_1a2b&pid_0002 subkey=sn1"$'\r\r\n' "AddPrinterMonitor64 Error=" \
    "*********** call AddPrinter"$'\r\r\n'
  # Wine refused the printer on the x64 driver: nothing is registered.
  expect_missing value 'SOFTWARE\Demo58' 'PrinterName' 64
  finish_and_close
}

# A model setup that fails (the port list cancelled) ends on the failure page, registers nothing.
scenario_failure() {
  simulate_usb_printer vid_1a2b\&pid_0002
  start_installer
  walk_to_settings
  drive click 1001 wait-port-dialog cancel-port-dialog wait-text 1007 Finish 120000
  drive expect-visible 1001 0 expect-visible 1003 0 expect-text 1007 Finish
  expect_missing value 'SOFTWARE\Demo58' 'PrinterName' 64
  expect_missing value 'SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Demo58' 'DisplayName' 32
  expect_missing service "Quellon Service"
  finish_and_close
}

"scenario_$scenario"
echo "install_test: $scenario passed"
