#!/usr/bin/env bash
# Screenshots of the main and editor windows in all three languages, with a few typed channels,
# taken on a virtual screen (Xvfb). Writes shots/main-<slot>.png. Needs xvfb, xdotool, imagemagick.
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
INI
    KORVANE_SETTINGS=$ini xvfb-run -a -s "-screen 0 1024x600x24" bash -c "
        '$BIN' & pid=\$!
        for i in \$(seq 50); do xdotool search --name 'ZEB1 \\[' >/dev/null 2>&1 && break; sleep 0.2; done
        win=\$(xdotool search --name 'ZEB1 \\[' | head -1)
        xdotool windowfocus --sync \$win
        # A1..A3 intruder, A4 master, A5 real-time, A6 timer, B1 smoke, B2 water, B3 ISA, B4 mono
        xdotool key --delay 60 i i i m r t Down Home Down s w a 0 Return
        sleep 1
        import -window root shots/main-$slot.png
        kill \$pid"
    rm -f "$ini" "$ini.running"
    echo "shots/main-$slot.png"
done
