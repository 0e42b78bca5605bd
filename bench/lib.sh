# Shared parts of the command-line benchmarks; source after scripts/lib.sh, with $runs (runs
# per round) set.
#
#   native_build                 builds the native tree (RelWithDebInfo) and sets $tavlo,
#                                $apropos, $bare (the bare tavlo program) and $work (a scratch
#                                folder, made)
#   gen_text BYTES               generated description text of about BYTES bytes
#   make_store NAME BYTES        $work/NAME: the bare program with such a text, made once
#   medians ROUNDS RUNS CMD...   median wall time of each command, in alternating rounds;
#                                BENCH_OUTPUT (default null) is hyperfine's --output
#   compare LABEL ROUNDS CMD REFERENCE_CMD   one line with both medians and their ratio
#                                (CMD named BENCH_NAME, default tavlo)

native_build() {
  local build=$TAVLO_ROOT/build/native
  cmake_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  tavlo=$build/cli/tavlo
  apropos=$build/cli/tavlo-apropos
  bare=$build/cli/tavlo-bare
  work=$TAVLO_ROOT/build/bench-cli
  mkdir -p "$work"
}

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
# Median wall time (seconds) of each command, one line per command. The commands are timed in
# alternating rounds, so that load from other work on the machine falls on all of them alike.
medians() {   # medians ROUNDS RUNS_PER_ROUND CMD...
  local rounds=$1 per=$2 json=$work/hyperfine.json times=$work/times i r
  shift 2
  rm -f "$times".*
  for ((r = 0; r < rounds; r++)); do
    hyperfine -N -i --output="${BENCH_OUTPUT:-null}" --style none --warmup 2 --runs "$per" \
      --export-json "$json" "$@" >/dev/null 2>&1
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
  awk -v l="$1" -v n="${BENCH_NAME:-tavlo}" -v t="$t" -v r="$r" 'BEGIN {
    printf "%-34s %s %9.2f ms   reference %9.2f ms   ratio %.2f\n", l, n, t * 1000, r * 1000, t / r }'
}

