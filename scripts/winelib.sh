# Wine helpers for the Windows stage and the screenshot script. Source after lib.sh.
#
#   WINE64, WINESERVER          the 64-bit loader and the server (never /usr/bin/wine, which
#                               may pick a 32-bit loader these machines cannot run)
#   wine_prefix DIR             exports WINEPREFIX=DIR and makes the prefix once: initialised,
#                               no window-manager stalls (Managed=N), Wine's own fonts installed
#   wine_session_start          (on a display) a persistent wineserver for this prefix, with
#                               Wine's services already running and no crash dialog; ended by
#                               wine_session_end, also when the calling script exits early
#   WIN_SCREEN                  the virtual screen for xvfb-run -s
#   WIN_PKGS                    the Debian packages all of this needs (fonts-wine holds the fonts)
#   win64_build [TARGET...]     configures (once) and builds build/win64, the 64-bit build whose
#                               tests labelled "wine" run under Wine

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
WIN_SCREEN="-screen 0 1280x1024x24"
WIN_PKGS="g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64 fonts-wine xvfb xauth imagemagick"
export WINEDEBUG=-all

WIN64_DIR=$TAVLO_ROOT/build/win64

win64_build() {
  if [ ! -f "$WIN64_DIR/build.ninja" ]; then
    cmake -S "$TAVLO_ROOT" -B "$WIN64_DIR" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$TAVLO_ROOT/cmake/toolchains/mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      >/dev/null
  fi
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --build "$WIN64_DIR" -j "$JOBS" "${targets[@]}"
}

wine_prefix() {
  export WINEPREFIX=$1
  [ -f "$WINEPREFIX/.tavlo-ready" ] && return 0
  echo "making a Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # No display is needed for this; keeping the runtime installers out avoids their dialogs.
  WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= "$WINE64" wineboot --init >/dev/null 2>&1 || true
  # Without a window manager every top-level DestroyWindow would otherwise stall 2 s.
  DISPLAY= "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" ||
    return 1
  "$WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot failed in $WINEPREFIX" >&2; return 1; }
  touch "$WINEPREFIX/.tavlo-ready"
}

wine_session_start() {
  "$WINESERVER" -k 2>/dev/null || true  # a server left behind by an interrupted run
  "$WINESERVER" -p
  trap wine_session_end EXIT
  # Start Wine's own services now, detached from any pipe: started by the first program they
  # would inherit that program's output pipe (CTest's, for one) and keep it open past its end.
  "$WINE64" wineboot </dev/null >/dev/null 2>&1 || true
  # A program that crashes ends at once with its backtrace: the crash dialog would wait on the
  # virtual display until CTest's timeout. Set here so that prefixes made before also get it.
  "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >/dev/null 2>&1 || true
}

wine_session_end() {
  "$WINESERVER" -k 2>/dev/null || true
  trap - EXIT
}
