#!/usr/bin/env bash
# Renders each manual page given and fails on any warning from the formatter.
set -euo pipefail
rc=0
for page in "$@"; do
  warnings=$(groff -t -man -ww -z -Tutf8 "$page" 2>&1)
  if [ -n "$warnings" ]; then
    echo "$page:"; echo "$warnings"; rc=1
  fi
done
exit $rc
