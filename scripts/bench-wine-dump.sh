#!/usr/bin/env bash
# dump through wine's COM port against vistrel-sim emulating the wire at 115200 baud, beside
# the Linux vistrelctl on the same kind of camera in the same run. Prints each run's time as
# a ratio to the wire time (every byte sent and received, 10 bits a byte): the whole process
# (with wine's start) and the traffic alone (first line sent to last line received).
#   scripts/bench-wine-dump.sh [LINUX_BUILD] [WINDOWS_BUILD] [BAUD]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
linux_bin=${1:-$here/build}/bin
windows_ctl=${2:-$here/build-windows}/bin/vistrelctl.exe
baud=${3:-115200}
work=$(mktemp -d)
export WINEPREFIX="${WINEPREFIX:-$here/build-windows/wineprefix}"
export VISTREL_CONFIG_DIR="$work/config"
export VISTREL_REGISTRY_KEY="Software\\Vistrel Tests\\bench-$$"
sims=()
com_link=""
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${sims[@]}"; do wait "$pid" 2>/dev/null || true; done
  [[ -n $com_link ]] && rm -f "$com_link"
  rm -rf "$work"
}
trap cleanup EXIT
start_sim() {
  "$linux_bin/vistrel-sim" --link "$1" --baud "$baud" >/dev/null 2>&1 &
  sims+=($!)
  for _ in $(seq 100); do [[ -e $1 ]] && return 0; sleep 0.05; done
  echo "vistrel-sim did not start"
  exit 1
}
"$here/scripts/wine-run" cmd /c exit >/dev/null 2>&1 || true
number=32
while [[ -e $WINEPREFIX/dosdevices/com$number ]] && ((number > 2)); do number=$((number - 1)); done
start_sim "$work/linux-port"
start_sim "$work/wine-port"
com_link="$WINEPREFIX/dosdevices/com$number"
ln -s "$(readlink -f "$work/wine-port")" "$com_link"

# The wire bytes of a traffic log and the ms from its first to its last line
# (stamps are minute:second:millisecond).
log_figures() {
  awk '/[TR]x: / { at = index($0, "x: "); bytes += length($0) - at - 3 + 2
         split($1, t, ":"); ms = (t[1] * 60 + t[2]) * 1000 + t[3]
         if (first == "") first = ms; last = ms }
       END { span = last - first; if (span < 0) span += 3600000; print bytes, span }' "$1"
}

run() {
  local label=$1
  shift
  local start end
  start=$(date +%s%N)
  "$@" --log dump >"$work/out" 2>"$work/log"
  end=$(date +%s%N)
  read -r bytes span < <(log_figures "$work/log")
  awk -v label="$label" -v bytes="$bytes" -v span="$span" -v total="$(((end - start) / 1000000))" \
    -v baud="$baud" -v lines="$(wc -l <"$work/out")" 'BEGIN {
      wire = bytes * 10 * 1000 / baud
      printf "%-8s dump of %d settings: %d bytes on the wire = %.0f ms at %d baud; process %d ms (%.2fx), traffic %d ms (%.2fx)\n",
        label, lines, bytes, wire, baud, total, total / wire, span, span / wire }'
}

run Linux "$linux_bin/vistrelctl" --device "$work/linux-port"
run wine "$here/scripts/wine-run" "$windows_ctl" --port $((number - 1))
