#!/usr/bin/env bash
# install-tree-test.sh BUILD-DIR INSTALLED-FILES APP-ID VERSION
# `cmake --install` into a fresh prefix gives exactly the listed files, and the
# desktop entry, the icon, the metadata and the program point at one another.
set -euo pipefail
# shellcheck source=tests/packaging/lib.sh
. "$(dirname "$0")/lib.sh"

build=$1 list=$2 app_id=$3 version=$4
need_tool file file

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
prefix=$root/usr
if ! env -u DESTDIR cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log"
    fail "cmake --install $build --prefix $prefix"
fi

installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if ! diff <(LC_ALL=C sort "$list") <(echo "$installed"); then
    fail "the install tree is not what $list lists (< missing, > not listed)"
fi

desktop=$prefix/share/applications/qmel.desktop
exec_line=$(desktop_key "$desktop" Exec)
program=${exec_line%% *}
[ -x "$prefix/bin/$program" ] || fail "Exec=$exec_line: no program bin/$program in the prefix"
file -b "$prefix/bin/$program" | grep -q '^ELF' || fail "bin/$program is not an ELF program"
[ "$(desktop_key "$desktop" TryExec)" = "$program" ] || fail "TryExec does not name the program that Exec starts"

icon=$(desktop_key "$desktop" Icon)
png=$prefix/share/icons/hicolor/48x48/apps/$icon.png
[ -f "$png" ] || fail "Icon=$icon: no $icon.png under hicolor/48x48/apps"
file -b "$png" | grep -q '^PNG image data, 48 x 48,' || fail "$png is not a 48x48 PNG: $(file -b "$png")"

# A menu start must run in the home directory, where the metadata says the
# settings are read from; a Path= key would move it.
if grep -q '^Path=' "$desktop"; then
    fail "the desktop entry sets a working directory (Path=)"
fi

metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
grep -q "<id>$app_id</id>" "$metainfo" || fail "$metainfo does not carry the id $app_id"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "the metadata's launchable is not $(basename "$desktop")"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"
# The validators accept metadata without screenshots; software centres show it poorly.
grep -Eq '<image>https://[^<]+</image>' "$metainfo" || fail "the metadata has no screenshot image address"

if command -v appstreamcli >/dev/null; then
    # Cross-checks metadata, desktop entry and icon as a software centre would.
    appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree"
else
    echo "NOTE: appstreamcli is not installed (Debian package appstream); validate-tree left out"
fi
echo "install tree: $(echo "$installed" | wc -l) files, consistent"
