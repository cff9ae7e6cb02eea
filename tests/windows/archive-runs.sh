#!/usr/bin/env bash
# The Windows archive unpacked into an empty folder: its notes and licence are there and its
# vistrelctl.exe, stripped, runs from that folder alone and its help points to the notes there.
#   archive-runs.sh ARCHIVE WINE_RUN OBJDUMP
set -euo pipefail
archive=$1
wine_run=$2
objdump=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
(cd "$dir" && cmake -E tar xf "$archive")
top=$(ls -d "$dir"/vistrel-*)
for f in vistrelctl.exe README-Windows.txt LICENSE.txt json-schema.md vistrelctl.schema.json; do
  [[ -f $top/$f ]] || { echo "the archive lacks $f" >&2; exit 1; }
done
if "$objdump" -h "$top/vistrelctl.exe" | grep -q "\.debug_"; then
  echo "vistrelctl.exe in the archive carries debugging information: it is not stripped" >&2
  exit 1
fi
cd "$top"
"$wine_run" ./vistrelctl.exe --version
"$wine_run" ./vistrelctl.exe --help >"$dir/help.txt"
grep -q "README-Windows.txt" "$dir/help.txt" || { echo "--help does not point to README-Windows.txt" >&2; exit 1; }
if grep -qE "vistrelctl\(1\)|/usr/" "$dir/help.txt"; then
  echo "--help points to documents that are not on Windows" >&2
  exit 1
fi
"$wine_run" ./vistrelctl.exe --simulate info | tee "$dir/info.txt"
grep -q "QX-70500C-VLNK" "$dir/info.txt" || { echo "the unpacked program did not read the simulated camera" >&2; exit 1; }
