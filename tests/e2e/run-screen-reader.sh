#!/usr/bin/env bash
# The program as a screen reader meets it: at-spi2-core's accessibility bus
# beside a private session bus, switched on as a reader switches it on
# (org.a11y.Status), and the real window on the demo course. Every showing
# control a reader can focus or act on has a name; the tabs, every lesson, the
# player's buttons, the seek bar with its value, the bookmark list, the video
# and the banner are there with their roles; a reader's activate on
# "Lesson 3" plays lesson 3, and its press on Play plays after Pause; a
# listener on the bus hears Pause and Play checked, the lesson under the
# strip's cursor focused on Down and the speed told. Then the resources and
# sponsors sections, reached through their tabs. Then a restart, and the
# offer to continue lesson 3, heard and pressed.
# Usage: run-screen-reader.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dbus-daemon gdbus xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is missing (run scripts/setup.sh)"
source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
# An introduction that lasts through the first checks.
clip "$work/course/Media/vid_00.avi" 90 440

app="" launcher="" listener=""
cleanup() { kill $app $launcher $listener ${SESSION_BUS_PID:-} "${XVFB_PID:-}" 2>/dev/null || true; }
start_xvfb
trap cleanup EXIT
start_session_bus "$work/bus"
# Without a display the launcher leaves no address on the X server's root
# window, so the program finds the accessibility bus only because the status
# below says a reader runs.
env -u DISPLAY /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/launcher.log" 2>&1 &
launcher=$!
a11y_bus() {
  gdbus call --session --timeout 5 --dest org.a11y.Bus --object-path /org/a11y/bus "$@" >/dev/null
}
for _ in $(seq 1 50); do a11y_bus --method org.a11y.Bus.GetAddress 2>/dev/null && break; sleep 0.1; done
for property in IsEnabled ScreenReaderEnabled; do
  a11y_bus --method org.freedesktop.DBus.Properties.Set org.a11y.Status "$property" "<true>" \
    || fail "the accessibility bus cannot be switched on: $(cat "$work/launcher.log")"
done

