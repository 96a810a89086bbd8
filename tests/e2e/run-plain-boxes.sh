#!/usr/bin/env bash
# An error box that quotes a hostile course value, in the real program: the
# sponsor list's count holds a link to a network share, and start-up stops
# with a box quoting it. The box must show the markup as typed, and a click
# on the words of the would-be link must reach nothing; a recording xdg-open
# stands in for the desktop's opener. Reads the box with OCR.
# Usage: run-plain-boxes.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { import -window root "$work/failure.png" 2>/dev/null || true; echo "FAIL: $* (screen in $work/failure.png)" >&2; exit 1; }
command -v tesseract >/dev/null || fail "tesseract is missing (run scripts/setup.sh)"

source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work/bin"
prepare_demo_course "$binary" "$source" "$work/course"
sponsors=$(find "$work/course" -maxdepth 1 -iname sponsors)
printf '[Main]\r\nnum=<a href="smb://x/y">CLICKME</a>\r\n' >"$(find "$sponsors" -maxdepth 1 -iname sp.dat)"
: >"$work/opened.log"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened.log"
EOF
chmod +x "$work/bin/xdg-open"
for opener in gio kde-open kde-open5 gnome-open; do ln -sf "$work/bin/xdg-open" "$work/bin/$opener"; done
start_xvfb
(cd "$work/course" && exec env -u BROWSER PATH="$work/bin:$PATH" XDG_CONFIG_HOME="$work/config" ./tovrelle) \
  >"$work/program.log" 2>&1 &
app=$!
trap 'end_program $app >/dev/null 2>&1 || true; kill $XVFB_PID 2>/dev/null || true' EXIT

# Start-up stops at the count with its box, before the window shows.
window_place || fail "no box captioned Tovrelle"
box=$(xdotool search --onlyvisible --name '^Tovrelle$' | head -1)
sleep 1
import -window root -crop "${width}x${height}+${left}+${top}" "$work/box.png"
# Read at three times the size, where OCR is sure of the small box font.
convert "$work/box.png" -resize 300% "$work/box-large.png"
tesseract "$work/box-large.png" "$work/box" tsv >/dev/null 2>&1
text=$(awk -F'\t' 'NR > 1 && $12 != "" {printf "%s ", $12}' "$work/box.tsv")
grep -qF '<a' <<<"$text" && grep -qF 'href=' <<<"$text" && grep -qF 'CLICKME' <<<"$text" \
  || fail "the box does not show the markup as typed; it reads: $text"
grep -qF 'valid integer value' <<<"$text" || fail "the box is not the count's error; it reads: $text"

# A click on the words that a link would be: nothing opens, and the box stays.
read -r word_x word_y < <(awk -F'\t' 'NR > 1 && $12 ~ /CLICKME/ {print int(($7 + $9 / 2) / 3), int(($8 + $10 / 2) / 3); exit}' "$work/box.tsv")
[ -n "${word_x:-}" ] || fail "no CLICKME found on the box"
xdotool mousemove $((left + word_x)) $((top + word_y)) click 1
sleep 2
[ ! -s "$work/opened.log" ] || fail "a click on the box opened: $(cat "$work/opened.log")"
xdotool search --onlyvisible --name '^Tovrelle$' | grep -qx "$box" || fail "the click closed the box"
xdotool windowfocus --sync "$box" key Return
sleep 1
kill -0 "$app" 2>/dev/null || fail "the program ended after the box"
echo "the count's box shows its link as text; a click on it opened nothing"
