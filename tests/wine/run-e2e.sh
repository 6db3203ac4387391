#!/usr/bin/env bash
# Runs every end-to-end case with plimko.exe under Wine, the way the Linux runner
# (tests/driver/E2E_test.cpp) does, and compares standard output, standard error, exit
# status and output file (for a Tonel case, the whole tree) byte for byte; then the command-line forms: --help, --version,
# one argument, options, an output that would overwrite the input, older outputs that
# a run replaces or keeps, and a terminal that nobody answers. On Windows it also checks
# when plimko waits for Enter: in a console of its own it does, in a console that
# another process (cmd) shares it does not. Given a Linux plimko instead, it runs the
# same checks natively, but those of Windows.
# Usage: tests/wine/run-e2e.sh path/to/plimko.exe
set -uo pipefail

program=$(realpath "$1")
cases=$(realpath "$(dirname "$0")/../e2e")
version=$(sed -n 's/^project(plimko VERSION \([^ ]*\) .*/\1/p' "$cases/../../CMakeLists.txt")
work=$(mktemp -d)
run=("$program")
separator=/

if [[ $program == *.exe ]]; then
  # A prefix of our own, no debug chatter, and no offer to install Mono or Gecko,
  # whose dialog would wait for a click on a machine without a display.
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  # One server for the whole run: otherwise it ends a few seconds after each program,
  # and the next program may reach it while it is ending.
  wineserver -p
  run=(wine "$program")
  separator='\'
fi
cleanup() {
  [[ -v WINEPREFIX ]] && wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0

# What a failed run printed, and its status, for the log.
show_run() {  # directory
  local file
  for file in status console stderr; do
    [ -e "$1/$file" ] || continue
    echo "  $file:"
    head -c 2000 "$1/$file" | sed 's/^/    /'
    echo
  done
}

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

# The text a terminal shows, from what Wine's console wrote to it: a cursor move to the
# right is the blanks it passes over; other control sequences and carriage returns go.
terminal_text() {  # file
  perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]//g; s/\r//g' "$1"
}

# Runs plimko.exe with standard input, output and error on a Windows console, made by
# Wine on a terminal: alone, the console is its own; through "cmd /c" the console is
# shared with cmd. Once the console shows the prompt, Enter is typed; a run that does
# not wait ends by itself, since nothing else is ever typed. Leaves the terminal text
# in console, and the status.
convert_on_console() {  # directory, alone|shared, arguments...
  local dir=$1 how=$2 command
  shift 2
  local exe=("$program")
  [ "$how" = shared ] && exe=(cmd /c "$(winepath -w "$program")")
  printf -v command '%q ' wine "${exe[@]}" "$@"
  mkfifo "$dir/keys"
  : >"$dir/terminal"
  (
    exec 3<>"$dir/keys"
    (for _ in $(seq 300); do
      terminal_text "$dir/terminal" | grep -q 'Enter\.\.\.' && break
      sleep 0.2
    done
    sleep 1
    printf '\r' >&3) &
    local typist=$!
    cd "$dir" && SOURCE_DATE_EPOCH=1394183100 timeout 90 script -qec "$command" /dev/null \
      <&3 >"$dir/terminal"
    echo $? >"$dir/status"
    kill "$typist" 2>/dev/null
  )
  terminal_text "$dir/terminal" >"$dir/console"
  : >"$dir/stderr"
}

