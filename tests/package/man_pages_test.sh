#!/usr/bin/env bash
# The manual pages format without a warning and name every key and file; the Japanese one
# has no space between two Japanese characters (roff puts one wherever a source line breaks)
# and no line wider than a terminal.
set -euo pipefail
src="$(cd "$(dirname "$0")/../.." && pwd)"
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v groff >/dev/null || { echo "groff is not installed" >&2; exit 77; }

for page in kavro.1 kavro.ja.1; do
    out="$(mktemp)"
    warnings="$(LC_ALL=C.UTF-8 groff -k -ww -Tutf8 -mandoc "$src/packaging/$page" 2>&1 >"$out")"
    [ -z "$warnings" ] || fail "$page: $warnings"
    text="$(col -b <"$out")"
    rm -f "$out"
    for key in Tab Enter F1 F9 F10 Esc Ctrl+Z Ctrl+Y Ctrl+H Ctrl+R kavro-summary.txt .kavro.lock \
        .kavro-tmp- yyyymmdd.jnl yyyymmdd.jnl.damaged; do
        grep -qF -- "$key" <<<"$text" || fail "$page does not name $key"
    done
done

text="$(LC_ALL=C.UTF-8 groff -k -Tutf8 -mandoc "$src/packaging/kavro.ja.1" 2>/dev/null | col -b)"
# One space exactly: the column after a tag (履歴   表示…) is wider.
japanese='[\x{3000}-\x{30FF}\x{4E00}-\x{9FFF}\x{FF00}-\x{FFEF}]'
stray="$(grep -nP "$japanese $japanese" <<<"$text" || true)"
[ -z "$stray" ] || fail "kavro.ja.1 has spaces between Japanese characters: $stray"
width="$(LC_ALL=C.UTF-8 wc -L <<<"$text")"
[ "$width" -le 80 ] || fail "kavro.ja.1 has lines $width columns wide"
echo "man pages: 1 passed, 0 failed"
