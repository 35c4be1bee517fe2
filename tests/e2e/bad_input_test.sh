#!/usr/bin/env bash
# Bad input through bnfcreator.exe's command line (DEVICE DATASHEET) under Wine. Each
# case must show its plain message, end normally or keep a window that still closes,
# and change no file but a whole BitName file where one is due; an existing one is
# kept on failure. One line per case; exit 0 only when every case passes.
#   bad_input_test.sh [EXE]     (e2e_boxes.exe is taken from the exe's folder)
# shellcheck disable=SC2034  # the CASE_* settings are read by bad_run
# shellcheck source=tests/e2e/bad_input_lib.sh
source "$(dirname "$0")/bad_input_lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
[ -d "$BAD_SOURCE" ] || fail "no bad files at $BAD_SOURCE"
e2e_start bad_input
trap 'bad_unlock; e2e_stop' EXIT
# A bound on the whole run, should a wait hang after all (about a minute is usual).
if declare -F e2e_watchdog >/dev/null; then e2e_watchdog 600; fi
bad_prepare

SHEET='C:\data\sheet.txt'
INC=$E2E_ROOT/examples/mpasm/P16F1938.inc
KDX=$E2E_ROOT/examples/kdx/P24FJ64GA002.KDX
SHEET8=$E2E_ROOT/examples/datasheets/16F1938.txt
SHEET16=$E2E_ROOT/examples/datasheets/24FJ64GA002.txt
OUT8=bnf/P16F1938.bnf
OUT16="bnf/P24FJ64GA002.bnf ide/plugin/CompilerBitnames/P24FJ64GA002.bnf"

# The boxes, as boxes.exe shows them (a CR as \r).
SAVED8='The BitName file is saved as C:\bnf\P16F1938.bnf\r\rTo become effective you must copy it to the Plugin\CompilerBitnames directory'
COPIED16='The BitName file is copied to the ZMV location C:\ide\plugin\CompilerBitnames\\r\rA copy of the BitName file is saved as C:\bnf\P24FJ64GA002.bnf'
NO_REGISTERS8='The include file for 16F1938 (C:\mpasm\P16F1938.inc) holds no register list.\rNo BitName file was written.'
NO_REGISTERS16='The device file for 24FJ64GA002 (C:\ide\compiler\Includes\KDX\P24FJ64GA002.KDX) holds no register list.\rNo BitName file was written.'
REGISTERS_FULL='The register table is full: it holds at most 4096 rows. Nothing was written for this device.'
BITS_FULL='The bit table is full: it holds at most 65536 rows. Nothing was written for this device.'
NO_SHEET='Cannot open file "C:\data\missing.txt". The system cannot find the file specified.'
READ_ONLY_FOLDER='Cannot create file "C:\bnf\_____test.txt". Access is denied.'
NOT_A_FOLDER='Cannot create file "C:\data\not-a-folder\_____test.txt". The system cannot find the path specified.'
READ_ONLY_FILE='Cannot create file "C:\bnf\P16F1938.bnf". Access is denied.'
# A bit without a description in the example datasheet: the 16-bit writer names each.
BLANK_BITS16=('U1MODE: 4' 'U2MODE: 4')

# The 8-bit road: include file and datasheet in place.
road8() {
  bad_clean
  cp "$1" "$BAD_MPASM/P16F1938.inc"
  cp "$2" "$BAD_SHEETS/sheet.txt"
}

# The 16-bit road: KDX file and datasheet in place.
road16() {
  bad_clean
  cp "$1" "$BAD_KDX/P24FJ64GA002.KDX"
  cp "$2" "$BAD_SHEETS/sheet.txt"
}

# A failure case: a BitName file of the device in the user's folder and in the IDE's,
# so the run asks first (answered Yes) and must leave both as they were.
old_files() {
  bad_old_file "$BAD_BNF/P$1.bnf"
  bad_old_file "$BAD_IDE/P$1.bnf"
  CASE_ASK=1
}

