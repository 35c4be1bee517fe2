#!/usr/bin/env bash
# The program started without arguments, four times in one prefix.
#   window_test.sh [EXE]   (main_window.png: a picture of the main window)
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh" "$@"
e2e_start window 300
user=$(id -un)
e2e_world

# --- 1. First start, no settings key: the folder chooser, the temporary folder.
e2e_launch "$C/tool"
e2e_next_box 20 && [ "$(cut -f2 <<<"$E2E_BOX")" = "Browse for Folder" ] ||
  fail "first start: no folder chooser: ${E2E_BOX:-}"
e2e_press "${E2E_BOX%%$'\t'*}" 2 || fail "the folder chooser did not close on Cancel"
out=$(e2e_confirm '' "You did not choose a location for the BitName files\\rThey will be stored in C:\\users\\$user\\Temp\\") ||
  fail "first start: $out"
[ -n "$(e2e_window "$E2E_TITLE")" ] || fail "first start: no main window"
e2e_settings >/dev/null && [ -z "$(e2e_settings)" ] || fail "first start: settings [$(e2e_settings)]"
[ "$(e2e_win rect TfBNF | cut -d' ' -f1,2)" = "185 124" ] || fail "first start: not at 185 124"
# Their text is the core's; here: made in the user's profile.
[ -s "$E2E_PROFILE/PrivateSFR.txt" ] && [ -s "$E2E_PROFILE/PrivateBit.txt" ] || fail "no private name files"
e2e_close_main && [ "$E2E_RC" = 0 ] || fail "first start: did not end with 0 on closing"
[ "$(e2e_settings)" = "BNFLocation	REG_SZ	C:\\users\\$user\\Temp\\
Left	REG_DWORD	0xb9
MPAsmDir	REG_SZ	
Top	REG_DWORD	0x7c" ] || fail "after closing the first start: $(e2e_settings)"

# --- 2. A BitName folder alone in the settings: About, Help, a family without files, both
# roads from the window, Alt+F4.
e2e_reg "[-$E2E_SETTINGS]" "[$E2E_SETTINGS]" '"BNFLocation"="C:\\bnf"'
cp "$E2E_ROOT"/examples/profile/Private*.txt "$E2E_PROFILE/"
e2e_world
e2e_old_file "$E2E_IDE/P16F1938.bnf"
echo stale >"$C/bnf/_____test.txt"
e2e_launch "$C/tool"
window=$(e2e_window "$E2E_TITLE")
[ -n "$window" ] || fail "second start: no main window"
sleep 0.5
[ -z "$(e2e_boxes)" ] || fail "second start: a box: $(e2e_boxes)"
[ ! -e "$C/bnf/_____test.txt" ] || fail "the BitName folder's test file was left behind"
read -r m_left m_top m_right m_bottom <<<"$(e2e_win rect TfBNF)"
[ "$m_left $m_top" = "100 100" ] || fail "second start: at $m_left $m_top, want 100 100"
[ "$(e2e_settings)" = 'BNFLocation	REG_SZ	C:\bnf
Location	REG_SZ	C:\tool\' ] || fail "after the second start: $(e2e_settings)"
[ "$(e2e_items IDC_LBFAM)" = "10,12,16,18,24EP,24F,24HJ,33EP,33FJ" ] || fail "families: $(e2e_items IDC_LBFAM)"
[ "$(e2e_control IDC_BUTTON1 | cut -f1)" = 0 ] || fail "the generate button shows before a type click"

# About: centred, the version appended once however often it opens, closed by a click on
# it. Help: at the main window's left edge, centred vertically, closed by "Close" and by
# its close box.
shown() { [ "$(e2e_win list "$1" | cut -f2)" = "$2" ]; }
for closer in background label; do
  e2e_command IDM_ABOUT && e2e_until 10 shown TfAbout 1 || fail "no about window"
  label=$(e2e_control IDC_ABOUT_LABEL1 TfAbout | cut -f3-)
  [ "$label" = "$E2E_TITLE - 0.2.0.7" ] || fail "about label: [$label]"
  read -r left top right bottom <<<"$(e2e_win rect TfAbout)"
  [ "$left $top" = "$((m_left + (m_right - m_left) / 2 - (right - left) / 2)) $((m_top + (m_bottom - m_top) / 2 - (bottom - top) / 2))" ] ||
    fail "about window at $left $top"
  if [ $closer = background ]; then timeout 10 xdotool mousemove $((left + 8)) $((top + 26)) click 1; else
    read -r left top right bottom <<<"$(e2e_win rect TfAbout "$(e2e_id IDC_ABOUT_LABEL2)")"
    timeout 10 xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
  fi
  e2e_until 10 shown TfAbout 0 || fail "a click on the about window's $closer did not close it"
done
for closer in IDC_HELP_CLOSE close-box; do
  e2e_command IDM_HELP && e2e_until 10 shown TfHelp 1 || fail "no help window"
  [ "$(e2e_win list TfHelp | cut -f3)" = Help ] || fail "help title: $(e2e_win list TfHelp)"
  memo=$(e2e_control IDC_HELP_MEMO1 TfHelp | cut -f3-)
  [[ $memo == "$E2E_TITLE"'\r\n\r\nIntroduction.\r\n=\r\n'* ]] || fail "help text: ${memo:0:120}"
  read -r left top right bottom <<<"$(e2e_win rect TfHelp)"
  [ "$left $top" = "$m_left $((m_top + (m_bottom - m_top) / 2 - (bottom - top) / 2))" ] ||
    fail "help window at $left $top"
  if [ $closer = close-box ]; then e2e_win close TfHelp; else e2e_command IDC_HELP_CLOSE TfHelp; fi
  e2e_until 10 shown TfHelp 0 || fail "the help window's $closer did not close it"
done

# Family "12" without include files names the four searched folders, then offers to
# locate the MPASM folder (cancelled), and logs the search.
e2e_select IDC_LBFAM 1
out=$(e2e_confirm '' 'The tool could not find any include files for this family.\r\nThe following four directories were searched (some may not exist on your machine and show up empty): \r\nMPLab 8.xx    - C:\mpasm\\r\nMPLabX XP     - \r\nMPLabX 32 bit - \r\nMPLabX 64 bit - ') ||
  fail "family 12: $out"
e2e_next_box 20 && [ "$(cut -f2- <<<"$E2E_BOX")" = $'Confirm\tLocate MPAsm directory' ] ||
  fail "family 12: no offer to locate the MPASM folder: $E2E_BOX"
e2e_press "${E2E_BOX%%$'\t'*}" 2 || fail "the offer did not close on Cancel"
memo=$(e2e_control IDC_MEMO3 | cut -f3-)
[[ $memo == *'C:\mpasm\ : 0\r\nNumber of includes found : 0\r\n'* && $memo != *'family 12'* ]] && [ -z "$(e2e_items IDC_LBTYPE)" ] ||
  fail "family 12: types [$(e2e_items IDC_LBTYPE)], log $memo"

# The 8-bit road: the existing-file question answered No (nothing written), then Yes, the
# datasheet typed into the open-file dialog. The 16-bit road: a double click on the type.
e2e_pick16 || fail "family 16 and its type: $(e2e_control IDC_BUTTON1)"
timeout 20 import -window root "$E2E_T/main_window.png" || fail "no picture of the main window"
question='The Bitname file for 16F1938 already exists.\rContinue anyway?'
e2e_command IDC_BUTTON1 && out=$(E2E_OK=7 e2e_confirm '' "$question") || fail "No: $out"
# A box after No would stand before the question's second showing.
[ ! -e "$C/bnf/P16F1938.bnf" ] && e2e_is $'1\t1\t16F1938' e2e_control IDC_BUTTON1 || fail "No went on"
e2e_command IDC_BUTTON1 && out=$(E2E_OK=6 e2e_confirm '' "$question") || fail "Yes: $out"
e2e_open_dialog 'C:\data sheets\16F1938.txt' || fail "the open-file dialog was not answered"
out=$(e2e_confirm "$E2E_TITLE" "${E2E_MSG[SAVED8]}") || fail "8-bit road: $out"
cmp -s "$C/bnf/P16F1938.bnf" "$E2E_ROOT/examples/expected/P16F1938.bnf" || fail "8-bit road: the file"
cmp -s "$E2E_IDE/P16F1938.bnf" <(e2e_old_file /dev/stdout) || fail "8-bit road: the IDE's file changed"
e2e_until 5 e2e_is $'1\t0\tDone' e2e_control IDC_BUTTON1 || fail "button after the 8-bit road"
e2e_select IDC_LBFAM 5 && e2e_until 10 e2e_is 24FJ64GA002 e2e_items IDC_LBTYPE || fail "family 24F"
e2e_select IDC_LBTYPE 0 double || fail "cannot double-click the type"
e2e_open_dialog 'C:\data sheets\24FJ64GA002.txt' || fail "the open-file dialog was not answered"
out=$(e2e_confirm '' "${E2E_MSG[U1MODE]}" "${E2E_MSG[U2MODE]}" "${E2E_MSG[COPIED16]}") || fail "16-bit road: $out"
for f in "$C/bnf/P24FJ64GA002.bnf" "$E2E_IDE/P24FJ64GA002.bnf"; do
  cmp -s "$f" "$E2E_ROOT/examples/expected/P24FJ64GA002.bnf" || fail "16-bit road: $f"
done
e2e_until 5 e2e_is $'1\t0\tDone' e2e_control IDC_BUTTON1 || fail "button after the 16-bit road"

# Alt+F4 reaches the window only as a plain key press to the focused window.
timeout 10 xdotool windowfocus --sync "$window" && timeout 10 xdotool key alt+F4 &&
  e2e_wait_exit 15 && [ "$E2E_RC" = 0 ] || fail "Alt+F4 did not end the exe with 0"
[ "$(e2e_settings)" = 'BNFLocation	REG_SZ	C:\bnf
Left	REG_DWORD	0x64
Location	REG_SZ	C:\tool\
MPAsmDir	REG_SZ	
Top	REG_DWORD	0x64' ] || fail "after Alt+F4: $(e2e_settings)"

# --- 3. A stored place; "Exit" writes the settings again (removed first).
e2e_reg "[$E2E_SETTINGS]" '"Top"=dword:0000012c' '"Left"=dword:000000c8'
e2e_launch "$C/tool"
[ -n "$(e2e_window "$E2E_TITLE")" ] || fail "third start: no main window"
[ "$(e2e_win rect TfBNF | cut -d' ' -f1,2)" = "200 300" ] || fail "third start: not at 200 300"
e2e_reg "[$E2E_SETTINGS]" '"Top"=-' '"Left"=-' '"BNFLocation"=-' '"MPAsmDir"=-'
e2e_command IDM_EXIT && e2e_wait_exit 15 && [ "$E2E_RC" = 0 ] || fail "Exit did not end the exe with 0"
[ "$(e2e_settings)" = 'BNFLocation	REG_SZ	C:\bnf
Left	REG_DWORD	0xc8
Location	REG_SZ	C:\tool\
MPAsmDir	REG_SZ	
Top	REG_DWORD	0x12c' ] || fail "after Exit: $(e2e_settings)"

# --- 4. A place below the screen (1280 x 1024) moves up into it, and no further.
e2e_reg "[$E2E_SETTINGS]" '"Top"=dword:00001388'
e2e_launch "$C/tool"
[ -n "$(e2e_window "$E2E_TITLE")" ] || fail "fourth start: no main window"
read -r left top right bottom <<<"$(e2e_win rect TfBNF)"
[ "$left $bottom" = "200 1024" ] || fail "fourth start: at $left $top $right $bottom"
# WS_EX_APPWINDOW (a taskbar button) with WS_EX_TOOLWINDOW (the small caption).
style=0x$(e2e_win list TfBNF | cut -f4)
[ $((style & 0x40080)) = $((0x40080)) ] || fail "extended style $style"
e2e_close_main && [ "$E2E_RC" = 0 ] || fail "fourth start: did not end with 0"
echo "PASS: window (picture: $E2E_T/main_window.png)"
