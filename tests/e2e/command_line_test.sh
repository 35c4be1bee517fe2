#!/usr/bin/env bash
# Runs through the command line (DEVICE DATASHEET), as the IDE's plug-in starts the tool,
# one case a row (lib.sh, e2e_case): both roads on the example devices, then bad input.
#   command_line_test.sh [EXE]
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh" "$@"
e2e_start command_line 600
e2e_world settings

E2E_MSG+=(
  [NO_REGS8]='The include file for 16F1938 (C:\mpasm\P16F1938.inc) holds no register list.\rNo BitName file was written.'
  [NO_REGS16]='The device file for 24FJ64GA002 (C:\ide\compiler\Includes\KDX\P24FJ64GA002.KDX) holds no register list.\rNo BitName file was written.'
  [UNDESCRIBED16]='The device file for 24FJ64GA002 (C:\ide\compiler\Includes\KDX\P24FJ64GA002.KDX) gives no register that the datasheet or the name tables describe.\rNo BitName file was written.'
  [UNICODE_SHEET]='The file "C:\data\sheet.txt" is saved as Unicode text. Save it as plain ANSI text and try again.\rNo BitName file was written.'
  [UNICODE_KDX]='The file "C:\ide\compiler\Includes\KDX\P24FJ64GA002.KDX" is saved as Unicode text. Save it as plain ANSI text and try again.\rNo BitName file was written.'
  [NO_SHEET]='Cannot open file "C:\data\missing.txt". The system cannot find the file specified.'
  [NO_FOLDER_FILE]='Cannot create file "C:\data\not-a-folder\_____test.txt". The system cannot find the path specified.'
  [RO_FILE]='Cannot create file "C:\bnf\P16F1938.bnf". Access is denied.'
  [TOP_TEXT]="Invalid data type for 'Top'"
  [NO_FOLDER]='No folder for BitName files is set. Choose one with Settings > Directory for BitName files... first.\rNo BitName file was written.'
  [RUNNING]='Korvan® BitName file creator is already running.\rNo BitName file was written.'
)

# A line of 100,000 characters with colons, brackets and a bit-line start after line $2.
mkdir -p "$E2E_T/gen" || exit 1
long() { LC_ALL=C awk -v at="$2" 'BEGIN { while (length(l) < 100000) l = l "bit 7 LONG: (x) <1:0> word, "
  l = substr(l, 1, 100000) } { print } NR == at { print l "\r" }' "$E2E_ROOT/examples/$1"; }
long kdx/P24FJ64GA002.KDX 3 >"$E2E_T/gen/long.kdx"
long datasheets/24FJ64GA002.txt 10 >"$E2E_T/gen/long16.txt"

S='C:\data\sheet.txt'
S8='C:\data sheets\16F1938.txt'
S16='C:\data sheets\24FJ64GA002.txt'
X8=examples/expected/P16F1938.bnf
X16=examples/expected/P24FJ64GA002.bnf
B=tests/data/bad/expected
e2e_cases <<TABLE
# name                 | setup                                                    | device          | sheet | boxes                    | end  | expected
8-bit                  |                                                          | 16F1938         | $S8   | SAVED8                   | 0    | $X8
16-bit                 |                                                          | PIC24FJ64GA002  | $S16  | U1MODE U2MODE COPIED16   | 0    | $X16
kdx-empty              | old kdx=empty.txt                                        | 24FJ64GA002     | $S16  | NO_REGS16                | 1    | -
include-junk           | old inc=junk.bin                                         | 16F1938         | $S8   | NO_REGS8                 | 1    | -
datasheet8-empty       | sheet=empty.txt                                          | 16F1938         | $S    | SAVED8                   | 0    | $B/P16F1938.no-datasheet.bnf
datasheet16-junk       | sheet=junk.bin                                           | 24FJ64GA002     | $S    | COPIED16                 | 0    | $B/P24FJ64GA002.no-datasheet.bnf
long-lines16           | kdx=long.kdx sheet=long16.txt                            | 24FJ64GA002     | $S    | U1MODE U2MODE COPIED16   | 0    | $X16
include-no-end-marker  | inc=P16F1938-no-end-marker.inc                           | 16F1938         | $S8   | SAVED8                   | 0    | $B/P16F1938.no-end-marker.bnf
kdx-no-regend          | kdx=P24FJ64GA002-no-regend.KDX                           | 24FJ64GA002     | $S16  | U1MODE U2MODE COPIED16   | 0    | $X16
include-cut-in-regs    | inc=P16F1938-cut-in-registers.inc                        | 16F1938         | $S8   | SAVED8                   | 0    | $B/P16F1938.cut-in-registers.bnf
include-cut-in-bits    | inc=P16F1938-cut-in-bits.inc                             | 16F1938         | $S8   | SAVED8                   | 0    | $B/P16F1938.cut-in-bits.bnf
kdx-cut-in-regs        | kdx=P24FJ64GA002-cut-in-registers.KDX                    | 24FJ64GA002     | $S16  | COPIED16                 | 0    | $B/P24FJ64GA002.cut-in-registers.bnf
datasheet8-cut         | sheet=16F1938-cut-in-section.txt                         | 16F1938         | $S    | SAVED8                   | 0    | $B/P16F1938.cut-datasheet.bnf
datasheet16-cut        | sheet=24FJ64GA002-cut-in-section.txt                     | 24FJ64GA002     | $S    | COPIED16                 | 0    | $B/P24FJ64GA002.cut-datasheet.bnf
cp1252-8bit            | inc=P16F1938-cp1252.inc sheet=16F1938-cp1252.txt         | 16F1938         | $S    | SAVED8                   | 0    | $B/P16F1938.cp1252.bnf
cp1252-16bit           | kdx=P24FJ64GA002-cp1252.KDX sheet=24FJ64GA002-cp1252.txt | 24FJ64GA002     | $S    | U1MODE U2MODE COPIED16   | 0    | $B/P24FJ64GA002.cp1252.bnf
datasheet8-missing     | old                                                      | 16F1938         | C:\data\missing.txt | NO_SHEET | stay | -
bnf-folder-a-file      | nofolder                                                 | 16F1938         | $S8   | NO_FOLDER_FILE           | fBNF | -
bnf-file-read-only     | old rofile                                               | 16F1938         | $S8   | RO_FILE                  | stay | -
device-name-path       |                                                          | 16F1938/../../x | $S8   | REFUSED                  | stay | -
kdx-undescribed        | old kdx=P24FJ64GA002-undescribed.KDX                     | 24FJ64GA002     | $S16  | UNDESCRIBED16            | 1    | -
datasheet8-unicode     | old sheet=16F1938-utf16le.txt                            | 16F1938         | $S    | UNICODE_SHEET            | stay | -
kdx-unicode            | old kdx=P24FJ64GA002-utf16be.KDX                         | 24FJ64GA002     | $S16  | UNICODE_KDX              | stay | -
datasheet8-utf8-mark   | sheet=16F1938-utf8bom.txt                                | 16F1938         | $S    | SAVED8                   | 0    | $X8
start-up-error         | set:Top=text settings                                    | 16F1938         | $S8   | TOP_TEXT                 | fBNF | -
start-up-error-window  | set:Top=text settings                                    | -               | -     | TOP_TEXT click NO_FOLDER | fBNF | -
second-copy            | running                                                  | 16F1938         | $S8   | RUNNING                  | 1    | -
second-copy-plain      | running                                                  | -               | -     |                          | 0    | -
TABLE
