# shellcheck shell=bash disable=SC2034,SC2154  # constants for, and variables from, the journeys
# Shared by the end-to-end journeys: a private X server with a window manager,
# the program started in a start-up directory of its own, the pointer and the
# keys that drive it, and the checks made from outside.
#
# The caller sets: qmel, recorder (paths of the built programs) and shots
# (where screenshots go). Every wait is bounded; everything started here is
# ended and the temporary directory removed on exit, however the journey ends.

readonly main_title='QMel V1,2 by Tavik'
readonly box_title='QMel v1.2'
readonly wait_seconds=20

fail() {
    echo "FAIL: $*" >&2
    if [ -s "${work:-}/qmel.log" ]; then
        echo "--- qmel's output:" >&2
        cat "$work/qmel.log" >&2
    fi
    exit 1
}

# ctest reports exit code 77 as a skip (SKIP_RETURN_CODE).
skip() {
    echo "SKIPPED: $*"
    exit 77
}

need_tool() {  # need_tool COMMAND DEBIAN-PACKAGE
    command -v "$1" >/dev/null ||
        skip "$1 is not installed (Debian package $2; scripts/install-deps.sh installs it)"
}

# Runs COMMAND until it succeeds, for at most wait_seconds.
wait_until() {  # wait_until WHAT COMMAND...
    local what=$1
    shift
    local deadline=$((SECONDS + wait_seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "waited ${wait_seconds} s for $what"
        sleep 0.1
    done
}

# --- the session --------------------------------------------------------------

work=
xvfb_pid=
wm_pid=
qmel_pid=

# TERM first, so that Xvfb removes its socket and lock; KILL after a while.
stop() {  # stop PID
    [ -n "$1" ] || return 0
    kill -TERM "$1" 2>/dev/null
    local _
    for _ in {1..50}; do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

end_session() {
    set +e  # whatever fails here, the journey's own status stands
    stop "$qmel_pid"
    stop "$wm_pid"
    stop "$xvfb_pid"
    [ -n "$work" ] && rm -rf "$work"
}

display_announced() { [ -n "$(head -n 1 "$work/display")" ]; }
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# An X server on a free display, openbox on it, and a temporary directory in
# which the journey keeps everything, the program's home included.
start_session() {
    need_tool Xvfb xvfb
    need_tool xdotool xdotool
    need_tool openbox openbox
    need_tool xwininfo x11-utils
    need_tool xprop x11-utils
    need_tool import imagemagick
    trap end_session EXIT
    # Short, so that the directory list shows the start-up directory's rows.
    work=$(realpath "$(mktemp -d /tmp/qmel-e2e.XXXXXX)")
    mkdir -m 700 "$work/home" "$work/runtime" "$work/records"
    export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime QMEL_RECORDER_DIR=$work/records
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY SESSION_MANAGER

    # Xvfb picks a free display itself and writes its number once it listens.
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_until "Xvfb to start" display_announced
    DISPLAY=":$(head -n 1 "$work/display")"
    export DISPLAY
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_until "openbox to manage the screen" window_manager_running
}

# --- the program --------------------------------------------------------------

start_qmel() {  # start_qmel START-UP-DIRECTORY
    (cd "$1" && exec "$qmel") >"$work/qmel.log" 2>&1 &
    qmel_pid=$!
}

qmel_running() { kill -0 "$qmel_pid" 2>/dev/null; }
qmel_ended() { ! qmel_running; }

expect_running() {
    qmel_running || fail "qmel has ended; it should still run"
}

# Waits for the program to end by itself and checks its exit code.
expect_exit() {  # expect_exit CODE
    wait_until "qmel to end" qmel_ended
    local status=0
    wait "$qmel_pid" || status=$?
    qmel_pid=
    [ "$status" -eq "$1" ] || fail "qmel ended with exit code $status, not $1"
}

# --- windows ------------------------------------------------------------------

visible_window() {  # visible_window TITLE: its id, or nothing
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

found_window=
window_shown() {
    qmel_running || fail "qmel ended while a window '$1' was awaited"
    found_window=$(visible_window "$1")
    [ -n "$found_window" ]
}

window_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Waits until a window titled TITLE is shown and has the focus (openbox has
# placed it), and prints its id.
wait_for_window() {  # wait_for_window TITLE
    wait_until "a window titled '$1'" window_shown "$1"
    wait_until "window '$1' to get the focus" window_active "$found_window"
    echo "$found_window"
}

window_gone() { [ -z "$(visible_window "$1")" ]; }

wait_for_window_gone() {  # wait_for_window_gone TITLE
    wait_until "window '$1' to go away" window_gone "$1"
}

expect_no_window() {  # expect_no_window TITLE
    window_gone "$1" || fail "a window titled '$1' is shown; it should not be"
}

# Prints "X Y WIDTH HEIGHT" of the window's client area on the screen.
client_geometry() {  # client_geometry WINDOW
    xwininfo -id "$1" | awk -F: '
        /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
        /Width/ { w = $2 } /Height/ { h = $2 }
        END { print x + 0, y + 0, w + 0, h + 0 }'
}

# Prints "LEFT RIGHT TOP BOTTOM": the frame that openbox puts around it.
frame_extents() {  # frame_extents WINDOW
    xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,
}

# Clicks COUNT times (1 or 2) at the point "X Y" of the window's client area.
click() {  # click WINDOW POINT [COUNT]
    local x y w h px py
    read -r x y w h < <(client_geometry "$1")
    read -r px py <<<"$2"
    timeout "$wait_seconds" xdotool mousemove $((x + px)) $((y + py)) \
        click --repeat "${3:-1}" --delay 120 1 || fail "xdotool could not click"
}

# The close button at the right end of openbox's title bar.
click_close_button() {  # click_close_button WINDOW
    local x y w h left right top bottom
    read -r x y w h < <(client_geometry "$1")
    read -r left right top bottom < <(frame_extents "$1")
    [ -n "$top" ] || fail "window $1 has no frame"
    timeout "$wait_seconds" xdotool mousemove $((x + w + right - 11)) $((y - top / 2)) click 1 ||
        fail "xdotool could not click"
}

# Gives the window the focus, then presses KEYS (xdotool's names: alt+F4, Return).
press() {  # press WINDOW KEYS
    timeout "$wait_seconds" xdotool windowactivate --sync "$1" key "$2" ||
        fail "could not press $2 in window $1"
}

# A PNG in $shots: the window with its frame and whatever lies over it, or
# the whole screen without WINDOW.
screenshot() {  # screenshot NAME [WINDOW]
    local crop=()
    if [ -n "${2:-}" ]; then
        local x y w h left right top bottom
        read -r x y w h < <(client_geometry "$2")
        read -r left right top bottom < <(frame_extents "$2")
        crop=(-crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))")
    fi
    mkdir -p "$shots"
    import -window root "${crop[@]}" "$shots/$1.png" || fail "no screenshot $1"
}

# --- the layout, in client coordinates ------------------------------------------

readonly start_button='404 340'
readonly quit_button='404 380'

directory_row() { echo "60 $((56 + 1 + 16 * $1 + 8))"; }  # directory_row INDEX
file_row() { echo "60 $((160 + 1 + 13 * $1 + 6))"; }       # file_row INDEX

# The index of a directory's first subdirectory row: "/" and one ancestor
# row per component before it.
first_subdirectory_row() {  # first_subdirectory_row DIRECTORY
    local slashes=${1//[!\/]/}
    echo $((${#slashes} + 1))
}

# --- checks from outside --------------------------------------------------------

expect_bytes() {  # expect_bytes FILE BYTES
    printf '%s' "$2" >"$work/expected"
    cmp "$work/expected" "$1" || fail "$1 does not hold exactly '$2'"
}

expect_same_file() {  # expect_same_file EXPECTED ACTUAL
    cmp "$1" "$2" || fail "$2 has changed"
}

expect_names() {  # expect_names DIRECTORY NAME...
    local actual expected
    actual=$(cd "$1" && LC_ALL=C ls -A)
    expected=$(printf '%s\n' "${@:2}" | LC_ALL=C sort)
    [ "$actual" = "$expected" ] || fail "$1 holds [${actual//$'\n'/ }], not [${expected//$'\n'/ }]"
}

records() { find "$work/records" -name '*.rec'; }
record_written() { [ -n "$(records)" ]; }

# The emulator has been started once more, in CWD with exactly ARGUMENTS
# (argv[0] first). Checked records are removed, so each start is seen once.
expect_start() {  # expect_start CWD ARGUMENT...
    wait_until "the emulator to start" record_written
    local found
    found=$(records)
    [ "$(echo "$found" | wc -l)" -eq 1 ] || fail "the emulator started more than once: $found"
    printf '%s\0' "$@" >"$work/expected"
    cmp "$work/expected" "$found" ||
        fail "the emulator's start differs: $(tr '\0' '|' <"$found"), not $(tr '\0' '|' <"$work/expected")"
    rm -f "$found"
}

expect_no_more_starts() {
    [ -z "$(ls -A "$work/records")" ] || fail "unexpected emulator starts: $(ls -A "$work/records")"
}

install_emulator() {  # install_emulator DIRECTORY
    mkdir -p "$1"
    cp "$recorder" "$1/dboy.exe"
}
