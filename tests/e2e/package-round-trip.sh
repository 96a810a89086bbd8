#!/usr/bin/env bash
# The Debian package from end to end: builds it with CPack, checks its
# computed dependencies and files, installs it with apt-get, starts the
# installed program on the demo course given as an argument in a real X
# server, starts it again without an argument to see the remembered course
# open, and once more as in a Wayland session whose Qt lacks its Wayland
# platform (hidden from the program alone), to see it open through XWayland's
# X server, and removes the package. Whatever fails, the package is removed and
# the program and the X server are stopped.
# Usage: package-round-trip.sh BUILD_DIR SOURCE_DIR WORK_DIR
set -euo pipefail
build=$1 source=$2 work=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

[ "$(id -u)" = 0 ] || skip "installing a package needs root; run this test as root"
if dpkg-query -W -f='${Status}' tovrelle 2>/dev/null | grep -q 'install ok installed'; then
  skip "a tovrelle package is installed already; this test does not replace it"
fi

source "$source/scripts/demo-session.sh"
rm -rf "$work" && mkdir -p "$work"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package") >"$work/cpack.log" 2>&1 \
  || fail "cpack (see $work/cpack.log)"
deb=$(echo "$work"/package/tovrelle_*.deb)
[ -f "$deb" ] || fail "no tovrelle_*.deb in $work/package"

# shlibdeps finds the libraries; the video engine, loaded at run time, is named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for package in libc6 libstdc++6 libjpeg62-turbo libqt6core6 libqt6gui6 libqt6widgets6 \
               libqt6webenginewidgets6 libmpv2 libqt6waylandclient6 qt6-wayland; do
  grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done
contents=$(dpkg-deb -c "$deb")
grep -q ' \./usr/lib/.*tovrelle/tovrelle-webengine\.so$' <<<"$contents" || fail "the package lacks the HTML engine's module"
for file in usr/bin/tovrelle usr/share/applications/tovrelle.desktop usr/share/metainfo/org.tovrelle.tovrelle.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/tovrelle.svg usr/share/icons/hicolor/48x48/apps/tovrelle.png \
            usr/share/man/man1/tovrelle.1.gz; do
  grep -q " \./$file$" <<<"$contents" || fail "the package lacks /$file"
done

[ -f "$work/course/qel.ini" ] || bash "$source/demo/make-course.sh" "$work/course" >/dev/null
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
start_xvfb
app=""
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  if dpkg-query -W -f='${Status}' tovrelle 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=120 tovrelle >/dev/null 2>&1 \
      || dpkg -r tovrelle >/dev/null 2>&1 || echo "could not remove the tovrelle package" >&2
  fi
}
trap cleanup EXIT

(cd "$work/package" && DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=120 ./tovrelle_*.deb) >"$work/apt.log" 2>&1 \
  || fail "apt-get install (see $work/apt.log)"
installed=$(command -v tovrelle) || fail "no tovrelle on the PATH after installing"
[ "$installed" = /usr/bin/tovrelle ] || fail "tovrelle found at $installed"

# start_program SCREENSHOT [ARGUMENT]: starts the installed program from /,
# through the launcher command when one is set, and waits for its window.
launcher=()
start_program() {
  (cd / && exec "${launcher[@]}" tovrelle "${@:2}") >>"$work/program.log" 2>&1 &
  app=$!
  for _ in $(seq 1 60); do
    xwininfo -name Tovrelle >/dev/null 2>&1 && break
    kill -0 "$app" 2>/dev/null || fail "the program ended without a window (see $work/program.log)"
    sleep 0.5
  done
  local info
  info=$(xwininfo -name Tovrelle) || fail "no window captioned Tovrelle"
  grep -q 'Width: 1014' <<<"$info" && grep -q 'Height: 705' <<<"$info" || fail "not the lesson-mode window: $info"
  if xwininfo -name 'Choose the course folder' >/dev/null 2>&1; then fail "the folder chooser came up"; fi
  sleep 2
  import -window root "$work/$1"
  end_program "$app" || fail "the installed program did not end on SIGTERM"
  app=""
  for _ in $(seq 1 20); do xwininfo -name Tovrelle >/dev/null 2>&1 || break; sleep 0.25; done
}

start_program given.png "$work/course"
remembered=$(cat "$XDG_CONFIG_HOME/tovrelle/tovrelle.conf")
[ "$remembered" = "course=$work/course" ] || fail "remembered: $remembered"
start_program remembered.png

# A Wayland session with XWayland, and Qt's Wayland plugins covered by empty
# files in a mount namespace of the program's own.
plugins=$(dpkg -L qt6-wayland | grep '/platforms/libqwayland-[^/]*\.so$') || fail "qt6-wayland has no platform plugin"
launcher=(unshare --mount bash -c 'for p in $1; do mount --bind /dev/null "$p" || exit 1; done; shift; exec "$@"' _ "$plugins"
          env XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-tovrelle-absent)
if "${launcher[@]}" true 2>/dev/null; then
  start_program xwayland.png
  fallback="opened through X11 where Qt lacks its Wayland plugin"
else
  fallback="NOT checked the X11 fallback: no mount namespace here"
fi
launcher=()

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=120 tovrelle >"$work/remove.log" 2>&1 \
  || fail "apt-get remove (see $work/remove.log)"
[ ! -e /usr/bin/tovrelle ] || fail "/usr/bin/tovrelle is still there after removing the package"
echo "$(basename "$deb"): Depends $depends; installed, opened the course given and then the remembered one," \
  "$fallback, removed"
