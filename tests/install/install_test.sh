#!/usr/bin/env bash
# Installs a build into a scratch prefix, checks the installed tree, and builds and runs a
# tiny consumer of the installed library twice: with the C compiler through pkg-config,
# and as a CMake project through find_package(zelk).
#
#   install_test.sh BUILD_DIR C_COMPILER CMAKE GENERATOR BINDIR LIBDIR INCLUDEDIR MANDIR
#                   [APPENDED_TAVLO]
# The folders are the build's GNUInstallDirs values; APPENDED_TAVLO is the build's tavlo
# with its descriptions, empty when this build has no tavlo.
set -euo pipefail
build=$1 cc=$2 cmake=$3 generator=$4 bindir=$5 libdir=$6 includedir=$7 mandir=$8
tavlo=${9:-}
here=$(cd "$(dirname "$0")" && pwd)
golden=$here/../codename/golden

work=$(mktemp -d "${TMPDIR:-/tmp}/tavlo-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log"

for f in "$bindir/narpo" "$bindir/tavlo-apropos" "$mandir/man1/tavlo-apropos.1" \
         "$bindir/tavlo-explain" "$mandir/man1/tavlo-explain.1" "$libdir/libzelk.a" "$includedir/zelk.h" "$libdir/pkgconfig/zelk.pc" \
         "$libdir/cmake/zelk/zelkConfig.cmake" "$libdir/cmake/zelk/zelkConfigVersion.cmake" \
         "$libdir/cmake/zelk/zelkTargets.cmake" \
         "$mandir/man1/tavlo.1" "$mandir/man1/narpo.1" "$mandir/man3/zelk.3"; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done

# The installed narpo prints exactly what the built one does.
"$prefix/$bindir/narpo" 2035 > "$work/narpo.out" || fail "installed narpo exited with $?"
{ echo '==> stdout <=='; cat "$work/narpo.out"; printf '==> stderr <==\n==> status <==\n0\n'; } \
  > "$work/narpo.txt"
cmp -s "$work/narpo.txt" "$golden/narpo_2035.txt" || fail "installed narpo 2035 output differs"

# The installed tavlo is the built one with its descriptions, byte for byte.
if [ -n "$tavlo" ]; then
  if [ ! -f "$prefix/$bindir/tavlo" ]; then
    fail "not installed: $bindir/tavlo"
  elif ! cmp -s "$tavlo" "$prefix/$bindir/tavlo"; then
    fail "installed tavlo differs from $tavlo (stripped or rewritten?)"
  fi
  # tavlo-apropos reads the tavlo installed beside it.
  first=$("$prefix/$bindir/tavlo-apropos" queue full | head -n 1)
  [ "$first" = "Reason Code 2053 X805 KXRC_Q_FULL" ] ||
    fail "installed tavlo-apropos queue full begins with '$first'"
  # So does tavlo-explain.
  second=$(echo "MQCONN rc=2035" | "$prefix/$bindir/tavlo-explain" | sed -n 2p)
  [ "${second%%:*}" = "    Reason Code 2035 X7F3 KXRC_NOT_AUTHORIZED" ] ||
    fail "installed tavlo-explain explains 'rc=2035' as '$second'"
else
  echo "SKIP tavlo check: this build has no tavlo target"
fi
for c in tavlo narpo tavlo-apropos tavlo-explain; do
  [ -n "$(find "$prefix" -path "*/bash-completion/completions/$c")" ] ||
    fail "no bash completion installed for $c"
done
[ -f "$prefix/share/zsh/site-functions/_tavlo" ] || fail "no zsh completion installed"

check_consumer() {  # check_consumer LABEL PROGRAM
  if "$2" > "$work/$1.out"; then
    cmp -s "$work/$1.out" "$here/consumer/expected.out" || {
      fail "$1 consumer printed:"; cat "$work/$1.out"; }
  else
    fail "$1 consumer exited with $?"
  fi
}

# pkg-config, looking only at the installed tree.
mkdir -p "$work/pc"
if flags=$(PKG_CONFIG_LIBDIR="$prefix/$libdir/pkgconfig" pkg-config --cflags --libs zelk); then
  # shellcheck disable=SC2086  # the flags are words
  if "$cc" -std=c99 -Wall -Wextra -Werror "$here/consumer/consumer.c" $flags \
       -o "$work/pc/consumer" > "$work/pc.log" 2>&1; then
    check_consumer pkg-config "$work/pc/consumer"
  else
    fail "pkg-config consumer did not build with: $cc ... $flags"; cat "$work/pc.log"
  fi
else
  fail "pkg-config does not find zelk in $prefix/$libdir/pkgconfig"
fi

# CMake, finding the package only under the prefix.
if "$cmake" -S "$here/consumer" -B "$work/cmake" -G "$generator" -DCMAKE_C_COMPILER="$cc" \
     -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
     > "$work/cmake.log" 2>&1 &&
   "$cmake" --build "$work/cmake" >> "$work/cmake.log" 2>&1; then
  check_consumer find_package "$work/cmake/consumer"
else
  fail "find_package consumer did not build"; cat "$work/cmake.log"
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed tree and both consumers: ok"
