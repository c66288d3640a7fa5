#!/usr/bin/env bash
# Runs the real program on an X server, works it with the keyboard as a user would, and
# reads the clipboard from another process while the program still runs (without a
# clipboard manager the text is gone once the program exits).
#   e2e_clipboard.sh PROGRAM CLIPBOARD_CHECK     (run under xvfb-run)
set -euo pipefail
trap 'echo "end to end: failed at line $LINENO" >&2' ERR
# A real X server, whatever platform the other tests use.
export QT_QPA_PLATFORM=xcb
source "$(dirname "$0")/../tools/xdrive.sh"
check=$2
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

clipboard_filled() {
    xclip -o -selection clipboard -t UTF8_STRING >"$work/clipboard" 2>/dev/null && [ -s "$work/clipboard" ]
}

# 20 exercises, an empty line after every 10th.
start_program "$1"
generate 20

# Tab to the exercise field, add a line of Czech text at its top, typed on a Czech keyboard,
# Tab on to the copy button.
czech_keyboard
xdotool key Tab ctrl+Home
xdotool type 'příklady č. 1'
xdotool key Return Tab space
wait_for clipboard_filled
"$check" "$work/clipboard" 'příklady č. 1' 20 10

# Tab to quit: the program ends at once, with status 0.
xdotool key Tab Tab space
ended_well() {
    local status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || { echo "the program ended with status $status" >&2; return 1; }
}
ended_well

# Started with a sheet's code, the window shows that sheet: copied, it is byte for byte what
# the command line writes for the code. Ctrl+Q, the menu's Konec, ends the program.
code=4XY1-ZKRX
"$1" --code "$code" --text >"$work/expected"
start_program "$1" --code "$code"
xclip -selection clipboard -i /dev/null
xdotool key Tab Tab space
wait_for clipboard_filled
cmp "$work/expected" "$work/clipboard"
xdotool key ctrl+q
ended_well
echo "end to end: passed"
