#!/usr/bin/env bash
# run-from-menu.sh COMMAND...
# Inside an X session: starts COMMAND in the current directory, as a desktop
# menu would, waits until QMel's main window shows, then ends the program.
set -euo pipefail
# shellcheck source=tests/packaging/lib.sh
. "$(dirname "$0")/lib.sh"

title='QMel V1,2 by Tavik'
log=$(mktemp)
"$@" >"$log" 2>&1 &
pid=$!

window=
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
        status=0
        wait "$pid" || status=$?
        cat "$log"
        fail "'$*' ended with status $status before its window showed"
    fi
    if window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) && [ -n "$window" ]; then
        break
    fi
    sleep 0.1
done
if [ -z "$window" ]; then
    kill -KILL "$pid"
    cat "$log"
    fail "no window titled '$title' showed within a minute"
fi
owner=$(xdotool getwindowpid "$window" 2>/dev/null || true)
if [ "$owner" != "$pid" ]; then
    kill -KILL "$pid"
    fail "the window '$title' belongs to pid '$owner', not to the started $pid"
fi
echo "window $window '$title' shown by '$*' (pid $pid)"

kill -TERM "$pid"
deadline=$((SECONDS + 10))
while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" || true
