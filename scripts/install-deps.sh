#!/usr/bin/env bash
# Installs what building and testing need, from Debian's archive, only when something is missing.
set -euo pipefail

# qt6-svg-dev renders the icon at build time and the charts' SVG; the last ones check the installed files and the Debian package.
packages=(g++ cmake ninja-build qt6-base-dev qt6-charts-dev qt6-svg-dev libboost-dev fonts-liberation clang-format clang-tidy libbenchmark-dev
    desktop-file-utils appstream lintian dpkg-dev file man-db)
if [ "${1:-}" = "--run" ]; then
    packages=(g++ cmake ninja-build qt6-base-dev qt6-charts-dev qt6-svg-dev libboost-dev fonts-liberation)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
