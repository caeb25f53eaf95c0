#!/usr/bin/env bash
# Installs what is missing, builds the game and its content, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd build/run
exec ./zarvo "$@"
