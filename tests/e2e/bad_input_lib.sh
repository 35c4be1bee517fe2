# shellcheck shell=bash
# Helpers of the bad-input suite: a prefix with MPASM, IDE, BitName and tool folders;
# listings of every folder a file could land in; one command-line run of bnfcreator.exe
# checked for its boxes, its end and what it left on disk; large inputs; file checks.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

# shellcheck disable=SC2034  # read by the suite
BAD_SOURCE=$E2E_ROOT/tests/data/bad
BAD_TITLE='Korvan® BitName file creator'
BAD_PASSED=0
BAD_FAILED=0

# The folders inside the prefix and their Windows names. The IDE's BitName folder is
# kept empty between cases, so the existing-file question comes only where a case asks
# for it.
bad_prepare() {
  local c=$WINEPREFIX/drive_c
  BAD_TOOL=$c/tool
  BAD_BNF=$c/bnf
  BAD_MPASM=$c/mpasm
  BAD_IDE=$c/ide/plugin/CompilerBitnames
  BAD_KDX=$c/ide/compiler/Includes/KDX
  BAD_SHEETS=$c/data
  BAD_WORK=$E2E_T/work
  BAD_PROFILE=$c/users/$(id -un)/AppData/Roaming/Calmwood/Korvan\ BNF\ Tool
  mkdir -p "$BAD_TOOL" "$BAD_BNF" "$BAD_MPASM" "$BAD_IDE" "$BAD_KDX" "$BAD_SHEETS" \
    "$BAD_WORK" "$BAD_PROFILE"
  cp "$E2E_ROOT"/examples/tool/Standard*.txt "$BAD_TOOL/"
  cp "$E2E_ROOT"/examples/profile/Private*.txt "$BAD_PROFILE/"
  cat >"$E2E_T/setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Calmwood\ZMV BNF Tool]
"BNFLocation"="C:\\bnf"
"Location"="C:\\tool\\"

[HKEY_CURRENT_USER\Software\MicroChip\MPLab IDE\Tool Locations]
"T_MPAsm.MPASM"="C:\\mpasm\\MPASMWIN.exe"

[HKEY_CURRENT_USER\Software\Felsgate\KorvanIDE\Install]
"Plugin"="C:\\ide\\plugin"
"Compiler"="C:\\ide\\compiler"
REG
  e2e_regedit "$E2E_T/setup.reg" || fail "registry not prepared"
}

# Points the settings at another BitName folder (a Windows path).
bad_set_bnf_location() {
  local escaped=${1//\\/\\\\}
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Calmwood\\ZMV BNF Tool]\r\n"BNFLocation"="%s"\r\n' \
    "$escaped" >"$E2E_T/location.reg"
  e2e_regedit "$E2E_T/location.reg"
}

# Every file (size and checksum) and folder where the exe could write: the BitName
# folder, the IDE's folders, the MPASM, tool and data folders, the root of C:.
bad_listing() {
  local c=$WINEPREFIX/drive_c
  (
    cd "$c" || exit 1
    find bnf ide mpasm tool data -type d -printf '%p/\n' 2>/dev/null
    { find bnf ide mpasm tool data -type f -print0 2>/dev/null
      find . -maxdepth 1 -type f -print0; } | xargs -0 -r md5sum
  ) | sed -E 's/^([0-9a-f]{32})  (\.\/)?(.*)$/\3 \1/' | LC_ALL=C sort
}

# Empties the case folders (BitName, IDE, MPASM, KDX, datasheets): each case starts
# from the same place.
bad_clean() {
  local d
  for d in "$BAD_BNF" "$BAD_IDE" "$BAD_MPASM" "$BAD_KDX" "$BAD_SHEETS"; do
    chmod -R u+w "$d" 2>/dev/null
    find "$d" -mindepth 1 -delete 2>/dev/null
  done
}

# The known file a failure must leave as it is.
bad_old_file() {
  printf '** BITNAMES **\r\nOLD="A file from an earlier run" 0x0001\r\n' >"$1"
}

# A line of the boxes list: its text field (CRs shown as \r).
bad_box_text() { cut -f3- <<<"$1"; }

