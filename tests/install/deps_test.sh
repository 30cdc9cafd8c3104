#!/usr/bin/env bash
# scripts/deps.sh against a fake dpkg-query, id and apt-get: silent and offline when nothing is
# missing; a user without root or sudo is told the command to run.
set -euo pipefail
script=$1
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
fail() { echo "deps_test: $*" >&2; exit 1; }

# dpkg-query says every package is installed but those named in $MISSING.
cat >"$fake/dpkg-query" <<'SH'
#!/bin/bash
for p in $MISSING; do [ "$p" = "${@: -1}" ] && { echo "dpkg-query: no packages found matching $p" >&2; exit 1; }; done
printf 'install ok installed'
SH
printf '#!/bin/bash\necho "$FAKE_UID"\n' >"$fake/id"
printf '#!/bin/bash\necho "apt-get $*" >>"$APT_LOG"\n' >"$fake/apt-get"
chmod +x "$fake"/*

run() { # MISSING UID -> sets out, status; PATH holds only the fakes, so there is no sudo
    : >"$fake/apt.log"
    set +e
    out=$(env -i PATH="$fake" MISSING="$1" FAKE_UID="$2" APT_LOG="$fake/apt.log" /bin/bash "$script" 2>&1)
    status=$?
    set -e
}

run "" 1000
[ "$status" -eq 0 ] || fail "nothing missing: exit $status"
[ -z "$out" ] || fail "nothing missing printed: $out"
[ ! -s "$fake/apt.log" ] || fail "nothing missing called $(cat "$fake/apt.log")"

run "socat lintian" 1000
[ "$status" -eq 1 ] || fail "missing without root or sudo: exit $status"
[[ "$out" == *"apt-get update && apt-get install --no-install-recommends socat lintian"* ]] ||
    fail "missing without root or sudo does not say what to run: $out"
[ ! -s "$fake/apt.log" ] || fail "missing without root or sudo called $(cat "$fake/apt.log")"

run "socat" 0
[ "$status" -eq 0 ] || fail "missing as root: exit $status ($out)"
grep -qx 'apt-get update -qq' "$fake/apt.log" || fail "missing as root did not update the lists"
grep -q '^apt-get install .* socat$' "$fake/apt.log" || fail "missing as root did not install socat"
echo "deps_test: silent when complete, clear when not"
