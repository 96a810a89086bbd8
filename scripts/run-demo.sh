#!/usr/bin/env bash
# Builds Tovrelle, generates the demo course when it is missing, puts the
# program beside it and starts it from inside the course folder.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja >/dev/null
ninja -C build -j"$(nproc)" tovrelle

course=demo/course
if [ ! -f "$course/qel.ini" ]; then
  bash demo/make-course.sh "$course"
fi
cp build/app/tovrelle build/app/tovrelle-webengine.so "$course/"
cd "$course"
exec ./tovrelle
