#!/usr/bin/env bash
# Runs CTest in BUILD_DIR (extra arguments go to ctest), under a virtual X
# display when there is none.
set -euo pipefail
build=${1:-build}
shift || true
jobs=${ZARVO_JOBS:-$(nproc)}
cd "$build"
export LIBGL_ALWAYS_SOFTWARE=1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j "$jobs" "$@"
fi
exec ctest --output-on-failure -j "$jobs" "$@"
