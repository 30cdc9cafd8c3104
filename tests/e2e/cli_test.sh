#!/usr/bin/env bash
# One scenario of korvane-cli: cli_test.sh SCENARIO PATH-TO-KORVANE-CLI TEST-DATA-FOLDER
set -u
scenario=$1
cli=$2
data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clock=2026-12-06T18:33:07
lang=$data/Test.dat
unitsim=$(dirname "$cli")/korvane-unitsim
manuals=$data/../../packaging
failures=0
# The language of the environment decides what korvane-cli speaks: these scenarios expect English
# unless they set one themselves.
unset LC_ALL LC_MESSAGES LANGUAGE
export LANG=C.UTF-8

fail() {
    echo "FAIL [$scenario]: $*" >&2
    failures=$((failures + 1))
}

# expect_exit CODE COMMAND...: runs the command, keeps stdout/stderr in $work/out and $work/err.
expect_exit() {
    local want=$1
    shift
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "exit $got, expected $want: $* (stderr: $(head -c 300 "$work/err"))"
}

# same_output FILE WANT: the same output; PDF files (which carry the time they were made) by their text.
same_output() {
    if [ "$(head -c 4 "$2")" = %PDF ]; then
        cmp -s <(pdftotext "$1" - 2>&1) <(pdftotext "$2" - 2>&1)
    else
        cmp -s "$1" "$2"
    fi
}

# The commands korvane-cli --help lists, one a line.
commands() {
    "$cli" --help | sed -n 's/^  \([a-z-]*\)  .*/\1/p'
}

# exit_status PROGRAM: the EXIT STATUS of the program's manual page, "CODE TEXT" a line.
exit_status() {
    sed 's/\\-/-/g' "$manuals/$1.1" |
        awk '/^\.SH/ {on = /EXIT STATUS/} on && /^\.TP/ {getline; code = $2; getline; print code, $0}'
}

expect_stderr_line() {
    local pattern=$1
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "stderr should be one line: $(cat "$work/err")"
    grep -q -- "$pattern" "$work/err" || fail "stderr lacks '$pattern': $(cat "$work/err")"
}

case $scenario in
usage)
    # Every program: --help and --version on standard output with exit 0; a wrong use on standard error
    # with the exit code its manual gives for wrong use.
    for prog in korvane-cli korvane-unitsim korvane; do
        bin=$(dirname "$cli")/$prog
        [ -x "$bin" ] || { echo "usage: $prog is not built here, not tried" >&2; continue; }
        wrong_use=$(exit_status "$prog" | sed -n 's/^\([0-9]\) .*wrong use.*/\1/p')
        [ -n "$wrong_use" ] || fail "the manual of $prog gives no exit code for wrong use"
        for args in --help --version --no-such-option; do
            want=0
            [ "$args" = --no-such-option ] && want=${wrong_use:-2}
            expect_exit "$want" "$bin" $args
            if [ "$want" -eq 0 ]; then
                [ -s "$work/out" ] && [ ! -s "$work/err" ] || fail "$prog $args is not on standard output alone"
            else
                [ ! -s "$work/out" ] && grep -q -- --no-such-option "$work/err" || fail "$prog $args: not on standard error"
            fi
            [ "$args" = --version ] && { grep -qx "$prog [0-9.]*" "$work/out" || fail "$prog --version: $(cat "$work/out")"; }
        done
    done
    expect_exit 2 "$cli"
    [ -s "$work/out" ] && fail "usage without a command went to standard output"
    expect_exit 2 "$cli" frobnicate
    expect_stderr_line "unknown command frobnicate"
    # Each command of --help answers its own --help (also behind other arguments).
    for c in $(commands); do
        expect_exit 0 "$cli" $c --help
        grep -q "^usage: korvane-cli $c " "$work/out" || fail "$c --help: $(head -1 "$work/out")"
        expect_exit 0 "$cli" $c "$data/Good.zeb" --bogus -h
        grep -q "^usage: korvane-cli $c " "$work/out" || fail "$c ... -h"
    done
    [ "$(commands | wc -l)" -ge 9 ] || fail "--help lists $(commands | wc -l) commands"
    expect_exit 2 "$cli" check
    expect_stderr_line "missing file name"
    expect_exit 2 "$cli" check a b
    expect_stderr_line "unexpected argument b"
    expect_exit 2 "$cli" convert "$data/Good.zeb"
    expect_exit 2 "$cli" export-hex "$data/Good.zeb" --bogus 1
    expect_stderr_line "unknown option --bogus"
    expect_exit 2 "$cli" export-hex "$data/Good.zeb" -o
    expect_stderr_line "option -o needs a value"
    # "--" ends the options: a file whose name starts with a dash.
    cp "$data/Good.zeb" "$work/-odd.zeb"
    expect_exit 9 "$cli" check -- "$work/-odd.zeb"
    expect_exit 0 "$cli" export-hex --clock=$clock --language="$lang" "$data/Good.zeb" -o "$work/eq.hex"
    expect_exit 0 "$cli" export-hex --clock $clock --language "$lang" "$data/Good.zeb"
    cmp -s "$work/out" "$work/eq.hex" || fail "--option=value is not --option value"
    ;;
manual)
    # The manual page and --help list the same commands, and the manual gives each command's options.
    page=$(sed -n '/^\.SH COMMANDS/,/^\.SH /p' "$manuals/korvane-cli.1" | sed 's/\\-/-/g')
    in_manual=$(grep '^\.BI ' <<<"$page" | awk '{print $2}' | sort)
    [ "$in_manual" = "$(commands | sort)" ] || fail "the manual's commands: $(echo $in_manual); --help: $(echo $(commands | sort))"
    for c in $(commands); do
        entry=$(awk -v c="$c" '/^\.TP/ {on = 0} $1 == ".BI" && $2 == c {on = 1} on' <<<"$page")
        # Read from a process substitution, not a pipe: fail must count in this shell.
        while read -r option; do
            grep -qE -- "(^| )$option( |\"|\$)" <<<"$entry" || fail "the manual's $c lacks $option"
        done < <("$cli" $c --help | sed -n '/^usage:/,/^[^ u]/p' | grep -oE -- '(^| |\[)--?[a-z-]+' | tr -d ' [' | sort -u)
    done
    ;;
