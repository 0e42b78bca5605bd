#!/usr/bin/env bash
# Drives the zsh completion in a real zsh: `zsh -f` under tmux, compinit loading _tavlo from
# COMPLETION_DIR, and each row's command line and keys typed into the line editor; a widget
# bound to ^X^R then records the line as the completion left it, and empties it. Each row is
# a command line, the keys typed after it and the line that must result, each ended by "|".
#
#   zsh_completion_test.sh COMPLETION_DIR CLI_DIR NARPO TAVLO_BARE FIXTURE_TEXT
# CLI_DIR holds the build's tavlo and tavlo-apropos; FIXTURE_TEXT makes a rebuilt set.
set -uo pipefail
completion=$(realpath "$1") cli=$(realpath "$2") narpo=$(realpath "$3") bare=$4 fixture=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/tavlo-zsh.XXXXXX")
export TMUX_TMPDIR=$work # a tmux server of this test's own
tmux() { command tmux -L zsh-completion -f /dev/null "$@"; }
trap 'tmux kill-server 2>/dev/null; rm -rf "$work"' EXIT

# A rebuilt set beside its own tavlo-apropos, and the build's programs on PATH.
mkdir "$work/rebuilt" "$work/bin"
cat "$bare" "$fixture" > "$work/rebuilt/tavlo"
cp "$cli/tavlo-apropos" "$work/rebuilt/"
chmod +x "$work/rebuilt/tavlo"
ln -s "$cli/tavlo" "$cli/tavlo-apropos" "$narpo" "$work/bin/"

lines=$work/lines
: > "$lines"
cat > "$work/setup.zsh" << EOF
bindkey -e
PS1='> '
path=($work/bin \$path)
fpath=($completion \$fpath)
autoload -U compinit && compinit -u -D
record-line() { print -r -- "\$BUFFER|" >> $lines; BUFFER=; }
zle -N record-line
bindkey '^X^R' record-line
print -r -- 'ready|' >> $lines
EOF

# Waits until the recorded lines number $1; prints the last.
recorded() {
  local tries=400
  until [ "$(wc -l < "$lines")" -ge "$1" ]; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || { echo "(nothing recorded; the screen:)"; tmux capture-pane -p; return; }
    sleep 0.05
  done
  sed -n "$1p" "$lines"
}

tmux new-session -d -x 200 -y 50 "zsh -f"
tmux send-keys -l ". $work/setup.zsh"
tmux send-keys Enter
n=1
if [ "$(recorded $n)" != "ready|" ]; then
  echo "FAIL: zsh did not start the completion system"
  exit 1
fi

failures=0
while IFS='|' read -r line keys expected _; do
  [[ -z $line || $line == '#'* ]] && continue
  line=${line//@CLI@/$cli}
  line=${line//@WORK@/$work}
  expected=${expected//@CLI@/$cli}
  expected=${expected//@WORK@/$work}
  tmux send-keys -l "$line"
  # shellcheck disable=SC2086  # the keys are words
  tmux send-keys $keys C-x C-r
  n=$((n + 1))
  got=$(recorded $n)
  if [[ $got != "$expected|" ]]; then
    echo "FAIL: '$line' $keys"
    echo "  expected: $expected|"
    echo "  got:      $got"
    failures=$((failures + 1))
  fi
done << 'EOF_CASES'
# tavlo: names in any case, from the set of the tavlo given by its path or found on PATH
tavlo kxrc_q_f|Tab|tavlo KXRC_Q_FULL |
tavlo kxrc_not_|Tab|tavlo KXRC_NOT_|
@CLI@/tavlo KxCc_f|Tab|@CLI@/tavlo KXCC_FAILED |
tavlo 203|Tab|tavlo 203|
@WORK@/rebuilt/tavlo kxrc_test|Tab|@WORK@/rebuilt/tavlo KXRC_TEST_NAME_TEST |
@WORK@/rebuilt/tavlo kxrc_q_f|Tab|@WORK@/rebuilt/tavlo kxrc_q_f|
# switches, and a file after -text, -palm and -f, and as tavlo-explain's argument
tavlo -t|Tab|tavlo -text |
tavlo -palm @WORK@/rebuilt/tavlo-|Tab|tavlo -palm @WORK@/rebuilt/tavlo-apropos |
tavlo-apropos --h|Tab|tavlo-apropos --help |
tavlo-apropos -f @WORK@/rebuilt/tavlo-a|Tab|tavlo-apropos -f @WORK@/rebuilt/tavlo-apropos |
tavlo-explain -o|Tab|tavlo-explain -o |
tavlo-explain -f @WORK@/rebuilt/tavlo-a|Tab|tavlo-explain -f @WORK@/rebuilt/tavlo-apropos |
tavlo-explain -o @WORK@/rebuilt/tavlo-a|Tab|tavlo-explain -o @WORK@/rebuilt/tavlo-apropos |
# narpo: reason-code names first; the value once the name is the only candidate, or is whole
# and TAB comes again
narpo kxrc_q_fu|Tab|narpo 2053 |
narpo KXRC_NOT_AUTHORIZED|Tab|narpo 2035 |
narpo kxrc_not_open|Tab|narpo KXRC_NOT_OPEN|
narpo kxrc_not_open|Tab Tab|narpo 6125 |
narpo kxrc_not_|Tab Tab|narpo KXRC_NOT_|
narpo kxcc_|Tab|narpo kxcc_|
narpo 2035 kx|Tab|narpo 2035 kx|
EOF_CASES
[ $failures -eq 0 ] && echo "zsh completion: every case as expected"
exit $((failures != 0))