# What a written file must hold. The 8-bit file of a whole include file names these
# registers and bit owners; cut input files give fewer.
REGISTERS8='INDF0 INDF1 PCL STATUS FSR0L FSR0H BSR WREG PCLATH INTCON PORTA TMR0 TMR1 TMR1L TMR1H T1CON TRISA OPTION_REG ADRESL ADRESH ADCON0 LATA T3CON STATUS_SHAD WREG_SHAD'
OWNERS8='STATUS INTCON PORTA T1CON TRISA OPTION_REG ADCON0 T3CON STATUS_SHAD'

same_as() { cmp -s "$WINEPREFIX/drive_c/$1" "$2" || echo "$1 differs from $2"; }
same_as8() { same_as "$OUT8" "$E2E_ROOT/examples/expected/P16F1938.bnf"; }
same_as16() {
  local f
  for f in $OUT16; do same_as "$f" "$E2E_ROOT/examples/expected/P24FJ64GA002.bnf"; done
}
# A datasheet that gives nothing: names and addresses, default descriptions, no pages.
same_as8_without_sheet() { same_as "$OUT8" "$BAD_SOURCE/expected/P16F1938.no-datasheet.bnf"; }
same_as16_without_sheet() {
  local f
  for f in $OUT16; do same_as "$f" "$BAD_SOURCE/expected/P24FJ64GA002.no-datasheet.bnf"; done
}

# The include file ends in the register part (in the middle of ADRESL's line): the
# registers read until then, no bits.
cut_in_registers8() {
  bad_sane8
  bad_expect_eq registers "$(bad_registers "$OUT8")" \
    'INDF0 INDF1 PCL STATUS FSR0L FSR0H BSR WREG PCLATH INTCON PORTA TMR0 TMR1 TMR1L TMR1H T1CON TRISA OPTION_REG ADRESL'
  bad_expect_eq "bit owners" "$(bad_bit_owners "$OUT8")" ''
}

# ... in INTCON's bits: every register, the bits of STATUS and INTCON.
cut_in_bits8() {
  bad_sane8
  bad_expect_eq registers "$(bad_registers "$OUT8")" "$REGISTERS8"
  bad_expect_eq "bit owners" "$(bad_bit_owners "$OUT8")" 'STATUS INTCON'
}

# No end marker: the lines after the bits are read as bits too; nothing is lost.
no_end_marker8() {
  bad_sane8
  bad_expect_eq registers "$(bad_registers "$OUT8")" "$REGISTERS8"
  bad_expect_eq "bit owners" "$(bad_bit_owners "$OUT8")" "$OWNERS8"
}

# The datasheet ends in INTCON's bit lines: STATUS has its heading, PORTA nothing.
cut_sheet8() {
  bad_sane8
  bad_expect_eq registers "$(bad_registers "$OUT8")" "$REGISTERS8"
  local f=$WINEPREFIX/drive_c/$OUT8
  grep -qxF $'STATUS="STATUS REGISTER" 0x0003 (page 23)\r' "$f" || echo "STATUS lacks its heading"
  grep -qxF $'PORTA="" 0x000C\r' "$f" || echo "PORTA holds what came after the end"
}

# The KDX file ends in TMR2's line: the registers before it (those the datasheet or
# the name tables describe).
cut_kdx16() {
  bad_sane16
  bad_expect_eq registers "$(bad_registers bnf/P24FJ64GA002.bnf)" 'T1CON TMR1 TMR2 WREG0'
  bad_expect_eq "bit owners" "$(bad_bit_owners bnf/P24FJ64GA002.bnf)" 'T1CON'
}

# The datasheet ends in T1CON's bit lines.
cut_sheet16() {
  bad_sane16
  bad_expect_eq registers "$(bad_registers bnf/P24FJ64GA002.bnf)" \
    'CLKDIV OSCCON T1CON TMR1 TMR2 WREG0'
  bad_expect_eq "bit owners" "$(bad_bit_owners bnf/P24FJ64GA002.bnf)" 'CLKDIV OSCCON OSCTUN T1CON'
}

