#!/usr/bin/env bash
# korvane-cli read/write against korvane-unitsim on a pseudo-terminal, through the real serial port
# code. unit_e2e.sh SCENARIO BIN-FOLDER TEST-DATA-FOLDER
set -u
scenario=$1
bin=$2
data=$3
cli=$bin/korvane-cli
work=$(mktemp -d)
sim_pid=
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; rm -rf "$work"' EXIT
clock=2026-12-06T18:33:07
want_version=$'system: firmware version, high byte (byte 0): 180 -> 3\nsystem: firmware version, low byte (byte 1): 239 -> 0'
failures=0
# English unless a scenario chooses another language.
unset LC_ALL LC_MESSAGES LANGUAGE
export LANG=C.UTF-8
fail() {
    echo "FAIL [$scenario]: $*" >&2
    failures=$((failures + 1))
}

# start_sim ARGS...: serves the simulated unit, sets $dev to its terminal.
start_sim() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    "$bin/korvane-unitsim" --pty "$@" >"$work/sim.out" &
    sim_pid=$!
    for _ in $(seq 50); do
        dev=$(head -1 "$work/sim.out" 2>/dev/null)
        [ -n "$dev" ] && return
        sleep 0.1
    done
    fail "korvane-unitsim printed no terminal"
}

expect_exit() {
    local want=$1
    shift
    timeout 90 "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "exit $got, expected $want: $* (stderr: $(head -c 300 "$work/err"))"
}

# one_line WHAT TEXT: stderr is one line, "korvane-cli: REASON", holding TEXT and nothing of the
# window's wording (its menus, its Retry button).
one_line() {
    [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q -- "$2" "$work/err" && grep -q "korvane-cli: " "$work/err" &&
        ! grep -qi "under View\|Retry" "$work/err" ||
        fail "$1: not one line with '$2': $(cat "$work/err")"
}

case $scenario in
roundtrip)
    start_sim --save "$work/saved.zeb"
    expect_exit 0 "$cli" write --port "$dev" "$data/Good.zeb" --clock $clock --language "$data/Test.dat" --verify
    expect_exit 0 "$cli" read --port "$dev" -o "$work/back.zeb"
    # What the unit holds is what export-hex sends laid over an empty unit, taken in as a read takes
    # it, except that the unit keeps its own firmware version (0300) in place of Good.zeb's bytes 0 and 1.
    "$cli" export-hex "$data/Good.zeb" --clock $clock --language "$data/Test.dat" -o "$work/sent.hex"
    "$bin/korvane-unitsim" --print-read-answer >"$work/empty.hex"
    sed '$d' "$work/empty.hex" >"$work/expected.hex"
    cat "$work/sent.hex" >>"$work/expected.hex"
    "$cli" import-hex "$work/expected.hex" -o "$work/expected.zeb" 2>/dev/null || fail "expected.zeb"
    for held in back saved; do
        expect_exit 0 "$cli" diff "$work/expected.zeb" "$work/$held.zeb"
        expect_exit 1 "$cli" diff --bytes "$work/expected.zeb" "$work/$held.zeb"
        [ "$(cat "$work/out")" = "$want_version" ] || fail "$held.zeb: $(cat "$work/out")"
    done
    # The file written and the unit read back: in the user's words only the text longer than its slot.
    expect_exit 1 "$cli" diff "$data/Good.zeb" "$work/back.zeb"
    [ "$(wc -l <"$work/out")" -eq 1 ] && grep -q "^C6 Intruder: siren: Description" "$work/out" ||
        fail "Good.zeb and what the unit holds: $(cat "$work/out")"
    ;;
read_faults)
    printf 'old' >"$work/keep.zeb"
    while read -r fault code text; do
        start_sim --config "$data/Good.zeb" --fault "$fault"
        expect_exit "$code" "$cli" read --port "$dev" -o "$work/keep.zeb"
        one_line "$fault" "$text"
        [ "$(cat "$work/keep.zeb")" = old ] || fail "$fault: the output file was touched"
    done <<'T'
silence 4 did not answer
bad-checksum 4 checksum error
dropped-record 4 cut short
stall 4 before the end record
firmware-0301 7 newer than 0300
T
    start_sim --fault firmware-02ff
    expect_exit 0 "$cli" read --port "$dev" -o "$work/old.zeb"
    ;;
