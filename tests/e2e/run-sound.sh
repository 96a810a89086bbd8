#!/usr/bin/env bash
# Listens to the real program. A private sound server with one silent output
# records what the program plays while a person drives it with the mouse: the
# introduction's tone, lesson 1's tone after the introduction hands over by
# itself, silence after Pause, the tone again after Play, lesson 3's tone after
# a click on its row. Lesson 3 changes its tone at its middle, so a drag of the
# seek bar's thumb far into it must be heard as the later tone, and keep being
# heard while the bar follows; a bookmark chosen from the menu (which pauses)
# and Play must be heard as the earlier tone again. Then, with no sound server
# to reach, the picture must still play.
# Usage: run-sound.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in pulseaudio pactl pacat parec sox xdotool ffmpeg; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"

prepare_demo_course "$binary" "$source" "$work/course"
clip "$work/course/Media/vid_00.avi" 3 550
clip "$work/course/Media/vid_01.avi" 60 880
clip "$work/course/Media/vid_03.avi" 60 1320 990
# Lesson 3's bookmark, early in the clip, where the first tone plays.
mkdir -p "$XDG_DATA_HOME/tovrelle"
printf '[vid3]\nnumBm=1\nbm1=Early\nval1=10\n' >"$XDG_DATA_HOME/tovrelle/tovrelle-demo.ini"

app=""
cleanup() { kill $app $SOUND_SERVER_PIDS 2>/dev/null || true; kill "$XVFB_PID" 2>/dev/null || true; }
trap cleanup EXIT
start_sound_server "$work/pulse" || fail "the sound server did not start"
start_xvfb
trap cleanup EXIT
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
window_place || fail "no window captioned Tovrelle"

# expect_tone HZ SECONDS WHAT: waits until the tone is heard.
expect_tone() {
  local heard=""
  local deadline=$((SECONDS + $2))
  while [ $SECONDS -lt $deadline ]; do
    heard=$(listen "$work/heard.raw")
    read -r rms peak <<<"$heard"
    awk -v r="$rms" -v p="$peak" -v f="$1" 'BEGIN { exit !(r > 0.02 && p > f - 20 && p < f + 20) }' && return 0
  done
  fail "$3: no $1 Hz tone within $2 s (last heard: RMS $heard Hz)"
}

expect_silence() {
  sleep 0.5
  local heard rms
  heard=$(listen "$work/heard.raw")
  read -r rms _ <<<"$heard"
  awk -v r="$rms" 'BEGIN { exit !(r < 0.002) }' || fail "$1: still heard RMS $heard Hz"
}

# click_client X Y: a left click at a point of the window's client area.
click_client() {
  xdotool mousemove $((left + $1)) $((top + $2)) click 1
}

# drag_client X1 X2 Y: drags with the left button held.
drag_client() {
  xdotool mousemove $((left + $1)) $((top + $3)) mousedown 1
  for step in 1 2 3 4; do
    sleep 0.1
    xdotool mousemove $((left + $1 + ($2 - $1) * step / 4)) $((top + $3))
  done
  xdotool mouseup 1
}

# thumb_percent: where the seek bar's thumb stands, read from the screen: the
# thumb is the first long run of its colour in the bar's middle row, 350
# pixels of travel from x 17 of the bar.
thumb_percent() {
  import -window root -crop "407x1+$((left + 593))+$((top + 682))" +repage "$work/bar.png"
  convert "$work/bar.png" txt:- | awk -F'[,: ]+' '
    NR > 1 && !found { if ($0 ~ /#F8F8F8/) { if (run++ == 0) start = $1 } else if (run > 10) found = 1; else run = 0 }
    END { print (run > 10 ? int((start - 17) * 100 / 350) : -1) }'
}

# The button bar lies at client (279, 672), three buttons of 66 pixels, the
# bookmark menu beside it at (480, 672), 112 wide; lesson 3's row at client
# (13, 371) to (297, 455); the seek bar at client (593, 672), 407 wide, its
# thumb 27 wide between 16-pixel arrows: near its start the thumb covers x 623,
# and its centre stands at 80 % at x 902.
expect_tone 550 20 "the introduction"
expect_tone 880 15 "lesson 1 after the introduction"
click_client 379 682
expect_silence "Pause"
click_client 312 682
expect_tone 880 10 "Play after Pause"
click_client 150 400
expect_tone 1320 10 "a click on lesson 3"
drag_client 623 902 682
xdotool mousemove "$left" "$top"  # a thumb under the pointer has another colour
expect_tone 990 5 "lesson 3's later part after a drag to 80 %"
sleep 2  # the bar follows the video twice
thumb=$(thumb_percent)
[ "$thumb" -ge 75 ] && [ "$thumb" -le 90 ] || fail "the seek bar stands at $thumb % after a drag to 80 %"
expect_tone 990 3 "lesson 3's later part, seconds after the drag"
click_client 536 682  # opening the bookmark menu pauses
xdotool key Down Return
expect_silence "the bookmark menu"
click_client 312 682
expect_tone 1320 5 "Play after choosing lesson 3's early bookmark"
sleep 2
expect_tone 1320 3 "lesson 3's early part, seconds after the bookmark"
kill -0 "$app" 2>/dev/null || fail "the program ended"
end_program "$app" || fail "the program did not end on SIGTERM"

# Without a sound server the picture plays all the same.
PULSE_SERVER="unix:$work/no-server" && export PULSE_SERVER
rm "$work/course/Media/vid_00.avi"
(cd "$work/course" && exec ./tovrelle) >"$work/program-silent.log" 2>&1 &
app=$!
window_place || fail "no window without a sound server"
sleep 3
picture_moves "$work" 2 || fail "without a sound server the picture stands still"
kill -0 "$app" 2>/dev/null || fail "the program ended without a sound server"
echo "heard the introduction, lesson 1, silence on Pause, lesson 1 on Play, lesson 3, its later part" \
  "after a drag and its early part after a bookmark; the picture plays without a server"
