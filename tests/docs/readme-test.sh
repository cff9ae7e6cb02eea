#!/usr/bin/env bash
# Runs every shell block of the README that calls vistrelctl, as pasted into bash, against
# a simulated camera: readme-test.sh VISTRELCTL VISTREL_SIM README
# The channel options of an example are replaced by --simulate (a model it names is kept);
# the files the examples use are made first, in a temporary folder. With PYTHON (the Python
# module's interpreter, PYTHONPATH naming the module) the python blocks run too, each camera
# they open replaced by a simulated one: readme-test.sh VISTRELCTL VISTREL_SIM README [PYTHON]
set -u
CTL=$1 README=$3 PYTHON=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VISTREL_CONFIG_DIR="$work/config" CTL
mkdir -p "$work/config"
cd "$work" || exit 1

cat >"$work/prelude.sh" <<'PRELUDE'
vistrelctl() {
  local args=() skip=0 sim=--simulate channel=0
  for a in "$@"; do [[ $a == channel ]] && channel=1; done
  ((channel)) && { "$CTL" "$@"; return; }
  for a in "$@"; do
    if ((skip)); then skip=0; continue; fi
    case $a in
      --device | --devices | --port | --cl2000 | --cl2001 | --clver11) skip=1; continue ;;
      --simulate*) sim=$a; continue ;;
    esac
    args+=("$a")
  done
  "$CTL" "$sim" "${args[@]}"
}
PRELUDE
source "$work/prelude.sh"
vistrelctl save line4.cam >/dev/null && cp line4.cam golden.cam && vistrelctl lut read gamma.csv ||
  { echo "FAIL: the files the examples use could not be made"; exit 1; }

failures=0 blocks=0
# The README's fenced blocks of language $1, each ended by a NUL.
readme_blocks() {
  awk -v fence="\`\`\`$1" '$0 == fence {inside = 1; text = ""; next}
                             /^```$/ && inside {inside = 0; printf "%s%c", text, 0; next}
                             inside {text = text $0 "\n"}' "$README"
}
# Counts a block that did not run, showing it ($1) and the end of its output ($2).
report_failure() {
  echo "FAIL: this README block does not run:"
  echo "$1"
  echo "--- its output:"
  echo "$2" | tail -5
  failures=$((failures + 1))
}

while IFS= read -r -d '' block; do
  grep -qE '(^|[ /])vistrelctl ' <<<"$block" || continue
  blocks=$((blocks + 1))
  script=$(sed 's#build/bin/vistrelctl#vistrelctl#g' <<<"$block")
  output=$(bash -e -o pipefail -c "source '$work/prelude.sh'; $script" 2>&1 </dev/null) ||
    report_failure "$block" "$output"
done < <(readme_blocks sh)
((blocks > 0)) || { echo "FAIL: no README block calls vistrelctl"; exit 1; }

cat >"$work/prelude.py" <<'PRELUDE'
import vistrel
_open = vistrel.open
def _simulated(device=None, **options):
    for channel in ("cl2000", "cl2001", "clver11"):
        options.pop(channel, None)
    options.setdefault("simulate", "QX-70500C-VLNK")
    return _open(**options)
vistrel.open = _simulated
PRELUDE
while IFS= read -r -d '' block; do
  [[ -n $PYTHON ]] || break
  blocks=$((blocks + 1))
  cat "$work/prelude.py" - <<<"$block" >"$work/block.py"
  output=$("$PYTHON" "$work/block.py" 2>&1 </dev/null) || report_failure "$block" "$output"
done < <(readme_blocks python)
((failures == 0)) && echo "README: $blocks blocks ran"
exit $((failures > 0))
