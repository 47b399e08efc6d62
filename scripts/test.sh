#!/usr/bin/env bash
# The test command: installs what is missing, builds, and runs the whole test suite through
# ctest — under a virtual X server and a private session bus, with a throw-away settings
# folder, so GUI and automation tests run anywhere and never touch a user's settings.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELOR_WERROR="${VELOR_WERROR:-OFF}"
cmake --build build

settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings"
xvfb-run -a dbus-run-session -- ctest --test-dir build --output-on-failure -j 2
