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
    expect_exit 0 "$cli" check -- "$work/-odd.zeb"
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
    rows=(
        "0 check $data/Good.zeb" "1 check $data/BrokenTruncated.zeb" "2 check"
        "0 dump $data/Good.zeb" "1 dump $work/none.zeb" "2 dump $data/Good.zeb $data/GoodLf.zeb"
        "0 convert $data/Good.zeb -o $work/c.zeb" "1 convert $work/none.zeb -o $work/c.zeb" "2 convert $data/Good.zeb"
        "0 export-hex $data/Good.zeb --language $lang" "1 export-hex $data/Good.zeb --language $work/none.dat"
        "2 export-hex $data/Good.zeb --clock tomorrow"
        "0 import-hex $work/answer.hex -o $work/i.zeb" "1 import-hex $data/Good.zeb -o $work/i.zeb"
        "2 import-hex $work/answer.hex"
        "0 diff $data/Good.zeb $data/GoodLf.zeb" "1 diff $data/Good.zeb $data/GoodChanged.zeb"
        "2 diff $data/Good.zeb $work/none.zeb" "2 diff $data/Good.zeb"
        "0 read --port sim -o $work/r.zeb" "1 read --port sim -o $work/no/folder/r.zeb" "2 read --port sim"
        "3 read --port $work/no-port -o $work/r.zeb" "4 read --port sim:bad-checksum -o $work/r.zeb"
        "7 read --port sim:firmware-0301 -o $work/r.zeb"
        "0 write --port sim $data/Good.zeb" "1 write --port sim $work/none.zeb" "2 write $data/Good.zeb"
        "3 write --port $work/no-port $data/Good.zeb" "4 write --port sim:garbage-verdict $data/Good.zeb"
        "5 write --port sim:verdict-1 $data/Good.zeb" "6 write --port sim:firmware-02ff $data/Good.zeb --verify"
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
    for f in Good.zeb GoodLf.zeb SignatureM52.x07 SignatureKorvane.zeb MultiLineDescriptions.zeb \
        ../../resources/Data/Example.zeb; do
        expect_exit 0 "$cli" check "$data/$f"
        [ -s "$work/err" ] && fail "check $f printed: $(cat "$work/err")"
    done
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
    expect_exit 0 "$cli" check "$work/read.zeb"
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
            [ -n "$want_err" ] && expect_stderr_line "$want_err"
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
*)
    fail "unknown scenario"
    ;;
esac

if [ "$failures" -eq 0 ]; then
    echo "$scenario: passed"
    exit 0
fi
exit 1
