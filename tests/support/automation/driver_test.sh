#!/usr/bin/env bash
# The wizard driver against fake_wizard.exe, which carries the installer's control ids and writes
# down every notification it gets: each command does what it says, prints what it should, and
# otherwise exits 1 with one line naming itself; commands after a failing one do not run.
# Runs inside run-in-prefix.sh, which provides the prefix. Usage: driver_test.sh FAKE_WIZARD DRIVER
set -uo pipefail
fake=$1 driver=$2
source "$(dirname "$0")/../wine-env.sh"
source "$(dirname "$0")/../xvfb.sh"

title='Fake Setup — Мастер 安装'
question='Install the driver now?'
quit_question='Выйти из установки? 退出安装？'
failures=0

fail() {
  echo "driver_test: $*" >&2
  failures=$((failures + 1))
}

# Runs the driver; leaves its stdout in $out, its stderr in $err and its exit code in $status.
drive() {
  local err_file
  err_file=$(mktemp)
  out=$(wine_output "$driver" "$@" 2>"$err_file")
  status=$?
  err=$(<"$err_file")
  rm -f "$err_file"
}

# passes COMMAND...: exit code 0, nothing printed.
passes() {
  drive "$@"
  [ "$status" = 0 ] || fail "'$*' exited with $status: $err"
  [ -z "$out" ] || fail "'$*' printed '$out'"
}

# prints EXPECTED COMMAND...: exit code 0, exactly EXPECTED printed.
prints() {
  local expected=$1
  shift
  drive "$@"
  [ "$status" = 0 ] || fail "'$*' exited with $status: $err"
  [ "$out" = "$expected" ] || fail "'$*' printed '$out', expected '$expected'"
}

# refuses FAILING REASON COMMAND...: exit code 1 and a single driver line on stderr that names
# the failing command words FAILING and gives a reason containing REASON.
refuses() {
  local failing=$1 reason=$2 lines
  shift 2
  drive "$@"
  [ "$status" = 1 ] || fail "'$*' exited with $status, expected 1"
  lines=$(grep '^wizard_driver: ' <<<"$err")
  if [ "$(grep -c '^wizard_driver: ' <<<"$err")" != 1 ] || [[ $lines != "wizard_driver: $failing: "*"$reason"* ]]; then
    fail "'$*' reported '$err', expected 'wizard_driver: $failing: ...$reason...'"
  fi
}

start_xvfb || exit 1
report=$(mktemp)
fake_pid=
cleanup() {
  [ -n "$fake_pid" ] && kill "$fake_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  stop_xvfb
  rm -f "$report"
}
trap cleanup EXIT
warm_up_wine
wine "$fake" >"$report" &
fake_pid=$!

# Finding the wizard, reading its controls.
prints "$title" wait-wizard
passes expect-title "$title"
refuses "expect-title Fake" "'$title'" expect-title Fake
prints "Next" print-text 1001  # the button, not the folder field that reuses its id
prints 'C:\Program Files\Fake Printer' print-text folder
passes expect-visible 1001 1 expect-visible 1004 0 expect-enabled 1001 1 expect-enabled 1003 0
refuses "expect-visible 1004 1" "not visible" expect-visible 1004 1
refuses "expect-enabled 1003 1" "not enabled" expect-enabled 1003 1
refuses "expect-visible 1001 yes" "0 or 1" expect-visible 1001 yes

# Controls a user could not use.
refuses "click 1003" "disabled" click 1003
refuses "click 1004" "hidden" click 1004
refuses "click 4242" "no control 4242" click 4242

# Bounded waits for what does not happen.
refuses "wait-enabled 1003 300" "did not become enabled" wait-enabled 1003 300
refuses "wait-visible 1004 1 300" "did not become visible" wait-visible 1004 1 300
passes wait-visible 1004 0 300
refuses "wait-text 1007 Finish 300" "'Finish'" wait-text 1007 Finish 300
passes wait-text 1007 Cancel 300
passes expect-no-message 300
refuses "wait-message 300" "no message box" wait-message 300
refuses "wait-port-dialog 300" "port dialog" wait-port-dialog 300