# Bytes 0x80 to 0x9F in a register name, a bit name and descriptions come out as the
# same bytes, as one block in an otherwise unchanged file.
HI=$(bad_high_bytes)
REG_HI=$'X\x80\x82\x83REG'
BIT_HI=$'B\x8A\x8E\x9A'
cp1252_8() {
  local f=$WINEPREFIX/drive_c/$OUT8 first="$REG_HI=\"Bytes $HI in a heading\" 0x0020 (page 23)"
  bad_sane8
  bad_expect_eq "the block" "$(bad_block "$f" "$first" | tr -d '\r')" \
    "$first"$'\n'"$BIT_HI=$REG_HI.0,\"\""$'\n'"BHI=$REG_HI.1,\"Bytes $HI in a bit\""
  bad_without_block "$f" "$first" | cmp -s - "$E2E_ROOT/examples/expected/P16F1938.bnf" ||
    echo "$OUT8 differs from the example's beyond the block"
}
cp1252_16() {
  local f first="$REG_HI=\"Bytes $HI in a heading\" 0x0800 (page 97)"
  bad_sane16
  for f in $OUT16; do
    f=$WINEPREFIX/drive_c/$f
    bad_expect_eq "the block" "$(bad_block "$f" "$first" | tr -d '\r')" \
      "$first"$'\n'"$BIT_HI=$REG_HI.0,\"Bytes $HI in a bit\""
    bad_without_block "$f" "$first" | cmp -s - "$E2E_ROOT/examples/expected/P24FJ64GA002.bnf" ||
      echo "$f differs from the example's beyond the block"
  done
}

# ---- empty files
road8 "$BAD_SOURCE/empty.txt" "$SHEET8"
old_files 16F1938
bad_run include-empty 16F1938 "$SHEET" "$NO_REGISTERS8"

road16 "$BAD_SOURCE/empty.txt" "$SHEET16"
old_files 24FJ64GA002
bad_run kdx-empty 24FJ64GA002 "$SHEET" "$NO_REGISTERS16"

road8 "$INC" "$BAD_SOURCE/empty.txt"
CASE_WRITES=$OUT8 CASE_CHECK=same_as8_without_sheet
bad_run datasheet8-empty 16F1938 "$SHEET" "$SAVED8"

road16 "$KDX" "$BAD_SOURCE/empty.txt"
CASE_WRITES=$OUT16 CASE_CHECK=same_as16_without_sheet
bad_run datasheet16-empty 24FJ64GA002 "$SHEET" "$COPIED16"

# ---- binary junk
road8 "$BAD_SOURCE/junk.bin" "$SHEET8"
old_files 16F1938
bad_run include-junk 16F1938 "$SHEET" "$NO_REGISTERS8"

road16 "$BAD_SOURCE/junk.bin" "$SHEET16"
old_files 24FJ64GA002
bad_run kdx-junk 24FJ64GA002 "$SHEET" "$NO_REGISTERS16"

road8 "$INC" "$BAD_SOURCE/junk.bin"
CASE_WRITES=$OUT8 CASE_CHECK=same_as8_without_sheet
bad_run datasheet8-junk 16F1938 "$SHEET" "$SAVED8"

road16 "$KDX" "$BAD_SOURCE/junk.bin"
CASE_WRITES=$OUT16 CASE_CHECK=same_as16_without_sheet
bad_run datasheet16-junk 24FJ64GA002 "$SHEET" "$COPIED16"

# ---- a line of 100,000 characters where each reader passes over lines
bad_with_long_line "$INC" 2 >"$BAD_WORK/long.inc"
road8 "$BAD_WORK/long.inc" "$SHEET8"
CASE_WRITES=$OUT8 CASE_CHECK=same_as8
bad_run include-long-line 16F1938 "$SHEET" "$SAVED8"

bad_with_long_line "$KDX" 3 >"$BAD_WORK/long.kdx"
road16 "$BAD_WORK/long.kdx" "$SHEET16"
CASE_WRITES=$OUT16 CASE_CHECK=same_as16
bad_run kdx-long-line 24FJ64GA002 "$SHEET" "${BLANK_BITS16[@]}" "$COPIED16"

