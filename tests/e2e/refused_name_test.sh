#!/usr/bin/env bash
# A command-line device name that is no device type ("..\evil" would put the file
# outside its folder): a message says so, no file is written anywhere, and the window
# stays, both lists disabled, until it is closed.   refused_name_test.sh [EXE]
source "$(dirname "$0")/lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
e2e_start refused_name
e2e_watchdog 120
e2e_world || fail "example world not prepared"

e2e_launch "$E2E_TOOL" '..\evil' 'C:\data sheets\16F1938.txt'
e2e_confirm_boxes '"..\evil" is not a device type.\rNo BitName file was written.' ||
  fail "no refusal, or another text"
sleep 1
kill -0 "$E2E_APP" 2>/dev/null || fail "the exe ended after the refusal"
[ -n "$(e2e_wait_window "$E2E_TITLE" 5)" ] || fail "no main window after the refusal"
[ -z "$(e2e_boxes)" ] || fail "a box after the refusal: $(e2e_boxes)"
[ "$(e2e_control IDC_LBFAM | cut -f2)" = 0 ] || fail "the family list is enabled"
[ "$(e2e_control IDC_LBTYPE | cut -f2)" = 0 ] || fail "the type list is enabled"
written=$(find "$WINEPREFIX/drive_c" -iname '*.bnf')
[ -z "$written" ] || fail "BitName files written: $written"

rc=$(e2e_close_main) || fail "the exe did not end when its window was closed"
[ "$rc" = 0 ] || fail "the exe ended with code $rc"
echo "PASS: refused_name"
