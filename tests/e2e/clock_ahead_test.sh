#!/usr/bin/env bash
# A PC clock 45 days ahead of the last days the desk worked (a guest still in room 005),
# through the installed program in a real X server: every start asks 「時計の確認」 before
# anything is deleted, and いいえ deletes nothing, however often the program starts.
#   clock_ahead_test.sh BUILD_DIR
set -euo pipefail
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
begin_e2e "$1"

for d in 03 04 05; do
    printf '005100100,2026/12/%s 22:00,2,2026/12/%s 23:59,2,005,Yamada,利用\r\n' "$d" "$d" |
        iconv -f UTF-8 -t CP932 >"$work/kavro/202612$d.txt"
done
sums() { (cd "$work/kavro" && md5sum 2026120[345].txt); }
before=$(sums)

# Waits for a box of the title, answers it with Return (a question's default is いいえ), and
# waits until it has gone.
answer_box() { # TITLE
    local box
    box=$(wait_window "^$1\$" 20) || fail "no box $1"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
    wait_window_gone "^$1\$" "$box" || fail "the box $1 stayed"
}

for run in 1 2; do
    faketime '2027-01-19 09:00:00' "$work/kavro/kavro" >>"$work/app.log" 2>&1 &
    app_pid=$!
    answer_box '時計の確認' # the question
    answer_box '時計の確認' # 「…時計を正しい日付に合わせてから…」
    find_main_window
    [ "$(sums)" = "$before" ] || fail "start $run changed or deleted a day file"
    end_program
done
[ "$(sums)" = "$before" ] || fail "the day files changed"
echo "1 passed, 0 failed"
