#!/usr/bin/env bash
# A new user's first two commands, each doing all of its own set-up on Debian 12:
#
#   ./quickstart.sh demo    install what is missing, build the library and the calculator alone, run its demo
#   ./quickstart.sh test    install what is missing, build everything and pass every test (the default workflow)
#
#   ./quickstart.sh packages demo|test|ci   print the Debian packages a command needs (ci: every group)
#
# The packages are listed once, in debian-packages.txt. Missing ones are installed with apt-get as root, with
# sudo otherwise; without either the script names them and stops.
set -euo pipefail
cd "$(dirname "$0")"

usage() {
  echo "usage: ./quickstart.sh demo | test | packages demo|test|ci"
}

# The packages of every group that `command` needs, one per line; ci needs every group.
packages_for() {
  awk -v want="$1" '
    /^[[:space:]]*(#|$)/ { next }
    {
      needed = (want == "ci")
      n = split($2, users, ",")
      for (i = 1; i <= n; ++i) if (users[i] == want) needed = 1
      if (needed) for (i = 3; i <= NF; ++i) print $i
    }' debian-packages.txt
}

install_missing() {
  local package missing=()
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "quickstart: not a Debian system, so nothing is installed; this needs: $*" >&2
    return 0
  fi
  for package in "$@"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
      missing+=("$package")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then return 0; fi
  if [ "$(id -u)" -eq 0 ]; then
    echo "quickstart: installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  elif command -v sudo >/dev/null 2>&1; then
    echo "quickstart: installing ${missing[*]} with sudo"
    sudo apt-get update
    sudo apt-get install -y --no-install-recommends "${missing[@]}"
  else
    echo "quickstart: these Debian packages are missing: ${missing[*]}" >&2
    echo "quickstart: install them as root (apt-get install ${missing[*]}), then run this again" >&2
    exit 1
  fi
}

# Build with every processor unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc 2>/dev/null || echo 2)}

case "${1:-}" in
  demo)
    mapfile -t packages < <(packages_for demo)
    install_missing "${packages[@]}"
    cmake --workflow --preset calculator
    build/calculator/cli/brimwater
    ;;
  test)
    mapfile -t packages < <(packages_for test)
    install_missing "${packages[@]}"
    cmake --workflow --preset default
    ;;
  packages)
    case "${2:-}" in
      demo | test | ci) packages_for "$2" ;;
      *)
        usage >&2
        exit 2
        ;;
    esac
    ;;
  -h | --help)
    usage
    ;;
  *)
    usage >&2
    exit 2
    ;;
esac
