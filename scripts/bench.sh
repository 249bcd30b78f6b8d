#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks optimised and prints their
# results as one table. A missed target shows in the table; a benchmark that
# fails or finds a fault makes the script fail.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/deps.sh"
orvinda_install_missing "${orvinda_packages[@]}" xvfb xauth

build="$root/build-bench"
(cd "$root" && cmake --preset bench >/dev/null)

# The usual order first, then any newer benchmark.
benches=()
for name in bench_redraw bench_axes bench_run bench_keystroke; do
  [ -f "$root/bench/$name.cpp" ] && benches+=("$name")
done
for source in "$root"/bench/bench_*.cpp; do
  name="$(basename "$source" .cpp)"
  [[ " ${benches[*]} " == *" $name "* ]] || benches+=("$name")
done
# Only the benchmarks: the program and the documents are not needed here.
cmake --build "$build" --target "${benches[@]}" orvinda startup_bare

export QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8  # the point as separator, and character counts below

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

status=0
rows=()
notes=()
for bench in "${benches[@]}"; do
  echo "running $bench ..." >&2
  if ! (cd "$build" && "bench/$bench") >"$out/$bench.out" 2>"$out/$bench.err"; then
    status=1
    notes+=("$bench failed; its last messages:")
    while IFS= read -r line; do notes+=("  $line"); done < <(tail -n 5 "$out/$bench.err")
  fi
  while IFS= read -r line; do
    case "$line" in
      ROW$'\t'*) rows+=("${line#ROW$'\t'}") ;;
      FAULT$'\t'*) notes+=("FAULT in $bench: ${line#FAULT$'\t'}") ;;
    esac
  done <"$out/$bench.out"
done

# The start, timed from outside under Xvfb against a bare window.
echo "running startup ..." >&2
if "$root/bench/startup.sh" "$build/orvinda" "$build/bench/startup_bare" >"$out/startup.out" 2>&1; then
  while IFS= read -r line; do
    case "$line" in ROW$'\t'*) rows+=("${line#ROW$'\t'}") ;; esac
  done <"$out/startup.out"
else
  status=1
  notes+=("startup failed: $(tail -n 1 "$out/startup.out")")
fi

# Pads by characters, not bytes: the cases hold × and Cyrillic.
header=$'benchmark\tcase\tmedian\tp95 / max\ttarget\tverdict'
widths=(0 0 0 0 0 0)
for line in "$header" "${rows[@]}"; do
  IFS=$'\t' read -r -a cells <<<"$line"
  for i in "${!widths[@]}"; do
    cell="${cells[i]:-}"
    (( ${#cell} > widths[i] )) && widths[i]=${#cell}
  done
done
print_row() {
  local -a cells
  IFS=$'\t' read -r -a cells <<<"$1"
  local text="" i cell
  for i in "${!widths[@]}"; do
    cell="${cells[i]:-}"
    text+="$cell$(printf '%*s' $((widths[i] - ${#cell})) '')"
    (( i + 1 < ${#widths[@]} )) && text+=" | "
  done
  echo "${text%"${text##*[! ]}"}"
}
rule() {
  local text="" i
  for i in "${!widths[@]}"; do
    text+="$(printf '%*s' "${widths[i]}" '' | tr ' ' '-')"
    (( i + 1 < ${#widths[@]} )) && text+="-+-"
  done
  echo "$text"
}

echo
print_row "$header"
rule
for line in "${rows[@]}"; do print_row "$line"; done
for note in "${notes[@]}"; do echo "$note"; done
exit "$status"
