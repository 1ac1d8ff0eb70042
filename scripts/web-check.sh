#!/usr/bin/env bash
# Tries the browser's program, build-web/page from scripts/web-build.sh, as a student
# would: serves the folder on 127.0.0.1, opens it in Debian's headless Chromium driven by
# puppeteer-core (scripts/web-check.mjs), waits for the window and the drill in the
# cross-section, tries a refusal box, picks two materials, runs to the depth while both
# traces are drawn, downloads the samples from the chart's menu and compares them number
# for number with the desktop program's samples of the same run, keeps the run on the
# chart, opens a box over a second, running one, the instructions window and the table of
# runs, whose row it copies and saves and compares with the desktop's table of the first
# run. Any error in the browser's console fails the check. Screenshots, the downloads and
# the figures (the first window's time, what the browser downloaded) go to
# build-web/check.
# The desktop's side is build/bin/busenje_reference_run, which ./test.sh builds.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
busenje_install_packages chromium nodejs python3
if ! command -v npm > /dev/null; then
  busenje_install_packages npm
fi

cache="$(busenje_web_cache)/check"
readonly cache
readonly work="$PWD/build-web/check"
readonly page="$PWD/build-web/page"
readonly node_packages=(puppeteer-core@24.43.1 pngjs@7.0.0)
test -f "$page/index.html" || fail "no page in $page: scripts/web-build.sh builds it"
test -x build/bin/busenje_reference_run || fail "no build/bin/busenje_reference_run: ./test.sh builds it"

phase "puppeteer-core and pngjs from npm"
if [ "$(cat "$cache/packages.txt" 2> /dev/null)" != "${node_packages[*]}" ]; then
  rm -rf "$cache"
  mkdir -p "$cache"
  (cd "$cache" && npm install --silent --no-audit --no-fund "${node_packages[@]}")
  echo "${node_packages[*]}" > "$cache/packages.txt"
fi
# Node finds the modules beside the script it runs.
cp scripts/web-check.mjs "$cache/"

rm -rf "$work"
mkdir -p "$work"
phase "the desktop program's samples and table of runs of the run"
(cd build/bin && LANG=sr_RS.UTF-8@latin ./busenje_reference_run 1 3 "$work/desktop.csv" "$work/desktop-table.txt")

phase "serving the page on 127.0.0.1"
port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
python3 -m http.server --bind 127.0.0.1 --directory "$page" "$port" > "$work/server.log" 2>&1 &
server=$!
trap 'kill "$server" 2> /dev/null || true' EXIT
for _ in $(seq 50); do
  if python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2> /dev/null; then
    break
  fi
  sleep 0.1
done

phase "the page in headless Chromium"
node "$cache/web-check.mjs" "http://127.0.0.1:$port/" "$work" "$work/desktop.csv" "$work/desktop-table.txt"
cat "$work/figures.txt"
phase "done"
