#!/usr/bin/env bash
# The real program on Qt's Wayland platform in a headless compositor with one
# 1920 x 1080 output and no X server, in one launch: the picture is opaque (a
# black lesson stays black, an orange one orange, where alpha would let the
# compositor's grey through), a lesson click, a double-click gives the
# compositor's full-screen state with the 4:3 lesson on 1440 x 1080 between
# black bars and the speed keys and their badge there, Esc and a click come
# back to the window.
# Usage: run-wayland.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR (WAYLAND_POINTER: the test pointer)
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in sway swaymsg grim wtype convert ffmpeg; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
source "$source/scripts/demo-session.sh"
source "$source/scripts/wayland-session.sh"
rm -rf "$work" && mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
lesson_clip "$work/black.avi" 0x000000
lesson_clip "$work/orange.avi" 0xFF8000
rm -f "$work/course/Media/vid_00.avi"
cp "$work/black.avi" "$work/course/Media/vid_01.avi"
cp "$work/orange.avi" "$work/course/Media/vid_02.avi"
export PULSE_SERVER="unix:$work/no-server"

app=""
cleanup() { [ -z "$app" ] || end_program "$app" || true; stop_sway; }
start_sway 1920 1080 || fail "no compositor"
trap cleanup EXIT
(cd "$work/course" && QT_QPA_PLATFORM=wayland exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
wait_for_sway_window Tovrelle || fail "no window captioned Tovrelle: $(cat "$work/program.log")"
[ "$width" = 1014 ] && [ "$height" = 705 ] || fail "client area ${width}x${height}, expected 1014x705"

# A pixel of the output as "r g b", from a fresh screenshot.
shot() { sway_shot "$work/$1.png"; }
at() { pixel "$work/$1.png" "$2" "$3"; }
# The video's ground, left of the moving test picture (client 300, 150).
ground() { shot "$1"; at "$1" $((left + 300)) $((top + 150)); }
# The window that holds the compositor's full-screen state, if any.
full_screen() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def nodes(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []): yield from nodes(c)
for n in nodes(json.load(sys.stdin)):
    if n.get("type") in ("con", "floating_con") and n.get("fullscreen_mode") == 1:
        r = n["rect"]; print(n["name"], r["x"], r["y"], r["width"], r["height"])'
}
wait_until() { for _ in $(seq 1 30); do eval "$1" && return 0; sleep 0.2; done; return 1; }

sleep 2
close_to "$(ground black)" "0 0 0" || fail "the black lesson shows as $(at black $((left + 300)) $((top + 150)))"
sway_click $((left + 94)) $((top + 313))  # lesson 2
wait_until 'close_to "$(ground orange)" "255 128 0" 16' \
  || fail "the orange lesson shows as $(at orange $((left + 300)) $((top + 150)))"

sway_click $((left + 400)) $((top + 300)) 2
wait_until '[ "$(full_screen)" = "Lesson 2 – Tovrelle 0 0 1920 1080" ]' || fail "no full-screen window: '$(full_screen)'"
sleep 0.5
shot full
for x in 20 237 1683 1900; do
  close_to "$(at full $x 540)" "0 0 0" || fail "the bar at x $x shows $(at full $x 540)"
done
for x in 243 960 1677; do
  close_to "$(at full $x 100)" "255 128 0" 16 || fail "the picture at x $x shows $(at full $x 100)"
done
sway_key bracketright
sleep 0.3
shot badge
[ "$(convert "$work/badge.png" -crop 200x80+1720+0 -colorspace Gray -format '%[fx:int(255*maxima)]' info:)" -gt 200 ] \
  || fail "no speed badge over the full screen after ]"

sway_key Escape
wait_until '[ -z "$(full_screen)" ]' || fail "Esc left the full screen on: $(full_screen)"
wait_for_sway_window Tovrelle
wait_until 'close_to "$(ground back)" "255 128 0" 16' || fail "back in the window the video shows $(at back $((left + 300)) $((top + 150)))"
sway_click $((left + 400)) $((top + 300)) 2
wait_until '[ -n "$(full_screen)" ]' || fail "no full screen on the second double-click"
sway_click 960 540
wait_until '[ -z "$(full_screen)" ]' || fail "a click left the full screen on"

kill -0 "$app" 2>/dev/null || fail "the program ended by itself"
echo "Wayland: opaque picture (black, orange), lesson click, compositor full screen 1920x1080 with the 4:3 lesson on 1440x1080, speed badge, Esc and a click back"
