#!/usr/bin/env bash
# The cost of one tick of the running program, in instructions, counted by valgrind's
# callgrind: the program runs on an Xvfb display, the tool material K40 and the workpiece
# material NL 800-2 are picked, "Proces" is pressed, and instructions are counted for 6 s
# of the run. Instruction counts, unlike times, do not change with the load of the machine.
# The hole depth is set to 130 mm first: with the start depth the drill reaches the bottom
# after 240 ticks and the timer stops, not far beyond the ticks run here before and while
# counting. The depth changes no tick before that.
#
# Usage: bench/tick-cost.sh [--kept N] [PROGRAM_DIR]
#   --kept N     keeps the run's traces N times (1 to 3) through the chart's menu before
#                counting, a second apart, so that the ticks counted draw N kept runs
#                beneath the live one and name them in the key.
#   PROGRAM_DIR  a folder with a built busenje and its 42 frame pictures; without it the
#                program is built into build/bin first.
#
# It prints, from valgrind's callgrind_annotate:
#   - the ticks counted: the calls of TForm1::Timer1Timer made while instructions were
#     counted (the tick already running when counting began is not one of them, and its
#     remaining instructions stand for the part of the last tick that was not counted);
#   - all instructions of the program (every thread) in that time, and per tick;
#   - the five largest parts of a tick, by inclusive cost per tick. The parts do not
#     overlap: what one part calls that is itself a part counts only there.
#       Oscillograph::ReplotMoving   the chart's moving layer: the traces, the time axis
#                                    and its grid drawn anew
#       QCustomPlot::replot          whole chart replots (none in a steady run)
#       ChartPlot::paintEvent        the chart's layer buffers copied into the window
#       ImageView::paintEvent        the cross-section copied into the window
#       the rest of QWidgetRepaintManager::paintAndFlush: the other widgets and the flush
#                                    to the X server
#       FramePictures::Load          the frame picture read, and decoded where it changed
#       the rest of TForm1::DrawScene: painting the cross-section
#       Oscillograph::PlotTraces     the traces' new points
#       the rest of TForm1::Timer1Timer: the simulation step
#     and what everything else (the event loop, timers, X events) costs;
#   - the five functions with the largest own (self) cost per tick. Qt's internal
#     functions have no names without Qt's debug symbols; they are shown by their
#     library and address.
# The callgrind file is kept as build/tick-cost/callgrind.out.ticks, for
# callgrind_annotate or KCachegrind.
#
# Runs as root or with sudo for the packages it installs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
readonly work="$PWD/build/tick-cost"
source scripts/screen.sh

readonly count_seconds=6 depth_mm=130
# Where the chart's plotting area lies in the main window's client area.
readonly chart_area=(417 420)

kept_runs=0
if [ "${1:-}" = --kept ]; then
  kept_runs="${2:-}"
  [[ "$kept_runs" =~ ^[1-3]$ ]] || fail "--kept takes 1, 2 or 3"
  shift 2
fi

busenje_install_packages xvfb xdotool valgrind x11-utils qt6-qpa-plugins

