#!/usr/bin/env bash
# The wizard driven by real key presses on the virtual screen (xdotool), as the dialog manager
# sees typing: Esc on the welcome page cancels; Enter goes on page by page through a whole
# installation and closes the finish page; Enter with an empty printer name shows the message
# and stays, with the focus on the name; Tab visits the settings page's controls in reading order.
# Usage: keyboard_test.sh INSTALLER DRIVER REPORT
set -euo pipefail
INSTALLER=$1 DRIVER=$2 REPORT=$3
source "$(dirname "$0")/e2e_lib.sh"
e2e_start
command -v xdotool >/dev/null || fail "xdotool is missing (make deps installs it)"

# A click on the welcome picture's area (the page window, which takes no focus) gives the
# wizard the X input focus.
focus_wizard() {
  xdotool mousemove 60 200 click 1
  sleep 0.5
}

press() {
  xdotool key "$1"
  sleep 0.4
}

# The focus settles after the window manager's activation (a closed message box gives the
# wizard back its activation a moment later).
expect_focus() {
  local focus
  for _ in $(seq 20); do
    focus=$(drive print-focus)
    [ "$focus" = "$1" ] && return 0
    sleep 0.2
  done
  fail "focus $2: got '$focus', expected '$1'"
}

# The controls a user can reach on the page, top to bottom and left to right: visible, enabled,
# and not a label or a frame.
FOCUSABLE=" 1025 1030 1029 1055 1043 1048 1047 1049 1051 1052 1013 1037 1002 1003 1001 1007 "
reading_order() {
  local id visible left top right bottom enabled
  drive print-controls | while read -r id visible left top right bottom enabled; do
    [ "$visible" = 1 ] && [ "$enabled" = 1 ] && [[ $FOCUSABLE == *" $id "* ]] && echo "$top $left $id"
  done | sort -n -k1,1 -k2,2 | cut -d' ' -f3
}

# From the first control, Tab visits every one once in reading order and comes back.
expect_tab_cycle() {
  local expected=() visited=() id
  mapfile -t expected < <(reading_order)
  [ "${#expected[@]}" -gt 3 ] || fail "$1: only ${expected[*]} reachable"
  expect_focus "${expected[0]}" "on the settings page ($1)"
  for _ in "${expected[@]}"; do
    press Tab
    visited+=("$(drive print-focus)")
  done
  expect_equal "${visited[*]}" "${expected[*]:1} ${expected[0]}" "Tab order with $1"
}

# Esc on the welcome page ends the wizard without anything installed.
start_installer
focus_wizard
expect_focus 1001 "on the welcome page"
press Escape
drive wait-gone 10000 >/dev/null
wait_for_installer_exit
[ -z "$(report printers)" ] || fail "Esc left printers: $(report printers)"

# Enter on the welcome and folder pages is Next.
start_installer
focus_wizard
press Return
drive wait-visible folder 1 10000 >/dev/null
expect_focus folder "on the folder page"
press Return
drive wait-visible 1043 1 10000 >/dev/null

expect_tab_cycle USB
drive select 1043 COM1 sleep 300 >/dev/null
expect_tab_cycle COM1
drive select 1043 "Net Port(TCP/IP)" wait-visible 1013 1 >/dev/null
expect_tab_cycle "the network port"
drive select 1043 COM1 wait-visible 1048 1 >/dev/null

# Enter with an empty name: the message, the same page, the focus on the name.
drive type 1030 "" >/dev/null
press Return
drive expect-message "Please Select a Printer Driver" 10000 answer-message 1 >/dev/null
drive expect-visible 1043 1 expect-visible folder 0 >/dev/null
expect_focus 1030 "after the refused name"

# Enter from the name field installs, and Enter on the finish page closes the wizard.
drive type 1030 "Keyboard printer" >/dev/null
press Return
drive wait-text 1007 Finish 120000 >/dev/null
expect_focus 1007 "on the finish page"
press Return
drive wait-gone 10000 >/dev/null
wait_for_installer_exit
expect_line "$(report printer 'Keyboard printer')" "port=COM1:" "the printer installed by keys"
echo "keyboard_test: Esc, Enter through an installation, a refused Enter and Tab order all as a user expects"
