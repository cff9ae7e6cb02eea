#!/usr/bin/env bash
# A line engineer's provisioning script, timed: 20 vistrelctl calls over 4 simulated colour
# cameras at 115200 baud, one after another (identity, load, verify, store, read back each),
# then the same cameras provisioned by one call that runs them at once.
# Usage: bench/provision-four.sh [BUILD_DIR] (build)
set -euo pipefail
bin=${1:-build}/bin
work=$(mktemp -d)
export VISTREL_CONFIG_DIR=$work
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
for i in 1 2 3 4; do
  "$bin/vistrel-sim" --model QX-70500C-VLNK --baud 115200 >"$work/sim$i" 2>/dev/null &
  pids+=($!)
done
devices=()
for i in 1 2 3 4; do
  until [[ -s $work/sim$i ]]; do sleep 0.05; done
  devices+=("$(head -n 1 "$work/sim$i")")
done
printf 'FGA=300\nTI=1\nPE=10000\nOFL=0\n' >"$work/golden.cam"

start=$(date +%s.%N)
for device in "${devices[@]}"; do
  ctl=("$bin/vistrelctl" --device "$device" --baud 115200 --quiet)
  "${ctl[@]}" info --json >/dev/null
  "${ctl[@]}" load --strict "$work/golden.cam"
  "${ctl[@]}" diff "$work/golden.cam"
  "${ctl[@]}" store 1
  "${ctl[@]}" get --json FGA TI PE OFL >/dev/null
done
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" \
  'BEGIN { printf "provisioning script: 20 vistrelctl calls over 4 cameras in %.0f ms\n", (e - s) * 1000 }'

device_options=()
for device in "${devices[@]}"; do device_options+=(--device "$device"); done
start=$(date +%s.%N)
"$bin/vistrelctl" "${device_options[@]}" --baud 115200 --quiet provision "$work/golden.cam" \
  --area 1 >/dev/null
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" \
  'BEGIN { printf "one provision call over the same 4 cameras at once in %.0f ms\n", (e - s) * 1000 }'
