#!/usr/bin/env bash
# Installs what building, running and testing QMel needs on Debian 12,
# and only what is missing. Safe to run again.
set -euo pipefail

packages=(
    # build
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    # fonts the window uses: DejaVu Sans (window) and DejaVu Sans Mono (About text)
    fonts-dejavu-core
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # end-to-end runs on a real X server
    xvfb xauth xdotool x11-utils openbox imagemagick
    # packaging: the validators and the Debian package (make test runs them)
    desktop-file-utils appstream dpkg-dev file
)
if [ "${QMEL_WITH_FUZZ:-0}" = 1 ]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
