#!/usr/bin/env bash
# Builds the 64-bit tavlo.exe if needed, starts it under Wine on a virtual display, waits for
# its main window, saves a screenshot of the display as a PNG and closes the program. The
# program is build/win64/dist/tavlo.exe, carrying the descriptions. With --search, the text is
# put into the search box first (by tests/mainwin's tavlo-type, through the control, as typing
# does), and the picture shows the window alone. With --menu, tests/win's tavlo-menu then runs
# a command: "help" or "version" (the Help menu; the window alone), "find-words" (the File
# menu's Find by Words over the text given with --search; the window alone), or "make-dump" (the
# maintenance key and a Dump; the whole screen, both windows). The program starts with the
# preferences the prefix holds (build/wine; set them with "wine64 reg add" for a restored start).
# With --dpi, the screen has that resolution (Wine's LogPixels, put back to 96 afterwards) and
# a size scaled to match.
#
#   scripts/win-screenshot.sh [--dpi N] [--search TEXT] [--menu COMMAND] [OUT.png]
#                                                            default: build/win-screenshot.png
set -euo pipefail
. "$(dirname "$0")/lib.sh"
. "$TAVLO_ROOT/scripts/winelib.sh"

if [ "${1:-}" = --under-display ]; then
  program=$2
  out=$3
  typer=${4:-}
  search=${5:-}
  menu_tool=${6:-}
  menu=${7:-}
  dpi=${8:-96}
  wine_session_start
  set_dpi() {
    "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
      </dev/null >/dev/null 2>&1
  }
  trap 'set_dpi 96; wine_session_end' EXIT
  set_dpi "$dpi"
  "$WINE64" "$program" </dev/null >/dev/null 2>&1 &
  pid=$!
  found=0
  for _ in $(seq 1 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"tavlo"'; then found=1; break; fi
    sleep 0.2
  done
  rc=0
  if [ $found -eq 1 ] && [ -n "$typer" ]; then
    "$WINE64" "$typer" "$search" </dev/null || { echo "could not type into the window" >&2; rc=1; }
  fi
  if [ $found -eq 1 ] && [ -n "$menu_tool" ]; then
    "$WINE64" "$menu_tool" "$menu" </dev/null || { echo "could not run $menu" >&2; rc=1; }
  fi
  if [ $found -eq 1 ]; then
    sleep 1  # let it paint
    if [ -n "$typer$menu_tool" ] && [ "$menu" != make-dump ]; then
      window=$(xwininfo -root -tree | awk '/"tavlo"/ {print $1; exit}')
      import -window "$window" "$out" || rc=1
    else
      import -window root "$out" || rc=1
    fi
  else
    echo "the main window did not appear" >&2
    rc=1
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  set_dpi 96
  wine_session_end
  exit $rc
fi

search=
typing=0
menu=
dpi=96
while [ $# -gt 0 ]; do
  case $1 in
    --search) search=${2-}; typing=1; shift 2 ;;
    --menu) menu=$2; shift 2 ;;
    --dpi) dpi=$2; shift 2 ;;
    *) break ;;
  esac
done
[[ $dpi =~ ^[1-9][0-9]*$ ]] || { echo "--dpi takes a whole number of dots per inch" >&2; exit 2; }
out=${1:-$TAVLO_ROOT/build/win-screenshot.png}
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
need_pkgs $WIN_PKGS x11-utils
# The builder runs through Wine while the program file is built, so the prefix comes first.
wine_prefix "$TAVLO_ROOT/build/wine"
typer=
menu_tool=
targets=(tavlo_win_resource)
if [ $typing -eq 1 ]; then
  targets+=(tavlo-type)
  typer=$WIN64_DIR/tests/mainwin/tavlo-type.exe
fi
if [ -n "$menu" ]; then
  targets+=(tavlo-menu)
  menu_tool=$WIN64_DIR/tests/win/tavlo-menu.exe
fi
win64_build "${targets[@]}" >/dev/null
program=$WIN64_DIR/dist/tavlo.exe
screen="$((1024 * dpi / 96))x$((768 * dpi / 96))x24"
xvfb-run -a -s "-screen 0 $screen" bash "$0" --under-display "$program" "$out" "$typer" \
  "$search" "$menu_tool" "$menu" "$dpi"
echo "screenshot: $out"
