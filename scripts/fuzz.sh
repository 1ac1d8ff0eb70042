#!/usr/bin/env bash
# Builds the three libFuzzer targets (preset `fuzz`, clang) and runs each for the given
# number of seconds (30 by default), starting from the seed corpus in fuzz/corpus. Any
# finding (crash, sanitizer report, hang) fails the run and leaves the input in
# build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

source scripts/setup.sh
busenje_install_packages clang libclang-rt-14-dev

cmake --preset fuzz
cmake --build --preset fuzz --target fuzz_strict_conversion fuzz_frame_file fuzz_window

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/findings
export QT_QPA_PLATFORM=offscreen
# Qt's font configuration keeps some memory to the end; leaks are not findings here.
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for target in strict_conversion frame_file window; do
  mkdir -p "$work/$target"
  cp -r "fuzz/corpus/$target/." "$work/$target/"
  echo "== fuzz_$target, ${seconds} s"
  if ! build-fuzz/bin/fuzz_$target -max_total_time="$seconds" -timeout=20 -detect_leaks=0 \
      -print_final_stats=1 -artifact_prefix="$PWD/build-fuzz/findings/$target-" \
      "$work/$target" > "$work/$target.log" 2>&1; then
    status=1
    tail -n 60 "$work/$target.log"
  fi
  grep -E "^Done [0-9]+ runs|stat::number_of_executed_units|stat::average_exec_per_sec" \
    "$work/$target.log" || true
done
exit $status
