#!/usr/bin/env bash
# Formats each man page as man shows it: no groff warning, no line over 80 columns, every
# section a man page has, no parser jargon. man-test.sh PAGE...
set -u
failures=0
for page in "$@"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$page" 2>/dev/null | col -b)
  problems=()
  [[ -n $warnings ]] && problems+=("groff warns: $warnings")
  wide=$(awk 'length > 80' <<<"$text")
  [[ -n $wide ]] && problems+=("lines over 80 columns: $wide")
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES \
      "SEE ALSO"; do
    grep -qx "$section" <<<"$text" || problems+=("no $section section")
  done
  jargon=$(grep -nE 'INT:|TEXT:|UINT|Excludes:|\[Option Group|REQUIRED|in \[[0-9]' <<<"$text")
  [[ -n $jargon ]] && problems+=("parser jargon: $jargon")
  for p in "${problems[@]}"; do
    echo "FAIL: $page: $p"
    failures=$((failures + 1))
  done
done
((failures == 0)) && echo "man pages: $# checked"
exit $((failures > 0))
