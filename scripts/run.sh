#!/usr/bin/env bash
# Starts the built program in the current directory, or says plainly why not.
set -u
program=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "qmel: no display found (DISPLAY is not set). Start it on a desktop, or under a virtual X server: xvfb-run -a $program" >&2
    exit 1
fi
exec "$program"
