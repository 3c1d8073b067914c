#!/usr/bin/env bash
# Installs what is missing, builds Vorbel (the programs and their data, in
# build-run/, without the tests) and runs its main job on the bundled example
# layout: opens the main window on examples/welcome.vrb when a display is
# available, and always renders the example to out/welcome.png and
# out/welcome.gif with the command line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh run
scripts/build.sh run

mkdir -p out
build-run/src/app/vorbel --export out/welcome.png examples/welcome.vrb
build-run/src/app/vorbel --export out/welcome.gif examples/welcome.vrb
echo "Rendered examples/welcome.vrb to out/welcome.png and out/welcome.gif"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Opening examples/welcome.vrb in the Vorbel window"
  exec build-run/src/app/vorbel examples/welcome.vrb
else
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window was not opened;"
  echo "the command line rendered the example instead."
fi
