#!/usr/bin/env bash
# Builds the Debian package (Release, prefix /usr) into build-package/ and
# checks it with lintian. Fails on any lintian error.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/deps.sh"
orvinda_install_missing "${orvinda_packages[@]}" "${orvinda_check_packages[@]}" dpkg-dev lintian

# Debian's own compiler and linker flags, hardening included; no -g, as the
# package strips the program anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags=" $(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS) "
cxxflags="${cxxflags// -g / }"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

build="$root/build-package"
(cd "$root" && cmake --preset package \
  -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >/dev/null)
cmake --build "$build"
rm -f "$build"/orvinda_*.deb
(cd "$build" && cpack >/dev/null)
debs=("$build"/orvinda_*.deb)
deb="${debs[0]}"
echo "Package: $deb"

report="$(lintian --fail-on none --display-info "$deb" 2>&1 | grep -v 'running with root privileges')" || true
[ -n "$report" ] && echo "$report"
errors="$(grep -E '^E: ' <<<"$report" || true)"
if [ -n "$errors" ]; then
  echo "lintian found errors:" >&2
  echo "$errors" >&2
  exit 1
fi
echo "lintian: no errors."
