#!/usr/bin/env bash
# Runs the "$ program args" lines of a manual page's EXAMPLES section and compares what the
# program prints with the lines the page shows under each, so that the page cannot drift
# from what the program really does.
#
#   check_man_examples.sh PAGE PROGRAM
set -euo pipefail
page=$1 prog=$2
name=$(basename "$prog")

# The no-fill block of the EXAMPLES section, with the formatter's escapes for "-" and "\"
# undone.
examples=$(awk '/^\.SH /{in_ex = ($2 == "EXAMPLES")} in_ex && /^\.nf/{nf=1; next}
                in_ex && /^\.fi/{nf=0} in_ex && nf' "$page" | sed -e 's/\\-/-/g' -e 's/\\e/\\/g')
[ -n "$examples" ] || { echo "$page: no EXAMPLES block"; exit 1; }

rc=0 count=0 args="" expected=""
check() {
  [ -n "$args" ] || return 0
  count=$((count + 1))
  # shellcheck disable=SC2086  # the example's arguments are words
  actual=$("$prog" $args 2>&1) || true
  if [ "$actual" != "$expected" ]; then
    printf '%s: "%s %s" prints:\n%s\nthe page shows:\n%s\n' "$page" "$name" "$args" \
      "$actual" "$expected"
    rc=1
  fi
}
while IFS= read -r line; do
  if [[ $line == "\$ $name"* ]]; then
    check
    args=${line#"\$ $name "} expected=""
  else
    expected+=${expected:+$'\n'}$line
  fi
done <<< "$examples"
check
[ $count -gt 0 ] || { echo "$page: no \"\$ $name\" example"; exit 1; }
exit $rc
