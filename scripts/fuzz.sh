#!/usr/bin/env bash
# Builds the fuzz targets of the two file readers, saved games and PGN, with
# clang (address and undefined-behaviour sanitizers, no Qt) and fuzzes each
# in turn; fails on any crash.
#
#   scripts/fuzz.sh [seconds] [--merge]
#
# seconds  how long to fuzz each target, default 10.
# --merge  afterwards add the inputs that reached new code to the committed
#          seed corpora tests/fuzz/corpus/<target>.
#
# What a run finds is kept in build/fuzz/corpus, so longer and repeated runs
# keep growing it without touching the repository.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=10
merge=false
for arg in "$@"; do
    case "$arg" in
        --merge) merge=true ;;
        *[!0-9]* | "") echo "usage: $0 [seconds] [--merge]" >&2; exit 2 ;;
        *) seconds=$arg ;;
    esac
done

build=build/fuzz
targets=(gamefile pgn)

CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLON_BUILD_GUI=OFF -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF \
    -DQUILLON_BUILD_FUZZ=ON -DQUILLON_SANITIZE=address,undefined >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/%/_fuzz}"

for target in "${targets[@]}"; do
    seeds=tests/fuzz/corpus/$target
    found=$build/corpus/$target
    fuzzer=$build/tests/fuzz/${target}_fuzz
    mkdir -p "$found"
    "$fuzzer" -max_total_time="$seconds" -artifact_prefix="$build/$target-" \
        -print_final_stats=1 "$found" "$seeds"
    if $merge; then
        "$fuzzer" -merge=1 "$seeds" "$found"
    fi
done
