#!/usr/bin/env bash
# Builds the fuzzing harnesses of tests/fuzz with clang into build-fuzz/ and
# runs each for the given number of seconds (default 60), one after another.
# Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]
# New inputs go to build-fuzz/corpus/<harness>/, crashes to
# build-fuzz/artifacts/<harness>/; copy a crash into tests/fuzz/<harness>/ so
# that the ordinary test run replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH="${1:-60}"
shift || true
HARNESSES=("$@")
if ((${#HARNESSES[@]} == 0)); then
    # Every harness CMakeLists.txt builds.
    read -r -a HARNESSES <<<"$(sed -n 's/^set(LUMBREL_FUZZ_HARNESSES \(.*\))$/\1/p' CMakeLists.txt)"
fi

BUILD_DIR="${LUMBREL_FUZZ_BUILD_DIR:-build-fuzz}"
CC=clang CXX=clang++ LUMBREL_BUILD_DIR="$BUILD_DIR" \
    scripts/setup.sh -DLUMBREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo

status=0
for harness in "${HARNESSES[@]}"; do
    corpus="$BUILD_DIR/corpus/$harness"
    artifacts="$BUILD_DIR/artifacts/$harness"
    mkdir -p "$corpus" "$artifacts"
    echo "== $harness: ${SECONDS_EACH}s"
    # The seeds and reproducers of the tree are read, never written.
    QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp" "$BUILD_DIR/fuzz_$harness" \
        -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" \
        "$corpus" "tests/fuzz/$harness" || status=1
done
exit $status
