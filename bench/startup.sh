#!/usr/bin/env bash
# Start-up of the program against two yardsticks built the same way, on an X server (Xvfb):
# one empty Qt Widgets window, and the main window's own widgets without the program
# (startup_widgets), whose difference from the program is what the program itself costs. The
# time from process start to the window's first paint, the instructions to it, and
# (hyperfine) the whole run of a process that quits once shown.
#   bench/startup.sh BUILD_DIR
set -euo pipefail
build=${1:-build/default}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
runs=40

# Mean milliseconds from the launch to the printed time of the first paint.
to_shown() {
    local program=$1 total=0 start shown
    for _ in 1 2 3; do "$program" >/dev/null; done  # warm the caches
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        shown=$("$program")
        total=$((total + shown - start))
    done
    echo "scale=1; $total / $runs / 1000000" | bc
}
minimal=$(to_shown "$build/bench/startup_minimal")
widgets=$(to_shown "$build/bench/startup_widgets")
ciferon=$(to_shown "$build/bench/startup_ciferon")
echo "start to window shown, mean of $runs: minimal $minimal ms, widgets $widgets ms," \
    "ciferon $ciferon ms; ratio to minimal $(echo "scale=2; $ciferon / $minimal" | bc)," \
    "to widgets $(echo "scale=2; $ciferon / $widgets" | bc)"

# Instructions, which unlike times repeat exactly from run to run (valgrind's callgrind).
instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 >/dev/null |
        awk '/Collected/ { if ($NF > most) most = $NF } END { print most }'
}
minimal=$(instructions "$build/bench/startup_minimal")
widgets=$(instructions "$build/bench/startup_widgets")
ciferon=$(instructions "$build/bench/startup_ciferon")
echo "instructions of the whole run: minimal $minimal, widgets $widgets, ciferon $ciferon;" \
    "ratio to minimal $(echo "scale=3; $ciferon / $minimal" | bc)," \
    "to widgets $(echo "scale=3; $ciferon / $widgets" | bc)"

hyperfine --warmup 5 --runs "$runs" --output=null \
    -n minimal "$build/bench/startup_minimal" \
    -n widgets "$build/bench/startup_widgets" \
    -n ciferon "$build/bench/startup_ciferon"
/usr/bin/time -f 'ciferon peak RSS: %M KiB' "$build/bench/startup_ciferon" >/dev/null
/usr/bin/time -f 'widgets peak RSS: %M KiB' "$build/bench/startup_widgets" >/dev/null
/usr/bin/time -f 'minimal peak RSS: %M KiB' "$build/bench/startup_minimal" >/dev/null
