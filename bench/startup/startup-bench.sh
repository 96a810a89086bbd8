#!/usr/bin/env bash
# Measures the time from process start to the main window shown, on the demo
# course in a real X server, over several runs, side by side with a bare Qt
# window of the same size with 60 labels (the floor), the two taking turns so
# that both meet the same load; then the program's memory once the
# introduction plays. Goals: window shown within 0.5 s, and within 2 x the
# bare window's time (medians).
# Usage: startup-bench.sh TOVRELLE_BINARY PLAIN_WINDOW_BINARY SOURCE_DIR WORK_DIR [RUNS]
set -euo pipefail
binary=$1 plain=$2 source=$3 work=$4 runs=${5:-5}

source "$source/scripts/demo-session.sh"
mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
start_xvfb

now_ms() { date +%s%3N; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
# shown_after NAME COMMAND...: starts the command in the course folder and
# sets elapsed to the ms until a window of that name is viewable, app to its id.
shown_after() {
  local name=$1 start; shift
  start=$(now_ms)
  (cd "$work/course" && exec "$@") >/dev/null 2>&1 &
  app=$!
  until xwininfo -name "$name" 2>/dev/null | grep -q IsViewable; do
    [ $(($(now_ms) - start)) -lt 30000 ] || { echo "no window \"$name\" after 30 s" >&2; exit 1; }
    sleep 0.005
  done
  elapsed=$(($(now_ms) - start))
}

rm -f "$work/shown-tovrelle" "$work/shown-plain"
for run in $(seq 1 "$runs"); do
  shown_after Tovrelle ./tovrelle
  shown=$elapsed
  if [ "$run" = "$runs" ]; then
    sleep 5
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$app/status")
    children=$({ pgrep -P "$app" || true; } | xargs -r -I{} awk '/VmRSS/ {s+=$2} END {print s+0}' /proc/{}/status | awk '{s+=$1} END {print s+0}')
  fi
  end_program "$app" || true
  shown_after "Plain Qt window" "$plain"
  plain_shown=$elapsed
  end_program "$app" || true
  echo "run $run: window shown after $shown ms, the bare Qt window after $plain_shown ms"
  echo "$shown" >>"$work/shown-tovrelle"
  echo "$plain_shown" >>"$work/shown-plain"
done
shown=$(median <"$work/shown-tovrelle") plain_shown=$(median <"$work/shown-plain")
echo "window shown (median of $runs): tovrelle ${shown} ms (goal at most 500), the bare Qt window ${plain_shown} ms"
awk -v a="$shown" -v b="$plain_shown" 'BEGIN {r = a / b; printf "  ratio %.2f (goal at most 2): %s\n", r, r <= 2 ? "met" : "NOT met"}'
echo "memory while the introduction plays: program ${rss} kB resident, its HTML engine processes ${children} kB"
