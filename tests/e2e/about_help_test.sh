#!/usr/bin/env bash
# The Help menu's windows: "About" centred on the main window, the version appended
# once however often it opens, closed by a click on it; "Help" at the main window's
# left edge, centred vertically, with the help text, closed by "Close" and by its close
# box.   about_help_test.sh [EXE]
source "$(dirname "$0")/lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
e2e_start about_help
e2e_watchdog 120
e2e_world || fail "example world not prepared"
e2e_launch_main || fail "no main window"

shown() { [ "$(e2e_win windows "$1" | cut -f2)" = "$2" ]; }
# A real mouse click in the middle of a window or control, at screen pixels.
click_middle() {
  local left top right bottom
  read -r left top right bottom <<<"$(e2e_win rect "$@")" || return 1
  timeout 10 xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

read -r m_left m_top m_right m_bottom <<<"$(e2e_win rect TfBNF)"
[ -n "$m_bottom" ] || fail "no place of the main window"

for closer in background IDC_ABOUT_LABEL2; do
  e2e_command IDM_ABOUT || fail "cannot choose About"
  e2e_until 10 shown TfAbout 1 || fail "the about window did not show"
  label=$(e2e_control IDC_ABOUT_LABEL1 TfAbout | cut -f3-)
  [ "$label" = 'Korvan® BitName file creator - 0.2.0.7' ] || fail "about label: [$label]"
  read -r left top right bottom <<<"$(e2e_win rect TfAbout)"
  want_left=$((m_left + (m_right - m_left) / 2 - (right - left) / 2))
  want_top=$((m_top + (m_bottom - m_top) / 2 - (bottom - top) / 2))
  [ "$left $top" = "$want_left $want_top" ] || fail "about window at $left $top, want $want_left $want_top"
  if [ "$closer" = background ]; then
    # Between the two labels: the window itself.
    timeout 10 xdotool mousemove $((left + 8)) $((top + 26)) click 1
  else
    click_middle TfAbout "$(e2e_control_id "$closer")"
  fi
  e2e_until 10 shown TfAbout 0 || fail "a click on the about window's $closer did not close it"
done

help_text='Korvan® BitName file creator\r\n\r\nIntroduction.\r\n=\r\n'
for closer in IDC_HELP_CLOSE close-box; do
  e2e_command IDM_HELP || fail "cannot choose Help"
  e2e_until 10 shown TfHelp 1 || fail "the help window did not show"
  [ "$(e2e_win windows TfHelp | cut -f3)" = Help ] || fail "help title: $(e2e_win windows TfHelp)"
  memo=$(e2e_control IDC_HELP_MEMO1 TfHelp | cut -f3-)
  [[ $memo == "$help_text"* ]] || fail "help text begins: ${memo:0:120}"
  read -r left top right bottom <<<"$(e2e_win rect TfHelp)"
  want_top=$((m_top + (m_bottom - m_top) / 2 - (bottom - top) / 2))
  [ "$left $top" = "$m_left $want_top" ] || fail "help window at $left $top, want $m_left $want_top"
  if [ "$closer" = IDC_HELP_CLOSE ]; then
    e2e_command IDC_HELP_CLOSE TfHelp || fail "cannot press Close"
  else
    e2e_win close TfHelp >/dev/null || fail "cannot close the help window"
  fi
  e2e_until 10 shown TfHelp 0 || fail "the help window's $closer did not close it"
done

[ -z "$(e2e_boxes)" ] || fail "a box: $(e2e_boxes)"
rc=$(e2e_close_main) || fail "the exe did not end when its window was closed"
[ "$rc" = 0 ] || fail "the exe ended with code $rc"
echo "PASS: about_help"
