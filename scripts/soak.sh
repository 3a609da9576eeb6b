#!/usr/bin/env bash
# The long reliability run: the rules held against chess.js over many more
# random games than the test suite plays.
#
#   scripts/soak.sh [games]   (default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."

games=${1:-1000}
build=build/reliability

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON \
    -DQUILLON_BUILD_GUI=OFF -DQUILLON_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target pgn_random_games
QUILLON_RULES_GAMES=$games ctest --test-dir "$build" --output-on-failure \
    -R '^(pgn.install_reader|rules.against_chessjs)$'
