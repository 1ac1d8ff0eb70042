#!/usr/bin/env bash
# Tries the Windows build of scripts/windows-build.sh under Wine and Xvfb, as a lab would
# use it:
#   - the test suite, cross-built, passes as Windows programs (the one test Wine cannot
#     run is named below, with the reason);
#   - the installer installs silently (/S) under Program Files, with a Start-menu entry
#     and its uninstaller registered;
#   - the Start-menu entry starts the program in its folder: the main window shows the
#     drill and no error box; with materials picked, "Proces" moves the drill and draws
#     both traces; "Exit" ends the program;
#   - the uninstaller removes every file, the Start-menu entry and the registry keys;
#   - the zip's folder without its frame pictures shows the error box captioned with the
#     title the program takes from its file's name, "Busenje", that reads "Cannot open
#     file 20_6.BMP." (read back with OCR).
# Screenshots go to build-windows/check. Installs what it needs (Wine, Xvfb, xdotool,
# ImageMagick, tesseract).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
source scripts/screen.sh

readonly build="$PWD/build-windows"
readonly work="$build/check"
readonly prefix="${BUSENJE_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/busenje-windows}/prefix"

cleanup() {
  local status=$?
  end_processes
  if [ -n "${wineserver:-}" ] && [ -n "${WINEPREFIX:-}" ]; then
    "$wineserver" -k 2> /dev/null || true
  fi
  echo "windows-check: $([ "$status" -eq 0 ] && echo passed || echo FAILED)" \
    "in $((SECONDS - started)) s"
}
trap cleanup EXIT

phase "packages for the check"
busenje_install_packages wine64 xvfb x11-utils xdotool imagemagick tesseract-ocr
wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
test -x "$wine" || fail "no wine64"
rm -rf "$work"
mkdir -p "$work"

# A Wine of its own, made anew for every check, on a display of its own. Wine hands the
# Windows programs no variable of the build machine's Qt (QT_...); WINEQT_... reaches
# them as QT_....
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start_xvfb
export DISPLAY="$display"
phase "a new Wine prefix"
"$wine" wineboot --init > "$work/wineboot.log" 2>&1
"$wineserver" -w
windows_path() { "$wine" winepath -w "$1" 2> /dev/null; }

# ---- The test suite as Windows programs ----
phase "the test suite under Wine"
runtime_dirs=("$prefix/bin")
for library in libstdc++-6.dll libwinpthread-1.dll; do
  runtime_dirs+=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name="$library")")")
done
WINEPATH="$(for d in "${runtime_dirs[@]}"; do windows_path "$d"; done | paste -sd ';')"
export WINEPATH
# Qt's offscreen platform, which the tests draw on, takes its fonts from one folder on
# Windows: the faces the program asks for, or those with their metrics, as Linux has them.
mkdir -p "$work/fonts"
for font in /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
  /usr/share/fonts/truetype/liberation2/Liberation{Sans,Serif}-{Regular,Bold,Italic,BoldItalic}.ttf \
  /usr/share/fonts/truetype/dejavu/DejaVu{Sans,Sans-Bold,Serif,Serif-Bold}.ttf; do
  if [ -f "$font" ]; then cp "$font" "$work/fonts/"; fi
done
WINEQT_QPA_FONTDIR="$(windows_path "$work/fonts")"
export WINEQT_QPA_FONTDIR
# Tests that Wine cannot run, with the reason:
#   MainWindow.BoldTextsAreDrawnBold measures the stems of bold Tahoma, which Windows draws
#   from its own Tahoma Bold; Wine has only the clone whose bold outlines are as thin as
#   the regular ones.
wine_cannot_run="^MainWindow\.BoldTextsAreDrawnBold$"
ctest --test-dir "$build" -j2 --timeout 600 -E "$wine_cannot_run" > "$work/ctest.log" 2>&1 || {
  grep -E "Failed|Timeout|Not Run|tests passed" "$work/ctest.log" | tail -n 40
  fail "tests failed under Wine (see $work/ctest.log)"
}
grep -E "tests passed" "$work/ctest.log"
echo "   not run under Wine: $wine_cannot_run"

# ---- The installer ----
phase "installing silently"
installer="$(ls "$build"/busenje-*-win64.exe)"
"$wine" "$installer" /S
"$wineserver" -w
folder="$WINEPREFIX/drive_c/Program Files/Busenje"
# The Windows style's plugin: one for Vista and Windows 11 since Qt 6.7.
for style in qmodernwindowsstyle.dll qwindowsvistastyle.dll; do
  if [ -f "$prefix/plugins/styles/$style" ]; then break; fi
