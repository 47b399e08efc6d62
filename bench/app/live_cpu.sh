#!/usr/bin/env bash
# The live benchmark: the CPU that Velor32 --simulate takes with Data Collection on over
# SECONDS (default 60), first with the windows a new measurement starts with, then with a
# window of every view kind, tiled; prints both, their ratio and the load average beside them.
# Starts its own X server (1920 × 1080) and session bus. Run from the repository:
#   bench/app/live_cpu.sh [BUILD] [SECONDS]        (BUILD defaults to build)
set -euo pipefail

build=$(realpath "${1:-build}")
seconds=${2:-60}
warmup=5

if [ -z "${LIVE_CPU_INNER:-}" ]; then
  # Settings of the run's own, so no user's windows or preferences come into it.
  XDG_CONFIG_HOME=$(mktemp -d)
  export LIVE_CPU_INNER=1 XDG_CONFIG_HOME
  status=0
  xvfb-run -a -s "-screen 0 1920x1080x24" dbus-run-session -- "$0" "$build" "$seconds" || status=$?
  rm -rf "$XDG_CONFIG_HOME"
  exit "$status"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/vnqtool/vnqtool" simulate --scans3d 50 --source laser --perpendicular "$work/measured.vnq" >/dev/null
"$build/bench/app/live_views_file" "$work/measured.vnq" "$work/every-view.vnq" 1900 960

service=com.lumora.OrbiscanViewer
target=(--session --dest "$service" --object-path /Document)
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Runs Velor32 --simulate with the arguments, switches acquisition on through the automation
# object, and prints the per cent of one core it used over the measured seconds. A loaded time
# statistics view asks whether its points may go as collection starts: Return answers Yes.
measure() {
  "$build/app/Velor32" --simulate "$@" >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 100); do
    gdbus introspect "${target[@]}" >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 2
  gdbus call "${target[@]}" --method org.freedesktop.DBus.Properties.Set \
    com.lumora.OrbiscanViewer.Document ScanAcquisition '<true>' >/dev/null &
  local setter=$!
  sleep 2
  [ $# -gt 0 ] && xdotool key Return
  wait "$setter"
  sleep "$warmup"
  local on
  on=$(gdbus call "${target[@]}" --method org.freedesktop.DBus.Properties.Get \
    com.lumora.OrbiscanViewer.Document ScanAcquisition)
  local start end
  start=$(cpu_ticks "$pid")
  sleep "$seconds"
  end=$(cpu_ticks "$pid")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  [ "$on" = "(<true>,)" ] || { echo "live_cpu: acquisition did not switch on ($on)" >&2; exit 1; }
  awk -v t=$((end - start)) -v hz="$ticks" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }'
}

load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "load average $(load) at the start"
default=$(measure)
echo "default windows (new measurement):   ${default} % of a core over ${seconds} s   (load $(load))"
every=$(measure "$work/every-view.vnq")
echo "every view kind, tiled:              ${every} % of a core over ${seconds} s   (load $(load))"
awk -v a="$every" -v b="$default" 'BEGIN { printf "ratio %.2f (target at most 2)\n", a / b }'
