# shellcheck shell=bash
# The end-to-end harness, sourced by each test with the exe as $1: per test a Wine prefix
# and an Xvfb display; boxes.exe reads and presses the exe's windows; the case runner.
set -uo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_EXE=$(realpath -e "${1:-$E2E_ROOT/build/windows/bnfcreator.exe}") || fail "no exe at ${1:-}"
E2E_WORK=$(dirname "$E2E_EXE")/e2e
E2E_TEMPLATE=$E2E_WORK/template
E2E_TITLE='Korvan® BitName file creator'
E2E_SETTINGS='HKEY_CURRENT_USER\Software\Calmwood\ZMV BNF Tool'
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8 LANG=C.UTF-8 TZ=UTC


# The template prefix, made once per build: crash dialogs off, no window-manager waits, no
# links into $HOME. It is made aside and moved in whole, so no test takes a half-made one.
e2e_template() {
  local new=$E2E_TEMPLATE.$$
  [ -d "$E2E_TEMPLATE" ] || (
    export WINEPREFIX=$new TMPDIR=$new.tmp
    mkdir -p "$TMPDIR" && env -u DISPLAY timeout 300 wineboot -i >/dev/null 2>&1 &&
      e2e_reg '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"'
    wineserver -k >/dev/null 2>&1
    find "$new/drive_c/users" -mindepth 2 -maxdepth 2 -type l -exec sh -c 'rm "$0" && mkdir "$0"' {} \;
    [ -f "$new/system.reg" ] && mv -T "$new" "$E2E_TEMPLATE" 2>/dev/null
    rm -rf "$new" "$TMPDIR"
  )
}

# Starts test $1 bounded to $2 seconds. wineserver rewrites registry files in place: all
# of the template is copied but the big system folders, which Wine only reads.
e2e_start() {
  [ -n "${E2E_BOUND:-}" ] || E2E_BOUND=$2 exec timeout -k 60 --foreground "$2" bash "$0" "$E2E_EXE"
  mkdir -p "$E2E_WORK" && e2e_template
  E2E_T=$E2E_WORK/$1
  rm -rf "$E2E_T" && mkdir -p "$E2E_T/tmp" && cp -al "$E2E_TEMPLATE" "$E2E_T/pfx" &&
    (cd "$E2E_TEMPLATE" && find . -type f ! -path './drive_c/windows/system32/*' \
      ! -path './drive_c/windows/winsxs/*' -print0 |
      xargs -0 cp -p --remove-destination --parents -t "$E2E_T/pfx") ||
    fail "cannot copy the template prefix"
  export WINEPREFIX=$E2E_T/pfx TMPDIR=$E2E_T/tmp
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$E2E_T/display" 2>/dev/null &
  E2E_XVFB=$!
  trap e2e_stop EXIT
  e2e_until 10 test -s "$E2E_T/display" || fail "Xvfb did not start"
  DISPLAY=:$(head -1 "$E2E_T/display") && export DISPLAY
  # Wine's services inherit the first program's output: it must go nowhere.
  wineserver -p >/dev/null 2>&1
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1
}

e2e_stop() {
  wineserver -k >/dev/null 2>&1
  kill "$E2E_XVFB"
}

# Runs the command $2... every 0.2 s until it succeeds, for at most $1 seconds.
e2e_until() {
  local i
  for ((i = 0; i < $1 * 5; i++)); do
    "${@:2}" && return 0
    sleep 0.2
  done
  return 1
}

# Imports REGEDIT4 lines: "[KEY]", "[-KEY]" (removes it), '"Top"=dword:0000012c', '"Top"=-'.
e2e_reg() {
  printf 'REGEDIT4\r\n\r\n' >"$TMPDIR/set.reg"
  printf '%s\r\n' "$@" >>"$TMPDIR/set.reg"
  wine regedit /S "Z:${TMPDIR//\//\\}\\set.reg" >/dev/null 2>&1
}

# Lines "NAME<TAB>TYPE<TAB>DATA" of the settings key, sorted; fails when it is missing.
# An empty answer is asked for again: a query while another Wine program ends can come
# back empty.
e2e_settings() {
  local out rc try
  for try in 1 2 3; do
    out=$(timeout 30 wine reg query "$E2E_SETTINGS" 2>/dev/null | tr -d '\r' |
      sed -nE 's/^    (.+)    (REG_[A-Z_]+)    ?(.*)$/\1\t\2\t\3/p' | LC_ALL=C sort)
    rc=$?
    [ -z "$out" ] || break
    [ "$try" = 3 ] || sleep 0.5
  done
  [ -z "$out" ] || echo "$out"
  return "$rc"
}

