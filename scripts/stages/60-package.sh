# The packages, after the Windows stage that makes the Windows programs: scripts/package.sh
# builds the .deb of the Unix half and the zip of the Windows programs (and, run alone, makes
# the Windows programs itself first). The .deb is unpacked into a scratch root, its file list
# compared, lintian run on it (no error or warning may remain; overrides, each with its reason,
# are in cmake/debian/lintian-overrides), and the installed tavlo, tavlo-apropos,
# tavlo-explain, narpo and completion run from there; the zip's file list is compared, its programs are checked to be
# stripped, and SHA256SUMS is checked against the packages. Expected results are in
# tests/package/.
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
need_pkgs dpkg-dev zip unzip bash-completion zsh lintian
expected=$TAVLO_ROOT/tests/package
out=$TAVLO_ROOT/build/package

if ! bash "$TAVLO_ROOT/scripts/package.sh"; then
  stage_fail "scripts/package.sh failed"
  exit 1
fi
deb=$(ls "$out"/tavlo_*.deb)
zip=$(ls "$out"/tavlo-*-windows.zip)
version=$(basename "$zip" -windows.zip)
version=${version#tavlo-}

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
passed=0 failed=0
check() {  # check LABEL EXPECTED_FILE ACTUAL_FILE
  if cmp -s "$2" "$3"; then
    echo "ok: $1"
    passed=$((passed + 1))
  else
    echo "FAIL: $1"
    diff -u "$2" "$3" | head -n 40
    failed=$((failed + 1))
  fi
}

# The .deb: its files, then the programs unpacked into the scratch root.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '/$' | sed "s|/$multiarch/|/@MULTIARCH@/|" |
  sort > "$root/deb_contents.txt"
check "files of $(basename "$deb")" "$expected/deb_contents.txt" "$root/deb_contents.txt"
# Its output, less its note about running as root, and its status must both be empty.
lintian_status=0
lintian --fail-on error,warning "$deb" > "$root/lintian.raw" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$root/lintian.raw" > "$root/lintian.txt" || true
[ "$lintian_status" -eq 0 ] || echo "lintian status $lintian_status" >> "$root/lintian.txt"
check "lintian $(basename "$deb")" /dev/null "$root/lintian.txt"
dpkg -x "$deb" "$root/fs"
bin=$root/fs/usr/bin
"$bin/tavlo" 2035 > "$root/tavlo_2035.out" 2>&1 || true
check "installed tavlo 2035" "$expected/tavlo_2035.out" "$root/tavlo_2035.out"
"$bin/tavlo-apropos" queue full > "$root/apropos.out" 2>&1 || true
check "installed tavlo-apropos queue full" "$expected/apropos_queue_full.out" "$root/apropos.out"
printf 'MQPUT failed: CompCode=2, Reason=2053\nno code, 2053\n' |
  "$bin/tavlo-explain" > "$root/explain.out" 2>&1 || true
check "installed tavlo-explain over a two-line log" "$expected/explain_log.out" "$root/explain.out"
"$bin/narpo" 2035 > "$root/narpo_2035.out" 2>&1 || true
check "installed narpo 2035" "$expected/narpo_2035.out" "$root/narpo_2035.out"
# The installed completion, asking the installed programs.
bash -c '. "$1/usr/share/bash-completion/completions/tavlo"
  COMP_WORDS=("$1/usr/bin/tavlo" kxrc_q_f) COMP_CWORD=1
  _tavlo "$1/usr/bin/tavlo" kxrc_q_f "$1/usr/bin/tavlo"; echo "${COMPREPLY[*]}"' \
  sh "$root/fs" > "$root/completion.out" 2>&1 || true
echo KXRC_Q_FULL > "$root/completion.expected"
check "installed completion of tavlo kxrc_q_f" "$root/completion.expected" "$root/completion.out"
# The installed zsh completion, found by compinit for its four commands.
zsh -f -c 'fpath=($1 $fpath); autoload -U compinit && compinit -u -D
  print -r -- $_comps[tavlo] $_comps[narpo] $_comps[tavlo-apropos] $_comps[tavlo-explain]' \
  zsh "$root/fs/usr/share/zsh/vendor-completions" > "$root/zsh.out" 2>&1 || true
echo _tavlo _tavlo _tavlo _tavlo > "$root/zsh.expected"
check "installed zsh completion of its four commands" "$root/zsh.expected" "$root/zsh.out"

# The zip: its files.
unzip -Z1 "$zip" | sort > "$root/zip_contents.txt"
sed "s/@VERSION@/$version/" "$expected/zip_contents.txt" > "$root/zip_expected.txt"
check "files of $(basename "$zip")" "$root/zip_expected.txt" "$root/zip_contents.txt"
unzip -l "$zip"
# Both programs stripped before the container was attached: no symbol table.
unzip -q -d "$root/zip" "$zip"
: > "$root/syms.txt"
for exe in "$root"/zip/*/win32/tavlo.exe "$root"/zip/*/win64/tavlo.exe; do
  objdump=i686-w64-mingw32-objdump
  [[ $exe == */win64/* ]] && objdump=x86_64-w64-mingw32-objdump
  "$objdump" -f "$exe" | grep -q HAS_SYMS && echo "${exe#"$root"/zip/} has symbols" >> "$root/syms.txt"
done
check "programs of $(basename "$zip") stripped" /dev/null "$root/syms.txt"
(cd "$out" && sha256sum -c --quiet SHA256SUMS && cut -d' ' -f3 SHA256SUMS | sort) \
  > "$root/sums.txt" 2>&1 || true
printf '%s\n' "$(basename "$deb")" "$(basename "$zip")" | sort > "$root/sums.expected"
check "SHA256SUMS of the packages" "$root/sums.expected" "$root/sums.txt"

echo "package $passed $failed" >> "$TAVLO_TOTALS"
[ "$failed" -eq 0 ]
