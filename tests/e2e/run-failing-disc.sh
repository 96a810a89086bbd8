#!/usr/bin/env bash
# The course and the data folder on a disc that fails under the real program
# (tests/faults/fault-fs.py), all in one launch:
#  1. the bookmark file fails part-way when start-up reads it: an Add then says
#     it cannot write, and the file keeps every lesson's bookmarks byte for byte;
#  2. (done first) the introduction's thumb dragged to the right end: lesson 1
#     plays from its start;
#  3. on a disc that takes 300 ms a read (course and data folder), a bookmark chosen 0.8 s after the
#     lesson click: the lesson stands paused at the bookmark; the row is
#     highlighted within 0.5 s of the click;
#  4. a lesson that is not a video: its error box within 1 s of the click;
#  5. the disc removed while a lesson plays, then put back: the window keeps
#     answering, and a lesson click then plays.
# Prints the times measured. Needs /dev/fuse and python3-fusepy.
# Usage: run-failing-disc.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3
probe="$source/scripts/screen-probe.py"

fail() { import -window root "$work/failure.png" 2>/dev/null || true; echo "FAIL: $* (screen in $work/failure.png)" >&2; exit 1; }
[ -e /dev/fuse ] && /usr/bin/python3 -c 'import fusepy' 2>/dev/null \
  || { echo "SKIP: no /dev/fuse or python3-fusepy (run scripts/setup.sh)"; exit 77; }

source "$source/scripts/demo-session.sh"
mountpoint -q "$work/disc" 2>/dev/null && fusermount -u "$work/disc"
rm -rf "$work/src" "$work/disc" && mkdir -p "$work/src" "$work/disc"
red_blue_course "$binary" "$source" "$work"
lesson_clip "$work/green.avi" 0x28C828
mv "$work/course" "$work/src/course"
cp "$work/green.avi" "$work/src/course/Media/vid_00.avi"
cp "$work/blue.avi" "$work/src/course/Media/vid_03.avi"
echo "not a video" >"$work/src/course/Media/vid_04.avi"
mkdir -p "$work/src/data/tovrelle"
bookmarks="$work/src/data/tovrelle/tovrelle-demo.ini"
printf '[vid1]\r\nnumBm=2\r\nbm1=one\r\nval1=10\r\nbm2=two\r\nval2=20\r\n[vid2]\r\nnumBm=1\r\nbm1=b\r\nval1=5\r\n' >"$bookmarks"
printf '[vid3]\r\nnumBm=1\r\nbm1=half\r\nval1=30\r\n[vid5]\r\nnumBm=1\r\nbm1=e\r\nval1=2\r\n' >>"$bookmarks"
cp "$bookmarks" "$work/bookmarks-before.ini"

faults() { printf '%s\n' "$1" >"$work/faults.new" && mv "$work/faults.new" "$work/faults.json"; }
faults '{"fail_reads": {"data/tovrelle/tovrelle-demo.ini": 40}}'
/usr/bin/python3 "$source/tests/faults/fault-fs.py" "$work/src" "$work/disc" "$work/faults.json" >"$work/fs.log" 2>&1 &
fs=$!
for _ in $(seq 1 50); do mountpoint -q "$work/disc" && break; sleep 0.1; done
mountpoint -q "$work/disc" || fail "the fault file system did not mount"
start_xvfb
export XDG_DATA_HOME="$work/disc/data" XDG_CONFIG_HOME="$work/config"
"$binary" "$work/disc/course" >"$work/program.log" 2>&1 &
app=$!
trap 'end_program $app || true; fusermount -u "$work/disc" 2>/dev/null || kill $fs 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true' EXIT
window_place || fail "no window captioned Tovrelle"
sleep 1

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# The error boxes on screen: visible windows with the program's caption besides the main one.
boxes() { xdotool search --onlyvisible --name '^Tovrelle$' 2>/dev/null | grep -vx "$main" || true; }
main=$(xdotool search --onlyvisible --name '^Tovrelle$' | head -1)
wait_box() {
  for _ in $(seq 1 "$1"); do [ -n "$(boxes)" ] && return 0; sleep 0.05; done
  return 1
}
close_boxes() { for box in $(boxes); do xdotool windowfocus --sync "$box" key Return 2>/dev/null || true; done; sleep 0.3; }
# The seek bar's position in percent, from its thumb's left edge: the first
# dark pixel on the track, which runs from client x 607 to 985 with a thumb
# 28 wide; -1 when no thumb is found.
thumb_percent() {
  import -window root -crop "380x1+$((left + 607))+$((top + 682))" "$work/bar.txt"
  awk 'NR > 1 && match($0, /#[0-9A-F]+/) { split($1, p, ","); x = p[1] + 0
         if (substr($0, RSTART + 1, 1) ~ /[0-7]/) { printf "%d\n", x * 100 / 351; found = 1; exit } }
       END { if (!found) print -1 }' "$work/bar.txt"
}
row_y() { echo $((top + 213 + ($1 - 1) * 100)); }