exit_codes)
    # Each command's exit codes, one row each: CODE COMMAND ARGUMENTS. Every command of --help has its
    # rows, and the codes are those of the manual's EXIT STATUS, no more and no fewer.
    example=$data/../../resources/Data/Example.zeb
    "$unitsim" --print-read-answer --config "$data/Good.zeb" >"$work/answer.hex"
    # What the simulated unit inside korvane-cli holds when nothing was written to it.
    "$unitsim" --print-read-answer >"$work/blank.hex"
    "$cli" import-hex "$work/blank.hex" -o "$work/blank.zeb" || fail "the blank unit as a file"
    rows=(
        "0 check $data/TwelveInUse.zeb" "9 check $data/Good.zeb" "1 check $data/BrokenTruncated.zeb" "2 check"
        "0 dump $data/Good.zeb" "1 dump $work/none.zeb" "2 dump $data/Good.zeb $data/GoodLf.zeb"
        "0 convert $data/Good.zeb -o $work/c.zeb" "1 convert $work/none.zeb -o $work/c.zeb" "2 convert $data/Good.zeb"
        "0 export-hex $data/Good.zeb --language $lang" "1 export-hex $data/Good.zeb --language $work/none.dat"
        "2 export-hex $data/Good.zeb --clock tomorrow"
        "0 import-hex $work/answer.hex -o $work/i.zeb" "1 import-hex $data/Good.zeb -o $work/i.zeb"
        "2 import-hex $work/answer.hex"
        "0 diff $data/Good.zeb $data/GoodLf.zeb" "1 diff $data/Good.zeb $data/GoodChanged.zeb"
        "2 diff $data/Good.zeb $data/GoodLf.zeb --language klingon"
        "0 compare $work/blank.zeb --port sim" "1 compare $data/Good.zeb --port sim"
        "2 compare $work/none.zeb --port sim" "3 compare $data/Good.zeb --port $work/no-port"
        "4 compare $data/Good.zeb --port sim:silence"
        "2 diff $data/Good.zeb $work/none.zeb" "2 diff $data/Good.zeb"
        "0 read --port sim -o $work/r.zeb" "1 read --port sim -o $work/no/folder/r.zeb" "2 read --port sim"
        "3 read --port $work/no-port -o $work/r.zeb" "4 read --port sim:bad-checksum -o $work/r.zeb"
        "7 read --port sim:firmware-0301 -o $work/r.zeb"
        "0 write --port sim $data/Good.zeb" "1 write --port sim $work/none.zeb" "2 write $data/Good.zeb"
        "3 write --port $work/no-port $data/Good.zeb" "4 write --port sim:garbage-verdict $data/Good.zeb"
        "5 write --port sim:verdict-1 $data/Good.zeb" "6 write --port sim:firmware-02ff $data/Good.zeb --verify"
        "0 export-csv $data/Good.zeb -o $work/e.csv" "1 export-csv $work/none.zeb" "2 export-csv $data/Good.zeb --separator x"
        "0 import-csv $work/blank.zeb $work/e.csv -o $work/ic.zeb" "1 import-csv $data/Good.zeb $work/none.csv -o $work/ic.zeb"
        "2 import-csv $data/Good.zeb $work/e.csv"
        "0 move $example A3 B5 -o $work/m.zeb" "1 move $data/Good.zeb A3 A3 -o $work/m.zeb"
        "2 move $data/Good.zeb A3 Q9 -o $work/m.zeb" "0 swap $data/Good.zeb A3 A4 -o $work/m.zeb"
        "1 swap $work/none.zeb A3 A4 -o $work/m.zeb" "2 swap $data/Good.zeb A3 A4"
        "0 print $data/Good.zeb --report channels -o $work/p.pdf" "1 print $work/none.zeb --report channels -o $work/p.pdf"
        "2 print $data/Good.zeb --report everything -o $work/p.pdf" "8 print $example --report sms -o $work/p.pdf"
    )
    for row in "${rows[@]}"; do
        read -r code args <<<"$row"
        expect_exit "$code" "$cli" $args
    done
    for c in $(commands); do
        printf '%s\n' "${rows[@]}" | grep -q "^[0-9] $c " || fail "no exit code of $c is tried"
    done
    tried=$(printf '%s\n' "${rows[@]}" | cut -d' ' -f1 | sort -u)
    [ "$tried" = "$(exit_status korvane-cli | cut -d' ' -f1 | sort -u)" ] ||
        fail "exit codes tried: $(echo $tried); the manual's: $(echo $(exit_status korvane-cli | cut -d' ' -f1))"
    ;;
check_good)
    # Each loads completely (nothing on stderr); those with problems list them and exit 9.
    for row in "9 Good.zeb" "9 GoodLf.zeb" "9 SignatureM52.x07" "9 SignatureKorvane.zeb" "9 MultiLineDescriptions.zeb" \
        "9 ../../resources/Data/Example.zeb" "0 TwelveInUse.zeb"; do
        read -r code f <<<"$row"
        expect_exit "$code" "$cli" check "$data/$f"
        [ -s "$work/err" ] && fail "check $f printed: $(cat "$work/err")"
        [ "$code" -eq 0 ] && [ -s "$work/out" ] && fail "check $f lists problems: $(cat "$work/out")"
    done
    ;;
check_problems)
    # Good.zeb's problems, one line each in the words of the problems list; in German with --language.
    expect_exit 9 "$cli" check "$data/Good.zeb"
    diff "$data/golden/check-Good.txt" "$work/out" >&2 || fail "check Good.zeb lists other problems"
    grep -qx "C6 Intruder: siren: Description: 40 characters, the unit keeps 31" "$work/out" || fail "the cut description"
    expect_exit 9 "$cli" check "$data/Good.zeb" --language "$data/../../resources/Language/Deutsch.dat"
    grep -qx "C6 Einbruch: Sirene: Beschreibung: 40 Zeichen, die Zentrale behält 31" "$work/out" ||
        fail "check --language: $(head -1 "$work/out")"
    # --json: a list of as many objects as lines, each with its rule, severity and line.
    expect_exit 9 "$cli" check "$data/Good.zeb" --json
    [ "$(grep -c '"rule": ' "$work/out")" -eq "$(wc -l <"$data/golden/check-Good.txt")" ] || fail "--json: $(head -3 "$work/out")"
    grep -q '^\[$' "$work/out" && tail -1 "$work/out" | grep -qx ']' || fail "--json is no list"
    grep -qF '{"rule": "text-cut", "severity": "cut", "place": "C6 Intruder: siren", "field": "Description", "words": "40 characters, the unit keeps 31", "line": "C6 Intruder: siren: Description: 40 characters, the unit keeps 31"}' "$work/out" ||
        fail "--json object: $(sed -n 2p "$work/out")"
    expect_exit 0 "$cli" check "$data/TwelveInUse.zeb" --json
    [ "$(cat "$work/out")" = "[]" ] || fail "--json without problems: $(cat "$work/out")"
    ;;
check_bad)
    expect_exit 1 "$cli" check "$data/BrokenNumberAbove255.zeb"
    expect_stderr_line "BrokenNumberAbove255.zeb:40: field 7: the number 256 is above 255"
    expect_exit 1 "$cli" check "$data/BrokenTruncated.zeb"
    expect_stderr_line "BrokenTruncated.zeb:101: the file ends early"
    expect_exit 1 "$cli" check "$data/WrongSignature.zeb"
    expect_stderr_line "WrongSignature.zeb:1: not a configuration file"
    expect_exit 1 "$cli" check "$data/BrokenEmpty.zeb"
    expect_stderr_line "the file is empty"
    ;;
check_missing)
    expect_exit 1 "$cli" check "$work/none.zeb"
    expect_stderr_line "none.zeb: cannot open the file"
    ;;
convert_roundtrip)
    for f in Good.zeb GoodLf.zeb SignatureM52.x07; do
        expect_exit 0 "$cli" convert "$data/$f" -o "$work/out.zeb"
        cmp -s "$work/out.zeb" "$data/Good.zeb" || fail "convert $f is not byte-identical to Good.zeb"
    done
    expect_exit 0 "$cli" convert "$data/MultiLineDescriptions.zeb" -o "$work/out.zeb"
    cmp -s "$work/out.zeb" "$data/MultiLineDescriptions.zeb" || fail "convert changed a file with multi-line descriptions"
    ;;
convert_unwritable)
    cp "$data/Good.zeb" "$work/old.zeb"
    expect_exit 1 "$cli" convert "$data/BrokenTruncated.zeb" -o "$work/old.zeb"
    cmp -s "$work/old.zeb" "$data/Good.zeb" || fail "a failed load touched the output"
    expect_exit 1 "$cli" convert "$data/Good.zeb" -o "$work/no/such/folder/x.zeb"
    expect_stderr_line "x.zeb"
    ;;
