#!/bin/bash
# The AppStream metadata and the desktop entry pass their validators, the
# metadata's id is the desktop entry's name, and it names the program, the
# layout file type, the licence, the bug tracker and the releases; the file
# type is known by its content too and has an icon in every size; all three
# carry the German translation.
#   metadata_test.sh METAINFO DESKTOP_ENTRY MIME_PACKAGE ICON_THEME_DIR
set -euo pipefail
metainfo=$1 desktop=$2 mime=$3 icons=$4
for tool in appstreamcli desktop-file-validate; do
  command -v $tool >/dev/null || { echo "$tool is not installed"; exit 77; }
done

failed=0
appstreamcli validate --no-net --pedantic --strict --explain "$metainfo" || failed=1
desktop-file-validate "$desktop" || failed=1

expect() {
  grep -qF -e "$2" "$1" || { echo "$(basename "$1") lacks $2"; failed=1; }
}
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
id=$(basename "$desktop" .desktop)
expect "$metainfo" "<id>$id</id>"
expect "$metainfo" "<launchable type=\"desktop-id\">$id.desktop</launchable>"
expect "$metainfo" "<mediatype>$type</mediatype>"
expect "$metainfo" "<binary>vorbel</binary>"
expect "$metainfo" "<project_license>MIT</project_license>"
expect "$metainfo" '<url type="bugtracker">https://'
expect "$metainfo" '<release version="'
expect "$desktop" "MimeType=$type;"
expect "$desktop" "Icon=$id"
expect "$mime" '<match type="string" offset="0" value="[Button]"/>'
# The shipped translations are merged in.
expect "$desktop" "Comment[de]="
expect "$mime" '<comment xml:lang="de">'
expect "$metainfo" '<summary xml:lang="de">'
# A PNG file's signature, width and height, as "89504e47... WxH".
png_size() {
  local bytes
  bytes=$(od -An -tx1 -N24 "$1" 2>/dev/null | tr -d ' \n')
  [[ ${#bytes} -eq 48 ]] || { echo none; return; }
  echo "${bytes:0:16} $((16#${bytes:32:8}))x$((16#${bytes:40:8}))"
}
icon=${type//\//-}
for size in 16 32 48 64 128 256; do
  for file in "$icons/${size}x$size/mimetypes/$icon.png" "$icons/${size}x$size/apps/$id.png"; do
    [[ $(png_size "$file") == "89504e470d0a1a0a ${size}x$size" ]] || { echo "no $size-pixel PNG $file"; failed=1; }
  done
done
grep -q '<svg' "$icons/scalable/mimetypes/$icon.svg" 2>/dev/null || { echo "no scalable icon of $type"; failed=1; }
exit $failed
