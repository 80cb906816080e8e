#!/usr/bin/env bash
# Configures and builds Tolvane into build/ (or $TOLVANE_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TOLVANE_BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
