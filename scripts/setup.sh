#!/usr/bin/env bash
# Installs every Debian package Tavrolin needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev
  libjpeg62-turbo-dev
  libassimp-dev
  zlib1g-dev
  libxkbcommon-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xclip xdotool
  openbox dbus at-spi2-core gir1.2-atspi-2.0 python3-gi
  ccache
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
