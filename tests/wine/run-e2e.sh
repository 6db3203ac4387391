#!/usr/bin/env bash
# Runs every end-to-end case with plimko.exe under Wine, the way the Linux runner
# (tests/driver/E2E_test.cpp) does, and compares console, exit status and output file
# byte for byte, then the command-line forms: --help, --version, one argument, an
# output that would overwrite the input, and a terminal that nobody answers. Given a
# Linux plimko instead, it runs the same checks natively.
# Usage: tests/wine/run-e2e.sh path/to/plimko.exe
set -uo pipefail

program=$(realpath "$1")
cases=$(realpath "$(dirname "$0")/../e2e")
version=$(sed -n 's/^project(plimko VERSION \([^ ]*\) .*/\1/p' "$cases/../../CMakeLists.txt")
work=$(mktemp -d)
run=("$program")

if [[ $program == *.exe ]]; then
  # A prefix of our own, no debug chatter, and no offer to install Mono or Gecko,
  # whose dialog would wait for a click on a machine without a display.
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  run=(wine "$program")
fi
cleanup() {
  [[ -v WINEPREFIX ]] && wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
report() {  # name, then the reasons it failed, if any
  local name=$1
  shift
  if [ $# -eq 0 ]; then
    echo "PASS $name"
    passed=$((passed + 1))
  else
    local reasons
    printf -v reasons '%s, ' "$@"
    echo "FAIL $name: ${reasons%, }"
    failed=$((failed + 1))
  fi
}

# Runs one conversion in the directory, as the Linux runner does: the fixed clock,
# empty standard input. Leaves console, stderr and status files beside it.
convert() {  # directory, arguments...
  local dir=$1
  shift
  (cd "$dir" && SOURCE_DATE_EPOCH=1394183100 timeout 120 "${run[@]}" "$@" \
    </dev/null >"$dir/console" 2>"$dir/stderr"
  echo $? >"$dir/status")
}

# The same with standard input on a terminal (made by script) where nothing is typed,
# not even the end of input, and the output redirected, as in "plimko diagram.uxf out
# > log.txt". script reads a FIFO opened for reading and writing: no data, no end.
convert_on_terminal() {  # directory, arguments...
  local dir=$1 command
  shift
  printf -v command '%q ' "${run[@]}" "$@"
  mkfifo "$dir/silence"
  (cd "$dir" && SOURCE_DATE_EPOCH=1394183100 timeout 60 script -qec \
    "$command >console 2>stderr" /dev/null <>"$dir/silence" >/dev/null
  echo $? >"$dir/status")
}

# The console, exit status, standard error and output file against the expectations:
# status 0 exactly when the console ends with the closing prompt, unless given.
check() {  # name, directory, expected console file, expected .st file, written .st file[, status]
  local name=$1 dir=$2 console=$3 expected=$4 written=$5 status=${6:-} reasons=()
  cmp -s "$dir/console" "$console" || reasons+=("console differs")
  if [ -z "$status" ]; then
    status=1
    [[ $(tail -c 20 "$console") == "Done. Press Enter..." ]] && status=0
  fi
  [[ $(cat "$dir/status") == "$status" ]] || reasons+=("exit status $(cat "$dir/status")")
  [ -s "$dir/stderr" ] && reasons+=("standard error not empty")
  if [ -e "$expected" ]; then
    if [ ! -e "$written" ]; then
      reasons+=("no output file")
    else
      cmp -s "$written" "$expected" || reasons+=("output file differs")
    fi
  elif [ -e "$written" ]; then
    reasons+=("unexpected output file")
  fi
  report "$name" "${reasons[@]}"
}

for uxf in "$cases"/*.uxf; do
  name=$(basename "$uxf" .uxf)
  dir=$work/cases/$name
  mkdir -p "$dir/out"
  cp "$uxf" "$dir/"
  convert "$dir" "$name.uxf" out
  check "$name" "$dir" "$cases/$name.console" "$cases/$name.st" "$dir/out/$name.st"
done

# --help and --version: their text alone, at once, status 0.
cat >"$work/help.console" <<'END'
Usage: plimko DIAGRAM.uxf [OUTPUT-DIRECTORY]
       plimko --help | --version

Converts a UMLet class diagram into Pharo Smalltalk source in chunk format,
OUTPUT-DIRECTORY/DIAGRAM.st, or DIAGRAM.st beside the diagram when no directory
is given. An output file that would be the diagram itself is refused.

  -h, --help     print this text
  -V, --version  print the version

Exit status: 0 when the output file was written, 1 after a reported failure.
plimko waits for Enter before it ends when its input and output are a terminal.

Environment:
  PLIMKO_AUTHOR      the author named in method stamps (letters and digits)
  SOURCE_DATE_EPOCH  seconds since 1970-01-01 UTC to stamp instead of the clock

Manual: man plimko (in the source tree: man -l doc/plimko.1)
END
echo "plimko $version" >"$work/version.console"
for option in --help -h --version -V; do
  dir=$work/cases/option$option
  mkdir -p "$dir"
  convert "$dir" "$option"
  expected=$work/help.console
  [[ $option == -*[vV]* ]] && expected=$work/version.console
  check "option $option" "$dir" "$expected" /nonexistent /nonexistent 0
done

# An output file that is the input itself is refused, and the input stays as it was:
# a diagram saved as NAME.st given alone, and an input hard-linked to the output.
dir=$work/cases/overwrite
mkdir -p "$dir/out"
cp "$cases/shop.uxf" "$dir/shop.st"
ln "$dir/shop.st" "$dir/out/linked.st"
ln "$dir/shop.st" "$dir/linked.uxf"
for args in "shop.st" "linked.uxf out"; do
  printf '%s' "plimko running ...
)-8 output file would overwrite the input \"${args%% *}\" B-(

Press Enter..." >"$work/overwrite.console"
  # shellcheck disable=SC2086  # the arguments are split on purpose
  convert "$dir" $args
  check "overwrite ${args%% *}" "$dir" "$work/overwrite.console" "$cases/shop.uxf" "$dir/shop.st"
done

# Standard input on a terminal, standard output redirected: the run ends by itself.
if command -v script >/dev/null; then
  dir=$work/cases/terminal-input
  mkdir -p "$dir/out"
  cp "$cases/shop.uxf" "$dir/"
  convert_on_terminal "$dir" shop.uxf out
  check terminal-input "$dir" "$cases/shop.console" "$cases/shop.st" "$dir/out/shop.st"
fi

# Windows paths: backslashes and non-ASCII names in both arguments.
if [[ $program == *.exe ]]; then
  dir=$work/cases/windows-paths
  mkdir -p "$dir/Diagramy ěščř/žluť" "$dir/Výstup"
  cp "$cases/shop.uxf" "$dir/Diagramy ěščř/žluť/"
  convert "$dir" 'Diagramy ěščř\žluť\shop.uxf' 'Výstup\'
  # The file's first line names the output path as given.
  sed '1s|out/shop\.st|Výstup\\shop.st|' "$cases/shop.st" >"$work/windows-paths.st"
  check windows-paths "$dir" "$cases/shop.console" "$work/windows-paths.st" "$dir/Výstup/shop.st"

  dir=$work/cases/windows-missing-file
  mkdir -p "$dir"
  printf '%s' 'plimko running ...
)-8 cannot open "C:\Dokumenty\chybějící.uxf" B-(

Usage: plimko input\path\file.uxf output\directory\

Press Enter...' >"$work/missing.console"
  convert "$dir" 'C:\Dokumenty\chybějící.uxf' out
  check windows-missing-file "$dir" "$work/missing.console" /nonexistent /nonexistent

  # One argument: the output goes beside the input, a backslash path included.
  dir=$work/cases/windows-one-argument
  mkdir -p "$dir/Diagramy"
  cp "$cases/shop.uxf" "$dir/Diagramy/"
  convert "$dir" 'Diagramy\shop.uxf'
  sed '1s|out/shop\.st|Diagramy\\shop.st|' "$cases/shop.st" >"$work/one-argument.st"
  check windows-one-argument "$dir" "$cases/shop.console" "$work/one-argument.st" \
    "$dir/Diagramy/shop.st"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
