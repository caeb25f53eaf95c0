#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each briefly, from a
# fixed seed so that a run is repeatable.
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
# Every harness must manage this many runs a second; a slower one fails the run
# (after the others have had their turn), as it would find too little in CI's time.
min_rate=${ZARVO_FUZZ_MIN_RATE:-1000}
slow=()
for name in "${targets[@]}"; do
  f=build-fuzz/fuzz/$name
  corpus=fuzz/corpus/${name#fuzz_}
  mkdir -p "build-fuzz/corpus/$name"
  echo "== $name (${seconds}s)"
  args=("build-fuzz/corpus/$name")
  [ -d "$corpus" ] && args+=("$corpus")
  # Run inside the build folder: harnesses may write logs to the working folder.
  # The last lines and the speed; a crash or a leak ends the whole run here.
  status=0
  last=$(cd build-fuzz && "../$f" -seed=1 -max_total_time="$seconds" -print_final_stats=0 "${args[@]/#/../}" 2>&1 |
    tail -n 2) || status=$?
  echo "$last"
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $name failed (exit $status)" >&2
    exit 1
  fi
  rate=$(echo "$last" | awk '/^Done [0-9]+ runs in [0-9]+ second/ { printf "%d", $2 / ($5 > 0 ? $5 : 1) }')
  if [ -z "$rate" ]; then
    echo "   no speed reported"
    slow+=("$name (no speed)")
  else
    echo "   $rate runs a second"
    [ "$rate" -ge "$min_rate" ] || slow+=("$name ($rate a second)")
  fi
done
if [ ${#slow[@]} -gt 0 ]; then
  echo "fuzz: below $min_rate runs a second: ${slow[*]}" >&2
  exit 1
fi
