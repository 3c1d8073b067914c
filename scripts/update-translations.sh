#!/usr/bin/env bash
# Brings the translations up to date with the sources, after new or changed
# texts: extracts the gettext messages and the AppStream texts into
# po/vorbel.pot, merges it into every po/<language>.po, and brings every
# translations/vorbel_<language>.ts up to date with the window's sources
# (lupdate). Then it lists what is left to translate; translate that (any PO
# editor, Qt Linguist, or by hand: entries marked "fuzzy" are guesses from
# similar texts and need a look) and keep to po/GLOSSARY.de.md.
#   scripts/update-translations.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
[[ -f $build/build.ninja ]] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target vorbel_pot vorbel_ts

status=0
for po in po/*.po; do
  msgmerge --quiet --update --backup=none "$po" po/vorbel.pot
  untranslated=$(msgattrib --untranslated "$po" | grep -c '^msgid ' || true)
  fuzzy=$(msgattrib --only-fuzzy "$po" | grep -c '^msgid ' || true)
  # Each count includes the header entry when there is any entry at all.
  (( untranslated > 0 )) && untranslated=$((untranslated - 1))
  (( fuzzy > 0 )) && fuzzy=$((fuzzy - 1))
  echo "$po: $untranslated untranslated, $fuzzy fuzzy"
  (( untranslated + fuzzy == 0 )) || status=1
done
for ts in translations/vorbel_*.ts; do
  unfinished=$(grep -c 'type="unfinished"' "$ts" || true)
  echo "$ts: $unfinished unfinished"
  (( unfinished == 0 )) || status=1
done
exit $status