# Waits up to $1 seconds for any box while the exe runs; its line goes to BAD_BOX.
# Fails when the exe ends first (its code is then in BAD_EARLY_RC) or nothing comes.
bad_wait_any_box() {
  local limit=$1 i
  BAD_EARLY_RC=
  BAD_BOX=
  for ((i = 0; i < limit * 5; i++)); do
    BAD_BOX=$(e2e_boxes | head -1)
    [ -n "$BAD_BOX" ] && return 0
    if ! kill -0 "$E2E_APP" 2>/dev/null; then
      wait "$E2E_APP"
      BAD_EARLY_RC=$?
      return 1
    fi
    sleep 0.2
  done
  return 1
}

# Ends a run that is stuck, so the next case starts from a clean server.
bad_kill_app() {
  kill "$E2E_APP" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  wait "$E2E_APP" 2>/dev/null
  wineserver -p >/dev/null 2>&1
}

# Closes the main window titled $1 with Alt+F4 and prints the exe's code; fails when
# the window is not there or the exe does not end: it no longer responds.
bad_close_window() {
  local window
  window=$(e2e_wait_window "$1" 10) || return 1
  [ -n "$window" ] || return 1
  timeout 10 xdotool windowfocus --sync "$window" || return 1
  timeout 10 xdotool key alt+F4
  e2e_wait_exit 15
}

# One command-line run, checked. Set before the call:
#   CASE_ASK     non-empty: the IDE has the file, expect the question and answer Yes
#   CASE_END     quits (the exe ends after the box) or stays (the window stays open,
#                closed here with Alt+F4); both must end with code 0
#   CASE_TITLE   the main window's title when it stays (default: the app's title)
#   CASE_WRITES  the files (relative to drive_c) the run may add or change; all other
#                listed files must be as before
#   CASE_CHECK   a function run after the exe ended (for the written file's content)
# Arguments: case name, device argument, datasheet argument, then the exact text of
# each box in the order they come (each is answered with OK).
bad_run() {
  local name=$1 device=$2 sheet=$3
  local expect=("${@:4}")
  local before after line text rc started problem=
  before=$(bad_listing)
  started=$(date +%s%N)
  e2e_launch "$BAD_TOOL" "$device" "$sheet"
  if [ -n "${CASE_ASK:-}" ]; then
    bad_wait_any_box 30
    line=$BAD_BOX
    text=$(bad_box_text "$line")
    local question="The Bitname file for ${device#P} already exists.\\rContinue anyway?"
    if [ "$text" != "$question" ]; then
      problem="expected the existing-file question, got: ${text:-nothing (code ${BAD_EARLY_RC:-none})}"
    else
      e2e_press "${line%%$'\t'*}" 6 || problem="the question did not close"
    fi
  fi
  local want
  for want in "${expect[@]}"; do
    [ -z "$problem" ] || break
    if bad_wait_any_box 90; then
      line=$BAD_BOX
      text=$(bad_box_text "$line")
      [ "$text" = "$want" ] || problem="message: got [$text], want [$want]"
      e2e_press "${line%%$'\t'*}" 1 || problem="${problem:+$problem; }the box did not close"
    elif [ -n "$BAD_EARLY_RC" ]; then
      problem="ended with code $BAD_EARLY_RC without the message [$want]"
    else
      problem="no message within 90 s, want [$want]"
    fi
  done
  if [ -z "$problem" ]; then
    case ${CASE_END:-quits} in
      quits)
        rc=$(e2e_wait_exit 20) || problem="did not end after the message"
        ;;
      stays)
        sleep 0.3
        if ! kill -0 "$E2E_APP" 2>/dev/null; then
          wait "$E2E_APP"
          problem="ended (code $?) instead of keeping its window open"
        else
          line=$(e2e_boxes | head -1)
          [ -z "$line" ] || problem="a further box: $(bad_box_text "$line")"
          rc=$(bad_close_window "${CASE_TITLE:-$BAD_TITLE}") ||
            problem="${problem:+$problem; }the window did not close on Alt+F4"
        fi
        ;;
    esac
    [ -n "$problem" ] || [ "$rc" = 0 ] || problem="ended with code $rc"
  fi
  if kill -0 "$E2E_APP" 2>/dev/null; then
    bad_kill_app
    problem="${problem:+$problem; }still running, killed"
  fi
  after=$(bad_listing)
  local changed
  changed=$(diff <(echo "$before") <(echo "$after") | sed -n 's/^[<>] //p' |
    sed -E 's/ [0-9a-f]{32}$//; s|/$||' | LC_ALL=C sort -u)
  local allowed=" ${CASE_WRITES:-} " f
  for f in $changed; do
    [[ $allowed == *" $f "* ]] || problem="${problem:+$problem; }file changed or added: $f"
  done
  for f in ${CASE_WRITES:-}; do
    [ -f "$WINEPREFIX/drive_c/$f" ] || problem="${problem:+$problem; }not written: $f"
  done
  if [ -z "$problem" ] && [ -n "${CASE_CHECK:-}" ]; then
    problem=$($CASE_CHECK 2>&1)
  fi
  # The BitName folders of a failed case are kept for a look (and of every case with
  # BAD_KEEP set).
  if [ -n "$problem" ] || [ -n "${BAD_KEEP:-}" ]; then
    local keep=$E2E_T/kept/${name//[^A-Za-z0-9.-]/_}
    mkdir -p "$keep"
    cp -r "$BAD_BNF" "$BAD_IDE" "$keep/" 2>/dev/null
  fi
  local took
  took=$((($(date +%s%N) - started) / 100000000))
  took=$((took / 10)).$((took % 10))
  if [ -z "$problem" ]; then
    BAD_PASSED=$((BAD_PASSED + 1))
    printf 'PASS: %-28s %5ss  %s\n' "$name" "$took" "${expect[-1]}"
  else
    BAD_FAILED=$((BAD_FAILED + 1))
    printf 'FAIL: %-28s %5ss  %s\n' "$name" "$took" "$problem"
  fi
  CASE_ASK='' CASE_END='' CASE_TITLE='' CASE_WRITES='' CASE_CHECK=''
}

