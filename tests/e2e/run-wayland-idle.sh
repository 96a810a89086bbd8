#!/usr/bin/env bash
# The compositor's idle inhibition in a native Wayland session: a headless
# sway, no X server and no screen-saver service on the session bus, so only
# the Wayland protocol can keep the screen awake. It is held on the window
# while a lesson plays, given back within 1 s of a click on Pause, held again
# on Play, and given back at the end of a clip.
# Usage: run-wayland-idle.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in sway swaymsg dbus-daemon gdbus ffmpeg python3; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
WAYLAND_POINTER=${WAYLAND_POINTER:-$(dirname "$binary")/../tests/e2e/wayland/wayland-pointer}
[ -x "$WAYLAND_POINTER" ] || fail "no test pointer at $WAYLAND_POINTER (build the wayland-pointer target)"
source "$source/scripts/demo-session.sh"
source "$source/scripts/wayland-session.sh"
rm -rf "$work" && mkdir -p "$work"

prepare_demo_course "$binary" "$source" "$work/course"
rm "$work/course/Media/vid_00.avi"
clip "$work/course/Media/vid_01.avi" 60 440
clip "$work/course/Media/vid_02.avi" 3 440

app=""
start_sway || fail "no compositor"
cleanup() { [ -z "$app" ] || kill "$app" 2>/dev/null; kill ${SESSION_BUS_PID:-} 2>/dev/null; stop_sway; }
trap cleanup EXIT
start_session_bus "$work/bus"
(cd "$work/course" && exec env -u QT_QPA_PLATFORM ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
wait_for_sway_window Tovrelle || fail "no window captioned Tovrelle in the compositor"
wait_for_mpris || fail "no MPRIS player on the bus"

# inhibited True|False: whether any window of the compositor (the program's
# alone here) holds an idle inhibition; read raw, to be quick.
inhibited() {
  local tree
  tree=$(swaymsg -r -t get_tree) || return 1
  if grep -q '"inhibit_idle": true' <<<"$tree"; then [ "$1" = True ]; else [ "$1" = False ]; fi
}
# settles STATE SECONDS: true once inhibit_idle is STATE, trying for SECONDS;
# sets taken to the seconds it took.
settles() {
  local start
  start=$(date +%s%N)
  while ! inhibited "$1"; do
    [ $((($(date +%s%N) - start) / 1000000)) -lt $(($2 * 1000)) ] || return 1
    sleep 0.02
  done
  taken=$(awk -v ns=$(($(date +%s%N) - start)) 'BEGIN { printf "%.2f", ns / 1e9 }')
}
status() { mpris_get PlaybackStatus | sed -E "s/.*'(.*)'.*/\1/"; }
# The bar's Play and Pause buttons, in the window's client area.
click_client() { sway_click $((left + $1)) $((top + $2)); }

settles True 10 || fail "idle not inhibited while lesson 1 plays ($(status))"
sway_shot "$work/playing.png" "$left" "$top" "$width" "$height"
# The test pointer returns at least 0.26 s after it lets the button go: given
# back within 0.74 s of its return is within 1 s of the click.
click_client 379 682
settles False 3 || fail "idle still inhibited 3 s after Pause ($(status))"
paused_in=$taken
[ "$(status)" = Paused ] || fail "the click on Pause left the player $(status)"
awk -v s="$paused_in" 'BEGIN { exit !(s <= 0.74) }' || fail "idle given back $paused_in s after the click tool, not within 1 s of Pause"
click_client 312 682
settles True 3 || fail "idle not inhibited again on Play ($(status))"
mpris Next
settles False 10 || fail "idle still inhibited after the end of the 3 s lesson 2 ($(status))"
[ "$(status)" = Stopped ] || fail "after lesson 2 the player is $(status)"
end_program "$app" || fail "the program did not end on SIGTERM"
app=""
echo "native Wayland: idle inhibited while playing; given back on Pause ${paused_in} s after the click tool ended (it lets the button go 0.26 s before); held again on Play;" \
  "given back at the end of a clip"
