#!/usr/bin/env bash
# Installs every Debian package that KORVANE needs to build, test and run.
# Idempotent: installs only what is missing, and updates the package lists at most once.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-charts-dev
  libgl-dev libxkbcommon-dev
  libtelnet-dev libvterm-dev libsndfile1-dev libpulse-dev
  # runtime: fonts the window layout is designed for, platform plugins
  fonts-wine fonts-liberation2 qt6-qpa-plugins
  # runtime: the service names (/etc/services) by which a port such as "telnet" is given
  netbase
  # tests, screenshots and benchmarks
  xvfb xauth x11-apps imagemagick libbenchmark-dev
  # the accessibility test: a private D-Bus session, the AT-SPI bus and registry, and pyatspi
  dbus-daemon at-spi2-core python3-pyatspi
  # fuzzing: clang with its libFuzzer and sanitizer runtimes (bench/fuzz.sh)
  clang libclang-rt-14-dev
  # data: the country file the shipped country table is converted from
  hamradio-files
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
