#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Tovrelle needs.
# Safe to run again: packages already present are left alone.
set -euo pipefail

PACKAGES=(
  # build
  g++ cmake ninja-build pkg-config
  # window system, video, HTML views
  qt6-base-dev qt6-webengine-dev libqt6opengl6-dev
  # the video engine (FFmpeg's decoders, sound output), and mpv beside it in the benchmarks
  libmpv-dev mpv
  libgl1-mesa-dri
  # the X server's screen saver, suspended while a lesson plays
  libxss-dev
  # the compositor's idle inhibition under Wayland: Qt's Wayland client library and
  # its protocol code generator, Qt's platform layer for the window's surface, the protocol
  qt6-wayland-dev qt6-wayland-dev-tools qt6-base-private-dev wayland-protocols
  # quieting the sound card library's complaints when there is no card
  libasound2-dev
  # pictures
  libjpeg62-turbo-dev
  # tests, fuzzing, benchmarks
  googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev libgif-dev
  # real-window tests and the demo course
  xvfb xauth x11-utils imagemagick ffmpeg fonts-dejavu-core
  # the program's own font, with the metrics its labels were laid out for
  fonts-liberation2
  # the Debian package and the checks of the installed program
  dpkg-dev file desktop-file-utils appstream groff-base
  # driving the real window with mouse and keys, and a local search server
  xdotool python3
  # a window manager: close, minimise and restore the real window as a person does
  openbox
  # the sound test: a private sound server, recording and measuring it, mouse clicks
  pulseaudio pulseaudio-utils sox
  # the desktop session tests: a private session bus, a fake screen saver, MPRIS calls
  dbus-daemon libglib2.0-bin python3-dbus python3-gi
  # the Wayland tests: Qt's Wayland platform, a headless compositor, screenshots, keys,
  # and the test pointer built from wlroots' virtual-pointer protocol
  qt6-wayland sway grim wtype libwayland-dev libwayland-bin
  # the failing-disc tests: a pass-through file system that injects a disc's faults
  fuse3 python3-fusepy
  # the screen reader's view: the accessibility bus and its registry, and walking it from a script
  at-spi2-core python3-pyatspi
  # reading an error box's text and the captions on the picture from screenshots
  tesseract-ocr
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "setup: all packages present"
