#!/usr/bin/env bash
# Installs the Debian packages Korvane needs to build, test and run.
# Does nothing when everything is already there; works as root or through sudo.
# `deps.sh fuzz` installs only what `make fuzz` needs (clang with libFuzzer).
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev libqt6svg6-dev qt6-qpa-plugins qt6-translations-l10n
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    fonts-liberation2 xvfb xauth socat srecord poppler-utils
    desktop-file-utils shared-mime-info groff-base dpkg-dev file
)
if [ "${1:-}" = fuzz ]; then
    packages=(cmake ninja-build make clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "deps.sh: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
