#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# and only when one of them is missing. Sourced by the other scripts.
set -euo pipefail

orvinda_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libqt6svg6 qt6-image-formats-plugins qt6-translations-l10n qt6-qpa-plugins
  libgl-dev fonts-liberation2 fonts-dejavu-core poppler-utils
  locales clang-format-14
)

# What the tests call to check the files handed to the desktop: the menu
# entry, the software-centre listing, the file type and the manual pages.
orvinda_check_packages=(
  appstream desktop-file-utils libxml2-utils shared-mime-info man-db groff-base
)

orvinda_install_missing() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# clang with libFuzzer, for the fuzz targets. Fails when it cannot be had.
orvinda_install_fuzzer() {
  orvinda_install_missing clang || return 1
  # libFuzzer's runtime comes separately on some Debian releases.
  local probe
  probe="$(mktemp -d)"
  echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' \
    >"$probe/probe.cpp"
  local status=0
  if ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
    local version
    version="$(clang++ -dumpversion | cut -d. -f1)"
    orvinda_install_missing "libclang-rt-${version}-dev" &&
      clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null || status=1
  fi
  rm -rf "$probe"
  return "$status"
}

# The number tests also run under a Russian locale (decimal comma).
orvinda_ensure_ru_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    if [ -f /etc/locale.gen ]; then
      "${sudo[@]}" sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
      grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
      "${sudo[@]}" locale-gen >/dev/null
    fi
  fi
}
