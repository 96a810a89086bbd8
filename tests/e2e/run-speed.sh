#!/usr/bin/env bash
# Playback speed heard through a private sound server: five presses of ] on
# the real window make 1.5×, which the desktop's player reads as its Rate; a
# lesson of 6 s with a 1 kHz tone then still sounds at 1 kHz (the voice keeps
# its pitch) and ends after about 4 s (under 5.5 s, against 6 s at the clip's own
# pace, for a loaded machine), its length still told as 6 s.
# Usage: run-speed.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in pulseaudio pactl parec sox xdotool ffmpeg dbus-daemon gdbus; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
rm "$work/course/Media/vid_00.avi"
clip "$work/course/Media/vid_01.avi" 6 1000

app=""
cleanup() { kill $app $SOUND_SERVER_PIDS ${SESSION_BUS_PID:-} "${XVFB_PID:-}" 2>/dev/null || true; }
start_xvfb
trap cleanup EXIT
start_sound_server "$work/pulse" || fail "the sound server did not start"
start_session_bus "$work/bus"
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
window_place || fail "no window captioned Tovrelle"
wait_for_mpris || fail "no MPRIS player on the bus"

# Without a window manager the keys go to the window under the pointer.
xdotool mousemove $((left + 600)) $((top + 400))
xdotool key bracketright bracketright bracketright bracketright bracketright
sleep 0.3
import -window root "$work/badge.png"
mpris_get Rate | grep -q "1.5" || fail "the Rate after five presses of ]: $(mpris_get Rate)"
mpris Stop
sleep 0.5
mpris Play
started=$(date +%s.%N)
sleep 1
read -r rms peak <<<"$(listen "$work/heard.raw")"
length=$(mpris_get Metadata | sed -E "s/.*'mpris:length': <int64 ([0-9]+)>.*/\1/")
# The end: the player stops, or its position reaches the clip's length.
at_end() {
  mpris_get PlaybackStatus | grep -q Playing || return 0
  [ "$(mpris_get Position | sed -E 's/.*int64 ([0-9]+).*/\1/')" -ge $((length - 100000)) ]
}
for _ in $(seq 1 100); do at_end && break; sleep 0.05; done
ended=$(date +%s.%N)
took=$(awk -v a="$started" -v b="$ended" 'BEGIN { printf "%.2f", b - a }')
awk -v r="$rms" -v p="$peak" -v t="$took" 'BEGIN { exit !(r > 0.02 && p >= 980 && p <= 1020 && t > 3.3 && t < 5.5) }' \
  || fail "a 6 s lesson with a 1 kHz tone at 1.5× sounds at $peak Hz (RMS $rms) and ends after $took s"
[ "$length" -ge 5500000 ] && [ "$length" -le 6500000 ] || fail "the length reads $length µs at 1.5×"
echo "1.5× by keys: the tone stayed at $peak Hz and the 6 s lesson ended after $took s"
