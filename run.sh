#!/usr/bin/env bash
# Installs what is missing, builds, and starts KORVANE in its program folder (see scripts/korvane-launch).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build build --target korvane
exec scripts/korvane-launch "$PWD/data" "$PWD/build/src/app/korvane"
