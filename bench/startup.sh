#!/usr/bin/env bash
# Start-up time of the program against one empty Qt Widgets window built the same way,
# each from process start to its window shown, on an X server (Xvfb), with hyperfine.
#   bench/startup.sh BUILD_DIR
set -euo pipefail
build=${1:-build/default}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
hyperfine --warmup 5 --runs 40 --export-markdown "$build/startup.md" \
    -n minimal "$build/bench/startup_minimal" \
    -n ciferon "$build/bench/startup_ciferon"
/usr/bin/time -f 'ciferon peak RSS: %M KiB' "$build/bench/startup_ciferon"
/usr/bin/time -f 'minimal peak RSS: %M KiB' "$build/bench/startup_minimal"
