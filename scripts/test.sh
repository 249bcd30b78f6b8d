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

# On a full run, each fuzz target for a while too, seeded, when clang can be
# had: ORVINDA_FUZZ_SECONDS each (30; 0 leaves it out).
seconds="${ORVINDA_FUZZ_SECONDS:-30}"
if [ $# -eq 0 ] && [ "$seconds" -gt 0 ]; then
  if orvinda_install_fuzzer; then
    for target in numbers experiment; do
      "$root/scripts/fuzz.sh" "$target" "$seconds" -seed=1
    done
  else
    echo "No clang with libFuzzer: the fuzz targets were not run" >&2
  fi
fi