dump)
    expect_exit 0 "$cli" dump "$data/Good.zeb"
    for key in ChanSetup MasterMatrix LogicBlocks SysData ChanFlags SavedChanType ChanText DescText SmsText SmsIdText; do
        grep -q "\"$key\":" "$work/out" || fail "dump lacks $key"
    done
    grep -q '"Villa Nordlys, Strandvejen 12 æøå"' "$work/out" || fail "dump texts are not UTF-8"
    grep -q '"SmsIdText": "Sommerhus SkagenNord"' "$work/out" || fail "dump SmsIdText"
    [ "$(grep -c '^    \[' "$work/out")" -eq $((129 + 128 + 128)) ] || fail "dump row count"
    if command -v python3 >/dev/null; then
        python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); assert len(d["ChanSetup"])==129 and all(len(r)==32 for r in d["ChanSetup"]); assert len(d["SysData"])==257' "$work/out" ||
            fail "dump is not the JSON expected"
    fi
    ;;
export_hex_srec_cat)
    expect_exit 0 "$cli" export-hex "$data/Good.zeb" --clock $clock --language "$lang" -o "$work/out.hex"
    [ "$(tail -c 11 "$work/out.hex")" = ":00000001FF" ] || fail "the end record is not last or has a line end"
    srec_cat "$work/out.hex" -Intel -o "$work/out.bin" -Binary 2>"$work/srec" || fail "srec_cat: $(cat "$work/srec")"
    # The unit label record read back by srec_cat: bytes 0x3AE0.. of the binary image.
    label=$(dd if="$work/out.bin" bs=1 skip=$((0x3AE0)) count=31 2>/dev/null)
    [ "$label" = "KorvaneMaster Zone   V3.07DK   " ] || fail "unit label '$label'"
    # A damaged checksum must be caught by srec_cat too, so the check above means something.
    sed '2s/\(..\)\r$/00\r/' "$work/out.hex" >"$work/bad.hex"
    srec_cat "$work/bad.hex" -Intel -o /dev/null -Binary 2>/dev/null && fail "srec_cat accepted a damaged record"
    # Standard output carries the same bytes.
    expect_exit 0 "$cli" export-hex "$data/Good.zeb" --clock $clock --language "$lang"
    cmp -s "$work/out" "$work/out.hex" || fail "stdout differs from -o"
    ;;
export_hex_clock)
    expect_exit 0 "$cli" export-hex "$data/Good.zeb" --clock 2027-03-01T07:05:09 --language "$lang" -o "$work/out.hex"
    # SysData bytes 3..10: hour, minute, day, weekday (Monday = 1), month, century, year, second.
    line=$(grep '^:203A0000' "$work/out.hex")
    [ "${line:15:16}" = "0705010103202709" ] || fail "clock bytes ${line:15:16}"
    ;;
export_hex_bad_clock)
    expect_exit 2 "$cli" export-hex "$data/Good.zeb" --clock 2026-02-30T10:00:00 --language "$lang"
    expect_stderr_line "YYYY-MM-DDTHH:MM:SS"
    expect_exit 1 "$cli" export-hex "$data/Good.zeb" --language "$work/none.dat"
    expect_stderr_line "none.dat"
    ;;
import_hex)
    # The answer of a unit that was written with Good.zeb: the whole image, then the end record.
    expect_exit 0 "$unitsim" --print-read-answer --config "$data/Good.zeb"
    mv "$work/out" "$work/answer.hex"
    expect_exit 0 "$cli" import-hex "$work/answer.hex" -o "$work/read.zeb"
    # It loads completely; check lists the problems Good.zeb has of its own (exit 9, not 1).
    expect_exit 9 "$cli" check "$work/read.zeb"
    # In the user's words only what the unit could not hold differs: a text longer than its slot. The
    # unit's own firmware version, its clock and what the write derived are no differences.
    expect_exit 1 "$cli" diff "$data/Good.zeb" "$work/read.zeb"
    printf '%s\n' "C6 Intruder: siren: Description 'A text of forty characters, exactly 40!!' → 'A text of forty characters, exa'" >"$work/want"
    diff "$work/want" "$work/out" >/dev/null || fail "diff of the read-back: $(cat "$work/out")"
    expect_exit 1 "$cli" diff --bytes "$data/Good.zeb" "$work/read.zeb"
    grep -q '^system: firmware version, high byte (byte 0): 180 -> 3$' "$work/out" ||
        fail "diff --bytes misses the unit's own version: $(head -5 "$work/out")"
    grep -q '^C4: text' "$work/out" && fail "the text of C4 changed on the way"
    # The records a write sends are no whole image: a read of them alone is incomplete.
    expect_exit 0 "$cli" export-hex "$data/Good.zeb" --clock $clock --language "$lang" -o "$work/sent.hex"
    expect_exit 1 "$cli" import-hex "$work/sent.hex" -o "$work/read.zeb"
    expect_stderr_line "the answer holds .* of the image's 15360 bytes"
    ;;
import_hex_damaged)
    expect_exit 0 "$unitsim" --print-read-answer --config "$data/Good.zeb"
    mv "$work/out" "$work/answer.hex"
    sed '2s/\(..\)\r$/00\r/' "$work/answer.hex" >"$work/bad.hex"
    cp "$data/Good.zeb" "$work/keep.zeb"
    expect_exit 1 "$cli" import-hex "$work/bad.hex" -o "$work/keep.zeb"
    expect_stderr_line "checksum"
    cmp -s "$work/keep.zeb" "$data/Good.zeb" || fail "a failed import touched the output"
    head -c 3000 "$work/answer.hex" >"$work/short.hex"
    expect_exit 1 "$cli" import-hex "$work/short.hex" -o "$work/keep.zeb"
    expect_stderr_line "ended before the end record"
    # Only the end record, the first record lost, and one character of a record changed to one that
    # is no hex digit: none of them is a read.
    printf ':00000001FF' >"$work/end.hex"
    expect_exit 1 "$cli" import-hex "$work/end.hex" -o "$work/keep.zeb"
    expect_stderr_line "holds 0 of the image's 15360 bytes"
    sed '1d' "$work/answer.hex" >"$work/first.hex"
    expect_exit 1 "$cli" import-hex "$work/first.hex" -o "$work/keep.zeb"
    expect_stderr_line "the first one missing at 0x0000"
    sed '5s/^\(.\{20\}\)./\1x/' "$work/answer.hex" >"$work/nothex.hex"
    expect_exit 1 "$cli" import-hex "$work/nothex.hex" -o "$work/keep.zeb"
    expect_stderr_line "no hex digit"
    cmp -s "$work/keep.zeb" "$data/Good.zeb" || fail "a failed import touched the output"
    ;;
diff)
    expect_exit 2 "$cli" diff "$data/Good.zeb" "$work/missing.zeb" # never taken for a difference
    expect_exit 0 "$cli" diff "$data/Good.zeb" "$data/GoodLf.zeb"
    [ -s "$work/out" ] && fail "equal files printed differences"
    expect_exit 1 "$cli" diff "$data/Good.zeb" "$data/GoodChanged.zeb"
    cat >"$work/want" <<'WANT'
