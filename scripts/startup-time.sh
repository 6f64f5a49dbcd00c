#!/usr/bin/env bash
# Measures the editor's start-up: time from process start to its main window being mapped on a
# virtual display. Usage: scripts/startup-time.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
runs=${2:-5}
[ -x "$build/lumerin" ] || { echo "build $build/lumerin first (./run.sh builds build-release)"; exit 1; }
exec xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  build=$1; runs=$2
  for i in $(seq "$runs"); do
    start=$(date +%s%N)
    "$build/lumerin" >/dev/null 2>&1 &
    pid=$!
    # Poll ourselves: xdotool'"'"'s own --sync waits half a second between looks.
    until xdotool search --onlyvisible --name "Lumerin" >/dev/null 2>&1; do sleep 0.005; done
    end=$(date +%s%N)
    echo "run $i: $(( (end - start) / 1000000 )) ms to the mapped window"
    kill $pid; wait $pid 2>/dev/null || true
  done' _ "$build" "$runs"
