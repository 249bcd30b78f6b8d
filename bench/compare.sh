#!/usr/bin/env bash
# Runs the benchmarks of two optimised builds side by side, alternating
# before and after in each round so that both see the same machine, and
# prints each case's median over the rounds for both (bench.sh's table, one
# build at a time, drifts with the machine's load between runs).
#   bench/compare.sh BEFORE_BUILD AFTER_BUILD [ROUNDS]
# Each build is a build-bench folder (cmake --preset bench, then its
# benchmarks, orvinda and startup_bare built).
set -euo pipefail
before="$(cd "$1" && pwd)"
after="$(cd "$2" && pwd)"
rounds="${3:-3}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

export QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

benches=()
for program in "$after"/bench/bench_*; do
  name="$(basename "$program")"
  [ -f "$program" ] && [ -x "$program" ] && [ -x "$before/bench/$name" ] && benches+=("$name")
done

for ((round = 1; round <= rounds; round++)); do
  for name in "${benches[@]}"; do
    echo "round $round: $name ..." >&2
    for side in before after; do
      build="$before"
      [ "$side" = after ] && build="$after"
      (cd "$build" && "bench/$name" 2>/dev/null | grep "^ROW" | sed "s/^ROW/$side/") >>"$out/rows" || true
    done
  done
  for side in before after; do
    build="$before"
    [ "$side" = after ] && build="$after"
    # A program without the start probe would never end.
    grep -q ORVINDA_STARTUP_PROBE "$build/orvinda" || continue
    echo "round $round: startup ($side) ..." >&2
    "$here/startup.sh" "$build/orvinda" "$after/bench/startup_bare" 7 | grep "^ROW" |
      sed "s/^ROW/$side/" >>"$out/rows" || true
  done
done

# side, benchmark, case, median "value unit"; the median of the rounds' medians.
# A case that carries measured figures in brackets is matched without them.
awk -F'\t' '
  {
    gsub(/ \([^()]*[0-9]\.[0-9][^()]*\)/, "", $3)
    key = $2 "\t" $3
    split($4, part, " ")
    value = part[1] + 0
    unit = substr($4, length(part[1]) + 1)
    if (!(key in order)) { order[key] = ++count; keys[count] = key }
    n = ++seen[$1, key]
    values[$1, key, n] = value
    units[key] = unit
  }
  function median(side, key,    n, i, j, t, a) {
    n = seen[side, key]
    if (n == 0) return ""
    for (i = 1; i <= n; i++) a[i] = values[side, key, i]
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return a[int((n + 1) / 2)]
  }
  END {
    printf "%s\t%s\t%s\t%s\t%s\n", "benchmark", "case", "before", "after", "after ÷ before"
    for (k = 1; k <= count; k++) {
      key = keys[k]
      b = median("before", key); a = median("after", key)
      ratio = (b != "" && a != "" && b + 0 != 0) ? sprintf("%.2f", a / b) : "-"
      printf "%s\t%s%s\t%s%s\t%s\n", key, (b == "" ? "-" : b), (b == "" ? "" : units[key]),
        (a == "" ? "-" : a), (a == "" ? "" : units[key]), ratio
    }
  }' "$out/rows" | column -t -s $'\t'
