#!/usr/bin/env bash
# Runs every end-to-end case with plimko.exe under Wine, the way the Linux runner
# (tests/driver/E2E_test.cpp) does, and compares console, exit status and output file
# byte for byte. Given a Linux plimko instead, it runs the same cases natively.
# Usage: tests/wine/run-e2e.sh path/to/plimko.exe
set -uo pipefail

program=$(realpath "$1")
cases=$(realpath "$(dirname "$0")/../e2e")
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

# The console, exit status, standard error and output file against the expectations:
# status 0 exactly when the console ends with the closing prompt.
check() {  # name, directory, expected console file, expected .st file, written .st file
  local name=$1 dir=$2 console=$3 expected=$4 written=$5 reasons=()
  cmp -s "$dir/console" "$console" || reasons+=("console differs")
  local status=1
  [[ $(tail -c 20 "$console") == "Done. Press Enter..." ]] && status=0
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
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
