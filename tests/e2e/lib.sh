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
    [ -f "$E2E_TEMPLATE/system.reg" ] && exit 0
    rm -rf "$E2E_TEMPLATE"
    mkdir -p "$E2E_TEMPLATE.tmp"
    export WINEPREFIX=$E2E_TEMPLATE TMPDIR=$E2E_TEMPLATE.tmp
    timeout 300 wineboot -i >/dev/null 2>&1
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
    exit 0
  ) 9>"$E2E_WORK/template.lock"
}

# Starts a test: its own prefix (hard links for the big system folders, copies of the
# rest, so the template never changes), its own TMPDIR and display.
e2e_start() {
  local name=$1
  e2e_template
  E2E_T=$E2E_WORK/$name
  rm -rf "$E2E_T"
  mkdir -p "$E2E_T/tmp"
  cp -a "$E2E_TEMPLATE" "$E2E_T/pfx"
  export WINEPREFIX=$E2E_T/pfx TMPDIR=$E2E_T/tmp
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$E2E_T/display" 2>"$E2E_T/xvfb.log" &
  E2E_XVFB=$!
  trap e2e_stop EXIT
  local i
  for ((i = 0; i < 200; i++)); do
    [ -s "$E2E_T/display" ] && break
    sleep 0.05
  done
  [ -s "$E2E_T/display" ] || fail "Xvfb did not start within 10 s (see $E2E_T/xvfb.log)"
  export DISPLAY=:$(head -1 "$E2E_T/display")
  wineserver -p >/dev/null 2>&1
}

e2e_stop() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$E2E_XVFB" 2>/dev/null || true
  wait "$E2E_XVFB" 2>/dev/null || true
}

# The Windows form of a Linux path.
winpath_of() { winepath -w "$1" 2>/dev/null; }

# Imports a REGEDIT4 file (ANSI) into the test's registry.
e2e_regedit() { wine regedit /S "$(winpath_of "$1")" >/dev/null 2>&1; }

# Starts the exe in the background from folder $1 with the remaining arguments.
e2e_launch() {
  local dir=$1
  shift
  (cd "$dir" && exec wine "$(winpath_of "$E2E_EXE")" "$@") >"$E2E_T/app.out" 2>"$E2E_T/app.err" &
  E2E_APP=$!
}

# Lines "HWND<TAB>title<TAB>text" of the visible dialog boxes.
e2e_boxes() { wine "$(winpath_of "$E2E_BOXES")" 2>/dev/null | tr -d '\r'; }

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
    wine "$(winpath_of "$E2E_BOXES")" "$hwnd" "$id" >/dev/null 2>&1
    sleep 0.5
    e2e_boxes | grep -q "^$hwnd" || return 0
  done
  return 1
}

# Waits up to $1 seconds for the exe to end; prints its exit code.
e2e_wait_exit() {
  local limit=${1:-15} i
  for ((i = 0; i < limit * 10; i++)); do
    if ! kill -0 "$E2E_APP" 2>/dev/null; then
      wait "$E2E_APP"
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
