#!/usr/bin/env bash
# The share of one core that the running program and the X server use over 20 s of a run
# at 20 ticks a second, for the program built from an older commit and for the work tree,
# side by side on the same machine.
#
# Usage: bench/cpu-share.sh OLD_COMMIT
#   CPU_SHARE_RUNS (default 3): how many runs each program makes, the two alternating.
#
# The older program is built from a git worktree in build/cpu-share/old into
# build/cpu-share/old-build (only the busenje target, RelWithDebInfo like the default
# preset, configured with plain cmake flags, since an older commit's presets may differ);
# the work tree's program is built into build/bin with the default preset. The worktree
# and its build stay for the next comparison.
#
# Each run starts a fresh Xvfb and the program on it (without a window manager the window's
# own X window is its client area, and clicks are placed relative to it), sets the hole
# depth to 130 mm, picks the tool material K40 and the workpiece material NL 800-2 and
# presses "Proces". With the start depth the drill reaches the bottom after 240 ticks, 12 s,
# and the timer stops; at 130 mm the run goes on for over a minute. One second after
# "Proces", the CPU times (utime + stime from /proc/PID/stat, in clock ticks of
# getconf CLK_TCK) of the program and of Xvfb are read, and again after 20 s.
#
# It prints every run's share of one core in % for the program and for Xvfb, the median
# of each, and the ratios new/old of the medians. A message box (a material pair not
# picked, a broken drill), a program that ends, or a run that stops before the 20 s are
# over fail the script. Times depend on the load of the machine: compare runs made
# together, and prefer bench/tick-cost.sh for small differences.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

readonly work="$PWD/build/cpu-share"
source scripts/screen.sh
readonly seconds=20 depth_mm=130
readonly runs="${CPU_SHARE_RUNS:-3}"

