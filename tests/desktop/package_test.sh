#!/bin/bash
# Builds the Debian package from a clean copy of the source tree as a packager
# would (dpkg-buildpackage), holds it to lintian --pedantic and hardening-check,
# installs it into a throw-away root with dpkg, runs the installed program
# there (export, thumbnail) and removes it again without a file left behind.
# Then it builds it a second time, from a copy in another folder at another
# time, and compares the packages byte for byte (VORBEL_PACKAGE_REPRODUCIBLE=0
# leaves that half out).
#   package_test.sh SOURCE_DIR WORK_DIR VERSION
# WORK_DIR holds the two copies while the test runs; it is the same on every
# run, so that a compiler cache can serve the next run.
set -euo pipefail
source=$1 scratch=$2 version=$3
for tool in dpkg dpkg-deb dpkg-buildpackage dh lintian hardening-check man tar; do
  command -v $tool >/dev/null || { echo "$tool is not installed"; exit 77; }
done
dpkg-checkbuilddeps -B "$source/debian/control" >/dev/null 2>&1 ||
  { echo "the build dependencies are not installed: $(dpkg-checkbuilddeps -B "$source/debian/control" 2>&1)"; exit 77; }

work=$(mktemp -d)
rm -rf "$scratch"
trap 'rm -rf "$work" "$scratch"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }
[[ -d /usr/lib/ccache ]] && export PATH=/usr/lib/ccache:$PATH

# A copy of the tree as a clone of it has it: without build trees, ignored
# files and version control.
copy_source() {
  mkdir -p "$1"
  tar -C "$source" --exclude-vcs --exclude-vcs-ignores --exclude=./build --exclude='./build-*' --exclude=./out \
    --exclude='./obj-*' --exclude=./debian/.debhelper --exclude=./.cache -cf - . | tar -C "$1" -xf -
}

# Only what the package needs is built: no tests (they ran in the build tree
# already), no benchmarks.
build_package() {
  local tree=$1 log=$2
  (cd "$tree" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b) >"$log" 2>&1 ||
    { tail -n 60 "$log"; echo "FAILED: dpkg-buildpackage in $tree"; exit 1; }
}

echo "== dpkg-buildpackage"
start=$SECONDS
copy_source "$scratch/first/vorbel-$version"
build_package "$scratch/first/vorbel-$version" "$work/build-1.log"
echo "built in $((SECONDS - start)) s"
deb=$scratch/first/vorbel_${version}_$(dpkg --print-architecture).deb
changes=$scratch/first/vorbel_${version}_$(dpkg --print-architecture).changes
[[ -f $deb ]] || { echo "dpkg-buildpackage made no $(basename "$deb")"; exit 1; }

echo "== lintian"
lintian --pedantic --fail-on error,warning,pedantic --info "$changes" >"$work/lintian.log" 2>&1 || fail "lintian"
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
            usr/share/applications/org.vorbel.vorbel.desktop usr/share/mime/packages/org.vorbel.vorbel.xml \
            usr/share/thumbnailers/org.vorbel.vorbel.thumbnailer \
            usr/share/icons/hicolor/scalable/mimetypes/application-x-vorbel-layout.svg \
            usr/share/doc/vorbel/copyright usr/share/doc/vorbel/changelog.gz; do
  grep -q " \./$file\$" <<<"$contents" || fail "the package lacks /$file"
done
for size in 16 32 48 64 128 256; do
  for icon in apps/org.vorbel.vorbel mimetypes/application-x-vorbel-layout; do
    grep -q " \./usr/share/icons/hicolor/${size}x$size/$icon.png\$" <<<"$contents" ||
      fail "the package lacks the $size-pixel $icon icon"
  done
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

# PIE, stack protector, fortified functions, full RELRO and immediate
# binding. Control-flow marking is left out: Debian 12 builds its C and C++
# runtimes without it, so no program linked with them carries it.
echo "== hardening-check"
hardening-check --nocfprotection "$root/usr/bin/vorbel" "$root/usr/lib/vorbel/vorbel-window" || fail "hardening-check"

export XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
[[ $("$root/usr/bin/vorbel" --version | head -n 1) == "vorbel (Vorbel) $version" ]] || fail "vorbel --version"
"$root/usr/bin/vorbel" --version | grep -q '^License MIT' || fail "vorbel --version names no licence"
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

