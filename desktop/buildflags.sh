#!/bin/sh
# Prints Debian's build flags for the package, hardening included:
#   buildflags.sh CXXFLAGS|LDFLAGS
# dpkg 1.21 (Debian 12) predates its stackclash and branch (control-flow protection)
# hardening features. Where dpkg lacks them they are appended the way dpkg offers to
# maintainers, so that a newer dpkg's own flags take over.
set -eu
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
features=$(dpkg-buildflags --query-features hardening)
append=
has() { printf '%s\n' "$features" | grep -qx "Feature: $1"; }
has stackclash || append="$append -fstack-clash-protection"
if ! has branch; then
    case $(dpkg --print-architecture) in
    amd64 | i386) append="$append -fcf-protection" ;;
    arm64) append="$append -mbranch-protection=standard" ;;
    esac
fi
export DEB_CXXFLAGS_MAINT_APPEND="$append"
case ${1:-} in
CXXFLAGS) echo "$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" ;;
LDFLAGS) dpkg-buildflags --get LDFLAGS ;;
*) echo "usage: buildflags.sh CXXFLAGS|LDFLAGS" >&2; exit 2 ;;
esac
