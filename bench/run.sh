#!/usr/bin/env bash
# Builds Tolvane in Release and prints its benchmark table. Arguments go to
# the runner (see bench/runner.cpp), e.g. --only copy, --runs 9, --verbose.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build="${TOLVANE_BENCH_BUILD_DIR:-build-release}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target bench_runner bench_copy_driver bench_baseline_dialog Tolvane
exec "$build/bench/bench_runner" "$@"
