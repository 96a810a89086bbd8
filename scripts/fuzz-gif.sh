#!/usr/bin/env bash
# Builds the GIF loading fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs it for SECONDS seconds
# on the seed corpus. Exits non-zero when the fuzzer finds a fault. FUZZ_SEED
# fixes libFuzzer's random seed, so that a run can be repeated exactly.
set -euo pipefail

SECONDS_TO_RUN="${1:-60}"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$ROOT/build-fuzz"
GIF="$ROOT/components/gif"
mkdir -p "$OUT/corpus" "$OUT/artifacts"

clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$GIF" \
  "$ROOT/fuzz/gif/FuzzGifLoad.cpp" \
  "$GIF/GIFFrame.cpp" "$GIF/GIFLzwDecoder.cpp" "$GIF/GIFParser.cpp" "$GIF/GIFComposition.cpp" \
  -o "$OUT/fuzz-gif-load"

cp -n "$ROOT"/fuzz/gif/seeds/* "$OUT/corpus/" 2>/dev/null || true
"$OUT/fuzz-gif-load" "$OUT/corpus" \
  -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$OUT/artifacts/" -print_final_stats=1 ${FUZZ_SEED:+-seed="$FUZZ_SEED"}