write_faults)
    # Every write through the terminal takes its line time (half a minute), so the verdicts are tried
    # on the simulated unit inside korvane-cli (sim:FAULT); the terminal path is the roundtrip's.
    while read -r fault code text; do
        expect_exit "$code" "$cli" write --port "sim:$fault" "$data/Good.zeb"
        one_line "$fault" "$text"
    done <<'T'
verdict-1 5 error 1
verdict-3 5 error 3
answer-mid-stream 5 error 2
garbage-verdict 4 no verdict
silence 4 did not answer the write
stray-mid-stream 4 still being sent, so it did not take the write whole.* may now hold part of the new configuration
T
    # An older unit does not keep the counter (SysData 52): --verify must say so, not hide it.
    expect_exit 6 "$cli" write --port sim:firmware-02ff "$data/Good.zeb" --verify
    grep -qx "Basic setup: Counter unit ---, written 131" "$work/out" || fail "verify on an older unit: $(cat "$work/out")"
    # A unit that drops a record and still accepts the write: verify names the value in the user's terms.
    expect_exit 6 "$cli" write --port sim:ignored-record "$data/Good.zeb" --verify
    # The one value, under their own heading the texts the unit keeps only in part.
    [ "$(grep -c " unit .*, written " "$work/out")" -eq 1 ] &&
        grep -q "^A1 Master function: Description unit '.*', written '.*'$" "$work/out" &&
        tail -1 "$work/err" | grep -qx "korvane-cli: The master unit holds other values than written. The differences:" &&
        grep -A1 -x "Texts the unit keeps only in part:" "$work/out" | grep -q ": 40 characters, the unit keeps 31$" ||
        fail "verify of an ignored record: $(cat "$work/out" "$work/err")"
    expect_exit 2 "$cli" write --port sim:no-such-fault "$data/Good.zeb"
    # The port errors: each names the port, what is wrong and what to do, and the system's reason.
    expect_exit 3 "$cli" write --port "$work/no-such-port" "$data/Good.zeb"
    one_line "no port" "no-such-port: No such port: is the adapter plugged in? (No such file or directory)$"
    # A device or file that is no serial port says so, not that a connection was lost.
    echo text >"$work/a-file"
    for port in /dev/null "$work/a-file"; do
        expect_exit 3 "$cli" write --port "$port" "$data/Good.zeb"
        one_line "$port" "$port: This device is not a serial port"
        grep -q "lost" "$work/err" && fail "$port: $(cat "$work/err")"
    done
    start_sim --fault silence
    "$cli" read --port "$dev" -o "$work/first.zeb" 2>/dev/null &
    first=$!
    sleep 0.3 # the first read holds the port for two seconds and more
    expect_exit 3 "$cli" read --port "$dev" -o "$work/second.zeb"
    one_line "busy port" "$dev: The port is in use by another program. (.*)$"
    wait "$first"
    if [ "$(id -u)" -ne 0 ]; then
        chmod 000 "$dev"
        expect_exit 3 "$cli" read --port "$dev" -o "$work/second.zeb"
        one_line "refused port" "Permission denied: add yourself to the group dialout (sudo adduser \$USER dialout) and log in again. (Permission denied)$"
    else
        echo "SKIP [$scenario]: the refused port (EACCES) cannot be tried as root, who may open any device" >&2
    fi
    ;;
