#!/usr/bin/env bash
# Builds the Debian package, checks its files and dependencies, unpacks it into a scratch
# root and starts the unpacked program on an X server until its window shows.
#   package_check.sh BUILD_DIR      (run under xvfb-run)
set -euo pipefail
trap 'echo "package: failed at line $LINENO" >&2' ERR
build=$1
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb=$(ls "$work"/out/*.deb)
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' | grep -v '/$' | sort >"$work/files"
expected='/usr/bin/ciferon
/usr/share/applications/cz.ciferon.Ciferon.desktop
/usr/share/icons/hicolor/scalable/apps/cz.ciferon.Ciferon.svg
/usr/share/metainfo/cz.ciferon.Ciferon.metainfo.xml'
if [ "$(cat "$work/files")" != "$expected" ]; then
    echo "package files differ:" >&2
    diff <(echo "$expected") "$work/files" >&2
    exit 1
fi
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
    grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
export QT_QPA_PLATFORM=xcb
"$work/root/usr/bin/ciferon" &
pid=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Ciferon pro pátou třídu$' >/dev/null
echo "package: $(basename "$deb") holds the expected files and its program starts"
