#!/usr/bin/env bash
# Full screen on X11 at 1920 x 1080, in one launch: first without a window
# manager (the window covers the screen by itself and takes the keys), then
# under openbox (the window holds _NET_WM_STATE_FULLSCREEN). Both times the
# 4:3 lesson fills 1440 x 1080 between black bars, and Esc or a click leaves.
# Usage: run-fullscreen-x11.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in openbox xdotool xprop convert ffmpeg; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
lesson_clip "$work/orange.avi" 0xFF8000
rm -f "$work/course/Media/vid_00.avi"
cp "$work/orange.avi" "$work/course/Media/vid_01.avi"
export PULSE_SERVER="unix:$work/no-server"

app="" wm=""
XVFB_SCREEN=1920x1080x24 start_xvfb
trap '[ -z "$app" ] || end_program "$app" || true; kill $wm $XVFB_PID 2>/dev/null || true' EXIT
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
window_place || fail "no window captioned Tovrelle"
sleep 2

# The visible window that covers the whole screen, if any.
full_screen() {
  local id
  for id in $(xdotool search --onlyvisible --name 'Tovrelle$' 2>/dev/null); do
    xwininfo -id "$id" | grep -q 'Width: 1920' && xwininfo -id "$id" | grep -q 'Height: 1080' && echo "$id"
  done | head -1
}
wait_until() { for _ in $(seq 1 30); do eval "$1" && return 0; sleep 0.2; done; return 1; }
# The 4:3 picture spans x 240 to 1679 with black bars either side.
check_bars() {
  local x
  import -window root "$work/$1.png"
  for x in 20 237 1683 1900; do
    close_to "$(pixel "$work/$1.png" $x 540)" "0 0 0" || fail "$1: the bar at x $x shows $(pixel "$work/$1.png" $x 540)"
  done
  for x in 243 960 1677; do
    close_to "$(pixel "$work/$1.png" $x 100)" "255 128 0" 16 || fail "$1: the picture at x $x shows $(pixel "$work/$1.png" $x 100)"
  done
}
double_click() { xdotool mousemove $((left + 400)) $((top + 300)) click --repeat 2 --delay 80 1; }

double_click
wait_until '[ -n "$(full_screen)" ]' || fail "no full-screen window without a window manager"
sleep 0.5
check_bars bare
xdotool key Escape
wait_until '[ -z "$(full_screen)" ]' || fail "Esc left the full screen on without a window manager"

openbox >/dev/null 2>&1 &
wm=$!
sleep 1.5
window_place
double_click
wait_until '[ -n "$(full_screen)" ]' || fail "no full-screen window under openbox"
xprop -id "$(full_screen)" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN \
  || fail "the window manager holds no full-screen state: $(xprop -id "$(full_screen)" _NET_WM_STATE)"
sleep 0.5
check_bars openbox
xdotool key Escape
wait_until '[ -z "$(full_screen)" ]' || fail "Esc left the full screen on under openbox"
double_click
wait_until '[ -n "$(full_screen)" ]' || fail "no full screen on the second double-click"
xdotool mousemove 960 540 click 1
wait_until '[ -z "$(full_screen)" ]' || fail "a click left the full screen on"

kill -0 "$app" 2>/dev/null || fail "the program ended by itself"
echo "X11: full screen at 1920x1080 with the 4:3 lesson on 1440x1080, without a window manager and under openbox (_NET_WM_STATE_FULLSCREEN); Esc and a click back"
