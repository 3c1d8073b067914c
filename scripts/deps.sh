#!/usr/bin/env bash
# Installs the Debian packages that building need, only those that are
# missing; prints nothing when everything is already there.
#   scripts/deps.sh run    what building and running the programs needs
#   scripts/deps.sh test   that and what the tests need (the default)
set -euo pipefail

kind=${1:-test}
packages=(
  cmake ninja-build g++ pkg-config
  libfreetype-dev libfontconfig-dev fontconfig fonts-dejavu-core
  libjpeg62-turbo-dev libgif-dev libpng-dev libwebp-dev libdeflate-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland
  # the manual page
  help2man
  # translations: gettext catalogs and Qt's lupdate / lrelease; the rules by
  # which msgfmt translates the AppStream metadata and the MIME type
  gettext qt6-l10n-tools appstream shared-mime-info
  # captions in every script: shaping and the bidirectional algorithm
  libharfbuzz-dev libfribidi-dev
)
case $kind in
  run) ;;
  test)
    packages+=(
      # the sanitizer build and the fuzz targets
      clang libclang-rt-14-dev
      libgtest-dev libbenchmark-dev
      # shell completion, desktop metadata checks and the package
      bash-completion appstream desktop-file-utils dpkg-dev lintian
      # the yardstick of the whole-process benchmark
      libcairo2-dev
      # the fonts the tests draw Chinese, Japanese and Devanagari with
      fonts-droid-fallback fonts-lohit-deva
      # the Debian source package: dpkg-buildpackage with debhelper, and
      # hardening-check (in devscripts) for the package test; every -dev
      # package above that the programs build with belongs in debian/control's
      # Build-Depends as well
      debhelper devscripts
    ) ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

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
