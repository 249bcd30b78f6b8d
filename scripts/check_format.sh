#!/usr/bin/env bash
# Fails when a C++ file differs from .clang-format, and prints the command
# that fixes it. Pinned to Debian 12's clang-format-14: other versions
# format differently.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mapfile -t files < <(find main.cpp src tests bench fuzz tools -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
unformatted=()
for file in "${files[@]}"; do
  if ! clang-format-14 --dry-run -Werror "$file" >/dev/null 2>&1; then
    unformatted+=("$file")
  fi
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "These files are not formatted as .clang-format asks:" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  echo "Fix with:" >&2
  echo "  clang-format-14 -i ${unformatted[*]}" >&2
  exit 1
fi
