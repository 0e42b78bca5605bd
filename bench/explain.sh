#!/usr/bin/env bash
# Benchmark of tavlo-explain, run on demand (not part of the test command).
#   bench/explain.sh [runs]
# 1. A 64 MiB log of service lines, one line in a hundred mentioning codes
#    ("CompCode=2 Reason=2053"), explained whole and with -o, each against
#    `grep -c -i reason` over the same file. Standard output is a pipe for all, so that grep
#    cannot stop early as it does when writing to /dev/null, and tavlo-explain's 64 MiB of
#    output is read as a reader of it would.
# 2. Peak resident memory over logs of 1 MiB and 64 MiB (they should differ by at most
#    256 KiB), and over a log of one 64 MiB line with -o.
# Figures are medians of hyperfine runs in alternating rounds; ratios are tavlo-explain /
# reference (lower is better).
set -euo pipefail
. "$(dirname "$0")/../scripts/lib.sh"
need_pkgs build-essential cmake ninja-build libgtest-dev hyperfine gawk time
runs=${1:-10}   # per round

build=$TAVLO_ROOT/build/native
cmake_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
explain=$build/cli/tavlo-explain
bare=$build/cli/tavlo-bare
work=$TAVLO_ROOT/build/bench-explain
mkdir -p "$work"
. "$(dirname "$0")/lib.sh"

# A log of about BYTES bytes: timestamped service lines with numbers that are no mention (ports,
# process ids, counts), every hundredth line a failure with its codes.
make_log() {   # make_log NAME BYTES
  local log=$work/$1
  if [ ! -f "$log" ]; then
    gawk -v limit="$2" 'BEGIN {
      split("2035 2053 2085 2192 2009", codes, " ");
      for (i = 0; size < limit; i++) {
        if (i % 100 == 99) {
          s = sprintf("2026-12-08T05:%02d:%02d.%03d host17 qmgr[%d]: channel TO.QM2 put failed, CompCode=2 Reason=%s\n", i % 60, i % 60, i % 1000, 1000 + i % 5000, codes[i % 5 + 1]);
        } else {
          s = sprintf("2026-12-08T05:%02d:%02d.%03d host17 app[%d]: connection %d from 10.1.%d.%d port 1414 accepted, channel TO.QM1 running, %d messages pending\n", i % 60, i % 60, i % 1000, 1000 + i % 5000, i, i % 255, i % 250, i % 977);
        }
        printf "%s", s;
        size += length(s);
      }
    }' > "$log"
  fi
  echo "$log"
}
small=$(make_log log-1m $((1024 * 1024)))
big=$(make_log log-64m $((64 * 1024 * 1024)))
if [ ! -f "$work/line-64m" ]; then
  { head -c $((64 * 1024 * 1024)) /dev/zero | tr '\0' 'x'; echo ' rc=2035'; } > "$work/line-64m"
fi

export BENCH_OUTPUT=pipe BENCH_NAME=explain
echo "log: $(stat -c %s "$big") bytes, $(grep -c . "$big") lines, $("$explain" -o "$big" | grep -c -v '^    ') lines explained"
compare "64 MiB log, every line written" 5 "$explain $big" "grep -c -i reason $big"
compare "64 MiB log, -o" 5 "$explain -o $big" "grep -c -i reason $big"

rss() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
a=$(rss "$explain" "$small") b=$(rss "$explain" "$big")
echo "peak RSS: 1 MiB log $a KiB, 64 MiB log $b KiB, difference $((b - a)) KiB"
a=$(rss "$explain" -o "$small") b=$(rss "$explain" -o "$big")
echo "peak RSS with -o: 1 MiB log $a KiB, 64 MiB log $b KiB, difference $((b - a)) KiB"
echo "peak RSS with -o over one 64 MiB line: $(rss "$explain" -o "$work/line-64m") KiB"
