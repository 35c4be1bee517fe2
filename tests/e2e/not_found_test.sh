#!/usr/bin/env bash
# Families without device files: 8-bit family "12" gives the message naming the four
# searched folders, then the offer to locate the MPASM folder (cancelled here); 16-bit
# family "33EP" gives the message naming the IDE's KDX folder. The type list stays empty.
#   not_found_test.sh [EXE]
source "$(dirname "$0")/lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
e2e_start not_found
e2e_watchdog 120
e2e_world || fail "example world not prepared"
e2e_launch_main || fail "no main window"

types_are() { [ "$(e2e_items IDC_LBTYPE)" = "$1" ]; }

# A family with files first, so that the empty list afterwards says something.
e2e_select IDC_LBFAM 2 || fail "cannot click family 16"
e2e_until 10 types_are 16F1938 || fail "type list after family 16: [$(e2e_items IDC_LBTYPE)]"

e2e_select IDC_LBFAM 1 || fail "cannot click family 12"
e2e_confirm_boxes 'The tool could not find any include files for this family.\r\nThe following four directories were searched (some may not exist on your machine and show up empty): \r\nMPLab 8.xx    - C:\mpasm\\r\nMPLabX XP     - \r\nMPLabX 32 bit - \r\nMPLabX 64 bit - ' ||
  fail "family 12: no not-found message, or another text"
line=$(e2e_expect_box 'Locate MPAsm directory') || fail "family 12: no offer to locate the MPASM folder"
[ "$(cut -f2 <<<"$line")" = "Confirm" ] || fail "the offer is not a confirmation box: $line"
e2e_press "$(e2e_box_hwnd "$line")" 2 || fail "the offer did not close on Cancel"
sleep 0.5
[ -z "$(e2e_boxes)" ] || fail "family 12: a box after Cancel: $(e2e_boxes)"
types_are "" || fail "family 12: type list [$(e2e_items IDC_LBTYPE)]"
memo=$(e2e_control IDC_MEMO3 | cut -f3-)
[[ $memo == *'C:\mpasm\ : 0\r\nNumber of includes found : 0\r\n'* ]] || fail "log after family 12: $memo"
[[ $memo != *'Selected family 12'* ]] || fail "family 12 ended with the closing log lines: $memo"

e2e_select IDC_LBFAM 7 || fail "cannot click family 33EP"
e2e_confirm_boxes 'The tool could not find include files for this family.\r\nThe following directory was searched: \r\nKorvan IDE - C:\ide\compiler\Includes\KDX\\r\n' ||
  fail "family 33EP: no not-found message, or another text"
sleep 0.5
[ -z "$(e2e_boxes)" ] || fail "family 33EP: a box after the message: $(e2e_boxes)"
types_are "" || fail "family 33EP: type list [$(e2e_items IDC_LBTYPE)]"

rc=$(e2e_close_main) || fail "the exe did not end when its window was closed"
[ "$rc" = 0 ] || fail "the exe ended with code $rc"
echo "PASS: not_found"
