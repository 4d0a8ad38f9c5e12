#!/usr/bin/env bash
# Installs what is missing, builds, and starts KORVANE in its program folder.
# The program folder (KORVANE_HOME, by default ~/.local/share/KORVANE) holds Dxcc.dta, Cluster.dta and
# Sounds/. It is seeded from data/ on every start; your own Cluster.dta is never overwritten.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target korvane

korvane=$PWD/build/src/app/korvane
program_dir=${KORVANE_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/KORVANE}
mkdir -p "$program_dir/Sounds"
cp data/Dxcc.dta "$program_dir/"
cp data/Sounds/*.wav "$program_dir/Sounds/"
[ -e "$program_dir/Cluster.dta" ] || cp data/Cluster.dta "$program_dir/"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "KORVANE is a desktop program and there is no display here (DISPLAY is not set)." >&2
  echo "To run it on a virtual display:  xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh" >&2
  exit 1
fi
cd "$program_dir"
exec "$korvane"
