#!/usr/bin/env bash
# Installs the Debian packages that Quillon needs to build, run and test.
# Installs only what is missing; needs root (or sudo) when something is.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-svg-dev libgl-dev
    clang libclang-rt-14-dev
    fonts-dejavu-core
    xvfb xauth imagemagick x11-utils
    dpkg-dev desktop-file-utils appstream
    cloc
)
# The PGN round trip runs chess.js under node; a node from elsewhere will do.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    packages+=(nodejs npm)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "Missing packages: ${missing[*]}. Run this script as root to install them." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
