#!/usr/bin/env bash
# Installs every Debian package Tavrolin needs to build, run and test. Safe to run again. Works on
# Debian 12 and 13: where the releases differ (the clang version), the release's own is taken.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev
  libjpeg62-turbo-dev
  libassimp-dev
  zlib1g-dev
  libxkbcommon-dev
  libxcb1-dev  # a window's first picture goes to the X server itself
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xclip xdotool
  x11-apps  # xwd: the screen's pixels as a reader of the whole screen gets them
  openbox dbus at-spi2-core gir1.2-atspi-2.0 python3-gi
  python3  # the window scripts (scripts/x11-window.py)
  ccache
  clang
  # The dialogs' stand-in font: DejaVu Sans and its condensed face.
  fonts-dejavu-core fonts-dejavu-extra
  # run.sh registers the desktop entry and the scene file type for the user.
  desktop-file-utils shared-mime-info
)

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

# install <package...>: installs those of the packages that are missing.
install() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ ${#as_root[@]} -ne 0 ] && ! command -v sudo >/dev/null; then
    echo "setup: need root (or sudo) to install: ${missing[*]}" >&2
    exit 1
  fi
  if [ -z "${updated:-}" ]; then
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    updated=1
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

install "${packages[@]}"
# The sanitizer and libFuzzer runtime of the release's default clang (clang 14 on Debian 12, 19 on 13).
clang_major=$(clang -dumpversion | cut -d. -f1)
install "libclang-rt-$clang_major-dev"
