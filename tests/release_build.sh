#!/usr/bin/env bash
# Builds the project as a packager would, a plain Release build with none of our presets (so
# warnings are not errors), with clang or GCC, and fails on any warning; then runs that
# build's tests unless told to build only. The package test is left out: it builds the
# package's own configuration, not this one.
#   release_build.sh SOURCE_DIR BUILD_DIR [COMPILER [--build-only]]
set -euo pipefail
source=$1
build=$2
compiler=${3:-clang++}
rm -rf "$build"
CXX=$compiler cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release >"$build.log" 2>&1
cmake --build "$build" -j2 >>"$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
if grep -q 'warning:' "$build.log"; then
    grep -A3 'warning:' "$build.log" >&2
    exit 1
fi
[ "${4:-}" = --build-only ] && exit 0
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j2 --output-on-failure -E '^debian_package$'
