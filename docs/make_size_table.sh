#!/usr/bin/env bash
# Rewrites the README's table of file sizes: every example layout and the
# sprite sheets of the navigation set at 1x, 2x and 3x, as the program writes
# them in PNG and WebP, against what `optipng -o2` (package optipng) and
# `cwebp -lossless -z 9` (package webp) make of the same pixels. Both tools
# start from a plain 8-bit RGBA PNG of the picture (dwebp's decoding of our
# lossless WebP, so exactly its pixels). The table goes between the README's
# "size-table" markers.
#   docs/make_size_table.sh [BUILD-DIR]      (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-build}
[[ -d "$build" ]] || { echo "no build folder $build: configure one first" >&2; exit 1; }
for tool in optipng cwebp dwebp; do
  command -v "$tool" >/dev/null || { echo "$tool is needed: apt-get install optipng webp" >&2; exit 1; }
done
cmake --build "$build" --target vorbel
vorbel=$(find "$build" -name vorbel -type f -perm -u+x | head -n 1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size() { stat -c %s "$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# One row: NAME, our PNG, our WebP.
row() {
  local name=$1 png=$2 webp=$3 base=$work/reference
  dwebp -quiet "$webp" -o "$base.png"
  optipng -quiet -o2 -out "$base-optipng.png" "$base.png"
  cwebp -quiet -lossless -z 9 "$base.png" -o "$base-cwebp.webp"
  local ours opti webp_ours webp_ref
  ours=$(size "$png") opti=$(size "$base-optipng.png")
  webp_ours=$(size "$webp") webp_ref=$(size "$base-cwebp.webp")
  rm -f "$base-optipng.png"
  printf '| %s | %s | %s | %s | %s | %s | %s |\n' "$name" "$ours" "$opti" "$(ratio "$ours" "$opti")" \
    "$webp_ours" "$webp_ref" "$(ratio "$webp_ours" "$webp_ref")"
}

table=$work/table.md
{
  echo '| Picture | PNG (bytes) | `optipng -o2` | ratio | WebP (bytes) | `cwebp -lossless -z 9` | ratio |'
  echo '|---|--:|--:|--:|--:|--:|--:|'
  while IFS= read -r layout; do
    name=${layout#"$root/"}
    "$vorbel" --export "$work/one.png" "$layout"
    "$vorbel" --export "$work/one.webp" "$layout"
    row "\`$name\`" "$work/one.png" "$work/one.webp"
  done < <(find "$root/examples" -name '*.vrb' | sort)
  for format in png webp; do
    "$vorbel" --export-set "$work/nav-$format" --format "$format" \
      --captions-file "$root/examples/nav_set/captions.txt" --states normal,hover,pressed,disabled \
      --scales 1,2,3 --sprite "$root/examples/nav_set/navigation.vrb"
  done
  for scale in 1 2 3; do
    suffix=$([[ $scale == 1 ]] && echo "" || echo "@${scale}x")
    row "navigation set, sprite sheet at ${scale}x" "$work/nav-png/sprite$suffix.png" \
      "$work/nav-webp/sprite$suffix.webp"
  done
} >"$table"

# The table replaces the lines between the markers.
readme=$root/README.md
awk -v table="$table" '
  /<!-- size-table -->/ { print; while ((getline line < table) > 0) print line; skip = 1; next }
  /<!-- end size-table -->/ { skip = 0 }
  !skip { print }' "$readme" >"$work/README.md"
cp "$work/README.md" "$readme"
cat "$table"
