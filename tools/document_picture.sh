#!/usr/bin/env bash
# The README's picture of an editable document: a regular sheet, an adapted one and the key of
# a class set saved as DOCX, as LibreOffice sets it (converted to PDF headless), side by side.
#   document_picture.sh PROGRAM OUTPUT.png
set -euo pipefail
ciferon=$1 out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$ciferon" --codes NPT2-6WN7,Z6WX-6FEA --adapted 2 --heading '5. A – opakování' \
    --docx "$work/listy.docx"
soffice --headless "-env:UserInstallation=file://$work/profile" --convert-to pdf \
    --outdir "$work" "$work/listy.docx" >/dev/null 2>&1
pdftoppm -r 40 -png "$work/listy.pdf" "$work/page"
pages=("$work"/page-*.png)
montage "${pages[0]}" "${pages[1]}" "${pages[-1]}" -tile 3x1 -geometry +6+6 \
    -background '#d0d0d0' -bordercolor '#808080' -border 1 "$out"