# ---- large inputs, made here rather than kept in the tree (all lines end in CR LF)

# File $1 with a line of 100,000 characters inserted after its line $2. The line holds
# colons, brackets and a bit-line start, but no marker of any reader.
bad_with_long_line() {
  LC_ALL=C awk -v after="$2" '
    BEGIN {
      unit = "bit 7 LONG: (x) <1:0> word, "
      while (length(long) < 100000) long = long unit
      long = substr(long, 1, 100000)
    }
    { print }
    NR == after { print long "\r" }
  ' "$1"
}

# An include file with $1 register lines and one Bits heading.
bad_include_with_registers() {
  LC_ALL=C awk -v n="$1" 'BEGIN {
    printf ";----- Register Files -----\r\n"
    for (i = 1; i <= n; i++) printf "R%05d EQU H'\''%04X'\''\r\n", i, i % 65536
    printf ";----- R00001 Bits -----\r\nB0 EQU H'\''0000'\''\r\n;=====\r\n"
  }'
}

# An include file with two registers and $1 bit lines, eight to a Bits heading.
bad_include_with_bits() {
  LC_ALL=C awk -v n="$1" 'BEGIN {
    printf ";----- Register Files -----\r\nR00001 EQU H'\''0001'\''\r\nR00002 EQU H'\''0002'\''\r\n"
    for (i = 0; i < n; i++) {
      if (i % 8 == 0) printf ";----- R%05d Bits -----\r\n", i / 8 + 1
      printf "B%d EQU H'\''%04X'\''\r\n", i % 8, i % 8
    }
    printf ";=====\r\n"
  }'
}

# A KDX file with $1 registers R00001 and on.
bad_kdx_with_registers() {
  LC_ALL=C awk -v n="$1" 'BEGIN {
    printf "[DEVICE]\r\n[REGSTART]\r\n"
    for (i = 1; i <= n; i++) printf "R%05d EQU 0x%04X\r\n", i, (2 * i) % 65536
    printf "[REGEND]\r\n"
  }'
}

