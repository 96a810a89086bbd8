#!/usr/bin/env bash
# Lesson switches, tovrelle beside mpv, under one private X server, on the
# same two 720 x 540 lessons (MPEG-4 and MP3 in AVI, a red and a blue one):
#  - a click on a lesson row until the window shows the highlight on that row,
#    and until the new lesson's first frame is on screen;
#  - mpv switching the same files in one running player (loadfile through its
#    IPC socket) until the new file's first frame is on screen;
#  - resident memory of tovrelle alone and with its child processes, and of
#    BEFORE_BINARY (another build, such as the main branch's) when given.
# Prints the median and worst of SWITCHES (default 12) of each.
# Goals: switch at most 1.0 x mpv's; highlight median 50 ms, worst 100 ms.
# Usage: switch-bench.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR [BEFORE_BINARY]
set -euo pipefail
binary=$1 source=$2 work=$3 before=${4:-}
switches=${SWITCHES:-12}
probe="$source/scripts/screen-probe.py"

source "$source/scripts/demo-session.sh"
mkdir -p "$work"
red_blue_course "$binary" "$source" "$work"
start_xvfb

# stats: median and worst of the numbers on standard input.
stats() { sort -n | awk '{v[NR] = $1} END {m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "median %6.1f ms  worst %6.1f ms  (%d runs)", m, v[NR], NR}'; }
resident_kib() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
tree_kib() {
  local kb child
  kb=$(resident_kib "$1")
  for child in $(pgrep -P "$1"); do kb=$((kb + $(tree_kib "$child"))); done
  echo "$kb"
}
# memory NAME PID WHEN: resident memory of the process and of its tree.
memory() {
  printf '%-9s %-20s %4d MiB alone, %4d MiB with its child processes\n' "$1" "$3" \
    $(($(resident_kib "$2") / 1024)) $(($(tree_kib "$2") / 1024))
}

# start_program BINARY: starts it on the course and finds its window.
start_program() {
  cp "$1" "$work/course/tovrelle"
  (cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
  app=$!
  window_place || { echo "no window" >&2; exit 1; }
  sleep 4
}

# switch_run NAME BINARY: clicks the two lessons' rows in turn, timing each,
# then gives the memory after the switches.
switch_run() {
  start_program "$2"
  memory "$1" "$app" "at start"
  # Lesson n's row lies at client y 171 + 100 (n - 1), 84 high; the top edge
  # of its highlight, orange, at client y 193 + 100 (n - 1); the video's
  # corner at client (281, 132).
  local i lesson colour lit shown
  : >"$work/$1-highlight" && : >"$work/$1-frame"
  for i in $(seq 1 $((switches + 1))); do
    lesson=$((i % 2 + 1))
    colour=$([ $lesson = 1 ] && echo c82828 || echo 2828c8)
    read -r lit shown < <(python3 "$probe" click $((left + 150)) $((top + 213 + (lesson - 1) * 100)) \
      "$((left + 150)),$((top + 193 + (lesson - 1) * 100)),ffb020,30" "$((left + 301)),$((top + 152)),$colour")
    [ "$i" -gt 1 ] && echo "$lit" >>"$work/$1-highlight" && echo "$shown" >>"$work/$1-frame"
    sleep 1.5
  done
  memory "$1" "$app" "after the switches"
  end_program "$app"
}

trap 'kill $app $XVFB_PID 2>/dev/null || true' EXIT
switch_run tovrelle "$binary"
[ -n "$before" ] && switch_run before "$before"

socket="$work/mpv-socket"
mpv --no-config --vo=x11 --hwdec=no --geometry=720x540+0+0 --no-border --idle=yes --keep-open=yes \
  --input-ipc-server="$socket" "$work/red.avi" >"$work/mpv.log" 2>&1 &
app=$!
for _ in $(seq 1 50); do [ -S "$socket" ] && break; sleep 0.1; done
sleep 3
: >"$work/mpv-frame"
for i in $(seq 1 $((switches + 1))); do
  clip=$([ $((i % 2)) = 0 ] && echo red || echo blue)
  colour=$([ "$clip" = red ] && echo c82828 || echo 2828c8)
  read -r shown < <(python3 "$probe" ipc "$socket" "$work/$clip.avi" "20,20,$colour")
  [ "$i" -gt 1 ] && echo "$shown" >>"$work/mpv-frame"
  sleep 1.5
done
memory mpv "$app" "after the switches"
end_program "$app"

report() {
  echo "$1 click to highlight moved:  $(stats <"$work/$1-highlight")   goal: median 50, worst 100"
  echo "$1 click to lesson's frame:   $(stats <"$work/$1-frame")"
}
report tovrelle
[ -n "$before" ] && report before
echo "mpv loadfile to file's frame:      $(stats <"$work/mpv-frame")"
median() { sort -n "$1" | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
awk -v a="$(median "$work/tovrelle-frame")" -v b="$(median "$work/mpv-frame")" \
  'BEGIN {printf "tovrelle / mpv (medians) = %.2f (goal at most 1.0)\n", a / b}'