bad_with_long_line "$SHEET8" 10 >"$BAD_WORK/long8.txt"
road8 "$INC" "$BAD_WORK/long8.txt"
CASE_WRITES=$OUT8 CASE_CHECK=same_as8
bad_run datasheet8-long-line 16F1938 "$SHEET" "$SAVED8"

bad_with_long_line "$SHEET16" 10 >"$BAD_WORK/long16.txt"
road16 "$KDX" "$BAD_WORK/long16.txt"
CASE_WRITES=$OUT16 CASE_CHECK=same_as16
bad_run datasheet16-long-line 24FJ64GA002 "$SHEET" "${BLANK_BITS16[@]}" "$COPIED16"

# ---- missing section and end markers
road8 "$BAD_SOURCE/P16F1938-no-register-marker.inc" "$SHEET8"
old_files 16F1938
bad_run include-no-register-marker 16F1938 "$SHEET" "$NO_REGISTERS8"

road8 "$BAD_SOURCE/P16F1938-no-end-marker.inc" "$SHEET8"
CASE_WRITES=$OUT8 CASE_CHECK=no_end_marker8
bad_run include-no-end-marker 16F1938 "$SHEET" "$SAVED8"

road16 "$BAD_SOURCE/P24FJ64GA002-no-regstart.KDX" "$SHEET16"
old_files 24FJ64GA002
bad_run kdx-no-regstart 24FJ64GA002 "$SHEET" "$NO_REGISTERS16"

road16 "$BAD_SOURCE/P24FJ64GA002-no-registers.KDX" "$SHEET16"
old_files 24FJ64GA002
bad_run kdx-no-registers 24FJ64GA002 "$SHEET" "$NO_REGISTERS16"

road16 "$BAD_SOURCE/P24FJ64GA002-no-regend.KDX" "$SHEET16"
CASE_WRITES=$OUT16 CASE_CHECK=same_as16
bad_run kdx-no-regend 24FJ64GA002 "$SHEET" "${BLANK_BITS16[@]}" "$COPIED16"

# ---- files that end in the middle of a section
road8 "$BAD_SOURCE/P16F1938-cut-in-registers.inc" "$SHEET8"
CASE_WRITES=$OUT8 CASE_CHECK=cut_in_registers8
bad_run include-cut-in-registers 16F1938 "$SHEET" "$SAVED8"

road8 "$BAD_SOURCE/P16F1938-cut-in-bits.inc" "$SHEET8"
CASE_WRITES=$OUT8 CASE_CHECK=cut_in_bits8
bad_run include-cut-in-bits 16F1938 "$SHEET" "$SAVED8"

road16 "$BAD_SOURCE/P24FJ64GA002-cut-in-registers.KDX" "$SHEET16"
CASE_WRITES=$OUT16 CASE_CHECK=cut_kdx16
bad_run kdx-cut-in-registers 24FJ64GA002 "$SHEET" "$COPIED16"

road8 "$INC" "$BAD_SOURCE/16F1938-cut-in-section.txt"
CASE_WRITES=$OUT8 CASE_CHECK=cut_sheet8
bad_run datasheet8-cut-in-section 16F1938 "$SHEET" "$SAVED8"

road16 "$KDX" "$BAD_SOURCE/24FJ64GA002-cut-in-section.txt"
CASE_WRITES=$OUT16 CASE_CHECK=cut_sheet16
bad_run datasheet16-cut-in-section 24FJ64GA002 "$SHEET" "$COPIED16"

# ---- more registers or bits than the tables hold
bad_include_with_registers 4097 >"$BAD_WORK/registers.inc"
road8 "$BAD_WORK/registers.inc" "$SHEET8"
old_files 16F1938
CASE_END=stays
bad_run include-4097-registers 16F1938 "$SHEET" "$REGISTERS_FULL"

bad_include_with_bits 65537 >"$BAD_WORK/bits.inc"
road8 "$BAD_WORK/bits.inc" "$SHEET8"
old_files 16F1938
CASE_END=stays
bad_run include-65537-bits 16F1938 "$SHEET" "$BITS_FULL"