# 2. First, while the introduction plays: its thumb dragged to the right
# end, which hands over to lesson 1; held there while lesson 1 opens, then moved a little back and to
# the end again as a hand does, and let go: lesson 1 plays from its start.
grab=$(thumb_percent)
[ "$grab" -ge 0 ] || fail "2: no thumb on the seek bar"
xdotool mousemove $((left + 607 + grab * 351 / 100 + 14)) $((top + 682)) mousedown 1
for x in 700 800 900 960 1000; do xdotool mousemove $((left + x)) $((top + 682)); sleep 0.05; done
sleep 1.5
for x in 958 1000; do xdotool mousemove $((left + x)) $((top + 682)); sleep 0.1; done
xdotool mouseup 1
sleep 2.5
lesson1=$(thumb_percent)
[ "$lesson1" -ge 0 ] && [ "$lesson1" -le 15 ] || fail "2: after the hand-over lesson 1 stands at ${lesson1} %, not at its start"
echo "2. introduction dragged to its end: lesson 1 plays from its start (bar at ${lesson1} %)"

# 1. The bookmark file failed part-way at start-up: no bookmark shows, an Add
# is refused with the file's name, and the file stays as it was.
xdotool mousemove $((left + 536)) $((top + 682)) click 1; sleep 0.5
xdotool key Escape; sleep 0.3
# The closed list chooses nothing on Down: Alt+Down opens it, Return chooses.
xdotool key alt+Down Home Return
for _ in $(seq 1 50); do xdotool search --onlyvisible --name '^Bookmark Manager$' >/dev/null && break; sleep 0.2; done
dialog=$(xdotool search --onlyvisible --name '^Bookmark Manager$' | head -1) || fail "the manager dialog did not open"
read -r dleft dtop < <(xwininfo -id "$dialog" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}')
xdotool mousemove $((dleft + 60)) $((dtop + 37)) click 1 type "new"
xdotool mousemove $((dleft + 200)) $((dtop + 36)) click 1
wait_box 40 || fail "1: no error box after an Add over a file that could not be read"
import -window root "$work/add-refused.png"
close_boxes
xdotool windowunmap "$dialog" 2>/dev/null || true
faults '{}'
cmp -s "$bookmarks" "$work/bookmarks-before.ini" || fail "1: the bookmark file changed after a read error"
echo "1. read error: the Add was refused with a box, every lesson's bookmarks kept byte for byte"
# The disc reads again: a lesson click loads its bookmarks and plays it.
shown=$(python3 "$probe" click $((left + 150)) "$(row_y 2)" "$((left + 301)),$((top + 152)),2828c8")
[ "$shown" != timeout ] || fail "1: lesson 2 did not come on screen once the disc read again"

# 3. A drive that takes 300 ms a read: lesson 3, its bookmark chosen 0.8 s
# after the click, before the clip is open.
faults '{"slow_ms": 300}'
start=$(now_ms)
highlight=$(python3 "$probe" click $((left + 150)) "$(row_y 3)" "$((left + 257)),$(row_y 3),ffb020")
sleep "$(awk -v s="$start" -v n="$(now_ms)" 'BEGIN { w = (800 - (n - s)) / 1000; print (w > 0 ? w : 0) }')"
chosen=$(($(now_ms) - start))
xdotool mousemove $((left + 536)) $((top + 682)) click 1; sleep 0.2
xdotool key Down Down Return
sleep 6
faults '{}'
[ "$highlight" != timeout ] || fail "3: lesson 3's row was not highlighted within 5 s"
awk -v h="$highlight" 'BEGIN { exit !(h < 500) }' || fail "3: lesson 3's row took $highlight ms to highlight"
at=$(thumb_percent)
[ "$at" -ge 42 ] && [ "$at" -le 58 ] || fail "3: lesson 3 stands at ${at} %, not at its bookmark (50 %)"
picture_moves "$work" 1 && fail "3: lesson 3 plays on; it should stand paused at the bookmark"
echo "3. slow drive: row highlighted in $highlight ms; bookmark chosen at $chosen ms stands paused at ${at} %"

# 4. A lesson file that is not a video: its box at once.
start=$(now_ms)
xdotool mousemove $((left + 150)) "$(row_y 4)" click 1
wait_box 60 || fail "4: no error box within 3 s of the click on a lesson that is not a video"
box_ms=$(($(now_ms) - start))
import -window root "$work/not-a-video.png"
close_boxes
[ "$box_ms" -lt 1000 ] || fail "4: the box came $box_ms ms after the click"
echo "4. not a video: error box $box_ms ms after the click"

# 5. The disc removed while lesson 1 plays, then put back.
xdotool mousemove $((left + 150)) "$(row_y 1)" click 1
sleep 2
faults '{"gone": true}'
sleep 2
# The window answers: a click on the seek bar's track moves the thumb.
before=$(thumb_percent)
xdotool mousemove $((left + 900)) $((top + 682)) click 1
sleep 0.5
moved=$(thumb_percent)
[ "$moved" != "$before" ] || fail "5: the window did not answer while the disc was out (bar at $before %)"
[ -z "$(boxes)" ] || { import -window root "$work/disc-out-box.png"; close_boxes; }
faults '{}'
sleep 1
shown=$(python3 "$probe" click $((left + 150)) "$(row_y 2)" "$((left + 301)),$((top + 152)),2828c8")
[ "$shown" != timeout ] || fail "5: lesson 2 did not come on screen after the disc was put back"
picture_moves "$work" 1 || fail "5: lesson 2 stands still after the disc was put back"
kill -0 "$app" 2>/dev/null || fail "the program ended"
echo "5. disc out while a lesson played: the window answered; put back, lesson 2 showed in $shown ms and plays"
