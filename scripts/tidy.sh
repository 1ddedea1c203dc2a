#!/usr/bin/env bash
# Runs clang-tidy with the checked-in .clang-tidy over the program's sources (tests excluded), using the
# compile commands of a configured build folder (default: build). Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
git ls-files '*.cpp' ':!:*/tests/*' ':!:fuzz/*' ':!:bench/*' \
    | xargs -P "$(nproc)" -n 3 clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option 2> >(grep -v -E '^[0-9]+ warnings? generated|^$' >&2)
