# shellcheck shell=bash
# Shared by the packaging test scripts.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# ctest reports exit code 77 as a skip (SKIP_RETURN_CODE).
skip() {
    echo "SKIPPED: $*"
    exit 77
}

need_tool() {  # need_tool COMMAND DEBIAN-PACKAGE
    command -v "$1" >/dev/null || skip "$1 is not installed (Debian package $2; scripts/install-deps.sh installs it)"
}

# The value of KEY in the [Desktop Entry] group of a desktop file.
desktop_key() {  # desktop_key FILE KEY
    awk -v key="$2" '
        /^\[/ { in_entry = ($0 == "[Desktop Entry]"); next }
        in_entry && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
    ' "$1"
}
