#!/usr/bin/env bash
# Builds the release of the commit checked out twice, in two clones at different paths, one
# after the other, and compares them: the same SHA256SUMS and teachers' note, or the first
# file that differs, shown with diffoscope where it is installed, else with cmp.
#   tools/dist_check.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# A source archive has no history: there is no commit to build twice (the test suite counts
# this status as skipped).
if [ "$(git -C "$top" rev-parse --show-toplevel 2>/dev/null)" != "$top" ]; then
    echo "dist-check: $top is not a git checkout; nothing to build twice" >&2
    exit 77
fi
commit=$(git -C "$top" rev-parse HEAD)
version=$(sed -n 's/^project(ciferon VERSION \([0-9.]*\) .*/\1/p' "$top/CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for side in a b/a-longer-path; do
    git clone -q --no-hardlinks "$top" "$work/$side"
    git -C "$work/$side" checkout -q --detach "$commit"
    "$work/$side/tools/dist.sh" "$work/$side/dist" >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
done
first=$work/a/dist/ciferon-$version
second=$work/b/a-longer-path/dist/ciferon-$version
for file in SHA256SUMS ciferon.html "ciferon_${version}_amd64.deb" "ciferon-$version.tar.gz" CTI-ME.txt; do
    if ! cmp -s "$first/$file" "$second/$file"; then
        echo "dist-check: $file differs between the two builds" >&2
        if command -v diffoscope >/dev/null; then
            diffoscope "$first/$file" "$second/$file" | head -n 80 >&2 || true
        else
            cmp "$first/$file" "$second/$file" >&2 || true
        fi
        exit 1
    fi
done
echo "dist-check: two builds of $(git -C "$top" rev-parse --short HEAD) at different paths gave the same files:"
cat "$first/SHA256SUMS"
