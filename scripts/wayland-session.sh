# Sourced by the real-window tests that run under Wayland: a private headless
# sway (wlroots) compositor, the place and state of a window in it, its
# pixels, and a pointer and keys to drive it.
#
# sway 1.7 refuses to start as root ("Unable to drop root"), and CI runs as
# root. sway then runs as an unprivileged user (SWAY_USER, nobody unless set),
# in a private folder of its own under /tmp, while the program and the tools
# stay root: they reach the compositor through the absolute socket paths in
# WAYLAND_DISPLAY and SWAYSOCK, which root may open whoever owns them.
# Without input devices (headless) the seat has no pointer, so `swaymsg seat
# seat0 cursor press` reaches no window; the test pointer (a wlroots virtual
# pointer, tests/e2e/wayland, its path in WAYLAND_POINTER) clicks instead,
# after giving the window time to take the new pointer.
# Keys go through wtype's virtual keyboard, screenshots through grim.

# start_sway [WIDTH HEIGHT]: starts the compositor with one headless output of
# that size (1920 x 1080 unless given) and no X server, on a socket of its own,
# and exports WAYLAND_DISPLAY, SWAYSOCK and, for the program, a private
# XDG_RUNTIME_DIR; unsets DISPLAY so that no program reaches an X server.
# Sets SWAY_PID and SWAY_DIR; stop_sway ends it, as the script's exit does
# unless the script sets its own trap.
start_sway() {
  local user=${SWAY_USER:-nobody} run=()
  SWAY_DIR=$(mktemp -d /tmp/tovrelle-sway.XXXXXX)
  chmod 711 "$SWAY_DIR"
  mkdir -m 700 "$SWAY_DIR/compositor" "$SWAY_DIR/program"
  printf '%s\n' "output HEADLESS-1 resolution ${1:-1920}x${2:-1080} position 0 0" 'xwayland disable' \
    >"$SWAY_DIR/compositor/config"
  if [ "$(id -u)" -eq 0 ]; then
    chown -R "$user:$(id -gn "$user")" "$SWAY_DIR/compositor"
    run=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups)
  fi
  env -i PATH="$PATH" HOME="$SWAY_DIR/compositor" XDG_RUNTIME_DIR="$SWAY_DIR/compositor" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${run[@]}" sway -c "$SWAY_DIR/compositor/config" >"$SWAY_DIR/sway.log" 2>&1 &
  SWAY_PID=$!
  trap stop_sway EXIT
  unset DISPLAY
  export XDG_RUNTIME_DIR="$SWAY_DIR/program"
  for _ in $(seq 1 100); do
    SWAYSOCK=$(compgen -G "$SWAY_DIR/compositor/sway-ipc.*.sock" || true)
    WAYLAND_DISPLAY=$(compgen -G "$SWAY_DIR/compositor/wayland-[0-9]" || true)
    export SWAYSOCK WAYLAND_DISPLAY
    [ -n "$SWAYSOCK" ] && [ -n "$WAYLAND_DISPLAY" ] && swaymsg -t get_version >/dev/null 2>&1 && return 0
    kill -0 "$SWAY_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "sway did not start: $(cat "$SWAY_DIR/sway.log")" >&2
  return 1
}

# stop_sway: ends the compositor and removes its folder.
stop_sway() {
  [ -n "${SWAY_PID:-}" ] && kill "$SWAY_PID" 2>/dev/null && wait "$SWAY_PID" 2>/dev/null
  [ -n "${SWAY_DIR:-}" ] && rm -rf "$SWAY_DIR"
  SWAY_PID=""
}

# sway_window TITLE [KEY...]: prints the window captioned TITLE from the
# compositor's tree, as JSON, or the values at the path of KEYs in it (for
# example: rect width, fullscreen_mode, inhibit_idle); false when there is none.
sway_window() {
  local tree
  tree=$(swaymsg -t get_tree 2>/dev/null) || return 1
  python3 -c '
import json, sys
def nodes(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from nodes(child)
title, keys = sys.argv[1], sys.argv[2:]
for node in nodes(json.load(sys.stdin)):
    if node.get("type") in ("con", "floating_con") and node.get("name") == title:
        for key in keys:
            node = node[key]
        print(json.dumps(node) if isinstance(node, (dict, list)) else node)
        sys.exit(0)
sys.exit(1)' "$@" <<<"$tree"
}

# sway_window_rect TITLE: prints "X Y WIDTH HEIGHT" of the window's content
# (inside the compositor's border and title) on the output.
sway_window_rect() {
  local node
  node=$(sway_window "$1") || return 1
  python3 -c 'import json, sys
n = json.loads(sys.argv[1]); r, w = n["rect"], n["window_rect"]
print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])' "$node"
}

# wait_for_sway_window TITLE: waits up to 30 s for the window and sets
# left, top, width and height to its place and size.
wait_for_sway_window() {
  for _ in $(seq 1 60); do
    read -r left top width height < <(sway_window_rect "$1") && return 0
    sleep 0.5
  done
  return 1
}

# sway_click X Y [CLICKS]: moves the pointer to X Y of the output and clicks
# the left button once or CLICKS times in a row (a double-click with 2).
sway_click() {
  local size
  size=$(swaymsg -t get_outputs | python3 -c 'import json, sys; r = json.load(sys.stdin)[0]["rect"]; print(r["width"], r["height"])')
  "${WAYLAND_POINTER:?the test pointer, tests/e2e/wayland/wayland-pointer}" $size "$1" "$2" "${3:-1}"
}

# sway_key KEY...: presses and releases each key in turn, by its XKB name
# (Escape, bracketright, BackSpace ...), on the focused window. The seat has a
# keyboard only while wtype's virtual one stands: wtype waits for the window
# to take that keyboard first, else the key is lost.
sway_key() {
  local key
  for key in "$@"; do wtype -s 300 -P "$key" -s 30 -p "$key"; done
}

# sway_shot FILE [X Y WIDTH HEIGHT]: a screenshot of the output, or of that
# part of it, with the pixels' alpha as the compositor shows them.
sway_shot() {
  if [ $# -ge 5 ]; then grim -g "$2,$3 $4x$5" "$1"; else grim "$1"; fi
}
