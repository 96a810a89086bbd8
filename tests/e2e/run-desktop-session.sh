#!/usr/bin/env bash
# The program as a desktop sees it, on a private session bus with a recording
# screen saver: the screen is kept awake exactly while a lesson plays (given
# back on Pause, Stop, the end of a clip and Quit), and the MPRIS player moves
# the real window: pause and play seen on the picture, seek, next and previous
# lesson, metadata, signals, volume. The place in the course kept across a
# restart and a SIGKILL. Then GNOME's session manager in place of
# the screen saver, the desktop portal (and a PlayPause asked before the
# player is up), the X server's own saver beside a portal that fails, and no
# session bus at all.
# Usage: run-desktop-session.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dbus-daemon gdbus xdotool ffmpeg; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"

prepare_demo_course "$binary" "$source" "$work/course"
rm "$work/course/Media/vid_00.avi"
clip "$work/course/Media/vid_01.avi" 60 440
clip "$work/course/Media/vid_02.avi" 4 440

app="" monitor="" wm=""
cleanup() { kill $app $monitor $wm ${SCREENSAVER_PID:-} ${SESSION_BUS_PID:-} "${XVFB_PID:-}" 2>/dev/null || true; }
start_xvfb
trap cleanup EXIT
start_session_bus "$work/bus"
log="$work/screensaver.log"
start_fake_screensaver "$log"
gdbus monitor --session --dest org.mpris.MediaPlayer2.tovrelle >"$work/signals.log" 2>&1 &
monitor=$!
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
window_place || fail "no window captioned Tovrelle"
wait_for_mpris || fail "no MPRIS player on the bus"

# within COMMAND...: true once the command succeeds, trying for 5 s.
within() { for _ in $(seq 1 50); do "$@" && return 0; sleep 0.1; done; return 1; }
logged() { [ "$(grep -c -E "$2" "$log")" -ge "$1" ]; }
# expect_log COUNT PATTERN WHAT: COUNT lines of the screen saver's log match.
expect_log() { within logged "$1" "$2" || fail "$3: the screen saver saw"$'\n'"$(cat "$log")"; }
status_is() { mpris_get PlaybackStatus | grep -q "'$1'"; }
expect_status() { within status_is "$1" || fail "$2: status $(mpris_get PlaybackStatus), not $1"; }
metadata() { mpris_get Metadata; }
has_title() { metadata | grep -q "'xesam:title': <'$1'>"; }

expect_status Playing "lesson 1 at start"
expect_log 1 "inhibit 1 Playing Lesson 1 of course" "lesson 1 playing"
picture_moves "$work" 0.5 || fail "lesson 1 does not play"
metadata | grep -q "'mpris:length': <int64 6[0-9]\{7\}>, 'mpris:trackid': <objectpath '/org/tovrelle/Tovrelle/lesson/1'>, 'xesam:album': <'course'>, 'xesam:title': <'Lesson 1'>" \
  || fail "metadata: $(metadata)"

mpris Pause
expect_status Paused "Pause"
expect_log 1 "uninhibit 1 known" "Pause"
sleep 0.3
picture_moves "$work" 0.5 && fail "the picture moves after Pause"
mpris PlayPause
expect_status Playing "PlayPause"
expect_log 2 "^[0-9.]+ inhibit " "PlayPause"
picture_moves "$work" 0.5 || fail "the picture stands after PlayPause"

mpris SetPosition "objectpath '/org/tovrelle/Tovrelle/lesson/1'" "int64 20000000"
sleep 0.5
position=$(mpris_get Position | sed -E 's/.*int64 ([0-9]+).*/\1/')
[ "$position" -ge 19000000 ] && [ "$position" -le 24000000 ] || fail "position $position after a seek to 20 s"
grep -q "Seeked" "$work/signals.log" || fail "no Seeked signal: $(cat "$work/signals.log")"
grep -q "PropertiesChanged" "$work/signals.log" || fail "no PropertiesChanged signal"

# A panel's volume slider: the player's volume, told back; below silence is silence.
volume() { mpris_get Volume | sed -E 's/.*<(.*)>.*/\1/'; }
gdbus call --session --dest org.mpris.MediaPlayer2.tovrelle --object-path /org/mpris/MediaPlayer2 \
  --method org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Volume "<0.5>" >/dev/null \
  || fail "Volume cannot be set"
