#!/usr/bin/env bash
# Benchmark of tavlo-apropos, run on demand (not part of the test command).
#   bench/apropos.sh [runs]
# 1. Over the shipped set: `tavlo-apropos queue full` against `tavlo 2035` (a process start
#    and one pass over the same file).
# 2. Over the 64 MiB store of bench/cli.sh (the bare program plus generated text of 1 KiB
#    sections): a word in no section and a word in every section, each against
#    `grep -c -i -F` of the same word in the same file. Standard output is a pipe for both, so
#    that grep cannot stop at the first match as it does when writing to /dev/null.
# Figures are medians of hyperfine runs in alternating rounds; ratios are tavlo-apropos /
# reference (lower is better).
set -euo pipefail
. "$(dirname "$0")/../scripts/lib.sh"
need_pkgs build-essential cmake ninja-build libgtest-dev hyperfine gawk
runs=${1:-10}   # per round

. "$(dirname "$0")/lib.sh"   # native_build, gen_text, make_store, medians, compare
native_build
big=$(make_store store-64m $((64 * 1024 * 1024)))

export BENCH_OUTPUT=pipe BENCH_NAME=apropos
sections=$("$apropos" -f "$big" -l | tail -n 1)
echo "store: $(stat -c %s "$big") bytes, $sections"
compare "shipped: queue full vs tavlo 2035" 20 "$apropos queue full" "$tavlo 2035"
compare "64 MiB: absent word" 5 "$apropos -f $big overflowed" \
  "grep -c -i -F overflowed $big"
compare "64 MiB: word in every section" 5 "$apropos -f $big queue" "grep -c -i -F queue $big"
