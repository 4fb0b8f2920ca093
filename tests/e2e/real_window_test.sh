#!/usr/bin/env bash
# The installed program in a real X server, driven through the X server as a person would:
# the window appears at its design size, a click on the board and a typed name check a party
# in, an empty name is refused with a message box, and "終了" ends the process.
#   real_window_test.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d /tmp/kavro-e2e.XXXXXX)"
xvfb_pid="" app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/kavro" --component program >/dev/null

# A display number no other X server uses.
display=""
for n in $(seq 140 199); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || fail "no free display"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
# A fixed evening on the business day 2026/12/05, the clock running from there.
faketime '2026-12-05 20:00:00' "$work/kavro/kavro" >"$work/app.log" 2>&1 &
app_pid=$!

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^KAVRO24$' | head -1) || fail "no window"
geometry=$(xdotool getwindowgeometry "$wid")
echo "$geometry"
grep -q 'Geometry: 1016x711' <<<"$geometry" || fail "window is not 1016 x 711"
read -r wx wy < <(sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$geometry")

# Board units to screen pixels on the left half (design geometry, 2-pixel border).
board_x() { awk -v u="$1" -v o="$wx" 'BEGIN { printf "%d", o + 72 + 2 + u * 349 / 180 }'; }
board_y() { awk -v u="$1" -v o="$wy" 'BEGIN { printf "%d", o + 136 + 2 + u * 565 / 355.5 }'; }
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.3; }
checkin_button() { click $((wx + 8 + 240 + 24)) $((wy + 16 + 12)); }

day="$work/kavro/20261205.txt"
for _ in $(seq 50); do [ -e "$day" ] && break; sleep 0.1; done
[ -e "$day" ] || fail "the day file was not created"

# Room 005 (row 4), 100 minutes into the window: 20:10 on the business day.
click "$(board_x 100)" "$(board_y 104)"
xdotool type --delay 80 "山田"
checkin_button
for _ in $(seq 50); do [ -s "$day" ] && break; sleep 0.1; done
line=$(iconv -f CP932 -t UTF-8 "$day" | tr -d '\r')
echo "day file: $line"
[[ "$line" =~ ^005100100,2026/12/05\ 20:1[01],1,2026/12/05\ 21:1[01],2,005,山田,利用$ ]] ||
    fail "unexpected day file: $line"
[ "$(tail -c 2 "$day" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "lines must end in CR LF"

# An empty name is refused with the message box and nothing is written.
before=$(md5sum <"$day")
click "$(board_x 100)" "$(board_y 124)"
checkin_button
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^入力エラー$' | head -1) || fail "no message box"
[ "$(md5sum <"$day")" = "$before" ] || fail "a refused check-in changed the day file"
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
for _ in $(seq 50); do xdotool search --onlyvisible --name '^入力エラー$' >/dev/null 2>&1 || break; sleep 0.1; done

# 終了 ends the process at once.
click $((wx + 864 + 44)) $((wy + 680 + 12))
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "終了 did not end the program"
wait "$app_pid" || fail "the program ended with an error"
app_pid=""
if grep -v -E '^ALSA lib|^$' "$work/app.log"; then fail "the program wrote warnings"; fi
echo "1 passed, 0 failed"
