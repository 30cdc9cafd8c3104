#!/usr/bin/env bash
# make lint: every C++ file matches .clang-format, and the Qt-free core (model/, io/, reports/, sim/)
# passes the checks of .clang-tidy. clang-tidy reads build/test/compile_commands.json (the test build
# configures it). The core alone keeps the run short on two cores (about two minutes); the windows'
# code is formatted but not tidied, since its Qt headers make each file slow to analyse.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${LINT_BUILD:-build/test}
JOBS=${JOBS:-2}

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format-14 --dry-run --Werror "${files[@]}" 2>/tmp/korvane-format.$$; then
    grep -E '^[^ ].*: (warning|error):' /tmp/korvane-format.$$ | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
    rm -f /tmp/korvane-format.$$
    echo "make lint: run clang-format-14 -i on the files above" >&2
    exit 1
fi
rm -f /tmp/korvane-format.$$

if [ ! -f "$BUILD/compile_commands.json" ]; then
    cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON >/dev/null
fi
git ls-files 'model/*.cpp' 'io/*.cpp' 'reports/*.cpp' 'sim/*.cpp' | grep -v -e '_windows\.cpp$' -e '/qt/' |
    xargs -P "$JOBS" -n 4 clang-tidy-14 -p "$BUILD" --quiet 2>/dev/null
echo "make lint: formatted, and the core passes clang-tidy"
