#!/usr/bin/env bash
# Plays the same clip with tovrelle and with mpv (X11 output, no hardware
# decoding), one after the other, under one private 1920 x 1080 X server, in
# the window and then on the full screen (tovrelle's double-click, mpv --fs),
# and prints for each the share of one core that its process used (all its
# threads) over the same 10 s of playback, and its resident memory. Goal:
# tovrelle at most 1.0 x mpv, in the window and on the full screen.
# The clip (720 x 540, 15 frames a second, MPEG-4 and MP3 in AVI like the
# course's lessons) is generated unless one is given; tovrelle plays it as the
# demo course's introduction.
# Usage: playback-bench.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR [CLIP]
set -euo pipefail
binary=$1 source=$2 work=$3 clip=${4:-}
warmup=4 window=10

source "$source/scripts/demo-session.sh"
mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
if [ -z "$clip" ]; then
  clip="$work/clip-60s.avi"
  bench_clip "$clip" 15
fi
cp "$clip" "$work/course/Media/vid_00.avi"
XVFB_SCREEN=1920x1080x24 start_xvfb

ticks=$(getconf CLK_TCK)
# Processor time of a process so far, all its threads, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
resident_mib() { awk '/VmRSS/ {printf "%.0f", $2 / 1024}' "/proc/$1/status"; }
# Resident memory of a process's child processes (the HTML engine's), in MiB.
children_mib() {
  local kb=0 child
  for child in $(pgrep -P "$1"); do kb=$((kb + $(awk '/VmRSS/ {print $2}' "/proc/$child/status"))); done
  echo $((kb / 1024))
}

# measure NAME PID: waits for playback to settle, then samples the window.
measure() {
  local name=$1 pid=$2 before after
  sleep "$warmup"
  kill -0 "$pid" 2>/dev/null || { echo "$name ended before the measurement" >&2; exit 1; }
  before=$(cpu_ticks "$pid")
  sleep "$window"
  after=$(cpu_ticks "$pid")
  share=$(awk -v t=$((after - before)) -v hz="$ticks" -v s="$window" 'BEGIN {printf "%.1f", 100 * t / hz / s}')
  printf '%-12s %5s %% of one core   %4s MiB resident' "$name" "$share" "$(resident_mib "$pid")"
  [ "$name" = tovrelle ] && printf '   (HTML engine processes %s MiB)' "$(children_mib "$pid")"
  echo
  eval "${name}_share=$share"
}

# full_screen_size: the size of the largest visible window, as "WxH".
full_screen_size() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    xwininfo -id "$id" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w * h, w "x" h}'
  done | sort -n | tail -1 | cut -d' ' -f2
}

(cd "$work/course" && exec ./tovrelle) >"$work/tovrelle.log" 2>&1 &
app=$!
trap 'kill $app $XVFB_PID 2>/dev/null || true' EXIT
window_place
measure tovrelle "$app"
xdotool mousemove $((left + 400)) $((top + 300)) click --repeat 2 --delay 80 1
measure tovrelle_fs "$app"
echo "             (tovrelle's full-screen window: $(full_screen_size))"
end_program "$app"

mpv --no-config --vo=x11 --hwdec=no --geometry=720x540+0+0 --keep-open=yes "$clip" >"$work/mpv.log" 2>&1 &
app=$!
measure mpv "$app"
end_program "$app"
mpv --no-config --fs --vo=x11 --hwdec=no --keep-open=yes "$clip" >"$work/mpv-fs.log" 2>&1 &
app=$!
measure mpv_fs "$app"
echo "             (mpv's full-screen window: $(full_screen_size))"
end_program "$app"

ratio() {
  awk -v what="$1" -v a="$2" -v b="$3" \
    'BEGIN {r = b > 0 ? a / b : 0; printf "%-22s tovrelle / mpv = %.2f (goal at most 1.0): %s\n", what, r, r <= 1.0 ? "met" : "NOT met"}'
}
ratio "in the window:" "$tovrelle_share" "$mpv_share"
ratio "on the full screen:" "$tovrelle_fs_share" "$mpv_fs_share"
