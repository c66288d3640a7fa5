#!/usr/bin/env bash
# Reads a printed class set back with pdftotext and checks it against the desktop program:
# sheet i alone on page i with its heading, "List i z N" and its code; exactly its numbered
# exercises as `ciferon --code CODE --text` gives them, and none of its solutions; then the
# key: from a new page "Výsledky", a block for every sheet under its number and code with
# exactly its numbered results, the ends of its solutions, and after them "Řešení", a block
# for every sheet with its numbered solutions that have a step before the result (none, and no
# "Řešení", where no solution has one). Prints the codes it read.
#   sheets_pdf_check.sh PDF SHEETS COUNT SEPARATOR HEADING PROGRAM CLIPBOARD_CHECK
set -euo pipefail
trap 'echo "sheets pdf: failed at line $LINENO" >&2' ERR
pdf=$1 sheets=$2 count=$3 separator=$4 heading=$5 ciferon=$6 check=$7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pdftotext "$pdf" "$work/set.txt"
# pdftotext ends every page with a form feed.
awk -v dir="$work" 'BEGIN { RS = "\f" } { print > (dir "/page" NR ".txt") }' "$work/set.txt"
pages=$(tr -cd '\f' <"$work/set.txt" | wc -c)
[ "$pages" -gt "$sheets" ]
grep -q '^Výsledky' "$work/page$((sheets + 1)).txt"
# The key as drawn, block after block: a block's lines follow its title only in the
# content's own order, as the columns of a table are read apart otherwise. The results come
# up to the heading "Řešení", the solutions after it.
pdftotext -raw -f $((sheets + 1)) "$pdf" - | tr -d '\f' >"$work/raw.txt"
awk '/^Řešení(: |$)/ { exit } { print }' "$work/raw.txt" >"$work/results.txt"
awk 'below; /^Řešení(: |$)/ { below = 1 }' "$work/raw.txt" >"$work/key.txt"
# The lines of one sheet's block, up to the next sheet's title.
block() {
    awk -v title="$1" 'index($0, title) == 1 { inside = 1; next }
        /^List [0-9]+ z [0-9]+, kód / { inside = 0 }
        inside' "$2"
}
for i in $(seq "$sheets"); do
    page=$work/page$i.txt
    grep -q "List $i z $sheets" "$page"
    # pdftotext may read a narrow blank in the heading as none.
    tr -d ' ' <"$page" | grep -qxF "${heading// /}"
    code=$(grep -oE 'Kód: [0-9A-Z]{4}(-[0-9A-Z]{4}){1,2}' "$page" | cut -d' ' -f2)
    "$ciferon" --code "$code" --text >"$work/lists"
    "$check" "$work/lists" '' "$count" "$separator" >/dev/null
    tr -d '\r' <"$work/lists" | grep . >"$work/lines" || true
    head -n "$count" "$work/lines" | awk '{ print NR ". " $0 }' | sort >"$work/expected"
    # A division's lines to write the quotient and the remainder on read as " zb.".
    grep -E '^[0-9]+\. ' "$page" | grep -vxF "$heading" | sed 's/ zb\.$//' | sort >"$work/found" || true
    diff "$work/expected" "$work/found" >&2
    if grep -qF -f <(tail -n +$((count + 1)) "$work/lines") "$page"; then
        echo "a solution on the sheet of $code" >&2
        exit 1
    fi
    # Its block of solutions holds exactly its numbered solutions with a step before the
    # result, in order.
    tail -n +$((count + 1)) "$work/lines" | awk '{ print NR ". " $0 }' >"$work/solutions"
    awk -F= 'NF > 2' "$work/solutions" >"$work/worked"
    block "List $i z $sheets, kód $code" "$work/key.txt" | grep -E '^[0-9]+\. ' >"$work/found" || true
    diff "$work/worked" "$work/found" >&2
    # Its block of results holds exactly the ends of its solutions, numbered as on the sheet.
    sed 's/.*=//' "$work/solutions" | awk '{ print NR ". " $0 }' | sort >"$work/expected"
    block "List $i z $sheets, kód $code" "$work/results.txt" |
        grep -oE '[0-9]+\. -?[0-9]+( \([0-9]+\))?' | sort >"$work/found" || true
    diff "$work/expected" "$work/found" >&2
    echo "$code"
done
