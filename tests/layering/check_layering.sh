#!/usr/bin/env bash
# The dependency edges of the source tree: the core (model, io, reports, sim) includes no Qt, the
# application layer includes no window, the serial link includes nothing of the simulated unit.
set -u
root=$1
status=0
forbid() { # folder, pattern, what is wrong [, a subfolder with its own rule]
    local hits
    hits=$(grep -rnE --include='*.h' --include='*.cpp' "$2" "$root/$1" 2>/dev/null | grep -v "^$root/$1/${4:-qt}/" || true)
    if [ -n "$hits" ]; then
        echo "$1: $3"
        echo "$hits"
        status=1
    fi
}
forbid model '#include *<Q|#include *"(io|app|ui|sim|reports)/' "the model includes Qt or a layer above it"
forbid io '#include *<Q|#include *"(app|ui|sim)/' "io includes Qt or a layer above it" link
forbid io/link '#include *"(app|ui|sim)/' "the serial link includes the simulated unit or a window"
forbid app '#include *"ui/' "the application layer includes a window"
forbid sim '#include *"(app|ui)/' "the simulated unit includes a window"
[ -d "$root/reports" ] && forbid reports '#include *<Q|#include *"(io|app|ui)/' "the reports core includes Qt, the file formats or a window"
forbid ui/editor '#include *"reports/' "the editor includes the print engine"
# The core's calls to the system live in io/platform, one file per kind of system (CMake builds the
# one that fits); nowhere else in the core or its tests is there a system header or a switch on the
# system. korvane-unitsim serves a pseudo-terminal: a POSIX tool beside the core, not built for Windows.
system=$(grep -rnE --include='*.h' --include='*.cpp' \
    '#include *<(unistd|fcntl|dirent|termios|poll|pwd|grp|windows|io|direct)\.h>|#include *<sys/|#if.*(_WIN32|_WIN64|__linux__|__unix__|__APPLE__|__MINGW|_MSC_VER)' \
    "$root/model" "$root/io" "$root/reports" "$root/sim" "$root/tests/model" "$root/tests/io" "$root/tests/reports" \
    2>/dev/null | grep -vE "^$root/(io/platform|io/link|reports/qt)/|^$root/sim/unitsim_main\.cpp:" || true)
if [ -n "$system" ]; then
    echo "the core calls the system outside io/platform"
    echo "$system"
    status=1
fi
# A page includes no other page: what pages share lies in ui/editor/form.
hits=$(grep -rnE '#include *"ui/editor/pages/' "$root/ui/editor/pages"/*_page.cpp "$root/ui/editor/pages"/*_page.h 2>/dev/null |
    grep -vE '^([^:]*/)?([a-z_]+)\.(cpp|h):[0-9]+:#include *"ui/editor/pages/\2\.h"' |
    grep -vE '#include *"ui/editor/pages/alarm_page\.h"' || true)
if [ -n "$hits" ]; then
    echo "ui/editor/pages: a page includes another page"
    echo "$hits"
    status=1
fi
exit $status
