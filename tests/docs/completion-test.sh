#!/usr/bin/env bash
# Drives the bash completion of vistrelctl as bash does on TAB and holds what it offers
# against what the program's help lists: completion.sh PROGRAM COMPLETION_SCRIPT
set -u
ctl=$1
source /usr/share/bash-completion/bash_completion
source "$2"
compopt() { :; }  # only bash's own completion may call it
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
ln -s "$ctl" "$bin/vistrelctl"
export PATH="$bin:$PATH" VISTREL_CONFIG_DIR="$bin"
failures=0

# The words offered for the command line "$@" (the last word is the one being completed).
offered() {
  COMP_WORDS=(vistrelctl "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _vistrelctl
  printf '%s\n' "${COMPREPLY[@]}" | sort -u
}

expect_offered() {  # WORDS... -- EXPECTED...
  local words=() expected=()
  while [[ $1 != -- ]]; do words+=("$1"); shift; done
  shift
  expected=("$@")
  local got
  got=$(offered "${words[@]}")
  for w in "${expected[@]}"; do
    if ! grep -qxF -- "$w" <<<"$got"; then
      echo "FAIL: 'vistrelctl ${words[*]}<TAB>' does not offer '$w'; it offers: $(echo $got)"
      failures=$((failures + 1))
    fi
  done
}

not_offered() {  # WORDS... -- UNWANTED...
  local words=()
  while [[ $1 != -- ]]; do words+=("$1"); shift; done
  shift
  local got
  got=$(offered "${words[@]}")
  for w in "$@"; do
    if grep -qxF -- "$w" <<<"$got"; then
      echo "FAIL: 'vistrelctl ${words[*]}<TAB>' offers '$w', which it does not take"
      failures=$((failures + 1))
    fi
  done
}

# The options a help text lists ("  -y,--yes ...", "  --json ...").
help_options() {
  sed -n 's/^ *\(-[^ []*\).*/\1/p' | tr ',' '\n' | grep -E '^-' | sort -u
}
# The subcommands a help text lists, under its "Subcommands:" heading.
help_subcommands() {
  sed -n '/^Subcommands:/,/^$/p' | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'
}

top=$(vistrelctl --help)
mapfile -t subs < <(help_subcommands <<<"$top")
[[ ${#subs[@]} -gt 20 ]] || { echo "FAIL: the help lists only ${#subs[@]} subcommands"; exit 1; }
expect_offered "" -- "${subs[@]}"
mapfile -t opts < <(help_options <<<"$top")
expect_offered - -- "${opts[@]}" --help-all -y --simulate --device --shared-port
for sub in "${subs[@]}"; do
  sub_help=$(vistrelctl "$sub" --help)
  mapfile -t opts < <(help_options <<<"$sub_help")
  expect_offered "$sub" - -- "${opts[@]}"
  mapfile -t nested < <(help_subcommands <<<"$sub_help")
  ((${#nested[@]})) && expect_offered "$sub" "" -- "${nested[@]}"
  # The subcommand's own words come after it, never the program's subcommands.
  if offered "$sub" "" | grep -qxF "$sub"; then
    echo "FAIL: 'vistrelctl $sub <TAB>' offers the program's subcommands"
    failures=$((failures + 1))
  fi
done

expect_offered ports - -- --all --json
expect_offered adjust "" -- exposure gain white shading
expect_offered --simulate=R -- RL-4100T-VLNK RL-8200T-VLNK
expect_offered --baud 1 -- 115200 19200
expect_offered get T -- TI
expect_offered describe FG -- FGA
expect_offered --log get TI P -- PE
expect_offered set F -- FGA=
expect_offered store "" -- 0 1 2 3
expect_offered lens zoom "" -- wide tele
not_offered lens zoom "" -- open close near far
not_offered lens focus "" -- open close wide tele
not_offered set TMP -- TMP0=
expect_offered lut write --channel "" -- red green blue
# Files where files go, and only there.
touch "$bin/line4.cam"
(cd "$bin" && expect_offered load --strict line -- line4.cam)
(cd "$bin" && expect_offered diff "" -- line4.cam)
if (cd "$bin" && offered get "" | grep -qxF line4.cam); then
  echo "FAIL: 'vistrelctl get <TAB>' offers files"
  failures=$((failures + 1))
fi
# The zsh completion asks the same program; it must at least be a script zsh reads.
if ! zsh -n "${2%.bash-completion}.zsh-completion"; then
  echo "FAIL: zsh does not read the zsh completion"
  failures=$((failures + 1))
fi
((failures == 0)) && echo "completion: all checks passed"
exit $((failures > 0))