C4: Function of this channel Timer: delay with single pulse → Flip-flop
C4 Flip-flop: Part of the intruder alarm → 81
C4: Description 'Kanal 19' → 'Hall'
Basic setup: Device number 204 → 04
WANT
    diff "$work/want" "$work/out" >/dev/null || fail "diff output: $(cat "$work/out")"
    expect_exit 1 "$cli" diff "$data/Good.zeb" "$data/GoodChanged.zeb" --language "$data/../../resources/Language/Deutsch.dat"
    grep -qx 'Grundeinstellungen: Gerätenummer 204 → 04' "$work/out" || fail "German diff output: $(cat "$work/out")"
    # --bytes: every byte of the file, as it always was.
    expect_exit 1 "$cli" diff --bytes "$data/Good.zeb" "$data/GoodChanged.zeb"
    cat >"$work/want" <<'WANT'
C4: type: 5 -> 2
C4: text: "Kanal 19" -> "Hall"
system: device number (byte 51): 204 -> 4
WANT
    diff "$work/want" "$work/out" >/dev/null || fail "diff --bytes output: $(cat "$work/out")"
    expect_exit 2 "$cli" diff "$data/Good.zeb" "$work/none.zeb"
    # A moved channel: the differences in words are the channel and the references to it, nothing else.
    example=$data/../../resources/Data/Example.zeb
    expect_exit 0 "$cli" move "$example" a3 B5 -o "$work/moved.zeb"
    [ "$(cat "$work/out")" = "Move A3 → B5: 1 reference changed" ] || fail "move output: $(cat "$work/out")"
    expect_exit 1 "$cli" diff "$example" "$work/moved.zeb"
    cat >"$work/want" <<'WANT'
A3: Function of this channel Mono → Not used
A3: Description 'Stue lys' → ''
A8 Master function: A3 Off → Not affected
A8 Master function: B5 Not affected → Off
B5: Function of this channel Not used → Mono
B5 Mono: Inverted → no
B5: Description '' → 'Stue lys'
WANT
    diff "$work/want" "$work/out" >/dev/null || fail "diff after move: $(cat "$work/out")"
    expect_exit 0 "$cli" move "$work/moved.zeb" B5 A3 -o "$work/back.zeb"
    expect_exit 0 "$cli" convert "$example" -o "$work/saved.zeb"
    cmp -s "$work/saved.zeb" "$work/back.zeb" || fail "moving back does not give the saved file back"
    expect_exit 1 "$cli" move "$example" A3 A8 -o "$work/refused.zeb"
    expect_stderr_line "Move A3 → A8: A8 is in use (Master function)"
    [ -e "$work/refused.zeb" ] && fail "a refused move wrote its output"
    # Controls in a description are shown as escapes, never sent to the terminal: DEL and the five
    # codes Windows-1252 leaves unassigned (C1 controls once converted) as the C0 controls are.
    sed 's/"Kanal 19"/"H\x01\x7f\x81\x8d\x8f\x90\x9d"/' "$data/Good.zeb" >"$work/controls.zeb"
    expect_exit 1 "$cli" diff "$data/Good.zeb" "$work/controls.zeb"
    grep -qF ": Description 'Kanal 19' → 'H\x01\x7F\x81\x8D\x8F\x90\x9D'" "$work/out" ||
        fail "diff of controls: $(cat -v "$work/out")"
    expect_exit 1 "$cli" diff --bytes "$data/Good.zeb" "$work/controls.zeb"
    grep -qxF 'C4: text: "Kanal 19" -> "H\u0001\u007f\u0081\u008d\u008f\u0090\u009d"' "$work/out" ||
        fail "diff --bytes of controls: $(cat -v "$work/out")"
    ;;
print_pdf)
    # Every report of Good.zeb into one PDF, then one report; the texts come out of the PDF again.
    expect_exit 0 "$cli" print "$data/Good.zeb" --report all --all --clock $clock -o "$work/all.pdf"
    [ -s "$work/err" ] && fail "print wrote to stderr: $(cat "$work/err")"
    pages=$(pdfinfo "$work/all.pdf" | sed -n 's/^Pages: *//p')
    [ "$pages" = 15 ] || fail "all reports: $pages pages, expected 15"
    # By default only what is in use: fewer pages.
    expect_exit 0 "$cli" print "$data/Good.zeb" --report all --clock $clock -o "$work/inuse.pdf"
    pages=$(pdfinfo "$work/inuse.pdf" | sed -n 's/^Pages: *//p')
    [ "$pages" = 12 ] || fail "all reports in use: $pages pages, expected 12"
    pdfinfo "$work/all.pdf" | grep -q 'Page size: *595 x 842 pts (A4)' || fail "the page is not A4"
    pdftotext -layout "$work/all.pdf" "$work/all.txt"
    for t in "ZEB1 Channel list" "ZEB1 Master functions" "ZEB1 Real-time clocks" "ZEB1 Logic blocks" "ZEB1 SMS setup" \
        "File: Good.zeb" "Sunday 6 December 2026 18:33" "Device number 204 · 128 channels" "Kanal 22" "^P8 Not used$" \
        "Trigger time 1 Trigger time 2 Mo Tu We Th Fr Sa Su Ho"; do
        grep -q "$t" <(tr -s ' ' <"$work/all.txt") || fail "the PDF lacks '$t'"
    done
    # Each report numbers its own pages: five "Page: 1".
    [ "$(grep -c 'Page: 1$' "$work/all.txt")" = 5 ] || fail "page numbers do not restart per report"
    expect_exit 0 "$cli" print logic "$data/Good.zeb" -o "$work/logic.pdf" --page-size Letter \
        --language "$data/../../resources/Language/Deutsch.dat" --clock $clock
    pdfinfo "$work/logic.pdf" | grep -q 'Page size: *612 x 792 pts (letter)' || fail "the page is not Letter"
    pdftotext "$work/logic.pdf" - | grep -q "Sonntag" || fail "the German report lacks the German weekday"
    # Channels in use only (the default; --in-use says it too): twelve channels in use make one page of
    # channels, two logic blocks one page; --all lists every channel.
    for r in channels logic; do
        for use in "" --in-use; do
            expect_exit 0 "$cli" print "$data/TwelveInUse.zeb" --report $r $use -o "$work/$r.pdf" --clock $clock
            pages=$(pdfinfo "$work/$r.pdf" | sed -n 's/^Pages: *//p')
            [ "$pages" = 1 ] || fail "$r in use: $pages pages, expected 1"
        done
    done
    expect_exit 2 "$cli" print "$data/TwelveInUse.zeb" --report channels --all --in-use -o "$work/full.pdf"
    expect_exit 0 "$cli" print "$data/TwelveInUse.zeb" --report channels --all -o "$work/full.pdf" --clock $clock
    pages=$(pdfinfo "$work/full.pdf" | sed -n 's/^Pages: *//p')
    [ "$pages" -gt 1 ] || fail "the full channel list left channels out"
    ;;
print_nothing)
    # The example has no logic block and no SMS settings: exit 8, text 270, no file (also the positional form).
    for r in logic sms; do
        expect_exit 8 "$cli" print "$data/../../resources/Data/Example.zeb" --report $r -o "$work/none.pdf"
        expect_stderr_line "There is nothing to print."
    done
    expect_exit 8 "$cli" print sms "$data/../../resources/Data/Example.zeb" -o "$work/none.pdf"
    [ -e "$work/none.pdf" ] && fail "nothing to print wrote a file"
    ;;
