#!/usr/bin/env bash
# Runs CTest in BUILD_DIR (extra arguments go to ctest), under a virtual X
# display when there is none. A test that hangs fails after 300 s.
set -euo pipefail
build=${1:-build}
shift || true
jobs=${ZARVO_JOBS:-$(nproc)}
cd "$build"
export LIBGL_ALWAYS_SOFTWARE=1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure --timeout 300 -j "$jobs" "$@"
fi
exec ctest --output-on-failure --timeout 300 -j "$jobs" "$@"