# Standard output, standard error, exit status and output file against the expected
# files (a missing .stderr file: standard error is empty): status 0 exactly when
# standard output ends with the closing line "Done.", unless given. No temporary file
# of the output may stay in the directory.
check() {  # name, directory, expected console file, expected .st file, written .st file[, status]
  local name=$1 dir=$2 console=$3 expected=$4 written=$5 status=${6:-} reasons=()
  local stderr=${console%.console}.stderr
  cmp -s "$dir/console" "$console" || reasons+=("standard output differs")
  if [ -e "$stderr" ]; then
    cmp -s "$dir/stderr" "$stderr" || reasons+=("standard error differs")
  elif [ -s "$dir/stderr" ]; then
    reasons+=("standard error not empty")
  fi
  if [ -z "$status" ]; then
    status=1
    [[ $(tail -c 7 "$console") == $'\nDone.' ]] && status=0
  fi
  [[ $(cat "$dir/status") == "$status" ]] || reasons+=("exit status $(cat "$dir/status")")
  if [ -e "$expected" ]; then
    if [ ! -e "$written" ]; then
      reasons+=("no output file")
    else
      cmp -s "$written" "$expected" || reasons+=("output file differs")
    fi
  elif [ -e "$written" ]; then
    reasons+=("unexpected output file")
  fi
  [ -z "$(find "$dir" -name '.plimko-*')" ] || reasons+=("temporary file left")
  report "$name" "${reasons[@]}"
  [ ${#reasons[@]} -eq 0 ] || show_run "$dir"
}

# An expected console (NAME.console) and standard error (NAME.stderr) in the work
# directory; a standard error of "" writes no file, so none may be written.
expect() {  # name, standard output, standard error
  printf '%s' "$2" >"$work/$1.console"
  rm -f "$work/$1.stderr"
  [ -z "$3" ] || printf '%s' "$3" >"$work/$1.stderr"
}

usage="Usage: plimko [-f FORMAT] [-p NAME] path${separator}to${separator}diagram.uxf [output${separator}directory]"
banner='plimko running ...
'
done_console='plimko running ...
Done.
'

for uxf in "$cases"/*.uxf; do
  name=$(basename "$uxf" .uxf)
  dir=$work/cases/$name
  mkdir -p "$dir/out"
  cp "$uxf" "$dir/"
  convert "$dir" "$name.uxf" out
  check "$name" "$dir" "$cases/$name.console" "$cases/$name.st" "$dir/out/$name.st"
done

# Tonel cases, as the Linux runner reads them: each tests/e2e/tonel/NAME/ holds args (an
# argument a line), input/ (the files the run starts with, beside an empty folder out/),
# expected/ (every file the run writes or changes), removed (the files it deletes),
# console and stderr. Links in a case stand for their targets' text. Every file of the
# tree afterwards must be the expected one, and no other file may be there.
for case in "$cases"/tonel/*/; do
  name=tonel-$(basename "$case")
  dir=$work/cases/$name
  tree=$dir/tree
  mkdir -p "$tree/out" "$dir/expected/out"
  cp -rL "$case/input/." "$tree/"
  cp -rL "$case/input/." "$dir/expected/"
  if [ -e "$case/removed" ]; then
    while IFS= read -r path; do rm -f "$dir/expected/$path"; done <"$case/removed"
  fi
  [ -d "$case/expected" ] && cp -rL "$case/expected/." "$dir/expected/"
  mapfile -t args <"$case/args"
  (cd "$tree" && SOURCE_DATE_EPOCH=1394183100 timeout 120 "${run[@]}" "${args[@]}" \
    </dev/null >"$dir/console" 2>"$dir/stderr"
  echo $? >"$dir/status")
  reasons=()
  cmp -s "$dir/console" "$case/console" || reasons+=("standard output differs")
  if [ -e "$case/stderr" ]; then
    cmp -s "$dir/stderr" "$case/stderr" || reasons+=("standard error differs")
  elif [ -s "$dir/stderr" ]; then
    reasons+=("standard error not empty")
  fi
  status=1
  [[ $(tail -c 7 "$case/console") == $'\nDone.' ]] && status=0
  [[ $(cat "$dir/status") == "$status" ]] || reasons+=("exit status $(cat "$dir/status")")
  files=$(cd "$tree" && find . -type f | sort)
  [ "$files" = "$(cd "$dir/expected" && find . -type f | sort)" ] || reasons+=("other files")
  while IFS= read -r file; do
    [ -e "$dir/expected/$file" ] || continue
    cmp -s "$tree/$file" "$dir/expected/$file" || reasons+=("$file differs")
  done <<<"$files"
  report "$name" "${reasons[@]}"
  [ ${#reasons[@]} -eq 0 ] || show_run "$dir"
done

# --help and --version: their text alone, at once, status 0.
expect help "$usage
       plimko -f tonel [-p NAME] path${separator}to${separator}diagram.uxf [source${separator}directory]
       plimko --from-code [-p NAME] path${separator}to${separator}diagram.uxf [source${separator}directory]
       plimko --help | --version

Converts a UMLet class diagram into Pharo Smalltalk source in chunk format. The
output file is named after the diagram's file name without its last extension,
with .st (shop.v1.uxf gives shop.v1.st), in the output directory, or beside the
diagram when no directory is given. It appears whole or not at all; an output
file that would be the diagram itself is refused.

With --format tonel, the output directory is a Tonel source directory: the
classes go into the package NAME/ (NAME as above, every \".\" as \"-\"), a file per
class, and a run into a package written before keeps every change made there
since (the text plimko wrote last is kept in .plimko/NAME/ beside it).

With --from-code, plimko goes the other way: it draws the diagram, which must not
be there yet, from the classes of the package NAME/ in the source directory, and
writes the copy in .plimko/NAME/ that a Tonel run from the diagram writes; the
package itself is left as it is.

  -f, --format FORMAT  chunk (the default) or tonel
  --from-code          draw the diagram from the Tonel package
  -p, --package NAME   the Tonel package, and the chunk file's class category
  -h, --help           print this text
  -V, --version        print the version
  --                   end the options: a path after it may start with \"-\"
  An option's value may also follow \"=\": --format=tonel, --package=NAME.

Exit status: 0 when the output file was written, 1 after a failure, which is
reported on standard error. plimko waits for Enter before it ends only on
Windows, in a console window opened for it alone (a diagram dropped onto it).

Environment:
  PLIMKO_AUTHOR      the author named in method stamps (letters and digits)
  SOURCE_DATE_EPOCH  seconds since 1970-01-01 UTC to stamp instead of the clock

Manual: man plimko (in the source tree: man -l doc/plimko.1)
" ""
expect version "plimko $version
" ""
for option in --help -h --version -V; do
  dir=$work/cases/option$option
  mkdir -p "$dir"
  convert "$dir" "$option"
  expected=$work/help.console
  [[ $option == -*[vV]* ]] && expected=$work/version.console
  check "option $option" "$dir" "$expected" /nonexistent /nonexistent 0
done

# Usage errors: the report and the usage line on standard error, status 1.
for entry in '|wrong number of parameters' '--|wrong number of parameters' \
  '--bogus|unknown option "--bogus"' 'shop.uxf -x out|unknown option "-x"' \
  '--package=a.b shop.uxf|bad package name "a.b": it holds "."'; do
  IFS='|' read -r args message <<<"$entry"
  dir=$work/cases/usage${args// /_}
  mkdir -p "$dir"
  expect usage "$banner" ")-8 $message B-(

$usage
"
  # shellcheck disable=SC2086  # the arguments are split on purpose
  convert "$dir" $args
  check "usage '$args'" "$dir" "$work/usage.console" /nonexistent /nonexistent
done

# "--" ends the options: a diagram whose name starts with "-" converts; the name of the
# output keeps all but the last extension.
dir=$work/cases/names
mkdir -p "$dir/out"
cp "$cases/shop.uxf" "$dir/-shop.v1.uxf"
convert "$dir" -- -shop.v1.uxf out
sed "1s|out/shop\.st|out/-shop.v1.st|; s|category: 'shop'|category: '-shop.v1'|" \
  "$cases/shop.st" >"$work/names.st"
expect names "$done_console" ""
check names "$dir" "$work/names.console" "$work/names.st" "$dir/out/-shop.v1.st"

# An output file that is the input itself is refused, and the input stays as it was:
# a diagram saved as NAME.st given alone, and an input hard-linked to the output.
dir=$work/cases/overwrite
mkdir -p "$dir/out"
cp "$cases/shop.uxf" "$dir/shop.st"
ln "$dir/shop.st" "$dir/out/linked.st"
ln "$dir/shop.st" "$dir/linked.uxf"
for args in "shop.st" "linked.uxf out"; do
  expect overwrite "$banner" ")-8 output file would overwrite the input \"${args%% *}\" B-(
"
  # shellcheck disable=SC2086  # the arguments are split on purpose
  convert "$dir" $args
  check "overwrite ${args%% *}" "$dir" "$work/overwrite.console" "$cases/shop.uxf" "$dir/shop.st"
done

# An older output is replaced whole by a run that succeeds, and kept as it was by one
# that fails while writing.
for name in shop empty-name; do
  dir=$work/cases/older-$name
  mkdir -p "$dir/out"
  cp "$cases/$name.uxf" "$dir/"
  printf 'older output\r\n' >"$dir/out/$name.st"
  printf 'older output\r\n' >"$work/older.st"
  expected=$work/older.st
  [ -e "$cases/$name.st" ] && expected=$cases/$name.st
  convert "$dir" "$name.uxf" out
  check "older output, $name" "$dir" "$cases/$name.console" "$expected" "$dir/out/$name.st"
done

# Standard input on a terminal, standard output redirected: the run ends by itself.
if command -v script >/dev/null; then
  dir=$work/cases/terminal-input
  mkdir -p "$dir/out"
  cp "$cases/shop.uxf" "$dir/"
  convert_on_terminal "$dir" shop.uxf out
  check terminal-input "$dir" "$cases/shop.console" "$cases/shop.st" "$dir/out/shop.st"
fi

if [[ $program == *.exe ]]; then
  # Windows paths: backslashes and non-ASCII names in both arguments.
  dir=$work/cases/windows-paths
  mkdir -p "$dir/Diagramy ěščř/žluť" "$dir/Výstup"
  cp "$cases/shop.uxf" "$dir/Diagramy ěščř/žluť/"
  convert "$dir" 'Diagramy ěščř\žluť\shop.uxf' 'Výstup\'
  # The file's first line names the output path as given.
  sed '1s|out/shop\.st|Výstup\\shop.st|' "$cases/shop.st" >"$work/windows-paths.st"
  check windows-paths "$dir" "$cases/shop.console" "$work/windows-paths.st" "$dir/Výstup/shop.st"

  # Inputs and outputs that cannot be opened, with the system's reason.
  dir=$work/cases/windows-open
  mkdir -p "$dir/Diagram.uxf" "$dir/out"
  cp "$cases/shop.uxf" "$dir/"
  for entry in 'C:\Dokumenty\chybějící.uxf|No such file or directory' 'Diagram.uxf|Is a directory'; do
    IFS='|' read -r input reason <<<"$entry"
    expect windows-open "$banner" ")-8 cannot open \"$input\": $reason B-(

$usage
"
    convert "$dir" "$input" out
    check "windows cannot open $input" "$dir" "$work/windows-open.console" /nonexistent /nonexistent
  done
  expect windows-open "$banner" ')-8 output directory "chybí\" does not exist B-(
'
  convert "$dir" shop.uxf 'chybí\'
  check "windows cannot open the output" "$dir" "$work/windows-open.console" /nonexistent \
    "$dir/out/shop.st"

  # One argument: the output goes beside the input, a backslash path included.
  dir=$work/cases/windows-one-argument
  mkdir -p "$dir/Diagramy"
  cp "$cases/shop.uxf" "$dir/Diagramy/"
  convert "$dir" 'Diagramy\shop.uxf'
  sed '1s|out/shop\.st|Diagramy\\shop.st|' "$cases/shop.st" >"$work/one-argument.st"
  check windows-one-argument "$dir" "$cases/shop.console" "$work/one-argument.st" \
    "$dir/Diagramy/shop.st"

  # A console of its own: the closing line, or the report with both streams in order,
  # ends with the prompt, and the run waits for Enter, which shows as a line end. A
  # console that cmd shares: the run ends by itself after the closing line "Done." or
  # after the report.
  if command -v script >/dev/null; then
    bogus="plimko running ...
)-8 unknown option \"--bogus\" B-(

$usage
"
    for entry in "alone|shop.uxf out|0|${banner}Done. Press Enter...
" "alone|--bogus|1|${bogus}
Press Enter...
" "shared|shop.uxf out|0|$done_console" "shared|--bogus|1|$bogus"; do
      IFS='|' read -r -d '' how args status text <<<"$entry"
      text=${text%$'\n'}  # the line end that <<< adds
      dir=$work/cases/console-$how${args// /_}
      mkdir -p "$dir/out"
      cp "$cases/shop.uxf" "$dir/"
      expect console "$text" ""
      expected=$cases/shop.st
      [ "$status" = 1 ] && expected=/nonexistent
      # shellcheck disable=SC2086  # the arguments are split on purpose
      convert_on_console "$dir" "$how" $args
      check "console $how, $args" "$dir" "$work/console.console" "$expected" \
        "$dir/out/shop.st" "$status"
    done
  fi
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
