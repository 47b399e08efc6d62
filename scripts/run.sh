#!/usr/bin/env bash
# The run command: installs what is missing, builds, and opens the viewer on a simulated sample
# measurement. Without a display it runs the viewer under a virtual X server instead, saves a
# screenshot of the main window and prints the sample's beam parameters.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build

sample=build/samples/single-mode-1310.vnq
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/Velor32 "$sample"
fi

echo "No display found: running the viewer under Xvfb and saving a screenshot instead."
shot=build/run-screenshot.png
xvfb-run -a build/app/Velor32 --screenshot "$shot" "$sample"
build/tools/vnqtool/vnqtool params "$sample"
echo
echo "Screenshot of the viewer's main window: $shot"
