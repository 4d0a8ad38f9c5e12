#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test offscreen. Exits non-zero on any failure.
# ./test.sh --sanitize builds and runs them with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")"
preset=default
[ "${1:-}" = "--sanitize" ] && preset=sanitize
./scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset" -j"$(nproc)"
