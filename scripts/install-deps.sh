#!/usr/bin/env bash
# Installs what building and testing need, from Debian's archive, only when something is missing.
set -euo pipefail

# qt6-svg-dev renders the icon at build time and the charts' SVG; the last ones check the installed files and the Debian package.
# libudunits2-dev reads typed units; pybind11-dev, python3-dev and python3-numpy build the Python module, python3-pytest tests it.
packages=(g++ cmake ninja-build qt6-base-dev qt6-charts-dev qt6-svg-dev libboost-dev fonts-liberation libudunits2-dev
    pybind11-dev python3-dev python3-numpy python3-pytest clang-format clang-tidy libbenchmark-dev
    desktop-file-utils appstream lintian dpkg-dev file man-db)
if [ "${1:-}" = "--run" ]; then
    packages=(g++ cmake ninja-build qt6-base-dev qt6-charts-dev qt6-svg-dev libboost-dev fonts-liberation libudunits2-dev)
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
