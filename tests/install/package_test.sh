#!/usr/bin/env bash
# The Debian package of the build as Debian's own checkers see it: lintian reports nothing but the
# overridden encoding of the language files, and the software-centre metadata is valid.
# Exit 77 (skipped, with the reason) where a checker is not installed.
set -euo pipefail
build=$1
source_dir=$2
fail() { echo "package_test: $*" >&2; exit 1; }
skip() { echo "package_test: skipped: $*"; exit 77; }
command -v appstreamcli >/dev/null || skip "appstreamcli is not installed (scripts/deps.sh installs appstream)"
command -v lintian >/dev/null || skip "lintian is not installed (scripts/deps.sh installs it)"

appstreamcli validate --no-net "$source_dir/packaging/org.korvane.Korvane.metainfo.xml" ||
    fail "the metainfo is not valid"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb")
[[ "$contents" == *./usr/share/metainfo/org.korvane.Korvane.metainfo.xml* ]] || fail "no metainfo in the package"
report=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1) || {
    echo "$report" >&2
    fail "lintian found errors or warnings"
}
printf '%s\n' "$report" | grep -E '^[EW]:' && fail "lintian: $report"
echo "package_test: lintian and appstreamcli find nothing"
