#!/usr/bin/env bash
# The Debian package as a shop gets it: made by scripts/package.sh from the program of this
# build, judged by lintian and the desktop's validators, installed into a throw-away root
# with its maintainer script, the program's directory tried as a desk account, removed.
#   package_test.sh BUILD_DIR
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing into a root and acting as another account need root"
    exit 77
fi
build="$(cd "$1" && pwd)"
src="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d /tmp/kavro-package-test.XXXXXX)"
chmod 0755 "$work" # the desk's account must reach the throw-away root
made_group=""
cleanup() {
    rm -rf "$work"
    [ -z "$made_group" ] || groupdel kavro
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

deb="$("$src/scripts/package.sh" --build-dir "$build" "$work" 2>"$work/package.log")" ||
    { cat "$work/package.log" >&2; exit 1; }
echo "package: $(basename "$deb")"

# Control data.
field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Depends)" == *libqt6widgets6* ]] || fail "Depends lacks the Qt libraries: $(field Depends)"
[[ ", $(field Depends)," == *", adduser,"* ]] || fail "Depends lacks adduser: $(field Depends)"
[[ "$(field Depends)" == *libsqlite3-0*libsodium23* ]] ||
    fail "Depends lacks the sales file's libraries: $(field Depends)"
[ "$(field Recommends)" = "ibus-mozc | fcitx5-mozc, fcitx5-frontend-qt6" ] ||
    fail "Recommends: $(field Recommends)"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no extended description"

# Contents.
dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }' >"$work/contents"
for entry in \
    "-rwxr-xr-x root/root ./opt/kavro/kavro" \
    "-rwxr-xr-x root/root ./opt/kavro/kavro-enable-autostart" \
    "-rw-r--r-- root/root ./opt/kavro/share/kavro/kavro-autostart.desktop" \
    "lrwxrwxrwx root/root ./usr/bin/kavro" \
    "-rw-r--r-- root/root ./usr/share/applications/kavro.desktop" \
    "-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/kavro.svg" \
    "-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/kavro.png" \
    "-rw-r--r-- root/root ./usr/share/metainfo/org.example.kavro.metainfo.xml" \
    "-rw-r--r-- root/root ./usr/share/man/man1/kavro.1.gz" \
    "-rw-r--r-- root/root ./usr/share/man/ja/man1/kavro.1.gz" \
    "-rw-r--r-- root/root ./usr/share/doc/kavro/copyright" \
    "-rw-r--r-- root/root ./usr/share/doc/kavro/changelog.gz" \
    "-rw-r--r-- root/root ./usr/share/lintian/overrides/kavro"; do
    grep -qxF -- "$entry" "$work/contents" || fail "not in the package: $entry"
done

# Hardening of the shipped program: PIE, full RELRO, stack protector, fortified functions.
dpkg-deb -x "$deb" "$work/unpacked"
exe="$work/unpacked/opt/kavro/kavro"
readelf -hldW --dyn-syms "$exe" >"$work/elf"
grep -q 'Type:.*DYN' "$work/elf" || fail "the program is not position independent"
grep -q 'BIND_NOW' "$work/elf" || fail "no BIND_NOW"
grep -q 'GNU_RELRO' "$work/elf" || fail "no RELRO"
grep -q '__stack_chk_fail@' "$work/elf" || fail "no stack protector"
grep -q '__[a-z]*_chk@' "$work/elf" || fail "no fortified functions"

# What Debian and the desktops check: lintian says nothing beyond the overridden tag.
lintian --allow-root --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || fail "lintian"
[ ! -s "$work/lintian" ] || { cat "$work/lintian" >&2; fail "lintian has something to say"; }
appstreamcli validate --no-net "$work/unpacked/usr/share/metainfo/"*.xml >"$work/appstream" 2>&1 ||
    { cat "$work/appstream" >&2; fail "appstreamcli validate"; }
desktop-file-validate "$work/unpacked/usr/share/applications/kavro.desktop" \
    "$work/unpacked/opt/kavro/share/kavro/kavro-autostart.desktop" || fail "desktop-file-validate"

# Installed into a throw-away root; the maintainer script runs outside it (DPKG_ROOT) and
# finds the group in this system, made here for the test when it is missing.
if ! getent group kavro >/dev/null; then
    groupadd --system kavro
    made_group=yes
fi
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$root" --force-script-chrootless --force-depends --log=/dev/null "$@"; }
dpkg_root -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "dpkg -i"; }
dir="$root/opt/kavro"
[ "$(stat -c '%a %U:%G' "$dir")" = "3775 root:kavro" ] ||
    fail "program directory: $(stat -c '%a %U:%G' "$dir")"

# A desk account: a member of the group and nothing more.
desk() { setpriv --reuid=61234 --regid=kavro --clear-groups -- sh -c "$1" 2>/dev/null; }
desk "cd '$dir' && printf 'x' >impostor" || fail "the desk cannot create a file"
desk "cd '$dir' && mv -f impostor kavro" && fail "the desk replaced the program"
desk "cd '$dir' && mv kavro kavro.old" && fail "the desk moved the program away"
desk "cd '$dir' && rm -f kavro" && fail "the desk removed the program"
desk "cd '$dir' && printf 'x' >>kavro" && fail "the desk wrote into the program"
desk "cd '$dir' && rm -rf share" && fail "the desk removed the program's files"
cmp -s "$exe" "$dir/kavro" || fail "the program changed"
desk "cd '$dir' && printf 'a\r\n' >.t && mv .t 20261205.txt && printf 'b\r\n' >.t && mv .t 20261205.txt" ||
    fail "the desk cannot replace its own day file"
[ "$(stat -c %G "$dir/20261205.txt")" = kavro ] || fail "a new day file is not the group's"
desk "cd '$dir' && printf 'a\r\n' >20251205.txt && rm 20251205.txt" || fail "the desk cannot purge its old day files"

# Removing the package leaves the day files.
dpkg_root -r kavro >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "dpkg -r"; }
[ ! -e "$dir/kavro" ] || fail "the program stays after removal"
[ "$(cat "$dir/20261205.txt")" = "$(printf 'b\r')" ] || fail "the day file went with the package"

[ "$failures" -eq 0 ] || exit 1
echo "package: control data, contents, hardening, lintian, appstream, desktop entries, install, desk account and removal checked"
