#!/usr/bin/env bash
# Builds the tests a second time with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them all, then builds the tests that use
# threads with ThreadSanitizer and runs those. Any sanitizer report fails the
# run.
#
# Usage: scripts/sanitizers.sh [asan] [tsan]   (both when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
runs=("$@")
[ ${#runs[@]} -eq 0 ] && runs=(asan tsan)

export QT_QPA_PLATFORM=offscreen
# A report must end the test that caused it, so that ctest sees it fail.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The window tests fork child processes; without die_after_fork=0 the
# thread sanitizer ends a test at the first thread started after a fork
# instead of checking it.
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:die_after_fork=0

# Warnings are the normal build's business; some only appear with the
# sanitizers' instrumentation and say nothing about our code.
configure() {
    local build=$1 sanitizers=$2 bench=${3:-OFF}
    cmake -S . -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUILLON_SANITIZE="$sanitizers" -DQUILLON_BUILD_BENCH="$bench" >/dev/null
}

# Builds only the tests below the given directories (and what they link).
build_and_test() {
    local build=$1
    shift
    for dir in "$@"; do
        make -C "$build/$dir" -j "$jobs" --no-print-directory >/dev/null
    done
    for dir in "$@"; do
        ctest --test-dir "$build/$dir" --output-on-failure -j "$jobs"
    done
}

run_asan() {
    configure build/asan address,undefined
    build_and_test build/asan tests
}

# The clock, the document's published position, the view's move worker and
# the search's threads are what more than one thread touches; the search's
# are checked by the bench's comparisons of parallel and single searches.
run_tsan() {
    configure build/tsan thread ON
    build_and_test build/tsan tests/clock tests/document tests/view
    make -C build/tsan/bench -j "$jobs" --no-print-directory search_bench >/dev/null
    ctest --test-dir build/tsan/bench --output-on-failure -R search_parallel
}

start=$SECONDS
for run in "${runs[@]}"; do
    case $run in
        asan) run_asan ;;
        tsan) run_tsan ;;
        *)
            echo "unknown run: $run (asan or tsan)" >&2
            exit 2
            ;;
    esac
done
echo "sanitizer runs (${runs[*]}) took $((SECONDS - start)) s"
