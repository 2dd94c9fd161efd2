#!/usr/bin/env bash
# deb-test.sh contents|install CPACK-CONFIG INSTALLED-FILES VERSION SUMMARY
#
# contents: builds the Debian package with `cpack -G DEB` and checks its name,
#   its control fields (Depends as dpkg-shlibdeps computes it) and its files.
# install: as root only; also installs it with apt, starts qmel from the
#   desktop entry's command under a virtual X server until its window shows,
#   and removes the package again, whatever happened. The machine's package
#   set afterwards must be what it was before.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/packaging/lib.sh
. "$here/lib.sh"

mode=$1 config=$2 list=$3 version=$4 summary=$5
# A menu start sees the system's PATH, not the test's.
system_path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin

need_tool cpack cmake
need_tool dpkg-deb dpkg
need_tool dpkg-shlibdeps dpkg-dev
need_tool file file
if [ "$mode" = install ]; then
    [ "$(id -u)" -eq 0 ] || skip "installing a package needs root (CI runs as root)"
    need_tool apt-get apt
    need_tool xvfb-run xvfb
    need_tool xauth xauth
    need_tool xdotool xdotool
    status=$(dpkg-query -W -f='${Status}' qmel 2>/dev/null || true)
    case $status in
    "" | *" not-installed") ;;
    *) skip "a qmel package is already on this machine ($status); not touching it" ;;
    esac
    other=$(PATH=$system_path command -v qmel || true)
    [ -z "$other" ] || skip "another qmel ($other) is on the PATH and would hide the package's"
fi

tmp=$(mktemp -d)
# apt reads local packages as the unprivileged _apt user.
chmod 755 "$tmp"
# cpack and dpkg-deb keep their scratch files in here too.
export TMPDIR=$tmp
arch=$(dpkg --print-architecture)
deb_name=qmel_${version}_${arch}.deb
deb=$tmp/out/$deb_name

# --- build ---------------------------------------------------------------
trap 'rm -rf "$tmp"' EXIT
if ! cpack -G DEB --config "$config" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    fail "cpack -G DEB --config $config"
fi
if [ ! -f "$deb" ]; then
    made=$(cd "$tmp/out" && find . -maxdepth 1 -name '*.deb' -printf '%f ')
    fail "expected $deb_name, cpack made: ${made:-nothing}"
fi

# --- control fields --------------------------------------------------------
echo "== dpkg -I $deb_name"
dpkg -I "$deb"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = qmel ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture), not $arch"
description=$(field Description)
[ "${description%%$'\n'*}" = "$summary" ] || fail "the Description's first line is not '$summary'"
[ "$(wc -l <<<"$description")" -gt 1 ] || fail "the Description has no long text"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
# dpkg-shlibdeps names the packages of the libraries the program links, each
# with the least version it needs; nothing else here writes Depends.
depends_names=${depends//, /$'\n'}
for library_package in libc6 libqt6widgets6; do
    grep -Eq "^$library_package \(>= [^)]+\)$" <<<"$depends_names" ||
        fail "Depends does not name $library_package with a version: $depends"
done
if grep -Ev '^[a-z0-9.+-]+ \(>= [^)]+\)$' <<<"$depends_names"; then
    fail "Depends has entries without a version, which dpkg-shlibdeps never writes: $depends"
fi

# --- files ---------------------------------------------------------------
echo "== dpkg -c $deb_name"
dpkg -c "$deb" | tee "$tmp/contents"
# The package's files are the install tree's, under /usr.
if ! diff <(sed 's|^|./usr/|' "$list" | LC_ALL=C sort) \
          <(awk '$1 !~ /^d/ { print $6 }' "$tmp/contents" | LC_ALL=C sort); then
    fail "the package's files are not what $list lists under /usr (< missing, > not listed)"
fi
awk '$6 !~ /^\.\/(usr\/.*)?$/ { bad = 1; print "outside /usr: " $6 } END { exit bad }' "$tmp/contents" ||
    fail "the package has directories outside /usr"
awk '$6 == "./usr/bin/qmel" && $1 == "-rwxr-xr-x" && $2 == "root/root" { ok = 1 } END { exit !ok }' \
    "$tmp/contents" || fail "usr/bin/qmel is not -rwxr-xr-x root/root"

[ "$mode" = install ] || exit 0

# --- install, start from the menu entry, remove -------------------------------
package_set() {
    dpkg-query -W -f='${Package}:${Architecture} ${db:Status-Abbrev}\n' | LC_ALL=C sort
}
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=120 "$@"
}
package_set >"$tmp/packages-before"

restore() {
    local status=$?
    set +e
    if [ "$(dpkg-query -W -f='${Status}' qmel 2>/dev/null)" = "install ok installed" ]; then
        echo "== apt-get remove -y qmel"
        apt_get remove qmel || status=1
    fi
    # Whatever apt pulled in for the package goes too.
    added=$(LC_ALL=C comm -13 <(awk '{ print $1 }' "$tmp/packages-before" | LC_ALL=C sort) \
                              <(package_set | awk '{ print $1 }' | LC_ALL=C sort))
    if [ -n "$added" ]; then
        echo "== apt-get purge -y $added"
        # shellcheck disable=SC2086
        apt_get purge $added || status=1
    fi
    if ! diff "$tmp/packages-before" <(package_set); then
        echo "FAIL: the machine's package set differs from before the test (< before, > after)" >&2
        status=1
    fi
    if [ -e /usr/bin/qmel ] || [ -e /usr/share/applications/qmel.desktop ]; then
        echo "FAIL: files of the package are still installed" >&2
        status=1
    fi
    rm -rf "$tmp"
    exit "$status"
}
trap restore EXIT
trap 'exit 1' INT TERM

echo "== apt-get install -y ./$deb_name"
apt_get install --no-install-recommends "$deb" || fail "apt-get install $deb"

installed_at=$(PATH=$system_path command -v qmel) || fail "qmel is not on the PATH after the install"
[ "$installed_at" = /usr/bin/qmel ] || fail "qmel on the PATH is $installed_at, not /usr/bin/qmel"

exec_line=$(desktop_key /usr/share/applications/qmel.desktop Exec)
[ -n "$exec_line" ] || fail "the installed desktop entry has no Exec"
# Field codes stand for files the menu would pass; a plain start passes none.
read -ra command <<<"${exec_line//%[fFuUdDnNickvm]/}"

# The menu starts the program in the home directory with the session's
# environment: a fresh home, nothing inherited from the test.
home=$tmp/home
mkdir -m 700 "$home" "$tmp/runtime"
echo "== $exec_line (from the desktop entry) in $home under xvfb-run"
(cd "$home" && env -i PATH="$system_path" HOME="$home" USER=root LANG=C.UTF-8 \
    TMPDIR="$tmp" XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/run-from-menu.sh" "${command[@]}") ||
    fail "the program started from the desktop entry did not show its window"
