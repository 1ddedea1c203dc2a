#!/usr/bin/env bash
# Installs what is missing, then: formatting check, plain build and every test headless, the install and
# package checks, clang-tidy, and the whole suite again built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== build (Release, as a packager builds it; warnings are errors here)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DFLOWCALC_WERROR=ON >/dev/null
cmake --build build

echo "== tests"
ctest --test-dir build --output-on-failure

echo "== install and package (from the Release build)"
bash scripts/test-install.sh build

echo "== clang-tidy"
bash scripts/tidy.sh build

echo "== sanitizer build (address, undefined)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFLOWCALC_SANITIZE=ON -DFLOWCALC_BENCH=OFF -DFLOWCALC_WERROR=ON >/dev/null
cmake --build build-asan --target all
echo "== tests under the sanitizers"
ctest --test-dir build-asan --output-on-failure
