#!/usr/bin/env bash
# Saves PNG screenshots of the splash and the main window, drawn on a virtual X server, after feeding
# the window the recorded sample session. The window runs in a scratch program folder made from data/.
# Usage: scripts/screenshot.sh BUILD_FOLDER [OUTPUT_FOLDER]   (builds nothing: build korvane-shot first)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_FOLDER [OUTPUT_FOLDER]}" && pwd)
out=$(mkdir -p "${2:-$build/screenshots}" && cd "${2:-$build/screenshots}" && pwd)
tool=$build/tools/korvane-shot/korvane-shot
[ -x "$tool" ] || { echo "no $tool: build the korvane-shot target first" >&2; exit 1; }
program=$(mktemp -d)
trap 'rm -rf "$program"' EXIT
cp -r "$top/data/." "$program/"
cd "$program"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$tool" "$out" "$top/tests/fixtures/session-dxspider.raw"
