#!/usr/bin/env bash
# Installs what is missing, builds Quillon and starts the game. Any arguments
# go to the game, e.g. a saved game to open.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target quillon

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Quillon is built at $build/app/quillon but there is no display to show its window." >&2
    echo "Run this from a desktop session, or start it on a virtual display with:" >&2
    echo "  xvfb-run -a $build/app/quillon" >&2
    exit 1
fi
exec "$build/app/quillon" "$@"
