#!/usr/bin/env bash
# validate.sh desktop FILE | metainfo FILE
# Runs Debian's validator on a configured desktop entry or AppStream file.
# Any hint or warning counts as a failure, not only errors.
set -euo pipefail
# shellcheck source=tests/packaging/lib.sh
. "$(dirname "$0")/lib.sh"

kind=$1 file=$2
[ -f "$file" ] || fail "$file does not exist"
case $kind in
desktop)
    need_tool desktop-file-validate desktop-file-utils
    output=$(desktop-file-validate "$file" 2>&1) || fail "desktop-file-validate: $output"
    [ -z "$output" ] || fail "desktop-file-validate: $output"
    ;;
metainfo)
    need_tool appstreamcli appstream
    appstreamcli validate --no-net --strict --explain "$file" || fail "appstreamcli validate"
    ;;
*)
    fail "unknown kind $kind"
    ;;
esac
echo "$file: valid"
