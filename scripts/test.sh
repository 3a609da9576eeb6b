#!/usr/bin/env bash
# Installs what is missing, builds Quillon with warnings as errors and runs
# every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/check-layers.sh
scripts/install-deps.sh

jobs=$(nproc)
build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON
cmake --build "$build" -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$jobs"
scripts/fuzz.sh 10
scripts/check-package.sh
scripts/sanitizers.sh
scripts/count-lines.sh
