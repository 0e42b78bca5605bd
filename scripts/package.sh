#!/usr/bin/env bash
# Builds the release packages into build/package/:
#   tavlo_<version>_<arch>.deb     the Unix half, made by CPack from a build for /usr
#                                  (build/package-unix): tavlo, tavlo-apropos, tavlo-explain,
#                                  narpo, libzelk.a, zelk.h, pkg-config and CMake files, manual
#                                  pages, completion
#   tavlo-<version>-windows.zip    the Windows programs: win32/tavlo.exe and win64/tavlo.exe
#                                  carrying the descriptions, tavlodata-text.o and README.txt
#   SHA256SUMS                     the SHA-256 sums of the packages made
#
#   scripts/package.sh [--deb-only]
#
# The Windows programs are taken from build/win32/dist and build/win64-release/dist, the
# stripped release builds that the Windows stage of the tests makes (scripts/test.sh windows). When they are missing, or carry another
# description text than data/descriptions.txt, this script runs that stage to make them; with
# --deb-only it makes the .deb alone.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

deb_only=0
case "${1:-}" in
  --deb-only) deb_only=1 ;;
  "") ;;
  *) echo "usage: scripts/package.sh [--deb-only]" >&2; exit 2 ;;
esac

# dpkg-shlibdeps (dpkg-dev) finds the package's dependencies; bash-completion's pkg-config file
# names the completion folder.
need_pkgs build-essential cmake ninja-build pkg-config dpkg-dev bash-completion zip

out=$TAVLO_ROOT/build/package
build=$TAVLO_ROOT/build/package-unix
mkdir -p "$out"
version=$(sed -n 's/^project(tavlo VERSION \([0-9.]*\).*/\1/p' "$TAVLO_ROOT/CMakeLists.txt")

# The Unix half.
# Configured each time, so that a tree made before an option was added takes it. The zsh
# completion goes where Debian's zsh looks for packaged ones.
cmake -S "$TAVLO_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTAVLO_TESTS=OFF -DTAVLO_STRIP=ON -DTAVLO_ZSH_COMPLETION_DIR=share/zsh/vendor-completions \
  >/dev/null
cmake_build "$build" >/dev/null
rm -f "$out"/tavlo_*.deb
(cd "$build" && cpack -G DEB -B "$build/cpack" >/dev/null)
deb=$(ls "$build"/cpack/tavlo_*.deb)
mv "$deb" "$out/"
echo "package: $out/$(basename "$deb")"
# SHA256SUMS beside the packages, for the packages this run made.
write_sums() {  # write_sums FILE_NAME...
  (cd "$out" && sha256sum -- "$@" > SHA256SUMS.new && mv SHA256SUMS.new SHA256SUMS)
  echo "checksums: $out/SHA256SUMS"
}
if [ $deb_only -eq 1 ]; then
  write_sums "$(basename "$deb")"
  exit 0
fi

# The Windows programs.
data=$TAVLO_ROOT/data/descriptions.txt
win32=$TAVLO_ROOT/build/win32/dist
win64=$TAVLO_ROOT/build/win64-release/dist
windows_ready() {
  local f
  for f in "$win32/tavlo.exe" "$win64/tavlo.exe" "$win32/tavlodata-text.o" \
           "$win64/tavlodata-text.o"; do
    [ -f "$f" ] || { echo "missing: $f"; return 1; }
  done
  cmp -s "$win32/tavlodata-text.o" "$data" && cmp -s "$win64/tavlodata-text.o" "$data" ||
    { echo "stale: the Windows programs carry another description text than $data"; return 1; }
}
if ! windows_ready; then
  echo "building the Windows programs with the Windows stage (scripts/stages/50-windows.sh)"
  # The stage's test counts go to a scratch file, not to the totals of a test run.
  if ! TAVLO_TOTALS=$(mktemp) STAGE=50-windows bash "$TAVLO_ROOT/scripts/stages/50-windows.sh" ||
     ! windows_ready; then
    echo "error: the Windows programs could not be built; scripts/test.sh windows shows why" >&2
    exit 1
  fi
fi

zip=$out/tavlo-$version-windows.zip
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
top=$stage/tavlo-$version-windows
mkdir -p "$top/win32" "$top/win64"
cp "$win32/tavlo.exe" "$top/win32/"
cp "$win64/tavlo.exe" "$top/win64/"
cp "$win64/tavlodata-text.o" "$top/"
# The read-me with Windows line ends.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$TAVLO_ROOT/cmake/windows-readme.txt.in" \
  > "$top/README.txt"
rm -f "$zip"
(cd "$stage" && find "tavlo-$version-windows" -type f | sort | zip -q -X -D "$zip" -@)
echo "package: $zip"
write_sums "$(basename "$deb")" "$(basename "$zip")"
