#!/usr/bin/env bash
# Builds the project as a packager would, a plain Release build with none of our presets (so
# warnings are not errors), with GCC unless told otherwise, and fails on any warning. GCC
# warns of some things only at -O3, which no preset builds.
#   release_build.sh SOURCE_DIR BUILD_DIR [COMPILER]
set -euo pipefail
source=$1
build=$2
compiler=${3:-g++}
rm -rf "$build"
CXX=$compiler cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release >"$build.log" 2>&1
cmake --build "$build" -j2 >>"$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
if grep -q 'warning:' "$build.log"; then
    grep -A3 'warning:' "$build.log" >&2
    exit 1
fi
