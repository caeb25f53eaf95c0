#!/usr/bin/env bash
# check-format.sh -- fails when a C++ file of the tree is not formatted as the repository's .clang-format says.
# Usage: scripts/check-format.sh   (clang-format from Debian 12, installed by scripts/setup.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
dirs=()
for d in src lobbyclient tools tests bench fuzz; do [ -d "$d" ] && dirs+=("$d"); done
find "${dirs[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  xargs -0 -n 64 -P "${ZARVO_JOBS:-$(nproc)}" clang-format --dry-run --Werror
echo "check-format: every file formatted"
