#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer (address and undefined sanitizers on) and runs each for a
# bounded time over its corpus in fuzz/corpus/<target>. Usage: scripts/fuzz.sh [seconds per target] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "ok installed"; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq clang libclang-rt-14-dev
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=()
    for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp | sed 's/^fuzz_//')"); done
fi

out=fuzz/out
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Icommon -Ifuzz)
for t in "${targets[@]}"; do
    sources=(fuzz/fuzz_"$t".cpp common/number.cpp common/message.cpp)
    if [ "$t" = cli_args ]; then
        # The command-line solver over the whole engine; the version header CMake generates is made here.
        mkdir -p "$out/generated"
        version=$(sed -n 's/^project(flowcalc VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
        sed "s/@PROJECT_VERSION@/$version/" version.h.in >"$out/generated/flowcalc_version.h"
        sources=(fuzz/fuzz_cli_args.cpp cli/cli.cpp cli/help.cpp gasdyn/*.cpp)
        flags_t=("${flags[@]}" -Icli -Igasdyn -I"$out/generated")
    elif [ "$t" != number ]; then
        sources+=("$t/${t}_calc.cpp")
        flags_t=("${flags[@]}" -I"$t" -I"$t/tests")
    else
        flags_t=("${flags[@]}")
    fi
    echo "== $t: building"
    clang++ "${flags_t[@]}" "${sources[@]}" -o "$out/fuzz_$t"
    mkdir -p "fuzz/corpus/$t" "$out/corpus_$t"
    echo "== $t: fuzzing for ${seconds}s"
    "$out/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$t-" "$out/corpus_$t" "fuzz/corpus/$t" 2>&1 | grep -E "^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)|ERROR|SUMMARY"
done
echo "fuzzing finished without a crash"
