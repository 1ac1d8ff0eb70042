#!/usr/bin/env bash
# Checks the Debian package of the program, built from build/ (after ./test.sh):
#   - lintian finds no error and no warning in it;
#   - appstreamcli passes its AppStream metadata, desktop-file-validate its desktop entry,
#     and its icons have their sizes and show the same picture;
#   - installed with its declared dependencies into a fresh minimal Debian 12 root
#     (debootstrap's minbase variant, as on a new machine), `busenje` typed in a user's
#     home folder opens the main window under Xvfb with the drill in the cross-section and
#     no error box, the fonts of its look are there, and the window equals, pixel for
#     pixel, that of the program in build/bin;
#   - `dpkg -r` leaves no file of it behind.
# The screenshot of the installed program is kept in build/package-check/installed.png.
# Runs as root (or through sudo); installs the Debian packages it needs itself.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi
source scripts/setup.sh
source scripts/debian-root.sh

readonly build="$PWD/build"
readonly work="$build/package-check"
readonly root="$work/root"
readonly user=ucitelj

cleanup() {
  local status=$?
  debian_root_cleanup
  echo "package-check: $([ "$status" -eq 0 ] && echo passed || echo FAILED)" \
    "in $((SECONDS - started)) s, cleaning up included"
}
trap cleanup EXIT

phase "packages for the check"
busenje_install_packages lintian appstream desktop-file-utils debootstrap xvfb x11-utils \
  imagemagick librsvg2-bin

phase "building the package"
# Brings build/ up to date first: cpack alone would read a stale package configuration.
cmake --build build > /dev/null
(cd build && cpack -G DEB > /dev/null)
version="$(sed -n 's/^project(busenje VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
package="build/busenje_${version}_amd64.deb"
test -f "$package" || fail "no $package"
dpkg-deb --field "$package" Package Version Depends

# ---- The package itself ----
phase "lintian"
lintian --tag-display-limit 0 --fail-on error,warning "$package" ||
  fail "lintian found errors or warnings"
echo "lintian: no error, no warning"

phase "metadata, desktop entry and icons"
rm -rf "$work/contents"
mkdir -p "$work/contents"
dpkg-deb -x "$package" "$work/contents"
share="$work/contents/usr/share"
metainfo="$(ls "$share"/metainfo/*.metainfo.xml)"
appstreamcli validate --no-net "$metainfo"
app_id="$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")"
test "$(basename "$metainfo")" = "$app_id.metainfo.xml" ||
  fail "the metainfo file is not named after its id $app_id"
output="$(desktop-file-validate "$share/applications/busenje.desktop" 2>&1)" ||
  fail "desktop-file-validate: $output"
test -z "$output" || fail "desktop-file-validate: $output"
grep -qx "Exec=/usr/bin/busenje" "$share/applications/busenje.desktop" ||
  fail "the desktop entry does not start /usr/bin/busenje"
echo "appstreamcli and desktop-file-validate: passed"

# One release in three places: the package, its changelog and the metainfo.
changelog_version="$(zcat "$share/doc/busenje/changelog.gz" | sed -n '1s/^busenje (\(.*\)).*/\1/p')"
release_version="$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -n 1)"
test "$changelog_version" = "$version" -a "$release_version" = "$version" ||
  fail "version $version, changelog $changelog_version, metainfo release $release_version"

for size in 32 64 128; do
  png="$share/icons/hicolor/${size}x${size}/apps/busenje.png"
  test "$(identify -format '%wx%h' "$png")" = "${size}x${size}" || fail "$png is not $size px"
  rsvg-convert -w "$size" -h "$size" "$share/icons/hicolor/scalable/apps/busenje.svg" \
    -o "$work/svg-$size.png"
  differing="$(compare -metric AE "$png" "$work/svg-$size.png" null: 2>&1)" || true
  test "$differing" = 0 || fail "the SVG icon at $size px differs from the PNG in $differing pixels"
done
echo "icons: 32, 64 and 128 px and the SVG show the same picture"

