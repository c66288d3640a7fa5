# Shell functions that work the running program on an X server with xdotool, as a user
# would at the keyboard. Sourced by the end-to-end test and the screenshot script.

# Polls until the command succeeds, for 20 seconds at most.
wait_for() {
    for _ in $(seq 400); do
        if "$@"; then return 0; fi
        sleep 0.05
    done
    echo "timed out waiting for: $*" >&2
    return 1
}

# Sets $prompt to a shown prompt other than the one given (each prompt is its own dialog).
prompt_other_than() {
    prompt=$(xdotool search --onlyvisible --name '^Ciferon$' 2>/dev/null | grep -vx "$1" | head -n 1)
    [ -n "$prompt" ]
}

no_prompt() { ! xdotool search --onlyvisible --name '^Ciferon$' >/dev/null 2>&1; }

# Gives the keyboard the Czech layout, as a Czech teacher's keyboard has it: ě š č ř ž ý á í é
# on the number row, the digits with Shift. xdotool then types Czech text with keys the keymap
# has; a character missing from it, xdotool maps onto a spare key for one press and maps the
# key back at once, and a program that looks the key up after that gets no character or
# another one. Load it while the program runs: an X server that loses its last client resets
# the keymap.
czech_keyboard() {
    setxkbmap -layout cz
    local keymap keysym
    keymap=$(xkbcomp -xkb "$DISPLAY" - 2>/dev/null)
    for keysym in ecaron scaron ccaron rcaron zcaron yacute aacute iacute eacute; do
        grep -qw "$keysym" <<<"$keymap" || { echo "the keymap has no $keysym" >&2; return 1; }
    done
}

# Starts the program with the given arguments and waits for its window: sets $pid and $main.
start_program() {
    "$@" &
    pid=$!
    main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Ciferon pro pátou třídu$' | head -n 1)
    xdotool windowfocus --sync "$main"
}

# Presses Generuj (it has the focus) and answers both prompts: the count typed, the
# separator count left at its default.
generate() {
    xdotool key space
    wait_for prompt_other_than none
    local first=$prompt
    xdotool windowfocus --sync "$first"
    xdotool type "$1"
    xdotool key Return
    wait_for prompt_other_than "$first"
    xdotool windowfocus --sync "$prompt"
    xdotool key Return
    wait_for no_prompt
    xdotool windowfocus --sync "$main"
}
