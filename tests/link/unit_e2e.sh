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
fail() {
    echo "FAIL [$scenario]: $*" >&2
    failures=$((failures + 1))
}

# small: $small is Good.zeb with only its first channel in use (SysData byte 11 = 0), a short write.
small() {
    small=$work/small.zeb
    sed '139s/^\(\([^,]*,\)\{11\}\)[^,]*/\10/' "$data/Good.zeb" >"$small"
    "$cli" dump "$small" | grep -q '^  "SysData": \[\([0-9]*,\)\{11\}0,' ||
        fail "small.zeb does not have one channel in use"
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

# one_line WHAT TEXT: stderr is one line, "korvane-cli: REASON (STATUS TEXT)", holding TEXT.
one_line() {
    [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q -- "$2" "$work/err" && grep -q "korvane-cli: .* (.*)$" "$work/err" ||
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
        expect_exit 1 "$cli" diff "$work/expected.zeb" "$work/$held.zeb"
        [ "$(cat "$work/out")" = "$want_version" ] || fail "$held.zeb: $(cat "$work/out")"
    done
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
    # Every write takes its line time whatever the unit: one channel in use keeps them short.
    small
    while read -r fault code text; do
        start_sim --fault "$fault"
        expect_exit "$code" "$cli" write --port "$dev" "$small"
        one_line "$fault" "$text"
    done <<'T'
verdict-1 5 error 1
verdict-3 5 error 3
answer-mid-stream 5 error 2
garbage-verdict 4 no verdict
silence 4 did not answer the write
T
    # An older unit does not keep SysData 13: --verify must say so, not hide it.
    start_sim --fault firmware-02ff
    expect_exit 6 "$cli" write --port "$dev" "$small" --verify
    grep -q "(byte 13): 121 -> 0" "$work/out" || fail "verify on an older unit: $(cat "$work/out")"
    expect_exit 3 "$cli" write --port "$work/no-such-port" "$data/Good.zeb"
    one_line "no port" "COM port cannot be opened"
    ;;
late_verdict)
    # A unit that answers a write only while the next one comes in: the first write has no verdict in
    # time, and the late "0" during the retry's records does not make the retry a success.
    small
    start_sim --fault late-verdict
    expect_exit 4 "$cli" write --port "$dev" "$small"
    one_line "first write" "did not answer the write"
    expect_exit 4 "$cli" write --port "$dev" "$small"
    one_line "retry" "before the end record"
    ;;
line_rate_write)
    # A whole write of Good.zeb at 9600 baud (about 18 s of line time): the port takes the records long
    # before the unit has them, and the verdict wait must not start until they are through the line.
    start_sim --line-rate --save "$work/saved.zeb"
    expect_exit 0 "$cli" write --port "$dev" "$data/Good.zeb" --clock $clock --language "$data/Test.dat"
    "$cli" export-hex "$data/Good.zeb" --clock $clock --language "$data/Test.dat" -o "$work/sent.hex"
    "$bin/korvane-unitsim" --print-read-answer >"$work/empty.hex"
    # The unit holds what was sent, laid over an empty unit (whose version it keeps).
    sed '$d' "$work/empty.hex" >"$work/expected.hex"
    cat "$work/sent.hex" >>"$work/expected.hex"
    "$cli" import-hex "$work/expected.hex" -o "$work/expected.zeb" 2>/dev/null || fail "expected.zeb"
    expect_exit 1 "$cli" diff "$work/expected.zeb" "$work/saved.zeb"
    [ "$(cat "$work/out")" = "$want_version" ] || fail "saved.zeb: $(cat "$work/out")"
    ;;
line_rate)
    # A whole read at 9600 baud (about 39 s): the time-outs must not cut a slow, steady answer short,
    # and a unit that goes away in the middle of the next one ends that read without touching the file.
    start_sim --config "$data/Good.zeb" --line-rate
    expect_exit 0 "$cli" read --port "$dev" -o "$work/back.zeb" --accept-newer
    expect_exit 0 "$cli" check "$work/back.zeb"
    printf 'old' >"$work/keep.zeb"
    (sleep 2 && kill "$sim_pid") &
    expect_exit 3 "$cli" read --port "$dev" -o "$work/keep.zeb" --accept-newer
    one_line "vanished unit" "COM port cannot be opened"
    [ "$(cat "$work/keep.zeb")" = old ] || fail "an interrupted read touched the output file"
    ;;
*)
    fail "unknown scenario"
    ;;
esac
[ "$failures" -eq 0 ]
