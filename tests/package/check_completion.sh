#!/usr/bin/env bash
# The bash completion offers what the programs themselves list: every command
# of `allelescope --help`, every option of a command's --help, workbook files
# (and folders) for a WORKBOOK argument, and the sheets of that workbook after
# --sheet. Usage: check_completion.sh COMPLETION BIN_DIR EXAMPLES_DIR
set -uo pipefail
completion=$1 bin=$2 examples=$3
export PATH="$bin:$PATH" QT_QPA_PLATFORM=offscreen
# shellcheck source=/dev/null
source "$completion"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
mkdir folder "my trials" && touch notes.txt crops.xlsx old.xls "field 2.xlsx"
cp "$examples/ssr_example.xlsx" .
failures=0

# Completes the words given (the last one being completed); prints the offers.
offers() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  case $1 in
    allelescope) _allelescope ;;
    allelescope-gui) _allelescope_gui ;;
  esac
  printf '%s\n' "${COMPREPLY[@]}"
}

# expect|refuse "what" "offers" word...: each word is (is not) among the offers.
check() {
  local mode=$1 what=$2 got=$3 said=offered
  shift 3
  [ "$mode" = expect ] && said="not offered"
  for word in "$@"; do
    if grep -qxF -- "$word" <<<"$got"; then [ "$mode" = refuse ]; else [ "$mode" = expect ]; fi &&
      { echo "FAIL $what: $word $said (got: ${got//$'\n'/ })"; failures=$((failures + 1)); }
  done
}
expect() { check expect "$@"; }
refuse() { check refuse "$@"; }

# Commands and options, as the program lists them.
commands=$(allelescope --help | awk '/^[A-Za-z ]+:$/ {s = ($0 == "Subcommands:"); next} s && /^  [^ ]/ {print $1}')
[ -n "$commands" ] || { echo "FAIL allelescope --help lists no commands"; exit 1; }
expect "commands" "$(offers allelescope '')" $commands
expect "top options" "$(offers allelescope --)" --help --version
for command in $commands; do
  listed=$(allelescope "$command" --help | grep -oE '^  (-[a-z],)?--[a-z-]+' | grep -oE -- '--[a-z-]+')
  expect "$command options" "$(offers allelescope "$command" --)" $listed
done

# Arguments: workbooks for WORKBOOK and --output, folders for DIR.
got=$(offers allelescope run '')
expect "run WORKBOOK" "$got" crops.xlsx old.xls "field 2.xlsx" ssr_example.xlsx folder
refuse "run WORKBOOK" "$got" notes.txt
expect "run --output" "$(offers allelescope run crops.xlsx --output '')" crops.xlsx
expect "run -o" "$(offers allelescope run crops.xlsx -o '')" crops.xlsx
# export writes text: its -o offers every file but a workbook, which it refuses.
got=$(offers allelescope export crops.xlsx -o '')
expect "export -o" "$got" notes.txt folder
refuse "export -o" "$got" crops.xlsx old.xls
got=$(offers allelescope summary crops.xlsx -o '')
expect "summary -o" "$got" notes.txt folder
refuse "summary -o" "$got" crops.xlsx
got=$(offers allelescope summary crops.xlsx --format '')
expect "summary --format" "$got" text tsv
got=$(offers allelescope run crops.xlsx --no-s)
expect "run --no-summary" "$got" --no-summary
got=$(offers allelescope export crops.xlsx --format '')
expect "export --format" "$got" genepop structure genalex
refuse "export --format" "$got" crops.xlsx notes.txt
expect "import --format" "$(offers allelescope import notes.txt --format g)" genepop genalex
expect "tree --method" "$(offers allelescope tree crops.xlsx --method '')" nj upgma
expect "pcoa --distance" "$(offers allelescope pcoa crops.xlsx --distance '')" alleles markers
got=$(offers allelescope tree crops.xlsx -o '')
expect "tree -o" "$got" notes.txt folder
refuse "tree -o" "$got" crops.xlsx
expect "help COMMAND" "$(offers allelescope help '')" $commands
got=$(offers allelescope demo '')
expect "demo DIR" "$got" folder "my trials"
refuse "demo DIR" "$got" crops.xlsx
expect "window WORKBOOK" "$(offers allelescope-gui '')" crops.xlsx folder

# --sheet: the sheets of the workbook on the line.
sheets=$(allelescope sheets ssr_example.xlsx | cut -f1)
[ -n "$sheets" ] || { echo "FAIL no sheets listed for the example"; exit 1; }
IFS=$'\n' read -r -d '' -a sheet_list <<<"$sheets"
expect "--sheet" "$(offers allelescope run ssr_example.xlsx --sheet '')" "${sheet_list[@]}"
expect "--sheet before WORKBOOK" "$(offers allelescope run --zoo ssr_example.xlsx --sheet '')" "${sheet_list[@]}"
expect "-s" "$(offers allelescope markers ssr_example.xlsx -s '')" "${sheet_list[@]}"

# Completing leaves the user's shell options as they were.
shopt -u extglob
offers allelescope run '' >/dev/null
offers allelescope-gui '' >/dev/null
shopt -q extglob && { echo "FAIL completion turned extglob on"; failures=$((failures + 1)); }

[ $failures -eq 0 ] && echo "completion: all offers as listed"
exit $((failures > 0))