# File managers find the thumbnailer through its .thumbnailer file: it must
# name the layout type and an installed program that writes a PNG thumbnail.
shopt -s nullglob
thumbnailers=("$root"/usr/share/thumbnailers/*.thumbnailer)
[[ ${#thumbnailers[@]} -gt 0 ]] || fail "no thumbnailer installed"
for thumbnailer in "${thumbnailers[@]}"; do
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
  [[ $(head -c 8 "$work/thumbnail.png" 2>/dev/null | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
    fail "$thumbnailer: no PNG thumbnail written"
done

# ---- German: the messages, the window's texts and what the desktop shows.
echo "== German"
[[ -f $root/usr/share/locale/de/LC_MESSAGES/vorbel.mo && -f $root/usr/share/vorbel/translations/vorbel_de.qm ]] ||
  fail "the German translations are not installed"
german=$(LC_ALL=C.UTF-8 LANGUAGE=de "$root/usr/bin/vorbel" --bogus 2>&1 || true)
[[ $german == *"unbekannte Option „--bogus“"* ]] || fail "the installed vorbel speaks no German: $german"
grep -q '^Comment\[de\]=' "$root/usr/share/applications/org.vorbel.vorbel.desktop" || fail "the desktop entry has no German"
grep -q 'xml:lang="de"' "$root/usr/share/mime/packages/org.vorbel.vorbel.xml" || fail "the MIME type has no German"
grep -q 'xml:lang="de"' "$root/usr/share/metainfo/org.vorbel.vorbel.metainfo.xml" || fail "the metadata has no German"

# ---- The window registers layout files for the user only where no package
# does: started without the package's folders it writes its registration,
# started with them it removes it again.
echo "== registration"
start_window() {
  rm -rf "$work/window-data"
  [[ -d $work/data-before ]] && cp -r "$work/data-before" "$work/window-data"
  env XDG_DATA_HOME="$work/window-data" XDG_DATA_DIRS="$1" PATH="$root/usr/bin:$PATH" QT_QPA_PLATFORM=offscreen \
    XDG_CONFIG_HOME="$work/config" timeout 20 "$root/usr/bin/vorbel" >/dev/null 2>&1 || true
}
start_window "$work/no-such-folder"
[[ -f $work/window-data/applications/org.vorbel.vorbel.desktop ]] || fail "the window registers nothing without the package"
mv "$work/window-data" "$work/data-before"
start_window "$root/usr/share"
# (What update-mime-database makes of the packages, it remakes by itself.)
left=$(cd "$work/window-data" && find . -name '*vorbel*' -not -type d \( -path './mime/packages/*' -o -not -path './mime/*' \))
[[ -z $left ]] || fail "the window's own registration stays beside the package's: $left"
rm -rf "$work/data-before" "$work/window-data"

# ---- Remove: nothing of the package may stay.
echo "== remove"
dpkg_root --purge vorbel >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/*')
[[ -z $left ]] || fail "removing the package left: $left"

# ---- The same tree in a folder of another name and length, its files dated
# otherwise, built later in another time zone and with another umask, should
# give the same bytes.
if [[ ${VORBEL_PACKAGE_REPRODUCIBLE:-1} == 0 ]]; then
  echo "== reproducible: not checked (VORBEL_PACKAGE_REPRODUCIBLE=0)"
  exit $failed
fi
echo "== dpkg-buildpackage again"
start=$SECONDS
copy_source "$scratch/second/in another folder/vorbel"
find "$scratch/second" -exec touch -h -d '2001-09-09 01:46:40' {} +
(umask 0002 && export TZ=Pacific/Auckland LC_ALL=C.UTF-8 &&
  build_package "$scratch/second/in another folder/vorbel" "$work/build-2.log")
echo "built again in $((SECONDS - start)) s"

echo "== reproducible"
for first in "$scratch"/first/*.deb; do
  second="$scratch/second/in another folder/$(basename "$first")"
  if [[ ! -f $second ]]; then
    fail "the second build made no $(basename "$first")"
  elif ! cmp -s "$first" "$second"; then
    fail "two builds of one tree give different $(basename "$first")"
    mkdir -p "$work/a" "$work/b"
    dpkg-deb -R "$first" "$work/a" && dpkg-deb -R "$second" "$work/b"
    diff -r "$work/a" "$work/b" | head -n 20 || true
    rm -rf "$work/a" "$work/b"
  fi
done

exit $failed
