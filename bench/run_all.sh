#!/usr/bin/env bash
# Every speed figure of the property library in one run: builds the release preset, times each benchmark of
# brimwater_bench (all fifteen public functions for every code, the kernels' hot operations) and the stcycle
# sweep of 480 cases per formulation code, and prints one Markdown table.
#
#   bench/run_all.sh                       best of 3 repetitions of 0.2 s per benchmark
#   MIN_TIME=0.5 REPETITIONS=5 bench/run_all.sh
#   FILTER='Public/HofTP' bench/run_all.sh  only the benchmarks that match (stcycle still runs)
#
# Figures are processor time per call, the best of the repetitions: on a shared machine the least disturbed
# run is the closest to the code's own cost.
set -euo pipefail

usage() {
  cat <<'USAGE'
usage: bench/run_all.sh [--help]
  Builds the release preset, times every benchmark of brimwater_bench and the stcycle grid per formulation
  code, and prints one Markdown table. Settings come from the environment:
    MIN_TIME=S        seconds per benchmark repetition (default 0.2)
    REPETITIONS=N     repetitions per benchmark, the best one reported (default 3)
    FILTER=REGEX      only the benchmarks that match (default all; stcycle still runs)
    RUNS=N            timed stcycle grids per code, the best one reported (default 3)
USAGE
}

case ${1:-} in
  "") ;;
  -h | --help)
    usage
    exit 0
    ;;
  *)
    echo "bench/run_all.sh: unknown argument '$1'" >&2
    usage >&2
    exit 2
    ;;
esac

cd "$(dirname "$0")/.."

min_time=${MIN_TIME:-0.2}
repetitions=${REPETITIONS:-3}
filter=${FILTER:-.}

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target brimwater_bench stcycle brimwater >/dev/null

csv=$(mktemp)
trap 'rm -f "$csv"' EXIT
build/release/bench/brimwater_bench --benchmark_filter="$filter" --benchmark_min_time="$min_time" \
  --benchmark_repetitions="$repetitions" --benchmark_format=csv >"$csv" 2>/dev/null

echo "| benchmark | processor time per call |"
echo "|---|---:|"
# Rows in the order the benchmarks ran; the least processor time of each benchmark's repetitions.
awk -F, 'NR > 1 {
  name = $1
  gsub(/"/, "", name)
  if (name ~ /_(mean|median|stddev|cv)$/) next
  ns = $4
  if ($5 == "us") ns *= 1e3
  else if ($5 == "ms") ns *= 1e6
  else if ($5 == "s") ns *= 1e9
  if (!(name in best)) { order[++count] = name; best[name] = ns }
  else if (ns < best[name]) best[name] = ns
}
END {
  for (i = 1; i <= count; ++i) {
    ns = best[order[i]]
    if (ns < 100) figure = sprintf("%.1f ns", ns)
    else if (ns < 1000) figure = sprintf("%.0f ns", ns)
    else if (ns < 1e6) figure = sprintf("%.2f us", ns / 1e3)
    else figure = sprintf("%.2f ms", ns / 1e6)
    printf "| %s | %s |\n", order[i], figure
  }
}' "$csv"

echo
echo "| stcycle, 480 cases | elapsed seconds (processor seconds), best of ${RUNS:-3} |"
echo "|---|---:|"
bench/stcycle_timing.sh 97 95 84 69 67 |
  awk '{ code = $2; sub(/:$/, "", code); seconds = $6; cpu = ""
         if ($7 == "(processor") { cpu = $8; sub(/\)$/, "", cpu) }
         printf "| code %s | %s%s |\n", code, seconds, (cpu == "" ? "" : " (" cpu ")") }'