# Combo, edits, check box. Case matters when choosing an item.
passes select 1025 Beta
prints "Beta" print-text 1025
passes expect-text 1025 Beta
refuses "select 1025 BETA" "no item 'BETA'" select 1025 BETA
refuses "select 1025 Gamma" "no item 'Gamma'" select 1025 Gamma
passes type 1030 "Принтер 1"
prints "Принтер 1" print-text 1030
refuses "expect-text 1030 Printer" "'Принтер 1'" expect-text 1030 Printer
passes type-folder 'D:\Drivers\打印机' expect-text folder 'D:\Drivers\打印机' expect-text 1030 "Принтер 1"
passes check 1029 1
passes check 1029 1  # already checked: no click
refuses "check 1029 yes" "0 or 1" check 1029 yes

# The command language: a failure ends the run, the rest does not run.
refuses "expect-text 1001 Back" "'Next'" print-text 1007 expect-text 1001 Back print-text 1001
[ "$out" = "Cancel" ] || fail "commands around a failing one printed '$out', expected 'Cancel' only"
refuses "frobnicate" "unknown command" frobnicate
refuses "type 1030" "missing argument" type 1030
refuses "sleep -5" "not a number" sleep -5

# A message box: read, refused while open, answered No. Its appearance also shows that the fake
# has handled every notification posted before the click.
passes click 1001
prints "Fake question|$question" wait-message
passes expect-message "$question"
refuses "expect-message Install? 300" "'$question'" expect-message "Install?" 300
refuses "click 1001" "modal" click 1001
refuses "expect-no-message 300" "$question" expect-no-message 300
refuses "answer-message 1" "no button 1" answer-message 1
passes answer-message 7 expect-no-message 300 expect-enabled 1003 0

passes select 1025 "打印机 X" expect-text 1025 "打印机 X"
passes check 1029 0

# Answered Yes: later, as the installer's worker does, the fake enables Back, shows the progress
# bar and turns Cancel into Finish.
passes click 1001 answer-message 6
passes wait-enabled 1003 wait-visible 1004 1 wait-text 1007 Finish
passes expect-enabled 1003 1 expect-visible 1004 1 expect-text 1007 Finish
passes check 1029 1
passes click 1003

# The port dialog: listed, picked by port name (the last row), cancelled, picked again.
passes click 1002
prints "Select Printer Port" wait-port-dialog
prints "COM1:|Serial port|Local Port
LPT1:|Printer port|Local Port
USB001|Virtual printer port for USB|USB Monitor
Порт 打印|Тест 测试|Local Port" print-ports
refuses "pick-port COM9" "no port 'COM9'" pick-port COM9
passes pick-port "Порт 打印"
passes click 1002 cancel-port-dialog
passes click 1002 pick-port USB001

# Quitting: refused once, then confirmed; the wizard goes.
passes click 1007 expect-message "$quit_question"
prints "$title|$quit_question" wait-message
passes answer-message 2
refuses "wait-gone 300" "still open" wait-gone 300
passes click 1007 answer-message 1 wait-gone
if [ "$status" = 0 ]; then wait "$fake_pid"; else kill "$fake_pid"; fi
fake_pid=
passes wait-gone 300
refuses "wait-wizard 300" "did not appear" wait-wizard 300

expected_report='selchange 2 from-combo
clicked default-printer 1
question 7
selchange 3 from-combo
clicked default-printer 0
question 6
clicked default-printer 1
back
port Порт 打印
port cancelled
port USB001
quit 2
quit 1
name Принтер 1
folder D:\Drivers\打印机
default-printer 1'
if [ "$(<"$report")" != "$expected_report" ]; then
  fail "the fake wizard received other notifications:"
  diff <(echo "$expected_report") "$report" >&2
fi

if [ "$failures" -gt 0 ]; then
  echo "driver_test: $failures check(s) failed" >&2
  exit 1
fi
echo "driver_test: every command behaved as expected"
