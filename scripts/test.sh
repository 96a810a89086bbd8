#!/usr/bin/env bash
# Builds Tovrelle and runs every test: the normal build, then the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, then a bounded fuzz
# run of the GIF decoder. Installs missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)

passed=0
run_suite() {
  local folder=$1; shift
  cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
  ninja -C "$folder" -j"$jobs"
  (cd "$folder" && ctest --output-on-failure -j"$jobs" --timeout 300) | tee "$folder/ctest.log"
  passed=$((passed + $(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$folder/ctest.log")))
}

echo "== tests"
run_suite build
echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:new_delete_type_mismatch=0 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0 \
  run_suite build-asan -DTOVRELLE_SANITIZE=ON

echo "== GIF decoder fuzzing (bounded, fixed seed)"
FUZZ_SEED=${FUZZ_SEED:-1} bash scripts/fuzz-gif.sh "${TOVRELLE_FUZZ_SECONDS:-60}"

echo "tests: $passed passed, 0 failed"
