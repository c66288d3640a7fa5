#!/usr/bin/env bash
# Answers typed into the results grid survive the program's sudden end: the real program on
# an X server opens a set with Ctrl+O, opens "Výsledky třídy…" from the menu, a teacher types
# on a Czech keyboard, and the program is killed (SIGKILL) with a cell still being typed in.
# The set file then holds every answer and opens again.
#   set_kill.sh PROGRAM     (run under xvfb-run)
set -euo pipefail
trap 'echo "set kill: failed at line $LINENO" >&2' ERR
export QT_QPA_PLATFORM=xcb
source "$(dirname "$0")/../tools/xdrive.sh"
program=$1
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
set_file=$work/5A.ciferon
"$program" --sheets 3 --count 6 --save-set "$set_file" >/dev/null

start_program "$program"
czech_keyboard
xdotool key ctrl+o
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Otevřít sadu$' | head -n 1)
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$set_file"
xdotool key Return
no_dialog() { ! xdotool search --onlyvisible --name '^Otevřít sadu$' >/dev/null 2>&1; }
wait_for no_dialog
xdotool windowfocus --sync "$main"
xdotool key alt+s v
grid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Výsledky třídy' | head -n 1)
xdotool windowfocus --sync "$grid"

# Sheet 1: the first answer 23 typed on the number row without Shift (ě š), the second none;
# the third, 7 (ý), is still being typed when the program is killed.
xdotool key --delay 20 ecaron scaron Return minus Return yacute
holds_answers() { grep -q '"answers": \["23", "-", "7"\]' "$set_file"; }
wait_for holds_answers
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
pid=

# Opened again: the set reads whole, sheet 1 handed in with its three answers marked.
"$program" --set "$set_file" --overview >"$work/overview"
grep -q '^Odevzdáno 1 z 3 listů\.$' "$work/overview"
grep -q '^List 1 (.*): [0-9]\+ z 6,' "$work/overview"
grep -q '"marks": \[' "$set_file"
