#!/usr/bin/env bash
# What the checks that try the program on a new machine share: a fresh minimal Debian
# root made with debootstrap from the mirror of this machine's own apt sources, commands
# run in it, an Xvfb display it reaches, and a look at the program's windows there.
# Sourced by package-check.sh and system-check.sh, which set:
#   root  the folder of the Debian root
#   work  a folder for logs, screenshots and the caches of downloads
# and call debian_root_cleanup from their EXIT trap.

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
  echo "$(basename "$0" .sh): $*" >&2
  exit 1
}

# ---- The mirror and the root ----

# The URI of the Debian mirror this machine's apt sources use for its own release.
debian_mirror() {
  local own mirror
  own="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  mirror="$(
    {
      cat /etc/apt/sources.list 2> /dev/null || true
      for f in /etc/apt/sources.list.d/*.list; do if [ -f "$f" ]; then cat "$f"; fi; done
    } | awk -v s="$own" '$1 == "deb" { for (i = 2; i < NF; i++) if ($i !~ /^\[/ && $(i+1) == s) { print $i; exit } }'
  )"
  if [ -z "$mirror" ]; then
    mirror="$(for f in /etc/apt/sources.list.d/*.sources; do if [ -f "$f" ]; then cat "$f"; echo; fi; done |
      awk -v s="$own" '
        /^[ \t]*$/ { if (deb && suite && uri != "") { print uri; exit } deb = suite = 0; uri = ""; next }
        /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
        /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == s) suite = 1 }
        /^URIs:/ { uri = $2 }')"
  fi
  test -n "$mirror" || fail "no $own mirror in this machine's apt sources"
  echo "$mirror"
}

# The mounts in the root, innermost first.
root_mounts() {
  awk -v r="$root" '$5 == r || index($5, r "/") == 1 {print $5}' /proc/self/mountinfo | sort -r
}
unmount_root() {
  local m
  for m in $(root_mounts); do
    umount "$m" 2> /dev/null || umount -l "$m"
  done
  if [ -n "$(root_mounts)" ]; then
    echo "cannot unmount everything in $root" >&2
    return 1
  fi
}
remove_root() {
  unmount_root || return 1
  rm -rf --one-file-system "$root"
}

# Makes a fresh minimal root of suite $1 (debootstrap's minbase variant, as on a new
# machine) from the mirror $2, and mounts what programs in it need: /proc, /dev, a
# pts of its own, the X server's sockets and a lasting cache of downloaded packages.
# A suite newer than this debootstrap knows is made with its script for sid.
make_root() {
  local release="$1" uri="$2" script=()
  if [ ! -e "/usr/share/debootstrap/scripts/$release" ]; then
    script=(/usr/share/debootstrap/scripts/sid)
  fi
  remove_root
  mkdir -p "$root" "$work/debootstrap-cache" "$work/apt-cache"
  debootstrap --variant=minbase --cache-dir="$work/debootstrap-cache" "$release" "$root" \
    "$uri" "${script[@]}" > "$work/debootstrap.log" 2>&1 || {
    tail -n 20 "$work/debootstrap.log"
    fail "debootstrap failed"
  }
  mount -t proc proc "$root/proc"
  mount --bind /dev "$root/dev"
  mount --make-private "$root/dev"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
  mount --bind "$work/apt-cache" "$root/var/cache/apt/archives"
  mkdir -p "$root/tmp/.X11-unix"
  install -d -m 1777 /tmp/.X11-unix
  mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
}

# Runs a command in the root as root, with a clean environment.
in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}

# Runs a shell command in the root as user $1, in their home folder, with the umask of a
# normal user's login on Debian (0002) and the Xvfb display.
as_user() {
  local name="$1"
  shift
  chroot --userspec="$name:$name" "$root" /usr/bin/env -i HOME="/home/$name" USER="$name" \
    LOGNAME="$name" PATH=/usr/local/bin:/usr/bin:/bin DISPLAY="${display:-}" LANG=C.UTF-8 \
    /bin/sh -c "umask 0002 && cd \"\$HOME\" && $*"
}

# ---- The display and the program's windows ----

pids=()
start_xvfb() {
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
}

# Ends a process started in the background and what it started: a function run with &
# is a subshell whose child is the program.
end_process() {
  pkill -P "$1" 2> /dev/null || true
  kill "$1" 2> /dev/null || true
}

# Ends the processes started here and takes the root apart.
debian_root_cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    end_process "$pid"
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2> /dev/null || true
  done
  remove_root
}

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
  end_process "$1"
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
# Fails unless the main windows in the two screenshots' "-window" pictures are equal,
# pixel for pixel.
same_window() {
  local differing
  differing="$(compare -metric AE "${1%.png}-window.png" "${2%.png}-window.png" null: 2>&1)" ||
    true
  test "$differing" = 0 || fail "the main window of $1 differs from $2's in $differing pixels"
}
