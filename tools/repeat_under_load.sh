#!/usr/bin/env bash
# Runs one ctest test N times in a row while two shell busy loops keep both cores busy, as
# ctest's -j2 beside a compiler does, and counts passes and failures. The output of every
# failed run is kept. A developer's tool for tests that might depend on timing; not part of
# make test.
#   tools/repeat_under_load.sh NAME N [BUILD_DIR]     (BUILD_DIR: build/default by default)
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ] || ! [[ $2 =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 NAME N [BUILD_DIR]" >&2
    exit 2
fi
name=$1
runs=$2
build=${3:-$(dirname "$0")/../build/default}
logs=$(mktemp -d "${TMPDIR:-/tmp}/repeat-$name-XXXXXX")

loops=()
stop_loops() {
    if [ ${#loops[@]} -gt 0 ]; then
        kill "${loops[@]}" 2>/dev/null || true
        wait "${loops[@]}" 2>/dev/null || true
    fi
}
trap stop_loops EXIT
trap 'exit 130' INT TERM
for _ in 1 2; do
    while :; do :; done &
    loops+=($!)
done

passed=0
failed=0
for run in $(seq "$runs"); do
    start=$SECONDS
    if ctest --test-dir "$build" -R "^$name\$" --no-tests=error --output-on-failure \
        >"$logs/$run.log" 2>&1; then
        passed=$((passed + 1))
        echo "run $run: passed ($((SECONDS - start)) s)"
        rm "$logs/$run.log"
    else
        failed=$((failed + 1))
        echo "run $run: FAILED ($((SECONDS - start)) s), output in $logs/$run.log"
    fi
done
[ "$failed" -gt 0 ] || rmdir "$logs"
echo "$name under load: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
