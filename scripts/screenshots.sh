#!/usr/bin/env bash
# Screenshots of the one window (the matrix and the editor side by side) in all three languages, with
# a few typed channels and one of them open in the editor, taken on a virtual 1366x768 screen (Xvfb)
# that the window fills. Writes shots/main-<slot>.png and copies the English one to
# packaging/screenshots/main.png (the README's and the software centre's picture).
# Needs xvfb, xdotool, imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${BIN:-build/release/bin/korvane}
[ -x "$BIN" ] || { echo "screenshots: build first (make build-run)"; exit 1; }
PROG=$(cd "$(dirname "$BIN")" && pwd)
mkdir -p shots
for slot in 0 1 2; do
    ini=$(mktemp --suffix=.ini)
    cat >"$ini" <<INI
[Data]
Author=Korvane
RevisionLevel=Version 3.07
Startup=$PROG
CurrentLanguage=$slot
ProgramWindowWidth=1366
ProgramWindowHeight=768
PaneSplit=620,740
INI
    KORVANE_SETTINGS=$ini xvfb-run -a -s "-screen 0 1366x768x24" bash -c "
        '$BIN' & pid=\$!
        for i in \$(seq 50); do xdotool search --name 'ZEB1 \\[' >/dev/null 2>&1 && break; sleep 0.2; done
        win=\$(xdotool search --name 'ZEB1 \\[' | head -1)
        xdotool windowfocus --sync \$win
        # A1..A3 intruder, A4 master, A5 real-time, A6 timer, B1 smoke, B2 water, B3 ISA, B4 mono;
        # then A4's master page in the editor, with a description.
        xdotool key --delay 60 i i i m r t Down Home Down s w a 0 Up Home Right Right Right Return
        sleep 1
        import -window root shots/main-$slot.png
        kill \$pid"
    rm -f "$ini" "$ini.running"
    echo "shots/main-$slot.png"
done
mkdir -p packaging/screenshots
cp shots/main-0.png packaging/screenshots/main.png