if [ $# -ge 1 ]; then
  program_dir="$(cd "$1" && pwd)" || fail "no folder $1"
else
  cmake --preset default > /dev/null
  cmake --build --preset default --target busenje
  program_dir="$PWD/build/bin"
fi
test -x "$program_dir/busenje" || fail "no program $program_dir/busenje"
test "$(find "$program_dir" -maxdepth 1 -name '*.BMP' | wc -l)" -eq 42 ||
  fail "$program_dir does not hold the 42 frame pictures"

rm -rf "$work"
mkdir -p "$work/raw" "$work/runtime"
chmod 700 "$work/runtime"
readonly kept="$work/callgrind.out.ticks"
trap end_processes EXIT

start_xvfb
export DISPLAY="$display"
# ---- The program under callgrind, counting nothing until told to ----
# %p: the program's forks write files of their own instead of overwriting its file.
(cd "$program_dir" && QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime" \
  exec valgrind --tool=callgrind --instr-atstart=no --compress-strings=no \
  --callgrind-out-file="$work/raw/callgrind.out.%p" ./busenje) > "$work/program.log" 2>&1 &
program=$!
pids+=("$program")
wait_for_main_window 180 || fail "no main window after 180 s: $(tail -n 5 "$work/program.log")"
main_window="$(window_of "$main_title")"
check_no_box "at the start"

start_run "$main_window" "$depth_mm"
sleep 3
check_no_box "after Proces: are K40 and NL 800-2 picked and allowed?"
# The chart's menu by the keyboard: its sixth item keeps the traces.
for ((keep = 0; keep < kept_runs; keep++)); do
  timeout 10 xdotool mousemove --window "$main_window" "${chart_area[@]}" click 3
  sleep 0.5
  timeout 10 xdotool key --delay 100 Down Down Down Down Down Down Return
  timeout 10 xdotool mousemove 5 5
  sleep 1
done
check_no_box "after keeping the traces"

# ---- Counting ----
# callgrind_control reaches the program through valgrind's gdbserver; a program that
# does not answer must not hold the script up.
control() {
  timeout 60 callgrind_control "$@" "$program" >> "$work/callgrind_control.log" 2>&1 ||
    fail "callgrind_control $* failed: $(tail -n 3 "$work/callgrind_control.log")"
}
control -i on
sleep "$count_seconds"
control -i off
control -d
for _ in $(seq 300); do
  if [ -s "$work/raw/callgrind.out.$program.1" ]; then break; fi
  sleep 0.1
done
test -s "$work/raw/callgrind.out.$program.1" || fail "no callgrind dump was written"
mv "$work/raw/callgrind.out.$program.1" "$kept"
check_no_box "during the count"

# The program ends the way a user ends it; its final callgrind file is empty.
click_in "$main_window" "${exit_button[@]}"
for _ in $(seq 300); do
  kill -0 "$program" 2> /dev/null || break
  sleep 0.1
done
end_processes
pids=()
rm -rf "$work/raw"

# ---- The figures ----
# callgrind_annotate lists a function's whole cost on one line and, on lines of their own,
# the parts of it that come from each source file (its own and the headers inlined into
# it): a function's cost is the largest of its lines.
annotate() {
  callgrind_annotate --threshold=100 --auto=no --show-percs=no "$@" "$kept" 2> /dev/null
}
annotate --inclusive=yes > "$work/inclusive.txt"
annotate > "$work/self.txt"
annotate --tree=caller > "$work/callers.txt"
# The inclusive cost of the function whose name begins with $1.
cost() {
  awk -v name="$1" '{ fn = $0; sub(/^ *[0-9,]+ +/, "", fn); sub(/^[^:]*:/, "", fn) }
    index(fn, name) == 1 { gsub(",", "", $1); if ($1 + 0 > most) most = $1 + 0 }
    END { printf "%.0f", most }' "$work/inclusive.txt"
}
total="$(awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }' "$work/inclusive.txt")"
# The ticks: the calls of the tick handler, as its callers ("<") made them.
ticks="$(awk '/^ *[0-9,]+ +< / { n = $0; sub(/.*\(/, "", n); sub(/x\).*/, "", n); calls += n; next }
  /^ *[0-9,]+ +\* .*:TForm1::Timer1Timer\(\)/ { sum += calls }
  { calls = 0 } END { print sum + 0 }' "$work/callers.txt")"
test "$ticks" -gt 0 || fail "no tick was counted: did the run start?"

moving="$(cost "Oscillograph::ReplotMoving(")"
replot="$(cost "QCustomPlot::replot(")"
chart_paint="$(cost "ChartPlot::paintEvent(")"
scene_paint="$(cost "ImageView::paintEvent(")"
repaint="$(cost "QWidgetRepaintManager::paintAndFlush(")"
frames="$(cost "FramePictures::Load(")"
scene_redraw="$(cost "TForm1::DrawScene(")"
plot="$(cost "Oscillograph::PlotTraces(")"
handler="$(cost "TForm1::Timer1Timer(")"
parts=(
  "$moving the chart's moving layer: traces, time axis, grid (Oscillograph::ReplotMoving)"
  "$replot whole chart replots (QCustomPlot::replot; none in a steady run)"
  "$chart_paint the chart's layer buffers copied into the window (ChartPlot::paintEvent)"
  "$scene_paint the cross-section copied into the window (ImageView::paintEvent)"
  "$((repaint - chart_paint - scene_paint)) the rest of the repaint: other widgets, the flush to the X server"
  "$frames the frame picture read, decoded where it changed (FramePictures::Load)"
  "$((scene_redraw - frames)) the rest of the scene redraw (TForm1::DrawScene)"
  "$plot the traces' new points (Oscillograph::PlotTraces)"
  "$((handler - scene_redraw - plot)) the rest of the tick handler: the simulation step"
)
named=0
for part in "${parts[@]}"; do named=$((named + ${part%% *})); done
# Instructions with their thousands grouped: 783,375.
grouped() { echo "$1" | sed -e ':a' -e 's/\([0-9]\)\([0-9]\{3\}\)\($\|,\)/\1,\2\3/' -e 'ta'; }
per_tick() {
  printf "%12s  %5s %%" "$(grouped "$(($1 / ticks))")" \
    "$(awk -v n="$1" -v all="$total" 'BEGIN { printf "%.1f", 100 * n / all }')"
}

echo "callgrind file:         $kept"
echo "ticks counted in ${count_seconds} s:   $ticks (calls of TForm1::Timer1Timer)"
echo "instructions in ${count_seconds} s:    $(grouped "$total")"
echo "instructions per tick:  $(grouped "$((total / ticks))")"
echo
echo "Largest parts of a tick (inclusive instructions per tick; the parts do not overlap):"
# Sorted by the plain number, which leads each line until cut off: the grouped one of a
# million or more would sort as 1.
for part in "${parts[@]}"; do
  echo "${part%% *} $(per_tick "${part%% *}")  ${part#* }"
done | sort -k1,1 -rn | head -n 5 | cut -d " " -f 2-
echo "$(per_tick "$((total - named))")  everything else (the event loop, timers, X events)"
echo
echo "Largest functions by own (self) cost per tick:"
grep -E "^ *[0-9,]+ " "$work/self.txt" | grep -v "PROGRAM TOTALS" | head -n 5 |
  while read -r instructions where; do
    echo "$(per_tick "${instructions//,/}")  ${where:0:100}"
  done
