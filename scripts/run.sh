#!/usr/bin/env bash
# Installs what is missing, builds Vorbel and runs its main job on the bundled
# example layout: opens the main window on examples/welcome.vrb when a display is
# available, and always renders the example to out/welcome.png with the command line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
scripts/build.sh plain

mkdir -p out
build/src/app/vorbel --export out/welcome.png examples/welcome.vrb
build/src/app/vorbel --export out/welcome.gif examples/welcome.vrb
echo "Rendered examples/welcome.vrb to out/welcome.png and out/welcome.gif"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Opening examples/welcome.vrb in the Vorbel window"
  exec build/src/app/vorbel examples/welcome.vrb
else
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window was not opened;"
  echo "the command line rendered the example instead."
fi
