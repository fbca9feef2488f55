#!/usr/bin/env bash
# The whole installer run as a user runs it, then the machine inspected. The installer is the
# 32-bit or the 64-bit build; the checks follow its bitness.
# Usage: install_test.sh SCENARIO INSTALLER STUB DRIVER REPORT MKPACKAGE PACKAGE_FOLDER MKPACKAGE_EXE
set -euo pipefail
scenario=$1 INSTALLER=$2 STUB=$3 DRIVER=$4 REPORT=$5 MKPACKAGE=$6 PACKAGE_FOLDER=$7 MKPACKAGE_EXE=$8
source "$(dirname "$0")/e2e_lib.sh"
e2e_start

FOLDER_WIN='C:\Program Files\Demo Printer\Demo80'
FOLDER="$C/Program Files/Demo Printer/Demo80"
WINE_USER=$(id -un)
START_MENU="$C/users/$WINE_USER/AppData/Roaming/Microsoft/Windows/Start Menu"

# What the installer's bitness decides: the driver's environment and folder, the files it takes
# from the package, and the registry view of the uninstall entry (its own process's view).
if is_32bit_program "$INSTALLER"; then
  ENVIRONMENT="Windows NT x86" DRIVER_DIR="$C/windows/system32/spool/drivers/w32x86" BUILD_SUFFIX="" ENTRY_VIEW=32
else
  ENVIRONMENT="Windows x64" DRIVER_DIR="$C/windows/system32/spool/drivers/x64" BUILD_SUFFIX=".x64" ENTRY_VIEW=64
fi
UNINSTALL_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
DRIVER_DIR_WIN="C:\\windows\\system32\\spool\\drivers\\${DRIVER_DIR##*/}"

# The file FILE holds the bytes of the package entry ENTRY.
expect_package_file() {
  cmp -s "$1" "$PACKAGE_FOLDER/$2" || fail "$1 is not the package's $2"
}

# The file of the driver record's line ROLE=PATH: under the driver folder (the spooler moves it
# into its version folder), named NAME. Prints its Linux path.
driver_file() {
  local record=$1 role=$2 name=$3 path
  path=$(grep "^$role=" <<<"$record" | cut -d= -f2-)
  [[ $path == "$DRIVER_DIR_WIN"\\*\\"$name" || $path == "$DRIVER_DIR_WIN"\\"$name" ]] ||
    fail "driver $role file: '$path', expected $name under $DRIVER_DIR_WIN"
  program_file "$path"
}

# The driver in this bitness's environment, its files renamed after the printer.
check_driver() {
  local driver
  driver=$(report driver "Demo80 Driver" "$ENVIRONMENT")
  expect_package_file "$(driver_file "$driver" driver Demo80Drv.dll)" "plotter.dll$BUILD_SUFFIX"
  expect_package_file "$(driver_file "$driver" config Demo80UI.dll)" "plotui.dll$BUILD_SUFFIX"
  expect_equal "$(stat -c %s "$(driver_file "$driver" data Demo80GPC.pcd)")" 484 "characterization file"
  expect_package_file "$DRIVER_DIR/3/ENGLISH.DLL" "ENGLISH.DLL$BUILD_SUFFIX"
  expect_package_file "$FOLDER/Uninstaller.exe" "Uninstaller.exe$BUILD_SUFFIX"
  expect_package_file "$FOLDER/MerrowPrinterService.exe" "MerrowPrinterService.exe$BUILD_SUFFIX"
}

# The monitor registered for this bitness from the system directory, and the printer's own port.
check_monitor_port() {
  local printer=$1
  # Registered without a log record: the spooler took it for this bitness's environment.
  expect_line "$(report monitor "Demo Printer Monitor")" "dll=C:\\windows\\system32\\${printer}Mon.dll" \
    "registered monitor"
  ! install_log | grep -q "AddPrinterMonitor" || fail "the monitor registration left a record: $(install_log)"
  expect_package_file "$C/windows/system32/${printer}Mon.dll" "Tillvane.dll$BUILD_SUFFIX"
  expect_package_file "$C/windows/system32/${printer}MonUI.dll" "TillvaneUI.dll$BUILD_SUFFIX"
  report ports | grep -qxF "$printer-Port:" || fail "the monitor port $printer-Port: is not listed"
}

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
  expect_equal "$(stat -c %s "$DRIVER_DIR/Demo80GPC.pcd")" 484 "characterization file"
}

check_registration() {
  expect_equal "$(report value 'SOFTWARE\Demo80' 'Program Directory' 64)" "$FOLDER_WIN" "product key"
  expect_equal "$(report value 'SOFTWARE\Demo80' 'PortName' 64)" "$1" "recorded port"
  expect_equal "$(report value "$UNINSTALL_KEY\\Demo80" 'UninstallString' $ENTRY_VIEW)" \
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
  check_driver
  check_registration COM1:
  check_log "$INSTALLER"
  finish_and_close
  check_folder_after_close
}

# A printer at 10.0.0.5, on its own monitor port.
install_network_printer() {
  start_installer
  walk_to_settings
  drive select 1043 "Net Port(TCP/IP)" wait-visible 1013 1 expect-text 1037 9100 wait-visible 1048 0
  drive type 1013 10.0.0.5
  drive click 1001 wait-text 1007 Finish 120000
  drive expect-visible 1001 0
}

