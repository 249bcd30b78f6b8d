#!/usr/bin/env bash
# Builds the number fuzzer with clang into build-fuzz/ and runs it.
#   scripts/fuzz.sh [seconds] [extra libFuzzer options...]
# New inputs collect in build-fuzz/corpus, crashes in build-fuzz/artifacts.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true

. "$root/scripts/deps.sh"
orvinda_install_missing "${orvinda_packages[@]}" clang

# libFuzzer's runtime comes separately on some Debian releases.
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' \
  >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
  version="$(clang++ -dumpversion | cut -d. -f1)"
  orvinda_install_missing "libclang-rt-${version}-dev"
fi

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVINDA_FUZZ=ON -DORVINDA_TESTS=OFF -DORVINDA_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_numbers

mkdir -p "$build/corpus" "$build/artifacts"
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/fuzz/fuzz_numbers" \
  -max_total_time="$seconds" \
  -max_len=2048 \
  -dict="$root/fuzz/numbers.dict" \
  -artifact_prefix="$build/artifacts/" \
  -print_final_stats=1 \
  "$@" \
  "$build/corpus" "$root/fuzz/seeds"