bad_kdx_with_registers 4097 >"$BAD_WORK/registers.kdx"
road16 "$BAD_WORK/registers.kdx" "$SHEET16"
old_files 24FJ64GA002
CASE_END=stays
bad_run kdx-4097-registers 24FJ64GA002 "$SHEET" "$REGISTERS_FULL"

bad_kdx_with_registers 4000 >"$BAD_WORK/registers.kdx"
bad_datasheet16_with_bits 4000 >"$BAD_WORK/bits16.txt"
road16 "$BAD_WORK/registers.kdx" "$BAD_WORK/bits16.txt"
old_files 24FJ64GA002
CASE_END=stays
bad_run datasheet16-65537-bits 24FJ64GA002 "$SHEET" "$BITS_FULL"

# ---- bytes 0x80 to 0x9F in names and descriptions
road8 "$BAD_SOURCE/P16F1938-cp1252.inc" "$BAD_SOURCE/16F1938-cp1252.txt"
CASE_WRITES=$OUT8 CASE_CHECK=cp1252_8
bad_run cp1252-8bit 16F1938 "$SHEET" "$SAVED8"

road16 "$BAD_SOURCE/P24FJ64GA002-cp1252.KDX" "$BAD_SOURCE/24FJ64GA002-cp1252.txt"
CASE_WRITES=$OUT16 CASE_CHECK=cp1252_16
bad_run cp1252-16bit 24FJ64GA002 "$SHEET" "${BLANK_BITS16[@]}" "$COPIED16"

# ---- a datasheet that does not exist
road8 "$INC" "$SHEET8"
old_files 16F1938
CASE_END=stays
bad_run datasheet8-missing 16F1938 'C:\data\missing.txt' "$NO_SHEET"

road16 "$KDX" "$SHEET16"
old_files 24FJ64GA002
CASE_END=stays
bad_run datasheet16-missing 24FJ64GA002 'C:\data\missing.txt' "$NO_SHEET"

# ---- a BitName folder that cannot be written: the start-up check says so and the
# command line is not acted on (the window keeps its first caption)
road8 "$INC" "$SHEET8"
bad_old_file "$BAD_BNF/P16F1938.bnf"
CASE_END=stays CASE_TITLE=fBNF
if bad_lock_folder "$BAD_BNF"; then
  bad_run bnf-folder-read-only 16F1938 "$SHEET" "$READ_ONLY_FOLDER"
else
  # Nothing here stops writing into a folder (root without the immutable attribute):
  # a file stands where the folder should be.
  bad_old_file "$BAD_SHEETS/not-a-folder"
  bad_set_bnf_location 'C:\data\not-a-folder'
  bad_run bnf-folder-is-a-file 16F1938 "$SHEET" "$NOT_A_FOLDER"
  bad_set_bnf_location 'C:\bnf'
fi
bad_unlock

# A read-only BitName file: the folder passes the check, the save is refused.
road8 "$INC" "$SHEET8"
old_files 16F1938
chmod a-w "$BAD_BNF/P16F1938.bnf"
CASE_END=stays
bad_run bnf-file-read-only 16F1938 "$SHEET" "$READ_ONLY_FILE"

# ---- device names with path characters: refused before anything is read or asked
refused() {
  road8 "$INC" "$SHEET8"
  bad_old_file "$BAD_BNF/P16F1938.bnf"
  CASE_END=stays
  bad_run "device-name $1" "$1" "$SHEET" "$2"
}
refused '..\..\16F1938' '"..\..\16F1938" is not a device type.\rNo BitName file was written.'
refused 'C:\bnf\16F1938' '"C:\bnf\16F1938" is not a device type.\rNo BitName file was written.'
refused '16F1938/../../x' '"16F1938/../../x" is not a device type.\rNo BitName file was written.'
refused 'P16F1938:x' '"P16F1938:x" is not a device type.\rNo BitName file was written.'

bad_clean
echo "bad input: $BAD_PASSED passed, $BAD_FAILED failed"
[ "$BAD_FAILED" -eq 0 ]
