#!/usr/bin/env bash
# Times the program's start against a bare Qt main window with the same menu
# bar, side by side under one Xvfb server: from exec to the window's first
# paint, median of N runs (7 by default) each. Needs a built program and
# bench; ./scripts/bench.sh runs it.
#   bench/startup.sh PROGRAM BARE [N]
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
  # Again inside one Xvfb server (its script keeps no shell functions).
  export QT_QPA_PLATFORM=xcb
  results="$(xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$@")"
  program_us="$(echo "$results" | awk '{print $1}' | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')"
  bare_us="$(echo "$results" | awk '{print $2}' | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')"
  # One row of the benchmark table (the tab-separated form bench.sh reads).
  awk -v p="$program_us" -v b="$bare_us" -v n="$(echo "$results" | wc -l)" 'BEGIN {
    printf "ROW\tstartup\tto first paint ÷ bare window (median of %d)\t%.2f×\t%.0f ms / %.0f ms\t≤ 1.20×\t%s\n",
      n, p / b, p / 1000, b / 1000, (p / b <= 1.2 ? "ok" : "MISSED")
  }'
  exit 0
fi
shift
program="$1"
bare="$2"
runs="${3:-7}"

time_one() {
  local start end
  start="$(date +%s%N)"
  end="$(ORVINDA_STARTUP_PROBE=1 "$1" 2>/dev/null | tail -n 1)"
  echo $(((end - start) / 1000))
}

# One start of each first, so that both find their libraries in the cache.
time_one "$program" >/dev/null
time_one "$bare" >/dev/null
for ((i = 0; i < runs; i++)); do
  echo "$(time_one "$program") $(time_one "$bare")"
done
