#!/usr/bin/env bash
# Runs CTest in BUILD_DIR (extra arguments go to ctest), under a virtual X
# display when there is none. A test that hangs fails after 300 s. Every
# temporary folder of the run (sessions, work folders, spawned players) is made
# under one folder of the run's own, removed at the end, so a test killed at its
# timeout leaves nothing behind.
set -euo pipefail
build=${1:-build}
shift || true
jobs=${ZARVO_JOBS:-$(nproc)}
cd "$build"
export LIBGL_ALWAYS_SOFTWARE=1
run_tmp=$(mktemp -d "${TMPDIR:-/tmp}/zarvo-ctest-XXXXXX")
trap 'rm -rf "$run_tmp"' EXIT
export TMPDIR=$run_tmp
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure --timeout 300 -j "$jobs" "$@"
else
  ctest --output-on-failure --timeout 300 -j "$jobs" "$@"
fi