# A 16-bit datasheet with a heading and 16 bit lines for each of the registers
# R00001 to R$1: with each register's placeholder, 17 bit records a register.
bad_datasheet16_with_bits() {
  LC_ALL=C awk -v n="$1" 'BEGIN {
    for (i = 1; i <= n; i++) {
      printf "REGISTER 1-%d: R%05d: REGISTER %d\r\n", i, i, i
      for (b = 15; b >= 0; b--) printf "bit %d B%d: Bit %d of R%05d\r\n", b, b, b, i
    }
  }'
}

# ---- the read-only BitName folder

# Makes folder $1 read-only: Unix rights, or for root (whom they do not stop) the
# immutable attribute. Fails when a file can still be made in it.
bad_lock_folder() {
  BAD_LOCKED=$1
  if [ "$(id -u)" = 0 ]; then
    chattr +i "$1" 2>/dev/null
  else
    chmod a-w "$1"
  fi
  if touch "$1/.probe" 2>/dev/null; then
    rm -f "$1/.probe"
    bad_unlock
    return 1
  fi
}

bad_unlock() {
  [ -n "${BAD_LOCKED:-}" ] || return 0
  chattr -i "$BAD_LOCKED" 2>/dev/null
  chmod u+w "$BAD_LOCKED"
  BAD_LOCKED=
}

# ---- checks of a written BitName file; each prints what is wrong

# A whole file: the header first, every line ended by CR LF, no NUL.
bad_sane_file() {
  local f=$WINEPREFIX/drive_c/$1 crs lfs
  [ "$(head -c 16 "$f")" = $'** BITNAMES **\r' ] || echo "$1: no header line"
  [ "$(tail -c 2 "$f" | od -An -c | tr -d ' ')" = '\r\n' ] || echo "$1: last line not ended"
  crs=$(tr -cd '\r' <"$f" | wc -c)
  lfs=$(tr -cd '\n' <"$f" | wc -c)
  [ "$crs" = "$lfs" ] && ! LC_ALL=C grep -q $'\r.' "$f" || echo "$1: a lone CR or LF"
  [ "$(tr -d '\000' <"$f" | wc -c)" = "$(wc -c <"$f")" ] || echo "$1: holds NUL bytes"
}

bad_sane8() { bad_sane_file bnf/P16F1938.bnf; }

# Both copies of the 16-bit file: whole and alike.
bad_sane16() {
  bad_sane_file bnf/P24FJ64GA002.bnf
  bad_sane_file ide/plugin/CompilerBitnames/P24FJ64GA002.bnf
  cmp -s "$BAD_BNF/P24FJ64GA002.bnf" "$BAD_IDE/P24FJ64GA002.bnf" ||
    echo "the two copies of P24FJ64GA002.bnf differ"
}

# The register names of written file $1 (relative to drive_c) in file order, on one
# line; and the registers its bit lines name, each run once.
bad_registers() {
  LC_ALL=C sed -nE 's/^([^=]+)=".*\r$/\1/p' "$WINEPREFIX/drive_c/$1" | paste -sd' ' -
}
bad_bit_owners() {
  LC_ALL=C sed -nE 's/^[^=]*=([^.",=]+)\.[0-9]+,".*\r$/\1/p' "$WINEPREFIX/drive_c/$1" |
    uniq | paste -sd' ' -
}

# Prints a complaint when $2 (what is) differs from $3 (what should be); $1 names it.
bad_expect_eq() { [ "$2" = "$3" ] || echo "$1: got [$2], want [$3]"; }

# Bytes 0x80 to 0x9F, and a line of them as it ends in a written file (with its CR).
bad_high_bytes() {
  local i
  for ((i = 0x80; i <= 0x9F; i++)); do printf '%b' "\\$(printf %03o "$i")"; done
}

# File $1 without the block that starts with the line $2 (CR added) and runs up to and
# including the next empty line; and that block alone.
bad_without_block() {
  LC_ALL=C awk -v first="$2"$'\r' '$0 == first { skip = 1 } !skip { print } skip && $0 == "\r" { skip = 0 }' "$1"
}
bad_block() {
  LC_ALL=C awk -v first="$2"$'\r' '$0 == first { take = 1 } take { print } take && $0 == "\r" { exit }' "$1"
}
