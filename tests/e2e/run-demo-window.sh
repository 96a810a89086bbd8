#!/usr/bin/env bash
# Starts the real program on the demo course in a real X server, takes a
# screenshot and checks what a person would see: the window's size and place,
# the built-in header, the course's lesson strip, a playing video and the
# first sponsor's animated banner; on a course whose banners are all animated
# GIFs, the HTML engine's libraries stay unloaded.
# Usage: run-demo-window.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
# Its banners all animated GIFs: no page can come over the lesson.
printf '[Main]\r\nnum=2\r\nimg1=northwind.gif\r\nurl1=https://example.org/n\r\nimg2=quarry.gif\r\nurl2=https://example.org/q\r\n' \
  >"$work/course/Sponsors/sp.dat"
start_xvfb
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
trap 'kill $app $XVFB_PID 2>/dev/null || true' EXIT

window_place || fail "no window captioned Tovrelle"
[ "$width" = 1014 ] && [ "$height" = 705 ] || fail "client area ${width}x${height}, expected 1014x705"
[ "$left" = 212 ] && [ "$top" = 164 ] || fail "window at $left,$top, expected 212,164"

sleep 4  # let the introduction play a few seconds
import -window root "$work/screen.png"

# The colour of one pixel of the window, as "r g b".
screen_pixel() { pixel "$work/screen.png" $((left + $1)) $((top + $2)); }

# The header lies at client (0, 1); the lesson strip at client (13, 131).
close_to "$(screen_pixel 300 30)" "$(pixel "$source/resources/pictures/header.jpg" 300 29)" \
  || fail "header pixel $(screen_pixel 300 30)"
close_to "$(screen_pixel 100 250)" "$(pixel "$work/course/Media/img_lessons_qel.jpg" 87 119)" \
  || fail "lesson strip pixel $(screen_pixel 100 250)"

# The video frame (client 281..1000, 132..671) shows the introduction, not a black box.
brightness=$(convert "$work/screen.png" -crop "720x540+$((left + 281))+$((top + 132))" -colorspace Gray -format '%[fx:int(100*mean)]' info:)
[ "$brightness" -ge 3 ] || fail "the video area is black (mean brightness $brightness%)"

# The banner area (client 418..887, 7..66) shows the first sponsor, northwind.gif on
# its dark blue, and the banner changes its text every 1.5 seconds.
close_to "$(screen_pixel 428 37)" "11 42 92" || fail "banner pixel $(screen_pixel 428 37), expected the first sponsor's"
banner() { convert "$1" -crop "470x60+$((left + 418))+$((top + 7))" +repage -format '%#' info:; }
sleep 1.6
import -window root "$work/screen2.png"
[ "$(banner "$work/screen.png")" != "$(banner "$work/screen2.png")" ] || fail "the banner does not animate"

kill -0 "$app" 2>/dev/null || fail "the program ended by itself"
# Nothing of the HTML engine is loaded ahead for a course without HTML banners.
! grep -q 'libQt6WebEngine' "/proc/$app/maps" || fail "the HTML engine's libraries are loaded"
echo "window 1014x705 at 212,164; header, lesson strip, video and animated banner shown, no HTML engine;" \
  "screenshot $work/screen.png"