print_unwritable)
    cp "$data/Good.zeb" "$work/old.pdf"
    mkdir "$work/ro"
    cp "$data/Good.zeb" "$work/ro/old.pdf"
    expect_exit 1 "$cli" print "$data/Good.zeb" --report channels -o "$work/old.pdf/x.pdf"
    expect_stderr_line "x.pdf"
    if [ "$(id -u)" -ne 0 ]; then
        chmod 555 "$work/ro"
        expect_exit 1 "$cli" print "$data/Good.zeb" --report channels -o "$work/ro/old.pdf"
        chmod 755 "$work/ro"
        cmp -s "$work/ro/old.pdf" "$data/Good.zeb" || fail "a failed print touched the earlier file"
    fi
    expect_exit 1 "$cli" print "$data/BrokenTruncated.zeb" --report channels -o "$work/old.pdf"
    cmp -s "$work/old.pdf" "$data/Good.zeb" || fail "a file that cannot be read replaced the earlier PDF"
    expect_exit 2 "$cli" print "$data/Good.zeb" --report everything -o "$work/x.pdf"
    expect_stderr_line "unknown report everything"
    expect_exit 2 "$cli" print "$data/Good.zeb" -o "$work/x.pdf"
    expect_exit 2 "$cli" print "$data/Good.zeb" --report all
    expect_exit 2 "$cli" print "$data/Good.zeb" --report all -o "$work/x.pdf" --page-size A3
    ;;
multiline_descriptions)
    multi=$data/MultiLineDescriptions.zeb
    expect_exit 0 "$cli" dump "$multi"
    grep -qF '"Villa Nordlys, Strandvejen 12\r\n9990 Skagen æøå"' "$work/out" || fail "dump does not escape the line break"
    grep -qF '"Logik gruppe 3:\r\nA1 og A2 tænder B1\r\n\r\nom natten: C1, C2\r\nslut"' "$work/out" ||
        fail "dump of the logic description"
    # The same file with LF line ends everywhere, inside the descriptions too: only the breaks differ.
    sed 's/\r$//' "$multi" >"$work/lf.zeb"
    expect_exit 1 "$cli" diff "$multi" "$work/lf.zeb"
    cat >"$work/want" <<'WANT'
Basic setup: System description 'Villa Nordlys, Strandvejen 12\r\n9990 Skagen æøå' → 'Villa Nordlys, Strandvejen 12\n9990 Skagen æøå'
Logic blocks 25 - 32: Notes 'Logik gruppe 3:\r\nA1 og A2 tænder B1\r\n\r\nom natten: C1, C2\r\nslut' → 'Logik gruppe 3:\nA1 og A2 tænder B1\n\nom natten: C1, C2\nslut'
WANT
    diff "$work/want" "$work/out" >/dev/null || fail "diff output: $(cat "$work/out")"
    expect_exit 1 "$cli" diff --bytes "$multi" "$work/lf.zeb"
    cat >"$work/want" <<'WANT'
general description: text: "Villa Nordlys, Strandvejen 12\r\n9990 Skagen æøå" -> "Villa Nordlys, Strandvejen 12\n9990 Skagen æøå"
logic description 3: text: "Logik gruppe 3:\r\nA1 og A2 tænder B1\r\n\r\nom natten: C1, C2\r\nslut" -> "Logik gruppe 3:\nA1 og A2 tænder B1\n\nom natten: C1, C2\nslut"
WANT
    diff "$work/want" "$work/out" >/dev/null || fail "diff --bytes output: $(cat "$work/out")"
    # Through the unit's records and back: the breaks arrive as they were sent.
    expect_exit 0 "$cli" export-hex "$multi" --clock $clock --language "$lang" -o "$work/sent.hex"
    grep -q '^:20380000.*0D0A' "$work/sent.hex" || fail "the description record does not carry CR LF"
    expect_exit 0 "$unitsim" --print-read-answer --config "$multi"
    mv "$work/out" "$work/answer.hex"
    expect_exit 0 "$cli" import-hex "$work/answer.hex" -o "$work/read.zeb"
    # Only the text longer than its slot differs in the user's words.
    expect_exit 1 "$cli" diff "$multi" "$work/read.zeb"
    [ "$(wc -l <"$work/out")" -eq 1 ] && grep -q "^C6 Intruder: siren: Description" "$work/out" ||
        fail "the configuration changed on the way: $(cat "$work/out")"
    expect_exit 1 "$cli" diff --bytes "$multi" "$work/read.zeb"
    grep -q 'description' "$work/out" && fail "a description changed on the way: $(grep description "$work/out")"
    ;;
outside_files)
    # A FIFO as the output is written in place, not replaced by a regular file.
    mkfifo "$work/pipe"
    cat "$work/pipe" >"$work/from-pipe" &
    expect_exit 0 "$cli" convert "$data/Good.zeb" -o "$work/pipe"
    wait
    [ -p "$work/pipe" ] || fail "the FIFO was replaced"
    cmp -s "$work/from-pipe" "$data/Good.zeb" || fail "the FIFO did not get the file"
    [ "$(ls "$work" | grep -c korvane-save)" -eq 0 ] || fail "a temporary file stayed"
    # A device or pipe that never ends is read no further than the limit of its kind.
    expect_exit 1 "$cli" check /dev/zero
    expect_stderr_line "too large to be a configuration file"
    expect_exit 1 "$cli" import-hex /dev/zero -o "$work/x.zeb"
    expect_stderr_line "more than 4 MB"
    yes ':' | expect_exit 1 "$cli" import-hex /dev/stdin -o "$work/x.zeb"
    expect_stderr_line "more than 4 MB"
    [ -e "$work/x.zeb" ] && fail "a refused capture left an output file"
    # A FIFO that trickles (a byte a second) is read no longer than the overall deadline, although no
    # silence is ever long enough to end it.
    mkfifo "$work/trickle"
    (for _ in $(seq 60); do printf x || break; sleep 1; done >"$work/trickle") 2>/dev/null &
    expect_exit 1 timeout 30 "$cli" check "$work/trickle"
    expect_stderr_line "still sending after 5 seconds"
    wait
    # A file without write permission is not replaced, whoever runs the command.
    cp "$data/Good.zeb" "$work/locked.zeb"
    chmod 444 "$work/locked.zeb"
    expect_exit 1 "$cli" convert "$data/GoodChanged.zeb" -o "$work/locked.zeb"
    expect_stderr_line "write-protected"
    cmp -s "$work/locked.zeb" "$data/Good.zeb" || fail "a write-protected file was replaced"
    ;;
