#!/usr/bin/env bash
# Installs what is missing, builds, and shows KORVANE's line road on the recorded sample session.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvane-parse
build/tools/korvane-parse/korvane-parse --dxcc data/Dxcc.dta < tests/fixtures/session-dxspider.raw
