#!/usr/bin/env bash
# Installs what is missing, builds, installs the program into its own directory and
# starts it there. The day files live beside the installed program, so rebuilding or
# deleting build/ never touches them.
#   KAVRO_HOME (default ~/kavro) is where this script installs; the program itself has
#   no settings and always uses the directory of its executable.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

home="${KAVRO_HOME:-$HOME/kavro}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target kavro
cmake --install build --prefix "$home" --component program >/dev/null
exec "$home/kavro"
