#!/usr/bin/env bash
# Smoke test of bnfcreator.exe under Wine: with a writable BitName folder in its
# settings it starts without a question, shows its main window under the application's
# title (a screenshot is kept in the test's folder), and closing the window with Alt+F4
# ends the program and saves the window's place.
#   smoke_test.sh [EXE]     (e2e_boxes.exe is taken from the exe's folder, or $E2E_BUILD)
source "$(dirname "$0")/lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
e2e_start smoke

# The standard name tables in the folder the exe starts from, and a BitName folder.
tool_dir=$WINEPREFIX/drive_c/tool
mkdir -p "$tool_dir" "$WINEPREFIX/drive_c/bnf"
cp "$E2E_ROOT"/examples/tool/Standard*.txt "$tool_dir/"
cat >"$E2E_T/setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Calmwood\ZMV BNF Tool]
"BNFLocation"="C:\\bnf"
REG
e2e_regedit "$E2E_T/setup.reg" || fail "registry not prepared"

e2e_launch "$tool_dir"
window=$(e2e_wait_window 'Korvan® BitName file creator' 20)
[ -n "$window" ] || fail "no main window titled 'Korvan® BitName file creator' within 20 s"

# Start-up and the first show ran without a box (an error or the folder question).
sleep 0.5
boxes=$(e2e_boxes)
[ -z "$boxes" ] || fail "unexpected box at start: $boxes"
timeout 20 import -window root "$E2E_T/main_window.png" || fail "no screenshot"

# Alt+F4 reaches the window only as a plain key press to the focused window.
timeout 10 xdotool windowfocus --sync "$window" || fail "cannot focus the main window"
timeout 10 xdotool key alt+F4
rc=$(e2e_wait_exit 15) || fail "the exe did not end within 15 s of Alt+F4"
[ "$rc" = 0 ] || fail "the exe ended with code $rc"

# The key held no place: the window stood at left 100, top 100 and saved that.
settings=$(timeout 30 wine reg query 'HKCU\Software\Calmwood\ZMV BNF Tool' 2>/dev/null | tr -d '\r')
for value in 'Top +REG_DWORD +0x64' 'Left +REG_DWORD +0x64' 'BNFLocation +REG_SZ +C:\\bnf$'; do
  grep -Eq "^ +$value" <<<"$settings" || fail "settings lack /$value/: $settings"
done
[ -z "$(ls -A "$WINEPREFIX/drive_c/bnf")" ] || fail "the BitName folder's test file was left behind"
echo "PASS: smoke (screenshot: $E2E_T/main_window.png)"
