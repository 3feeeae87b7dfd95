#!/usr/bin/env bash
# The manual pages say what --help says: trazel-cli's page has a subsection
# (and only commands have one) for each command of its help, naming the
# options of that command's help, and neither page names an option the
# programs do not know. The pages also format without a warning. LANGUAGE
# names the language of the pages, and the programs give their help in it.
# Usage: man_pages_test.sh MAN_DIR LANGUAGE TRAZEL_CLI [TRAZEL]
set -uo pipefail
man=$1 cli=$3 window=${4:-}
export LANGUAGE=$2
status=0

# The options a text names, sorted, one a line: "--word" or "-letter", not the
# hyphen inside a word or a number.
options() {
  LC_ALL=C grep -oE '(^|[^[:alnum:]-])--?[a-z][a-z-]*' | sed 's/^[^-]*//' | LC_ALL=C sort -u
}
# The page as text: roff's escaped hyphens and font changes taken out.
text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$1"; }
# The lines of a subsection of trazel-cli's page.
subsection() { text "$man/trazel-cli.1" | awk -v s=".SS $1" '/^\.S[SH]/ { on = ($0 == s) } on'; }

same() {  # what, from the help, from the page
  if [ "$2" != "$3" ]; then
    echo "$1: en la ayuda y no en la página: $(comm -23 <(echo "$2") <(echo "$3") | paste -sd " ")"
    echo "$1: en la página y no en la ayuda: $(comm -13 <(echo "$2") <(echo "$3") | paste -sd " ")"
    status=1
  fi
}

commands=$("$cli" --help | sed -n 's/^trazel-cli \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p' | sort)
[ -n "$commands" ] || { echo "trazel-cli --help no nombra ninguna orden"; exit 1; }
same "órdenes de trazel-cli" "$commands" \
  "$(text "$man/trazel-cli.1" | sed -n 's/^\.SS //p' | sort)"

all_help=$("$cli" --help)
for command in $commands; do
  help=$("$cli" "$command" --help)
  all_help+=$'\n'"$help"
  same "trazel-cli $command" "$(options <<<"$help")" "$(subsection "$command" | options)"
done
same "trazel-cli" "$( (options <<<"$all_help"; echo --help) | sort -u)" \
  "$(text "$man/trazel-cli.1" | options)"

pages=("$man/trazel-cli.1")
if [ -n "$window" ]; then
  same "trazel" "$("$window" --help | options)" "$(text "$man/trazel.1" | options)"
  pages+=("$man/trazel.1")
fi

for page in "${pages[@]}"; do
  warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z -k "$page" 2>&1)
  [ -z "$warnings" ] || { echo "$page: $warnings"; status=1; }
done
exit $status
