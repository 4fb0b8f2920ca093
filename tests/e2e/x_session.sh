# Shared by the scripts that drive the program through a real X server (sourced).
# Expects: $work (a scratch directory), or begin_e2e to make one.

declare -F fail >/dev/null ||
    fail() { echo "FAIL: $*" >&2; [ -s "$work/app.log" ] && tail -30 "$work/app.log" >&2; exit 1; }

# A scratch directory (removed at exit, with the X server and the program) holding the
# program of the build, installed, and an X server to run it in.
begin_e2e() { # BUILD_DIR
    work="$(mktemp -d /tmp/kavro-e2e.XXXXXX)"
    xvfb_pid="" app_pid=""
    trap 'stop_x_session; rm -rf "$work"' EXIT
    cmake --install "$1" --prefix "$work/kavro" --component program >/dev/null
    start_xvfb
    # Under the sanitizers libfaketime is preloaded ahead of the ASan runtime; it replaces no
    # allocation function, so that order is safe.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
}

# Runs the command every tenth of a second until it succeeds, for at most SECONDS; the
# status is the last run's.
wait_for() { # SECONDS COMMAND...
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; } # WINDOW_ID

# Starts Xvfb on a display number no other X server uses; sets DISPLAY and xvfb_pid.
start_xvfb() {
    local n
    DISPLAY=""
    for n in $(seq 140 199); do
        if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then DISPLAY=":$n"; break; fi
    done
    [ -n "$DISPLAY" ] || fail "no free display"
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY
    wait_for 10 xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
    export XDG_RUNTIME_DIR="$work/xdg"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
}

# Waits for the main window; sets wid, wx, wy and window_geometry.
find_main_window() {
    wid=$(wait_window '^KAVRO24$' 20) || fail "no window"
    window_geometry=$(xdotool getwindowgeometry "$wid")
    read -r wx wy < <(sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$window_geometry")
}

# xdotool dies of an X error when a window goes away while it walks the tree (a menu
# closing, a box opening), so every look is a fresh run and a failed one is simply retried.
# The pipes read all it prints: a reader that stopped early would fail it under pipefail.

# Prints the id of the first visible window whose title matches PATTERN; fails when none.
first_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | sed -n 1p | grep .; }
# The window ID is visible with a title matching PATTERN.
shows_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -x "$2" >/dev/null; }
# A look that misses the window counts only when the next one agrees, since a dying xdotool
# misses it too.
lost_window() { ! shows_window "$@" && sleep 0.1 && ! shows_window "$@"; }

# Prints the id of a visible window whose title matches PATTERN, waiting up to SECONDS.
wait_window() { wait_for "${2:-10}" first_window "$1"; } # PATTERN [SECONDS]

# Waits up to SECONDS until the window ID of a title matching PATTERN is no longer visible
# (a box that follows with the same title is another window).
wait_window_gone() { wait_for "${3:-10}" lost_window "$1" "$2"; } # PATTERN ID [SECONDS]

# Board units of the left half to screen pixels (design geometry, 2-pixel border).
board_x() { awk -v u="$1" -v o="$wx" 'BEGIN { printf "%d", o + 72 + 2 + u * 349 / 180 }'; }
board_y() { awk -v u="$1" -v o="$wy" 'BEGIN { printf "%d", o + 136 + 2 + u * 565 / 355.5 }'; }
# The pause lets a loaded machine handle the click before the next input arrives.
click_at() { xdotool mousemove --sync "$1" "$2" click 1; sleep "${click_pause:-1}"; }
click_board() { click_at "$(board_x "$1")" "$(board_y "$2")"; }
# "利用" and "終了" by their design positions.
click_check_in() { click_at $((wx + 8 + 240 + 24)) $((wy + 16 + 12)); }
click_exit() { click_at $((wx + 864 + 44)) $((wy + 680 + 12)); }

# "終了" clicked: the program ends at once and without an error.
end_program() {
    click_exit
    wait_for 20 eval '! kill -0 "$app_pid" 2>/dev/null' || fail "終了 did not end the program"
    wait "$app_pid" || fail "the program ended with an error"
    app_pid=""
}

stop_x_session() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
