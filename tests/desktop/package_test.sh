#!/bin/bash
# Builds the Debian package from the build tree, holds it to lintian (no error
# and no warning), installs it into a throw-away root with dpkg, runs the
# installed program there, and removes it again without a file left behind.
#   package_test.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=$1 build=$2 version=$3
for tool in dpkg dpkg-deb dpkg-shlibdeps lintian man; do
  command -v $tool >/dev/null || { echo "$tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# ---- Build and lint.
"$cpack" -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/package/vorbel_"$version"_*.deb)
[[ -f $deb ]] || { echo "cpack made no package"; cat "$work/cpack.log"; exit 1; }
echo "== lintian"
lintian --fail-on error,warning --info "$deb" >"$work/lintian.log" 2>&1 || fail "lintian"
grep -v 'running with root privileges' "$work/lintian.log" || true

echo "== contents"
for field in Section Depends Description; do
  [[ -n $(dpkg-deb -f "$deb" $field) ]] || fail "the package has no $field"
done
# The dependencies on libraries come from the programs themselves.
[[ $(dpkg-deb -f "$deb" Depends) == *libc6* ]] || fail "no dependencies computed from the programs"
contents=$(dpkg-deb -c "$deb")
for file in usr/bin/vorbel usr/lib/vorbel/vorbel-window usr/share/man/man1/vorbel.1.gz \
            usr/share/bash-completion/completions/vorbel usr/share/metainfo/org.vorbel.vorbel.metainfo.xml \
            usr/share/applications/vorbel.desktop usr/share/mime/packages/vorbel.xml \
            usr/share/thumbnailers/vorbel.thumbnailer \
            usr/share/doc/vorbel/copyright usr/share/doc/vorbel/changelog.gz; do
  grep -q " \./$file\$" <<<"$contents" || fail "the package lacks /$file"
done

# Every dependency is installed here, in a version that satisfies it, so the
# package would install on this machine.
IFS=',' read -ra depends <<<"$(dpkg-deb -f "$deb" Depends)"
for dependency in "${depends[@]}"; do
  satisfied=
  IFS='|' read -ra alternatives <<<"$dependency"
  for alternative in "${alternatives[@]}"; do
    read -r name relation wanted <<<"$(sed 's/[()]/ /g' <<<"$alternative")"
    installed=$(dpkg-query -W -f='${Status} ${Version}' "$name" 2>/dev/null || true)
    [[ $installed == "install ok installed "* ]] || continue
    [[ -z ${relation:-} ]] || dpkg --compare-versions "${installed##* }" "$relation" "$wanted" || continue
    satisfied=1
  done
  [[ $satisfied ]] || fail "the dependency '${dependency# }' is not met on this machine"
done

# ---- Install into a root of its own: the system stays untouched.
echo "== install"
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$root" --force-not-root --force-depends --log=/dev/null "$@"; }
dpkg_root -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }

export XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
[[ $("$root/usr/bin/vorbel" --version) == "Vorbel $version" ]] || fail "vorbel --version"
"$root/usr/bin/vorbel" --export "$work/welcome.png" "$root/usr/share/doc/vorbel/examples/welcome.vrb" ||
  fail "the installed vorbel cannot export"
[[ $(head -c 8 "$work/welcome.png" 2>/dev/null | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
  fail "the export is no PNG picture"
# An example finds its pictures beside it, whatever the working folder: a copy
# of it elsewhere, without them, gives another picture.
examples=$root/usr/share/doc/vorbel/examples
cp "$examples/glass_picture.vrb" "$work/alone.vrb"
(cd "$work" && "$root/usr/bin/vorbel" --export with.bmp "$examples/glass_picture.vrb" &&
  "$root/usr/bin/vorbel" --export without.bmp alone.vrb) || fail "the installed vorbel cannot export an example"
cmp -s "$work/with.bmp" "$work/without.bmp" && fail "the installed examples do not find their pictures"
"$root/usr/bin/vorbel" --export-set "$work/nav" --captions-file "$examples/nav_set/captions.txt" \
  "$examples/nav_set/navigation.vrb" && [[ -f $work/nav/contact-normal@1x.png ]] ||
  fail "the installed navigation set cannot be exported"
MANWIDTH=80 man -l "$root/usr/share/man/man1/vorbel.1.gz" | grep -q -- --export || fail "man vorbel"

# A thumbnailer, once the package has one, is found by file managers through
# its .thumbnailer file: it must name the layout type and an installed program
# that writes a PNG thumbnail.
shopt -s nullglob
for thumbnailer in "$root"/usr/share/thumbnailers/*.thumbnailer; do
  echo "== $(basename "$thumbnailer")"
  grep -q '^MimeType=.*application/x-vorbel-layout;' "$thumbnailer" || fail "$thumbnailer: no layout type"
  exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
  read -ra command <<<"$exec_line"
  [[ -x $root${command[0]} || -x $root/usr/bin/${command[0]} ]] || fail "$thumbnailer: ${command[0]} is not installed"
  [[ ${command[0]} == /* ]] || command[0]=$root/usr/bin/${command[0]}
  for i in "${!command[@]}"; do
    case ${command[i]} in
      %s) command[i]=128 ;;
      %i | %u) command[i]=$root/usr/share/doc/vorbel/examples/welcome.vrb ;;
      %o) command[i]=$work/thumbnail.png ;;
    esac
  done
  "${command[@]}" || fail "$thumbnailer: the command failed"
  [[ -s $work/thumbnail.png ]] || fail "$thumbnailer: no thumbnail written"
done

# ---- Remove: nothing of the package may stay.
echo "== remove"
dpkg_root --purge vorbel >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/*')
[[ -z $left ]] || fail "removing the package left: $left"

exit $failed
