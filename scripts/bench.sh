#!/usr/bin/env bash
# Builds and runs the benchmarks: each calculation alone, a whole press through a window (offscreen), and
# start-up against a bare Qt program with the same widgets, and the resident memory over a day of use (soak).
# Prints the tables.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target bench_calc bench_press startup_flowcalc startup_bare startup_compare soak bench_charts bench_gasdyn bench_gasdyn_shock bench_windows startup_cli \
    flowcalc-cli >/dev/null

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(date +%Y-%m-%d)"
echo
echo "| benchmark | time | goal |"
echo "|---|---|---|"
table() {
    # name,iterations,real_time,cpu_time,time_unit,...; the goal is $2, or the one the name's pattern gives.
    "$1" --benchmark_format=csv --benchmark_min_time=0.2 2>/dev/null | awk -F, -v goal="$2" '
        /^"/ {
            gsub(/"/, "", $1)
            g = goal
            if (goal == "engine") {
                g = "under 200 ns"
                if ($1 ~ /A_Astar|_nu$|p02_p01|p02_p1|entropy|p0_p0star|4fL_D|_theta$|Weak|Strong/) g = "under 1 µs"
                if ($1 ~ /conical/) g = "under 100 µs"
            }
            if (goal == "windows") {
                g = "under 100 ms"
                if ($1 ~ /press/) g = "under 100 µs"
                if ($1 ~ /scroll/) g = "under 50 ms"
                if ($1 ~ /save/) g = "under 2 s"
            }
            if ($1 ~ /peak_memory/) next
            unit = $5; v = $4
            if (unit == "ns" && v >= 100000) { unit = "us"; v /= 1000 }
            if (unit == "us" && v >= 100000) { unit = "ms"; v /= 1000 }
            if (unit == "ns") printf "| %s | %.0f ns | %s |\n", $1, v, g
            else printf "| %s | %.1f %s | %s |\n", $1, v, (unit == "us" ? "µs" : unit), g
        }'
}
table build/bench/bench_calc "under 1 µs"
table build/bench/bench_press "under 50 µs"
table build/bench/bench_charts "under 16 ms"
table build/bench/bench_gasdyn engine
table build/bench/bench_gasdyn_shock engine
table build/bench/bench_windows windows
# Peak memory with a table open, over the same window before the table was made.
build/bench/bench_windows --benchmark_filter=peak_memory --benchmark_format=csv 2>/dev/null | awk -F, '
    /^name,/ { for (i = 1; i <= NF; i++) { h = $i; gsub(/"/, "", h); if (h == "added_KiB") col = i }; next }
    /^"/ { gsub(/"/, "", $1); sub(/\/iterations:1/, "", $1); printf "| %s | +%.0f KiB | within 5 MB |\n", $1, $col }'
echo
echo "| start-up | program | floor | over the floor |"
echo "|---|---|---|---|"
build/bench/startup_compare build/bench 21 2>/dev/null
# Instruction counts do not depend on what else the machine is doing.
if command -v valgrind >/dev/null; then
    count() {
        QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 \
            | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
    }
    p=$(count build/bench/startup_flowcalc)
    b=$(count build/bench/startup_bare)
    awk -v p="$p" -v b="$b" 'BEGIN { printf "| start-up instructions (callgrind) | %.1f M | bare Qt %.1f M | %+.1f%% |\n", p / 1e6, b / 1e6, 100 * (p / b - 1) }'
fi
echo
echo "| soak (one process, offscreen) | after the warm-up | at the end | growth | goal |"
echo "|---|---|---|---|---|"
build/bench/soak 2>/dev/null
echo
echo "| command line | time | goal |"
echo "|---|---|---|"
build/bench/startup_cli build/flowcalc-cli
if [ -d build/python/module ]; then
    echo
    PYTHONPATH=build/python/module /usr/bin/python3 bench/bench_flowcalc.py
fi
