#!/usr/bin/env bash
# End-to-end test of tavlo-explain.
#   explain_e2e.sh PROGRAM BARE STORE_TEXT SOURCE_DIR WORK [EMULATOR]
# 1. fixtures/mentions.log, with its @MEGALINE@ line replaced by a line of 1 MiB that mentions
#    a code at its end, is explained with and without -o; standard output must equal
#    golden/all.txt and golden/only.txt (the same line replaced) byte for byte.
# 2. The statuses, each case a row: standard error and status compared.
# The store is the bare program with STORE_TEXT appended, as the build makes tavlo.
set -uo pipefail
program=$1 bare=$2 text=$3 src=$4 work=$5
emulator=(${6//;/ })
rm -rf "$work"; mkdir -p "$work"
cat "$bare" "$text" > "$work/tavlo"; chmod +x "$work/tavlo"
failed=0 passed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

# A file with the marker line replaced by the long line (and its line feed).
splice() {  # splice IN OUT
  local n
  n=$(grep -a -n -x '@MEGALINE@' "$1" | cut -d: -f1)
  { head -n $((n - 1)) "$1"; cat "$work/mega"; printf '\n'; tail -n +$((n + 1)) "$1"; } > "$2"
}
yes 'filler words of a long trace line, 2035 times reasons' | tr -d '\n' |
  head -c 1048576 > "$work/mega"
printf " and at its end reason code=X'8A9'" >> "$work/mega"
splice "$src/fixtures/mentions.log" "$work/input.log"

explain() {  # explain NAME ARGS...: stdout, stderr and status of a run in $work/NAME.*
  local name=$1; shift
  (cd "$work" && "${emulator[@]}" "$program" "$@" > "$work/$name.out" 2> "$work/$name.err"
   echo $? > "$work/$name.status")
}

for mode in all only; do
  args=(-f "$work/tavlo" input.log)
  [ "$mode" = only ] && args=(-o "${args[@]}")
  explain "$mode" "${args[@]}"
  splice "$src/golden/$mode.txt" "$work/$mode.expected"
  if [ "${TAVLO_UPDATE_GOLDEN:-}" = 1 ]; then
    # The output with the long line put back as the marker.
    n=$(grep -a -n -F "and at its end reason code=X'8A9'" "$work/$mode.out" | cut -d: -f1)
    { head -n $((n - 1)) "$work/$mode.out"; echo '@MEGALINE@'; tail -n +$((n + 1)) "$work/$mode.out"; } \
      > "$src/golden/$mode.txt"
    echo "golden file written: $src/golden/$mode.txt"
  fi
  if cmp -s "$work/$mode.expected" "$work/$mode.out" && [ "$(cat "$work/$mode.status")" = 0 ] &&
     [ ! -s "$work/$mode.err" ]; then
    passed=$((passed + 1))
  else
    fail "$mode: output, error or status differ (status $(cat "$work/$mode.status"))"
    cmp "$work/$mode.expected" "$work/$mode.out"
    cat "$work/$mode.err"
  fi
done

# Statuses: name | status | standard error (@WORK@ is the work folder) | arguments.
printf 'no code here, 2035\n' > "$work/plain.log"
printf 'rc 2035\n' > "$work/one.log"
mkdir -p "$work/folder"
status_cases=(
  "no_match|1||-f tavlo plain.log"
  "usage_switch|2|Error: Unknown switch '-x'|-x plain.log"
  "usage_f|2|Error: -f needs a store|plain.log -f"
  "no_store|3|Error: Can't find description store '@WORK@/missing': (2) No such file or directory|-f @WORK@/missing plain.log"
  "bare_store|3|Error: File '@WORK@/bare' carries no descriptions|-f @WORK@/bare plain.log"
  "unreadable_store|4|Error: Can't read descriptions file: (21) Is a directory|-f folder plain.log"
  "unreadable_input|6|Error: Can't open input file 'missing.log': (2) No such file or directory|-f tavlo one.log missing.log one.log"
  "folder_input|6|Error: Can't read input file 'folder': (21) Is a directory|-f tavlo -o folder one.log"
  "input_fails_nothing_found|6|Error: Can't open input file 'missing.log': (2) No such file or directory|-f tavlo plain.log missing.log"
)
cp "$bare" "$work/bare"
for row in "${status_cases[@]}"; do
  IFS='|' read -r name want err args <<< "$row"
  read -r -a argv <<< "${args//@WORK@/$work}"
  explain "$name" "${argv[@]}"
  got=$(cat "$work/$name.status")
  got_err=$(sed "s|$work|@WORK@|g" "$work/$name.err" | grep '^Error' | head -n 1)
  if [ "$got" = "$want" ] && [ "$got_err" = "$err" ]; then
    passed=$((passed + 1))
  else
    fail "$name: status $got (want $want), error '$got_err' (want '$err')"
  fi
done
# With an input missing, the others are still read: one.log twice, explained twice.
if [ "$(grep -c -x 'rc 2035' "$work/unreadable_input.out")" != 2 ]; then
  fail "unreadable_input: the readable files were not both written"
fi
# Standard output that cannot be written.
(cd "$work" && "${emulator[@]}" "$program" -f tavlo input.log > /dev/full 2> "$work/full.err")
got=$?
if [ "$got" = 5 ] && grep -q "^Error: Can't write standard output" "$work/full.err"; then
  passed=$((passed + 1))
else
  fail "output_full: status $got"; cat "$work/full.err"
fi
echo "explain e2e: $passed passed, $failed failed"
[ "$failed" = 0 ]
