#!/usr/bin/env bash
# Runs the real program on an X server, works it with the keyboard as a user would, and
# reads the clipboard from another process while the program still runs (without a
# clipboard manager the text is gone once the program exits).
#   e2e_clipboard.sh PROGRAM CLIPBOARD_CHECK     (run under xvfb-run)
set -euo pipefail
program=$1
check=$2
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# Polls until the command succeeds, for 20 seconds at most.
wait_for() {
    for _ in $(seq 400); do
        if "$@"; then return 0; fi
        sleep 0.05
    done
    echo "timed out waiting for: $*" >&2
    return 1
}
# A shown prompt other than the one given (each prompt is a dialog of its own).
prompt_other_than() {
    prompt=$(xdotool search --onlyvisible --name '^Ciferon$' 2>/dev/null | grep -vx "$1" | head -n 1)
    [ -n "$prompt" ]
}
no_prompt() { ! xdotool search --onlyvisible --name '^Ciferon$' >/dev/null 2>&1; }
clipboard_filled() {
    xclip -o -selection clipboard -t UTF8_STRING >"$work/clipboard" 2>/dev/null && [ -s "$work/clipboard" ]
}

"$program" &
pid=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Ciferon pro pátou třídu$' | head -n 1)
xdotool windowfocus --sync "$main"

# Generuj has the focus: 20 exercises, an empty line after every 10th.
xdotool key space
wait_for prompt_other_than none
first=$prompt
xdotool windowfocus --sync "$first"
xdotool type 20
xdotool key Return
wait_for prompt_other_than "$first"
xdotool windowfocus --sync "$prompt"
xdotool key Return
wait_for no_prompt

# Tab to the exercise field, add a line of Czech text at its top, Tab on to the copy button.
xdotool windowfocus --sync "$main"
xdotool key Tab ctrl+Home
xdotool type 'příklady č. 1'
xdotool key Return Tab space
wait_for clipboard_filled
"$check" "$work/clipboard" 'příklady č. 1' 20 10

# Tab to quit: the program ends at once, with status 0.
xdotool key Tab Tab space
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "the program ended with status $status" >&2; exit 1; }
echo "end to end: passed"
