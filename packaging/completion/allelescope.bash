# bash completion for allelescope and allelescope-gui.
#
# The commands, their options and their arguments are read from the program's
# own --help, so a new command or option completes without a change here.
# A WORKBOOK argument (and -o/--output) completes workbook files (the -o of
# export, summary, tree, distances and pcoa every other file), a DIR argument folders,
# a COMMAND argument (of help) the commands, --format, --method and --distance
# the values the command's help lists, and -s/--sheet
# the sheets of the workbook already on the line. The user's shell options are
# left as they are.

# Prints the first word of each entry in one section ("Options", "Subcommands",
# "Positionals"; "Valued": the options that take a value) of
# `PROGRAM [COMMAND] --help`.
_allelescope_section() {
  local section=$1 only_valued=0
  shift
  [[ $section == Valued ]] && section=Options only_valued=1
  # The section heads are read in the program's own words, whatever the locale.
  LC_ALL=C "$@" --help 2>/dev/null | awk -v want="$section:" -v only_valued=$only_valued '
    /^[A-Za-z][A-Za-z ]*:$/ { inside = ($0 == want); next }
    inside && /^  [^ ]/ {
      head = $0; sub(/^ +/, "", head); sub(/  .*/, "", head); gsub(/,/, " ", head)
      n = split(head, words, " ")
      if (want != "Options:") { print words[1]; next }
      # With "Valued", only the options that take a value (--sheet TEXT).
      valued = (n > 1 && words[n] !~ /^-/)
      if (valued || !only_valued) for (i = 1; i <= n; i++) if (words[i] ~ /^-/) print words[i]
    }'
}

# Folders, and the files for CUR that are workbooks (KIND "workbooks") or
# that are not ("others"), whatever the case of their extension.
_allelescope_files() {
  local kind=$1 cur=$2 file this
  local -a found
  mapfile -t found < <(compgen -f -- "$cur")
  COMPREPLY=()
  for file in "${found[@]}"; do
    case ${file,,} in
      *.xlsx | *.xlsm | *.xls) this=workbooks ;;
      *) this=others ;;
    esac
    [[ -d $file || $this == "$kind" ]] && COMPREPLY+=("$file")
  done
  compopt -o filenames 2>/dev/null
}

_allelescope_workbooks() { _allelescope_files workbooks "$1"; }

# The values the help lists for OPTION, as "--format genepop|structure|genalex".
_allelescope_values() {
  local option=$1
  shift
  LC_ALL=C "$@" --help 2>/dev/null | awk -v option="$option" '$1 == option { print $2; exit }' |
    tr '|' '\n'
}

_allelescope() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local program=${COMP_WORDS[0]} command="" workbook="" valued="" i word
  local IFS=$'\n'  # offers are one a line: file and sheet names may hold spaces
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    [[ $word == -* ]] && continue
    if [[ -z $command ]]; then
      command=$word
      valued=" $(_allelescope_section Valued "$program" "$command" | tr '\n' ' ') "
    elif [[ -z $workbook && $valued != *" ${COMP_WORDS[i - 1]} "* ]]; then
      workbook=$word  # the first argument that is not an option's value
    fi
  done
  if [[ -z $command ]]; then
    if [[ $cur == -* ]]; then
      COMPREPLY=($(compgen -W "$(_allelescope_section Options "$program")" -- "$cur"))
    else
      COMPREPLY=($(compgen -W "$(_allelescope_section Subcommands "$program")" -- "$cur"))
    fi
    return
  fi
  case $prev in
    -o | --output)
      case $command in
        export | summary | tree | distances | pcoa) _allelescope_files others "$cur" ;;
        *) _allelescope_workbooks "$cur" ;;
      esac
      return ;;
    --format | --method | --distance)
      COMPREPLY=($(compgen -W "$(_allelescope_values "$prev" "$program" "$command")" -- "$cur"))
      return ;;
    -s | --sheet)
      [[ -n $workbook ]] || return
      COMPREPLY=($(compgen -W "$("$program" sheets "$workbook" 2>/dev/null | cut -f1)" -- "$cur"))
      return ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_allelescope_section Options "$program" "$command")" -- "$cur"))
    return
  fi
  case $(_allelescope_section Positionals "$program" "$command" | head -n1) in
    WORKBOOK) _allelescope_workbooks "$cur" ;;
    DIR) COMPREPLY=($(compgen -d -- "$cur")); compopt -o filenames 2>/dev/null ;;
    COMMAND) COMPREPLY=($(compgen -W "$(_allelescope_section Subcommands "$program")" -- "$cur")) ;;
    *) COMPREPLY=($(compgen -f -- "$cur")); compopt -o filenames 2>/dev/null ;;
  esac
}

_allelescope_gui() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local IFS=$'\n'
  if [[ $prev == --screenshot ]]; then
    COMPREPLY=($(compgen -d -- "$cur"))
    compopt -o filenames 2>/dev/null
  elif [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(QT_QPA_PLATFORM=offscreen _allelescope_section Options \
      "${COMP_WORDS[0]}")" -- "$cur"))
  else
    _allelescope_workbooks "$cur"
  fi
}

complete -F _allelescope allelescope
complete -F _allelescope_gui allelescope-gui
