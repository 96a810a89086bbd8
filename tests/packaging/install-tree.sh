#!/usr/bin/env bash
# Installs the build into a scratch prefix as `cmake --install` would for a
# user, and checks what the desktop will see: the program, a valid desktop
# entry and AppStream metainfo, the icon in every size, and the man page.
# The installed program answers --help and --version without a display.
# Usage: install-tree.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1 work=$2

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work" && mkdir -p "$work"
prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install (see $work/install.log)"
share=$prefix/share

[ -x "$prefix/bin/tovrelle" ] || fail "no program in $prefix/bin"
desktop=$share/applications/tovrelle.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
grep -qx 'Exec=tovrelle %f' "$desktop" || fail "the entry does not start 'tovrelle %f'"
grep -qx 'Categories=Education;' "$desktop" || fail "the entry is not in the Education category"
grep -qx 'Icon=tovrelle' "$desktop" || fail "the entry does not name the icon 'tovrelle'"
appstreamcli validate --no-net --pedantic "$share/metainfo/org.tovrelle.tovrelle.metainfo.xml" \
  || fail "appstreamcli validate"

icons=$share/icons/hicolor
grep -q '<svg' "$icons/scalable/apps/tovrelle.svg" || fail "no scalable icon"
for size in 16 24 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/tovrelle.png
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done

grep -q '^License: GPL-3.0-or-later$' "$share/doc/tovrelle/copyright" || fail "no copyright file naming the licence"

man=$share/man/man1/tovrelle.1.gz
gzip -t "$man" || fail "$man is not a gzip file"
warnings=$(zcat "$man" | groff -man -Tutf8 -ww -z 2>&1)
[ -z "$warnings" ] || fail "the man page has warnings: $warnings"

# Answered before the window system starts: no display is needed.
help=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/tovrelle" --help) || fail "--help did not exit 0"
grep -q '^Usage: tovrelle \[OPTION\]... \[COURSE_FOLDER\]$' <<<"$help" || fail "--help printed: $help"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/tovrelle" --version) || fail "--version did not exit 0"
grep -Eq '^tovrelle \(Tovrelle\) [0-9]+\.[0-9]+\.[0-9]+$' <<<"$version" || fail "--version printed: $version"
status=0
QT_QPA_PLATFORM=offscreen "$prefix/bin/tovrelle" --no-such-option 2>"$work/misuse.txt" || status=$?
[ "$status" = 2 ] && grep -q "unrecognized option '--no-such-option'" "$work/misuse.txt" \
  || fail "a wrong option gave status $status: $(cat "$work/misuse.txt")"

echo "installed tree valid: program, desktop entry, metainfo, 7 icon sizes and SVG, copyright, man page; --help and --version without a display"