# ---- A new machine: a minimal Debian 12 from the mirror this machine's apt uses ----
phase "a minimal Debian 12 root"
make_root bookworm "$(busenje_debian_mirror)"
# The new machine uses the same package sources as this one.
rm -f "$root/etc/apt/sources.list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  if [ -f "$f" ]; then
    cp "$f" "$root${f}"
  fi
done
in_root useradd --create-home --shell /bin/sh "$user"

# Everything of the file system that a package could leave behind.
snapshot() {
  (cd "$root" && find . -xdev \( -path ./proc -o -path ./dev -o -path ./tmp -o -path ./run \
    -o -path ./var/cache -o -path ./var/log -o -path ./var/lib/apt -o -path ./var/lib/dpkg \
    -o -path ./var/lib/ucf \) -prune -o -printf '%p %y %m %s\n' | sort)
}

phase "installing the package with its dependencies"
install -m 644 "$package" "$root/tmp/busenje.deb"
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends /tmp/busenje.deb > "$work/apt.log" ||
  {
    tail -n 20 "$work/apt.log"
    fail "the package does not install"
  }
echo "$(grep -c "^Setting up" "$work/apt.log") packages set up"
# The fonts of the program's look: the Tahoma clone it registers by its path, Liberation
# Sans and Serif, DejaVu Sans.
for font in /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
  /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf \
  /usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf \
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf; do
  test -f "$root$font" || fail "the package's dependencies do not bring $font"
done
in_root dpkg -L busenje > "$work/owned.txt"

# The state of the machine with the dependencies but without the package.
in_root dpkg -r busenje > /dev/null
snapshot > "$work/before.txt"
in_root dpkg -i /tmp/busenje.deb > /dev/null

# ---- Starting it as a teacher would: `busenje` typed in the home folder ----
phase "starting the installed program under Xvfb"
start_xvfb

program_log="$work/installed.log"
as_user "$user" 'exec busenje' > "$program_log" 2>&1 &
program=$!
pids+=("$program")
wait_for_main_window || fail "the installed program showed no window; it said: $(cat "$program_log")"
check_screen "$work/installed.png" || fail "the installed program, started in the home folder"
stop_program "$program"

# The same window from the build tree, and the check's own check: started where the frame
# pictures are not, the program shows its error box, and this check must see it.
phase "comparing with the program in the build tree"
(cd build/bin && DISPLAY="$display" exec ./busenje > "$work/build-tree.log" 2>&1) &
program=$!
pids+=("$program")
wait_for_main_window ||
  fail "the program in the build tree showed no window; it said: $(cat "$work/build-tree.log")"
check_screen "$work/build-tree.png" || fail "the program in the build tree"
stop_program "$program"
# With the fonts of its look missing, the labels would change width and weight.
same_window "$work/installed.png" "$work/build-tree.png"
echo "   the main window, the drill and the labels, is the build tree's, pixel for pixel"

mkdir -p "$work/no-pictures"
(cd "$work/no-pictures" && DISPLAY="$display" exec "$build/bin/busenje" \
  > "$work/no-pictures.log" 2>&1) &
program=$!
pids+=("$program")
wait_for_main_window ||
  fail "the program without its pictures showed no window; it said: $(cat "$work/no-pictures.log")"
if check_screen "$work/no-pictures.png" > "$work/no-pictures-check.txt"; then
  fail "the check passed the program started without its frame pictures"
fi
grep -q "an error box is open" "$work/no-pictures-check.txt" ||
  fail "the check did not see the error box of the program without its pictures"
stop_program "$program"
echo "   without its pictures the program's error box is seen"

# ---- Removing it ----
phase "removing the package"
remove_package_leaving_nothing
snapshot > "$work/after.txt"
if ! diff "$work/before.txt" "$work/after.txt" > "$work/left.txt"; then
  cat "$work/left.txt"
  fail "installing, running and removing the package changed these files"
fi
echo "dpkg -r: nothing of the package is left"

echo "the screenshot of the installed program: $work/installed.png"
