#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each briefly, from a
# fixed seed so that a run is repeatable. Harnesses run ZARVO_FUZZ_PARALLEL (4)
# at a time, each on one core; their reports are printed in order.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${ZARVO_FUZZ_SECONDS:-20}
# The sanitizers' settings of CI's sanitizer run, unless the caller gave others: with no plain build the content
# tool is built sanitized and runs during the build, where the system libraries' leaks must not stop it.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1:suppressions=$PWD/scripts/ubsan.supp}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
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
# Every harness must manage this many runs a second; a slower one fails the run
# (after the others have had their turn), as it would find too little in CI's time.
min_rate=${ZARVO_FUZZ_MIN_RATE:-1000}
# run NAME: runs one harness into its report; fails when the harness does.
run() {
  local name=$1 f=build-fuzz/fuzz/$1 corpus=fuzz/corpus/${1#fuzz_}
  mkdir -p "build-fuzz/corpus/$name"
  local args=("build-fuzz/corpus/$name")
  [ -d "$corpus" ] && args+=("$corpus")
  # Run inside the build folder: harnesses may write logs to the working folder.
  # The last lines and the speed; a crash or a leak fails this harness.
  (cd build-fuzz && "../$f" -seed=1 -max_total_time="$seconds" -print_final_stats=0 "${args[@]/#/../}" 2>&1 |
    tail -n 2) >"$reports/$name.txt"
}
failed=()
slow=()
for ((first = 0; first < ${#targets[@]}; first += parallel)); do
  batch=("${targets[@]:first:parallel}")
  pids=()
  for name in "${batch[@]}"; do
    run "$name" &
    pids+=($!)
  done
  for i in "${!batch[@]}"; do
    name=${batch[$i]}
    status=0
    wait "${pids[$i]}" || status=$?
    echo "== $name (${seconds}s)"
    cat "$reports/$name.txt"
    if [ $status -ne 0 ]; then
      failed+=("$name")
      continue
    fi
    rate=$(awk '/^Done [0-9]+ runs in [0-9]+ second/ { printf "%d", $2 / ($5 > 0 ? $5 : 1) }' "$reports/$name.txt")
    if [ -z "$rate" ]; then
      echo "   no speed reported"
      slow+=("$name (no speed)")
    else
      echo "   $rate runs a second"
      [ "$rate" -ge "$min_rate" ] || slow+=("$name ($rate a second)")
    fi
  done
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing failed: ${failed[*]}" >&2
  exit 1
fi
if [ ${#slow[@]} -gt 0 ]; then
  echo "fuzz: below $min_rate runs a second: ${slow[*]}" >&2
  exit 1
fi
