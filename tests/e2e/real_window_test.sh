#!/usr/bin/env bash
# The installed program in a real X server, driven through the X server as a person would:
# the window appears at its design size with its icon, a click on the board and a typed name
# check a party in, an empty name is refused with a message box, a second start ends
# silently and brings the running window to the front, and "終了" ends the process.
#   real_window_test.sh BUILD_DIR
set -euo pipefail
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
begin_e2e "$1"
# A fixed evening on the business day 2026/12/05, the clock running from there.
faketime '2026-12-05 20:00:00' "$work/kavro/kavro" >"$work/app.log" 2>&1 &
app_pid=$!

find_main_window
echo "$window_geometry"
grep -q 'Geometry: 1016x711' <<<"$window_geometry" || fail "window is not 1016 x 711"
# The title bar and task bar show the program's own icon (set through the window manager's
# property), whatever directory the program was installed into.
xprop -id "$wid" _NET_WM_ICON | grep -q '_NET_WM_ICON(CARDINAL) = ' || fail "the window has no icon"

# A second start (as from the launcher) ends at once and silently: no second window.
timeout 20 "$work/kavro/kavro" >"$work/second.log" 2>&1 || fail "the second copy did not end cleanly"
[ ! -s "$work/second.log" ] || fail "the second copy printed: $(cat "$work/second.log")"
[ "$(xdotool search --onlyvisible --name '^KAVRO24$' | wc -l)" -eq 1 ] || fail "a second window appeared"

day="$work/kavro/20261205.txt"
wait_for 20 test -e "$day" || fail "the day file was not created"

# Room 005 (row 4), 100 minutes into the window: 20:10 on the business day.
click_board 100 104
# ASCII: a character outside the X keymap makes xdotool remap a key, and under load the
# first key after a remap can be lost. Japanese names are covered by the suite.
xdotool type --delay 80 "Taro"
click_check_in
wait_for 20 test -s "$day" || true
line=$(iconv -f CP932 -t UTF-8 "$day" | tr -d '\r')
echo "day file: $line"
[[ "$line" =~ ^005100100,2026/12/05\ 20:1[01],1,2026/12/05\ 21:1[01],2,005,Taro,利用$ ]] ||
    fail "unexpected day file: $line"
[ "$(tail -c 2 "$day" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "lines must end in CR LF"

# An empty name is refused with the message box and nothing is written.
before=$(md5sum <"$day")
click_board 100 124
click_check_in
box=$(wait_window '^入力エラー$') || fail "no message box"
[ "$(md5sum <"$day")" = "$before" ] || fail "a refused check-in changed the day file"
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
wait_window_gone '^入力エラー$' "$box" || fail "the message box stayed"

# A second start brings the running window to the front: the report window (Ctrl+R) takes
# the keyboard, and the second start gives it back to the main window, raised above it.
xdotool mousemove --sync $((wx + 930)) $((wy + 60)) click 1 key --delay 100 ctrl+r # on the clock
report=$(wait_window '^集計$') || fail "no report window"
wait_for 20 has_focus "$report" || fail "the report window did not take the keyboard"
timeout 20 "$work/kavro/kavro" >"$work/second.log" 2>&1 || fail "the second copy did not end cleanly"
[ ! -s "$work/second.log" ] || fail "the second copy printed: $(cat "$work/second.log")"
wait_for 20 has_focus "$wid" || fail "a second start did not bring the window to the front"

# 終了 ends the process at once.
end_program
if grep -v -E '^ALSA lib|^$' "$work/app.log"; then fail "the program wrote warnings"; fi
echo "1 passed, 0 failed"
