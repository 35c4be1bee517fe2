#!/usr/bin/env bash
# The command-line run of the 16-bit example, named as the IDE names it
# ("PIC24FJ64GA002"): the file in the IDE's and the user's BitName folders byte for byte
# as examples/expected has it, the messages up to the closing one naming both folders,
# the end of the exe, nothing saved at the end.   cmdline16_test.sh [EXE]
source "$(dirname "$0")/lib.sh" "$@"

[ -f "$E2E_EXE" ] || fail "no exe at $E2E_EXE"
e2e_start cmdline16
e2e_watchdog 120
e2e_world || fail "example world not prepared"

e2e_launch "$E2E_TOOL" PIC24FJ64GA002 'C:\data sheets\24FJ64GA002.txt'
# Two bits of a generic register have no description: each is named in a message
# before the closing one.
e2e_confirm_boxes 'U1MODE: 4' 'U2MODE: 4' \
  'The BitName file is copied to the ZMV location C:\ide\plugin\CompilerBitnames\\r\rA copy of the BitName file is saved as C:\bnf\P24FJ64GA002.bnf' ||
  fail "the messages of the run differ"
rc=$(e2e_wait_exit 15) || fail "the exe still runs after the closing message"
[ "$rc" = 0 ] || fail "the exe ended with code $rc"

expected=$E2E_ROOT/examples/expected/P24FJ64GA002.bnf
e2e_same_bytes "$E2E_BNF/P24FJ64GA002.bnf" "$expected"
e2e_same_bytes "$E2E_IDE_BNF/P24FJ64GA002.bnf" "$expected"
[ "$(ls -A "$E2E_BNF")" = P24FJ64GA002.bnf ] || fail "the BitName folder holds: $(ls -A "$E2E_BNF")"
e2e_expect_settings 'BNFLocation	REG_SZ	C:\bnf
Location	REG_SZ	C:\tool\' "after the command-line run"
echo "PASS: cmdline16"
