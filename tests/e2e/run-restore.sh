#!/usr/bin/env bash
# Minimises the real program's window and restores it under a window manager,
# as a person does from the taskbar: the bookmark menu keeps the entry chosen
# and the manager dialog keeps its selection.
# Usage: run-restore.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

command -v openbox >/dev/null || fail "openbox is missing (run scripts/setup.sh)"
source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
mkdir -p "$XDG_DATA_HOME/tovrelle"
printf '[vid0]\r\nnumBm=2\r\nbm1=Alpha\r\nval1=1\r\nbm2=Beta\r\nval2=2\r\n' >"$XDG_DATA_HOME/tovrelle/tovrelle-demo.ini"
start_xvfb
trap 'kill ${WM_PID:-} $XVFB_PID 2>/dev/null || true' EXIT
start_openbox || fail "no window manager"
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
trap 'kill $app $WM_PID $XVFB_PID 2>/dev/null || true' EXIT

window_place || fail "no window captioned Tovrelle"
# The managed window (Qt keeps other, unmapped windows with the same caption).
main=$(xwininfo -name Tovrelle | awk '/Window id:/ {print $4}')
sleep 2

# The menu lies at client 480, 672 (112 x 21): open it (which pauses the
# video), close it, then open it from the keys and choose "<Manage Bookmarks>",
# which opens the dialog.
xdotool mousemove $((left + 536)) $((top + 682)) click 1; sleep 0.5
xdotool key Escape; sleep 0.3
# The closed list chooses nothing on Down: Alt+Down opens it, Return chooses.
xdotool key alt+Down Home Return
for _ in $(seq 1 50); do xdotool search --onlyvisible --name '^Bookmark Manager$' >/dev/null && break; sleep 0.2; done
dialog=$(xwininfo -name 'Bookmark Manager' | awk '/Window id:/ {print $4}') || fail "the manager dialog did not open"
# Select "Beta", the second row of the dialog's list (client 8, 50; rows 13 high).
read -r dleft dtop < <(xwininfo -id "$dialog" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}')
xdotool mousemove $((dleft + 60)) $((dtop + 50 + 13 + 6)) click 1; sleep 0.5

# The menu and the dialog's list, as the screen shows them with the dialog in front.
shot() {
  xdotool windowactivate --sync "$dialog" 2>/dev/null; sleep 0.5
  import -window root "$work/$1.png"
  convert "$work/$1.png" -crop "112x21+$((left + 480))+$((top + 672))" +repage "$work/$1-menu.png"
  convert "$work/$1.png" -crop "220x135+$((dleft + 8))+$((dtop + 50))" +repage "$work/$1-list.png"
}
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }
shot before

for round in 1 2; do
  xdotool windowminimize --sync "$main"; sleep 0.5
  xprop -id "$main" WM_STATE | grep -q Iconic || fail "round $round: the window was not minimised"
  xdotool windowactivate --sync "$main" 2>/dev/null; sleep 1
  xprop -id "$main" WM_STATE | grep -q Normal || fail "round $round: the window was not restored"
  shot "after$round"
  same "$work/before-menu.png" "$work/after$round-menu.png" || fail "round $round: the menu changed on restore"
  same "$work/before-list.png" "$work/after$round-list.png" || fail "round $round: the dialog's list changed on restore"
done
kill -0 "$app" 2>/dev/null || fail "the program ended by itself"
echo "minimised and restored twice under openbox; menu and dialog kept; screenshots in $work"
