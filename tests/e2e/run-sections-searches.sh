#!/usr/bin/env bash
# Drives the real program on the demo course as a person would: clicks on the
# sponsor banner, the section tabs, the four searches with typed texts and the
# links of a result page, then closes the window. The result pages are hostile:
# what their scripts ask of the desktop without a click must go nowhere, and a
# clicked link to a network share is refused with an error box. The HTML engine must not run
# before the first tab click, and nothing of it may outlive the window. Pages
# animate (CSS and GIF), and without a graphics processor no OpenGL driver loads.
# A local server, the HTML views' proxy, answers for the search server and a
# recording xdg-open stands in for the desktop's opener; nothing leaves the
# machine.
# Checks the requests the server received, the addresses opened and the screen.
# Usage: run-sections-searches.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

# The engine's libraries come with its module, never with the program itself.
if readelf -d "$binary" | grep NEEDED | grep -q libQt6WebEngine; then fail "the program links the HTML engine"; fi

source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work/bin"
prepare_demo_course "$binary" "$source" "$work/course"
start_xvfb

start_offline_program "$source" "$work" || fail "the search server did not start"
app=$APP_PID server=$SERVER_PID
started=$SECONDS
trap 'kill $app $server $XVFB_PID 2>/dev/null || true' EXIT

window_place || fail "no window captioned Tovrelle"
sleep 2

