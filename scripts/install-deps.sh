#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when any is missing.
set -euo pipefail
packages=(
    cmake g++ make pkg-config gettext
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-pdf-dev qt6-svg-dev libgl-dev libcups2-dev
    qt6-httpserver-dev qt6-websockets-dev liblo-dev liblo-tools librtmidi-dev libqrencode-dev
    libquazip1-qt6-dev
    fonts-liberation2 fonts-noto-color-emoji fonts-noto-core fonts-noto-cjk
    xvfb xauth xdotool openbox x11-utils imagemagick tesseract-ocr libsm-dev libice-dev
    desktop-file-utils shared-mime-info dpkg-dev appstream lintian
    qt6-wayland weston dbus-daemon at-spi2-core python3-pyatspi
    clang libclang-rt-14-dev unrtf nodejs python3 curl zbar-tools
    qt6-multimedia-dev libpocketsphinx-dev libsphinxbase-dev pocketsphinx-en-us espeak-ng sox pocketsphinx-testdata
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
# npm installs the newsroom library the newsroom tests talk to (a test peer, never shipped). Debian
# packs it apart from nodejs; a nodejs that brings its own npm needs nothing more.
if ! command -v npm >/dev/null 2>&1; then
    missing+=(npm)
fi
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}"
