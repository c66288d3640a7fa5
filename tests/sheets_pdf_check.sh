#!/usr/bin/env bash
# Reads a printed class set back with pdftotext and checks it against the desktop program:
# sheet i alone on page i with its heading, "List i z N" and its code; exactly its numbered
# exercises as `ciferon --code CODE --text` gives them, and none of its solutions; then the
# key with every sheet's code and all its numbered solutions. Prints the codes it read.
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
for page in $(seq $((sheets + 1)) "$pages"); do cat "$work/page$page.txt"; done >"$work/key.txt"
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
    grep -E '^[0-9]+\. ' "$page" | grep -vxF "$heading" | sort >"$work/found" || true
    diff "$work/expected" "$work/found" >&2
    if grep -qF -f <(tail -n +$((count + 1)) "$work/lines") "$page"; then
        echo "a solution on the sheet of $code" >&2
        exit 1
    fi
    grep -q "List $i z $sheets, kód $code" "$work/key.txt"
    tail -n +$((count + 1)) "$work/lines" | awk '{ print NR ". " $0 }' >"$work/solutions"
    # Another sheet of few kinds may share a numbered solution line: each is counted once.
    [ "$(grep -xF -f "$work/solutions" "$work/key.txt" | sort -u | wc -l)" -eq "$count" ]
    echo "$code"
done
