#!/usr/bin/env bash
# Makes the release of the commit checked out: OUT/ciferon-VERSION/ (OUT is dist/ unless
# given) with the one-file web page, the Debian package, the source of that commit
# (git archive), SHA256SUMS over the three, and a note for teachers. The page and the package
# are built from the source archive itself, unpacked in a fresh folder, so that what ships is
# what the archive builds. SOURCE_DATE_EPOCH, the commit's time unless set, fixes every date
# in them, so that two runs of the same commit give the same bytes.
#   tools/dist.sh [OUT]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
version=$(sed -n 's/^project(ciferon VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
name=ciferon-$version
deb=ciferon_${version}_amd64.deb
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct HEAD)}
out=${1:-$top/dist}/$name
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "dist: changes not committed are left out; the release is built from $(git rev-parse --short HEAD)" >&2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"
git archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$out/$name.tar.gz"
tar -xzf "$out/$name.tar.gz" -C "$work"
# A make of its own, not a job of one that may have called this script.
env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -C "$work/$name" --no-print-directory web package
cp "$work/$name/build/web/ciferon.html" "$work/$name/build/package/packages/$deb" "$out/"
sed "s/@VERSION@/$version/g" desktop/CTI-ME.txt.in >"$out/CTI-ME.txt"
(cd "$out" && sha256sum ciferon.html "$deb" "$name.tar.gz" >SHA256SUMS)
echo "dist: $out"
cat "$out/SHA256SUMS"
