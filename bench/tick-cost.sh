#!/usr/bin/env bash
# The cost of one tick of the running program, in instructions, counted by valgrind's
# callgrind: the program runs on an Xvfb display, the tool material K40 and the workpiece
# material NL 800-2 are picked, "Proces" is pressed, and instructions are counted for 6 s
# of the run. Instruction counts, unlike times, do not change with the load of the machine.
# The hole depth is set to 130 mm first: with the start depth the drill reaches the bottom
# after 240 ticks and the timer stops, not far beyond the ticks run here before and while
# counting. The depth changes no tick before that.
#
# Usage: bench/tick-cost.sh [PROGRAM_DIR]
#   PROGRAM_DIR  a folder with a built busenje and its 42 frame pictures; without it the
#                program is built into build/bin first.
#
# It prints:
#   - the ticks counted: the calls of TForm1::Timer1Timer that began while instructions
#     were counted (the tick already running when counting began is left out, and its
#     remaining instructions stand for the part of the last tick that was not counted);
#   - all instructions of the program (every thread) in that time, and per tick;
#   - the five largest parts of a tick, by inclusive cost per tick. The parts do not
#     overlap: what one named part calls that is itself a named part counts only there.
#       the chart's moving layer   Oscillograph::ReplotMoving: the traces, the time axis
#                                  and its grid drawn anew
#       whole chart replots        QCustomPlot::replot without the repaint it asks for
#                                  (none in a steady run)
#       ChartPlot::paintEvent      the chart's layer buffers copied into the window
#       ImageView::paintEvent      the cross-section copied into the window
#       rest of the repaint        the rest of QWidgetRepaintManager::paintAndFlush: the
#                                  other widgets and the flush to the X server
#       BMP decode                 QImage::loadFromData called by LoadFrameFile
#       rest of LoadFrameFile      reading and comparing the file
#       rest of the scene redraw   TForm1::DrawScene: painting the cross-section
#       Oscillograph::PlotTraces   the new points of the traces
#       rest of the tick handler   TForm1::Timer1Timer without the scene and the traces:
#                                  the simulation step
#     and what all the other named parts and everything else (the event loop, timers,
#     X events) cost;
#   - the five functions with the largest own (self) cost per tick. Qt's internal
#     functions have no names without Qt's debug symbols; they are shown by their
#     library and address, with the nearest named function that calls them.
# A part whose function the program does not have (an older build) is named in a line of
# its own and counts nothing.
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
# The callgrind file, uncompressed: "ob=" names the object of the "fn=" blocks that
# follow; in a block, "cob=" (only when the callee is in another object), "cfn=" and
# "calls=COUNT TARGET" introduce one call whose next line carries its inclusive cost; other
# lines starting with a position carry the function's own cost.
awk -v tick_fn="TForm1::Timer1Timer()" -v seconds="$count_seconds" -v file="$kept" '
function key(name, object) {
  # Functions without a symbol are told apart by their object.
  if (name ~ /^0x/) {
    sub(/^0x0+/, "0x", name)
    sub(/.*\//, "", object)
    return name " in " object
  }
  return name
}
function grouped(n,   s, out) {
  s = sprintf("%.0f", n)
  out = ""
  while (length(s) > 3 && substr(s, length(s) - 3, 1) ~ /[0-9]/) {
    out = "," substr(s, length(s) - 2) out
    s = substr(s, 1, length(s) - 3)
  }
  return s out
}
function incl(name) {
  if (!(name in seen)) {
    missing = missing "\n   not seen: " name
    return 0
  }
  return inclusive[name]
}
function edge(caller, prefix,   k, parts, sum) {
  sum = 0
  for (k in callcost) {
    split(k, parts, SUBSEP)
    if (parts[1] == caller && index(parts[2], prefix) == 1) sum += callcost[k]
  }
  return sum
}
function positive(x) { return x > 0 ? x : 0 }
# A display name: recursion levels and compiler clones are the same function.
function plain(name) {
  sub(/'\''[0-9]+$/, "", name)
  sub(/ \[clone [^]]*\]$/, "", name)
  return name
}
# The caller that spends most in a nameless function, followed up to a named one.
function named_caller(name,   step, k, parts, best, bestcost) {
  for (step = 0; step < 8 && name ~ /^0x/; step++) {
    best = ""
    bestcost = -1
    for (k in callcost) {
      split(k, parts, SUBSEP)
      if (parts[2] == name && parts[1] != name && callcost[k] > bestcost) {
        best = parts[1]
        bestcost = callcost[k]
      }
    }
    if (best == "") return ""
    name = best
  }
  return name ~ /^0x/ ? "" : plain(name)
}
function shorten(text, width) {
  return length(text) > width ? substr(text, 1, width - 3) "..." : text
}
/^ob=/ { ob = substr($0, 4); next }
/^fn=/ { fn = key(substr($0, 4), ob); seen[fn] = 1; cob = ""; next }
/^cob=/ { cob = substr($0, 5); next }
/^cfn=/ { cfn = substr($0, 5); next }
/^calls=/ { split(substr($0, 7), c, " "); ncalls = c[1]; target = c[2]; in_call = 1; next }
/^totals:/ { totals = $2; next }
/^[0-9+*-]/ {
  cost = NF >= 2 ? $2 : 0
  if (in_call) {
    callee = key(cfn, cob != "" ? cob : ob)
    in_call = 0
    cob = ""
    if (callee == fn) next
    callcost[fn, callee] += cost
    if (callee == tick_fn) entries[target] += ncalls
  } else {
    self[fn] += cost
    total += cost
  }
  next
}
END {
  if (totals != "") total = totals
  # A tick that was already running when counting began entered the handler in its
  # middle; the ticks are the calls that entered at its first line.
  for (t in entries) if (entries[t] > ticks) ticks = entries[t]
  if (ticks == 0) {
    print "tick-cost: no tick was counted: did the run start?" > "/dev/stderr"
    exit 1
  }
  for (k in callcost) {
    split(k, parts, SUBSEP)
    inclusive[parts[1]] += callcost[k]
  }
  for (f in self) inclusive[f] += self[f]

  replot = "QCustomPlot::replot(QCustomPlot::RefreshPriority)"
  moving = "Oscillograph::ReplotMoving()"
  flush = "QWidgetRepaintManager::paintAndFlush()"
  chart_paint = "(anonymous namespace)::ChartPlot::paintEvent(QPaintEvent*)"
  scene_paint = "ImageView::paintEvent(QPaintEvent*)"
  load = "LoadFrameFile(QString const&)"
  scene = "TForm1::DrawScene()"
  plot = "Oscillograph::PlotTraces(SimulationState const&)"
  n = 0
  name[++n] = "the moving layer of the chart: traces, time axis, grid (Oscillograph::ReplotMoving)"
  part[n] = incl(moving)
  name[++n] = "whole chart replots (QCustomPlot::replot without its repaint)"
  part[n] = replot in seen ? positive(inclusive[replot] - edge(replot, "QWidget::repaint(")) : 0
  name[++n] = "ChartPlot::paintEvent (the chart copied into the window)"
  part[n] = incl(chart_paint)
  name[++n] = "ImageView::paintEvent (the cross-section copied into the window)"
  part[n] = incl(scene_paint)
  name[++n] = "rest of the window repaint (other widgets, flush to the X server)"
  part[n] = positive(incl(flush) - part[3] - part[4])
  name[++n] = "BMP decode of the frame picture (QImage::loadFromData)"
  part[n] = edge(load, "QImage::loadFromData(")
  name[++n] = "rest of LoadFrameFile (reading and comparing the file)"
  part[n] = positive(incl(load) - part[6])
  name[++n] = "rest of the scene redraw (TForm1::DrawScene: painting the cross-section)"
  part[n] = positive(incl(scene) - incl(load))
  name[++n] = "Oscillograph::PlotTraces (new points of the traces)"
  part[n] = incl(plot)
  name[++n] = "rest of the tick handler TForm1::Timer1Timer (simulation step)"
  part[n] = positive(incl(tick_fn) - incl(scene) - incl(plot))

  printf "callgrind file:         %s\n", file
  printf "ticks counted in %d s:   %d (calls of %s)\n", seconds, ticks, tick_fn
  printf "instructions in %d s:    %s\n", seconds, grouped(total)
  printf "instructions per tick:  %s\n", grouped(total / ticks)
  if (missing != "") printf "functions the parts need that the file does not have:%s\n", missing

  print ""
  print "Largest parts of a tick (inclusive instructions per tick; the parts do not overlap):"
  named = 0
  for (i = 1; i <= n; i++) { order[i] = i; named += part[i] }
  for (i = 1; i <= n; i++)
    for (j = i + 1; j <= n; j++)
      if (part[order[j]] > part[order[i]]) { t = order[i]; order[i] = order[j]; order[j] = t }
  shown = 0
  for (i = 1; i <= 5; i++) {
    p = part[order[i]]
    shown += p
    printf "  %10s  %5.1f %%  %s\n", grouped(p / ticks), 100 * p / total, name[order[i]]
  }
  printf "  %10s  %5.1f %%  %s\n", grouped((named - shown) / ticks), 100 * (named - shown) / total,
    sprintf("the other %d named parts", n - 5)
  rest = total - named
  printf "  %10s  %5.1f %%  %s\n", grouped(rest / ticks), 100 * rest / total,
    "everything else (event loop, timers, X events)"

  print ""
  print "Largest functions by own (self) cost per tick:"
  for (f in self) own[plain(f)] += self[f]
  for (i = 1; i <= 5; i++) {
    best = ""
    for (f in own) if (!(f in listed) && (best == "" || own[f] > own[best])) best = f
    if (best == "") break
    listed[best] = 1
    label = best
    if (best ~ /^0x/) {
      caller = named_caller(best)
      sub(/\(.*$/, "", caller)
      if (caller != "") label = best ", under " caller
    }
    printf "  %10s  %5.1f %%  %s\n", grouped(own[best] / ticks), 100 * own[best] / total,
      shorten(label, 110)
  }
}' "$kept"
