#!/usr/bin/env bash
# Both roads from the main window. 8-bit: family and type clicks, the existing-file
# question answered No (nothing written, the button still there and asking again), then
# Yes, the datasheet typed into the open-file dialog, the closing message, the file.
# 16-bit: a double click on the type generates into both folders. A picture of the
# window after the family click is kept as main_window.png.   interactive_test.sh [EXE]
source "$(dirname "$0")/lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
e2e_start interactive
e2e_watchdog 150
e2e_world || fail "example world not prepared"
printf '** BITNAMES **\r\nOLD="the file the IDE has" 0x0001\r\n' >"$E2E_IDE_BNF/P16F1938.bnf"
cp "$E2E_IDE_BNF/P16F1938.bnf" "$E2E_T/ide_old.bnf"

e2e_launch_main || fail "no main window"
[ "$(e2e_items IDC_LBFAM)" = "10,12,16,18,24EP,24F,24HJ,33EP,33FJ" ] ||
  fail "family list: $(e2e_items IDC_LBFAM)"
[ "$(e2e_control IDC_BUTTON1 | cut -f1)" = 0 ] || fail "the generate button shows before a type click"

types_are() { [ "$(e2e_items IDC_LBTYPE)" = "$1" ]; }
button_is() { [ "$(e2e_control IDC_BUTTON1)" = "$1" ]; }

# --- 8-bit road: family "16", its one type.
e2e_select IDC_LBFAM 2 || fail "cannot click family 16"
e2e_until 10 types_are 16F1938 || fail "type list after family 16: [$(e2e_items IDC_LBTYPE)]"
e2e_screenshot "$E2E_T/main_window.png" TfBNF || fail "no picture of the main window"
memo=$(e2e_control IDC_MEMO3 | cut -f3-)
[[ $memo == *'C:\mpasm\ : 1\r\nNumber of includes found : 1\r\n'* ]] || fail "log after family 16: $memo"
[[ $memo == *'Selected family 16\r\n\r\nNumber of includes found after filtering: 1\r\n'* ]] ||
  fail "log after family 16: $memo"

e2e_select IDC_LBTYPE 0 || fail "cannot click the type"
e2e_until 10 button_is "1	1	16F1938" || fail "button after the type click: $(e2e_control IDC_BUTTON1)"

question='The Bitname file for 16F1938 already exists.\rContinue anyway?'
e2e_command IDC_BUTTON1 || fail "cannot press the button"
line=$(e2e_expect_box "$question") || fail "no existing-file question"
e2e_press "$(e2e_box_hwnd "$line")" 7 || fail "the question did not close on No"
sleep 0.5
[ -z "$(e2e_boxes)" ] || fail "a box after No: $(e2e_boxes)"
[ ! -e "$E2E_BNF/P16F1938.bnf" ] || fail "No wrote a BitName file"
e2e_same_bytes "$E2E_IDE_BNF/P16F1938.bnf" "$E2E_T/ide_old.bnf"
button_is "1	1	16F1938" || fail "button after No: $(e2e_control IDC_BUTTON1)"

e2e_command IDC_BUTTON1 || fail "cannot press the button again"
line=$(e2e_expect_box "$question") || fail "the second press did not ask again"
e2e_press "$(e2e_box_hwnd "$line")" 6 || fail "the question did not close on Yes"
e2e_answer_open_dialog 'C:\data sheets\16F1938.txt' || fail "the open-file dialog was not answered"
e2e_confirm_boxes 'The BitName file is saved as C:\bnf\P16F1938.bnf\r\rTo become effective you must copy it to the Plugin\CompilerBitnames directory' ||
  fail "no closing message, or another text"
e2e_same_bytes "$E2E_BNF/P16F1938.bnf" "$E2E_ROOT/examples/expected/P16F1938.bnf"
e2e_same_bytes "$E2E_IDE_BNF/P16F1938.bnf" "$E2E_T/ide_old.bnf"
e2e_until 5 button_is "1	0	Done" || fail "button after the generation: $(e2e_control IDC_BUTTON1)"

# --- 16-bit road: family "24F", a double click on its type.
e2e_select IDC_LBFAM 5 || fail "cannot click family 24F"
e2e_until 10 types_are 24FJ64GA002 || fail "type list after family 24F: [$(e2e_items IDC_LBTYPE)]"
e2e_select IDC_LBTYPE 0 double || fail "cannot double-click the type"
e2e_answer_open_dialog 'C:\data sheets\24FJ64GA002.txt' || fail "the open-file dialog was not answered"
e2e_confirm_boxes 'U1MODE: 4' 'U2MODE: 4' \
  'The BitName file is copied to the ZMV location C:\ide\plugin\CompilerBitnames\\r\rA copy of the BitName file is saved as C:\bnf\P24FJ64GA002.bnf' ||
  fail "the messages of the 16-bit generation differ"
expected=$E2E_ROOT/examples/expected/P24FJ64GA002.bnf
e2e_same_bytes "$E2E_BNF/P24FJ64GA002.bnf" "$expected"
e2e_same_bytes "$E2E_IDE_BNF/P24FJ64GA002.bnf" "$expected"
e2e_until 5 button_is "1	0	Done" || fail "button after the 16-bit generation: $(e2e_control IDC_BUTTON1)"

rc=$(e2e_close_main) || fail "the exe did not end when its window was closed"
[ "$rc" = 0 ] || fail "the exe ended with code $rc"
echo "PASS: interactive"
