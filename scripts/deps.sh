#!/usr/bin/env bash
# Installs the Debian packages Korvane needs to build, test and run.
# Silent when everything is there, and then it needs neither root nor sudo nor the network.
# `deps.sh fuzz` checks only what `make fuzz` needs (clang with libFuzzer); `deps.sh windows` only
# what `make test-windows` needs (MinGW-w64, GoogleTest's sources, Wine); `deps.sh lint` what `make lint`
# needs (clang-format and clang-tidy).
# Every name below is a real package (a virtual one never shows as installed and would be fetched
# on every run).
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-liberation2 xvfb xauth socat srecord poppler-utils libqpdf-dev
    desktop-file-utils shared-mime-info groff-base dpkg-dev file lintian appstream
)
case "${1:-}" in
    fuzz) packages=(cmake ninja-build make clang libclang-rt-14-dev) ;;
    windows) packages=(cmake ninja-build make googletest g++-mingw-w64-x86-64-posix wine64) ;;
    lint) packages+=(clang-format-14 clang-tidy-14) ;;
    "") ;;
    *) echo "deps.sh: unknown set '$1' (none, fuzz, windows or lint)" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) || status=
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "deps.sh: these Debian packages are missing: ${missing[*]}" >&2
    echo "Install them as root, then run make again:" >&2
    echo "    su -c 'apt-get update && apt-get install --no-install-recommends ${missing[*]}'" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
