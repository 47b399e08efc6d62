#!/usr/bin/env bash
# Runs one fuzz target of build-sanitize/ (see scripts/sanitize.sh) for SECONDS seconds:
#   ./scripts/fuzz.sh datafile_fuzz 3600
# The corpus grows in build-sanitize/fuzz-corpus/TARGET, seeded with measurements of the
# smallest kind (10 azimuth scans: a quicker round per input) that the build's vnqtool writes.
# A crash stops the run with status 1 and leaves its input in build-sanitize/fuzz-crashes/;
# once the fault is mended, keep that input in fuzz/regressions/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:?usage: fuzz.sh TARGET [SECONDS]}
seconds=${2:-60}
build=build-sanitize
corpus="$build/fuzz-corpus/$target"
crashes="$build/fuzz-crashes"
mkdir -p "$corpus" "$crashes"

if [ -z "$(ls -A "$corpus")" ]; then
  vnqtool="$build/tools/vnqtool/vnqtool"
  case "$target" in
    datafile_fuzz)
      "$vnqtool" new --force "$corpus/new.vnq" >/dev/null
      "$vnqtool" new --force --config "$corpus/new.cfg" >/dev/null
      "$vnqtool" simulate --scans3d 10 --source laser --perpendicular "$corpus/laser.vnq" >/dev/null
      "$vnqtool" simulate --scans3d 10 --source lp01 "$corpus/lp01.vnq" >/dev/null ;;
    config_fuzz)
      # What follows the document marker of a configuration file, after a byte that names
      # one view section.
      "$vnqtool" new --force --config "$build/seed.cfg" >/dev/null
      { printf '\000'; tail -c +107 "$build/seed.cfg"; } > "$corpus/new-config" ;;
    *)
      cp fuzz/seeds/"$target"/* "$corpus"/ ;;
  esac
fi

echo "fuzz: $target for $seconds s"
"$build/fuzz/$target" "$corpus" fuzz/regressions/"$target" -max_total_time="$seconds" \
  -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashes/$target-" \
  2> "$build/fuzz-$target.log" || { tail -n 60 "$build/fuzz-$target.log"; exit 1; }
grep -E '^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb' \
  "$build/fuzz-$target.log" || true
