#!/usr/bin/env bash
# Builds Bušenje for 64-bit Windows on Debian 12 or 13 with Debian's MinGW-w64 cross
# compilers:
#   1. installs the packages it needs;
#   2. builds Qt (qtbase), QCustomPlot and GoogleTest for Windows from the sources of the
#      very Debian packages this machine has installed, once, into a cache outside the
#      clone ($BUSENJE_WINDOWS_CACHE, by default ~/.cache/busenje-windows). The cache is
#      stamped with their versions, the compiler's and the build options, reused while the
#      stamp matches and built anew when it does not (about half an hour on 2 cores);
#   3. cross-builds the program and its tests, Release, into build-windows/, and packs the
#      installer and the zip of the runnable folder there with CPack.
# scripts/windows-check.sh then tries the result under Wine.
# With --libraries it stops after step 2, so that the libraries can be built ahead, in the
# background, while the machine does other work.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
case "${1:-}" in
  "") libraries_only=false ;;
  --libraries) libraries_only=true ;;
  *) echo "usage: $0 [--libraries]" >&2 && exit 2 ;;
esac
busenje_install_packages "${BUSENJE_WINDOWS_PACKAGES[@]}"

cache="$(busenje_windows_cache)"
readonly cache
readonly prefix="$cache/prefix"
readonly toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
jobs="$(nproc)"
readonly jobs
# The versions are read first and made read-only after, so that a failing dpkg-query
# stops the script instead of leaving an empty version in the cache's stamp.
source_version() { dpkg-query -W -f '${source:Version}' "$1"; }
qt_version="$(source_version qt6-base-dev)"
qcustomplot_version="$(source_version libqcustomplot-dev)"
googletest_version="$(source_version libgtest-dev)"
readonly qt_version qcustomplot_version googletest_version

# What the program needs of Qt, optimised for size (which also builds fastest), with the
# libraries Qt brings bundled rather than taken from the system. Left out: what the program
# never uses, and the tablet library (wintab), which Debian's source does not carry.
# OpenGL stays: Qt 6.4's Windows platform plugin does not build without it. Direct2D
# stays too (without it Qt 6.4's print support and Windows plugin do not link); only
# its own platform plugin, which the program never loads, is not built (direct2d1_1).
# Qt 6.7 and later draw the shadows of their Windows 11 style with a graphics effect,
# which Qt builds only with the graphics view.
graphics_view=()
if dpkg --compare-versions "$qt_version" lt 6.7~; then
  graphics_view=(-DFEATURE_graphicsview=OFF -DFEATURE_graphicseffect=OFF)
fi
readonly qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DFEATURE_optimize_size=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_pkg_config=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d1_1=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_movie=OFF -DFEATURE_systemtrayicon=OFF
  "${graphics_view[@]}" -DFEATURE_mdiarea=OFF
  -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_lcdnumber=OFF
  -DFEATURE_dial=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_fontdialog=OFF
  -DFEATURE_colordialog=OFF -DFEATURE_wizard=OFF -DFEATURE_columnview=OFF
  -DFEATURE_undoview=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_splashscreen=OFF
  -DFEATURE_syntaxhighlighter=OFF
  -DFEATURE_widgets=ON -DFEATURE_printsupport=ON -DFEATURE_testlib=ON
)
readonly library_options=(-DCMAKE_BUILD_TYPE=Release)

stamp_text() {
  echo "qt6-base $qt_version"
  echo "qcustomplot $qcustomplot_version"
  echo "googletest $googletest_version"
  echo "compiler $(dpkg-query -W -f '${Version}' g++-mingw-w64-x86-64-posix)"
  echo "toolchain $(sha256sum < "$toolchain" | cut -d ' ' -f 1)"
  echo "qt options ${qt_options[*]}"
  echo "library options ${library_options[*]}"
}

# The source packages, fetched with an apt configuration of their own, so that the
# machine's apt sources need no deb-src line.
fetch_sources() {
  local apt="$cache/apt" mirror suite
  mirror="$(busenje_debian_mirror)"
  suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  rm -rf "$apt" "$cache/sources"
  mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$cache/sources"
  echo "deb-src $mirror $suite main" > "$apt/sources.list"
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=-"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt" -o "APT::Sandbox::User=root")
  apt-get "${options[@]}" update -qq
  (cd "$cache/sources" && apt-get "${options[@]}" source -qq --download-only \
    "qt6-base=$qt_version" "qcustomplot=$qcustomplot_version")
  (cd "$cache/sources" && dpkg-source -x --no-check qt6-base_*.dsc qtbase &&
    dpkg-source -x --no-check qcustomplot_*.dsc qcustomplot) > "$cache/sources/unpack.log" 2>&1
}

# Configures, builds and installs the CMake project in $1 for Windows into the prefix.
cross_build() {
  local source="$1" name="$2"
  shift 2
  cmake -G Ninja -S "$source" -B "$cache/work/$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DBUSENJE_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" "$@" \
    > "$cache/work/$name.log"
  cmake --build "$cache/work/$name" -j "$jobs" >> "$cache/work/$name.log"
  cmake --install "$cache/work/$name" >> "$cache/work/$name.log"
}

build_libraries() {
  rm -rf "$prefix" "$cache/work"
  mkdir -p "$cache/work"
  phase "fetching the sources of qt6-base $qt_version and qcustomplot $qcustomplot_version"
  fetch_sources
  phase "building Qt for Windows (the longest step)"
  cross_build "$cache/sources/qtbase" qtbase -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/"$(dpkg-architecture -q DEB_HOST_MULTIARCH)"/cmake \
    "${qt_options[@]}"
  phase "building QCustomPlot for Windows"
  cross_build "$cache/sources/qcustomplot" qcustomplot -DUSE_QT_VERSION=6 \
    -DBUILD_SHARED_LIBS=ON "${library_options[@]}"
  phase "building GoogleTest for Windows"
  cross_build /usr/src/googletest googletest -DBUILD_GMOCK=OFF "${library_options[@]}"
  stamp_text > "$prefix/busenje-stamp.txt"
  rm -rf "$cache/work" "$cache/sources"
}

if [ -f "$prefix/busenje-stamp.txt" ] && [ "$(stamp_text)" = "$(cat "$prefix/busenje-stamp.txt")" ]; then
  phase "Qt, QCustomPlot and GoogleTest for Windows from the cache in $prefix"
else
  build_libraries
fi
du -sh "$prefix"
if $libraries_only; then
  exit 0
fi

phase "cross-building the program and its tests"
export BUSENJE_WINDOWS_PREFIX="$prefix"
cmake --preset windows --fresh > /dev/null
cmake --build --preset windows
phase "packing the installer and the zip"
(cd build-windows && cpack --config CPackConfig.cmake -G "NSIS;ZIP" > cpack.log) || {
  cat build-windows/cpack.log
  exit 1
}
ls -l build-windows/busenje-*-win64.exe build-windows/busenje-*-win64.zip
phase "done"
