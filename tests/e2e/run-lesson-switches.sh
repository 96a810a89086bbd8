#!/usr/bin/env bash
# Many lesson switches in a row on the real window: 300 clicks alternating
# between two lesson rows, 0.3 s apart, with a click on the seek bar after
# every third switch (100 seeks). After every click the clicked lesson's
# picture must come on screen, and every tenth time it must be moving, not
# stuck at its start. Prints the program's resident memory at switch 50 and
# at switch 300.
# Usage: run-lesson-switches.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR [SWITCHES]
set -euo pipefail
binary=$1 source=$2 work=$3 switches=${4:-300}
probe="$source/scripts/screen-probe.py"

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$source/scripts/demo-session.sh"
rm -rf "$work/course" && mkdir -p "$work"
red_blue_course "$binary" "$source" "$work"
start_xvfb
(cd "$work/course" && exec ./tovrelle) >"$work/program.log" 2>&1 &
app=$!
trap 'kill $app $XVFB_PID 2>/dev/null || true' EXIT
window_place || fail "no window captioned Tovrelle"

# Lesson n's row lies at client y 171 + 100 (n - 1), 84 high; the video's
# corner at client (281, 132), the seek bar's track at y 682 from x 623 to 940.
corner_x=$((left + 301)) corner_y=$((top + 152))
moving_area() { import -window root -crop "320x240+$((left + 481))+$((top + 282))" "$1"; }
for i in $(seq 1 "$switches"); do
  lesson=$((i % 2 + 1))
  colour=$([ $lesson = 1 ] && echo c82828 || echo 2828c8)
  shown=$(python3 "$probe" click $((left + 150)) $((top + 213 + (lesson - 1) * 100)) "$corner_x,$corner_y,$colour")
  [ "$shown" != timeout ] || fail "switch $i: lesson $lesson's picture did not come within 5 s"
  awk -v s="$shown" 'BEGIN { exit !(s < 300) }' && sleep "$(awk -v s="$shown" 'BEGIN { print (300 - s) / 1000 }')"
  if [ $((i % 3)) = 0 ]; then
    xdotool mousemove $((left + 623 + (i * 37) % 317)) $((top + 682)) click 1
  fi
  if [ $((i % 10)) = 0 ]; then
    moving_area "$work/a.png"; sleep 0.5; moving_area "$work/b.png"
    changed=$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true)
    [ "${changed%%.*}" -gt 500 ] || fail "switch $i: lesson $lesson stands still ($changed pixels changed)"
  fi
  [ "$i" = 50 ] && rss50=$(awk '/VmRSS/ {print $2}' "/proc/$app/status")
  kill -0 "$app" 2>/dev/null || fail "the program ended at switch $i"
done
rss_end=$(awk '/VmRSS/ {print $2}' "/proc/$app/status")
echo "$switches switches, $((switches / 3)) seeks: every lesson came on screen and moved"
[ -n "${rss50:-}" ] && awk -v a="$rss50" -v b="$rss_end" -v n="$switches" \
  'BEGIN {printf "resident memory: %.1f MiB at switch 50, %.1f MiB at switch %d (growth %.1f MiB)\n", a / 1024, b / 1024, n, (b - a) / 1024}'
