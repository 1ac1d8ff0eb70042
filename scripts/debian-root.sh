#!/usr/bin/env bash
# What the checks that try the program on a new machine share: a fresh minimal Debian
# root made with debootstrap from the mirror of this machine's own apt sources, and
# commands run in it, as root or as a user; the display and windows of screen.sh reach
# into it. Sourced by package-check.sh and system-check.sh, which set:
#   root  the folder of the Debian root
#   work  a folder for logs, screenshots and the caches of downloads
# and call debian_root_cleanup from their EXIT trap.
# shellcheck disable=SC2154 # root and work are the sourcing script's
source "$(dirname "${BASH_SOURCE[0]}")/screen.sh"

# ---- The root ----

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
# machine) from the mirror $2, and mounts what programs in it need (mount_root). A suite
# newer than this debootstrap knows is made with its script for sid.
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
  mount_root
}

# Mounts in the root what programs in it need: /proc, /dev, a pts of its own, the X
# server's sockets and a lasting cache of downloaded packages.
mount_root() {
  mkdir -p "$work/apt-cache"
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

# Removes the package from the root, which must leave none of the files that dpkg -L
# listed of it in $work/owned.txt.
remove_package_leaving_nothing() {
  local path
  in_root dpkg -r busenje > /dev/null
  while read -r path; do
    if [ -f "$root$path" ] || [ -L "$root$path" ]; then
      fail "dpkg -r left $path behind"
    fi
  done < "$work/owned.txt"
}

# Ends the processes started here and takes the root apart.
debian_root_cleanup() {
  end_processes
  remove_root
}
