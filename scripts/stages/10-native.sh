# Unit and end-to-end tests, native build.
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
need_pkgs pkg-config groff-base  # the install test uses pkg-config; the man page check groff
need_pkgs zsh tmux  # the zsh completion is tested in a real zsh under tmux
cmake_build "$TAVLO_ROOT/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_ctest "$TAVLO_ROOT/build/native" native
