# The windowed tool for Windows. The 64-bit build runs its tests under Wine on a virtual
# display, its printing tests on a print spooler started here (cupsd with a PDF printer as the
# default, stopped again by its PID afterwards); the 32-bit build, the deliverable, is built and
# inspected (these machines cannot execute 32-bit programs): machine type, GUI subsystem, only
# system DLLs imported, the manifest and the icon in its resources, size, and the container it
# carries. A 64-bit release build, like the 32-bit one stripped, is made for the zip. The 32-bit build cannot run its own builder, so its attach step runs the 64-bit one
# through Wine (the container's bytes are the same).
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$TAVLO_ROOT/scripts/winelib.sh"
. "$TAVLO_ROOT/scripts/printlib.sh"

# pe_resource OBJDUMP EXE TYPE ID: writes the bytes of the resource TYPE/ID (its first language)
# of a Windows program, found through objdump's listing of the resource directory.
pe_resource() {
  local objdump=$1 exe=$2 type=$3 id=$4 headers leaf base vma off
  headers=$("$objdump" -p "$exe") || return 1
  leaf=$(awk -v type="$(printf '0x%06x,' "$type")" -v id="$(printf '0x%06x,' "$id")" '
    /The .rsrc Resource Directory section/ { on = 1 }
    on && state == 0 && $2 == "Entry:" && $4 == type { state = 1; next }
    state == 1 && $2 == "Entry:" { if ($4 != id) exit; state = 2; next }
    state == 2 && $2 == "Leaf:" { sub(",", "", $4); sub(",", "", $6); print $4, $6; exit }
  ' <<< "$headers")
  [ -n "$leaf" ] || return 1
  base=$(awk '$1 == "ImageBase" { print $2 }' <<< "$headers")
  read -r vma off < <("$objdump" -h "$exe" | awk '$2 == ".rsrc" { print $4, $6 }')
  set -- $leaf
  dd if="$exe" iflag=skip_bytes,count_bytes skip=$(($1 - (16#$vma - 16#$base) + 16#$off)) \
    count=$(($2)) status=none
}

dir32=$TAVLO_ROOT/build/win32
exe32=$dir32/gui/win/tavlo.exe
dist32=$dir32/dist
dir64r=$TAVLO_ROOT/build/win64-release
exe64r=$dir64r/gui/win/tavlo.exe
mkres64=$WIN64_DIR/gui/resbuild/tavlo-mkres.exe

# Second half, run by xvfb-run below: one wineserver for every test program, so that each
# costs a fraction of a second, and gone again before the display is.
if [ "${1:-}" = --under-display ]; then
  wine_session_start
  rc=0
  # The printing tests print on the machine's spooler; without it they fail, saying why.
  print_spooler_start || echo "no print spooler: $(cat "$TAVLO_CUPS_DIR/state")" >&2
  trap 'print_spooler_stop; wine_session_end' EXIT
  run_ctest "$WIN64_DIR" win64 -L wine || rc=$?
  print_spooler_stop
  if "$WINE64" "$mkres64" -q dump "$dist32/tavlo.exe"; then
    echo "win32-container 1 0" >> "$TAVLO_TOTALS"
  else
    stage_fail "the 32-bit dist/tavlo.exe carries no whole container"
    rc=1
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

# The release builds that go into the zip, 32-bit and 64-bit: linked stripped (MinSizeRel links
# with -s, before the container is attached) and statically (only Windows' own DLLs). Their
# attach step runs the 64-bit test build's builder through Wine. A function and a datum per
# section with the linker's garbage collection made the 32-bit program larger, not smaller
# (1,475,584 bytes against 1,350,656), so neither is used.
release_build() {  # release_build DIR TOOLCHAIN
  cmake_build "$1" -DCMAKE_TOOLCHAIN_FILE="$TAVLO_ROOT/cmake/toolchains/$2" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DTAVLO_TESTS=OFF "-DTAVLO_MKRES=$WINE64;$mkres64"
}
start=$SECONDS
release_build "$dir32" mingw-i686.cmake
echo "win32 build: $((SECONDS - start)) s"
start=$SECONDS
release_build "$dir64r" mingw-x86_64.cmake
echo "win64 release build: $((SECONDS - start)) s"

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
# Its resources, read from the file: the manifest exactly as written, and the program icon.
manifest=$TAVLO_ROOT/gui/win/res/tavlo.manifest
pe_resource i686-w64-mingw32-objdump "$exe32" 24 1 | cmp -s - "$manifest" ||
  problems+=("no manifest, or not the one in gui/win/res")
pe_resource i686-w64-mingw32-objdump "$exe32" 14 1 > /dev/null || problems+=("no program icon")
echo "win32 tavlo.exe: $(stat -c %s "$exe32") bytes; imports: $(echo $imports)"
echo "win32 dist/tavlo.exe with the descriptions: $(stat -c %s "$dist32/tavlo.exe") bytes"
echo "win64 release tavlo.exe: $(stat -c %s "$exe64r") bytes; with the descriptions: $(stat -c %s "$dir64r/dist/tavlo.exe") bytes"
# Both programs of the zip carry no symbol table.
i686-w64-mingw32-objdump -f "$exe32" | grep -q HAS_SYMS && problems+=("not stripped")
x86_64-w64-mingw32-objdump -f "$exe64r" | grep -q HAS_SYMS && problems+=("the 64-bit one not stripped")
if [ ${#problems[@]} -eq 0 ]; then
  echo "win32-program 1 0" >> "$TAVLO_TOTALS"
else
  stage_fail "win32 tavlo.exe: ${problems[*]}"
  rc=1
fi
exit $rc
