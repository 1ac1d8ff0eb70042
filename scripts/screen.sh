#!/usr/bin/env bash
# What the checks that look at the program on a screen share: an Xvfb display, the
# program's windows on it, and the cross-section's drill in a screenshot. Sourced by the
# check scripts, which source setup.sh first, set `work`, a folder for logs and
# screenshots, and call end_processes from their EXIT trap.
# shellcheck disable=SC2154 # work is the sourcing script's

readonly main_title="Odredjivanje otpora rezanja pri busenju i prosirivanju"
readonly program_title="Busenje"
# The cross-section's place in the main window (x, y, width, height), and within it a
# patch of the drill's body above the workpiece, white where no drill is drawn.
readonly scene=(232 0 369 353)
readonly drill_patch=(176 5 16 50)

pids=()
# Without -noreset the server resets when its last client leaves, and a program that
# connects in that moment finds no display ("could not connect to display") and aborts:
# one start in ten or so right after a program was stopped.
start_xvfb() {
  exec 3> "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset > "$work/xvfb.log" 2>&1 &
  pids+=($!)
  exec 3>&-
  for _ in $(seq 50); do
    if [ -s "$work/display" ]; then break; fi
    sleep 0.1
  done
  display=":$(cat "$work/display")"
  test "$display" != ":" || fail "Xvfb did not start"
}

# Ends a process started in the background and what it started: a function run with &
# is a subshell whose child is the program.
end_process() {
  pkill -P "$1" 2> /dev/null || true
  kill "$1" 2> /dev/null || true
}

# Ends every process started in the background here, the last started first: a program
# whose X server went before it would abort.
end_processes() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    end_process "${pids[i]}"
    wait "${pids[i]}" 2> /dev/null || true
  done
}

# The viewable top-level windows that have a name, one "id name" a line. (Wine keeps a
# nameless helper window of one pixel on the screen.)
windows() {
  local id
  for id in $(xwininfo -display "$display" -root -children | awk '$1 ~ /^0x/ && $2 ~ /^"/ {print $1}'); do
    xwininfo -display "$display" -id "$id" 2> /dev/null |
      awk -v id="$id" '/Window id:/ {sub(/^[^"]*"/, ""); sub(/"[^"]*$/, ""); name = $0}
                       /Map State: IsViewable/ {print id, name}'
  done
}
# Fails unless the main window is the only window: a second one is the program's message
# box (a material pair not allowed or not picked, a broken drill); $1 says when.
check_no_box() {
  test "$(windows | wc -l)" -eq 1 || fail "a message box is open ($1): $(windows)"
}
window_of() {
  windows | awk -v t="$1" '{id = $1; sub(/^[^ ]* /, "")} $0 == t {print id}'
}
# Waits until the main window shows (at most $1 seconds, 10 without it), then a moment for
# any box that would follow it.
# shellcheck disable=SC2120 # the seconds are optional
wait_for_main_window() {
  for _ in $(seq $((${1:-10} * 10))); do
    if [ -n "$(window_of "$main_title")" ] || [ -n "$(window_of "$program_title")" ]; then
      sleep 2
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# Ends a started program and waits until its windows are gone.
stop_program() {
  end_process "$1"
  wait "$1" 2> /dev/null || true
  for _ in $(seq 50); do
    if [ -z "$(windows)" ]; then return 0; fi
    sleep 0.1
  done
  fail "the windows of a stopped program stay on the screen"
}
# Checks the windows and the drill in the cross-section, and writes the picture of the
# screen to $1, of the main window to $1-window.
check_screen() {
  local shot="$1" list line main x y width height
  list="$(windows)"
  while read -r line; do echo "   window $line"; done <<< "$list"
  test -z "$(window_of "$program_title")" || { echo "an error box is open"; return 1; }
  main="$(window_of "$main_title")"
  test -n "$main" || { echo "no main window"; return 1; }
  test "$(echo "$list" | wc -l)" -eq 1 || { echo "more windows than the main one"; return 1; }
  read -r x y width height < <(xwininfo -display "$display" -id "$main" |
    awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
         /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}')
  import -display "$display" -window root "$shot"
  import -display "$display" -window root -crop "${width}x${height}+$x+$y" +repage \
    "${shot%.png}-window.png"
  import -display "$display" -window root \
    -crop "${drill_patch[2]}x${drill_patch[3]}+$((x + scene[0] + drill_patch[0]))+$((y + scene[1] + drill_patch[1]))" \
    +repage "${shot%.png}-drill.png"
  # The drill's body is dark grey; the background where it is missing is white.
  local brightness
  brightness="$(identify -format '%[fx:int(100*mean)]' "${shot%.png}-drill.png")"
  echo "   mean brightness where the drill's body should be: $brightness %"
  test "$brightness" -lt 60 || { echo "no drill in the cross-section"; return 1; }
}
# Fails unless the main windows in the two screenshots' "-window" pictures are equal,
# pixel for pixel.
same_window() {
  local differing
  differing="$(compare -metric AE "${1%.png}-window.png" "${2%.png}-window.png" null: 2>&1)" ||
    true
  test "$differing" = 0 || fail "the main window of $1 differs from $2's in $differing pixels"
}

# Places in the main window's client area that the checks click: the hole depth's field,
# the fields of the two material lists, "Proces" and "Exit".
readonly depth_field=(175 251) tool_field=(100 306) work_field=(100 338)
readonly proces_button=(36 396)
# shellcheck disable=SC2034 # clicked by the scripts that end the program as a user does
readonly exit_button=(36 476)
click_in() {
  timeout 10 xdotool mousemove --window "$1" "$2" "$3" click 1
}
# Clicks into a material list's field at ($2, $3) of window $1 and picks the list's third
# entry.
pick_third_entry() {
  click_in "$@"
  sleep 0.5
  timeout 10 xdotool key --delay 150 Down Down Down
}
# Starts a run in the main window $1 with the materials K40 and NL 800-2, an allowed pair:
# the hole depth set to $2 mm first where given, "Proces" pressed, and the pointer moved
# off the window, so that no hover effect repaints during the run. A click into a field
# gives it the focus; Ctrl+A and the digits replace the depth, and from no selection Down
# once picks a list's first entry, so three Downs pick the third.
start_run() {
  local main="$1" depth="${2:-}"
  if [ -n "$depth" ]; then
    click_in "$main" "${depth_field[@]}"
    timeout 10 xdotool key ctrl+a
    timeout 10 xdotool type --delay 100 "$depth"
  fi
  pick_third_entry "$main" "${tool_field[@]}"
  pick_third_entry "$main" "${work_field[@]}"
  sleep 0.5
  click_in "$main" "${proces_button[@]}"
  timeout 10 xdotool mousemove 5 5
}
