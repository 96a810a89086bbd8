#!/usr/bin/env bash
# Starts the real program from a terminal and reads what it prints there: a
# start where all is well prints nothing, with or without a sound server to
# reach; the user's QT_LOGGING_RULES bring the libraries' messages back, and
# asking for the engine's set-up report crashes nothing; the program's own
# message (a course it cannot remember) still shows.
# Usage: run-quiet-start.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR
set -euo pipefail
binary=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work/pulse" "$work/runtime"
prepare_demo_course "$binary" "$source" "$work/course"
touch "$work/not-a-folder"
start_xvfb
pulse=""
trap 'kill $pulse $XVFB_PID 2>/dev/null || true' EXIT
if command -v pulseaudio >/dev/null; then
  HOME="$work/pulse" XDG_RUNTIME_DIR="$work/pulse" XDG_CONFIG_HOME="$work/pulse" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
    --load="module-null-sink" --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
    >/dev/null 2>&1 &
  pulse=$!
fi

# start NAME EXPECTED ASSIGNMENTS...: runs the program for 8 seconds after its window
# shows, with a click on the resources tab so the HTML engine starts too, then checks its terminal: empty when EXPECTED is "-", otherwise
# holding each "|"-separated text of EXPECTED.
start() {
  local name=$1 expected=$2 app
  shift 2
  (cd "$work/course" && exec env -u QT_LOGGING_RULES -u QT_LOGGING_CONF XDG_CONFIG_HOME="$work/config" "$@" ./tovrelle "$work/course") \
    >"$work/$name.log" 2>&1 &
  app=$!
  window_place || fail "$name: no window captioned Tovrelle"
  # The resources tab lies at 104, 83 (84 x 17) in the main panel, which lies at -5, -5.
  sleep 1; xdotool mousemove $((left + 141)) $((top + 86)) click 1
  sleep 8
  end_program "$app" || fail "$name: the program did not end on SIGTERM"
  if [ "$expected" = - ]; then
    [ ! -s "$work/$name.log" ] || fail "$name: the terminal shows: $(cat "$work/$name.log")"
  else
    local text
    IFS='|' read -ra texts <<<"$expected"
    for text in "${texts[@]}"; do
      grep -qF -- "$text" "$work/$name.log" || fail "$name: '$text' missing from: $(cat "$work/$name.log")"
    done
  fi
}

start no-sound-server - PULSE_SERVER="unix:$work/none"
start sound-server - PULSE_SERVER="unix:$work/pulse/native" XDG_RUNTIME_DIR="$work/runtime"
# The engine's set-up report asked for too: without OpenGL (no graphics
# processor here) the engine cannot give it, and the program lives on.
start user-rules "qt.widgets.painting:" QT_LOGGING_RULES="qt.widgets.painting.info=true
qt.webenginecontext.info=true"
start own-message "tovrelle: the course folder could not be remembered" XDG_CONFIG_HOME="$work/not-a-folder/config"
echo "quiet starts with and without a sound server; the user's rules and the program's own message heard"
