#!/usr/bin/env bash
# Redraws the README's pictures of a button set from examples/nav_set: the
# sprite sheet as the program writes it, the same set with captions in three
# scripts, and its preview page as a browser shows it (headless Chromium,
# package chromium).
#   docs/make_set_pictures.sh [BUILD-DIR]      (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-build}
[[ -d "$build" ]] || { echo "no build folder $build: configure one first" >&2; exit 1; }
cmake --build "$build" --target vorbel
vorbel=$(find "$build" -name vorbel -type f -perm -u+x | head -n 1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$vorbel" --export-set "$work/nav" --captions-file "$root/examples/nav_set/captions.txt" \
  --states normal,hover,pressed,disabled --scales 1,2 --sprite "$root/examples/nav_set/navigation.vrb"
cp "$work/nav/sprite.png" "$here/nav_set_sprite.png"
# The same set with its captions in English, Arabic and Chinese.
"$vorbel" --export-set "$work/scripts" \
  --captions "Home,Products,Contact,الرئيسية,المنتجات,اتصل بنا,首页,产品,联系我们" \
  --states normal,hover --sprite "$root/examples/nav_set/navigation.vrb"
cp "$work/scripts/sprite.png" "$here/nav_set_scripts.png"
browser=$(command -v chromium || true)
[[ -n $browser ]] || { echo "headless Chromium is needed for the preview page: apt-get install chromium" >&2; exit 1; }
# The top of the page: the live buttons and the first rows of its file table.
"$browser" --headless=new --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor=1 \
  --window-size=900,560 --screenshot="$here/nav_set_preview.png" "file://$work/nav/preview.html" 2>/dev/null
echo "wrote docs/nav_set_sprite.png, docs/nav_set_scripts.png and docs/nav_set_preview.png"