(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
window_place || fail "no window captioned Tovrelle"
wait_for_mpris || fail "no MPRIS player on the bus"

view() { /usr/bin/python3 "$source/tests/e2e/screen-reader-view.py" "$@"; }
# within COMMAND...: true once the command succeeds, trying for 10 s.
within() { for _ in $(seq 1 50); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done; return 1; }
shows() { view show "$1" "$2" | grep -q -E "$3"; }
# expect ROLE NAME [PATTERN]: the showing object is there, its line matching PATTERN.
expect() { within shows "$1" "$2" "${3:-.}" || fail "$1 '$2' ${3:-}: $(view show "$1" "$2" 2>&1)"; }
# no_unnamed SECTION: every showing control a reader can focus or act on has a name.
no_unnamed() {
  local unnamed
  unnamed=$(view unnamed)
  [ "$(tail -n 1 <<<"$unnamed")" = 0 ] || fail "unnamed controls in $1:"$'\n'"$unnamed"
}
status_is() { mpris_get PlaybackStatus | grep -q "'$1'"; }

within view show "page tab" Training || fail "the window is not on the accessibility bus: $(cat "$work/program.log")"
# What a reader hears, as it arrives on the bus.
/usr/bin/python3 "$source/tests/e2e/screen-reader-view.py" listen "$work/heard.log" &
listener=$!
within grep -q listening "$work/heard.log" || fail "no listener on the accessibility bus"
# heard PATTERN WHAT: an event line matching PATTERN arrived.
heard() { within grep -q -E "$1" "$work/heard.log" || fail "not heard: $2"$'\n'"$(tail -n 20 "$work/heard.log")"; }
expect animation Introduction "\|playing, normal view\|"
no_unnamed "the training section"
expect "page tab list" Sections
expect "page tab" Training "selected"
expect "page tab" Resources
expect "page tab" Sponsors
expect list Lessons
expect "list item" Introduction "selected"
for lesson in 1 2 3 4 5; do expect "list item" "Lesson $lesson"; done
for button in Play Pause Stop; do expect "push button" "$button"; done
expect slider "Lesson position" "\|[0-9]+:[0-9]{2} of [0-9]+:[0-9]{2}\|[0-9.]+\|"
expect "combo box" Bookmarks
expect link "https://example.org/sponsors/northwind"

view press "list item" "Lesson 3"
expect animation "Lesson 3"
expect "list item" "Lesson 3" "selected"
view show "list item" Introduction >/dev/null 2>&1 && fail "the introduction is still listed after lesson 3"
within status_is Playing || fail "lesson 3 does not play: $(mpris_get PlaybackStatus)"
within eval 'mpris_get Metadata | grep -q "xesam:title.: <.Lesson 3.>"' || fail "the player shows $(mpris_get Metadata)"
# The banner moved on with the lesson's choice.
expect link "https://example.org/sponsors/lumen"

view press "push button" Pause
within status_is Paused || fail "Pause: $(mpris_get PlaybackStatus)"
heard "^object:state-changed:checked\|[a-z ]*button\|Pause\|1" "Pause checked"
expect animation "Lesson 3" "\|paused, normal view\|"
sleep 0.3
picture_moves "$work" 0.5 && fail "the picture moves after Pause"
view press "push button" Play
within status_is Playing || fail "Play after Pause: $(mpris_get PlaybackStatus)"
heard "^object:state-changed:checked\|[a-z ]*button\|Play\|1" "Play checked"
heard "^object:state-changed:checked\|[a-z ]*button\|Pause\|0" "Pause no longer checked"
# Under load the first frames after Play may take a while to come.
within picture_moves "$work" 0.5 || fail "the picture stands after Play"

# Tab to the strip, on lesson 3, and Down: lesson 4 is focused. A speed key is told.
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Tovrelle$' | head -n 1)"
xdotool key --delay 100 Tab Tab Tab Tab
heard "^object:state-changed:focused\|list item\|Lesson 3\|1" "Lesson 3 focused as the strip takes the focus"
xdotool key Down
heard "^object:state-changed:focused\|list item\|Lesson 4\|1" "Lesson 4 focused on Down"
xdotool key bracketright
heard "^object:state-changed:showing\|notification\|Speed 1.1 times\|1" "the speed"
xdotool key BackSpace

view press "page tab" Resources
expect "page tab" Resources "selected"
heard "^object:state-changed:focused\|page tab\|Resources\|1" "the Resources tab focused as it shows its section"
grep -q "focused|link|.*|1" "$work/heard.log" && fail "the focus went to the banner: $(grep 'focused|link' "$work/heard.log")"
view show "page tab" Training | grep -q "|.*selected" && fail "Training is still selected"
no_unnamed "the resources section"
expect text "Tutorials: keyword"
expect "combo box" "Jobs: industry"
expect "radio button" Plugin
expect "radio button" Article
expect "push button" "Search reviews and articles"

view press "page tab" Sponsors
expect "page tab" Sponsors "selected"
no_unnamed "the sponsors section"
expect "push button" "Show all sponsors"
kill -0 "$app" 2>/dev/null || fail "the program ended"

# Closed and started again, the window tells the reader of the place kept in
# lesson 3 with a notification, and the reader's press goes back there.
/usr/bin/python3 "$source/tests/e2e/close-window.py" "$(xwininfo -name Tovrelle | awk '/Window id:/ {print $4}')"
for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "closing the window left the program running"
kept=$(sed -n 's/^position=\([0-9]*\).*/\1/p' "$XDG_DATA_HOME"/tovrelle/progress-*.txt)
offer=$(printf 'Continue Lesson 3 at %d:%02d' $((kept / 60)) $((kept % 60)))
(cd "$work/course" && exec ./tovrelle) >"$work/program-again.log" 2>&1 &
app=$!
window_place || fail "no window on the second start"
expect notification "$offer"
view press "push button" "$offer"
within eval 'mpris_get Metadata | grep -q "xesam:title.: <.Lesson 3.>"' || fail "the offer's press: $(mpris_get Metadata)"
echo "named: 3 tabs, 5 lessons and the introduction, Play, Pause, Stop, the seek bar, the bookmarks," \
  "the video, the banner, the search forms; none unnamed in any section; Lesson 3 and Play work by a reader's action;" \
  "the place kept told as a notification after a restart and continued by a reader's press"
