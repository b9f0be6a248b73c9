#!/bin/sh
# Runs clang-tidy with the repository's .clang-tidy checks over every source
# file of the product: portable files against the native build's compile
# commands, Win32 files against the MinGW build's (parsed by clang for the
# MinGW target). Prints the warnings and fails when there is any.
#   scripts/lint.sh            (after cmake --preset native and --preset windows)
set -eu
cd "$(dirname "$0")/.."
status=0
out=$(mktemp)
trap 'rm -f "$out"' EXIT

portable=$(find src -name '*.cpp' ! -name '*_win32.cpp' | sort)
win32=$(find src -name '*_win32.cpp' | sort)

# shellcheck disable=SC2086
clang-tidy -quiet -p build/native $portable >"$out" 2>/dev/null || true
# clang finds the MinGW C headers by itself, the C++ library's through these.
cxx=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++ | head -1)
# shellcheck disable=SC2086
clang-tidy -quiet -p build/windows --extra-arg=--target=x86_64-w64-mingw32 \
    --extra-arg=-Wno-unknown-warning-option \
    --extra-arg=-isystem"$cxx" --extra-arg=-isystem"$cxx/x86_64-w64-mingw32" \
    --extra-arg=-isystem"$cxx/backward" $win32 >>"$out" 2>/dev/null || true

if grep -E ': (warning|error):' "$out"; then status=1; fi
[ "$status" = 0 ] && echo "clang-tidy: no warnings"
exit "$status"
