#!/usr/bin/env bash
# Fuzzes the day-file reader with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) for a given time; the test suite runs the same target
# for one minute.
#   scripts/fuzz.sh [SECONDS] [LIBFUZZER OPTIONS...]     default 3600 s
# New inputs collect in build-fuzz/corpus/day_file (kept between runs); an input that
# breaks a property is written to build-fuzz/findings/ and the run stops with an error.
# Replay one with: build-fuzz/day_file_fuzz build-fuzz/findings/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-3600}"
shift || true
clangxx="$(command -v clang++ || true)"
if [ -z "$clangxx" ]; then
    echo "clang++ is needed (Debian: apt-get install clang libclang-rt-14-dev)" >&2
    exit 1
fi

cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER="$clangxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)"
mkdir -p build-fuzz/corpus/day_file build-fuzz/findings
exec build-fuzz/day_file_fuzz -max_total_time="$seconds" -timeout=10 -dict=fuzz/day_file.dict \
    -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 "$@" \
    build-fuzz/corpus/day_file fuzz/corpus/day_file
