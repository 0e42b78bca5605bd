#!/usr/bin/env bash
# Benchmark of the command-line look-up tool, run on demand (not part of the test command).
#   bench/cli.sh [runs]
# 1. Look-up latency: `tavlo 2035 -d` on the shipped store against starting `true`.
# 2. Scan throughput on a large store (the bare program plus 64 MiB of generated description
#    text): symbolic searches for absent names and a numeric search, each against
#    `grep -c -F` for the same bytes in the same file.
# 3. Peak resident memory for a 1 MiB and a 64 MiB store.
# Figures are medians of hyperfine runs; ratios are tavlo / reference (lower is better).
set -euo pipefail
. "$(dirname "$0")/../scripts/lib.sh"
need_pkgs build-essential cmake ninja-build libgtest-dev hyperfine time gawk
runs=${1:-10}   # per round

. "$(dirname "$0")/lib.sh"   # native_build, gen_text, make_store, medians, compare
native_build
big=$(make_store store-64m $((64 * 1024 * 1024)))
small=$(make_store store-1m $((1024 * 1024)))

echo "store: $(stat -c %s "$big") bytes (bare program $(stat -c %s "$bare") bytes + text)"
compare "latency: 2035 -d vs true" 20 "$tavlo 2035 -d" "true"
compare "scan: symbolic NO_SUCH_NAME" 5 "$big NO_SUCH_NAME" "grep -c -F NO_SUCH_NAME $big"
compare "scan: symbolic KXRC_NO_SUCH_NAME" 5 "$big KXRC_NO_SUCH_NAME" \
  "grep -c -F KXRC_NO_SUCH_NAME $big"
compare "scan: numeric 150000" 5 "$big 150000" "grep -c -F [150000, $big"

size_mb=$(awk -v b="$(stat -c %s "$big")" 'BEGIN { printf "%.1f", b / 1048576 }')
t=$(medians 5 "$runs" "$big KXRC_NO_SUCH_NAME")
awk -v t="$t" -v mb="$size_mb" 'BEGIN { printf "throughput (symbolic, absent): %.0f MiB/s\n", mb / t }'

rss() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
for s in "$small" "$big"; do
  echo "peak RSS $(basename "$s"): numeric $(rss "$s" 150000) KiB, symbolic $(rss "$s" KXRC_NO_SUCH_NAME) KiB, -d $(rss "$s" 100001 -d) KiB"
done
