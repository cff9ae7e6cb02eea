#!/usr/bin/env bash
# The Windows vistrelctl on a COM port of wine against the Linux one on a serial device:
# two Linux vistrel-sim cameras on pseudo-terminals, one opened by the Linux vistrelctl, the
# other linked as COMn in the wine prefix's dosdevices. Every command must print the same,
# end with the same status and leave the same files.
#   com-port-end-to-end.sh LINUX_BIN WINDOWS_VISTRELCTL WINE_RUN
set -euo pipefail
linux_bin=$1
windows_ctl=$2
wine_run=$3
for program in "$linux_bin/vistrel-sim" "$linux_bin/vistrelctl"; do
  [[ -x $program ]] || { echo "missing $program: build the Linux tree first (make build)"; exit 1; }
done

work=$(mktemp -d)
export WINEPREFIX="${WINEPREFIX:-$(cd "$(dirname "$wine_run")/.." && pwd)/build-windows/wineprefix}"
export VISTREL_CONFIG_DIR="$work/config"
export VISTREL_REGISTRY_KEY="Software\\Vistrel Tests\\end-to-end-$$"
sims=()
com_link=""
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${sims[@]}"; do wait "$pid" 2>/dev/null || true; done
  [[ -n $com_link ]] && rm -f "$com_link"
  "$wine_run" reg delete "HKCU\\$VISTREL_REGISTRY_KEY" /f >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# A camera on a pseudo-terminal reached through the link $1 (further options: vistrel-sim's).
start_sim() {
  local link=$1
  shift
  "$linux_bin/vistrel-sim" --link "$link" "$@" >/dev/null 2>&1 &
  sims+=($!)
  for _ in $(seq 100); do [[ -e $link ]] && return 0; sleep 0.05; done
  echo "vistrel-sim did not start"
  exit 1
}

# The prefix exists once wine has run in it.
"$wine_run" cmd /c exit >/dev/null 2>&1 || true
# A COM number no other port of the prefix uses, among the 32 that the port list holds.
number=32
while [[ -e $WINEPREFIX/dosdevices/com$number ]] && ((number > 2)); do number=$((number - 1)); done
port_index=$((number - 1))

sim_options=("$@")
start_sim "$work/linux-port" "${sim_options[@]:3}"
start_sim "$work/wine-port" "${sim_options[@]:3}"
com_link="$WINEPREFIX/dosdevices/com$number"
ln -s "$(readlink -f "$work/wine-port")" "$com_link"

linux() { "$linux_bin/vistrelctl" --device "$work/linux-port" "$@"; }
windows() { "$wine_run" "$windows_ctl" --port "$port_index" "$@"; }

failures=0
# Runs one command on both sides and compares standard output and exit status; stderr is
# compared when $compare_stderr is set.
same() {
  local status_l=0 status_w=0
  linux "$@" >"$work/out-l" 2>"$work/err-l" || status_l=$?
  windows "$@" >"$work/out-w" 2>"$work/err-w" || status_w=$?
  # Error lines name the channel, which is a device path on one side and a COM name on the
  # other: compare what they say about it.
  sed -i "s|$work/linux-port |CHANNEL |" "$work/err-l"
  sed -i "s|COM$number [^ ]* |CHANNEL |" "$work/err-w"
  if [[ $status_l != "$status_w" ]] || ! cmp -s "$work/out-l" "$work/out-w" ||
    { [[ -n ${compare_stderr:-} ]] && ! cmp -s "$work/err-l" "$work/err-w"; }; then
    echo "DIFFERS: $* (Linux status $status_l, Windows status $status_w)"
    diff "$work/out-l" "$work/out-w" | head -20 || true
    diff "$work/err-l" "$work/err-w" | head -20 || true
    failures=$((failures + 1))
  else
    echo "same: $* (status $status_l, $(wc -l <"$work/out-l") lines)"
  fi
}

same dump
same get TI FGA UD
compare_stderr=1 same set TI=1 FGA=640
same get TI FGA
compare_stderr=1 same set NOSUCH=1
# Files are named relative to the working folder, which both sides share (wine sees it on
# Z:), so that messages naming them are the same.
cd "$work"
linux save linux.cam
windows save windows.cam
if cmp -s "$work/linux.cam" "$work/windows.cam"; then
  echo "same: the saved setting files"
else
  echo "DIFFERS: the saved setting files"
  diff "$work/linux.cam" "$work/windows.cam" | head -20 || true
  failures=$((failures + 1))
fi
sed 's/^TI=.*/TI=0/' "$work/linux.cam" >"$work/changed.cam"
compare_stderr=1 same load changed.cam
compare_stderr=1 same load --strict changed.cam
same get TI

# ports: the COM name of the camera is listed as present on both sides (on Linux through
# the link ports/COMn of the settings folder).
mkdir -p "$VISTREL_CONFIG_DIR/ports"
ln -s "$work/linux-port" "$VISTREL_CONFIG_DIR/ports/COM$number"
for side in linux windows; do
  if "$side" ports | grep -q "^com	$port_index	COM$number	.*	present"; then
    echo "same: $side ports lists COM$number as present"
  else
    echo "DIFFERS: $side ports does not list COM$number"
    "$side" ports || true
    failures=$((failures + 1))
  fi
done

((failures == 0)) || { echo "$failures differences"; exit 1; }
echo "the Windows vistrelctl on COM$number behaves as the Linux one"
