#!/usr/bin/env bash
# The firehose figures: 10,000, 100,000 and 1,000,000 spots streamed by korvane-node into the window
# as fast as loopback allows (200 lines a write), then a burst of 10,000 lines in one write.
# Usage: bench/firehose.sh [SPOTS...]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build --target bench_Firehose
runs=("$@")
[ ${#runs[@]} -gt 0 ] || runs=("10000 200" "100000 200" "1000000 200" "10000 10000")
for run in "${runs[@]}"; do
    # shellcheck disable=SC2086 # a run is SPOTS and LINES_PER_WRITE
    build/bench/bench_Firehose $run 2>/dev/null
done
