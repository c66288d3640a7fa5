#!/usr/bin/env bash
# Takes the README's screenshot: the program under Xvfb after a run of 20 exercises.
#   tools/screenshot.sh PROGRAM OUTPUT.png
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
source "$(dirname "$0")/xdrive.sh"
pid=
trap 'kill "$pid" 2>/dev/null || true' EXIT
start_program "$1"
generate 20
import -window "$main" "$2"
echo "screenshot: $2"
