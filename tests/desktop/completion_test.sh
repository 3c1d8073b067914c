#!/bin/bash
# The bash completion, run as bash-completion runs it: options from the
# program's help, layout files where a layout is expected, picture files for
# an output, and the options that a later help adds, without a change here.
#   completion_test.sh COMPLETION_SCRIPT VORBEL
set -euo pipefail
script=$1 vorbel=$2
framework=/usr/share/bash-completion/bash_completion
[[ -r $framework ]] || { echo "bash-completion is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch home.vrb "with space.vrb" UPPER.VRB pic.png pic.gif pic.webp photo.jpeg notes.txt
mkdir folder
# A program whose help has an option that vorbel does not have yet.
cat >future <<'HELP'
#!/bin/sh
printf '%s\n' 'Usage: future [LAYOUT]' \
  '  --thumbnail SIZE LAYOUT OUT.png   write a thumbnail' '  -V, --version   show the version'
HELP
chmod +x future

# Prints the completions of the words given (the last is the one being
# completed), sorted, one per line.
completions() {
  bash --norc --noprofile -c '
    framework=$1 script=$2; shift 2
    source "$framework"; source "$script"
    [[ $(complete -p vorbel) == *"-F _vorbel"* ]] || echo "not registered for vorbel"
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _vorbel
    printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort' _ "$framework" "$script" "$@"
}

failed=0
expect() {
  local want=$1; shift
  local got
  got=$(completions "$@")
  if [[ $got != "$want" ]]; then
    printf 'completing "%s":\n  want: %s\n  got:  %s\n' "$*" "${want//$'\n'/ | }" "${got//$'\n'/ | }"
    failed=1
  fi
}
layouts=$'UPPER.VRB\nfolder\nhome.vrb\nwith space.vrb'
pictures=$'folder\nphoto.jpeg\npic.gif\npic.png\npic.webp'

expect $'--export\n--export-set' "$vorbel" --exp
expect $'--\n--caption-layer\n--captions\n--captions-file\n--export\n--export-set\n--format\n--help\n--matte\n--pattern\n--quality\n--scales\n--set\n--size\n--sprite\n--states\n--thumbnail\n--version\n-V\n-h' "$vorbel" -
expect "$layouts" "$vorbel" ""
expect "$pictures" "$vorbel" --export ""
expect "$layouts" "$vorbel" --export out.png ""
expect "with space.vrb" "$vorbel" --export out.png wi
expect "$layouts" "$vorbel" -- ""
expect $'1024\n128\n256\n512' "$vorbel" --thumbnail ""
expect "$layouts" "$vorbel" --thumbnail 128 ""
expect "$pictures" "$vorbel" --thumbnail 128 home.vrb ""
expect $'bmp\ngif\njpg\npng\nwebp' "$vorbel" --export out.png home.vrb --format ""
# Values from the program's tables, also after "=" and in comma lists.
expect $'fit\nfixed' "$vorbel" --export-set out --size ""
expect $'1\n2\n3' "$vorbel" --export-set out --scales ""
expect $'normal,hover' "$vorbel" --export-set out --states normal,h
expect $'png' "$vorbel" --format=p
expect $'disabled\nhover\nnormal\npressed' "$vorbel" --states=""
expect "$layouts" "$vorbel" --export=out.png ""
expect "$pictures" "$vorbel" --export=""
expect "$layouts" "$vorbel" --format png --export out.png ""
expect "" "$vorbel" -- --exp
# A set's folder, its captions file, and the layout after its options.
expect folder "$vorbel" --export-set ""
expect $'notes.txt' "$vorbel" --export-set out --captions-file n
expect "$layouts" "$vorbel" --export-set out --captions A,B --sprite --states normal ""
expect --thumbnail ./future --thu
expect $'1024\n128\n256\n512' ./future --thumbnail ""
expect "$layouts" ./future --thumbnail 64 ""
expect "$pictures" ./future --thumbnail 64 home.vrb ""
exit $failed
