#!/usr/bin/env bash
# Draws each chart of the charts window offscreen, with an example answer marked, and saves the pictures as
# docs/chart-*.png (the README shows them).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --run
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target chart_pictures >/dev/null
mkdir -p docs
QT_QPA_PLATFORM=offscreen ./build/charts/chart_pictures docs 2>/dev/null
