#!/usr/bin/env bash
# A day file put back by hand, through the installed program in a real X server: two parties
# checked in, the program closed, the copy taken before the second check-in put back. The
# next start keeps the file as it was put back, says so once, and journals it as 外部変更;
# it does not write the second check-in back over it.
#   restored_day_test.sh BUILD_DIR
set -euo pipefail
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
begin_e2e "$1"
day="$work/kavro/20261205.txt"
journal="$work/kavro/20261205.jnl"
lines() { iconv -f CP932 -t UTF-8 "$day" | tr -d '\r' | grep -c . || true; }
last_entry() { iconv -f CP932 -t UTF-8 "$journal" | tr -d '\r' | grep '^entry ' | tail -1; }

start_program() { # CLOCK
    faketime "$1" "$work/kavro/kavro" >>"$work/app.log" 2>&1 &
    app_pid=$!
}
check_in() { # Y NAME (rooms 005, 006: rows 4, 5 of the left half; 20:10)
    local before
    before=$(lines)
    click_board 100 "$1"
    xdotool type --delay 80 "$2"
    click_check_in
    wait_for 20 eval '[ "$(lines)" -gt "$before" ]' || fail "check-in of $2 not stored"
}

start_program '2026-12-05 20:00:00'
find_main_window
wait_for 20 test -e "$day" || true
check_in 104 Taro
cp "$day" "$work/before-second.txt"
check_in 124 Jiro
end_program
[ "$(lines)" -eq 2 ] || fail "two check-ins expected"

cp "$work/before-second.txt" "$day"
start_program '2026-12-05 20:30:00'
box=$(wait_window '^履歴$' 20) || fail "no message at start"
cmp -s "$day" "$work/before-second.txt" || fail "the file put back was overwritten: $(iconv -f CP932 -t UTF-8 "$day")"
[[ "$(last_entry)" == *外部変更 ]] || fail "journal's last entry: $(last_entry)"
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
find_main_window
end_program
cmp -s "$day" "$work/before-second.txt" || fail "the file changed after the start"
if grep -v -E '^ALSA lib|^$' "$work/app.log"; then fail "the program wrote warnings"; fi
echo "1 passed, 0 failed"