within eval '[ "$(volume)" = 0.5 ]' || fail "Volume $(volume) after setting 0.5"
grep -q "'Volume': <0.5>" "$work/signals.log" || fail "no PropertiesChanged for the volume"
gdbus call --session --dest org.mpris.MediaPlayer2.tovrelle --object-path /org/mpris/MediaPlayer2 \
  --method org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Volume "<-1.0>" >/dev/null
within eval '[ "$(volume)" = 0.0 ]' || fail "Volume $(volume) after setting -1"

mpris Stop
expect_status Stopped "Stop"
expect_log 2 "uninhibit [0-9]+ known" "Stop"

mpris Next
within has_title "Lesson 2" || fail "Next: $(metadata)"
expect_log 1 "inhibit [0-9]+ Playing Lesson 2 of course" "Next"
# Lesson 2 is 4 s long: at its end the screen may blank again.
sleep 4
expect_log 3 "uninhibit [0-9]+ known" "the end of lesson 2"
mpris Previous
within has_title "Lesson 1" || fail "Previous: $(metadata)"

root() {
  gdbus call --session --timeout 5 --dest org.mpris.MediaPlayer2.tovrelle --object-path /org/mpris/MediaPlayer2 \
    --method "org.mpris.MediaPlayer2.$1" >/dev/null
}
# Minimising takes a window manager.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
within eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
timeout 10 xdotool search --name '^Tovrelle$' windowminimize --sync || fail "the window could not be minimised"
root Raise
within eval 'xwininfo -name Tovrelle | grep -q IsViewable' || fail "Raise left the window minimised"
root Quit
kill "$wm"
within eval '! kill -0 $app 2>/dev/null' || fail "Quit left the program running"
expect_log 4 "uninhibit [0-9]+ known" "Quit"
[ "$(grep -c -E '^[0-9.]+ inhibit ' "$log")" -eq 4 ] || fail "inhibitions: $(cat "$log")"

# Where the learner left off: lesson 3 played part-way and the window closed;
# started again, the offer over the video is reached by Tab and pressed with
# Return, and the lesson and place show through MPRIS. Killed while it plays,
# the program loses at most 10 s of the place.
progress_file() { cat "$XDG_DATA_HOME"/tovrelle/progress-*.txt 2>/dev/null; }
kept_position() { progress_file | sed -n 's/^position=\([0-9]*\).*/\1/p'; }
position_s() { mpris_get Position | sed -E 's/.*int64 ([0-9]+).*/\1/' | awk '{print int($1 / 1000000)}'; }
(cd "$work/course" && exec ./tovrelle) >"$work/program-progress.log" 2>&1 &
app=$!
wait_for_mpris || fail "no MPRIS player on the bus"
mpris Next && within has_title "Lesson 2" && mpris Next && within has_title "Lesson 3" || fail "no lesson 3: $(metadata)"
# A seek past the length is refused: the length is known once the clip is open.
within eval 'metadata | grep -q "mpris:length.: <int64 [1-9]"' || fail "lesson 3 has no length: $(metadata)"
mpris SetPosition "objectpath '/org/tovrelle/Tovrelle/lesson/3'" "int64 20000000"
sleep 1.5
# Closed as the title bar's close box closes it (Qt keeps other, unmapped
# windows with the same caption: the shown one is asked).
window_place || fail "no window to close"
/usr/bin/python3 "$source/tests/e2e/close-window.py" "$(xwininfo -name Tovrelle | awk '/Window id:/ {print $4}')"
within eval '! kill -0 $app 2>/dev/null' || fail "closing the window left the program running"
progress_file | grep -q '^lesson=3$' && [ "$(kept_position)" -ge 20 ] || fail "the place kept on closing: $(progress_file)"
(cd "$work/course" && exec ./tovrelle) >"$work/program-progress2.log" 2>&1 &
app=$!
window_place || fail "no window on the second start"
shown=$(date +%s%N)
wait_for_mpris || fail "no MPRIS player on the second start"
has_title "Lesson 1" || fail "the second start did not begin as the first: $(metadata)"
xdotool key Tab Tab Tab Tab Tab Tab Return
at_place() { has_title "Lesson 3" && [ "$(position_s)" -ge 15 ]; }
within at_place || fail "the offer did not bring lesson 3 back at its place: $(metadata) $(mpris_get Position)"
echo "back at the place $(( ($(date +%s%N) - shown) / 1000000 )) ms after the window showed"
sleep 11
played=$(position_s)
kill -9 "$app"; { wait "$app"; } 2>/dev/null || true
lost=$((played - $(kept_position)))
echo "SIGKILL at ${played} s of lesson 3 lost ${lost} s of the place"
[ "$lost" -le 10 ] || fail "SIGKILL lost $lost s: $(progress_file)"

