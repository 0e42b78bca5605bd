#!/usr/bin/env bash
# Drives the bash completion as bash does for a TAB: COMP_WORDS, COMP_CWORD, COMP_LINE and
# COMP_POINT set, and the function that `complete` registered for the command called with the
# command, the current word and the word before it. Each row is a command line, completed at
# its end, and the words COMPREPLY must hold.
#
#   completion_test.sh COMPLETION_SCRIPT CLI_DIR NARPO TAVLO_BARE FIXTURE_TEXT
# CLI_DIR holds the build's tavlo and tavlo-apropos; FIXTURE_TEXT makes a rebuilt set.
set -uo pipefail
script=$1 cli=$(realpath "$2") narpo=$(realpath "$3") bare=$4 fixture=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/tavlo-completion.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A rebuilt set beside its own tavlo-apropos, and the build's programs on PATH.
mkdir "$work/rebuilt" "$work/bin"
cat "$bare" "$fixture" > "$work/rebuilt/tavlo"
cp "$cli/tavlo-apropos" "$work/rebuilt/"
chmod +x "$work/rebuilt/tavlo"
ln -s "$cli/tavlo" "$cli/tavlo-apropos" "$narpo" "$work/bin/"
export PATH=$work/bin:$PATH

# shellcheck source=/dev/null
. "$script"

complete_line() {
  local line=$1 words compspec func
  read -ra words <<< "$line"
  [[ $line == *" " ]] && words+=("")
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  compspec=$(complete -p "${words[0]##*/}") || return
  func=${compspec#*-F }
  func=${func%% *}
  COMPREPLY=()
  "$func" "${words[0]}" "${words[COMP_CWORD]}" "${words[COMP_CWORD - 1]}"
  echo "${COMPREPLY[*]}"
}

failures=0
while IFS='|' read -r line expected; do
  [[ -z $line || $line == '#'* ]] && continue
  line=${line//@CLI@/$cli}
  line=${line//@WORK@/$work}
  expected=${expected//@WORK@/$work}
  got=$(complete_line "$line")
  if [[ $got != "$expected" ]]; then
    echo "FAIL: '$line'"
    echo "  expected: $expected"
    echo "  got:      $got"
    failures=$((failures + 1))
  fi
done << 'EOF_CASES'
# tavlo: names in any case, from the set of the tavlo given by its path or found on PATH
@CLI@/tavlo kxrc_not_|KXRC_NOT_AUTHORIZED KXRC_NOT_OPEN_FOR_BROWSE KXRC_NOT_OPEN_FOR_INPUT KXRC_NOT_OPEN_FOR_INQUIRE KXRC_NOT_OPEN_FOR_OUTPUT KXRC_NOT_OPEN_FOR_SET KXRC_NOT_OPEN_FOR_PASS_ALL KXRC_NOT_OPEN_FOR_PASS_IDENT KXRC_NOT_OPEN_FOR_SET_ALL KXRC_NOT_OPEN_FOR_SET_IDENT KXRC_NOT_CONVERTED KXRC_NOT_CONNECTED KXRC_NOT_OPEN
@CLI@/tavlo kxrc_not_a|KXRC_NOT_AUTHORIZED
tavlo KxCc_|KXCC_UNKNOWN KXCC_OK KXCC_WARNING KXCC_FAILED
tavlo -d kxrc_q_f|KXRC_Q_FULL
tavlo 203|
tavlo no_such_|
# a rebuilt set completes its own names, not the shipped ones
@WORK@/rebuilt/tavlo kxrc_test|KXRC_TEST_NAME_TEST
@WORK@/rebuilt/tavlo kxrc_q_f|
# tavlo's switches, and a file after -text and -palm
tavlo -|-d -v -debug -text -palm
tavlo -t|-text
tavlo -palm @WORK@/rebuilt/tavlo-|@WORK@/rebuilt/tavlo-apropos
# narpo: names of reason codes, completed first; the value that narpo reads takes the place of
# the only candidate, or of a whole name as completion leaves it (Tab again)
narpo kxrc_q_fu|2053
narpo KXRC_NOT_AUTHORIZED|2035
narpo kxrc_not_open|KXRC_NOT_OPEN_FOR_BROWSE KXRC_NOT_OPEN_FOR_INPUT KXRC_NOT_OPEN_FOR_INQUIRE KXRC_NOT_OPEN_FOR_OUTPUT KXRC_NOT_OPEN_FOR_SET KXRC_NOT_OPEN_FOR_PASS_ALL KXRC_NOT_OPEN_FOR_PASS_IDENT KXRC_NOT_OPEN_FOR_SET_ALL KXRC_NOT_OPEN_FOR_SET_IDENT KXRC_NOT_OPEN
narpo KXRC_NOT_OPEN|6125
narpo kxcc_|
narpo 2035 kx|
# tavlo-apropos: its switches and the file after -f
tavlo-apropos -|-l -f -h --help --
tavlo-apropos -f @WORK@/rebuilt/tavlo-a|@WORK@/rebuilt/tavlo-apropos
# tavlo-explain: its switches, the store after -f, logs as its arguments ("-" is standard input)
tavlo-explain -|-f -o -h --help --
tavlo-explain -o|-o
tavlo-explain -f @WORK@/rebuilt/tavlo-a|@WORK@/rebuilt/tavlo-apropos
tavlo-explain -o @WORK@/rebuilt/tavlo-a|@WORK@/rebuilt/tavlo-apropos
EOF_CASES
[ $failures -eq 0 ] && echo "bash completion: every case as expected"
exit $((failures != 0))