if [ $# -ne 1 ]; then
  echo "usage: $0 OLD_COMMIT" >&2
  exit 2
fi
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || fail "CPU_SHARE_RUNS must be a positive number, not $runs"
old_commit="$(git rev-parse --verify --quiet "$1^{commit}")" || fail "no commit $1"

busenje_install_packages xvfb xdotool x11-utils qt6-qpa-plugins

readonly worktree="$work/old" old_build="$work/old-build"
mkdir -p "$work"

# ---- The two programs ----
echo "== building $old_commit in $worktree"
git worktree prune
if [ -e "$worktree/.git" ]; then
  git -C "$worktree" checkout --quiet --detach --force "$old_commit"
else
  rm -rf "$worktree"
  git worktree add --quiet --detach "$worktree" "$old_commit"
fi
cmake -S "$worktree" -B "$old_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUSENJE_TESTS=OFF -DBUSENJE_BENCHMARKS=OFF > "$work/old-configure.log" 2>&1 ||
  fail "configuring $old_commit failed; see $work/old-configure.log"
cmake --build "$old_build" --target busenje > "$work/old-build.log" 2>&1 ||
  fail "building $old_commit failed; see $work/old-build.log"

echo "== building the work tree in build/bin"
cmake --preset default > "$work/new-configure.log" 2>&1 ||
  fail "configuring the work tree failed; see $work/new-configure.log"
cmake --build --preset default --target busenje > "$work/new-build.log" 2>&1 ||
  fail "building the work tree failed; see $work/new-build.log"

declare -A program_dir=([old]="$old_build/bin" [new]="$PWD/build/bin")
for which in old new; do
  test -x "${program_dir[$which]}/busenje" || fail "no program ${program_dir[$which]}/busenje"
  test "$(find "${program_dir[$which]}" -maxdepth 1 -name '*.BMP' | wc -l)" -eq 42 ||
    fail "${program_dir[$which]} does not hold the 42 frame pictures"
done

trap end_processes EXIT

# CPU time of a process and all its threads: utime + stime, in clock ticks. The name in
# the second field may hold spaces, so the fields are counted after its ")".
cpu_ticks() {
  awk '{sub(/^.*\) /, ""); split($0, f, " "); print f[12] + f[13]}' "/proc/$1/stat"
}
# "program-ticks xvfb-ticks nanoseconds" now.
sample() {
  echo "$(cpu_ticks "$program") $(cpu_ticks "${pids[0]}") $(date +%s%N)"
}

clk_tck="$(getconf CLK_TCK)"
readonly clk_tck
# CLOCK_TICKS NANOSECONDS: the share of one core, in %.
share() {
  awk -v t="$1" -v ns="$2" -v hz="$clk_tck" 'BEGIN {printf "%.2f", 100 * t / hz / (ns / 1e9)}'
}

# One run of the program in $1's folder; appends "program% xvfb%" to $work/$1.shares.
measure() {
  local which="$1" run="$2" main_window=""
  start_xvfb
  export DISPLAY="$display"
  (cd "${program_dir[$which]}" && QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 \
    XDG_RUNTIME_DIR="$work/runtime" exec ./busenje) > "$work/$which-$run.log" 2>&1 &
  program=$!
  pids+=("$program")
  wait_for_main_window 60 ||
    fail "the $which program showed no main window: $(tail -n 5 "$work/$which-$run.log")"
  main_window="$(window_of "$main_title")"
  check_no_box "$which program, at the start"
  start_run "$main_window" "$depth_mm"
  sleep 1
  check_no_box "$which program, after Proces: are K40 and NL 800-2 picked and allowed?"

  local p0 x0 t0 p1 p2 x2 t2
  read -r p0 x0 t0 < <(sample)
  sleep "$((seconds / 2))"
  read -r p1 _ _ < <(sample)
  sleep "$((seconds - seconds / 2))"
  read -r p2 x2 t2 < <(sample)
  test -n "$t2" || fail "the CPU times of the $which program or of Xvfb could not be read"
  check_no_box "$which program, at the end of the 20 s"
  kill -0 "$program" 2> /dev/null || fail "the $which program ended during the run"
  # A stopped timer leaves the program idle: the second half would cost next to nothing.
  if [ "$((4 * (p2 - p1)))" -lt "$((p1 - p0))" ]; then
    fail "the $which program's run seems to have stopped: $((p1 - p0)) clock ticks in the" \
      "first half, $((p2 - p1)) in the second"
  fi

  local program_share xvfb_share
  program_share="$(share "$((p2 - p0))" "$((t2 - t0))")"
  xvfb_share="$(share "$((x2 - x0))" "$((t2 - t0))")"
  echo "$program_share $xvfb_share" >> "$work/$which.shares"
  printf "  %-4s %3d  %9s %%  %6s %%\n" "$which" "$run" "$program_share" "$xvfb_share"

  end_processes
  pids=()
}

# The median of the numbers on standard input.
median() {
  sort -g | awk '{v[NR] = $1}
    END {
      if (NR % 2) printf "%.2f", v[(NR + 1) / 2]
      else printf "%.2f", (v[NR / 2] + v[NR / 2 + 1]) / 2
    }'
}
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else printf "-"}'
}

# ---- The runs, old and new alternating ----
rm -f "$work/old.shares" "$work/new.shares"
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
new_state="$(git rev-parse --short HEAD)"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  new_state="$new_state with the changes in the work tree"
fi
echo
echo "old: $(git log -1 --format='%h %s' "$old_commit")"
echo "new: the work tree, $new_state"
echo "Share of one core over $seconds s of a run at 20 ticks a second:"
echo "  prog run    program     Xvfb"
for run in $(seq "$runs"); do
  for which in old new; do
    measure "$which" "$run"
  done
done

old_program="$(cut -d' ' -f1 "$work/old.shares" | median)"
old_xvfb="$(cut -d' ' -f2 "$work/old.shares" | median)"
new_program="$(cut -d' ' -f1 "$work/new.shares" | median)"
new_xvfb="$(cut -d' ' -f2 "$work/new.shares" | median)"
echo "Medians of $runs runs:"
printf "  %-8s  %9s %%  %6s %%\n" old "$old_program" "$old_xvfb" new "$new_program" "$new_xvfb"
printf "  %-8s  %9s    %6s\n" new/old "$(ratio "$new_program" "$old_program")" \
  "$(ratio "$new_xvfb" "$old_xvfb")"
