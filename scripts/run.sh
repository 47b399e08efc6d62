#!/usr/bin/env bash
# The run command: installs what is missing, builds, and runs the main job — a new measurement
# file written and then inspected with vnqtool.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build

sample=build/samples/new-measurement.vnq
mkdir -p build/samples
build/tools/vnqtool/vnqtool new --force "$sample"
build/tools/vnqtool/vnqtool info "$sample"
