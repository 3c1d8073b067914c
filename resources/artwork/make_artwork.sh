#!/usr/bin/env bash
# Redraws every PNG under resources/ from draw_artwork.cpp.
#   resources/artwork/make_artwork.sh [SHEET.png]
# With an argument it also writes an enlarged overview sheet there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
resources=$(dirname "$here")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046
${CXX:-g++} -std=c++20 -O1 -fPIC -Wall -Wextra -Wpedantic -Wshadow -Werror \
  "$here/draw_artwork.cpp" -o "$work/draw_artwork" $(pkg-config --cflags --libs Qt6Gui)
mkdir -p "$resources/toolbar" "$resources/layers" "$resources/icons" "$resources/pictures"
if [[ $# -ge 1 ]]; then
  "$work/draw_artwork" "$resources" --sheet "$1"
else
  "$work/draw_artwork" "$resources"
fi
