#!/usr/bin/env bash
# The desktop session of the real program on a private bus, with a screen
# saver that blanks after 60 idle seconds:
# - three minutes of play: how many inhibitions were taken and whether the
#   screen blanked (goal: one inhibition, no blank), then how long after a
#   click on Pause the inhibition was given back (goal: under 1 s);
# - Play from pause, ten times by MPRIS and ten times by a click on the button
#   bar: the median time until the picture moves, watched by a screen grab at
#   100 frames a second (goal: MPRIS no slower than the click).
# Usage: desktop-session-bench.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR [PLAY_SECONDS]
set -euo pipefail
binary=$1 source=$2 work=$3 play=${4:-180}

source "$source/scripts/demo-session.sh"
mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
rm -f "$work/course/Media/vid_00.avi"
[ -f "$work/lesson.avi" ] || clip "$work/lesson.avi" $((play + 60)) 440
cp "$work/lesson.avi" "$work/course/Media/vid_01.avi"

app="" grab=""
cleanup() { kill $app $grab ${SCREENSAVER_PID:-} ${SESSION_BUS_PID:-} "${XVFB_PID:-}" 2>/dev/null || true; }
start_xvfb
trap cleanup EXIT
start_session_bus "$work/bus"
log="$work/screensaver.log"
start_fake_screensaver "$log" --idle 60
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
window_place
wait_for_mpris
now() { date +%s.%N; }
click_client() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; }
# The call as a desktop panel makes it, without gdbus's look-up of the interface first.
call() {
  dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.tovrelle /org/mpris/MediaPlayer2 \
    "org.mpris.MediaPlayer2.Player.$1"
}

echo "playing for $play s with a 60 s idle time..."
sleep "$play"
echo "inhibitions taken: $(grep -c ' inhibit ' "$log"), screen blanked: $(grep -c ' blank' "$log") times"
paused=$(now)
click_client 379 682
sleep 2
released=$(awk '/ uninhibit / { print $1; exit }' "$log")
awk -v a="$paused" -v b="${released:-0}" 'BEGIN {
  if (b == 0) print "the inhibition was not given back after Pause"
  else printf "inhibition given back %.0f ms after the click on Pause\n", (b - a) * 1000 }'

# The picture, grabbed from the middle of the video: one line per frame, its
# wall-clock time and a hash of its pixels.
ffmpeg -hide_banner -loglevel error -nostdin -y -f x11grab -framerate 100 -video_size 64x64 \
  -i "$DISPLAY+$((left + 600)),$((top + 400))" -copyts -fps_mode passthrough -f framemd5 "$work/frames.txt" &
grab=$!
sleep 2
: >"$work/actions.txt"
for round in $(seq 1 10); do
  for way in mpris click; do
    if [ "$way" = mpris ]; then call Pause; else click_client 379 682; fi
    sleep 1
    start=$(now)
    if [ "$way" = mpris ]; then call Play; else click_client 312 682; fi
    echo "$way $start" >>"$work/actions.txt"
    sleep 1
  done
done
sleep 1
kill "$grab" 2>/dev/null || true; wait "$grab" 2>/dev/null || true
grab=""
# The first frame after each action whose pixels differ from the one before.
awk -v frames="$work/frames.txt" '
  BEGIN { tb = 1e-6
          while ((getline line < frames) > 0) {
            if (line ~ /^#tb 0:/) { split(line, r, /[: \/]+/); tb = r[3] / r[4] }
            if (line ~ /^#/) continue
            split(line, f, /, */); n++; t[n] = f[3] * tb; h[n] = f[6] } }
  { for (i = 2; i <= n; i++) if (t[i] > $2 && h[i] != h[i - 1]) { print $1, (t[i] - $2) * 1000; break } }
' "$work/actions.txt" | sort -k1,1 -k2,2n | awk '
  { v[$1, ++c[$1]] = $2; all[$1] = all[$1] sprintf(" %.0f", $2) }
  END { for (w in c) printf "%s: Play to a moving picture, median of %d: %.0f ms (all:%s)\n", w, c[w], v[w, int((c[w] + 1) / 2)], all[w] }'