scenario_network() {
  install_network_printer
  local printer
  printer=$(report printer Demo80)
  expect_line "$printer" "data IP=10.0.0.5 9100" "IP"
  expect_line "$printer" "data PortType=1" "PortType"
  expect_line "$printer" "port=Demo80-Port:" "the printer's own monitor port"
  check_monitor_port Demo80
  finish_and_close
}

# The second installation, with "Set as default printer" unchecked, leaves the default as it was.
scenario_second_installation() {
  install_printer COM1
  finish_and_close
  start_installer
  walk_to_settings
  drive check 1029 0
  install_on_port COM1
  expect_equal "$(report printers | sort | tr '\n' '|')" "Demo80|Demo80 (1)|" "printers"
  expect_equal "$(report default-printer)" "Demo80" "default printer"
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

# A vendor on Windows: mkpackage.exe appends the files, named by Windows paths, to the stub.
scenario_appended_by_mkpackage_exe() {
  local name files=()
  mkdir -p "$C/Kit/content"
  cp "$PACKAGE_FOLDER"/* "$C/Kit/content/"
  cp "$STUB" "$C/Kit/stub.exe"
  for name in "$C/Kit/content"/*; do files+=("C:\\Kit\\content\\${name##*/}"); done
  wine "$MKPACKAGE_EXE" append 'C:\Kit\stub.exe' 'C:\vendor.exe' --header demo "${files[@]}" >/dev/null ||
    fail "mkpackage.exe append failed"
  install_printer COM1 'C:\vendor.exe'
  check_com1_printer
  finish_and_close
  check_folder_after_close
}

# A vendor signs the stub, appends the package (append removes the stub's signature and says
# so) and signs the appended installer; it still finds its package before the certificate table.
scenario_signed_appended_stub() {
  local root certificate said installer="$C/signed.exe"
  root=$(cd "$(dirname "$0")/../.." && pwd)
  certificate=$(mktemp -d)
  export SIGN_PASS=e2e
  "$root/tests/support/make-test-certificate.sh" "$certificate" "$SIGN_PASS"
  cp "$STUB" "$certificate/stub.exe"
  "$root/tools/sign-file.sh" "$certificate/cert.pem" "$certificate/key.pem" "Printer Setup" "$certificate/stub.exe"
  said=$(cd "$PACKAGE_FOLDER" && "$MKPACKAGE" append "$certificate/stub.exe" "$installer" --header demo *)
  grep -qF "Authenticode signature removed" <<<"$said" || fail "append did not remove the stub's signature: $said"
  "$root/tools/sign-file.sh" "$certificate/cert.pem" "$certificate/key.pem" "Printer Setup" "$installer"
  osslsigncode verify -CAfile "$certificate/cert.pem" -in "$installer" >/dev/null || fail "the signed installer does not verify"
  rm -rf "$certificate"
  install_printer COM1 'C:\signed.exe'
  check_com1_printer
  finish_and_close
  check_folder_after_close
}

scenario_uninstall() {
  install_network_printer
  check_monitor_port Demo80
  finish_and_close
  wine "$FOLDER_WIN\\Uninstaller.exe" /quiet || fail "the uninstaller reported a failure"
  [ -z "$(report printers)" ] || fail "printers left: $(report printers)"
  expect_missing driver "Demo80 Driver" "$ENVIRONMENT"
  local left
  left=$(find "$DRIVER_DIR" -name 'Demo80*')
  [ -z "$left" ] || fail "driver files stayed: $left"
  ! report ports | grep -qxF "Demo80-Port:" || fail "the monitor port stayed"
  expect_missing service "Quellon Service"
  expect_missing value 'SOFTWARE\Demo80' 'PrinterName' 64
  expect_missing value "$UNINSTALL_KEY\\Demo80" 'UninstallString' $ENTRY_VIEW
  [ ! -e "$START_MENU/Demo80 Driver" ] || fail "the Start-menu folder stayed"
  # Its own program goes at the next start of Windows.
  restart_windows
  [ ! -e "$FOLDER" ] || fail "the install folder stayed: $(ls "$FOLDER")"
}

# The connected printer's model is preselected and its own monitor port made through the
# monitor the installation registers.
scenario_usb() {
  simulate_usb_printer vid_1a2b\&pid_0002
  start_installer
  drive click 1001 wait-visible folder 1 click 1001 wait-visible 1043 1 expect-text 1030 Demo58
  drive click 1001 wait-text 1007 Finish 120000
  drive expect-visible 1001 0
  local printer
  printer=$(report printer Demo58)
  expect_line "$printer" "port=Demo58-Port:" "the printer's own monitor port"
  expect_line "$printer" "data VidAndPid=vid_1a2b&pid_0002" "VidAndPid"
  expect_line "$printer" "data PortType=0" "PortType"
  check_monitor_port Demo58
  expect_log_order "**** vid&pid=vid_1a2b&pid_0002 subkey=sn1"$'\r\r\n' "*********** AddPrinter success"$'\r\r\n'
  expect_equal "$(report value 'SOFTWARE\Demo58' 'PortName' 64)" "Demo58-Port:" "recorded port"
  finish_and_close
}

# On 64-bit Windows the 32-bit installer preselects the connected printer's model and finds its
# USB port; Wine cannot load the 64-bit monitor into this 32-bit process, so the port list is
# shown, and then refuses the printer on the x64 driver.
scenario_usb_wow64() {
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
  expect_missing value "$UNINSTALL_KEY\\Demo58" 'DisplayName' 32
  expect_missing service "Quellon Service"
  finish_and_close
}

"scenario_$scenario"
echo "install_test: $scenario passed"
