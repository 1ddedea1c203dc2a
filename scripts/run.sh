#!/usr/bin/env bash
# Installs what is missing, builds the program into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target flowcalc
exec ./build/flowcalc "$@"
