# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cmake_build "$TAVLO_ROOT/build/asan" -DCMAKE_BUILD_TYPE=Debug -DTAVLO_SANITIZE=ON
run_ctest "$TAVLO_ROOT/build/asan" asan
