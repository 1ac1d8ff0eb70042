#!/usr/bin/env bash
# Tries the project on a new machine of a Debian release, as a teacher setting up a lab
# machine would:
#   - makes a fresh minimal root of the release (debootstrap's minbase variant) from the
#     mirror of this machine's apt sources, with a user who may use sudo;
#   - clones the project's committed state into that user's home folder and runs
#     ./test.sh there as the user (or as root, with `root` as the second argument), with
#     a normal user's umask, 0002;
#   - builds the Debian package with cpack, and the release's lintian must find no error
#     and no warning in it, its appstreamcli pass the AppStream metadata;
#   - installs the package with apt, starts `busenje` in the home folder under Xvfb and
#     compares its window with that of the program in the build tree, pixel for pixel;
#   - removes the package, which must leave none of its files.
# With --tests-only it stops after ./test.sh: the test suite on that release, for CI,
# which has not the time for every release's whole check.
# Usage: scripts/system-check.sh [--tests-only] SUITE [user|root]    e.g. trixie, testing
# Logs and screenshots go to build/system-check/SUITE; downloads are kept there for the
# next run. Runs as root (or through sudo); installs the packages it needs itself.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi
readonly usage="usage: $0 [--tests-only] SUITE [user|root]"
tests_only=false
if [ "${1:-}" = --tests-only ]; then
  tests_only=true
  shift
fi
readonly suite="${1:?$usage}"
readonly tester="${2:-user}"
case "$tester" in user | root) ;; *) echo "$usage" >&2 && exit 2 ;; esac
source scripts/setup.sh
source scripts/debian-root.sh

readonly work="$PWD/build/system-check/$suite"
readonly root="$work/root"
readonly user=ucitelj
readonly home="/home/$user"
readonly clone="$home/busenje"

cleanup() {
  local status=$?
  debian_root_cleanup
  echo "system-check $suite: $([ "$status" -eq 0 ] && echo passed || echo FAILED)" \
    "in $((SECONDS - started)) s, cleaning up included"
}
trap cleanup EXIT

phase "packages for the check"
busenje_install_packages debootstrap xvfb x11-utils imagemagick
mkdir -p "$work"

phase "a minimal Debian $suite root"
mirror="$(busenje_debian_mirror)"
make_root "$suite" "$mirror"
echo "deb $mirror $suite main" > "$root/etc/apt/sources.list"
if ! in_root apt-get update -qq > "$work/apt-update.log" 2>&1; then
  # A mirror that is not refreshed any more serves a Release file of testing past its
  # Valid-Until date; its packages are still whole and signed.
  grep -q "is expired" "$work/apt-update.log" || {
    cat "$work/apt-update.log"
    fail "apt-get update failed"
  }
  echo "The mirror's $suite Release file has expired; apt in this root ignores its date:"
  grep "is expired" "$work/apt-update.log" | sed 's/^/   /'
  echo 'Acquire::Check-Valid-Until "false";' > "$root/etc/apt/apt.conf.d/99expired-mirror"
  in_root apt-get update -qq
fi
in_root apt-get install -y -qq --no-install-recommends sudo > "$work/apt-sudo.log"
in_root useradd --create-home --shell /bin/sh "$user"
echo "$user ALL=(ALL) NOPASSWD: ALL" > "$root/etc/sudoers.d/$user"
chmod 440 "$root/etc/sudoers.d/$user"
git clone --quiet --no-hardlinks "$PWD" "$root$clone"
in_root chown -R "$user:$user" "$clone"
sed -n 's/^PRETTY_NAME="\(.*\)"$/\1/p' "$root/etc/os-release"

phase "./test.sh as $tester"
test_started=$SECONDS
if [ "$tester" = root ]; then
  run_test() { in_root sh -c "umask 0002 && cd $clone && ./test.sh"; }
else
  run_test() { as_user "$user" "cd busenje && ./test.sh"; }
fi
run_test > "$work/test.log" 2>&1 || {
  tail -n 40 "$work/test.log"
  fail "./test.sh failed"
}
echo "./test.sh took $((SECONDS - test_started)) s:" \
  "$(grep -E "tests passed|tests failed" "$work/test.log")"
echo "compiler warnings: $(grep -c -- "warning:" "$work/test.log" || true)"
grep -- "warning:" "$work/test.log" | sort | uniq -c | head -n 20 || true
# shellcheck disable=SC2016 # dpkg-query's own fields
in_root dpkg-query -W -f '   ${Package} ${Version}\n' g++ cmake qt6-base-dev \
  libqcustomplot-dev fonts-wine 2> /dev/null || true
if $tests_only; then
  exit 0
fi

phase "the Debian package"
as_user "$user" "cd busenje/build && cpack -G DEB > cpack.log"
package="$(cd "$root$clone/build" && ls busenje_*.deb)"
test -n "$package" || fail "cpack made no package"
package="$clone/build/$package"
in_root dpkg-deb --field "$package" Package Version Depends
in_root apt-get install -y -qq --no-install-recommends lintian appstream \
  desktop-file-utils > "$work/apt-tools.log"
in_root lintian --version
in_root lintian --tag-display-limit 0 --fail-on error,warning "$package" ||
  fail "lintian found errors or warnings"
echo "lintian: no error, no warning"

phase "installing the package"
in_root apt-get install -y -qq "$package" > "$work/apt-install.log" || {
  tail -n 20 "$work/apt-install.log"
  fail "the package does not install"
}
in_root dpkg -L busenje > "$work/owned.txt"
in_root appstreamcli --version
in_root appstreamcli validate --no-net "$(grep '\.metainfo\.xml$' "$work/owned.txt")"
in_root desktop-file-validate /usr/share/applications/busenje.desktop

phase "starting the installed program under Xvfb"
start_xvfb
as_user "$user" 'exec busenje' > "$work/installed.log" 2>&1 &
program=$!
pids+=("$program")
wait_for_main_window || fail "the installed program showed no window: $(cat "$work/installed.log")"
check_screen "$work/installed.png" || fail "the installed program, started in the home folder"
stop_program "$program"

as_user "$user" 'cd busenje/build/bin && exec ./busenje' > "$work/build-tree.log" 2>&1 &
program=$!
pids+=("$program")
wait_for_main_window ||
  fail "the program in the build tree showed no window; it said: $(cat "$work/build-tree.log")"
check_screen "$work/build-tree.png" || fail "the program in the build tree"
stop_program "$program"
same_window "$work/installed.png" "$work/build-tree.png"
echo "   the installed program's window is the build tree's, pixel for pixel"

phase "removing the package"
remove_package_leaving_nothing
echo "dpkg -r: nothing of the package is left"
echo "the screenshot of the installed program: $work/installed.png"
