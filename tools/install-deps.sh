#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quorvix need, skipping
# apt-get entirely when everything is already there. Needs root (or sudo).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-declarative-dev libgl-dev libpcre2-dev libedit-dev
    libgtest-dev libgmock-dev
    xvfb xauth xdotool xclip libx11-dev
    dbus-daemon dbus-bin at-spi2-core python3-pyatspi
    desktop-file-utils dpkg-dev appstream lintian man-db
    clang libclang-rt-14-dev
    fonts-dejavu-core fonts-liberation2 fonts-croscore
    tmux
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
