#!/usr/bin/env bash
# The run command: installs what is missing, builds, and runs the main job — a simulated
# sample measurement inspected with vnqtool: its contents and its beam parameters.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build

sample=build/samples/single-mode-1310.vnq
build/tools/vnqtool/vnqtool info "$sample"
build/tools/vnqtool/vnqtool params "$sample"
