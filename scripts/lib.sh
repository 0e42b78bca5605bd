# Shared shell helpers for the project's scripts. Source it; do not run it.
#
#   need_pkgs PKG...        install the Debian packages that are missing (apt-get update once)
#   run_ctest DIR LABEL [CTEST-ARGS...]
#                           run CTest in DIR, add its counts to the run's totals
#   stage_fail MSG          record a failure of the current stage without stopping the run

TAVLO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TAVLO_TOTALS=${TAVLO_TOTALS:-$TAVLO_ROOT/build/.totals}
JOBS=${JOBS:-$(nproc)}

need_pkgs() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if [ ! -f /tmp/.tavlo-apt-updated ]; then
    $sudo apt-get update -qq >/dev/null && touch /tmp/.tavlo-apt-updated
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# Runs CTest and keeps the counts: "passed failed" lines in $TAVLO_TOTALS.
run_ctest() {
  local dir=$1 label=$2 log rc
  shift 2
  log=$(mktemp)
  set +e
  (cd "$dir" && ctest --output-on-failure --timeout 300 -j "$JOBS" "$@") 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  local line total failed
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
    total=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
    echo "$label $((total - failed)) $failed" >> "$TAVLO_TOTALS"
  else
    echo "$label 0 1" >> "$TAVLO_TOTALS"
  fi
  rm -f "$log"
  return $rc
}

stage_fail() {
  echo "FAILED: $*" >&2
  echo "${STAGE:-stage} 0 1" >> "$TAVLO_TOTALS"
}

# Configure (once) and build a CMake tree: cmake_build DIR [cmake args...]
cmake_build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$TAVLO_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  fi
  cmake --build "$dir" -j "$JOBS"
}
