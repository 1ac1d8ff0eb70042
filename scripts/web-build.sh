#!/usr/bin/env bash
# Builds Bušenje for the browser (WebAssembly) with Debian 13's Emscripten:
#   1. takes a Debian 13 environment: this machine where it runs Debian 13, otherwise a
#      minimal Debian 13 root made with debootstrap from this machine's mirror and kept in
#      the cache, with the packages the build needs;
#   2. builds Qt (qtbase, only what the program uses) and QCustomPlot for WebAssembly from
#      the sources of Debian 13's own packages, and GoogleTest, once, into a cache outside
#      the clone ($BUSENJE_WEB_CACHE, by default ~/.cache/busenje-web). The cache is
#      stamped with their versions, Emscripten's and the build options, reused while the
#      stamp matches and built anew when it does not (about a quarter of an hour on 2
#      cores);
#   3. builds the program and its tests with the `web` preset into build-web/, runs the
#      tests that run under Node, and leaves the page in build-web/page: a folder that any
#      static web server serves as it is.
# scripts/web-check.sh then opens the page in a headless browser.
# With --libraries it stops after step 2, so that the libraries can be built ahead.
# Runs as root (or through sudo) where it needs the Debian 13 root.
# shellcheck disable=SC2016 # single-quoted $ are for the programs run (sh, dpkg-query, sed)
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  "") libraries_only=false ;;
  --libraries) libraries_only=true ;;
  *) echo "usage: $0 [--libraries]" >&2 && exit 2 ;;
esac
readonly web_release=trixie
on_release() { [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" = "$web_release" ]; }
if ! on_release && [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi
source scripts/setup.sh

cache="$(busenje_web_cache)"
readonly cache
# What the build reads and writes outside the clone: the sources, the libraries for
# WebAssembly, and the folder Qt's configure takes for an Emscripten SDK.
readonly libraries="$cache/libraries"
readonly prefix="$libraries/prefix"
readonly emsdk="$libraries/emsdk"
jobs="$(nproc)"
readonly jobs
# The packages the build takes from Debian 13: the compiler, the build machine's Qt (its
# code generators, and the frame generator's build), the sources' tools and the fonts the
# page carries.
readonly web_packages=(
  emscripten nodejs cmake ninja-build g++ pkg-config dpkg-dev xz-utils
  qt6-base-dev qt6-l10n-tools libqcustomplot-dev libgtest-dev
  fonts-wine fonts-dejavu-core fonts-liberation
)

# ---- The Debian 13 environment ----

if on_release; then
  busenje_install_packages "${web_packages[@]}"
  in_environment() { env EMSDK="$emsdk" "$@"; }
else
  source scripts/debian-root.sh
  readonly work="$cache"
  readonly root="$cache/root"
  trap 'unmount_root' EXIT
  # The clone and the libraries appear in the root at their own paths, so that every path
  # means the same inside and outside.
  enter_root() {
    mount_root
    local shared
    for shared in "$libraries" "$PWD"; do
      mkdir -p "$shared" "$root$shared"
      mount --bind "$shared" "$root$shared"
    done
  }
  in_environment() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
      HOME=/root DEBIAN_FRONTEND=noninteractive EMSDK="$emsdk" sh -c 'cd "$0" && exec "$@"' \
      "$PWD" "$@"
  }
  root_packages() { printf '%s\n' "${web_packages[@]}"; }
  if [ -f "$root/busenje-packages.txt" ] && [ "$(root_packages)" = "$(cat "$root/busenje-packages.txt")" ]; then
    phase "the Debian 13 root from the cache in $root"
    enter_root
  else
    phase "a minimal Debian 13 root in $root, with the build's packages"
    busenje_install_packages debootstrap
    mirror="$(busenje_debian_mirror)"
    make_root "$web_release" "$mirror"
    echo "deb $mirror $web_release main" > "$root/etc/apt/sources.list"
    unmount_root
    enter_root
    in_environment apt-get update -qq
    in_environment apt-get install -y -qq --no-install-recommends "${web_packages[@]}" \
      > "$cache/apt.log" || {
      cat "$cache/apt.log"
      fail "the build's packages did not install in the root"
    }
    root_packages > "$root/busenje-packages.txt"
  fi
fi

# Runs a command in the environment in the folder $1.
in_folder() {
  local folder="$1"
  shift
  in_environment sh -c 'cd "$0" && exec "$@"' "$folder" "$@"
}

# ---- Qt, QCustomPlot and GoogleTest for WebAssembly ----

# The versions are read first and made read-only after, so that a failing dpkg-query
# stops the script instead of leaving an empty version in the cache's stamp.
source_version() { in_environment dpkg-query -W -f '${source:Version}' "$1"; }
qt_version="$(source_version qt6-base-dev)"
qcustomplot_version="$(source_version libqcustomplot-dev)"
googletest_version="$(source_version libgtest-dev)"
emscripten_version="$(in_environment dpkg-query -W -f '${Version}' emscripten)"
readonly qt_version qcustomplot_version googletest_version emscripten_version

# Static Qt without threads (a page served by any web server cannot have them: shared
# memory needs headers the server must send), optimised for size, with what the program
# never uses left out. Exceptions are the browser's own (JavaScript exceptions), which
# the program's error reports need and which let a box wait in a nested event loop of
# Qt's (see the program's message box). OpenGL stays: the browser's window surfaces draw
# with WebGL.
readonly qt_options=(
  -platform wasm-emscripten -release -static -no-feature-thread -nomake examples -nomake tests
  -- -DFEATURE_optimize_size=ON -DFEATURE_opengl=ON
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_movie=OFF -DFEATURE_systemtrayicon=OFF
  -DFEATURE_mdiarea=OFF -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF
  -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF -DFEATURE_fontcombobox=OFF
  -DFEATURE_fontdialog=OFF -DFEATURE_colordialog=OFF -DFEATURE_wizard=OFF
  -DFEATURE_columnview=OFF -DFEATURE_undoview=OFF -DFEATURE_keysequenceedit=OFF
  -DFEATURE_splashscreen=OFF -DFEATURE_syntaxhighlighter=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
)
readonly library_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF)

stamp_text() {
  echo "qt6-base $qt_version"
  echo "qcustomplot $qcustomplot_version"
  echo "googletest $googletest_version"
  echo "emscripten $emscripten_version"
  echo "qt options ${qt_options[*]}"
  echo "library options ${library_options[*]}"
}

# The source packages, fetched with an apt configuration of their own, so that the
# environment's apt sources need no deb-src line.
fetch_sources() {
  local apt="$libraries/apt" mirror
  mirror="$(busenje_debian_mirror)"
  rm -rf "$apt" "$libraries/sources"
  mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$libraries/sources"
  echo "deb-src $mirror $web_release main" > "$apt/sources.list"
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=-"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt" -o "APT::Sandbox::User=root")
  in_environment apt-get "${options[@]}" update -qq
  in_folder "$libraries/sources" apt-get "${options[@]}" source -qq --download-only \
    "qt6-base=$qt_version" "qcustomplot=$qcustomplot_version"
  in_folder "$libraries/sources" sh -c 'dpkg-source -x --no-check qt6-base_*.dsc qtbase &&
    dpkg-source -x --no-check qcustomplot_*.dsc qcustomplot' > "$libraries/sources/unpack.log" 2>&1
  # QCustomPlot's build makes a shared library only; a WebAssembly program links it in.
  sed -i 's/add_library(${LIB_NAME} SHARED /add_library(${LIB_NAME} STATIC /' \
    "$libraries/sources/qcustomplot/CMakeLists.txt"
}

