# Unit and end-to-end tests, native build.
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
need_pkgs pkg-config  # the install test builds a consumer through pkg-config
cmake_build "$TAVLO_ROOT/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_ctest "$TAVLO_ROOT/build/native" native
