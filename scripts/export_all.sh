#!/usr/bin/env bash
# Exports every example layout and every layout of the render and layout fuzz
# corpora in every export format with one vorbel program, into one folder, so
# that two builds can be compared file by file:
#   scripts/export_all.sh OLD/vorbel before/
#   scripts/export_all.sh NEW/vorbel after/
#   diff -r before after && echo identical
# Each layout gives NAME.FORMAT files and NAME.status (exit status and what the
# program said), so a change in errors shows as well as a change in pixels.
# Formats default to "bmp gif jpg png"; set FORMATS to choose others.
set -uo pipefail
cd "$(dirname "$0")/.."

program=${1:?usage: $0 PROGRAM OUTDIR}
out=${2:?usage: $0 PROGRAM OUTDIR}
read -r -a formats <<<"${FORMATS:-bmp gif jpg png}"
mkdir -p "$out"

layouts=()
while IFS= read -r -d '' f; do layouts+=("$f"); done < <(
  find examples fuzz/corpus/render fuzz/corpus/layout -type f \( -name '*.vrb' -o -path 'fuzz/*' \) -print0 | sort -z)

for layout in "${layouts[@]}"; do
  name=${layout//\//_}
  : >"$out/$name.status"
  for format in "${formats[@]}"; do
    timeout 20 "$program" --export "$out/$name.$format" "$layout" >/dev/null 2>"$out/$name.$format.err"
    echo "$format $?" >>"$out/$name.status"
    cat "$out/$name.$format.err" >>"$out/$name.status"
    rm -f "$out/$name.$format.err"
  done
done
echo "exported ${#layouts[@]} layouts in ${#formats[@]} formats into $out"
