#!/bin/sh
# Makes the README's screenshot of the main window on the simulated camera again:
#   scripts/screenshot.sh [BUILD_DIR] [OUTPUT]
# Runs the desktop program on Qt's offscreen platform (no display needed) with a throw-away
# settings folder, grabs the main window once the camera's values are shown, and ends.
set -eu
build=${1:-build}
output=${2:-docs/vistrel-main-window.png}
program="$build/bin/vistrel"
if [ ! -x "$program" ]; then
  cmake --build "$build" --target vistrel
fi
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$(dirname "$output")"
QT_QPA_PLATFORM=offscreen VISTREL_CONFIG_DIR="$config" \
  "$program" --simulate --screenshot="$output" 2>/dev/null
echo "wrote $output"
