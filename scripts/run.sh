#!/usr/bin/env bash
# Sets up, builds and starts Tavrolin. The build's desktop entry, the scene file type and the icon
# are installed for the user, so that scene files open from the file manager into this build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVROLIN_TESTS=OFF -DTAVROLIN_BENCH=OFF
cmake --build build/release --target tavrolin NoMemoryDialog conv3ds objects_folder toolbar_images tutorial_scenes
data="${XDG_DATA_HOME:-$HOME/.local/share}"
install -D -m 644 build/release/desktop/tavrolin.desktop "$data/applications/tavrolin.desktop"
install -D -m 644 build/release/desktop/tavrolin.xml "$data/mime/packages/tavrolin.xml"
install -D -m 644 build/release/images/Tavrolin-48.png "$data/icons/hicolor/48x48/apps/tavrolin.png"
# Both tools come with setup (shared-mime-info, desktop-file-utils); the program starts either way.
update-mime-database "$data/mime" || true
update-desktop-database "$data/applications" || true
exec build/release/bin/tavrolin "$@"
