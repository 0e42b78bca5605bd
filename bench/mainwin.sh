#!/usr/bin/env bash
# Benchmark of the windowed tool's main window, run on demand under Wine (not part of the test
# command):
#   bench/mainwin.sh [rounds]
# 1. The start-up load (LoadBinaryResource) with no cache and with a current one, and what the
#    current-cache load did with the program file.
# 2. One keystroke's work in the real window of build/win64/dist/tavlo.exe: the search text set
#    through the search box (search, list filled, first description shown, window repainted)
#    for 2035 and for "_" (every record listed), against the empty text.
# 3. Find by Words in the same window for "queue full" and "the" (nearly every record listed):
#    every record ranked, the list filled, the first description shown, the window repainted,
#    against the keystroke "_"; it should take no longer.
# Figures are medians; the aim is under one screen frame (16 ms) for every keystroke.
set -euo pipefail
. "$(dirname "$0")/../scripts/lib.sh"
. "$TAVLO_ROOT/scripts/winelib.sh"
rounds=${1:-50}

if [ "${1:-}" = --under-display ]; then
  wine_session_start
  "$WINE64" "$WIN64_DIR/bench/mainwin/mainwin_bench.exe" "$WIN64_DIR/dist/tavlo.exe" "$2" \
    </dev/null
  rc=$?
  wine_session_end
  exit $rc
fi

need_pkgs $WIN_PKGS
wine_prefix "$TAVLO_ROOT/build/wine"
win64_build tavlo_win_resource >/dev/null
cmake -S "$TAVLO_ROOT" -B "$WIN64_DIR" -DTAVLO_BENCH=ON >/dev/null
cmake --build "$WIN64_DIR" -j "$JOBS" --target mainwin_bench >/dev/null
xvfb-run -a -s "$WIN_SCREEN" bash "$0" --under-display "$rounds" | tr -d '\r'
