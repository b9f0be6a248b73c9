#!/bin/sh
# Installs the Debian packages the build, the tests and the kiosk run need.
# Quick when everything is already there.
set -eu
packages="cmake make g++ clang-format clang-tidy libgtest-dev libgmock-dev googletest libbenchmark-dev libssl-dev
g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth xdotool imagemagick x11-utils zip wixl msitools"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