# The introduction plays under the animated banner: no engine yet.
helpers() { ps -e -o pid=,ppid= | awk -v root="$app" '{up[$1] = $2}
  END {for (p in up) for (q = up[p]; q > 1; q = up[q]) if (q == root) {print p; break}}'; }
[ -z "$(helpers)" ] || fail "processes started before a page was shown: $(helpers | xargs ps -o comm= -p)"
engine_threads=$(grep -lE '^(Chrome|CrBrowser|ThreadPool|VizCompositor|NetworkService)' /proc/"$app"/task/*/comm || true)
[ -z "$engine_threads" ] || fail "engine threads before a page was shown: $(cat $engine_threads | tr '\n' ' ')"

# Places are given in the window's main panel, which lies at -5, -5 in the
# window; the section panels lie at 3, 100 in it.
click() { xdotool mousemove $((left + $1 - 5)) $((top + $2 - 5)) click 1; sleep 0.4; }
click_section() { click $((3 + $1)) $((100 + $2)); }
type_into() { click_section "$1" "$2"; xdotool type --delay 40 "$3"; sleep 0.2; }
# Chooses item N of the combo box at X, Y with the arrow key, from no selection.
choose_item() { click_section "$1" "$2"; for _ in $(seq 0 "$3"); do xdotool key Down; done; sleep 0.2; }
shot() { import -window root "$work/$1.png"; }
# The colour of one pixel of a screenshot, at a place in the main panel, as "r g b".
screen_pixel() { pixel "$work/$1.png" $((left + $2 - 5)) $((top + $3 - 5)); }
# shows NAME X Y "R G B": waits up to 20 s for that colour there, taking screenshots as NAME.
# region NAME X Y WIDTH HEIGHT: a signature of that part of the main panel in screenshot NAME.
region() { convert "$work/$1.png" -crop "$4x$5+$((left + $2 - 5))+$((top + $3 - 5))" +repage -format '%#' info:; }
shows() {
  for _ in $(seq 1 40); do shot "$1"; close_to "$(screen_pixel "$@")" "$4" && return 0; sleep 0.5; done
  return 1
}
# Waits for the search's request, then lets the result page settle before the
# next form is filled.
requests_reach() {
  for _ in $(seq 1 40); do
    [ "$(grep -c '_results' "$work/requests.log" || true)" -ge "$1" ] && sleep 1 && return 0
    sleep 0.25
  done
  fail "the search server received $(grep -c '_results' "$work/requests.log" || true) searches, expected $1"
}

banner_middle=(658 42)
banner_strip=(892 42)   # the rightmost column of the animated banner, beside the HTML banner

# The first sponsor (northwind.gif) shows; a click opens its address.
click "${banner_middle[@]}"
# The resources tab moves the banner on to the HTML banner (lumen.htm), and
# the results view shows its local page: the engine starts now.
click 146 91
shows resources 600 300 "29 5 79" || fail "the results view does not show its local page: $(screen_pixel resources 600 300)"
close_to "$(screen_pixel resources 433 42)" "8 46 42" || fail "HTML banner pixel $(screen_pixel resources 433 42)"
close_to "$(screen_pixel resources 20 90)" "$(pixel "$work/course/Media/menubar_resources.jpg" 17 8)" \
  || fail "resources tab strip pixel $(screen_pixel resources 20 90)"
# The banner page's text glows through a CSS animation.
sleep 1
shot resources-later
[ "$(region resources 418 7 468 60)" != "$(region resources-later 418 7 468 60)" ] || fail "the HTML banner does not animate"
# A click on the page of the HTML banner opens nothing; its uncovered strip opens the sponsor shown.
click "${banner_middle[@]}"
click "${banner_strip[@]}"

# Tutorials: "Maya", the word rig.
choose_item 170 60 2
type_into 170 85 "rig"
click_section 198 111
requests_reach 1
# Plug-ins and scripts: plug-in, "PHP", typed text with an ampersand.
click_section 47 195
choose_item 172 224 3
type_into 172 249 "mail & more"
click_section 201 274
requests_reach 2
# Jobs: nothing chosen, typed text with query characters.
type_into 172 382 "R&D #1"
click_section 198 409
requests_reach 3
# Reviews and articles: article, "Game Development", percent and equals sign.
click_section 152 494
choose_item 172 525 1
type_into 171 552 "50%=card"
click_section 199 581
requests_reach 4
shot results
# The result page's links: one meant for a new window, one to a download.
click 404 471
click 404 571
sleep 1
# One to a network share: refused, with an error box.
click 404 671
boxes() { xdotool search --onlyvisible --name '^Tovrelle$' 2>/dev/null | wc -l; }
for _ in $(seq 1 20); do [ "$(boxes)" -ge 2 ] && break; sleep 0.25; done
[ "$(boxes)" -ge 2 ] || fail "no error box for a clicked link to a network share"
shot refused
# Its OK button lies at its bottom right corner.
for id in $(xdotool search --onlyvisible --name '^Tovrelle$'); do
  eval "$(xdotool getwindowgeometry --shell "$id")"
  [ "$WIDTH" -lt 700 ] && xdotool mousemove $((X + WIDTH - 50)) $((Y + HEIGHT - 22)) click 1
done
for _ in $(seq 1 20); do [ "$(boxes)" -lt 2 ] && break; sleep 0.25; done
[ "$(boxes)" -lt 2 ] || fail "the error box did not close on OK"

# Four searches moved the banner on by four: the third sponsor (quarry.gif).
[ $((SECONDS - started)) -lt 58 ] || fail "the minute's banner tick came before the last banner click"
click "${banner_middle[@]}"

click 244 91
sleep 1.5
shot sponsors
# The sponsors' page shows animated GIF pictures.
sleep 1.6
shot sponsors-later
[ "$(region sponsors 3 100 720 540)" != "$(region sponsors-later 3 100 720 540)" ] \
  || fail "the sponsors page's pictures do not animate"
click_section 54 44   # back to the sponsors' index
click 46 91
sleep 0.5
shot training
kill -0 "$app" 2>/dev/null || fail "the program ended by itself"

# Closing the window, as a person does with the window manager, ends the
# program and every process it started.
started_helpers=$(helpers)
[ -n "$started_helpers" ] || fail "no HTML engine processes after pages were shown"
# Without a graphics processor the pages render in software without any
# OpenGL driver: no Mesa rasteriser, and no LLVM with it, in any process.
if ! ls /dev/dri/renderD* >/dev/null 2>&1; then
  gl=$(for p in $app $started_helpers; do grep -oE 'swrast_dri|libLLVM[^ ]*|libGLX_mesa' "/proc/$p/maps" || true; done | sort -u)
  [ -z "$gl" ] || fail "software OpenGL loaded after pages were shown: $gl"
fi
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $app $server $wm $XVFB_PID 2>/dev/null || true' EXIT
sleep 1.5
wid=$(xwininfo -name Tovrelle | awk '/Window id/ {print $4}')
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool key alt+F4
for _ in $(seq 1 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
kill -0 "$app" 2>/dev/null && fail "the program did not end when its window was closed"
sleep 1
for helper in $started_helpers; do
  [ "$(awk '{print $3}' "/proc/$helper/stat" 2>/dev/null || echo Z)" = Z ] \
    || fail "$(cat "/proc/$helper/comm") ($helper) still runs after the program ended"
done

base=http://www.tovrelle.com
expected_requests="$base/tutorial_results_mabr.php?division=1&app=Maya&bgP_Color=c6c9db&cb_description=1&cb_title=1&rank=all&titleDes=rig
$base/script_results_mabr.php?catID=3&division=4&application=all&category=PHP&cost=3&rank=all&titleDes=mail%20%26%20more&cb_title=1&cb_description=1&btnSubmitDetails=Search
$base/vbforum/job_results_list.php?tabVal=2&selectIndustry=3D%20Production&bgP_Color=c6c9db&cb_description=1&cb_title=1&titleDes=R%26D%20%231
$base/vbforum/review_results_qel.php?tabVal=2&catID=5&bgP_Color=c6c9db&division=2&application=all&category=all&cost=3&rank=all&titleDes=50%25%3Dcard&cb_title=1&cb_description=1"
received=$(grep '_results' "$work/requests.log")
[ "$received" = "$expected_requests" ] || fail "requests received:
$received
expected:
$expected_requests"

expected_opened="https://example.org/sponsors/northwind
https://example.org/sponsors/lumen
$base/more
$base/more.zip
https://example.org/sponsors/quarry"
[ "$(cat "$work/opened.log")" = "$expected_opened" ] || fail "addresses opened:
$(cat "$work/opened.log")
expected:
$expected_opened"

close_to "$(screen_pixel results 600 300)" "16 32 64" || fail "the results view does not show the server's page"
close_to "$(screen_pixel sponsors 20 90)" "$(pixel "$work/course/Media/menubar_sponsors.jpg" 17 8)" \
  || fail "sponsors tab strip pixel $(screen_pixel sponsors 20 90)"
echo "4 searches, 3 banner addresses and 2 result links as expected, nothing left running after closing, in $((SECONDS - started)) s; screenshots in $work"
