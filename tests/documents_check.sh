#!/usr/bin/env bash
# A class set of four sheets, the second adapted, with the mistakes in its key, made once as
# PDF, DOCX and ODT and read back by real programs: unzip tests both archives; LibreOffice
# converts both to text, which documents_check.py compares with the PDF sheet by sheet and
# key by key, and python-docx reads the DOCX's breaks, tables and type. The heading holds
# XML's reserved characters and shows as typed. The set saved and printed again as ODT reads
# the same. Writing refused as the system refuses it: status 1, one line, no file left.
#   documents_check.sh PROGRAM
set -euo pipefail
trap 'echo "documents: failed at line $LINENO" >&2' ERR
ciferon=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
profile=$(mktemp -d)
trap 'rm -rf "$work" "$profile"' EXIT
heading='Písemka <5. A> & "dělení" ]]>'

"$ciferon" --sheets 4 --count 20 --adapted 2 --mistakes --heading "$heading" \
    --save-set "$work/set.ciferon" --pdf "$work/set.pdf" --docx "$work/set.docx" \
    --odt "$work/set.odt"
"$ciferon" --set "$work/set.ciferon" --odt "$work/again.odt"
for file in set.docx set.odt again.odt; do
    unzip -tq "$work/$file" >/dev/null
done
# ODT's media type stands first, stored, where readers look for it.
[ "$(head -c 38 "$work/set.odt" | tail -c 8)" = mimetype ]

mkdir "$work/docx" "$work/odt"
soffice --headless "-env:UserInstallation=file://$profile" --convert-to txt:Text \
    --outdir "$work/docx" "$work/set.docx" >/dev/null 2>&1
soffice --headless "-env:UserInstallation=file://$profile" --convert-to txt:Text \
    --outdir "$work/odt" "$work/set.odt" "$work/again.odt" >/dev/null 2>&1
/usr/bin/python3 "$here/documents_check.py" "$work/set.pdf" "$heading" 2 "$work/set.docx" \
    "$work/docx/set.txt" "$work/odt/set.txt"
cmp "$work/odt/set.txt" "$work/odt/again.txt"

# The class's overview as DOCX and ODT: with names and one sheet's answers entered, what
# LibreOffice reads holds every pupil's name and code, each kind's counts and the marks'
# heading row, as the text overview gives them.
printf 'Jana Nováková\nPetr\n' | "$ciferon" --set "$work/set.ciferon" --names - >/dev/null
printf '1\n2\n\nabc\n' | "$ciferon" --set "$work/set.ciferon" --sheet 1 --answers - >/dev/null
"$ciferon" --set "$work/set.ciferon" --overview --docx "$work/overview.docx" \
    --odt "$work/overview.odt" >"$work/overview.txt"
for format in docx odt; do
    unzip -tq "$work/overview.$format" >/dev/null
done
# LibreOffice names both texts after the file, so each is converted into a folder of its own.
for format in docx odt; do
    mkdir "$work/overview-$format"
    soffice --headless "-env:UserInstallation=file://$profile" --convert-to txt:Text \
        --outdir "$work/overview-$format" "$work/overview.$format" >/dev/null 2>&1
    text="$work/overview-$format/overview.txt"
    grep -q 'Jana Nováková' "$text"
    grep -q 'Známka' "$text"
    grep -oE '\(([0-9A-Z]{4}-)+[0-9A-Z]{4}\)' "$work/overview.txt" | tr -d '()' |
        while IFS= read -r code; do grep -qF "$code" "$text"; done
    grep -oE '[0-9]+ z [0-9]+$' <(grep -E '^[0-9]+\. ' "$work/overview.txt") |
        while IFS= read -r counts; do grep -qF "$counts" "$text"; done
done

# Refusals: a folder that does not exist, a folder as the file, a full disk; the same line
# shape and status as for --pdf, and nothing written under the name.
refused() {
    local status=0
    "$ciferon" --sheets 2 "$@" 2>"$work/error" || status=$?
    [ "$status" -eq 1 ] || { echo "status $status for $*" >&2; exit 1; }
    [ "$(wc -l <"$work/error")" -eq 1 ] && grep -q '^ciferon: soubor „.*“ nelze zapsat: ' "$work/error"
}
refused --docx "$work/missing/set.docx"
[ ! -e "$work/missing" ]
mkdir "$work/folder"
refused --odt "$work/folder"
[ -z "$(ls -A "$work/folder")" ]
if [ -w /dev/full ]; then
    refused --docx /dev/full
fi
status=0
"$ciferon" --sheets 2 --docx '' 2>"$work/error" || status=$?
[ "$status" -eq 2 ] && grep -qx 'ciferon: chybí jméno souboru DOCX.' "$work/error"