output_targets)
    # Every command that writes a file treats its target alike: a regular file is replaced whole with
    # its mode, owner and group; a write-protected one is refused, whoever runs the command; a FIFO or
    # a device is written in place; a symbolic link stays and its file takes the output.
    if [ "$(id -u)" -eq 0 ]; then
        # Private device nodes, so that a fault replaces nothing outside the work folder.
        mknod "$work/null" c 1 3 && mknod "$work/full" c 1 7 || fail "mknod"
        null=$work/null full=$work/full
    else
        null=/dev/null full=/dev/full
        echo "output_targets: not root: the other owner's file is not tried" >&2
    fi
    for cmd in convert export-hex print; do
        case $cmd in
        convert) args=(convert "$data/Good.zeb") ;;
        export-hex) args=(export-hex "$data/Good.zeb" --clock $clock --language "$lang") ;;
        print) args=(print "$data/Good.zeb" --report channels --clock $clock) ;;
        esac
        expect_exit 0 "$cli" "${args[@]}" -o "$work/want"
        rm -f "$work"/t-*
        for target in regular read-only other-owner fifo no-reader null full symlink; do
            t=$work/t-$target
            case $target in
            regular) echo old >"$t" && chmod 640 "$t" ;;
            read-only) echo old >"$t" && chmod 444 "$t" ;;
            other-owner)
                [ "$(id -u)" -eq 0 ] || continue
                echo old >"$t" && chmod 664 "$t" && chown 4321:8765 "$t"
                ;;
            fifo | no-reader) mkfifo "$t" ;;
            null) t=$null ;;
            full) t=$full ;;
            symlink) echo old >"$work/t-linked" && ln -s t-linked "$t" ;;
            esac
            [ $target = fifo ] && { timeout 30 cat "$t" >"$work/t-from-fifo" & }
            before=$(stat -c '%F %a %u:%g' "$t")
            case $target in
            read-only) want_exit=1 want_err=write-protected ;;
            no-reader) want_exit=1 want_err="no program reads from" ;;
            full) want_exit=1 want_err="No space left" ;;
            *) want_exit=0 want_err= ;;
            esac
            # A command that waited for ever on a FIFO would hang the test: it gets 20 seconds.
            expect_exit $want_exit timeout 20 "$cli" "${args[@]}" -o "$t"
            if [ -n "$want_err" ]; then
                expect_stderr_line "$want_err"
                grep -qF -- "$t" "$work/err" || fail "$cmd -o $target: the message lacks the file's name: $(cat "$work/err")"
            fi
            [ $target = fifo ] && wait
            [ "$(stat -c '%F %a %u:%g' "$t")" = "$before" ] || fail "$cmd -o $target: $before became $(stat -c '%F %a %u:%g' "$t")"
            case $target in
            regular | other-owner) same_output "$t" "$work/want" || fail "$cmd -o $target: not the output" ;;
            read-only) [ "$(cat "$t")" = old ] || fail "$cmd -o $target: the file was changed" ;;
            fifo) same_output "$work/t-from-fifo" "$work/want" || fail "$cmd -o $target: the reader did not get the output" ;;
            symlink)
                [ "$(readlink "$t")" = t-linked ] || fail "$cmd -o $target: the link was replaced"
                same_output "$work/t-linked" "$work/want" || fail "$cmd -o $target: the linked file lacks the output"
                ;;
            esac
        done
        ls "$work" | grep -q korvane-save && fail "$cmd: a temporary file stayed: $(ls "$work")"
        # The program's own streams are written where they stand: a file the shell opened to append to
        # keeps what it held, a pipe gets the output. "-" is the standard output.
        for stream in - /dev/stdout /dev/fd/1 /dev/stderr /dev/fd/3 pipe; do
            echo old >"$work/log"
            case $stream in
            /dev/stderr) "$cli" "${args[@]}" -o $stream 2>>"$work/log" >"$work/out" ;;
            /dev/fd/3) "$cli" "${args[@]}" -o $stream 3>>"$work/log" >"$work/out" 2>"$work/err" ;;
            pipe) "$cli" "${args[@]}" -o /dev/stdout 2>"$work/err" | tail -c +1 >>"$work/log" ;;
            *) "$cli" "${args[@]}" -o $stream >>"$work/log" 2>"$work/err" ;;
            esac
            code=$?
            [ $code -eq 0 ] || fail "$cmd -o $stream: exit $code: $(cat "$work/err")"
            [ "$(head -1 "$work/log")" = old ] || fail "$cmd -o $stream: what the file held is gone"
            tail -c +5 "$work/log" >"$work/log-output"
            same_output "$work/log-output" "$work/want" || fail "$cmd -o $stream: not the output"
        done
        # A link in a shared sticky folder (/tmp) that another user made is not followed: it may point at
        # any file of the user who saves. The user's own link there is.
        if [ "$(id -u)" -eq 0 ]; then
            rm -rf "$work/shared" && mkdir -m 1777 "$work/shared"
            echo notes >"$work/notes.txt"
            ln -s "$work/notes.txt" "$work/shared/site" && chown -h 4321:4321 "$work/shared/site"
            expect_exit 1 "$cli" "${args[@]}" -o "$work/shared/site"
            expect_stderr_line "link that another user (user id 4321) made in the shared folder"
            [ "$(cat "$work/notes.txt")" = notes ] || fail "$cmd: a planted link was followed"
            [ -L "$work/shared/site" ] || fail "$cmd: the planted link was replaced"
            ln -s "$work/notes.txt" "$work/shared/own"
            expect_exit 0 "$cli" "${args[@]}" -o "$work/shared/own"
            same_output "$work/notes.txt" "$work/want" || fail "$cmd: the user's own link was not followed"
        else
            echo "output_targets: not root: a link of another user cannot be made" >&2
        fi
    done
    ;;
language_refused)
    # The unit label and SMS words come from a language file only as the language page takes one.
    : >"$work/empty.dat"
    tr -d '\n' <"$lang" >"$work/cr-only.dat"
    mkdir "$work/folder.dat"
    for f in empty cr-only; do
        expect_exit 1 "$cli" export-hex "$data/Good.zeb" --language "$work/$f.dat"
        expect_stderr_line "$f.dat: not a language file"
        expect_exit 1 "$cli" write --port "$work/no-port" "$data/Good.zeb" --language "$work/$f.dat"
        expect_stderr_line "$f.dat: not a language file"
    done
    expect_exit 1 "$cli" export-hex "$data/Good.zeb" --language "$work/folder.dat"
    expect_stderr_line "folder.dat: is a folder"
    ;;
language_choice)
    # --language by code, by name (any case) or by file; without it the environment's language; an
    # unknown one is a wrong use that names the choices. ENV ; ARGUMENTS ; EXIT ; the line it prints.
    languages=$data/../../resources/Language
    en='Basic setup: Device number 204 → 04'
    de='Grundeinstellungen: Gerätenummer 204 → 04'
    da='Grundopsætning: Enhedsnummer 204 → 04'
    while IFS=';' read -r environment args code want; do
        expect_exit "$code" env -u LANG $environment "$cli" diff "$data/Good.zeb" "$data/GoodChanged.zeb" $args
        where=$work/out
        [ "$code" -eq 2 ] && where=$work/err
        grep -qF -- "$want" "$where" || fail "[$environment] $args: $(cat "$where")"
    done <<ROWS
