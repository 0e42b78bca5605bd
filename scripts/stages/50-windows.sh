# The windowed tool for Windows. The 64-bit build runs its tests under Wine on a virtual
# display, its printing tests on a print spooler started here (cupsd with a PDF printer as the
# default, stopped again by its PID afterwards); the 32-bit build, the deliverable, is built and
# inspected (these machines cannot execute 32-bit programs): machine type, GUI subsystem, only
# system DLLs imported, size, and once the description set is in the tree, the container it
# carries.
#
#   WIN_TEST_AREAS   test areas built into the Windows tests
#                    (default: binres;regc;code;win;printfont;print);
#                    takes effect when build/win64 is configured
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$TAVLO_ROOT/scripts/winelib.sh"
. "$TAVLO_ROOT/scripts/printlib.sh"

dir32=$TAVLO_ROOT/build/win32
exe32=$dir32/gui/tavlo.exe
dist32=$dir32/dist
data=$TAVLO_ROOT/data/descriptions.txt

# The 32-bit program with the container appended, made with the 64-bit build's builder (the
# container's bytes do not depend on the builder's own build).
# Called in a condition, where set -e does not act: every step is checked.
attach_win32() {
  local mkres=$WIN64_DIR/gui/tavlo-mkres.exe work=$dist32/tavlo.exe.building
  mkdir -p "$dist32" && cp "$exe32" "$work" &&
    "$WINE64" "$mkres" -q make "$work" "$data" &&
    mv "$work" "$dist32/tavlo.exe" &&
    cp "$data" "$dist32/tavlodata-text.o" &&
    "$WINE64" "$mkres" -q dump "$dist32/tavlo.exe"
}

# Second half, run by xvfb-run below: one wineserver for every test program, so that each
# costs a fraction of a second, and gone again before the display is.
if [ "${1:-}" = --under-display ]; then
  wine_session_start
  rc=0
  # The printing tests print on the machine's spooler; without it they fail, saying why.
  print_spooler_start || echo "no print spooler: $(cat "$TAVLO_CUPS_DIR/state")" >&2
  trap 'print_spooler_stop; wine_session_end' EXIT
  run_ctest "$WIN64_DIR" win64 || rc=$?
  print_spooler_stop
  if [ -f "$data" ]; then
    if attach_win32; then
      echo "win32-container 1 0" >> "$TAVLO_TOTALS"
    else
      stage_fail "the container could not be attached to the 32-bit tavlo.exe"
      rc=1
    fi
  fi
  wine_session_end
  exit $rc
fi

need_pkgs $WIN_PKGS $PRINT_PKGS
rc=0

# The builder runs through Wine while the program file is built, so the prefix comes first.
start=$SECONDS
wine_prefix "$TAVLO_ROOT/build/wine"
win64_build
echo "win64 build: $((SECONDS - start)) s"

start=$SECONDS
cmake_build "$dir32" -DCMAKE_TOOLCHAIN_FILE="$TAVLO_ROOT/cmake/toolchains/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DTAVLO_TESTS=OFF
echo "win32 build: $((SECONDS - start)) s"

start=$SECONDS
xvfb-run -a -s "$WIN_SCREEN" bash "$0" --under-display || rc=1
echo "win64 tests under Wine: $((SECONDS - start)) s"

# The 32-bit program: a GUI program for i386 that needs nothing but Windows' own DLLs.
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll comdlg32.dll comctl32.dll shell32.dll
  winspool.drv msvcrt.dll ole32.dll oleaut32.dll version.dll "
problems=()
if ! i686-w64-mingw32-objdump -f "$exe32" | grep -q 'file format pei-i386'; then
  problems+=("not an i386 program")
fi
headers=$(i686-w64-mingw32-objdump -p "$exe32")
grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]+\(Windows GUI\)' <<< "$headers" ||
  problems+=("not a GUI program")
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<< "$headers" | tr 'A-Z' 'a-z' | sort -u)
for dll in $imports; do
  [[ $system_dlls == *" $dll "* ]] || problems+=("imports $dll")
done
echo "win32 tavlo.exe: $(stat -c %s "$exe32") bytes; imports: $(echo $imports)"
if [ -f "$dist32/tavlo.exe" ]; then
  echo "win32 dist/tavlo.exe with the descriptions: $(stat -c %s "$dist32/tavlo.exe") bytes"
fi
if [ ${#problems[@]} -eq 0 ]; then
  echo "win32-program 1 0" >> "$TAVLO_TOTALS"
else
  stage_fail "win32 tavlo.exe: ${problems[*]}"
  rc=1
fi
exit $rc