backup)
    # The backup holds exactly what the unit held before the write.
    start_sim --config "$data/GoodChanged.zeb"
    expect_exit 0 "$cli" read --port "$dev" -o "$work/before.zeb" --accept-newer
    expect_exit 0 "$cli" write --port "$dev" "$data/Good.zeb" --backup "$work/backups" --verify
    set -- "$work"/backups/*.zeb
    [ $# -eq 1 ] && [ -f "$1" ] || fail "not one backup file: $*"
    case $(basename "$1") in [0-9][0-9]-[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]-[0-9][0-9][0-9][0-9][0-9][0-9].zeb) ;;
    *) fail "backup name $(basename "$1")" ;; esac
    expect_exit 0 "$cli" diff "$work/before.zeb" "$1"
    # A backup read that fails stops the write: the unit is untouched (it saves only after a write).
    start_sim --config "$data/GoodChanged.zeb" --fault bad-checksum --save "$work/written.zeb"
    expect_exit 4 "$cli" write --port "$dev" "$data/Good.zeb" --backup "$work/backups2"
    grep -q "Nothing has been written" "$work/err" || fail "backup failure: $(cat "$work/err")"
    [ ! -e "$work/written.zeb" ] || fail "the unit was written after a failed backup read"
    [ -z "$(ls -A "$work/backups2" 2>/dev/null)" ] || fail "a failed backup left a file"
    ;;
compare)
    # After a write the unit holds the file as far as a unit keeps it: compare says so, in the user's
    # language; another file's differences are listed with the file's value first, a new
    # function with its settings.
    start_sim
    expect_exit 0 "$cli" write --port "$dev" "$data/Good.zeb" --clock $clock
    expect_exit 0 "$cli" compare "$data/Good.zeb" --port "$dev"
    [ ! -s "$work/out" ] && [ "$(tail -1 "$work/err")" = "korvane-cli: There are no differences." ] ||
        fail "compare after the write: $(cat "$work/out" "$work/err")"
    expect_exit 0 env LANG=de_DE.UTF-8 "$cli" compare "$data/Good.zeb" --port "$dev"
    [ "$(tail -1 "$work/err")" = "korvane-cli: Es gibt keine Unterschiede." ] || fail "compare in German: $(cat "$work/err")"
    expect_exit 1 "$cli" compare "$data/GoodChanged.zeb" --port "$dev"
    cat >"$work/want" <<'WANT'
C4: Function of this channel Flip-flop → Timer: delay with single pulse
C4 Timer: delay with single pulse: Control channel → N5
C4 Timer: delay with single pulse: On delay → 1795:56:01 (h:m:s)
C4 Timer: delay with single pulse: Off delay → 4404:23:30 (h:m:s)
C4: Description 'Hall' → 'Kanal 19'
Basic setup: Device number 04 → 204
WANT
    diff "$work/want" "$work/out" >/dev/null || fail "compare of another file: $(cat "$work/out")"
    grep -q "6 differences between .*GoodChanged.zeb and the master unit" "$work/err" || fail "compare heading: $(cat "$work/err")"
    expect_exit 2 "$cli" compare "$work/none.zeb" --port "$dev"
    ;;
line_rate_write)
    # A whole write of Good.zeb at 9600 baud (about 40 s of line time): the terminal takes the records
    # long before the unit has them, and the verdict wait must not start until they are through the line.
    start_sim --line-rate --save "$work/saved.zeb"
    expect_exit 0 "$cli" write --port "$dev" "$data/Good.zeb" --clock $clock --language "$data/Test.dat"
    "$cli" export-hex "$data/Good.zeb" --clock $clock --language "$data/Test.dat" -o "$work/sent.hex"
    "$bin/korvane-unitsim" --print-read-answer >"$work/empty.hex"
    # The unit holds what was sent, laid over an empty unit (whose version it keeps).
    sed '$d' "$work/empty.hex" >"$work/expected.hex"
    cat "$work/sent.hex" >>"$work/expected.hex"
    "$cli" import-hex "$work/expected.hex" -o "$work/expected.zeb" 2>/dev/null || fail "expected.zeb"
    expect_exit 0 "$cli" diff "$work/expected.zeb" "$work/saved.zeb"
    expect_exit 1 "$cli" diff --bytes "$work/expected.zeb" "$work/saved.zeb"
    [ "$(cat "$work/out")" = "$want_version" ] || fail "saved.zeb: $(cat "$work/out")"
    ;;
line_rate)
    # A whole read at 9600 baud (about 39 s): the time-outs must not cut a slow, steady answer short,
    # and a unit that goes away in the middle of the next one ends that read without touching the file.
    start_sim --config "$data/Good.zeb" --line-rate
    expect_exit 0 "$cli" read --port "$dev" -o "$work/back.zeb" --accept-newer
    # The file read back loads; check lists the problems Good.zeb has (exit 9), and no error.
    expect_exit 9 "$cli" check "$work/back.zeb"
    printf 'old' >"$work/keep.zeb"
    (sleep 2 && kill "$sim_pid") &
    expect_exit 3 "$cli" read --port "$dev" -o "$work/keep.zeb" --accept-newer
    one_line "vanished unit" "$dev: The connection to the master unit was lost. (.*)$"
    [ "$(cat "$work/keep.zeb")" = old ] || fail "an interrupted read touched the output file"
    ;;
*)
    fail "unknown scenario"
    ;;
esac
[ "$failures" -eq 0 ]
