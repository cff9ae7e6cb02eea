#!/bin/bash
# Measures the desktop program's CPU while idle online, while it watches for an unplugged
# camera to come back, and how soon it reopens the port once it is back:
#   scripts/replug-idle-cpu.sh [BUILD_DIR] [SECONDS]
# The camera is vistrel-sim behind the link ports/COM1 of a throw-away settings folder;
# unplugging stops it (the pseudo-terminal and the link go), plugging in starts a new one.
set -eu
build=${1:-build}
seconds=${2:-20}
bin="$build/bin"
config=$(mktemp -d)
sim_pid=""
app_pid=""
cleanup() {
  for pid in $app_pid $sim_pid; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$config"
}
trap cleanup EXIT
mkdir -p "$config/ports"
printf 'Communication Mode=number:0\nCom Port No=number:0\nBaudrate=number:115200\n' \
  >"$config/settings.ini"
export VISTREL_CONFIG_DIR="$config" QT_QPA_PLATFORM=offscreen

plug_in() {
  rm -f "$config/sim.out"
  "$bin/vistrel-sim" --link "$config/ports/COM1" >"$config/sim.out" 2>&1 &
  sim_pid=$!
  until [ -s "$config/sim.out" ]; do sleep 0.01; done
}
cpu_percent() {  # the program's CPU over $1 seconds, in percent of one core
  local before after
  before=$(awk '{print $14 + $15}' "/proc/$app_pid/stat")
  sleep "$1"
  after=$(awk '{print $14 + $15}' "/proc/$app_pid/stat")
  echo "scale=2; ($after - $before) * 100 / $(getconf CLK_TCK) / $1" | bc
}
holds() { ls -l "/proc/$app_pid/fd" 2>/dev/null | grep -q -- "-> $1\$"; }

plug_in
"$bin/vistrel" >/dev/null 2>&1 &
app_pid=$!
until holds "$(head -1 "$config/sim.out")"; do sleep 0.05; done
sleep 2
echo "online, idle:        $(cpu_percent "$seconds") % of a core"
kill "$sim_pid"
wait "$sim_pid" 2>/dev/null || true
sleep 1
echo "unplugged, watching: $(cpu_percent "$seconds") % of a core"
start=$(date +%s.%N)
plug_in
device=$(head -1 "$config/sim.out")
for _ in $(seq 1 500); do holds "$device" && break; sleep 0.01; done
holds "$device" || { echo "not reopened"; exit 1; }
echo "reopened $device after $(echo "$(date +%s.%N) - $start" | bc) s"
