#!/usr/bin/env bash
# take-screenshot.sh QMEL-BINARY [OUTPUT.png]
# Retakes the main-window screenshot that the AppStream metadata points at:
# QMel on a virtual X server, started in ~/Games/roms of a made-up user
# "player" holding four empty ROM files, so that no real path shows.
# Needs root (a private mount namespace puts that home over /home for this
# run only), xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
qmel=$(realpath "$1")
output=$(realpath -m "${2:-$(dirname "$0")/screenshots/main-window.png}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
roms=$work/home/player/Games/roms
mkdir -p "$roms" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"
touch "$roms"/{adventure.gb,puzzle.gbc,racing.zip,space-shooter.gb}

cat >"$work/shoot.sh" <<'SHOOT'
set -euo pipefail
"$QMEL" &
pid=$!
deadline=$((SECONDS + 30))
window=
until window=$(xdotool search --onlyvisible --name '^QMel V1,2 by Tavik$' 2>/dev/null | head -n 1) && [ -n "$window" ]; do
    [ "$SECONDS" -lt "$deadline" ] || { kill "$pid"; echo "no window" >&2; exit 1; }
    sleep 0.2
done
sleep 1  # let the first paint finish
import -window "$window" "$OUTPUT"
kill "$pid"
SHOOT

unshare -m bash -c '
    mount --make-rprivate /
    mount --bind "$0/home" /home
    cd /home/player/Games/roms
    env -i PATH="$PATH" HOME=/home/player LANG=C.UTF-8 TMPDIR="$0/tmp" \
        XDG_RUNTIME_DIR="$0/runtime" QMEL="$1" OUTPUT="$2" \
        xvfb-run -a -s "-screen 0 1024x768x24" bash "$0/shoot.sh"
' "$work" "$qmel" "$output"
echo "wrote $output"
