#!/usr/bin/env bash
# Builds a fuzzer with clang into build-fuzz/ and runs it.
#   scripts/fuzz.sh [numbers|experiment] [seconds] [extra libFuzzer options...]
# The target is the box-number reader unless named; seconds default to 60.
# New inputs collect in build-fuzz/corpus (numbers) or
# build-fuzz/corpus-experiment, crashes in build-fuzz/artifacts. The seeds
# and fuzz/regressions/<target>/ are read too; put each finding there once
# it is mended, and the tests run it from then on.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
target=numbers
case "${1:-}" in
  numbers | experiment)
    target="$1"
    shift
    ;;
esac
seconds="${1:-60}"
shift || true

. "$root/scripts/deps.sh"
orvinda_install_missing "${orvinda_packages[@]}"
orvinda_install_fuzzer

build="$root/build-fuzz"
(cd "$root" && cmake --preset fuzz >/dev/null)
cmake --build "$build" --target "fuzz_$target"

if [ "$target" = numbers ]; then
  corpus="$build/corpus"
  seeds="$root/fuzz/seeds"
  dict="$root/fuzz/numbers.dict"
  max_len=2048
else
  corpus="$build/corpus-experiment"
  seeds="$root/fuzz/experiment_seeds"
  dict="$root/fuzz/experiment.dict"
  # Room for real files and the size limit's edge would need 64 KiB inputs,
  # which slow every run; the limit itself is unit-tested.
  max_len=8192
fi

regressions=()
[ -d "$root/fuzz/regressions/$target" ] && regressions=("$root/fuzz/regressions/$target")

mkdir -p "$corpus" "$build/artifacts"
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/fuzz/fuzz_$target" \
  -max_total_time="$seconds" \
  -max_len="$max_len" \
  -dict="$dict" \
  -artifact_prefix="$build/artifacts/" \
  -print_final_stats=1 \
  "$@" \
  "$corpus" "$seeds" "${regressions[@]}"
