#!/usr/bin/env bash
# Random use of every window for as long as asked:
#   ./scripts/soak.sh [events] [seed]
# Builds the soak test in the sanitizer build of test.sh (build-test/) and
# runs it headless; prints the events, runs and faults, and fails on a fault
# with the last events before it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
events="${1:-100000}"
seed="${2:-$(date +%s)}"
build="$root/build-test"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug \
    -DORVINDA_WERROR=ON \
    -DORVINDA_SANITIZE=ON >/dev/null
fi
cmake --build "$build" --target test_soak
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ORVINDA_SOAK_EVENTS="$events" ORVINDA_SOAK_SEED="$seed"
# A long soak takes as long as it takes: no five-minute limit of Qt Test.
export QTEST_FUNCTION_TIMEOUT=604800000
"$build/tests/test_soak" -maxwarnings 0
