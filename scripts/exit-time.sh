#!/usr/bin/env bash
# Measures the editor's exit under a virtual display: File > Exit is chosen in the main window,
# and the script times how long the window takes to go and how long the process lives on after
# it. The editor runs as this script's own child and is waited for, so the figure is when the
# process ended, not when something reaped it.
# Usage: scripts/exit-time.sh [BUILD_DIR] [RUNS] [VIDEO]   (VIDEO: loaded before each exit)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
runs=${2:-5}
video=${3:-}
[ -x "$build/lumerin" ] || { echo "build $build/lumerin first (./run.sh builds build-release)"; exit 1; }
[ -z "$video" ] || video=$(realpath "$video")
exec xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  build=$1; runs=$2; video=$3
  now() { date +%s%N; }
  main_window() { xdotool search --onlyvisible --name "^Untitled - Lumerin\$" 2>/dev/null | head -1; }
  for i in $(seq "$runs"); do
    "$build/lumerin" >/dev/null 2>&1 &
    pid=$!
    until w=$(main_window); [ -n "$w" ]; do sleep 0.01; done
    sleep 0.5
    if [ -n "$video" ]; then
      xdotool windowfocus --sync "$w"; xdotool key alt+f; sleep 0.3; xdotool key v; sleep 1
      xdotool type --delay 5 "$video"; xdotool key Return; sleep 2
    fi
    xdotool windowfocus --sync "$w"; xdotool key alt+f; sleep 0.3
    start=$(now)
    xdotool key x
    while kill -0 $pid 2>/dev/null && xwininfo -id "$w" 2>/dev/null | grep -q IsViewable; do sleep 0.005; done
    gone=$(now)
    wait $pid || true
    end=$(now)
    echo "run $i: process ended $(( (end - start) / 1000000 )) ms after Exit, $(( (end - gone) / 1000000 )) ms after its window had gone"
  done' _ "$build" "$runs" "$video"
