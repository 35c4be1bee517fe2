#!/usr/bin/env bash
# Two starts of bnfcreator.exe: the first creates the empty settings key and the
# private name files, falls back to the temporary folder when the folder choice is
# cancelled, and saves place and folders when closed; the second records "Location",
# takes the BitName folder of the settings without a question and keeps a second copy
# from starting; "Exit" saves again.   startup_test.sh [EXE]
source "$(dirname "$0")/lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
e2e_start startup
e2e_watchdog 120

tool=$WINEPREFIX/drive_c/tool
mkdir -p "$tool" "$WINEPREFIX/drive_c/bnf"
cp "$E2E_ROOT"/examples/tool/Standard*.txt "$tool/"
user=$(id -un)
e2e_reg_values "$E2E_SETTINGS" >/dev/null && fail "the fresh prefix already has the settings key"

# --- First start: no settings key.
e2e_launch "$tool"
line=$(e2e_until_box 20) || fail "first start: no folder question within 20 s"
[ "$(e2e_box_title "$line")" = "Browse for Folder" ] || fail "first start: expected the folder chooser, got: $line"
e2e_press "$(e2e_box_hwnd "$line")" 2 || fail "the folder chooser did not close on Cancel"
line=$(e2e_expect_box "You did not choose a location for the BitName files\\rThey will be stored in C:\\users\\$user\\Temp\\") ||
  fail "first start: wrong or missing message after the cancelled folder choice"
e2e_press "$(e2e_box_hwnd "$line")" 1 || fail "the temporary-folder message did not close"
[ -n "$(e2e_wait_window "$E2E_TITLE" 20)" ] || fail "first start: no main window"

e2e_expect_settings "" "after the first start"
rect=$(e2e_win rect TfBNF)
[ "${rect% * *}" = "185 124" ] || fail "first start: window at $rect, want its design place 185 124"

profile=$(e2e_profile_dir)
printf '; Include your private SFR definitions in this file\r\n; The format is SFRname=description\r\n; e.g. UCON=USB Control register\r\n;\r\n' >"$E2E_T/PrivateSFR.txt"
printf '; Include your private BitNames in this file\r\n; The format is BitName=description\r\n; e.g. EPHSHK=Endpoint Handshake Enable bit\r\n;\r\n' >"$E2E_T/PrivateBit.txt"
e2e_same_bytes "$profile/PrivateSFR.txt" "$E2E_T/PrivateSFR.txt"
e2e_same_bytes "$profile/PrivateBit.txt" "$E2E_T/PrivateBit.txt"

rc=$(e2e_close_main) || fail "first start: the exe did not end when its window was closed"
[ "$rc" = 0 ] || fail "first start: the exe ended with code $rc"
e2e_expect_settings "Top	REG_DWORD	0x7c
Left	REG_DWORD	0xb9
BNFLocation	REG_SZ	C:\\users\\$user\\Temp\\
MPAsmDir	REG_SZ	" "after closing the first start"

# --- Second start: a writable BitName folder and a window place in the settings; a
# test file left over from an earlier check must be overwritten and removed.
cat >"$E2E_T/second.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Calmwood\ZMV BNF Tool]
"BNFLocation"="C:\\bnf"
"Top"=dword:0000012c
"Left"=dword:000000c8
REG
e2e_regedit "$E2E_T/second.reg" || fail "registry not prepared for the second start"
echo "stale" >"$WINEPREFIX/drive_c/bnf/_____test.txt"

e2e_launch "$tool"
first_app=$E2E_APP
[ -n "$(e2e_wait_window "$E2E_TITLE" 20)" ] || fail "second start: no main window"
sleep 0.5
boxes=$(e2e_boxes)
[ -z "$boxes" ] || fail "second start: a box where none was expected: $boxes"
[ -z "$(ls -A "$WINEPREFIX/drive_c/bnf")" ] || fail "second start: the BitName folder's test file was left behind"
rect=$(e2e_win rect TfBNF)
[ "${rect% * *}" = "200 300" ] || fail "second start: window at $rect, want the stored place 200 300"
e2e_expect_settings "Top	REG_DWORD	0x12c
Left	REG_DWORD	0xc8
BNFLocation	REG_SZ	C:\\bnf
Location	REG_SZ	C:\\tool\\
MPAsmDir	REG_SZ	" "after the second start"

# A second copy while this one runs: it ends at once, without a window or a box.
(cd "$tool" && exec wine "$(winpath_of "$E2E_EXE")") >"$E2E_T/second_copy.out" 2>&1 &
second=$!
ended=
for ((i = 0; i < 100; i++)); do
  kill -0 "$second" 2>/dev/null || { ended=1; break; }
  sleep 0.1
done
[ -n "$ended" ] || fail "the second copy still runs after 10 s"
wait "$second"
rc=$?
[ "$rc" = 0 ] || fail "the second copy ended with code $rc"
windows=$(e2e_win windows TfBNF)
[ "$(wc -l <<<"$windows")" = 1 ] || fail "main windows after the second copy: $windows"
[ -z "$(e2e_boxes)" ] || fail "the second copy left a box: $(e2e_boxes)"
kill -0 "$first_app" 2>/dev/null || fail "the running copy ended when the second started"

# "Exit" closes the window the normal way: the settings are saved (removed here first,
# so that they must be written again).
cat >"$E2E_T/forget.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Calmwood\ZMV BNF Tool]
"Top"=-
"Left"=-
"BNFLocation"=-
"MPAsmDir"=-
REG
e2e_regedit "$E2E_T/forget.reg" || fail "cannot remove the saved values"
e2e_expect_settings "Location	REG_SZ	C:\\tool\\" "before Exit"
e2e_command IDM_EXIT || fail "cannot send Exit"
rc=$(e2e_wait_exit 15) || fail "second start: the exe did not end after Exit"
[ "$rc" = 0 ] || fail "second start: the exe ended with code $rc"
e2e_expect_settings "Top	REG_DWORD	0x12c
Left	REG_DWORD	0xc8
BNFLocation	REG_SZ	C:\\bnf
Location	REG_SZ	C:\\tool\\
MPAsmDir	REG_SZ	" "after Exit"
echo "PASS: startup"
