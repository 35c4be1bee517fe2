#!/usr/bin/env bash
# The command-line run of the 8-bit example ("bnfcreator.exe 16F1938 <datasheet>"):
# P16F1938.bnf in the user's BitName folder byte for byte as examples/expected has it,
# the closing message, the end of the exe, nothing saved at the end.
#   cmdline8_test.sh [EXE]
source "$(dirname "$0")/lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
e2e_start cmdline8
e2e_watchdog 120
e2e_world || fail "example world not prepared"

e2e_launch "$E2E_TOOL" 16F1938 'C:\data sheets\16F1938.txt'
e2e_confirm_boxes 'The BitName file is saved as C:\bnf\P16F1938.bnf\r\rTo become effective you must copy it to the Plugin\CompilerBitnames directory' ||
  fail "no closing message, or another text"
rc=$(e2e_wait_exit 15) || fail "the exe still runs after the closing message"
[ "$rc" = 0 ] || fail "the exe ended with code $rc"

e2e_same_bytes "$E2E_BNF/P16F1938.bnf" "$E2E_ROOT/examples/expected/P16F1938.bnf"
[ "$(ls -A "$E2E_BNF")" = P16F1938.bnf ] || fail "the BitName folder holds: $(ls -A "$E2E_BNF")"
[ -z "$(ls -A "$E2E_IDE_BNF")" ] || fail "the 8-bit road wrote into the IDE's folder: $(ls -A "$E2E_IDE_BNF")"
# Start-up records the folder it was started from; nothing is saved at the end.
e2e_expect_settings 'BNFLocation	REG_SZ	C:\bnf
Location	REG_SZ	C:\tool\' "after the command-line run"
echo "PASS: cmdline8"
