#!/usr/bin/env bash
# Builds the Debian package as `make package` does, checks it with Debian's own tools
# (lintian, hardening-check, man), checks its files and dependencies, unpacks it into a
# scratch root and starts the unpacked program on an X server until its window shows.
#   package_check.sh SOURCE_DIR VERSION      (run under xvfb-run)
set -euo pipefail
trap 'echo "package: failed at line $LINENO" >&2' ERR
source=$1
version=$2
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# A make of its own, not a job of the one that may be running these tests.
env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -C "$source" --no-print-directory package >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; exit 1; }
deb=$source/build/package/packages/ciferon_${version}_amd64.deb

lintian --fail-on error,warning "$deb" 2>/dev/null

dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' | grep -v '/$' | sort >"$work/files"
expected='/usr/bin/ciferon
/usr/share/applications/cz.ciferon.Ciferon.desktop
/usr/share/doc/ciferon/changelog.gz
/usr/share/doc/ciferon/copyright
/usr/share/icons/hicolor/scalable/apps/cz.ciferon.Ciferon.svg
/usr/share/man/man1/ciferon.1.gz
/usr/share/metainfo/cz.ciferon.Ciferon.metainfo.xml'
if [ "$(cat "$work/files")" != "$expected" ]; then
    echo "package files differ:" >&2
    diff <(echo "$expected") "$work/files" >&2
    exit 1
fi
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-translations-l10n; do
    grep -q "$package" <<<"$depends" || { echo "Depends lacks $package: $depends" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"

# Every place that names the version names the project's: the package, its changelog, the
# manual page, the AppStream releases and the README's file names.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ]
[ "$(zcat "$work/root/usr/share/doc/ciferon/changelog.gz" | sed -n 1p | cut -d" " -f1-2)" = "ciferon ($version)" ]
zcat "$work/root/usr/share/man/man1/ciferon.1.gz" | grep -q "^\.TH CIFERON 1 .* \"Ciferon $version\""
grep -m 1 '<release ' "$work/root/usr/share/metainfo/cz.ciferon.Ciferon.metainfo.xml" |
    grep -qF "version=\"$version\""
[ -z "$(grep -oE 'ciferon[_-][0-9]+\.[0-9]+\.[0-9]+' "$source/README.md" | grep -vE "[_-]$version\$")" ]

# The manual page renders with no warning from groff (-ww).
man --warnings -E UTF-8 -l -Tutf8 "$work/root/usr/share/man/man1/ciferon.1.gz" 2>"$work/man" >/dev/null
[ ! -s "$work/man" ] || { cat "$work/man" >&2; exit 1; }

# hardening-check: every line, with two exceptions that no correct program can pass here.
# Fortify: the check sees only __*_chk calls, which the compiler emits where it knows the
# size of the destination; memcpy, memmove and memset into heap strings stay plain.
# Control flow: the linker marks a program IBT/SHSTK only when every object it links is
# marked, and where the C library's own start-up file is not (Debian 12), neither is any
# program.
exempt=()
report=$(hardening-check --verbose "$work/root/usr/bin/ciferon" || true)
if grep -q 'Fortify Source functions: no, only unprotected functions found' <<<"$report" &&
    ! grep -qP '^\tunprotected: (?!(memcpy|memmove|memset)$)' <<<"$report"; then
    exempt+=(--nofortify)
fi
readelf -n "$(g++ -print-file-name=crti.o)" | grep -q 'x86 feature: IBT, SHSTK' || exempt+=(--nocfprotection)
hardening-check "${exempt[@]}" "$work/root/usr/bin/ciferon"

export QT_QPA_PLATFORM=xcb
"$work/root/usr/bin/ciferon" &
pid=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Ciferon pro pátou třídu$' >/dev/null
echo "package: $(basename "$deb") passes lintian and hardening-check, holds the expected files and its program starts"
