#!/usr/bin/env bash
# Makes docs/screenshot.png: the real prompter window, run offscreen with fresh settings, showing
# the sample script. Usage: scripts/screenshot.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target vantell-screenshot
config=$(mktemp -d)
shows=$(mktemp -d /tmp/shows.XXXXXX)
trap 'rm -rf "$config" "$shows"' EXIT
# The window shows the script's path: a short one rather than this checkout's.
cp resources/samples/welcome.vnr "$shows/"
mkdir -p docs
# No start page (nothing answers on port 1), English texts, the browser without a GPU.
XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
    VANTELL_PROBE_URL=http://127.0.0.1:1/ LANGUAGE=en \
    "$build/bin/vantell-screenshot" docs/screenshot.png "$shows/welcome.vnr"
echo "docs/screenshot.png"
