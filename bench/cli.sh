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

build=$TAVLO_ROOT/build/native
cmake_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
tavlo=$build/cli/tavlo
bare=$build/cli/tavlo-bare
work=$TAVLO_ROOT/build/bench-cli
mkdir -p "$work"

# Generated description text: reason-code sections of about 1 KiB with values from 100001 on,
# made of paragraph lines as the real set has them, until the text reaches the given size.
gen_text() {
  gawk -v limit="$1" 'BEGIN {
    w = "the queue manager could not complete the call because the object handle was not valid for this connection and the message was returned unchanged to the application that put it";
    n = split(w, words, " ");
    size = 0;
    for (i = 1; size < limit; i++) {
      s = sprintf("[%d,KXRC_GENERATED_CODE_%d]\n", 100000 + i, i);
      for (p = 0; p < 4; p++) {
        line = "";
        for (k = 0; k < 36; k++) line = line words[(i + p * 7 + k) % n + 1] " ";
        s = s line "\n" (p < 3 ? "\n" : "");
      }
      s = s "Corrective action: correct the handle and retry the call. \n";
      printf "%s", s;
      size += length(s);
    }
    printf "[end]\n";
  }'
}

make_store() {   # make_store NAME BYTES
  local store=$work/$1
  if [ ! -f "$store" ] || [ "$store" -ot "$bare" ]; then
    gen_text "$2" > "$work/$1.txt"
    cat "$bare" "$work/$1.txt" > "$store"
    chmod +x "$store"
  fi
  echo "$store"
}
big=$(make_store store-64m $((64 * 1024 * 1024)))
small=$(make_store store-1m $((1024 * 1024)))

# Median wall time (seconds) of each command, one line per command. The commands are timed in
# alternating rounds, so that load from other work on the machine falls on all of them alike.
medians() {   # medians ROUNDS RUNS_PER_ROUND CMD...
  local rounds=$1 per=$2 json=$work/hyperfine.json times=$work/times i r
  shift 2
  rm -f "$times".*
  for ((r = 0; r < rounds; r++)); do
    hyperfine -N -i --style none --warmup 2 --runs "$per" --export-json "$json" "$@" >/dev/null 2>&1
    awk -v out="$times" '/"command":/ { i++ } /"times": \[/ { t = 1; next } t && /\]/ { t = 0 }
      t { gsub(/[ ,]/, ""); print >> (out "." i) }' "$json"
  done
  for ((i = 1; i <= $#; i++)); do
    sort -g "$times.$i" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
  done
}

compare() {   # compare LABEL ROUNDS TAVLO_CMD REFERENCE_CMD
  local m t r
  m=$(medians "$2" "$runs" "$3" "$4")
  t=$(echo "$m" | sed -n 1p); r=$(echo "$m" | sed -n 2p)
  awk -v l="$1" -v t="$t" -v r="$r" 'BEGIN {
    printf "%-34s tavlo %9.2f ms   reference %9.2f ms   ratio %.2f\n", l, t * 1000, r * 1000, t / r }'
}

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