# Starts the exe in the background in folder $1 with the arguments $2...; its code lands
# in $E2E_T/rc.PID, as `wait` cannot give it inside a $(...).
e2e_launch() {
  (
    cd "$1" || exit 1
    wine "$E2E_EXE" "${@:2}" </dev/null
    echo $? >"$E2E_T/rc.new.$BASHPID" && mv "$E2E_T/rc.new.$BASHPID" "$E2E_T/rc.$BASHPID"
  ) >"$E2E_T/app.out" 2>&1 &
  E2E_APP=$!
}

e2e_ended() { [ -s "$E2E_T/rc.${1:-$E2E_APP}" ]; }

# The exe ($2, default the last started) ends within $1 seconds with code E2E_RC.
e2e_wait_exit() {
  e2e_until "$1" e2e_ended "${2:-$E2E_APP}" && E2E_RC=$(cat "$E2E_T/rc.${2:-$E2E_APP}")
}

e2e_win() { wine "$(dirname "$E2E_EXE")/e2e_boxes.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
e2e_boxes() { e2e_win list '#32770' | awk -F'\t' '$2 == 1 { print $1 "\t" $3 "\t" $5 }'; }

# Controls by their names in creator/ui/control_ids.h.
e2e_id() { awk -v n="$1" '$1 == "#define" && $2 == n { gsub(/"/, "", $3); print $3 }' \
  "$E2E_ROOT/creator/ui/control_ids.h"; }
e2e_control() { e2e_win control "${2:-TfBNF}" "$(e2e_id "$1")"; }
e2e_items() { e2e_win items TfBNF "$(e2e_id "$1")" | paste -sd, -; }
e2e_select() { e2e_win select TfBNF "$(e2e_id "$1")" "$2" ${3:+"$3"}; }
e2e_command() { e2e_win command "${2:-TfBNF}" "$(e2e_id "$1")"; }
e2e_is() { [ "$("${@:2}")" = "$1" ]; }

# The next visible box within $1 seconds into E2E_BOX ("HWND<TAB>title<TAB>text").
e2e_box_or_end() { E2E_BOX=$(e2e_boxes | head -1) && [ -n "$E2E_BOX" ] || e2e_ended; }
e2e_next_box() { e2e_until "$1" e2e_box_or_end && [ -n "$E2E_BOX" ]; }

# Presses button $2 (1 OK, 2 Cancel, 6 Yes, 7 No) of box $1, again while it stays up.
e2e_pressed() {
  e2e_win press "$1" "$2"
  sleep 0.1
  ! e2e_boxes | grep -q "^$1"
}
e2e_press() { e2e_until 2 e2e_pressed "$@"; }

# Expects boxes with the texts $2... in turn, titled $1 unless empty, and presses OK (or
# $E2E_OK) on each; prints what differs. A box can show before its text: it is reread.
e2e_box_is() { E2E_BOX=$(e2e_boxes | head -1) && [[ ${E2E_BOX#*$'\t'} == ${1:-*}$'\t'"$2" ]]; }
e2e_confirm() {
  local want
  for want in "${@:2}"; do
    e2e_next_box 60 && e2e_until 3 e2e_box_is "$1" "$want" ||
      { echo "box [${E2E_BOX:-none}], want [$1] [$want]"; return 1; }
    e2e_press "${E2E_BOX%%$'\t'*}" "${E2E_OK:-1}" || { echo "the box [$want] did not close"; return 1; }
  done
}

e2e_window() { timeout "${2:-20}" xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }

# Types the Windows path $1 into the open-file dialog as a user does, again if it stays.
e2e_typed_open() {
  local window
  window=$(e2e_window Open 10) && timeout 10 xdotool windowfocus --sync "$window" &&
    timeout 10 xdotool key End shift+Home && timeout 20 xdotool type --delay 20 "$1" &&
    timeout 10 xdotool key Return && e2e_until 3 e2e_is "" e2e_window Open 1
}
e2e_open_dialog() { e2e_window Open 10 >/dev/null && e2e_until 1 e2e_typed_open "$1"; }

e2e_close_main() { e2e_win close TfBNF && e2e_wait_exit 15; }

# The example world in drive C, made anew; the exe starts in C:\tool, C:\data holds a
# case's own files. The private name tables and the settings only with $1 "settings".
e2e_world() {
  C=$WINEPREFIX/drive_c
  E2E_PROFILE=$C/users/$(id -un)/AppData/Roaming/Calmwood/Korvan\ BNF\ Tool
  E2E_IDE=$C/ide/plugin/CompilerBitnames
  E2E_KDX=$C/ide/compiler/Includes/KDX
  rm -rf "$C/bnf" "$C/ide" "$C/mpasm" "$C/data"
  mkdir -p "$C/mpasm" "$E2E_IDE" "$E2E_KDX" "$C/tool" "$C/data sheets" "$C/data" "$C/bnf" \
    "$E2E_PROFILE" || fail "no world"
  cp "$E2E_ROOT"/examples/tool/Standard*.txt "$C/tool/"
  cp "$E2E_ROOT"/examples/datasheets/*.txt "$C/data sheets/"
  cp "$E2E_ROOT/examples/mpasm/P16F1938.inc" "$C/mpasm/"
  cp "$E2E_ROOT/examples/kdx/P24FJ64GA002.KDX" "$E2E_KDX/"
  e2e_reg '[HKEY_CURRENT_USER\Software\MicroChip\MPLab IDE\Tool Locations]' \
    '"T_MPAsm.MPASM"="C:\\mpasm\\MPASMWIN.exe"' '[HKEY_CURRENT_USER\Software\Felsgate\KorvanIDE\Install]' \
    '"Plugin"="C:\\ide\\plugin"' '"Compiler"="C:\\ide\\compiler"'
  [ "${1:-}" = settings ] || return 0
  cp "$E2E_ROOT"/examples/profile/Private*.txt "$E2E_PROFILE/"
  e2e_reg "[-$E2E_SETTINGS]" "[$E2E_SETTINGS]" '"BNFLocation"="C:\\bnf"' '"Location"="C:\\tool\\"'
}

# The settings (unless $2 is empty), then each folder and file the exe could write but $1.
e2e_state() {
  [ -z "$2" ] || e2e_settings
  (cd "$C" && find bnf ide mpasm tool data* -type d -printf '%p/\n' &&
    { find bnf ide mpasm tool data* -type f -print0; find . -maxdepth 1 -type f -print0; } |
    xargs -0 -r md5sum | sed -E 's/^([0-9a-f]+)  (\.\/)?(.*)$/\3\t\1/') | LC_ALL=C sort |
    awk -F'\t' -v skip=" $1 " 'index(skip, " " $1 " ") == 0'
}

declare -A E2E_MSG=(
  [SAVED8]='The BitName file is saved as C:\bnf\P16F1938.bnf\r\rTo become effective you must copy it to the Plugin\CompilerBitnames directory'
  [COPIED16]='The BitName file is copied to the ZMV location C:\ide\plugin\CompilerBitnames\\r\rA copy of the BitName file is saved as C:\bnf\P24FJ64GA002.bnf'
  [U1MODE]='U1MODE: 4' [U2MODE]='U2MODE: 4'
)

e2e_old_file() { printf '** BITNAMES **\r\nOLD="A file from an earlier run" 0x0001\r\n' >"$1"; }

# A setup word of a case for device type $2; files of tests/data/bad, else of $E2E_T/gen.
# old: both BitName folders hold a file of the device, so the run asks first (answered
# Yes); settings: closing the window keeps them; running: a copy without arguments runs.
e2e_setup() {
  local from=$E2E_ROOT/tests/data/bad/${1#*=}
  [ -e "$from" ] || from=$E2E_T/gen/${1#*=}
  case $1 in
    inc=*) cp "$from" "$C/mpasm/P16F1938.inc" ;;
    kdx=*) cp "$from" "$E2E_KDX/P24FJ64GA002.KDX" ;;
    sheet=*) cp "$from" "$C/data/sheet.txt" ;;
    old) e2e_old_file "$C/bnf/P$2.bnf" && e2e_old_file "$E2E_IDE/P$2.bnf" ;;
    rofile) e2e_old_file "$C/bnf/P$2.bnf" && chmod a-w "$C/bnf/P$2.bnf" ;;
    nofolder) # a file stands where the BitName folder should be
      e2e_old_file "$C/data/not-a-folder" && e2e_setup 'set:BNFLocation=C:\data\not-a-folder' ;;
    set:*) local v=${1#set:} d && d=${1#*=} &&
      e2e_reg "[$E2E_SETTINGS]" "\"${v%%=*}\"=\"${d//\\/\\\\}\"" ;;
    running) e2e_launch "$C/tool" && E2E_FIRST=$E2E_APP &&
      [ -n "$(e2e_window "$E2E_TITLE")" ] || fail "the first copy shows no window" ;;
    settings) ;;
    *) fail "unknown setup word $1" ;;
  esac
}

# From the window: family 16 and its type, until the generate button shows.
e2e_pick16() {
  e2e_select IDC_LBFAM 2 && e2e_until 10 e2e_is 16F1938 e2e_items IDC_LBTYPE &&
    e2e_select IDC_LBTYPE 0 && e2e_until 10 e2e_is $'1\t1\t16F1938' e2e_control IDC_BUTTON1
}

# One case: its boxes, its end, the settings (when it ends by itself) and files unchanged
# but the BitName files due. Fields: name | setup words | device ("-": no arguments) |
# datasheet | box keys: E2E_MSG texts answered OK in turn, click: generate in the window |
# end: the exe's code 0 or 1; stay: the window stays with both lists disabled, fBNF: with
# its first caption, then it closes with 1 (0 without arguments) | expected: - or the
# file the user's BitName file (and the IDE's copy on the 16-bit road) equals.
e2e_case() {
  local name=$1 setup=" $2 " device=$3 sheet=$4 keys=$5 end=$6 out=$7
  local dev written='' problem='' key want before after args=() f keep='' E2E_FIRST=''
  dev=$(sed -E 's/^[A-Za-z]*//' <<<"${device^^}")
  [ "$out" = - ] || written=bnf/P$dev.bnf
  [ "$out" = - ] || [[ $dev == 1[0268]* ]] || written+=" ide/plugin/CompilerBitnames/P$dev.bnf"
  E2E_MSG[REFUSED]="\"$device\" is not a device type.\\rNo BitName file was written."
  e2e_world settings
  for f in $setup; do e2e_setup "$f" "$dev"; done
  [ "$device" = - ] || args=("$device" "$sheet")
  [[ $end != [01] && $setup != *" settings "* ]] || keep=1
  before=$(e2e_state "$written" "$keep")
  e2e_launch "$C/tool" "${args[@]}"
  [[ $setup != *" old "* ]] ||
    problem=$(E2E_OK=6 e2e_confirm '' "The Bitname file for $dev already exists.\\rContinue anyway?")
  for key in $keys; do
    [ -z "$problem" ] || break
    if [ "$key" = click ]; then
      e2e_pick16 && e2e_command IDC_BUTTON1 || problem="cannot generate from the window"
    else
      want=${E2E_MSG[$key]}
      problem=$(e2e_confirm '' "$want")
    fi
  done
  if [ -z "$problem" ] && [[ $end == [01] ]]; then
    e2e_wait_exit 20 || problem="did not end after its boxes"
  elif [ -z "$problem" ]; then
    sleep 0.3
    # "[ended][boxes]|caption|the lists' enabled states"
    f="$(e2e_ended && echo ended)$(e2e_boxes)|$(e2e_win list TfBNF | cut -f3)"
    f+="|$(e2e_control IDC_LBFAM | cut -f2)$(e2e_control IDC_LBTYPE | cut -f2)"
    want='|*|00'
    [ "$end" = stay ] || want='|fBNF|*'
    # shellcheck disable=SC2053
    [[ $f == $want ]] || problem="the window [$f], want [$want]"
    e2e_close_main || problem+=" the window did not close"
    end=$((${#args[@]} ? 1 : 0))
  fi
  [ -n "$problem" ] || [ "$E2E_RC" = "$end" ] || problem="ended with code $E2E_RC, want $end"
  after=$(e2e_state "$written" "$keep")
  [ "$before" = "$after" ] ||
    problem+=" changed: $(diff <(echo "$before") <(echo "$after") | grep '^[<>]' | head -3 | tr '\n' ' ')"
  for f in $written; do
    cmp -s "$C/$f" "$E2E_ROOT/$out" || problem+=" $f is not $out"
  done
  if ! e2e_ended || { [ -n "$E2E_FIRST" ] && e2e_ended "$E2E_FIRST"; }; then
    problem+=" still running or first copy ended; killed"
    wineserver -k >/dev/null 2>&1
    wineserver -p >/dev/null 2>&1
  elif [ -n "$E2E_FIRST" ]; then
    e2e_win close TfBNF && e2e_wait_exit 15 "$E2E_FIRST" && [ "$E2E_RC" = 0 ] ||
      problem+=" the first copy did not end well"
  fi
  if [ -z "$problem" ]; then echo "PASS: $name"; else echo "FAIL: $name: $problem"; fi
  [ -z "$problem" ]
}

e2e_cases() {
  local fields failed=0
  while IFS='|' read -r -u 3 -a fields; do
    e2e_case "${fields[@]}" || failed=$((failed + 1))
  done 3< <(sed -E '/^\s*(#|$)/d; s/\s*\|\s*/|/g; s/^\s+|\s+$//g')
  echo "$failed failed"
  [ "$failed" = 0 ]
}
