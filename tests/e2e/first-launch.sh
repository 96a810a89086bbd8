#!/usr/bin/env bash
# A first launch on a machine that has never run the program (empty HOME: no
# shader or font caches) while two other processes keep
# both cores busy. The introduction must play: its running clock has to change
# over the first seconds, not stand at its first picture. Several launches in a
# row, each with a fresh HOME.
# Usage: first-launch.sh TOVRELLE_BINARY SOURCE_DIR WORK_DIR [LAUNCHES]
set -euo pipefail
binary=$1 source=$2 work=$3 launches=${4:-3}

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"
prepare_demo_course "$binary" "$source" "$work/course"
start_xvfb

busy=()
app=""
trap 'kill ${busy[*]} $app $XVFB_PID 2>/dev/null || true' EXIT
for _ in 1 2; do
  (while :; do :; done) &
  busy+=($!)
done

# The clock of the introduction, as a checksum of its pixels on the screen.
clock_picture() {
  import -window root -crop "200x100+$((left + 281 + 260))+$((top + 132 + 280))" +repage "$work/clock.png" \
    2>/dev/null || return 0
  convert "$work/clock.png" -depth 8 rgb:- | md5sum | cut -c1-12
}

# One launch: wait for the window, then look at the clock each second for 10 s.
launch() {
  local n=$1 home="$work/home$1"
  mkdir -p "$home"
  (cd "$work/course" && exec env -u XDG_CACHE_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_DATA_HOME="$home/data" \
    ./tovrelle) >"$work/program$n.log" 2>&1 &
  app=$!
  for _ in $(seq 1 120); do
    xwininfo -name Tovrelle >/dev/null 2>&1 && break
    sleep 0.5
  done
  local info
  info=$(xwininfo -name Tovrelle) || fail "launch $n: no window captioned Tovrelle"
  left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  local seen=() second
  for second in $(seq 1 10); do
    sleep 1
    seen+=("$(clock_picture)")
  done
  kill -0 "$app" 2>/dev/null || fail "launch $n: the program ended by itself"
  end_program "$app" || fail "launch $n: the program did not end on SIGTERM"
  app=""
  local distinct
  distinct=$(printf '%s\n' "${seen[@]}" | sort -u | wc -l)
  echo "launch $n: $distinct different clock pictures in 10 s"
  [ "$distinct" -ge 4 ] || fail "launch $n: the video stood still (${seen[*]})"
}

for n in $(seq 1 "$launches"); do
  launch "$n"
done
echo "$launches first launches under load played"
