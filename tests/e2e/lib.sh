# shellcheck shell=bash
# Shared steps of the end-to-end tests: a fresh Wine prefix per test (cloned from a
# template made once per build), a private Xvfb display, starting bnfcreator.exe and
# reading or pressing its message boxes through boxes.exe. Source it from a test.
set -uo pipefail

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# The build folder: $E2E_BUILD, else the folder of the exe given as $1, else build/windows.
if [ -z "${E2E_BUILD:-}" ] && [ -n "${1:-}" ]; then
  E2E_BUILD=$(cd "$(dirname "$1")" && pwd)
fi
E2E_BUILD=${E2E_BUILD:-$E2E_ROOT/build/windows}
E2E_EXE=${1:-$E2E_BUILD/bnfcreator.exe}
# Absolute: the exe is started from inside the prefix's drive C.
[ -e "$E2E_EXE" ] && E2E_EXE=$(cd "$(dirname "$E2E_EXE")" && pwd)/$(basename "$E2E_EXE")
E2E_BOXES=$E2E_BUILD/e2e_boxes.exe
E2E_WORK=$E2E_BUILD/e2e
E2E_TEMPLATE=$E2E_WORK/template

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8 LANG=C.UTF-8 TZ=UTC

fail() { echo "FAIL: $*" >&2; exit 1; }

