#!/usr/bin/env bash
# Builds the Debian package of the program from the source tree alone.
#   scripts/package.sh [OUT_DIR]          writes OUT_DIR/kavro_VERSION_ARCH.deb (default: .)
#   scripts/package.sh --build-dir DIR [OUT_DIR]
#                                          packages the program already built in DIR (the
#                                          test suite's build); otherwise a build of its own in
#                                          build-deb/, optimised, hardened, without tests.
# Prints the path of the package.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build=""
if [ "${1:-}" = "--build-dir" ]; then
    build="$(cd "$2" && pwd)"
    shift 2
fi
out="$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)"

if [ -z "$build" ]; then
    "$src/scripts/install-deps.sh"
    build="$src/build-deb"
    cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVRO_TESTS=OFF \
        -DKAVRO_BENCH=OFF -DKAVRO_SANITIZE=OFF >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target kavro >&2

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
logged="$(sed -n '1s/^kavro (\([^)]*\)).*/\1/p' "$src/packaging/debian/changelog")"
if [ "$version" != "$logged" ]; then
    echo "version $version of the build has no entry in packaging/debian/changelog (top: $logged)" >&2
    exit 1
fi
arch="$(dpkg --print-architecture)"

stage="$(mktemp -d /tmp/kavro-deb.XXXXXX)"
trap 'rm -rf "$stage"' EXIT
root="$stage/root"
DESTDIR="$root" cmake --install "$build" --prefix /opt/kavro --component program >/dev/null

# What the desktop looks for goes where the desktop looks.
share="$root/usr/share"
mkdir -p "$share/applications" "$share/metainfo" "$share/doc/kavro" "$share/lintian/overrides" \
    "$share/man/man1" "$share/man/ja/man1"
mv "$root/opt/kavro/share/applications/kavro.desktop" "$share/applications/"
mv "$root/opt/kavro/share/icons" "$share/"
rmdir "$root/opt/kavro/share/applications"
# `kavro` from a shell; the program still finds its directory through the link.
mkdir -p "$root/usr/bin"
ln -s /opt/kavro/kavro "$root/usr/bin/kavro"
cp "$src/packaging/org.example.kavro.metainfo.xml" "$share/metainfo/"
cp "$src/packaging/debian/copyright" "$share/doc/kavro/"
gzip -9n <"$src/packaging/debian/changelog" >"$share/doc/kavro/changelog.gz"
gzip -9n <"$src/packaging/kavro.1" >"$share/man/man1/kavro.1.gz"
gzip -9n <"$src/packaging/kavro.ja.1" >"$share/man/ja/man1/kavro.1.gz"
cp "$src/packaging/debian/lintian-overrides" "$share/lintian/overrides/kavro"

strip --strip-unneeded --remove-section=.comment --remove-section=.note "$root/opt/kavro/kavro"
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f -exec chmod 0644 {} +
chmod 0755 "$root/opt/kavro/kavro" "$root/opt/kavro/kavro-enable-autostart"

# The shared libraries the program needs, as Debian names them.
mkdir -p "$stage/shlibs/debian"
printf 'Source: kavro\n\nPackage: kavro\nArchitecture: any\n' >"$stage/shlibs/debian/control"
shlibs="$(cd "$stage/shlibs" && dpkg-shlibdeps -O -e"$root/opt/kavro/kavro" 2>/dev/null |
    sed -n 's/^shlibs:Depends=//p')"

mkdir -p "$root/DEBIAN"
size="$(du -sk --apparent-size "$root" | cut -f1)"
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" -e "s/@SHLIBS@/$shlibs/" \
    "$src/packaging/debian/control.in" >"$root/DEBIAN/control"
install -m 0755 "$src/packaging/postinst" "$root/DEBIAN/postinst"
(cd "$root" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | sort -z |
    xargs -0 md5sum >DEBIAN/md5sums)
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

deb="$out/kavro_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
