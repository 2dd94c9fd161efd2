#!/usr/bin/env bash
# journeys.sh JOURNEY QMEL RECORDER SCREENSHOT-DIRECTORY
# One journey of a user through the built program on a private X server with
# openbox, driven by real pointer and key events, checked from outside: the
# files on disk, what the recorder (standing in for dboy.exe) saw, and the
# exit code. Each leaves SCREENSHOT-DIRECTORY/JOURNEY.png.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"

# An empty start-up directory: the window appears, Quit saves both files there.
first_run() {
    local start=$work/start
    mkdir "$start"
    start_qmel "$start"
    local window
    window=$(wait_for_window "$main_title")
    # Outer top-left corner and client size.
    local x y w h left right top bottom
    read -r x y w h < <(client_geometry "$window")
    read -r left right top bottom < <(frame_extents "$window")
    [ "$((x - left)) $((y - top)) $w $h" = "261 134 536 427" ] ||
        fail "the window is at $((x - left)),$((y - top)) with a client area of $w by $h"
    screenshot first_run "$window"
    click "$window" "$quit_button"
    expect_exit 0
    expect_names "$start" QMel_DBoyPath.ini Qmel_DBoyRoms.ini
    expect_bytes "$start/QMel_DBoyPath.ini" "$start"
    expect_bytes "$start/Qmel_DBoyRoms.ini" ""
}

# Stored emulator and ROM directories: a double-click and Start each run the
# emulator once, in the ROM directory, on the bare name.
launch() {
    local start=$work/start emulator=$work/emu roms=$work/roms
    install_emulator "$emulator"
    mkdir "$start" "$roms"
    touch "$roms/a b.gb" "$roms/Zelda.GBC" "$roms/notes.txt"
    printf '%s' "$emulator" >"$start/QMel_DBoyPath.ini"
    printf '%s' "$roms" >"$start/QMel_DBoyRoms.ini"
    cp -p "$start/QMel_DBoyPath.ini" "$start/QMel_DBoyRoms.ini" "$work/"

    start_qmel "$start"
    local window
    window=$(wait_for_window "$main_title")
    click "$window" "$(file_row 0)" 2
    expect_start "$roms" "$emulator/dboy.exe" -verbose 0 "a b.gb"
    click "$window" "$(file_row 1)"
    click "$window" "$start_button"
    expect_start "$roms" "$emulator/dboy.exe" -verbose 0 Zelda.GBC
    screenshot launch "$window"
    click "$window" "$quit_button"
    expect_exit 0

    expect_no_more_starts
    # Saved into the emulator directory; the start-up directory keeps its files.
    expect_names "$emulator" QMel_DBoyPath.ini Qmel_DBoyRoms.ini dboy.exe
    expect_bytes "$emulator/QMel_DBoyPath.ini" "$emulator"
    expect_bytes "$emulator/Qmel_DBoyRoms.ini" "$roms"
    expect_names "$start" QMel_DBoyPath.ini QMel_DBoyRoms.ini
    expect_same_file "$work/QMel_DBoyPath.ini" "$start/QMel_DBoyPath.ini"
    expect_same_file "$work/QMel_DBoyRoms.ini" "$start/QMel_DBoyRoms.ini"
}

# Double-clicks in the directory list move to a subdirectory; closing with the
# title-bar button saves it, and the next run opens there (closed by Alt+F4).
browse_and_close() {
    local start=$work/start
    install_emulator "$start"
    mkdir "$start/sub"
    touch "$start/sub/tetris.gb"

    start_qmel "$start"
    local window
    window=$(wait_for_window "$main_title")
    click "$window" "$(directory_row "$(first_subdirectory_row "$start")")" 2
    click_close_button "$window"
    expect_exit 0
    expect_names "$start" QMel_DBoyPath.ini Qmel_DBoyRoms.ini dboy.exe sub
    expect_bytes "$start/QMel_DBoyPath.ini" "$start"
    expect_bytes "$start/Qmel_DBoyRoms.ini" "$start/sub"

    start_qmel "$start"
    window=$(wait_for_window "$main_title")
    click "$window" "$(file_row 0)" 2
    expect_start "$start/sub" "$start/dboy.exe" -verbose 0 tetris.gb
    screenshot browse_and_close "$window"
    press "$window" alt+F4
    expect_exit 0
    expect_no_more_starts
    expect_names "$start" QMel_DBoyPath.ini Qmel_DBoyRoms.ini dboy.exe sub
    expect_bytes "$start/Qmel_DBoyRoms.ini" "$start/sub"
}

# The stored emulator directory is gone, so no save can succeed: closing and
# Quit each show the failure box and leave the window open; only a signal
# ends the program, without saving.
save_fails() {
    local start=$work/start
    mkdir "$start"
    printf '%s' "$work/missing" >"$start/QMel_DBoyPath.ini"
    printf '%s' "$start" >"$start/QMel_DBoyRoms.ini"
    cp -p "$start/QMel_DBoyPath.ini" "$start/QMel_DBoyRoms.ini" "$work/"

    start_qmel "$start"
    local window box
    window=$(wait_for_window "$main_title")
    press "$window" alt+F4
    box=$(wait_for_window "$box_title")
    # The box reads "Cannot create file <work>/missing/QMel_DBoyPath.ini."
    screenshot save_fails "$window"
    press "$box" Return
    wait_for_window_gone "$box_title"
    expect_running
    [ "$(visible_window "$main_title")" = "$window" ] || fail "the main window has gone"

    click "$window" "$quit_button"
    box=$(wait_for_window "$box_title")
    # OK, the box's only button, at its lower right.
    local x y w h
    read -r x y w h < <(client_geometry "$box")
    click "$box" "$((w - 50)) $((h - 23))"
    wait_for_window_gone "$box_title"
    expect_running

    kill -TERM "$qmel_pid"
    expect_exit 0
    expect_names "$start" QMel_DBoyPath.ini QMel_DBoyRoms.ini
    expect_same_file "$work/QMel_DBoyPath.ini" "$start/QMel_DBoyPath.ini"
    expect_same_file "$work/QMel_DBoyRoms.ini" "$start/QMel_DBoyRoms.ini"
    [ ! -e "$work/missing" ] || fail "the missing emulator directory has appeared"
}

# The stored ROM directory is gone: the failure box shows before the main
# window; after OK the window opens in the start-up directory.
load_fails() {
    local start=$work/start
    install_emulator "$start"
    touch "$start/mario.gb"
    printf '%s' "$work/gone" >"$start/QMel_DBoyRoms.ini"

    start_qmel "$start"
    local box window
    box=$(wait_for_window "$box_title")
    expect_no_window "$main_title"
    # The box reads "File not found."
    screenshot load_fails-box
    press "$box" Return
    window=$(wait_for_window "$main_title")
    click "$window" "$(file_row 0)" 2
    expect_start "$start" "$start/dboy.exe" -verbose 0 mario.gb
    screenshot load_fails "$window"
    click "$window" "$quit_button"
    expect_exit 0
    expect_no_more_starts
    # The ROM-directory file keeps its name and the text it was read with.
    expect_names "$start" QMel_DBoyPath.ini QMel_DBoyRoms.ini dboy.exe mario.gb
    expect_bytes "$start/QMel_DBoyPath.ini" "$start"
    expect_bytes "$start/QMel_DBoyRoms.ini" "$work/gone"
}

journey=$1 qmel=$2 recorder=$3 shots=$4
case $journey in
first_run | launch | browse_and_close | save_fails | load_fails) ;;
*) fail "no journey '$journey'" ;;
esac
start_session
"$journey"
echo "PASS: $journey"
