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
# server is stopped when the script exits. It does not reset when its last
# client leaves, so a program started right after another ended can connect. XVFB_SCREEN sets its size and depth
# (1280x1024x24 unless set). XVFB_DISPLAYS, when set, lists the
# display numbers to try, for a machine where others hold the rest.
start_xvfb() {
  local number
  for number in ${XVFB_DISPLAYS:-$(seq 90 150)}; do
    { [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; } && continue
    Xvfb ":$number" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset >/dev/null 2>&1 &
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

# start_openbox: starts the openbox window manager on the X server and waits
# until it manages windows (a window mapped while it is still starting may be
# left unmapped); exports WM_PID.
start_openbox() {
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.1
  done
  echo "openbox did not start" >&2
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

# picture_moves WORK_DIR SECONDS: true when the lesson video of the normal
# view shows other pixels that many seconds later.
picture_moves() {
  local shot changed
  for shot in a b; do
    import -window root -crop "720x540+$((left + 281))+$((top + 132))" "$1/video-$shot.png"
    [ "$shot" = a ] && sleep "$2"
  done
  changed=$(compare -metric AE "$1/video-a.png" "$1/video-b.png" null: 2>&1 || true)
  [ "${changed%%.*}" -gt 1000 ]
}

# window_place: waits up to 30 s for the window captioned Tovrelle to be on
# screen, then sets left, top, width and height to the place and size of its
# client area. A window manager frames and places the window before it maps
# it, so the place read once it shows is where it stays.
window_place() {
  local info id="" _
  for _ in $(seq 1 300); do
    # No window yet is no error, also for a caller under set -e.
    id=$(xdotool search --onlyvisible --name '^Tovrelle$' 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || return 1
  info=$(xwininfo -id "$id") || return 1
  width=$(awk '/Width:/ {print $2}' <<<"$info")
  height=$(awk '/Height:/ {print $2}' <<<"$info")
  left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
}

# end_program PID: asks the program to end as a logout does (SIGTERM) and
# waits up to 10 s; false, after killing it, when it ignored the request.
end_program() {
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null || true; return 0; }
    sleep 0.1
  done
  echo "the program did not end on SIGTERM" >&2
  kill -9 "$1" 2>/dev/null; wait "$1" 2>/dev/null
  return 1
}

# longest_gap FRAMES FROM TO: the longest gap in ms between two frames drawn
# from FROM to TO (ms of the wall clock), the edges of the span counting as
# frames; FRAMES is the frame probe's file, one time a line.
longest_gap() {
  awk -v from="$2" -v to="$3" '$1 >= from && $1 <= to {if ($1 - last > gap) gap = $1 - last; last = $1}
    BEGIN {last = from} END {if (to - last > gap) gap = to - last; printf "%.0f", gap}' "$1"
}

# start_session_bus DIR: a private session bus with its socket in DIR, for the
# program and the test's own services; exports its address and SESSION_BUS_PID.
start_session_bus() {
  mkdir -p "$1"
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$1/bus" >"$1/bus.log" 2>&1 &
  SESSION_BUS_PID=$!
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$1/bus"
  for _ in $(seq 1 50); do [ -S "$1/bus" ] && return 0; sleep 0.1; done
  echo "the session bus did not start: $(cat "$1/bus.log")" >&2
  return 1
}

# start_fake_screensaver LOG [OPTIONS]: the test screen saver on the session
# bus, recording to LOG; sets SCREENSAVER_PID once it answers.
start_fake_screensaver() {
  local log=$1; shift
  rm -f "$log"
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/fake-screensaver.py" "$log" "$@" &
  SCREENSAVER_PID=$!
  for _ in $(seq 1 50); do grep -q ready "$log" 2>/dev/null && return 0; sleep 0.1; done
  echo "the fake screen saver did not start" >&2
  return 1
}

# mpris METHOD [ARGS...]: calls the program's MPRIS player; mpris_get PROPERTY
# prints one of its properties as gdbus shows it. A program that stops
# answering fails the call after 5 s.
mpris() {
  gdbus call --session --timeout 5 --dest org.mpris.MediaPlayer2.tovrelle --object-path /org/mpris/MediaPlayer2 \
    --method "org.mpris.MediaPlayer2.Player.$1" "${@:2}" >/dev/null
}
mpris_get() {
  gdbus call --session --timeout 5 --dest org.mpris.MediaPlayer2.tovrelle --object-path /org/mpris/MediaPlayer2 \
    --method org.freedesktop.DBus.Properties.Get "${2:-org.mpris.MediaPlayer2.Player}" "$1"
}

# wait_for_mpris: waits up to 30 s for the program's player on the bus.
wait_for_mpris() {
  for _ in $(seq 1 60); do mpris_get PlaybackStatus >/dev/null 2>&1 && return 0; sleep 0.5; done
  return 1
}

# start_sound_server DIR: a private sound server with its own runtime folder,
# socket and cookie-free access, and one null output named "lessons"; exports
# PULSE_SERVER and sets SOUND_SERVER_PIDS. A silent stream keeps the output
# running, so that its monitor delivers samples in real time even while the
# program plays nothing.
start_sound_server() {
  mkdir -p "$1/run" "$1/home"
  export PULSE_SERVER="unix:$1/run/native"
  HOME="$1/home" XDG_RUNTIME_DIR="$1/run" XDG_CONFIG_HOME="$1/home" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
    --load="module-null-sink sink_name=lessons rate=44100 channels=1" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$1/run/native" \
    >"$1/pulseaudio.log" 2>&1 &
  SOUND_SERVER_PIDS=$!
  for _ in $(seq 1 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null 2>&1 || { cat "$1/pulseaudio.log" >&2; return 1; }
  pacat --raw --format=s16le --rate=44100 --channels=1 --latency-msec=50 </dev/zero 2>/dev/null &
  SOUND_SERVER_PIDS="$SOUND_SERVER_PIDS $!"
}

# listen RAW_FILE: records 0.7 s of the output into RAW_FILE and prints
# "RMS PEAK_HZ".
listen() {
  parec --raw --format=s16le --rate=44100 --channels=1 --latency-msec=20 --device=lessons.monitor 2>/dev/null \
    | head -c 61740 >"$1" || true
  sox -t raw -r 44100 -e signed -b 16 -c 1 "$1" -n stat -freq 2>&1 | awk '
    NF == 2 && $1 + 0 > 0 && $2 + 0 > best { best = $2 + 0; peak = $1 }
    /^RMS +amplitude/ { rms = $3 }
    END { printf "%s %d\n", rms, peak }'
}

# clip OUT SECONDS TONE_HZ [LATER_HZ]: a moving test picture with a steady sine
# tone, which changes to LATER_HZ at the clip's middle when given.
clip() {
  local tone="0.125*sin(2*PI*if(lt(t,$2/2),$3,${4:-$3})*t)"
  ffmpeg -hide_banner -loglevel error -nostdin -y \
    -f lavfi -i "testsrc2=s=320x240:r=15:d=$2" -f lavfi -i "aevalsrc='$tone':s=22050:d=$2" \
    -c:v mpeg4 -q:v 6 -c:a libmp3lame -b:a 48k -ac 1 "$1"
}

# lesson_clip OUT COLOUR: unless it exists, a 60 s lesson like the course's
# (720 x 540, MPEG-4 and MP3 in AVI): a moving test picture on a ground of
# COLOUR (0xRRGGBB) that fills its corners, and a steady tone.
lesson_clip() {
  [ -f "$1" ] || ffmpeg -hide_banner -loglevel error -nostdin -y \
    -f lavfi -i "color=c=$2:s=720x540:r=15:d=60[bg];testsrc2=s=320x240:r=15:d=60[fg];[bg][fg]overlay=200:150" \
    -f lavfi -i "sine=f=440:r=22050:d=60" -c:v mpeg4 -q:v 4 -c:a libmp3lame -b:a 32k -ac 1 "$1"
}

# bench_clip OUT RATE: unless it exists, the benchmarks' 60 s lesson at the
# course's size (720 x 540, MPEG-4 and MP3 in AVI) at RATE frames a second:
# a moving test picture and a steady tone.
bench_clip() {
  [ -f "$1" ] || ffmpeg -hide_banner -loglevel error -nostdin -y \
    -f lavfi -i "testsrc2=size=720x540:rate=$2:duration=60" \
    -f lavfi -i "sine=frequency=440:sample_rate=22050:duration=60" \
    -c:v mpeg4 -q:v 4 -c:a libmp3lame -b:a 32k -ac 1 "$1"
}

# red_blue_course BINARY SOURCE WORK: the demo course in WORK/course with no
# introduction, a red lesson 1 and a blue lesson 2 (made once in WORK), and
# no sound server, so the lessons play on the null output.
red_blue_course() {
  prepare_demo_course "$1" "$2" "$3/course"
  lesson_clip "$3/red.avi" 0xC82828
  lesson_clip "$3/blue.avi" 0x2828C8
  rm -f "$3/course/Media/vid_00.avi"
  cp "$3/red.avi" "$3/course/Media/vid_01.avi"
  cp "$3/blue.avi" "$3/course/Media/vid_02.avi"
  export PULSE_SERVER="unix:$3/no-server"
}

# start_offline_program SOURCE_DIR WORK_DIR: starts the local stand-in for the
# web (tests/e2e/search-server.py, the HTML views' proxy, logging to
# WORK_DIR/requests.log), a recording xdg-open (WORK_DIR/opened.log) and then
# the program in WORK_DIR/course with both; nothing leaves the machine.
# Exports SERVER_PID and APP_PID; the program's output goes to
# WORK_DIR/program.log. Returns 1 when the server does not start.
start_offline_program() {
  local source=$1 work=$2 port
  mkdir -p "$work/bin"
  touch "$work/requests.log" "$work/opened.log"
  python3 "$source/tests/e2e/search-server.py" "$work/requests.log" "$work/port" &
  SERVER_PID=$!
  for _ in $(seq 1 50); do [ -s "$work/port" ] && break; sleep 0.1; done
  port=$(cat "$work/port" 2>/dev/null) || return 1
  printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/opened.log"\n' "$work" >"$work/bin/xdg-open"
  chmod +x "$work/bin/xdg-open"
  (cd "$work/course" && exec env -u BROWSER -u DEFAULT_BROWSER -u http_proxy -u https_proxy -u HTTP_PROXY \
    -u HTTPS_PROXY -u all_proxy -u ALL_PROXY -u no_proxy PATH="$work/bin:$PATH" \
    QTWEBENGINE_CHROMIUM_FLAGS="--proxy-server=http://127.0.0.1:$port" ./tovrelle) \
    >"$work/program.log" 2>&1 &
  APP_PID=$!
}
