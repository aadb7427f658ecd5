#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds into build/.  Usage: scripts/setup.sh [extra cmake args]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev
          libpng-dev zlib1g-dev fonts-liberation2 fonts-dejavu-core libgtest-dev libgmock-dev
          libbenchmark-dev libboost-dev locales ccache
          poppler-utils) # pdftoppm: the printing tests look at the pages a viewer would show
# The fuzzing build (-DLUMBREL_FUZZ=ON) needs clang and its libFuzzer.
if [[ " $* " == *" -DLUMBREL_FUZZ=ON "* ]]; then
    PACKAGES+=(clang libclang-rt-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR="${LUMBREL_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja "$@"
cmake --build "$BUILD_DIR" --parallel "${LUMBREL_JOBS:-$(nproc)}"
