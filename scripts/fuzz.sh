#!/usr/bin/env bash
# Runs fuzz targets of the sanitizer build for a while each, then merges what
# they found into their corpora under fuzz/corpus/, minimised: the hand-made
# seeds stay, and of the finds (named by the SHA-1 of their content) only the
# fewest that add coverage to them are kept.
#
#   scripts/fuzz.sh [-t SECONDS] [-l BYTES] [-m DIR]... [TARGET...]
#
#   -t SECONDS  how long each target runs (default 60); 0 only minimises
#   -l BYTES    the longest input a run makes (default 4096), which keeps each
#               corpus at a few hundred kilobytes; longer seeds stay whole in
#               the corpus, though a run mutates only their first BYTES
#   -m DIR      also offer DIR/<corpus name>/ (say, an earlier campaign's
#               corpus) to each target's merge
#   TARGET      the targets to run (default: every one the build defines, as
#               listed in build-asan/fuzz/fuzz_targets.txt)
#
# Crashes, leaks, time-outs and out-of-memory inputs are kept in
# build-asan/fuzz/findings/<target>/; the script then ends with status 1.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() { sed -n '2,19s/^# \{0,1\}//p' "$0"; }

seconds=60
max_len=4096
extra=()
while getopts "t:l:m:h" option; do
  case $option in
    t) seconds=$OPTARG ;;
    l) max_len=$OPTARG ;;
    m) extra+=("$(realpath "$OPTARG")") ;;
    h) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[[ $seconds =~ ^[0-9]+$ ]] || { echo "fuzz.sh: -t needs a number of seconds" >&2; exit 2; }
[[ $max_len =~ ^[1-9][0-9]*$ ]] || { echo "fuzz.sh: -l needs a number of bytes" >&2; exit 2; }

scripts/deps.sh
scripts/build.sh sanitize >/dev/null
list=build-asan/fuzz/fuzz_targets.txt
[[ -s $list ]] || { echo "fuzz.sh: $list is missing; is the build configured with VORBEL_FUZZ=ON?" >&2; exit 1; }

declare -A program corpus
names=()
while IFS=$'\t' read -r name exe dir; do
  [[ -n $name ]] || continue
  program[$name]=$exe
  corpus[$name]=$dir
  names+=("$name")
done <"$list"
if (($#)); then
  for name in "$@"; do
    [[ -n ${program[$name]:-} ]] || { echo "fuzz.sh: no fuzz target '$name' (there are: ${names[*]})" >&2; exit 2; }
  done
  names=("$@")
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
options=(-rss_limit_mb=2048 -timeout=10)
summary=()
found=0

# The kilobytes the files of a folder hold.
size() { find "$1" -type f -printf '%s\n' | awk '{ sum += $1 } END { printf "%d", (sum + 1023) / 1024 }'; }

for name in "${names[@]}"; do
  exe=${program[$name]}
  seeds=${corpus[$name]}
  work=build-asan/fuzz/campaign/$name
  findings=build-asan/fuzz/findings/$name
  rm -rf "$work"
  mkdir -p "$work/new" "$work/merged" "$findings" "$seeds"
  before="$(find "$seeds" -type f | wc -l) files, $(size "$seeds") kB"

  status=0
  if ((seconds > 0)); then
    echo "== $name: $seconds s"
    "$exe" "${options[@]}" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
      -artifact_prefix="$findings/" \
      "$work/new" "$seeds" >"$work/run.log" 2>&1 || status=$?
    grep -E '^(stat::number_of_executed_runs|stat::new_units_added|#[0-9]+ *DONE)' "$work/run.log" || true
  fi

  # The merge keeps the hand-made seeds (any file not named by the SHA-1 of
  # its content) and adds to them the fewest earlier and new finds that cover
  # what the seeds do not.
  mkdir -p "$work/finds"
  for file in "$seeds"/*; do
    [[ -f $file ]] || continue
    if [[ $(basename "$file") =~ ^[0-9a-f]{40}$ ]]; then cp "$file" "$work/finds/"; else cp "$file" "$work/merged/"; fi
  done
  sources=("$work/finds" "$work/new")
  for dir in "${extra[@]}"; do
    [[ -d $dir/$(basename "$seeds") ]] && sources+=("$dir/$(basename "$seeds")")
  done
  echo "== $name: minimising"
  "$exe" "${options[@]}" -merge=1 -artifact_prefix="$findings/" "$work/merged" "${sources[@]}" \
    >"$work/merge.log" 2>&1 || status=$?

  if ((status == 0)); then
    find "$seeds" -maxdepth 1 -type f -delete
    cp "$work"/merged/* "$seeds"/
  else
    echo "== $name: stopped with status $status (see $work/run.log, $work/merge.log); corpus left as it was"
  fi

  artifacts=$(find "$findings" -type f | wc -l)
  ((artifacts == 0)) || found=1
  ((status == 0)) || found=1
  summary+=("$(printf '%-18s %6s s  corpus %s -> %s files, %s kB  findings %s' "$name" "$seconds" "$before" \
    "$(find "$seeds" -type f | wc -l)" "$(size "$seeds")" "$artifacts")")
done

echo
printf '%s\n' "${summary[@]}"
exit $found
