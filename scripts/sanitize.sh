#!/usr/bin/env bash
# The sanitizer run: one clang build with AddressSanitizer, UndefinedBehaviorSanitizer and the
# libFuzzer targets (build-sanitize/), the whole test suite under the sanitizers, then each
# fuzz target for FUZZ_SECONDS (default 60) seconds. CI runs it after the normal test run.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
# Light optimisation and line tables only: the suite runs quicker and links lighter, and every
# report still names file and line.
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DVELOR_FUZZ=ON -DVELOR_BUILD_BENCHMARKS=OFF -DVELOR_WERROR="${VELOR_WERROR:-OFF}"
cmake --build build-sanitize

settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings"
xvfb-run -a dbus-run-session -- ctest --test-dir build-sanitize --output-on-failure -j 2

for target in datafile_fuzz config_fuzz motion_reply_fuzz; do
  ./scripts/fuzz.sh "$target" "${FUZZ_SECONDS:-60}"
done
