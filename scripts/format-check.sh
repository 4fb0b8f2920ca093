#!/usr/bin/env bash
# Fails when a C++ file of the tree is not formatted as .clang-format says; lists the files.
#   scripts/format-check.sh         check only (the test command runs this)
#   scripts/format-check.sh --fix   format them in place
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
bad=()
for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -ne 0 ]; then
    echo "Not formatted (run scripts/format-check.sh --fix):" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "format-check: ${#files[@]} files formatted"
