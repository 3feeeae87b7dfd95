#!/usr/bin/env bash
# Completes words of trazel-cli command lines as bash would on Tab, by
# setting COMP_WORDS and COMP_CWORD and reading COMPREPLY, in a folder with
# one file of each kind.
# Usage: completion_test.sh COMPLETION_SCRIPT TRAZEL_CLI
set -uo pipefail
source "$1" || exit 1
cli=$(realpath "$2")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" && touch a.trz c.png d.svg e.pdf f.txt && mkdir carpeta
all="a.trz c.png carpeta d.svg e.pdf f.txt"

# words before | word being completed | completions, sorted
cases=(
  "|ex|export"
  "|p|peaks plot print"
  "|--v|--version"
  "|--l|--lang"
  "--lang||en es"
  "--lang en|ex|export"
  "--lang en export|--xm|--xmax --xmin"
  "export|--xm|--xmax --xmin"
  "new n.trz --peak 1,2,3|--a|--areas"
  "show||a.trz carpeta"
  "export --xmin 1||a.trz carpeta"
  "convert a.trz||a.trz carpeta"
  "plot a.trz --xmin 1 -o||c.png carpeta d.svg"
  "print a.trz -o||carpeta e.pdf"
  "|f|figure fit"
  "figure a.trz -o||c.png carpeta d.svg e.pdf"
  "fit a.trz --measured f.txt -o||a.trz carpeta"
  "spectrum f.txt --y negate -o||carpeta f.txt"
  "spectrum||$all"
  "peaks f.txt --shoulders -o||a.trz carpeta"
  "peaks --max 3||$all"
  "export a.trz -o||$all"
  "new n.trz --from||$all"
  "export a.trz --xmin||"
  "export a.trz --xmin 1||"
  "frobnicate||"
  "spectrum f.txt --y|percent|percent-transmittance-to-absorbance"
  "peaks f.txt --y|n|negate none"
  "fit a.trz --x|n|nanometre-to-wavenumber"
  "fit a.trz --baseline|l|linear"
)

status=0
for row in "${cases[@]}"; do
  IFS='|' read -r before current expected <<<"$row"
  read -ra COMP_WORDS <<<"$cli $before"
  COMP_WORDS+=("$current")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _trazel_cli
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd " ")
  if [ "$got" != "$expected" ]; then
    echo "trazel-cli $before «$current»: «$got», se esperaba «$expected»"
    status=1
  fi
done
exit $status
