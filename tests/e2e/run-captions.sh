#!/usr/bin/env bash
# Captions as a learner who cannot hear sees them: a Windows-1252 subtitle
# file beside lesson 1 (its ending in capitals) shows its text on the picture,
# read back from screenshots by OCR, in the normal view, the large view and on
# the full screen; c turns it off and on, and the choice is in the program's
# settings for the next start. Lesson 2's subtitle file is garbage: no
# captions, and the lesson plays. Lessons 3 and 4 carry theirs as Windows
# Notepad saves them, in UTF-16 and in UTF-8, each with its byte-order mark.
# Usage: run-captions.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in tesseract xdotool ffmpeg dbus-daemon gdbus; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
media="$work/course/Media"
rm "$media/vid_00.avi"
ffmpeg -hide_banner -loglevel error -nostdin -y -f lavfi -i "color=c=0x203048:s=720x540:r=15:d=60" \
  -c:v mpeg4 -q:v 4 "$media/vid_01.avi"
clip "$media/vid_02.avi" 30 440
printf '1\r\n00:00:00,000 --> 00:01:00,000\r\nSeventeen purple giraffes\r\nsing \xe0 la caf\xe9\r\n' >"$media/vid_01.SRT"
head -c 3000 /dev/urandom >"$media/vid_02.srt"
# As Windows Notepad saves it: "Unicode" (UTF-16 with its mark) and UTF-8 with its mark.
cue='1\r\n00:00:00,000 --> 00:01:00,000\r\nSeventeen purple giraffes\r\n'
{ printf '\xff\xfe'; printf "$cue" | iconv -f UTF-8 -t UTF-16LE; } >"$media/vid_03.srt"
{ printf '\xef\xbb\xbf'; printf "$cue"; } >"$media/vid_04.srt"
export XDG_CONFIG_HOME="$work/config" PULSE_SERVER="unix:$work/no-server"
settings="$XDG_CONFIG_HOME/tovrelle/tovrelle.conf"

app=""
cleanup() { kill $app ${SESSION_BUS_PID:-} "${XVFB_PID:-}" 2>/dev/null || true; }
start_xvfb
trap cleanup EXIT
start_session_bus "$work/bus"
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
window_place || fail "no window captioned Tovrelle"
wait_for_mpris || fail "no MPRIS player on the bus"

# read_screen: the text on the whole screen, as OCR reads a screenshot of it
# (kept in the work folder, numbered in order).
read_screen() {
  local shot
  shot="$work/screen-$(ls "$work" | grep -c '^screen-').png"
  import -window root "$shot"
  tesseract "$shot" - 2>/dev/null | tr '\n' ' '
}
caption_shown() { read_screen | grep -qi "purple giraffes"; }
# expect_caption WHERE: the caption is read within 10 s.
expect_caption() {
  for _ in $(seq 1 10); do caption_shown && return 0; sleep 1; done
  fail "no caption $1: OCR read \"$(read_screen)\""
}
expect_no_caption() {
  sleep 1.5
  ! caption_shown || fail "a caption $1: OCR read \"$(read_screen)\""
}
video() { xdotool mousemove $((left + 400)) $((top + 300)); }
# shows_lesson X Y: the lesson's ground colour is on screen there within 5 s,
# so that the view asked for is up before its caption is looked for.
shows_lesson() {
  for _ in $(seq 1 50); do
    import -window root "$work/probe.png"
    close_to "$(pixel "$work/probe.png" "$1" "$2")" "32 48 72" && return 0
    sleep 0.1
  done
  return 1
}

expect_caption "in the normal view"
text=$(read_screen)
grep -q "café" <<<"$text" || fail "the Windows-1252 line is not read as such: OCR read \"$text\""
# The large view puts the picture in the window's top-left corner.
video; xdotool click 1
shows_lesson $((left + 20)) $((top + 20)) || fail "no large view on a click"
expect_caption "in the large view"
video; xdotool click 1
# A click within the double-click time of the last one would pair with it.
sleep 0.8
# The full screen's 4:3 picture reaches the screen's top but for its bar.
video; xdotool click --repeat 2 --delay 80 1
shows_lesson 640 100 || fail "no full screen on a double-click"
expect_caption "on the full screen"
xdotool key Escape
sleep 0.5

video; xdotool key c
expect_no_caption "after c"
grep -qx "captions=off" "$settings" || fail "c is not kept: $(cat "$settings" 2>&1)"
video; xdotool key c
expect_caption "after c again"
grep -qx "captions=on" "$settings" || fail "c again is not kept: $(cat "$settings")"

mpris Next
expect_no_caption "for a lesson with a garbage subtitle file"
position() { mpris_get Position | sed -E 's/.*int64 ([0-9]+).*/\1/'; }
before=$(position)
sleep 1.5
[ "$(position)" -gt "$before" ] || fail "lesson 2 does not play with a garbage subtitle file"
mpris Next
expect_caption "from a UTF-16 file with its mark"
mpris Next
expect_caption "from a UTF-8 file with its mark"
kill -0 "$app" || fail "the program ended"
end_program "$app" || fail "the program did not end on SIGTERM"
echo "captions read by OCR in the normal and large views and on the full screen; c off and on, kept;" \
  "a garbage subtitle file shows nothing and the lesson plays, UTF-16 and UTF-8 with their marks read ($(ls "$work" | grep -c '^screen-') screenshots)"
