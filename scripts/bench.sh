#!/usr/bin/env bash
# Installs what is missing, builds with optimisation, and runs the benchmarks on a full day:
# medians of repeated runs, start-up and peak memory in fresh processes, and the table of
# figures against the budgets (also written to build/bench-report.md).
#   scripts/bench.sh                          everything, 25 repetitions
#   scripts/bench.sh --benchmark_repetitions=50 --benchmark_filter=CheckIn
# Extra arguments go to the benchmark executable (Google Benchmark's flags, and
# --kavro_startup_runs=N for the number of start-up probes, 0 to skip them).
# The day files are written under $TMPDIR (default /tmp): point it at the disk the program
# runs from, since the fsync cost is that disk's.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# The same build as scripts/test.sh (optimised, with debug information for the profilers).
build=build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVRO_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target kavro_bench

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/kavro-xdg.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"

run=("$build/bench/kavro_bench" --kavro_report="$build/bench-report.md" "$@")
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
# The start-up probes show a real window on an X server (Xvfb) when there is one to start;
# the measurements themselves always paint off-screen.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
fi
exec "${run[@]}"