;--language en;1;$en
;--language de;1;$de
;--language da;1;$da
;--language DE;1;$de
;--language=Deutsch;1;$de
;--language dansk;1;$da
;--language English;1;$en
;--language $languages/Deutsch.dat;1;$de
;;1;$en
LANG=de_DE.UTF-8;;1;$de
LANG=da_DK.UTF-8;;1;$da
LANG=de;;1;$de
LANG=de_AT@euro;;1;$de
LANG=fr_FR.UTF-8;;1;$en
LANG=C;;1;$en
LANG=POSIX;;1;$en
LANG=da_DK.UTF-8 LC_MESSAGES=de_DE.UTF-8;;1;$de
LC_ALL=da_DK.UTF-8 LC_MESSAGES=de_DE.UTF-8;;1;$da
LANG=de_DE.UTF-8;--language en;1;$en
;--language klingon;2;unknown language klingon: choose en, de, da, English, Deutsch, Dansk or the path of a language file
LANG=de_DE.UTF-8;--language klingon;2;unbekannte Sprache klingon: en, de, da, English, Deutsch, Dansk oder der Pfad
ROWS
    # A path is a file, whatever its name: one that cannot be read fails the command (exit 1).
    expect_exit 1 "$cli" diff "$data/Good.zeb" "$data/GoodChanged.zeb" --language "$work/de"
    expect_stderr_line "$work/de"
    # Wrong use and failures speak the language too; a text a language file lacks is English.
    expect_exit 2 env LANG=de_DE.UTF-8 "$cli" check
    expect_stderr_line "korvane-cli check: Dateiname fehlt (siehe korvane-cli check --help)"
    expect_exit 2 env LANG=da_DK.UTF-8 "$cli" frobnicate
    expect_stderr_line "ukendt kommando frobnicate"
    grep -av '^\(9\|680\),' "$languages/Deutsch.dat" >"$work/Lacking.dat"
    expect_exit 2 "$cli" check --language "$work/Lacking.dat"
    expect_stderr_line "korvane-cli check: missing file name (siehe korvane-cli check --help)"
    expect_exit 1 "$cli" diff "$data/Good.zeb" "$data/GoodChanged.zeb" --language "$work/Lacking.dat"
    grep -qxF 'Basic setup: Gerätenummer 204 → 04' "$work/out" || fail "a lacking text: $(cat "$work/out")"
    ;;
dump_words)
    # The words of a configuration as JSON for scripts: what a script asks of it, in any language.
    expect_exit 0 "$cli" dump --words "$data/Good.zeb"
    cmp -s "$work/out" "$data/golden/Good.English.words.json" || fail "dump --words is not the golden JSON"
    expect_exit 0 "$cli" dump --format words "$data/Good.zeb"
    cmp -s "$work/out" "$data/golden/Good.English.words.json" || fail "--format words is not --words"
    expect_exit 0 "$cli" dump "$data/Good.zeb" --format json
    grep -q '"ChanSetup":' "$work/out" || fail "--format json is not the arrays"
    expect_exit 2 "$cli" dump "$data/Good.zeb" --format yaml
    expect_stderr_line "--format wants json | words, not yaml"
    "$cli" dump --words "$data/Good.zeb" | jq '.channels[] | select(.function=="Roller blind")' >/dev/null ||
        fail "jq cannot read the words"
    "$cli" dump --words "$data/TwelveInUse.zeb" | jq -e '.channels[] | select(.function=="Roller blind")' >"$work/blinds" ||
        fail "jq finds no roller blind"
    [ "$(jq -s 'length' "$work/blinds")" -ge 1 ] && [ "$(jq -r '.settings[] | select(.name=="reverse time") | .unit' "$work/blinds" | sort -u)" = ms ] ||
        fail "the roller blinds' reverse time: $(head -c 400 "$work/blinds")"
    for language in de da; do
        "$cli" dump --words "$data/Good.zeb" --language $language >"$work/$language.json"
        [ "$(jq -r '.format, .version' "$work/$language.json" | tr '\n' ' ')" = "korvane-words 1 " ] || fail "$language: format"
        # The names stay the same in every language, the words do not.
        cmp -s <(jq -r '.channels[].settings[].name' "$work/$language.json") <(jq -r '.channels[].settings[].name' "$data/golden/Good.English.words.json") ||
            fail "$language: the names of the settings differ from English"
        cmp -s <(jq -r '.channels[].function' "$work/$language.json") <(jq -r '.channels[].function' "$data/golden/Good.English.words.json") &&
            fail "$language: the functions are English"
    done
    ;;
diff_as_unit)
    # A file against what a unit returns for it: only the text longer than its slot differs, and
    # --as-unit, comparing as the unit holds both, finds nothing.
    "$unitsim" --print-read-answer --config "$data/Good.zeb" >"$work/answer.hex"
    "$cli" import-hex "$work/answer.hex" -o "$work/read.zeb" || fail "import-hex"
    expect_exit 1 "$cli" diff "$data/Good.zeb" "$work/read.zeb"
    expect_exit 0 "$cli" diff --as-unit "$data/Good.zeb" "$work/read.zeb"
    [ -s "$work/out" ] && fail "--as-unit printed: $(cat "$work/out")"
    # What the unit keeps of both still differs.
    expect_exit 1 "$cli" diff --as-unit "$data/Good.zeb" "$data/GoodChanged.zeb"
    grep -qx 'Basic setup: Device number 204 → 04' "$work/out" || fail "--as-unit misses the device number: $(cat "$work/out")"
    ;;
job_phases)
    # The write job's phase table, as the command line ends it: every row the command line can make (a
    # cancel it cannot) ends with the exit code of the job's outcome, against the simulated unit.
    # Rows: phases | fault | open error | cancel | backup kept | outcome | writes | exit code.
    tried=0
    while IFS='|' read -r phases fault open cancel keep outcome writes code; do
        code=$(echo $code)
        [ "$code" = - ] && continue
        port=sim:$(echo $fault)
        [ "$(echo $open)" = 0 ] || port=$work/no-port
        args=()
        case "$phases" in *B*) args+=(--backup "$work/backups") ;; esac
        [ "$(echo $keep)" = 1 ] || args=(--backup /dev/null/backups)
        case "$phases" in *V*) args+=(--verify) ;; esac
        expect_exit "$code" "$cli" write --port "$port" "$data/Good.zeb" "${args[@]}"
        tried=$((tried + 1))
    done < <(grep -v '^#' "$data/job_phases.txt")
    [ "$tried" -ge 10 ] || fail "only $tried rows of the phase table tried"
    ;;
verify_verdict)
    # write --verify ends with the window's verdict in the user's language, also when all is well (a
    # configuration whose texts all fit: a cut text has a verdict of its own).
    languages=$data/../../resources/Language
    for language in English Deutsch Dansk; do
        ok=$(grep -a '^368,' "$languages/$language.dat" | cut -d'"' -f2 | iconv -f WINDOWS-1252 -t UTF-8)
        differs=$(grep -a '^369,' "$languages/$language.dat" | cut -d'"' -f2 | iconv -f WINDOWS-1252 -t UTF-8)
        expect_exit 0 "$cli" write --port sim "$data/TwelveInUse.zeb" --verify --language $language
        [ "$(tail -1 "$work/err")" = "korvane-cli: $ok" ] || fail "$language verdict: $(tail -1 "$work/err")"
        [ -s "$work/out" ] && fail "$language: a sound verify listed $(cat "$work/out")"
        expect_exit 6 "$cli" write --port sim:firmware-02ff "$data/TwelveInUse.zeb" --verify --language $language
        [ "$(tail -1 "$work/err")" = "korvane-cli: $differs" ] || fail "$language verdict of differences: $(tail -1 "$work/err")"
        [ "$(wc -l <"$work/out")" -ge 1 ] || fail "$language: no difference listed"
    done
    ;;
