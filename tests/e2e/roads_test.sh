#!/usr/bin/env bash
# Both roads through the command line, as the IDE's plug-in starts the tool (DEVICE
# DATASHEET), one case a row (lib.sh, e2e_case): the BitName file of each example device
# byte for byte as examples/expected has it (the 16-bit road's in the IDE's folder too),
# the closing message, the end with code 0, nothing else written and no setting saved.
#   roads_test.sh [EXE]
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh" "$@"
e2e_start roads 120
e2e_world settings
e2e_cases <<'TABLE'
# name    | setup    | device         | sheet                           | boxes                  | end | expected
8-bit     | settings | 16F1938        | C:\data sheets\16F1938.txt      | SAVED8                 | 0   | examples/expected/P16F1938.bnf
16-bit    | settings | PIC24FJ64GA002 | C:\data sheets\24FJ64GA002.txt  | U1MODE U2MODE COPIED16 | 0   | examples/expected/P24FJ64GA002.bnf
TABLE
