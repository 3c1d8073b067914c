#!/bin/bash
# The manual page names every option that `vorbel --help` shows, carries the
# hand-written sections and the files the programs use, and man formats it
# without a warning.
#   man_page_test.sh VORBEL MAN_PAGE
set -euo pipefail
vorbel=$1 page=$2
command -v man >/dev/null || { echo "man is not installed"; exit 77; }

warnings=$(MANWIDTH=200 man --warnings -l "$page" 2>&1 >/dev/null)
[[ -z $warnings ]] || { echo "man warns about $page:"; echo "$warnings"; exit 1; }
text=$(MANWIDTH=200 man -l "$page" 2>/dev/null)

failed=0
expect() {
  grep -qF -e "$1" <<<"$text" || { echo "the manual page lacks $2 '$1'"; failed=1; }
}
# Option lines of the help: two spaces, then "-h, --help" or "--export".
while IFS= read -r line; do
  [[ $line =~ ^\ \ (-[^ ,]*)(, (-[^ ,]*))? ]] || continue
  expect "${BASH_REMATCH[1]}" option
  [[ -z ${BASH_REMATCH[3]} ]] || expect "${BASH_REMATCH[3]}" option
done < <("$vorbel" --help)
for section in SYNOPSIS "LAYOUT FILES" "EXIT STATUS" ENVIRONMENT FILES EXAMPLES COPYRIGHT "SEE ALSO"; do
  expect "$section" section
done
# Every file the programs read or write: settings, cache, the registration of
# layout files, the thumbnailer.
for file in Vorbel.conf font-matches applications/org.vorbel.vorbel.desktop mime/packages/org.vorbel.vorbel.xml \
            thumbnailers/org.vorbel.vorbel.thumbnailer vorbelkit.hlp; do
  expect "$file" file
done
expect "MIT" "the licence"
expect "vorbel - draw button images" "the name line"
exit $failed
