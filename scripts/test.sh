#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and sanitizers,
# and runs every test headless through CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/deps.sh"
orvinda_install_missing "${orvinda_packages[@]}" "${orvinda_check_packages[@]}"
orvinda_ensure_ru_locale
"$root/scripts/check_format.sh"

build="$root/build-test"
(cd "$root" && cmake --preset test >/dev/null)
cmake --build "$build"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure -j2 "$@"
