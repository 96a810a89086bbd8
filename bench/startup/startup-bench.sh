#!/usr/bin/env bash
# Measures the time from process start to the main window shown, on the demo
# course in a real X server, over several runs, and the program's memory once
# the introduction plays. Goal: window shown within 0.5 s.
# Usage: startup-bench.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR [RUNS]
set -euo pipefail
binary=$1 source=$2 work=$3 runs=${4:-5}

source "$source/scripts/demo-session.sh"
mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
start_xvfb

now_ms() { date +%s%3N; }
for run in $(seq 1 "$runs"); do
  start=$(now_ms)
  (cd "$work/course" && exec ./tovrelle) >/dev/null 2>&1 &
  app=$!
  until xwininfo -name Tovrelle 2>/dev/null | grep -q IsViewable; do sleep 0.01; done
  shown=$(( $(now_ms) - start ))
  echo "run $run: window shown after $shown ms"
  if [ "$run" = "$runs" ]; then
    sleep 5
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$app/status")
    children=$(pgrep -P "$app" | xargs -r -I{} awk '/VmRSS/ {s+=$2} END {print s+0}' /proc/{}/status | awk '{s+=$1} END {print s+0}')
    echo "memory while the introduction plays: program ${rss} kB resident, its HTML engine processes ${children} kB"
  fi
  end_program "$app"
done
