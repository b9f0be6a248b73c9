#!/bin/sh
# Sets up a fresh Debian machine and runs every test: the native suites
# (sanitized), the Windows suites and end-to-end tests under Wine on a private
# virtual display, and a compile check of the 32-bit Windows build.
#   scripts/test.sh [ctest arguments, e.g. -R storage]
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

sh scripts/install-deps.sh

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs" "$@"

echo "== windows (x86_64) build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
# The release zip and the installer package; packing fails when an expected
# file is missing.
cmake --build --preset windows --target release msi

echo "== windows tests under Wine"
. "$root/scripts/wine-env.sh"
wine_env_up "$root/build/windows/wineprefix"
ctest --preset windows "$@"
wine_env_down
trap - EXIT INT TERM

if [ "${VALLORA_SKIP_I686:-0}" != 1 ]; then
    echo "== windows (i686) compile check"
    cmake --preset windows-i686 >/dev/null
    cmake --build --preset windows-i686 -j "$jobs"
fi
echo "== all tests passed"
