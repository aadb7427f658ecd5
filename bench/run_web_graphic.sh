#!/usr/bin/env bash
# Builds and runs the web-graphic benchmark, first installing rsvg-convert
# (Debian's librsvg2-bin), which it is compared with.  Only the benchmark
# needs it.  Usage: bench/run_web_graphic.sh [benchmark args]
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v rsvg-convert >/dev/null; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends librsvg2-bin
fi
BUILD_DIR="${LUMBREL_BUILD_DIR:-build}"
[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" --target bench_web_graphic
export LUMBREL_PROFILE="${LUMBREL_PROFILE:-$(mktemp)}"
"$BUILD_DIR/bench_web_graphic" "$@"
