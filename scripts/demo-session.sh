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
# server is stopped when the script exits. The server picks the display
# itself, so that tests started side by side never share one.
start_xvfb() {
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
  for _ in $(seq 1 50); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$display_file")"
  rm -f "$display_file"
  for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

# wait_for_window CAPTION: waits up to 30 s for the window and exports the
# screen position of its client area as WINDOW_LEFT and WINDOW_TOP.
wait_for_window() {
  local info
  for _ in $(seq 1 60); do
    info=$(xwininfo -name "$1" 2>/dev/null) && break
    sleep 0.5
  done
  [ -n "${info:-}" ] || return 1
  WINDOW_LEFT=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  WINDOW_TOP=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  export WINDOW_LEFT WINDOW_TOP
}
