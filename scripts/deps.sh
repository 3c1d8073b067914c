#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, only those that
# are missing; prints nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  clang libclang-rt-14-dev
  libfreetype-dev libfontconfig-dev fontconfig fonts-dejavu-core
  libjpeg62-turbo-dev libgif-dev libpng-dev
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland
  # the manual page, shell completion, desktop metadata checks and the package
  help2man bash-completion appstream desktop-file-utils dpkg-dev lintian
  # translations: gettext catalogs and Qt's lupdate / lrelease
  gettext qt6-l10n-tools
  # the yardstick of the whole-process benchmark
  libcairo2-dev
  # the Debian source package: dpkg-buildpackage with debhelper, and
  # hardening-check (in devscripts) for the package test; every -dev package
  # above that the programs build with belongs in debian/control's
  # Build-Depends as well
  debhelper devscripts
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if (( ${#missing[@]} )); then
  echo "Installing missing packages: ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then
    echo "error: run as root to install packages" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