done
for file in busenje.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll \
  libQCustomPlotQt6.dll libstdc++-6.dll platforms/qwindows.dll "styles/$style" \
  LICENSE.txt Uninstall.exe; do
  test -f "$folder/$file" || fail "the installer left out $file"
done
pictures=("$folder"/*.BMP)
test "${#pictures[@]}" -eq 42 || fail "the installer did not bring the 42 pictures"
shortcut="$(find "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu" -name 'Bušenje.lnk')"
test -n "$shortcut" || fail "no Start-menu entry"
echo "   $(find "$folder" -mindepth 1 -maxdepth 1 | wc -l) files in C:\\Program Files\\Busenje; Start-menu entry:" \
  "${shortcut#"$WINEPREFIX/drive_c/"}"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Busenje'
"$wine" reg query "$uninstall_key" > /dev/null 2>&1 || fail "the uninstaller is not registered"

# ---- The program as the Start menu starts it ----
phase "starting the program from its Start-menu entry"
"$wine" start /unix "$shortcut"
wait_for_main_window || fail "the program showed no window"
check_screen "$work/started.png" || fail "the program started from the Start menu"
main="$(window_of "$main_title")"

phase "a run with materials picked"
# The cross-section's and the chart's places in the window's client area.
region() { import -window "$main" -crop "$3x$4+$1+$2" +repage "$5"; }
region "${scene[@]}" "$work/scene-before.png"
start_run "$main"
sleep 4
test -z "$(window_of "$program_title")" || fail "a box opened instead of the run"
import -window root "$work/running.png"
region "${scene[@]}" "$work/scene-running.png"
region 232 360 369 137 "$work/chart-running.png"
moved="$(compare -metric AE "$work/scene-before.png" "$work/scene-running.png" null: 2>&1)" || true
test "$moved" -gt 100 || fail "the drill did not move ($moved pixels changed)"
colour_count() {
  convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(mean*w*h)]' info:
}
force="$(colour_count "$work/chart-running.png" 'rgb(255,128,128)')"
moment="$(colour_count "$work/chart-running.png" 'rgb(128,255,255)')"
echo "   the drill moved ($moved pixels of the cross-section changed); trace pixels:" \
  "force $force, moment $moment"
test "$force" -gt 20 -a "$moment" -gt 20 || fail "the chart does not show both traces"

phase "\"Exit\""
click_in "$main" "${exit_button[@]}"
for _ in $(seq 50); do
  if [ -z "$(windows)" ]; then break; fi
  sleep 0.1
done
test -z "$(windows)" || fail "\"Exit\" left a window open"
"$wineserver" -w
echo "   the program ended"

# ---- The uninstaller ----
phase "uninstalling silently"
"$wine" "C:\\Program Files\\Busenje\\Uninstall.exe" /S
# The uninstaller runs a copy of itself and returns at once; the copy removes the files.
for _ in $(seq 100); do
  if [ ! -e "$folder" ]; then break; fi
  sleep 0.2
done
"$wineserver" -w
test ! -e "$folder" || fail "the uninstaller left $(find "$folder" | head -n 5)"
test -z "$(find "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu" -name '*.lnk' |
  grep -i 'enje')" || fail "the uninstaller left the Start-menu entry"
if "$wine" reg query "$uninstall_key" > /dev/null 2>&1 ||
  "$wine" reg query 'HKLM\Software\Bušenje developers' > /dev/null 2>&1; then
  fail "the uninstaller left registry keys"
fi
echo "   no file, Start-menu entry or registry key of the program is left"

# ---- The runnable folder without its pictures ----
phase "the zip's folder without its frame pictures"
mkdir -p "$work/zip"
(cd "$work/zip" && unzip -q "$(ls "$build"/busenje-*-win64.zip)")
copy="$(ls -d "$work"/zip/busenje-*-win64)"
rm "$copy"/*.BMP
(cd "$copy" && exec "$wine" busenje.exe > "$work/no-pictures.log" 2>&1) &
pids+=($!)
wait_for_main_window || fail "the program without its pictures showed nothing"
box="$(window_of "$program_title")"
test -n "$box" || fail "no error box captioned \"$program_title\""
import -window root "$work/no-pictures.png"
import -window "$box" "$work/no-pictures-box.png"
convert "$work/no-pictures-box.png" -resize 400% -colorspace Gray "$work/no-pictures-box-4.png"
text="$(tesseract "$work/no-pictures-box-4.png" - 2> /dev/null | tr -s ' \n' ' ')"
echo "   the box \"$program_title\" reads: $text"
[[ "$text" == *"Cannot open file 20_6.BMP."* ]] || fail "the box does not say \"Cannot open file 20_6.BMP.\""
xdotool key --window "$box" Return 2> /dev/null
"$wineserver" -k
echo "   screenshots: $work"
