# A short run of every libFuzzer harness (FUZZ_SECONDS each, default 5), seeded from
# fuzz/corpus/<harness>/. New inputs go to a scratch copy, never into the repository.
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
need_pkgs clang-14 libclang-rt-14-dev
dir=$TAVLO_ROOT/build/fuzz
cmake_build "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVLO_FUZZ=ON -DTAVLO_TESTS=OFF \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
secs=${FUZZ_SECONDS:-5}
rc=0; n=0
for h in $(find "$dir" -type f -name 'fuzz_*' -perm -u+x | sort); do
  name=$(basename "$h")
  work=$dir/corpus-run/$name
  rm -rf "$work"; mkdir -p "$work"
  [ -d "$TAVLO_ROOT/fuzz/corpus/$name" ] && cp -r "$TAVLO_ROOT/fuzz/corpus/$name/." "$work/"
  echo "--- $name ($secs s)"
  if (cd "$dir" && "$h" -max_total_time="$secs" -rss_limit_mb=2048 -print_final_stats=0 \
        "$work" > "$dir/$name.log" 2>&1); then
    echo "$name 1 0" >> "$TAVLO_TOTALS"
  else
    tail -n 40 "$dir/$name.log"
    echo "$name 0 1" >> "$TAVLO_TOTALS"
    rc=1
  fi
  n=$((n + 1))
done
echo "fuzz harnesses run: $n"
exit $rc
