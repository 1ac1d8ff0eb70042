#!/usr/bin/env bash
# Builds the Debian package of the program from build/ (after ./test.sh), installs it,
# starts the program as the desktop entry would, and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."

(cd build && cpack -G DEB)
package="$(ls -t build/busenje_*.deb | head -n 1)"
echo "== $package"
dpkg-deb --info "$package" | grep -E "Package|Version|Depends"

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get install -y -qq "./$package" > /dev/null
trap '$sudo dpkg -r busenje > /dev/null' EXIT

entry=/usr/share/applications/busenje.desktop
desktop-file-validate "$entry"
exec_line="$(sed -n 's/^Exec=//p' "$entry")"
path_line="$(sed -n 's/^Path=//p' "$entry")"
test "$(ls "$path_line"/*.BMP | wc -l)" -eq 42

# Started as from the menu: it must still be running after a few seconds.
status=0
(cd "$path_line" && QT_QPA_PLATFORM=offscreen timeout 4 "$exec_line") || status=$?
if [ "$status" -ne 124 ]; then
  echo "the installed program ended by itself with status $status" >&2
  exit 1
fi
echo "the installed program started from $path_line and ran until stopped"