# Qt's configure asks for an Emscripten SDK and reads its version there: a folder whose
# upstream/emscripten is Debian's Emscripten, and a configuration that names it. The
# compiler itself keeps Debian's configuration and its prebuilt system libraries.
make_emsdk() {
  rm -rf "$emsdk"
  mkdir -p "$emsdk/upstream"
  ln -s /usr/share/emscripten "$emsdk/upstream/emscripten"
  echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" > "$emsdk/.emscripten"
}

# Configures, builds and installs the CMake project in $1 for WebAssembly into the prefix.
web_build() {
  local source="$1" name="$2"
  shift 2
  in_environment "$prefix/bin/qt-cmake" -G Ninja -S "$source" -B "$libraries/work/$name" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" > "$libraries/work/$name.log"
  in_environment cmake --build "$libraries/work/$name" -j "$jobs" >> "$libraries/work/$name.log"
  in_environment cmake --install "$libraries/work/$name" >> "$libraries/work/$name.log"
}

build_libraries() {
  rm -rf "$prefix" "$libraries/work"
  mkdir -p "$libraries/work/qtbase"
  phase "fetching the sources of qt6-base $qt_version and qcustomplot $qcustomplot_version"
  fetch_sources
  make_emsdk
  phase "building Qt for WebAssembly (the longest step)"
  in_folder "$libraries/work/qtbase" "$libraries/sources/qtbase/configure" -prefix "$prefix" -qt-host-path /usr \
    "${qt_options[@]}" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/"$(in_environment dpkg-architecture -q DEB_HOST_MULTIARCH)"/cmake \
    > "$libraries/work/qtbase.log" 2>&1 || {
    tail -n 30 "$libraries/work/qtbase.log"
    fail "Qt's configure failed"
  }
  in_environment cmake --build "$libraries/work/qtbase" -j "$jobs" >> "$libraries/work/qtbase.log"
  in_environment cmake --install "$libraries/work/qtbase" >> "$libraries/work/qtbase.log"
  phase "building QCustomPlot for WebAssembly"
  web_build "$libraries/sources/qcustomplot" qcustomplot -DUSE_QT_VERSION=6 "${library_options[@]}"
  phase "building GoogleTest for WebAssembly"
  web_build /usr/src/googletest googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON \
    "${library_options[@]}"
  stamp_text > "$prefix/busenje-stamp.txt"
  rm -rf "$libraries/work" "$libraries/sources" "$libraries/apt"
}

if [ -f "$prefix/busenje-stamp.txt" ] && [ "$(stamp_text)" = "$(cat "$prefix/busenje-stamp.txt")" ]; then
  phase "Qt, QCustomPlot and GoogleTest for WebAssembly from the cache in $prefix"
else
  build_libraries
fi
du -sh "$prefix"
if $libraries_only; then
  exit 0
fi

# ---- The program ----

phase "building the program and its tests for WebAssembly"
export BUSENJE_WEB_PREFIX="$prefix"
in_environment env BUSENJE_WEB_PREFIX="$prefix" cmake --preset web --fresh > /dev/null
in_environment cmake --build --preset web
phase "the tests that run under Node"
in_environment ctest --preset web -j "$jobs"
if [ -n "${SUDO_UID:-}" ]; then
  chown -R "$SUDO_UID:${SUDO_GID:-$SUDO_UID}" build-web
fi
ls -l build-web/page
phase "done"
