#!/usr/bin/env bash
# Installs what is missing, builds everything, checks the include layers, then runs every test.
# Tests that draw use a virtual display (Xvfb) when none is present.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
scripts/check-layers.sh
scripts/ctest.sh build