# The template prefix: booted once, crash dialogs off, no window-manager waits.
e2e_template() {
  mkdir -p "$E2E_WORK"
  (
    flock 9
    # The mark is made last: a template cut short by an interrupt is made again.
    [ -f "$E2E_TEMPLATE/.e2e-ready" ] && exit 0
    rm -rf "$E2E_TEMPLATE"
    mkdir -p "$E2E_TEMPLATE.tmp"
    export WINEPREFIX=$E2E_TEMPLATE TMPDIR=$E2E_TEMPLATE.tmp
    # Without DISPLAY wineboot is quicker and shows no "updating configuration" window.
    env -u DISPLAY timeout 300 wineboot -i >/dev/null 2>&1
    cat >"$E2E_TEMPLATE.tmp/settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
    wine regedit /S "$(winepath -w "$E2E_TEMPLATE.tmp/settings.reg" 2>/dev/null)" >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1
    local u
    for u in "$E2E_TEMPLATE"/drive_c/users/*/; do
      for d in Desktop Documents Downloads Music Pictures Videos; do
        [ -L "$u$d" ] && rm -f "$u$d" && mkdir -p "$u$d"
      done
    done
    [ -f "$E2E_TEMPLATE/system.reg" ] && touch "$E2E_TEMPLATE/.e2e-ready"
    exit 0
  ) 9>"$E2E_WORK/template.lock"
}

# A copy of the template that leaves the template as it is: wineserver rewrites the
# registry files in place, so everything is copied except the big system folders, which
# Wine only reads and which are hard-linked (a second instead of 700 MB per test).
e2e_clone() {
  local from=$1 to=$2 f
  cp -al "$from" "$to" || return 1
  while IFS= read -r -d '' f; do
    cp -p --remove-destination "$from/$f" "$to/$f" || return 1
  done < <(cd "$from" && find . -type f ! -path './drive_c/windows/system32/*' \
    ! -path './drive_c/windows/winsxs/*' -print0)
}

# The test's own prefix and TMPDIR under $E2E_WORK/NAME, and the trap that ends the
# test's programs, server and display however the script ends.
e2e_prefix() {
  local name=$1
  e2e_template
  E2E_T=$E2E_WORK/$name
  rm -rf "$E2E_T"
  mkdir -p "$E2E_T/tmp"
  e2e_clone "$E2E_TEMPLATE" "$E2E_T/pfx" || fail "cannot copy the template prefix"
  export WINEPREFIX=$E2E_T/pfx TMPDIR=$E2E_T/tmp
  trap e2e_stop EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

# A private Xvfb display (a free number, never a fixed one).
e2e_display() {
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$E2E_T/display" 2>"$E2E_T/xvfb.log" &
  E2E_XVFB=$!
  local i
  for ((i = 0; i < 200; i++)); do
    [ -s "$E2E_T/display" ] && break
    sleep 0.05
  done
  [ -s "$E2E_T/display" ] || fail "Xvfb did not start within 10 s (see $E2E_T/xvfb.log)"
  DISPLAY=:$(head -1 "$E2E_T/display")
  export DISPLAY
}

# The server for the whole test, and Wine's background services started by a program
# whose output goes nowhere: they inherit the first program's output and live as long
# as the server, so a $(...) around the first wine command would wait for them.
e2e_server() {
  wineserver -p >/dev/null 2>&1
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1
  E2E_BOXES_WIN=$(winpath_of "$E2E_BOXES")
}

# Starts a test: its own prefix (hard links for the big system folders, copies of the
# rest, so the template never changes), its own TMPDIR and display.
e2e_start() {
  e2e_prefix "$1"
  e2e_display
  e2e_server
}

# Ends the test as failed after $1 seconds, should a wait hang after all: the server's
# end releases any wine command the script is waiting for.
e2e_watchdog() {
  local limit=$1 test_pid=$$
  (
    trap - EXIT INT
    sleep "$limit" >/dev/null 2>&1 &
    sleeper=$!
    trap 'kill $sleeper 2>/dev/null; exit 0' TERM
    wait "$sleeper"
    echo "FAIL: the test did not end within $limit s" >&2
    wineserver -k >/dev/null 2>&1
    kill -TERM "$test_pid"
  ) </dev/null &
  E2E_WATCHDOG=$!
}

e2e_stop() {
  [ -n "${E2E_WATCHDOG:-}" ] && kill "$E2E_WATCHDOG" 2>/dev/null
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  if [ -n "${E2E_XVFB:-}" ]; then
    kill "$E2E_XVFB" 2>/dev/null
    wait "$E2E_XVFB" 2>/dev/null
  fi
  return 0
}

# The Windows form of a Linux path.
winpath_of() { winepath -w "$1" 2>/dev/null; }

# Imports a REGEDIT4 file (ANSI) into the test's registry.
e2e_regedit() { wine regedit /S "$(winpath_of "$1")" >/dev/null 2>&1; }

# Starts the exe in the background from folder $1 with the remaining arguments. Its
# exit code also lands in $E2E_T/app.rc: `wait` cannot give it inside a $(...).
e2e_launch() {
  local dir=$1
  shift
  rm -f "$E2E_T/app.rc"
  (
    cd "$dir" || exit 1
    wine "$(winpath_of "$E2E_EXE")" "$@"
    rc=$?
    echo "$rc" >"$E2E_T/app.rc.new" && mv "$E2E_T/app.rc.new" "$E2E_T/app.rc"
    exit "$rc"
  ) >"$E2E_T/app.out" 2>"$E2E_T/app.err" &
  E2E_APP=$!
}

# Lines "HWND<TAB>title<TAB>text" of the visible dialog boxes.
e2e_boxes() { wine "$(e2e_boxes_win)" 2>/dev/null | tr -d '\r'; }

# The Windows path of boxes.exe, found once per test (winepath is a wine program too).
e2e_boxes_win() { echo "${E2E_BOXES_WIN:-$(winpath_of "$E2E_BOXES")}"; }

# Waits up to $2 seconds (default 15) for a box whose text holds $1; prints its line.
e2e_wait_box() {
  local want=$1 limit=${2:-15} i line
  for ((i = 0; i < limit * 5; i++)); do
    line=$(e2e_boxes | grep -F -- "$want" | head -1)
    if [ -n "$line" ]; then
      echo "$line"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Presses button $2 (1 OK, 2 Cancel, 6 Yes, 7 No) of the box with handle $1, and
# presses again while the box is still up.
e2e_press() {
  local hwnd=$1 id=$2 i
  for i in 1 2 3 4 5; do
    wine "$(e2e_boxes_win)" "$hwnd" "$id" >/dev/null 2>&1
    sleep 0.5
    e2e_boxes | grep -q "^$hwnd" || return 0
  done
  return 1
}

# Waits up to $1 seconds for the exe to end; prints its exit code.
e2e_wait_exit() {
  local limit=${1:-15} i
  for ((i = 0; i < limit * 10; i++)); do
    if [ -s "$E2E_T/app.rc" ]; then
      [ "$BASHPID" = $$ ] && wait "$E2E_APP" 2>/dev/null
      cat "$E2E_T/app.rc"
      return 0
    fi
    if ! kill -0 "$E2E_APP" 2>/dev/null; then
      wait "$E2E_APP"  # ended without a code of its own: killed
      echo $?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# The main window's X id, waiting up to $2 seconds for a visible window titled $1.
e2e_wait_window() { timeout "${2:-15}" xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }

# The number behind a control, menu item or class name of creator/ui/control_ids.h
# (IDM_ABOUT gives 207), so tests drive the program by name.
e2e_control_id() {
  awk -v name="$1" '$1 == "#define" && $2 == name { gsub(/"/, "", $3); print $3 }' \
    "$E2E_ROOT/creator/ui/control_ids.h"
}

# ---------------------------------------------------------------------------------------
# Driving the program's own windows by id (boxes.exe's verbs) and checking what it did.

E2E_TITLE='Korvan® BitName file creator'

# boxes.exe with a verb: windows, control, items, select, command, close, rect.
e2e_win() { wine "$(e2e_boxes_win)" "$@" 2>/dev/null | tr -d '\r'; }

# Runs the command $2... every 0.2 s until it succeeds, for at most $1 seconds.
e2e_until() {
  local limit=$1 i
  shift
  for ((i = 0; i < limit * 5; i++)); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# "visible<TAB>enabled<TAB>text" of a control of the main window (or of class $2).
e2e_control() { e2e_win control "${2:-TfBNF}" "$(e2e_control_id "$1")"; }

# The items of a list box of the main window, joined by commas.
e2e_items() { e2e_win items TfBNF "$(e2e_control_id "$1")" | paste -sd, -; }

# A click (or with "double" a double click) on item $2 of the main window's list $1.
e2e_select() { e2e_win select TfBNF "$(e2e_control_id "$1")" "$2" ${3:+"$3"} >/dev/null; }

# A click on a button or a menu item of the main window (or of class $2), by name.
e2e_command() { e2e_win command "${2:-TfBNF}" "$(e2e_control_id "$1")" >/dev/null; }

# The parts of a line of the boxes list.
e2e_box_hwnd() { printf '%s\n' "${1%%$'\t'*}"; }
e2e_box_title() { cut -f2 <<<"$1"; }
e2e_box_text() { cut -f3- <<<"$1"; }

# Waits up to $2 seconds (default 20) for the next box and checks that its text is
# exactly $1 (line breaks written \r and \n); prints its line. A box with another
# text fails at once, naming both texts.
e2e_expect_box() {
  local want=$1 limit=${2:-20} line
  line=$(e2e_until_box "$limit") || { echo "no box within $limit s (wanted: $want)" >&2; return 1; }
  if [ "$(e2e_box_text "$line")" != "$want" ]; then
    echo "box text: got [$(e2e_box_text "$line")], want [$want]" >&2
    return 1
  fi
  echo "$line"
}

# The first visible box, waiting up to $1 seconds for one.
e2e_until_box() {
  local limit=$1 i line
  for ((i = 0; i < limit * 5; i++)); do
    line=$(e2e_boxes | head -1)
    if [ -n "$line" ]; then
      echo "$line"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Answers the open-file dialog (title "Open") by typing the Windows path $1 into its
# name field, the way a user does; types again should the dialog stay up.
e2e_answer_open_dialog() {
  local path=$1 line window _
  line=$(e2e_wait_box_titled Open 20) || { echo "no open-file dialog within 20 s" >&2; return 1; }
  for _ in 1 2 3; do
    window=$(e2e_wait_window Open 10) || true
    [ -n "$window" ] || { echo "the open-file dialog has no X window" >&2; return 1; }
    timeout 10 xdotool windowfocus --sync "$window" || true
    timeout 10 xdotool key End shift+Home
    timeout 20 xdotool type --delay 20 "$path"
    timeout 10 xdotool key Return
    e2e_until 3 e2e_gone "$(e2e_box_hwnd "$line")" && return 0
  done
  echo "the open-file dialog stayed up" >&2
  return 1
}

# Waits up to $2 seconds for a box titled exactly $1; prints its line.
e2e_wait_box_titled() {
  local title=$1 limit=${2:-15} i line
  for ((i = 0; i < limit * 5; i++)); do
    line=$(e2e_boxes | awk -F'\t' -v t="$title" '$2 == t' | head -1)
    if [ -n "$line" ]; then
      echo "$line"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# True when no visible box has the handle $1.
e2e_gone() { ! e2e_boxes | grep -q "^$1"; }

# Lines "NAME<TAB>TYPE<TAB>DATA" of a registry key; fails when the key is missing.
# A failure that is not "Unable to find" is asked again: once in a long run a reg
# query failed right after the program ended.
e2e_reg_values() {
  local out _
  for _ in 1 2 3; do
    if out=$(timeout 30 wine reg query "$1" 2>&1); then
      tr -d '\r' <<<"$out" | sed -nE 's/^    (.+)    (REG_[A-Z_]+)    ?(.*)$/\1\t\2\t\3/p'
      return 0
    fi
    grep -q 'Unable to find' <<<"$out" && return 1
    echo "reg query $1 failed: $out" >>"$E2E_T/reg.log"
    sleep 0.5
  done
  return 1
}

# The Linux folder of the test user's profile, and of the tool's private name files.
e2e_user_dir() { echo "$WINEPREFIX/drive_c/users/$(id -un)"; }
e2e_profile_dir() { echo "$(e2e_user_dir)/AppData/Roaming/Calmwood/Korvan BNF Tool"; }

# The example world the tests and the demo share, in the prefix's drive C:
#   C:\mpasm                 the MPASM folder (MPLAB 8 records C:\mpasm\MPASMWIN.exe)
#   C:\ide\plugin, C:\ide\compiler   the IDE's folders: its BitName folder
#                            C:\ide\plugin\CompilerBitnames, its KDX files in
#                            C:\ide\compiler\Includes\KDX
#   C:\tool                  the standard name tables (the folder the exe starts from)
#   C:\data sheets           the converted datasheets (a blank in the name on purpose)
#   C:\bnf                   the user's BitName folder, in the settings
# and the private name tables of examples/profile in the user's profile.
e2e_world() {
  local c=$WINEPREFIX/drive_c
  E2E_TOOL=$c/tool
  E2E_BNF=$c/bnf
  E2E_IDE_BNF=$c/ide/plugin/CompilerBitnames
  E2E_SHEETS=$c/data\ sheets
  mkdir -p "$c/mpasm" "$E2E_IDE_BNF" "$c/ide/compiler/Includes/KDX" "$E2E_TOOL" \
    "$E2E_SHEETS" "$E2E_BNF" "$(e2e_profile_dir)" || return 1
  : >"$c/mpasm/MPASMWIN.exe"
  cp "$E2E_ROOT/examples/mpasm/P16F1938.inc" "$c/mpasm/" &&
    cp "$E2E_ROOT/examples/kdx/P24FJ64GA002.KDX" "$c/ide/compiler/Includes/KDX/" &&
    cp "$E2E_ROOT"/examples/tool/Standard*.txt "$E2E_TOOL/" &&
    cp "$E2E_ROOT"/examples/datasheets/*.txt "$E2E_SHEETS/" &&
    cp "$E2E_ROOT"/examples/profile/Private*.txt "$(e2e_profile_dir)/" || return 1
  cat >"$E2E_T/world.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Calmwood\ZMV BNF Tool]
"BNFLocation"="C:\\bnf"

[HKEY_CURRENT_USER\Software\MicroChip\MPLab IDE\Tool Locations]
"T_MPAsm.MPASM"="C:\\mpasm\\MPASMWIN.exe"

[HKEY_CURRENT_USER\Software\Felsgate\KorvanIDE\Install]
"Plugin"="C:\\ide\\plugin"
"Compiler"="C:\\ide\\compiler"
REG
  e2e_regedit "$E2E_T/world.reg"
}

# Starts the exe from C:\tool with the given arguments and waits up to $E2E_SHOWN
# seconds (default 20) for its main window under the application's title.
e2e_launch_main() {
  e2e_launch "$E2E_TOOL" "$@"
  [ -n "$(e2e_wait_window "$E2E_TITLE" "${E2E_SHOWN:-20}")" ]
}

# Closes the main window as its close box does; prints the exe's exit code.
e2e_close_main() {
  e2e_win close TfBNF >/dev/null || return 1
  e2e_wait_exit 15
}

# Fails unless file $1 has the bytes of file $2.
e2e_same_bytes() {
  [ -f "$1" ] || fail "missing: $1"
  cmp -s "$1" "$2" || fail "$1 differs from $2: $(cmp "$1" "$2" 2>&1 | head -1)"
}

# A picture of the window of class $2 (default: the whole screen) in file $1.
e2e_screenshot() {
  local file=$1 cls=${2:-} rect left top right bottom
  if [ -z "$cls" ]; then
    timeout 20 import -window root "$file"
    return
  fi
  rect=$(e2e_win rect "$cls") || return 1
  read -r left top right bottom <<<"$rect"
  timeout 20 import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$file"
}

E2E_SETTINGS='HKCU\Software\Calmwood\ZMV BNF Tool'

# Fails unless the settings key holds exactly the values $1 ("NAME<TAB>TYPE<TAB>DATA"
# lines in any order; empty: the key exists without values). $2 says when.
e2e_expect_settings() {
  local want=$1 when=$2 got
  got=$(e2e_reg_values "$E2E_SETTINGS") || fail "$when: the settings key is missing"
  [ "$(LC_ALL=C sort <<<"$got")" = "$(LC_ALL=C sort <<<"$want")" ] ||
    fail "$when: settings $(printf '[%s]' "$got"), want $(printf '[%s]' "$want")"
}

# Expects the boxes with the texts $@, one after the other, and presses OK on each;
# fails naming the first box that is missing or reads otherwise.
e2e_confirm_boxes() {
  local want line
  for want in "$@"; do
    line=$(e2e_expect_box "$want" 30) || return 1
    e2e_press "$(e2e_box_hwnd "$line")" 1 || { echo "the box [$want] did not close" >&2; return 1; }
  done
}