print_book)
    # The site book: one PDF, the cover with the installer of the settings, "Page n of m" on every page;
    # the label sheet on the paper of its sheet.
    printf '[Data]\nInstaller=Jens Jensen\nCompany=Elektro Nord\nInstallerAsked=1\n' >"$work/settings.ini"
    KORVANE_SETTINGS=$work/settings.ini expect_exit 0 "$cli" print --report book "$data/Good.zeb" -o "$work/book.pdf" \
        --language en --clock $clock
    pages=$(pdfinfo "$work/book.pdf" | sed -n 's/^Pages: *//p')
    [ "${pages:-0}" -gt 3 ] || fail "book pages: $pages"
    pdftotext -f 1 -l 1 "$work/book.pdf" "$work/cover.txt"
    for word in "Site book" "Jens Jensen" "Elektro Nord" "Good.zeb" "not written from this program"; do
        grep -q "$word" "$work/cover.txt" || fail "the cover lacks $word"
    done
    for p in $(seq 1 "$pages"); do
        pdftotext -f "$p" -l "$p" "$work/book.pdf" - | grep -q "Page $p of $pages" || fail "page $p: no 'Page $p of $pages'"
    done
    expect_exit 2 "$cli" print --report book "$data/Good.zeb" -o "$work/book.pdf" --all
    expect_exit 0 "$cli" print labels "$data/Good.zeb" -o "$work/labels.pdf" --sheet 4
    pdfinfo "$work/labels.pdf" | grep -q "Page size: *595.* x 842" || fail "labels not on A4: $(pdfinfo "$work/labels.pdf")"
    expect_exit 0 "$cli" print labels "$data/Good.zeb" -o "$work/labels.pdf" --sheet 70,30,3,9,0,4.5 --page-size Letter
    pdfinfo "$work/labels.pdf" | grep -q "Page size: *612 x 792" || fail "labels not on Letter: $(pdfinfo "$work/labels.pdf")"
    expect_exit 2 "$cli" print labels "$data/Good.zeb" -o "$work/labels.pdf" --sheet 80,30,3,9,0,0
    expect_exit 2 "$cli" print --report channels "$data/Good.zeb" -o "$work/c.pdf" --sheet 1
    ;;
csv_roundtrip)
    # The channel list as a spreadsheet: German writes ';', English ','; an edited description comes back
    # as exactly that change, a malformed line is named with its number and nothing is written.
    example=$data/../../resources/Data/Example.zeb
    expect_exit 0 "$cli" export-csv "$example" --language de -o "$work/de.csv"
    [ "$(head -c 3 "$work/de.csv" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "no byte order mark"
    [ "$(head -1 "$work/de.csv" | tail -c +4 | tr -d '\r')" = "Kanal;Funktion;Beschreibung;Einstellungen" ] ||
        fail "German heading: $(head -1 "$work/de.csv")"
    expect_exit 0 "$cli" export-csv "$example" --language en -o "$work/en.csv"
    [ "$(head -1 "$work/en.csv" | tail -c +4 | tr -d '\r')" = "Channel,Function,Description,Settings" ] ||
        fail "English heading: $(head -1 "$work/en.csv")"
    sed 's/^A3;\([^;]*\);Stue lys;/A3;\1;"Küche; Süd";/' "$work/de.csv" >"$work/edited.csv"
    expect_exit 0 "$cli" import-csv "$example" "$work/edited.csv" -o "$work/edited.zeb" --language en
    [ "$(cat "$work/out")" = "A3 Mono: Description 'Stue lys' → 'Küche; Süd'" ] || fail "import output: $(cat "$work/out")"
    expect_exit 1 "$cli" diff "$example" "$work/edited.zeb"
    [ "$(wc -l <"$work/out")" -eq 1 ] || fail "more than the edited description changed: $(cat "$work/out")"
    printf 'A1;x;ok\r\nQ9;x;y\r\nA1;x;z\r\n' >"$work/bad.csv"
    expect_exit 1 "$cli" import-csv "$example" "$work/bad.csv" -o "$work/bad.zeb"
    grep -q "Line 2: 'Q9' is no channel" "$work/err" || fail "line 2 not named: $(cat "$work/err")"
    grep -q "Line 3: A1 is given on line 1 already" "$work/err" || fail "line 3 not named: $(cat "$work/err")"
    [ -e "$work/bad.zeb" ] && fail "a file with bad lines was imported"
    ;;
completion)
    # The bash completion, as bash calls it: the word list of each command line.
    script=$(realpath "$data/../../packaging/korvane-cli.bash-completion")
    complete_line() { # WORDS... (the last one is being completed): the candidates, sorted, on one line
        bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _korvane_cli; printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' \
            _ "$script" "$@"
    }
    [ "$(complete_line korvane-cli '')" = "$(echo $( (commands; echo --help; echo --version) | sort)) " ] ||
        fail "commands: $(complete_line korvane-cli '')"
    [ "$(complete_line korvane-cli co)" = "compare convert " ] || fail "co: $(complete_line korvane-cli co)"
    # Each command's options are those of its usage.
    for c in $(commands); do
        want=$( ("$cli" $c --help | sed -n '/^usage:/,/^[^ u]/p' | grep -oE -- '(^| |\[)--?[a-z-]+' | tr -d ' ['
            echo --help) | sort -u | tr '\n' ' ')
        [ "$(complete_line korvane-cli $c -)" = "$want" ] || fail "$c options: $(complete_line korvane-cli $c -); --help: $want"
    done
    [ "$(complete_line korvane-cli print x.zeb --report '')" = "all book channels labels logic master realtime sms " ] ||
        fail "report kinds: $(complete_line korvane-cli print x.zeb --report '')"
    [ "$(complete_line korvane-cli diff a b --language D)" = "Dansk Deutsch " ] || fail "languages: $(complete_line korvane-cli diff a b --language D)"
    mkdir "$work/empty" && cd "$work/empty" || fail "cd"
    [ "$(complete_line korvane-cli diff a b --language '')" = "Dansk Deutsch English da de en " ] ||
        fail "languages: $(complete_line korvane-cli diff a b --language '')"
    [ "$(complete_line korvane-cli read --port s)" = "sim " ] || fail "ports: $(complete_line korvane-cli read --port s)"
    ports=$(complete_line korvane-cli write --port /dev/)
    for p in /dev/ttyS0 /dev/ttyUSB0; do
        if [ -e $p ]; then [[ " $ports" == *" $p "* ]] || fail "the port $p is not offered: $ports"; fi
    done
    [[ "$(complete_line korvane-cli read --port c)" == "com1 com2 com3 com4 " ]] || fail "com ports"
    touch Norsk.dat && mkdir sprog
    [ "$(complete_line korvane-cli diff a b --language '')" = "Dansk Deutsch English Norsk.dat da de en sprog " ] ||
        fail "language files: $(complete_line korvane-cli diff a b --language '')"
    # Files: configuration files and folders for the commands that read one.
    f=$work/files
    mkdir -p "$f/dir" && touch "$f/a.zeb" "$f/b.X07" "$f/c.txt"
    [ "$(complete_line korvane-cli check "$f/")" = "$f/a.zeb $f/b.X07 $f/dir " ] ||
        fail "files: $(complete_line korvane-cli check "$f/")"
    [ "$(complete_line korvane-cli import-hex "$f/")" = "$f/a.zeb $f/b.X07 $f/c.txt $f/dir " ] ||
        fail "captures: $(complete_line korvane-cli import-hex "$f/")"
    [ "$(complete_line korvane-cli print "$f/")" = "$f/a.zeb $f/b.X07 $f/dir " ] || fail "print's files"
    [ "$(complete_line korvane-cli print m)" = "master " ] || fail "print's report first: $(complete_line korvane-cli print m)"
    ;;
*)
    fail "unknown scenario"
    ;;
esac

if [ "$failures" -eq 0 ]; then
    echo "$scenario: passed"
    exit 0
fi
exit 1
