#!/usr/bin/env bash
# Runs every test of the project: each stage under scripts/stages/ in order (native tests,
# the same tests under sanitizers, a fuzz smoke run, the big-endian run under qemu, the
# Windows run under Wine, the packages). Installs what a stage needs when it is missing.
#
#   scripts/test.sh              all stages
#   scripts/test.sh native asan  only the stages whose names contain these words
set -euo pipefail
. "$(dirname "$0")/lib.sh"
mkdir -p "$TAVLO_ROOT/build"
: > "$TAVLO_TOTALS"

need_pkgs build-essential cmake ninja-build libgtest-dev

failed_stages=()
for stage in "$TAVLO_ROOT"/scripts/stages/*.sh; do
  name=$(basename "$stage" .sh)
  if [ $# -gt 0 ]; then
    want=0
    for w in "$@"; do [[ $name == *"$w"* ]] && want=1; done
    [ $want -eq 1 ] || continue
  fi
  echo "=== stage $name"
  start=$SECONDS
  if ! STAGE=$name bash "$stage"; then
    failed_stages+=("$name")
  fi
  echo "=== stage $name took $((SECONDS - start)) s"
done

passed=0; failed=0
while read -r _ p f; do passed=$((passed + p)); failed=$((failed + f)); done < "$TAVLO_TOTALS"
echo
[ ${#failed_stages[@]} -gt 0 ] && echo "failed stages: ${failed_stages[*]}"
echo "tavlo: $passed passed, $failed failed"
[ ${#failed_stages[@]} -eq 0 ] && [ "$failed" -eq 0 ]
