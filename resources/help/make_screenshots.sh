#!/usr/bin/env bash
# Redraws the pictures of the help document in resources/help/images/ with
# the program's own windows, under a virtual X server (package xvfb) so that
# they look the same whatever desktop this runs on.
#   resources/help/make_screenshots.sh [BUILD-DIR]      (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-build}
[[ -d "$build" ]] || { echo "no build folder $build: configure one first" >&2; exit 1; }
cmake --build "$build" --target vorbel-help-screenshots -j2
tool=$(find "$build" -name vorbel-help-screenshots -type f -perm -u+x | head -n 1)
# No desktop theme and a fixed style, whatever the caller's environment says.
env -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x768x24" "$tool" "$here/images" "$root"
# The README shows two of them as well, and the window with the welcome
# example.
mv "$here/images/readme_window.png" "$root/docs/screenshot.png"
cp "$here/images/edit_menu.png" "$root/docs/edit_menu.png"
cp "$here/images/dlg_bevel.png" "$root/docs/editor.png"
# The same windows on a screen of twice the density (docs/2x/): the main
# window, the text editor and the set dialog.
double=$(mktemp -d)
trap 'rm -rf "$double"' EXIT
env -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 \
  xvfb-run -a -s "-screen 0 2048x1536x24" "$tool" "$double" "$root" >/dev/null
mkdir -p "$root/docs/2x"
cp "$double/main_window.png" "$root/docs/2x/main_window.png"
cp "$double/dlg_text.png" "$root/docs/2x/text_editor.png"
cp "$double/dlg_export_set.png" "$root/docs/2x/set_dialog.png"
