#!/usr/bin/env bash
# Speed test of the property library through the stcycle plant program: the grid of 480 steam-turbine heat
# balances, timed by the program itself, for each formulation code (release build).
#
#   bench/stcycle_timing.sh            codes 97 95 84 69 67, best of 3 runs each
#   bench/stcycle_timing.sh 97 -97     the codes given
#   RUNS=5 bench/stcycle_timing.sh 97  best of 5
#
# A formulation whose kernel has not landed answers every call with PropertyError, so its time is not a
# measure of anything; such a code is marked.
set -euo pipefail
if [ "${1:-}" = "-h" ] || [ "${1:-}" = "--help" ]; then
  echo "usage: bench/stcycle_timing.sh [CODE...]   (default 97 95 84 69 67; RUNS=N timed grids per code)"
  exit 0
fi
cd "$(dirname "$0")/.."

runs=${RUNS:-3}
codes=("$@")
if [ ${#codes[@]} -eq 0 ]; then codes=(97 95 84 69 67); fi

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target stcycle brimwater >/dev/null
program=build/release/examples/stcycle/stcycle
calculator=build/release/cli/brimwater

# The program's own figure is elapsed (wall-clock) time; on a shared machine the processor time that
# /usr/bin/time reports alongside is the steadier measure.
timer=()
if [ -x /usr/bin/time ]; then timer=(/usr/bin/time -f "cpu %U"); fi

for code in "${codes[@]}"; do
  best=""
  bestCpu=""
  for ((run = 0; run < runs; ++run)); do
    # The timing line is the last line the program writes on standard error: "480 cases in S seconds".
    report=$("${timer[@]}" "$program" "$code" 2>&1 >/dev/null)
    seconds=$(printf '%s\n' "$report" | awk '/cases in/ {print $4}')
    cpu=$(printf '%s\n' "$report" | awk '/^cpu/ {print $2}')
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$seconds; fi
    if [ -n "$cpu" ] && { [ -z "$bestCpu" ] || awk -v a="$cpu" -v b="$bestCpu" 'BEGIN { exit !(a < b) }'; }; then
      bestCpu=$cpu
    fi
  done
  if [ -n "$bestCpu" ]; then best="$best (processor $bestCpu)"; fi
  note=""
  # The calculator refuses a code the library does not answer (and prints nothing).
  if [ -x "$calculator" ]; then
    value=$("$calculator" Psat 300 "-${code#-}" 2>/dev/null || true)
    if [ -z "$value" ] || [ "$value" = "-999" ]; then
      note="  (kernel not available: every call returns PropertyError)"
    fi
  fi
  printf 'code %4s: 480 cases in %s seconds, best of %d%s\n' "$code" "$best" "$runs" "$note"
done
