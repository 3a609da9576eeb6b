#!/usr/bin/env bash
# The long reliability runs: many self-play games through the document and
# many random positions against the reference rules, with their figures.
#
#   scripts/soak.sh [games] [positions]   (default 200 games, 1000000 positions)
set -euo pipefail
cd "$(dirname "$0")/.."

games=${1:-200}
positions=${2:-1000000}
build=build/reliability

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON \
    -DQUILLON_BUILD_GUI=OFF -DQUILLON_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target reliability_soak_test reliability_rules_test

tests=$build/tests/reliability
QUILLON_SOAK_GAMES=$games "$tests/reliability_soak_test"
QUILLON_RULES_POSITIONS=$positions "$tests/reliability_rules_test"
