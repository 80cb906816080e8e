#!/usr/bin/env bash
# Builds Tolvane and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build="${TOLVANE_BUILD_DIR:-build}"
cd "$build"
ctest --output-on-failure --timeout 300 -j"$(nproc)"
