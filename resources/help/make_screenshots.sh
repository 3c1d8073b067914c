#!/usr/bin/env bash
# Redraws the pictures of the help document in resources/help/images/ with
# the program's own windows, under a virtual X server (package xvfb) so that
# they look the same whatever desktop this runs on.
#   resources/help/make_screenshots.sh [BUILD-DIR [LANGUAGE]]   (default: build)
# With a LANGUAGE (such as de) the windows speak it, in the translations of
# the build, and the pictures of the main window, an editor and the set
# dialog go to docs/LANGUAGE/ instead, to check the translation by eye.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-build}
language=${2:-}
[[ -d "$build" ]] || { echo "no build folder $build: configure one first" >&2; exit 1; }
cmake --build "$build" --target vorbel-help-screenshots vorbel_message_catalogs vorbel_qt_translations -j2
tool=$(find "$build" -name vorbel-help-screenshots -type f -perm -u+x | head -n 1)
out=$here/images
speech=()
if [[ -n $language ]]; then
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  speech=(-u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 LANGUAGE="$language")
fi
# No desktop theme and a fixed style, whatever the caller's environment says.
env -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE "${speech[@]}" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x768x24" "$tool" "$out" "$root"
if [[ -n $language ]]; then
  mkdir -p "$root/docs/$language"
  cp "$out/readme_window.png" "$root/docs/$language/main_window.png"
  cp "$out/dlg_text.png" "$root/docs/$language/editor.png"
  cp "$out/dlg_text_effects.png" "$root/docs/$language/editor_effects.png"
  cp "$out/dlg_export_set.png" "$root/docs/$language/export_set.png"
  exit 0
fi
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
