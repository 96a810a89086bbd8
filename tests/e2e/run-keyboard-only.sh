#!/usr/bin/env bash
# A lesson taken with the keyboard alone, on the real program and the demo
# course under openbox, with xdotool's keys and never the pointer: lesson 3
# chosen on the strip and played, the video on the full screen by F and back
# by Esc, its large view by Return and back, paused, played and paused again from the
# button bar, 10 s sought on the seek bar by exact steps, a bookmark added under a typed name
# through the bookmark list and the manager dialog, the video moved away and
# brought back by the bookmark, then the resources section, a search, and the
# sponsors section with its index page. The focus frame is checked on the
# screen and kept in screenshots; the player's state is read over MPRIS on a
# private session bus, the bookmark from its file and the search from a local
# server, the HTML views' proxy.
# Usage: run-keyboard-only.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dbus-daemon gdbus xdotool xprop openbox; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/setup.sh)"
done
source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work/bin"
prepare_demo_course "$binary" "$source" "$work/course"

app="" server=""
cleanup() { kill $app $server ${WM_PID:-} ${SESSION_BUS_PID:-} "${XVFB_PID:-}" 2>/dev/null || true; }
start_xvfb
trap cleanup EXIT
start_session_bus "$work/bus"
python3 "$source/tests/e2e/search-server.py" "$work/requests.log" "$work/port" &
server=$!
for _ in $(seq 1 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port") || fail "the search server did not start"
cat >"$work/bin/xdg-open" <<EOS
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened.log"
EOS
chmod +x "$work/bin/xdg-open"
start_openbox

(cd "$work/course" && exec env -u http_proxy -u https_proxy -u HTTP_PROXY -u HTTPS_PROXY -u all_proxy \
  -u ALL_PROXY -u no_proxy PATH="$work/bin:$PATH" QTWEBENGINE_CHROMIUM_FLAGS="--proxy-server=http://127.0.0.1:$port" \
  ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
window_place || fail "no window captioned Tovrelle"
wait_for_mpris || fail "no MPRIS player on the bus"
main=$(xdotool search --onlyvisible --name '^Tovrelle$' | head -n 1)
[ "$(xdotool getactivewindow)" = "$main" ] || fail "the window does not have the keyboard at start"
pointer=$(xdotool getmouselocation)

key() { xdotool key --delay 60 "$@"; sleep 0.4; }
shot() { import -window root "$work/$1.png"; }
# The colour at a place of the window's main panel, which lies at -5, -5 in
# the window, in screenshot NAME.
panel_pixel() { pixel "$work/$1.png" $((left + $2 - 5)) $((top + $3 - 5)); }
silver="192 192 192"
# framed NAME X Y: the focus frame's outer line lies at X, Y of the main panel.
framed() { shot "$1"; close_to "$(panel_pixel "$1" "$2" "$3")" "$silver" 16; }
within() { for _ in $(seq 1 50); do "$@" && return 0; sleep 0.1; done; return 1; }
status_is() { mpris_get PlaybackStatus | grep -q "'$1'"; }
expect_status() { within status_is "$1" || fail "$2: status $(mpris_get PlaybackStatus), not $1"; }
title_is() { mpris_get Metadata | grep -q "'xesam:title': <'$1'>"; }
# The video's position in tenths of a second.
position() { mpris_get Position | sed -E 's/.*int64 (-?[0-9]+).*/\1/' | awk '{printf "%.0f", $1 / 100000}'; }
# The position once the player has done its seeks: the same twice, 0.5 s apart.
settled_position() {
  local a b
  b=$(position)
  for _ in $(seq 1 10); do sleep 0.5; a=$b; b=$(position); [ "$a" = "$b" ] && break; done
  echo "$b"
}
near() { [ "${1#-}" -le "$2" ]; }

# Before any key no frame: the Training tab's top edge shows the tab strip.
shot start
close_to "$(panel_pixel start 40 82)" "$silver" 40 && fail "a frame shows before any key"
# Tab: the Training tab, framed.
key Tab
framed focus-tab 40 82 || fail "no frame on the Training tab: $(panel_pixel focus-tab 40 82)"

# The strip, its cursor on lesson 1 while the introduction plays; two rows
# down, lesson 3's row is framed (the strip lies at 15, 36 of the training
# panel, at 3, 100 of the main panel; row 3 spans 240 to 324).
key Tab Tab Tab
key Down Down
framed focus-row 160 $((100 + 36 + 240 - 2)) || fail "no frame on lesson 3's row: $(panel_pixel focus-row 160 374)"
key Return
within title_is "Lesson 3" || fail "lesson 3 is not loaded: $(mpris_get Metadata)"
expect_status Playing "Return on lesson 3"

# The video: F shows it on the full screen, captioned with the lesson, and
# Esc brings it back with the keys on the video, where Return switches to
# the large view and back.
window_size() { xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p'; }
normal_size=$(window_size)
key Tab f
within xdotool search --onlyvisible --name '^Lesson 3 – Tovrelle$' >/dev/null || fail "no full screen captioned Lesson 3"
key Escape
within test "$(xdotool getactivewindow)" = "$main" || fail "Esc did not give the window back the keyboard"
xdotool search --onlyvisible --name '^Lesson 3 – Tovrelle$' >/dev/null && fail "Esc left the full screen on"
key Return
within test "$(window_size)" != "$normal_size" || fail "Return on the video after full screen: still $normal_size"
key Return
within test "$(window_size)" = "$normal_size" || fail "Return again: $(window_size), not $normal_size"

# The button bar: Right to Pause and Return, Space plays, Space pauses.
key Tab Right
# The bar lies at 281, 577 of the training panel, its top edge under the
# video's panel: the frame's bottom line shows.
framed focus-bar $((3 + 281 + 200 / 3 + 30)) $((100 + 577 + 21 + 1)) \
  || fail "no frame on the Pause button: $(panel_pixel focus-bar 380 699)"
key Return
expect_status Paused "Return on Pause"
key space
expect_status Playing "Space on the bar"
sleep 1
key space
expect_status Paused "Space on the bar again"

# The bookmark list, then the seek bar: Home, and 34 steps of 1 % of the 30 s
# lesson, 10.2 s, go to the whole 10 s; not one step may be lost.
key Tab Tab Home
xdotool key --delay 40 --repeat 34 Right
sought=$(settled_position)
near $((sought - 100)) 1 || fail "34 steps on the seek bar sought to $sought tenths, not 100"
status_is Paused || fail "seeking started the video"

# Back to the bookmark list: Down reads it and chooses nothing; Alt+Down
# opens it, and Return on the first entry opens the manager, which has the
# keyboard; a name, Tab to Add, Space, and Esc closes it.
key shift+Tab Down
xdotool search --onlyvisible --name '^Bookmark Manager$' >/dev/null && fail "Down on the closed list opened the manager"
key alt+Down Down Return
for _ in $(seq 1 30); do xdotool search --onlyvisible --name '^Bookmark Manager$' >/dev/null && break; sleep 0.2; done
dialog=$(xdotool search --onlyvisible --name '^Bookmark Manager$' | head -n 1) || fail "the manager did not open"
within test "$(xdotool getactivewindow)" = "$dialog" || fail "the manager does not have the keyboard"
xprop -id "$dialog" WM_TRANSIENT_FOR | grep -q -i "$(printf '0x%x' "$main")" \
  || fail "the manager is not the window's own: $(xprop -id "$dialog" WM_TRANSIENT_FOR)"
xdotool type --delay 40 "Keyboard mark"
key Tab space
shot manager
bookmarks="$work/data/tovrelle/tovrelle-demo.ini"
grep -q "Keyboard mark" "$bookmarks" 2>/dev/null || fail "no bookmark in the file: $(cat "$bookmarks" 2>/dev/null)"
key Escape
within test "$(xdotool getactivewindow)" = "$main" || fail "the window did not get the keyboard back"
xdotool search --onlyvisible --name '^Bookmark Manager$' >/dev/null && fail "Esc left the manager open"

# Away with the seek bar, back with the bookmark.
key Tab
xdotool key --delay 40 --repeat 20 Right
away=$(settled_position)
near $((away - 160)) 1 || fail "20 steps moved from $sought to $away tenths, not to 160 (54 %)"
key shift+Tab F4 Down Return
jumped=$(settled_position)
near $((jumped - sought)) 3 || fail "the bookmark brought the video to $jumped tenths, not $sought"

# Ctrl+Tab: the resources section, its tab focused; past the Sponsors tab, a
# tutorial search for "rig" in Maya.
key ctrl+Tab
shot resources
close_to "$(panel_pixel resources 20 90)" "$(pixel "$work/course/Media/menubar_resources.jpg" 17 8)" \
  || fail "resources tab strip pixel $(panel_pixel resources 20 90)"
key Tab Tab Down Down Down Tab
xdotool type --delay 40 "rig"
key Tab
framed focus-search $((3 + 167 + 30)) $((100 + 101 - 2)) || fail "no frame on SEARCH: $(panel_pixel focus-search 200 199)"
key Return
for _ in $(seq 1 60); do grep -q '_results' "$work/requests.log" 2>/dev/null && break; sleep 0.25; done
expected="http://www.tovrelle.com/tutorial_results_mabr.php?division=1&app=Maya&bgP_Color=c6c9db&cb_description=1&cb_title=1&rank=all&titleDes=rig"
[ "$(grep '_results' "$work/requests.log" || true)" = "$expected" ] \
  || fail "search requests: $(grep '_results' "$work/requests.log" || true)"

# Ctrl+Page Down: the sponsors section; Tab to its index link and Return.
key ctrl+Next
key Tab
framed focus-showall 54 $((100 + 29 - 2)) || fail "no frame on the sponsors' link: $(panel_pixel focus-showall 54 127)"
key Return
sleep 1
shot sponsors
close_to "$(panel_pixel sponsors 20 90)" "$(pixel "$work/course/Media/menubar_sponsors.jpg" 17 8)" \
  || fail "sponsors tab strip pixel $(panel_pixel sponsors 20 90)"

[ "$(xdotool getmouselocation)" = "$pointer" ] || fail "the pointer moved"
[ ! -s "$work/opened.log" ] || fail "addresses opened: $(cat "$work/opened.log")"
kill -0 "$app" 2>/dev/null || fail "the program ended by itself"
key alt+F4
for _ in $(seq 1 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
kill -0 "$app" 2>/dev/null && fail "Alt+F4 did not end the program"
app=""
echo "lesson 3 by keyboard: paused and played, sought to $sought tenths, bookmark at $sought, back there" \
  "from $away, one search, sponsors shown; screenshots in $work"
