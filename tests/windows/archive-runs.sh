#!/usr/bin/env bash
# The Windows archive unpacked into an empty folder: its notes and licence are there and its
# vistrelctl.exe runs from that folder alone. archive-runs.sh ARCHIVE WINE_RUN
set -euo pipefail
archive=$1
wine_run=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
(cd "$dir" && cmake -E tar xf "$archive")
top=$(ls -d "$dir"/vistrel-*)
for f in vistrelctl.exe README-Windows.txt LICENSE.txt; do
  [[ -f $top/$f ]] || { echo "the archive lacks $f" >&2; exit 1; }
done
cd "$top"
"$wine_run" ./vistrelctl.exe --version
"$wine_run" ./vistrelctl.exe --simulate info | tee "$dir/info.txt"
grep -q "QX-70500C-VLNK" "$dir/info.txt" || { echo "the unpacked program did not read the simulated camera" >&2; exit 1; }
