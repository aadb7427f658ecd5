#!/usr/bin/env bash
# Sets up, builds and starts Lumbrel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec "${LUMBREL_BUILD_DIR:-build}/lumbrel2" "$@"
