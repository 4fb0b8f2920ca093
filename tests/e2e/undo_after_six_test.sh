#!/usr/bin/env bash
# An undo on the previous day after 06:00, through a real X server: room 007's stay from
# 05:00 to 07:00 is deleted by mistake at 05:59, the day changes at 06:00 without it, and an
# undo on 12/05 afterwards is refused with a message that names 12/06; neither day gets the
# stay back, so the room cannot be sold twice. The program is the long-run build: the real
# desktop with a restart request that is always refused.
#   undo_after_six_test.sh BUILD_DIR
set -euo pipefail
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
work="$(mktemp -d /tmp/kavro-e2e.XXXXXX)"
xvfb_pid="" app_pid=""
trap 'stop_x_session; rm -rf "$work"' EXIT
cp "$1/tests/kavro_longrun" "$work/"
start_xvfb
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
yesterday="$work/20261205.txt" today="$work/20261206.txt"
lines() { if [ -e "$1" ]; then iconv -f CP932 -t UTF-8 "$1" | tr -d "\r" | grep -c . || true; else echo 0; fi; }
printf '007100100,2026/12/06 05:00,1,2026/12/06 07:00,2,007,Nana,利用\r\n' |
    iconv -f UTF-8 -t CP932 >"$yesterday"

faketime -f '@2026-12-06 05:59:20' "$work/kavro_longrun" >"$work/app.log" 2>&1 &
app_pid=$!
find_main_window
# Room 007 (row 6) about 05:29, 60 units into a window that starts 90 minutes before the clock.
click_board 60 144
click_at $((wx + 8 + 720 + 20)) $((wy + 16 + 12)) # 削除
wait_for 20 eval '[ "$(lines "$yesterday")" -eq 0 ]' || fail "the deletion was not stored"

wait_for 90 grep -q 'restart requested' "$work/app.log" || fail "no day change at 06:00"
wait_for 20 test -e "$today" || true
[ "$(lines "$today")" -eq 0 ] || fail "12/06 holds a stay: $(iconv -f CP932 -t UTF-8 "$today")"

# 12/05 picked in the date picker (its day section, one down), then 元に戻す from the desk
# menu.
click_at $((wx + 8 + 32)) $((wy + 16 + 12))
xdotool key Home Tab Tab Down
sleep 1
[ -e "$work/20261205.jnl" ] || fail "12/05 has no journal"
click_at $((wx + 904 + 52)) $((wy + 18 + 10)) # メニュー
# The menu's pop-up has no title: it is the program's only window besides the main one.
menu_open() { xdotool search --onlyvisible --class '^kavro_longrun$' 2>/dev/null | grep -vx "$wid" >/dev/null; }
wait_for 10 menu_open || fail "the desk menu did not open"
xdotool key Down Return
box=$(wait_window '^元に戻す$') || fail "no answer to the undo"
# Tab and space: a refusal's only button, or a question's はい, which must not be offered.
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Tab space
wait_window_gone '^元に戻す$' "$box" || fail "the answer to the undo stayed"
sleep 1
[ "$(lines "$yesterday")" -eq 0 ] || fail "12/05 got the stay back"
[ "$(lines "$today")" -eq 0 ] || fail "12/06 got the stay back"
echo "1 passed, 0 failed"