# GNOME's session manager where the screen saver is missing: the idle flag.
kill "$SCREENSAVER_PID"
start_fake_screensaver "$log" --gnome
(cd "$work/course" && exec ./tovrelle) >"$work/program-gnome.log" 2>&1 &
app=$!
expect_log 1 "inhibit 1 flags=8 Playing Lesson 1 of course" "GNOME's session manager"
end_program "$app" || fail "the program did not end on SIGTERM"

# The desktop portal where neither is on the bus: the idle flag, and the
# request closed on Pause. The PlayPause comes as soon as the player is on
# the bus, before its library has loaded: once, it pauses the lesson, and the
# bus says so at once.
kill "$SCREENSAVER_PID"
start_fake_screensaver "$log" --portal
(cd "$work/course" && exec ./tovrelle) >"$work/program-portal.log" 2>&1 &
app=$!
# The first PlayPause the bus delivers, as soon as the player is on it.
for _ in $(seq 1 1500); do mpris PlayPause 2>/dev/null && break; sleep 0.02; done
status_is Paused || fail "an early PlayPause: status $(mpris_get PlaybackStatus)"
window_place || fail "no window captioned Tovrelle"
sleep 2
status_is Paused || fail "the early PlayPause did not hold: status $(mpris_get PlaybackStatus)"
picture_moves "$work" 0.5 && fail "the picture moves after an early PlayPause"
mpris PlayPause
expect_status Playing "PlayPause after the early one"
# Held from the start, given back on the early PlayPause, held again.
expect_log 2 "inhibit [0-9]+ flags=8 Playing Lesson 1 of course" "the desktop portal"
mpris Pause
expect_log 2 "uninhibit [0-9]+ known" "Pause, through the portal"
end_program "$app" || fail "the program did not end on SIGTERM"

# A portal whose Inhibit fails, as on an X session whose bus starts the portal
# but has no screen-saver service behind it: the X server's own screen saver
# is suspended all the same while the lesson plays, and comes back on Pause.
kill "$SCREENSAVER_PID"
start_fake_screensaver "$log" --portal --refuse
(cd "$work/course" && exec ./tovrelle) >"$work/program-x11.log" 2>&1 &
app=$!
wait_for_mpris || fail "no MPRIS player on the bus"
expect_log 1 "refused flags=8 Playing Lesson 1 of course" "the failing portal"
x_saver() { /usr/bin/python3 "$source/tests/e2e/x-screen-saver.py" "$@"; }
x_saver 1 >/dev/null
sleep 2.5
[ "$(x_saver)" = off ] || fail "the X screen saver started while a lesson played"
mpris Pause
sleep 2.5
[ "$(x_saver)" = on ] || fail "the X screen saver stayed suspended after Pause"
end_program "$app" || fail "the program did not end on SIGTERM"

# No session bus: the lesson plays all the same.
DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" && export DBUS_SESSION_BUS_ADDRESS
(cd "$work/course" && exec ./tovrelle) >"$work/program-no-bus.log" 2>&1 &
app=$!
window_place || fail "no window without a session bus"
sleep 2
picture_moves "$work" 0.5 || fail "without a session bus the picture stands still"
kill -0 "$app" 2>/dev/null || fail "the program ended without a session bus"
echo "screen kept awake while playing and given back on Pause, Stop, end of clip and Quit;" \
  "MPRIS pause, play, seek, volume, next, previous, metadata, signals, Raise; a PlayPause before the player is up;" \
  "the place kept on closing, continued by keyboard after a restart, and at most 10 s lost to SIGKILL;" \
  "GNOME, portal, and the X server's saver beside a failing portal; no bus"
