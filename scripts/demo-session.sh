# Sourced by the real-window tests and the start-up benchmark: a demo course
# with the program beside it, a private X server, and the window's place and pixels.

# prepare_demo_course BINARY SOURCE_DIR COURSE_DIR: generates the course when
# missing and puts the program and its HTML engine module beside it; bookmarks
# go under the course folder.
prepare_demo_course() {
  local binary=$1 source=$2 course=$3
  [ -f "$course/qel.ini" ] || bash "$source/demo/make-course.sh" "$course" >/dev/null
  cp "$binary" "$course/tovrelle"
  cp "$(dirname "$binary")/tovrelle-webengine.so" "$course/"
  export XDG_DATA_HOME="$course/../data"
}

# start_xvfb: starts an X server on a free display and exports DISPLAY; the
# server is stopped when the script exits. XVFB_DISPLAYS, when set, lists the
# display numbers to try, for a machine where others hold the rest.
start_xvfb() {
  local number
  for number in ${XVFB_DISPLAYS:-$(seq 90 150)}; do
    { [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; } && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    export DISPLAY=":$number"
    # Another session may take the same number at the same moment: our server
    # then ends, and the one answering is not ours, so try the next number.
    for _ in $(seq 1 50); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      if xdpyinfo >/dev/null 2>&1; then
        sleep 0.3
        kill -0 "$XVFB_PID" 2>/dev/null && return 0
        break
      fi
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "no X server could be started" >&2
  return 1
}

# pixel PICTURE X Y: the colour of one pixel as "r g b", 0 to 255.
pixel() {
  convert "$1" -crop "1x1+$2+$3" -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

# close_to "R G B" "R G B" [TOLERANCE]: true when no channel differs by more
# than the tolerance (12 unless given).
close_to() {
  local a b c x y z d
  read -r a b c <<<"$1"; read -r x y z <<<"$2"
  for d in $((a - x)) $((b - y)) $((c - z)); do [ "${d#-}" -le "${3:-12}" ] || return 1; done
}

# window_place: waits up to 30 s for the window captioned Tovrelle, then sets
# left, top, width and height to the place and size of its client area.
window_place() {
  local info _
  for _ in $(seq 1 60); do
    xwininfo -name Tovrelle >/dev/null 2>&1 && break
    sleep 0.5
  done
  info=$(xwininfo -name Tovrelle) || return 1
  width=$(awk '/Width:/ {print $2}' <<<"$info")
  height=$(awk '/Height:/ {print $2}' <<<"$info")
  left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
}
