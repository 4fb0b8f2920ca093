#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing KAVRO need,
# only those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang-format
    qt6-base-dev libcanberra-dev libasound2-dev sound-theme-freedesktop
    fonts-ipafont-gothic fonts-ipafont-mincho qt6-translations-l10n
    libgtest-dev libbenchmark-dev
    xvfb xdotool x11-utils faketime
    dpkg-dev lintian appstream desktop-file-utils
)

# The report window's charts. Debian's qt6-charts-dev needs the OpenGL development files
# without depending on them; poppler-utils gives the report test its PDF text extraction.
packages+=(qt6-charts-dev libqt6opengl6-dev poppler-utils)

# The sales file (SQLite) and the manager PIN's salted hash (libsodium).
packages+=(libsqlite3-dev libsodium-dev)

# libFuzzer for the day-file fuzz target; the build goes on without it when it is missing.
packages+=(clang)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
