# Sourced by the real-window test and the start-up benchmark: a demo course
# with the program beside it, and a private X server.

# prepare_demo_course BINARY SOURCE_DIR COURSE_DIR: generates the course when
# missing and puts the program beside it; bookmarks go under the course folder.
prepare_demo_course() {
  local binary=$1 source=$2 course=$3
  [ -f "$course/qel.ini" ] || bash "$source/demo/make-course.sh" "$course" >/dev/null
  cp "$binary" "$course/tovrelle"
  export XDG_DATA_HOME="$course/../data"
}

# start_xvfb: starts an X server on a free display and exports DISPLAY; the
# server is stopped when the script exits.
start_xvfb() {
  local number
  for number in $(seq 90 150); do
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
