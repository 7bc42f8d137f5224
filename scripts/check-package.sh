#!/usr/bin/env bash
# Builds the Debian package from an already built tree, has lintian check it (any error or
# warning fails), unpacks it into a temporary root and proves it there: the files a desktop
# expects, dependencies from the linked libraries, the validators of the menu entry, the
# metadata and the manual pages, and the installed command line building the installed demo
# project, both with --app-dir and through a first start in a fresh user data directory.
set -euo pipefail
build="${1:-build}"

fail() { echo "check-package: $*" >&2; exit 1; }

rm -f "$build"/package/*.deb
cmake --build "$build" --target package > "$build/package.log" 2>&1 || { cat "$build/package.log" >&2; fail "cpack failed"; }
debs=("$build"/package/*.deb)
[ -f "${debs[0]}" ] && [ ${#debs[@]} -eq 1 ] || fail "expected one .deb in $build/package"
deb="${debs[0]}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"

# Info, pedantic and experimental tags are shown too; the overrides shipped in the package
# (packaging/lintian-overrides) say why each is no fault.
command -v lintian > /dev/null || fail "lintian is not installed (scripts/install-deps.sh)"
status=0
lintian --fail-on error,warning --display-info --pedantic --display-experimental "$deb" > "$work/lintian.log" 2>&1 \
  || status=$?
grep -v '^running with root privileges' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian finds errors or warnings in $(basename "$deb") (exit status $status)"

dpkg-deb -x "$deb" "$root"

depends="$(dpkg-deb -f "$deb" Depends)"
for library in libc6 libstdc++6 libqt6widgets6 libpugixml1v5 libgsf-1-114 qt6-qpa-plugins; do
  grep -q "\b$library\b" <<< "$depends" || fail "Depends lacks $library: $depends"
done

usr="$root/usr"
share="$usr/share/zuzududada"
standin="$usr/lib/zuzududada/ZoruvOdeza.exe"
for file in bin/zuzududada bin/zuzududada-cli \
    share/applications/example.norvale.zuzududada.desktop \
    share/metainfo/example.norvale.zuzududada.metainfo.xml \
    share/icons/hicolor/scalable/apps/zuzududada.svg \
    share/icons/hicolor/48x48/apps/zuzududada.png share/icons/hicolor/256x256/apps/zuzududada.png \
    share/man/man1/zuzududada.1.gz share/man/man1/zuzududada-cli.1.gz \
    share/zuzududada/help2.dat share/zuzududada/Zuzududada_TRVX.ini \
    share/zuzududada/PROJECTS/Demo/pargen.xml share/zuzududada/MASTER/sx48802.sx \
    share/doc/zuzududada/copyright share/doc/zuzududada/changelog.gz; do
  [ -s "$usr/$file" ] || fail "missing or empty: /usr/$file"
done
[ -x "$standin" ] || fail "the stand-in flashing program is missing or not executable"
version="$(dpkg-deb -f "$deb" Version)"
changelog_version="$(zcat "$usr/share/doc/zuzududada/changelog.gz" | dpkg-parsechangelog -l - -S Version)"
[ "$changelog_version" = "$version" ] || fail "the changelog's newest entry is $changelog_version, the package $version"

if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$usr/share/applications/example.norvale.zuzududada.desktop" || fail "desktop entry invalid"
fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/example.norvale.zuzududada.metainfo.xml" > "$work/appstream.log" 2>&1 \
    || { cat "$work/appstream.log" >&2; fail "metainfo invalid"; }
fi
if command -v groff > /dev/null; then
  for page in "$usr"/share/man/man1/*.1.gz; do
    warnings="$(zcat "$page" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)"
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
fi

# Every command the installed program lists has its section in the manual page.
"$usr/bin/zuzududada-cli" --help > "$work/help.txt" || fail "zuzududada-cli --help failed"
zcat "$usr/share/man/man1/zuzududada-cli.1.gz" | sed -n 's/^\.SS "\{0,1\}\([^ "]*\).*/\1/p' | sed 's/\\-/-/g' > "$work/sections.txt"
for command in $(sed -n 's/^  \([a-z][a-z0-9-]*\).*/\1/p' "$work/help.txt"); do
  grep -qx -- "$command" "$work/sections.txt" || fail "the manual page has no section for the command '$command'"
done

# The installed command line on a copy of the installed demo workspace.
cp -a "$share" "$work/app"
"$usr/bin/zuzududada-cli" build --app-dir "$work/app" "$work/app/PROJECTS/Demo" 2> "$work/build.log" \
  || { cat "$work/build.log" >&2; fail "build of the installed demo project failed"; }
[ -s "$work/app/PROJECTS/Demo/New_sx48802.sx" ] || fail "no New_sx48802.sx in the demo project"
srec_info "$work/app/PROJECTS/Demo/New_sx48802.sx" > /dev/null 2>&1 || fail "New_sx48802.sx is not a valid S-record file"

# A first start of the installed program: it makes the user's data directory from the installed
# workspace and says what the stand-ins are.
data="$work/data"
XDG_DATA_HOME="$data" "$usr/bin/zuzududada-cli" build "$data/zuzududada/PROJECTS/Demo" 2> "$work/first.log" \
  || { cat "$work/first.log" >&2; fail "first start of the installed command line failed"; }
grep -q "is a synthetic base firmware" "$work/first.log" || fail "the first start did not name the synthetic base firmware"
grep -q "is a stand-in for the flashing program" "$work/first.log" || fail "the first start did not name the stand-in flasher"
[ -s "$data/zuzududada/PROJECTS/Demo/New_sx48802.sx" ] || fail "no New_sx48802.sx after the first start"
cmp -s "$standin" "$data/zuzududada/ZoruvOdeza.exe" || fail "the stand-in flashing program was not copied"
[ ! -e "$usr/bin/MASTER" ] || fail "the installed program wrote into its bin directory"

# The stripped stand-in, started as the device update starts it, accepts the new firmware.
firmware="$data/zuzududada/PROJECTS/Demo/New_sx48802.sx"
"$data/zuzududada/ZoruvOdeza.exe" "\"$firmware\"¶0" > "$work/flash.log" 2>&1 \
  || { cat "$work/flash.log" >&2; fail "the installed stand-in flashing program refuses the new firmware"; }
grep -q "would flash .* through COM1" "$work/flash.log" || fail "the stand-in did not report what it would flash"

# Installed into the user's own data prefix (cmake --install --prefix ~/.local), the demo
# workspace is the application directory and gets the stand-in from lib/ on the first start.
XDG_DATA_HOME="$usr/share" "$usr/bin/zuzududada-cli" build "$share/PROJECTS/Demo" 2> "$work/prefix.log" \
  || { cat "$work/prefix.log" >&2; fail "the command line installed into its data prefix failed"; }
cmp -s "$standin" "$share/ZoruvOdeza.exe" || fail "the stand-in was not copied into the installed workspace"

echo "check-package: $(basename "$deb") installs and builds the demo project"
