#!/usr/bin/env bash
# Runs the tests of the Windows build (make test-windows) under Wine: headless, in a Wine prefix of
# their own inside the build folder, with the Wine server kept up for the whole run and ended after it.
# Usage: scripts/test-windows.sh BUILD_DIR [JOBS]
set -euo pipefail
build=$(cd "$1" && pwd)
jobs=${2:-2}

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
unset DISPLAY WAYLAND_DISPLAY

# One server for the whole run (each test is a Wine process of its own); ended whatever happens.
started=$(date +%s)
mkdir -p "$WINEPREFIX"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# Boot the prefix before the tests, every run (the first run also lays it out). Wine's background
# services start with the first program of a server; started by a test, they would hold its output
# open and ctest would wait for them until the test times out.
if ! "$wine" wineboot --init >"$build/wine-prefix.log" 2>&1; then
    echo "test-windows: Wine cannot set up its prefix $WINEPREFIX:" >&2
    cat "$build/wine-prefix.log" >&2
    exit 1
fi
echo "test-windows: Wine ready in $(($(date +%s) - started)) s"

status=0
(cd "$build" && ctest --output-on-failure -j "$jobs") | tee "$build/ctest.out" || status=$?

# A skipped case says why (the line after gtest's "Skipped"), and the run ends on its counts.
log=$build/Testing/Temporary/LastTest.log
skipped=$(grep -c '\*\*\*Skipped' "$build/ctest.out" || true)
if [ -f "$log" ]; then
    awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
         reason == 1 { print "skipped " name ": " $0; reason = 0 }
         /: Skipped$/ { reason = 1 }' "$log"
fi
if read -r total failed < <(sed -nE 's/.* tests passed, ([0-9]+) tests failed out of ([0-9]+)$/\2 \1/p' "$build/ctest.out"); then
    echo "test-windows: $((total - failed - skipped)) passed, $failed failed, $skipped skipped"
else
    echo "test-windows: no tests ran" >&2
    status=1
fi
exit $status
