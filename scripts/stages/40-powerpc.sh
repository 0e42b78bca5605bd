# Every portable test, cross-built for 32-bit big-endian PowerPC (static) and run under
# qemu user-mode emulation. Tests that need the host (installation) or instrumentation
# (sanitizers, fuzzing) leave themselves out of cross builds.
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
need_pkgs g++-powerpc-linux-gnu qemu-user
cmake_build "$TAVLO_ROOT/build/ppc" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$TAVLO_ROOT/cmake/toolchains/powerpc-linux-gnu.cmake"
run_ctest "$TAVLO_ROOT/build/ppc" powerpc
