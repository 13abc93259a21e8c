#!/usr/bin/env bash
# The Python module's speed beside the C++ library's: builds the release preset's benchmark program and
# Python module, then runs bench/python_bench.py with the interpreter the module was built for.
#
#   bench/python_bench.sh              best of 15 runs per figure
#   REPEATS=30 bench/python_bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target brimwater_bench brimwater_python >/dev/null
python=$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' build/release/CMakeCache.txt)
if [[ -z "$python" ]]; then
  echo "the release build has no Python module (see the Python section of README.md)" >&2
  exit 1
fi
exec "$python" bench/python_bench.py build/release
