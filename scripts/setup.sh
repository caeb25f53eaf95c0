#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libepoxy-dev libgl1-mesa-dri libfreetype-dev libfontconfig-dev fonts-ipafont-gothic
  nettle-dev libcurl4-openssl-dev libjpeg-dev libpng-dev libstb-dev zlib1g-dev xvfb xauth clang-format)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

build=${1:-build}; shift || true
jobs=${ZARVO_JOBS:-$(nproc)}
cmake -S . -B "$build" "$@" >/dev/null
[ -n "${ZARVO_SETUP_CONFIGURE_ONLY:-}" ] && exit 0
cmake --build "$build" -j "$jobs"
