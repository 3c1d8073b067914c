#!/bin/bash
# The AppStream metadata and the desktop entry pass their validators, and the
# metadata names the desktop entry, the program and the layout file type that
# the package installs.
#   metadata_test.sh METAINFO DESKTOP_ENTRY MIME_PACKAGE
set -euo pipefail
metainfo=$1 desktop=$2 mime=$3
for tool in appstreamcli desktop-file-validate; do
  command -v $tool >/dev/null || { echo "$tool is not installed"; exit 77; }
done

failed=0
appstreamcli validate --no-net --strict --explain "$metainfo" || failed=1
desktop-file-validate "$desktop" || failed=1

expect() {
  grep -qF -e "$2" "$1" || { echo "$(basename "$1") lacks $2"; failed=1; }
}
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
expect "$metainfo" "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>"
expect "$metainfo" "<mediatype>$type</mediatype>"
expect "$metainfo" "<binary>vorbel</binary>"
expect "$desktop" "MimeType=$type;"
exit $failed
