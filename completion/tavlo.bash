# bash completion for tavlo, narpo, tavlo-apropos and tavlo-explain       -*- shell-script -*-
#
# tavlo completes its switches, the file after -text and -palm, and the symbolic names of the
# codes in any case (kxrc_not_<TAB> gives the KXRC_NOT_ names). narpo reads a reason code's
# value only, so it completes the names of reason codes first and puts the value in place of a
# name once it is the only candidate, or when the word is already a whole name in upper case
# (as completion leaves it) and Tab is pressed again. The names are asked afresh from
# `tavlo-apropos -l` for the tavlo that goes with the command, so a rebuilt description set
# completes its own names. tavlo-apropos and tavlo-explain complete their switches and the file
# after -f; tavlo-explain also its input files. One file serves all four commands; it is
# installed under each name for bash-completion to load on demand.

# The code lines ("Reason Code 2035 X7F3 KXRC_NOT_AUTHORIZED") of the description set that goes
# with COMMAND: that of the tavlo in COMMAND's folder, asked from the tavlo-apropos there or
# else on PATH; without such a tavlo, whatever tavlo-apropos finds itself.
_tavlo_code_lines() {
  local cmd=${1/#\~/$HOME} dir="" apropos=tavlo-apropos
  if [[ $cmd == */* ]]; then
    dir=${cmd%/*}
  elif cmd=$(type -P -- "$cmd"); then
    dir=${cmd%/*}
  fi
  [[ -n $dir && -x $dir/tavlo-apropos ]] && apropos=$dir/tavlo-apropos
  if [[ -n $dir && -f $dir/tavlo ]]; then
    "$apropos" -f "$dir/tavlo" -l 2>/dev/null
  else
    "$apropos" -l 2>/dev/null
  fi
}

# Completes a file name in COMPREPLY.
_tavlo_files() {
  compopt -o filenames 2>/dev/null
  local IFS=$'\n'
  COMPREPLY=($(compgen -f -- "$1"))
}

_tavlo() {
  local cmd=$1 cur=$2 prev=$3
  COMPREPLY=()
  case $prev in
    -text | -palm)
      _tavlo_files "$cur"
      return
      ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W '-d -v -debug -text -palm' -- "$cur"))
    return
  fi
  [[ -z $cur || $cur == [0-9]* ]] && return # numbers are not completed
  local kind value name names=()
  while read -r kind _ value _ name; do
    [[ $kind == Completion || $kind == Reason ]] && names+=("$name")
  done < <(_tavlo_code_lines "$cmd")
  COMPREPLY=($(compgen -W "${names[*]}" -- "${cur^^}"))
}

_narpo() {
  local cmd=$1 cur=$2
  COMPREPLY=()
  ((COMP_CWORD == 1)) || return # narpo reads one code
  [[ -z $cur || $cur == [0-9]* ]] && return
  local kind value name names=() values=()
  while read -r kind _ value _ name; do
    if [[ $kind == Reason ]]; then
      names+=("$name")
      values+=("$value")
    fi
  done < <(_tavlo_code_lines "$cmd")
  local upper=${cur^^} i
  COMPREPLY=($(compgen -W "${names[*]}" -- "$upper"))
  # The name is completed first; its value takes its place once it is the only candidate, or
  # when the word is already a whole name as completion leaves it (Tab pressed again).
  for i in "${!names[@]}"; do
    if [[ ${names[i]} == "$cur" || (${#COMPREPLY[@]} -eq 1 && ${names[i]} == "${COMPREPLY[0]}") ]]; then
      COMPREPLY=("${values[i]}")
      return
    fi
  done
}

_tavlo_apropos() {
  local cur=$2 prev=$3
  COMPREPLY=()
  if [[ $prev == -f ]]; then
    _tavlo_files "$cur"
  elif [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W '-l -f -h --help --' -- "$cur"))
  fi
}

_tavlo_explain() {
  local cur=$2 prev=$3
  COMPREPLY=()
  if [[ $cur == -* && $prev != -f ]]; then
    COMPREPLY=($(compgen -W '-f -o -h --help --' -- "$cur"))
  else
    _tavlo_files "$cur" # the store after -f, else a log
  fi
}

complete -F _tavlo tavlo
complete -F _narpo narpo
complete -F _tavlo_apropos tavlo-apropos
complete -F _tavlo_explain tavlo-explain
