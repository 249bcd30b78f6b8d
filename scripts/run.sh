#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/deps.sh"
orvinda_install_missing "${orvinda_packages[@]}"

build="$root/build"
(cd "$root" && cmake --preset run >/dev/null)
# Only the program and the documents its menus open: no tests, no benchmarks.
cmake --build "$build" --target orvinda documents

# The menus look for their documents in the current folder first.
cd "$build"
exec ./orvinda "$@"
