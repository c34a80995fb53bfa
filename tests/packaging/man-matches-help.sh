#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the manual page of eh-antenna-cli and its --help text name the
# same options (with the same short forms and value names), the same
# positional arguments, the same exit codes, the same version and the same
# examples, and that groff formats the page without a warning.
#
#   man-matches-help.sh CLI MAN_PAGE
set -euo pipefail
export LC_ALL=C

cli=$1
page=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

help=$("$cli" --help)
version=$("$cli" --version | head -n 1)

# The lines of one "Title:" section of the help text, up to the blank line.
help_section() { awk -v title="$1" '$0 == title { on = 1; next } on && /^$/ { exit } on' <<<"$help"; }

# The page without roff font changes and escapes: "\-\-sweep" gives
# "--sweep", "\fIC\fR" gives "C".
plain_page() {
  sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/\\%//g' -e 's/\\&//g' -e 's/\\(aq/'"'"'/g' \
      -e 's/\\e/\\/g' "$page"
}

# The tag lines (the line after ".TP") of one ".SH" section of the page, with
# the macro name and the quotes taken off.
page_tags() {
  plain_page | awk -v title="$1" '
    /^\.SH / { on = (substr($0, 5) == title); next }
    on && /^\.TP/ { tag = 1; next }
    on && tag { tag = 0; sub(/^\.[A-Z]+ /, ""); gsub(/"/, ""); print }'
}

# One option per line: "SHORT LONG VALUE" with "-" for what it lacks.
options_from_help() {
  help_section "Options:" | grep -E '^  -' | sed -E 's/^  +//; s/ {2,}.*$//' | while read -r names value _; do
    value=${value%%:\{*} # "FORMAT:{text,json,csv}"
    local short=- long=$names
    if [[ $names == *,* ]]; then short=${names%%,*}; long=${names#*,}; fi
    echo "$short $long ${value:--}"
  done | sort
}
options_from_page() {
  page_tags OPTIONS | tr ',' ' ' | while read -r first second third _; do
    if [[ $first == --* ]]; then
      echo "- $first ${second:--}"
    else
      echo "$first $second ${third:--}"
    fi
  done | sort
}

compare() { # what, expected (from --help), actual (from the page)
  if [ "$2" != "$3" ]; then
    fail "$1 differ between --help (<) and the manual page (>):"
    diff <(echo "$2") <(echo "$3") >&2 || true
  fi
}

help_options=$(options_from_help)
page_options=$(options_from_page)
[ "$(wc -l <<<"$help_options")" -ge 7 ] || fail "found only these options in --help: $help_options"
compare "options" "$help_options" "$page_options"

help_positionals=$(help_section "Positionals:" | grep -E '^  [A-Z_]+ ' | awk '{ print $1 }')
page_positionals=$(page_tags ARGUMENTS | awk '{ print $1 }')
[ "$(wc -l <<<"$help_positionals")" -eq 7 ] || fail "expected 7 positional arguments in --help: $help_positionals"
compare "positional arguments" "$help_positionals" "$page_positionals"

help_codes=$(help_section "Exit codes:" | grep -E '^  [0-9]+ ' | awk '{ print $1 }')
page_codes=$(page_tags "EXIT STATUS" | awk '{ print $1 }')
[ -n "$help_codes" ] || fail "no exit codes found in --help"
compare "exit codes" "$help_codes" "$page_codes"

# ".TH EH-ANTENNA-CLI 1 date "eh-antenna 1.1.0" ..." against "eh-antenna-cli 1.1.0".
page_version=$(sed -n -E 's/^\.TH .*"eh-antenna ([^"]+)".*/\1/p' "$page")
compare "versions" "${version##* }" "$page_version"

# Every example of --help appears, after "$ ", in the page's EXAMPLES.
page_examples=$(plain_page | awk '/^\.SH / { on = ($0 == ".SH EXAMPLES"); next } on')
examples=0
while IFS= read -r example; do
  examples=$((examples + 1))
  grep -qxF -- "\$ $example" <<<"$page_examples" || fail "the manual page lacks the example: $example"
done < <(help_section "Examples:" | sed -E 's/^  //')
[ "$examples" -ge 3 ] || fail "found only $examples examples in --help"

# groff reports every problem it meets with -ww; -k reads the page's coding.
warnings=$(groff -k -man -Tutf8 -ww -z "$page" 2>&1) || fail "groff failed"
[ -z "$warnings" ] || fail "groff warns about the manual page: $warnings"

if [ "$failures" -ne 0 ]; then
  exit 1
fi
echo "manual page and --help agree: $(wc -l <<<"$help_options") options, $(wc -l <<<"$help_positionals") arguments, exit codes $(paste -sd ' ' <<<"$help_codes"), $examples examples, version $page_version"
