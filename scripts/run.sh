#!/usr/bin/env bash
# Builds the command-line look-up tool if needed and runs it with the given arguments
# (default: 2035 -d), using the description set embedded in the built executable.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
need_pkgs build-essential cmake ninja-build libgtest-dev
cmake_build "$TAVLO_ROOT/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
[ $# -gt 0 ] || set -- 2035 -d
exec "$TAVLO_ROOT/build/native/cli/tavlo" "$@"
