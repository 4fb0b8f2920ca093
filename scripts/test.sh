#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer in build-asan/
# In CI (CI=true) the plain command runs both, the sanitizer build after the normal one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/format-check.sh

build=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    # The clang fuzzer already runs in the normal build; here the plain driver fuzzes
    # under gcc's sanitizers for a shorter time.
    flags=(-DKAVRO_SANITIZE=ON -DKAVRO_BENCH=OFF -DKAVRO_FUZZ_CLANG=OFF -DKAVRO_FUZZ_SECONDS=30)
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/kavro-xdg.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
(cd "$build" && ctest --output-on-failure -j"$(nproc)")

if [ -z "${1:-}" ] && [ "${CI:-}" = "true" ]; then
    exec scripts/test.sh --sanitize
fi
