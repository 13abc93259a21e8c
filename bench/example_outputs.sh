#!/usr/bin/env bash
# Guard for speed work: the seven example programs must print exactly what they printed before.
#
#   bench/example_outputs.sh save DIR    run every program (release build) and keep its standard output in DIR
#   bench/example_outputs.sh check DIR   run them again and diff against DIR; exit status 1 on any difference
#
# stcycle runs once per formulation code; its timing line ("480 cases in S seconds") differs by nature and is
# dropped. hrsg3 solves forever unless given a solve limit, so it gets one.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
dir=${2:-}
if [ "$mode" = "-h" ] || [ "$mode" = "--help" ]; then
  echo "usage: $0 save|check DIR"
  exit 0
fi
if [ -z "$mode" ] || [ -z "$dir" ]; then
  echo "usage: $0 save|check DIR" >&2
  exit 2
fi

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target cc3p stcycle cc1si hrsg3r hrsg3 hrsg2 hrsg1 >/dev/null
bin=build/release/examples

run_all() {
  local out=$1
  mkdir -p "$out"
  "$bin/cc3p/cc3p" >"$out/cc3p.txt"
  "$bin/cc1si/cc1si" >"$out/cc1si.txt"
  "$bin/hrsg3r/hrsg3r" >"$out/hrsg3r.txt"
  "$bin/hrsg3/hrsg3" 50 >"$out/hrsg3.txt"
  "$bin/hrsg2/hrsg2" >"$out/hrsg2.txt"
  "$bin/hrsg1/hrsg1" >"$out/hrsg1.txt"
  for code in 97 -97 95 84 69 67; do
    "$bin/stcycle/stcycle" "$code" 2>/dev/null | grep -v ' cases in ' >"$out/stcycle_$code.txt"
  done
}

case $mode in
  save) run_all "$dir" ;;
  check)
    fresh=$(mktemp -d)
    trap 'rm -rf "$fresh"' EXIT
    run_all "$fresh"
    if diff -r "$dir" "$fresh"; then
      echo "example outputs identical"
    else
      echo "example outputs DIFFER" >&2
      exit 1
    fi
    ;;
  *)
    echo "usage: $0 save|check DIR" >&2
    exit 2
    ;;
esac
