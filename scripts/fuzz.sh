#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each briefly, from a
# fixed seed so that a run is repeatable. Harnesses run ZARVO_FUZZ_PARALLEL (4)
# at a time, each on one core; their reports are printed in order.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${ZARVO_FUZZ_SECONDS:-20}
jobs=${ZARVO_JOBS:-$(nproc)}
# Configure (installing what is missing) without building everything.
# The content is made by the plain build's generator when there is one.
host=(-DZARVO_HOST_CONTENTGEN=)
[ -x build/tools/contentgen/contentgen ] && host=(-DZARVO_HOST_CONTENTGEN="$PWD/build/tools/contentgen/contentgen")
CC=clang CXX=clang++ ZARVO_SETUP_CONFIGURE_ONLY=1 scripts/setup.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARVO_FUZZ=ON -DZARVO_TESTS=OFF -DZARVO_BENCH=OFF "${host[@]}"
mapfile -t targets < <(cmake --build build-fuzz --target help | sed -n 's/^\.\.\. \(fuzz_[A-Za-z0-9_]*\).*/\1/p')
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz harnesses"
  exit 0
fi
cmake --build build-fuzz -j "$jobs" --target "${targets[@]}"
parallel=${ZARVO_FUZZ_PARALLEL:-4}
reports=build-fuzz/reports
mkdir -p "$reports"
# run NAME: runs one harness into its report; fails when the harness does.
run() {
  local name=$1 f=build-fuzz/fuzz/$1 corpus=fuzz/corpus/${1#fuzz_}
  mkdir -p "build-fuzz/corpus/$name"
  local args=("build-fuzz/corpus/$name")
  [ -d "$corpus" ] && args+=("$corpus")
  # Run inside the build folder: harnesses may write logs to the working folder.
  # The last lines and the speed: every harness should manage 1,000 runs a second.
  (cd build-fuzz && "../$f" -seed=1 -max_total_time="$seconds" -print_final_stats=0 "${args[@]/#/../}" 2>&1 |
    tail -n 2 | awk '{ print } /^Done [0-9]+ runs in [0-9]+ second/ { printf "   %d runs a second\n", $2 / $5 }') \
    >"$reports/$name.txt"
}
failed=()
for ((first = 0; first < ${#targets[@]}; first += parallel)); do
  batch=("${targets[@]:first:parallel}")
  pids=()
  for name in "${batch[@]}"; do
    run "$name" &
    pids+=($!)
  done
  for i in "${!batch[@]}"; do
    status=0
    wait "${pids[$i]}" || status=$?
    echo "== ${batch[$i]} (${seconds}s)"
    cat "$reports/${batch[$i]}.txt"
    [ $status -eq 0 ] || failed+=("${batch[$i]}")
  done
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing failed: ${failed[*]}"
  exit 1
fi
