#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${ZARVO_FUZZ_SECONDS:-20}
CC=clang CXX=clang++ scripts/setup.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARVO_FUZZ=ON -DZARVO_TESTS=OFF -DZARVO_BENCH=OFF
shopt -s nullglob
found=0
for f in build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  found=1
  name=$(basename "$f")
  corpus=fuzz/corpus/${name#fuzz_}
  mkdir -p "build-fuzz/corpus/$name"
  echo "== $name (${seconds}s)"
  args=("build-fuzz/corpus/$name")
  [ -d "$corpus" ] && args+=("$corpus")
  "$f" -max_total_time="$seconds" -print_final_stats=0 "${args[@]}" 2>&1 | tail -n 3
done
[ $found -eq 1 ] || echo "no fuzz harnesses built"
