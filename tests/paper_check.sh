#!/usr/bin/env bash
# The command line without a display: a class set and one sheet written to PDF and read back
# with pdftotext, a sheet's lists as text, and refusals that leave no file behind.
#   paper_check.sh PROGRAM CLIPBOARD_CHECK VERSION
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
trap 'echo "paper: failed at line $LINENO" >&2' ERR
ciferon=$1
check=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# No display, and no platform chosen for the program.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

[ "$("$ciferon" --version)" = "ciferon $3" ]
"$ciferon" --help | grep -q -- '--sheets <N> *Pracovní listy pro třídu'

# Four sheets of 40 exercises, each alone in a group: the longest a sheet can be and still
# fit on one page.
sheets=4
heading='5. A – opakování'
"$ciferon" --sheets $sheets --count 40 --separator 1 --heading "$heading" --pdf set.pdf
"$here/sheets_pdf_check.sh" set.pdf $sheets 40 1 "$heading" "$ciferon" "$check" >codes.txt
[ "$(sort -u codes.txt | wc -l)" -eq $sheets ]
code=$(head -n 1 codes.txt)

# One sheet by its code: its page, unnumbered, and its key.
"$ciferon" --code "$code" --pdf one.pdf
pdftotext one.pdf one.txt
[ "$(tr -cd '\f' <one.txt | wc -c)" -eq 2 ]
grep -q "Kód: $code" one.txt
if grep -q 'List 1 z' one.txt; then exit 1; fi

# Refusals: one Czech line, a non-zero status, and no file made or changed.
echo old >kept.pdf
refuse() {
    local status=0
    "$ciferon" "$@" 2>message.txt || status=$?
    [ "$status" -ne 0 ] || { echo "accepted: $*" >&2; return 1; }
    [ "$(wc -l <message.txt)" -eq 1 ] && grep -q '^ciferon: ' message.txt ||
        { echo "message for $*:" >&2; cat message.txt >&2; return 1; }
    [ "$(cat kept.pdf)" = old ] && [ ! -e new.pdf ] && [ "$(ls | grep -c '\.pdf')" -eq 3 ]
}
refuse --sheets 41 --pdf new.pdf
refuse --sheets 3 --count 0 --pdf new.pdf
refuse --sheets 3 --separator 2.5 --pdf kept.pdf
refuse --sheets 3 --heading "$(printf 'x%.0s' {1..81})" --pdf new.pdf
refuse --code K7M2-9QX4 --pdf kept.pdf
refuse --code "$code" --text --pdf new.pdf
refuse --bogus --pdf new.pdf
refuse --sheets 3 --pdf missing/new.pdf
refuse --sheets 3 --pdf "$work"
grep -q 'kód listu „K7M2-9QX4“ není platný' <("$ciferon" --code K7M2-9QX4 --text 2>&1 || true)
echo "paper: $sheets sheets and their key read back; every refusal left the files as they were"
