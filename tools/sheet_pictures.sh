#!/usr/bin/env bash
# Pictures of a class set for the README: a pupil's sheet and the first page of the key.
#   tools/sheet_pictures.sh PROGRAM SHEET_PNG KEY_PNG
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" --sheets 3 --count 20 --separator 5 --heading '5. A – opakování' --pdf "$work/set.pdf"
pdftoppm -r 60 -png -f 1 -l 1 -singlefile "$work/set.pdf" "${2%.png}"
pdftoppm -r 60 -png -f 4 -l 4 -singlefile "$work/set.pdf" "${3%.png}"
