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

readonly suite=bookworm
readonly build="$PWD/build"
readonly work="$build/package-check"
readonly root="$work/root"
readonly user=ucitelj
readonly main_title="Odredjivanje otpora rezanja pri busenju i prosirivanju"
readonly program_title="Busenje"
# The cross-section's place in the main window (x, y, width, height), and within it a
# patch of the drill's body above the workpiece, white where no drill is drawn.
readonly scene=(232 0 369 353)
readonly drill_patch=(176 5 16 50)

started=$SECONDS
phase_started=$SECONDS
phase() {
  echo "== $1 (after $((SECONDS - started)) s; last step $((SECONDS - phase_started)) s)"
  phase_started=$SECONDS
}
fail() {
  echo "package-check: $*" >&2
  exit 1
}

# ---- Cleaning up: the processes this script started, then the mounts in the root ----
pids=()
unmount_root() {
  local mounts
  mounts="$(awk -v r="$root" '$5 == r || index($5, r "/") == 1 {print $5}' \
    /proc/self/mountinfo | sort -r)"
  local m
  for m in $mounts; do
    umount "$m" 2> /dev/null || umount -l "$m"
  done
  if awk -v r="$root" '$5 == r || index($5, r "/") == 1 {found = 1} END {exit !found}' \
    /proc/self/mountinfo; then
    echo "package-check: cannot unmount everything in $root" >&2
    return 1
  fi
}
remove_root() {
  unmount_root || return 1
  rm -rf --one-file-system "$root"
}
cleanup() {
  local status=$? pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2> /dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2> /dev/null || true
  done
  remove_root
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
mirror="$(
  {
    cat /etc/apt/sources.list 2> /dev/null || true
    for f in /etc/apt/sources.list.d/*.list; do if [ -f "$f" ]; then cat "$f"; fi; done
  } | awk -v s="$suite" '$1 == "deb" { for (i = 2; i < NF; i++) if ($i !~ /^\[/ && $(i+1) == s) { print $i; exit } }'
)"
if [ -z "$mirror" ]; then
  mirror="$(for f in /etc/apt/sources.list.d/*.sources; do if [ -f "$f" ]; then cat "$f"; echo; fi; done |
    awk -v s="$suite" '
      /^[ \t]*$/ { if (deb && suite && uri != "") { print uri; exit } deb = suite = 0; uri = ""; next }
      /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == s) suite = 1 }
      /^URIs:/ { uri = $2 }')"
fi
test -n "$mirror" || fail "no $suite mirror in this machine's apt sources"

remove_root
mkdir -p "$root" "$work/debootstrap-cache" "$work/apt-cache"
debootstrap --variant=minbase --cache-dir="$work/debootstrap-cache" "$suite" "$root" \
  "$mirror" > "$work/debootstrap.log" 2>&1 || {
  tail -n 20 "$work/debootstrap.log"
  fail "debootstrap failed"
}
# The new machine uses the same package sources as this one.
rm -f "$root/etc/apt/sources.list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  if [ -f "$f" ]; then
    cp "$f" "$root${f}"
  fi
done
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --make-private "$root/dev"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
mount --bind "$work/apt-cache" "$root/var/cache/apt/archives"
mkdir -p "$root/tmp/.X11-unix"
install -d -m 1777 /tmp/.X11-unix
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
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
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 50); do
  if [ -s "$work/display" ]; then break; fi
  sleep 0.1
done
display=":$(cat "$work/display")"
test "$display" != ":" || fail "Xvfb did not start"

# The viewable top-level windows, one "id name" a line.
windows() {
  local id
  for id in $(xwininfo -display "$display" -root -children | awk '$1 ~ /^0x/ {print $1}'); do
    xwininfo -display "$display" -id "$id" |
      awk -v id="$id" '/Window id:/ {sub(/^[^"]*"/, ""); sub(/"[^"]*$/, ""); name = $0}
                       /Map State: IsViewable/ {print id, name}'
  done
}
window_of() {
  windows | awk -v t="$1" '{id = $1; sub(/^[^ ]* /, "")} $0 == t {print id}'
}
# Waits until the main window shows, then a moment for any box that would follow it.
wait_for_main_window() {
  for _ in $(seq 100); do
    if [ -n "$(window_of "$main_title")" ] || [ -n "$(window_of "$program_title")" ]; then
      sleep 2
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# Ends a started program and waits until its windows are gone.
stop_program() {
  kill "$1" 2> /dev/null || true
  wait "$1" 2> /dev/null || true
  for _ in $(seq 50); do
    if [ -z "$(windows)" ]; then return 0; fi
    sleep 0.1
  done
  fail "the windows of a stopped program stay on the screen"
}
# Checks the windows and the drill in the cross-section, and writes the picture of the
# screen to $1, of the main window to $1-window.
check_screen() {
  local shot="$1" list main x y width height
  list="$(windows)"
  echo "$list" | sed 's/^/   window /'
  test -z "$(window_of "$program_title")" || { echo "an error box is open"; return 1; }
  main="$(window_of "$main_title")"
  test -n "$main" || { echo "no main window"; return 1; }
  test "$(echo "$list" | wc -l)" -eq 1 || { echo "more windows than the main one"; return 1; }
  read -r x y width height < <(xwininfo -display "$display" -id "$main" |
    awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
         /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}')
  import -display "$display" -window root "$shot"
  import -display "$display" -window root -crop "${width}x${height}+$x+$y" +repage \
    "${shot%.png}-window.png"
  import -display "$display" -window root \
    -crop "${drill_patch[2]}x${drill_patch[3]}+$((x + scene[0] + drill_patch[0]))+$((y + scene[1] + drill_patch[1]))" \
    +repage "${shot%.png}-drill.png"
  # The drill's body is dark grey; the background where it is missing is white.
  local brightness
  brightness="$(identify -format '%[fx:int(100*mean)]' "${shot%.png}-drill.png")"
  echo "   mean brightness where the drill's body should be: $brightness %"
  test "$brightness" -lt 60 || { echo "no drill in the cross-section"; return 1; }
}

program_log="$work/installed.log"
chroot --userspec="$user:$user" "$root" /usr/bin/env -i HOME="/home/$user" \
  PATH=/usr/local/bin:/usr/bin:/bin DISPLAY="$display" LANG=C.UTF-8 \
  /bin/sh -c 'cd "$HOME" && exec busenje' > "$program_log" 2>&1 &
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
wait_for_main_window || fail "the program in the build tree showed no window"
check_screen "$work/build-tree.png" || fail "the program in the build tree"
stop_program "$program"
# With the fonts of its look missing, the labels would change width and weight.
differing="$(compare -metric AE "$work/installed-window.png" "$work/build-tree-window.png" null: 2>&1)" ||
  true
test "$differing" = 0 ||
  fail "the installed program's window differs from the build tree's in $differing pixels"
echo "   the main window, the drill and the labels, is the build tree's, pixel for pixel"

mkdir -p "$work/no-pictures"
(cd "$work/no-pictures" && DISPLAY="$display" exec "$build/bin/busenje" \
  > "$work/no-pictures.log" 2>&1) &
program=$!
pids+=("$program")
wait_for_main_window || fail "the program without its pictures showed no window"
if check_screen "$work/no-pictures.png" > "$work/no-pictures-check.txt"; then
  fail "the check passed the program started without its frame pictures"
fi
grep -q "an error box is open" "$work/no-pictures-check.txt" ||
  fail "the check did not see the error box of the program without its pictures"
stop_program "$program"
echo "   without its pictures the program's error box is seen"

# ---- Removing it ----
phase "removing the package"
in_root dpkg -r busenje > /dev/null
while read -r path; do
  if [ -f "$root$path" ] || [ -L "$root$path" ]; then
    fail "dpkg -r left $path behind"
  fi
done < "$work/owned.txt"
snapshot > "$work/after.txt"
if ! diff "$work/before.txt" "$work/after.txt" > "$work/left.txt"; then
  cat "$work/left.txt"
  fail "installing, running and removing the package changed these files"
fi
echo "dpkg -r: nothing of the package is left"

echo "the screenshot of the installed program: $work/installed.png"
