#!/usr/bin/env bash
# A class set kept as a file, through the command line: made and saved, printed again to the
# same pages; names and answers stored, the answers marked exactly as --check marks them; the
# overview as text and as CSV, the CSV opened by LibreOffice Calc and read back cell by cell;
# every damaged file refused with status 2, left as it was; and a follow-up set made from the
# results.
#   set_file_check.sh PROGRAM
set -euo pipefail
trap 'echo "set file: failed at line $LINENO" >&2' ERR
ciferon=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The status of a command, its output in out and its messages in err.
status() {
    local s=0
    "$@" >out 2>err || s=$?
    echo "$s"
}

# Made and saved, then printed again from the file: the same text on the same pages.
"$ciferon" --sheets 4 --count 12 --heading "5. A – dělení" --adapted 3 --adapted-count 8 \
    --mistakes --save-set made.ciferon --pdf made.pdf
"$ciferon" --set made.ciferon --pdf again.pdf
cmp <(pdftotext made.pdf -) <(pdftotext again.pdf -)
[ "$(pdfinfo made.pdf | grep Pages)" = "$(pdfinfo again.pdf | grep Pages)" ]
codes=1DX2-DT93,7AHD-EWGT-SSKE,4XY1-ZKRX
"$ciferon" --codes "$codes" --adapted 2 --duplex --save-set set.ciferon
"$ciferon" --codes "$codes" --adapted 2 --duplex --pdf codes.pdf
"$ciferon" --set set.ciferon --pdf - >again.pdf
cmp <(pdftotext codes.pdf -) <(pdftotext again.pdf -)

# Names: an empty line leaves a sheet without one; emoji and 200 characters are kept whole.
long=$(printf 'Ř%.0s' $(seq 200))
printf '=Petr 👦\n\n%s\n' "$long" >names.txt
[ "$(status "$ciferon" --set set.ciferon --names names.txt)" = 0 ]
grep -qF "\"name\": \"$long\"" set.ciferon
printf 'a\nb\nc\nd\n' >four.txt
cp set.ciferon before
[ "$(status "$ciferon" --set set.ciferon --names four.txt)" = 2 ]
cmp before set.ciferon
printf 'Žofie Nováková\n\n;Jan "Honza" Malý\n' >names.txt
"$ciferon" --set set.ciferon --names - <names.txt

# A sheet's answers from its own results: every third right, every third wrong, every third
# empty, starting at `phase`.
answers() {
    "$ciferon" --code "$1" --text | tr -d '\r' | grep -E '=[^=]*[0-9)]$' | sed 's/.*=//' |
        awk -v phase="$2" '{ k = (NR + phase) % 3; print k == 0 ? $0 : k == 1 ? $0 "1" : "" }'
}
answers 1DX2-DT93 0 >a1.txt
answers 7AHD-EWGT-SSKE 1 >a2.txt
# Named mistakes: 17:2 = 8 (1) with the quotient and remainder swapped, 56:6 = 9 (2) without
# its remainder.
sed -i '1s/.*/1 (8)/; 2s/.*/9/' a2.txt
"$ciferon" --set set.ciferon --sheet 1 --answers a1.txt >stored1.txt
"$ciferon" --code 1DX2-DT93 --check a1.txt >checked1.txt
diff checked1.txt stored1.txt
"$ciferon" --set set.ciferon --sheet 2 --answers - <a2.txt >stored2.txt
"$ciferon" --code 7AHD-EWGT-SSKE --check a2.txt | diff - stored2.txt
# The same sheet again replaces its answers.
answers 1DX2-DT93 2 >a1.txt
# 77-58 = 19 with the units taken the wrong way, 12+5.9 = 57 from the left, 29:5 = 5 (4)
# swapped.
sed -i '1s/.*/21/; 4s/.*/153/; 5s/.*/4 (5)/' a1.txt
"$ciferon" --set set.ciferon --sheet 1 --answers a1.txt >stored1.txt
"$ciferon" --code 1DX2-DT93 --check a1.txt | diff - stored1.txt

# The overview: each kind as --help names it, its counts adding up to the sheets'; each
# mistake as --check's summaries write it, counted over both sheets.
"$ciferon" --set set.ciferon --overview --csv overview.csv >overview.txt
grep -qx 'Přehled třídy' overview.txt
grep -qx 'Odevzdáno 2 z 3 listů.' overview.txt
grep -qx 'List 3 – ;Jan "Honza" Malý (4XY1-ZKRX): neodevzdáno' overview.txt
awk '/^Druhy příkladů/ { inside = 1; next } /^$/ { inside = 0 } inside' overview.txt >kinds.txt
[ -s kinds.txt ]
"$ciferon" --help >help.txt
while IFS= read -r line; do
    [[ $line =~ ^([0-9]+)\.\ (.*):\ ([0-9]+)\ z\ ([0-9]+)$ ]]
    grep -qxE " +${BASH_REMATCH[1]}  ${BASH_REMATCH[2]}" help.txt
done <kinds.txt
right() { grep -oE '^Správně [0-9]+' "$1" | cut -d' ' -f2; }
sed -E 's/.*: ([0-9]+) z ([0-9]+)$/\1 \2/' kinds.txt >counts.txt
[ "$(awk '{ r += $1 } END { print r }' counts.txt)" = \
    $(($(right stored1.txt) + $(right stored2.txt))) ]
total() { grep -oE '^Správně [0-9]+ z [0-9]+' "$1" | cut -d' ' -f4; }
[ "$(awk '{ t += $2 } END { print t }' counts.txt)" = \
    $(($(total stored1.txt) + $(total stored2.txt))) ]
cat stored1.txt stored2.txt | grep '^– ' |
    awk -F': ' '{ n[$1] += $2 } END { for (m in n) print m ": " n[m] "×" }' | sort >expected.txt
grep '^– ' overview.txt | sort | diff expected.txt -
grep -A1 -xF '– asi prohozený podíl a zbytek: 2×' overview.txt | tail -1 |
    grep -qxF '  listy: 1 (Žofie Nováková), 2'

# The CSV as LibreOffice Calc opens it with ";" between cells and UTF-8, saved again with tabs
# and every text in quotes, so that a number read as text would show.
soffice --headless "-env:UserInstallation=file://$work/lo" --infilter="CSV:59,34,76,1" \
    --convert-to 'txt:Text - txt - csv (StarCalc):9,34,76,1,,0,true,false,true' \
    --outdir calc overview.csv >/dev/null 2>&1
[ -s calc/overview.txt ]
# A row as expected from the sheet's check: right, total, percent rounded half up, the mark
# on the usual scale, and the count of each mistake in the order of the header.
mistakes=$(head -1 overview.csv | tr -d '\r' | cut -d';' -f8-)
row() {
    local number=$1 name=$2 code=$3 report=$4
    local r t p m
    r=$(right "$report")
    t=$(total "$report")
    p=$(((r * 200 + t) / (2 * t)))
    if ((r * 100 >= 90 * t)); then m=1; elif ((r * 100 >= 75 * t)); then m=2
    elif ((r * 100 >= 50 * t)); then m=3; elif ((r * 100 >= 30 * t)); then m=4; else m=5; fi
    printf '%s\t"%s"\t"%s"\t%s\t%s\t%s\t%s' "$number" "$name" "$code" "$r" "$t" "$p" "$m"
    IFS=';' read -ra named <<<"$mistakes"
    for text in "${named[@]}"; do
        printf '\t%s' "$( (grep -F -- "– $text: " "$report" || echo ': 0×') | sed 's/.*: //; s/×//')"
    done
    printf '\n'
}
{
    printf '"List"\t"Jméno"\t"Kód"\t"Správně"\t"Celkem"\t"Procent"\t"Známka"'
    IFS=';' read -ra named <<<"$mistakes"
    printf '\t"%s"' "${named[@]}"
    printf '\n'
    row 1 'Žofie Nováková' 1DX2-DT93 stored1.txt
    row 2 '' 7AHD-EWGT-SSKE stored2.txt | sed 's/\t""\t/\t\t/'
    printf '3\t";Jan ""Honza"" Malý"\t"4XY1-ZKRX"\t\t\t\t\t\t\t\t\t\t\t\n'
} >expected.txt
tr -d '\r' <calc/overview.txt | diff expected.txt -
# Another scale changes the marks.
"$ciferon" --set set.ciferon --overview --scale 100,99,98,97 --csv - | sed -n 2p |
    cut -d';' -f7 | grep -qx 5

# Every damaged file is refused with status 2 and its sentence, and left as it was.
cp set.ciferon good.ciferon
damaged() {
    local s
    s=$(status "$ciferon" --set bad.ciferon --sheet 1 --answers a1.txt)
    [ "$s" = 2 ] || { echo "$1: status $s" >&2; return 1; }
    grep -q '^ciferon: soubor sady „bad.ciferon“ ' err || { echo "$1: $(cat err)" >&2; return 1; }
    [ "$(wc -l <err)" = 1 ] && [ ! -s out ]
    cmp bad.ciferon copy.ciferon
}
refuse() {
    local what=$1
    shift
    "$@" >bad.ciferon
    cp bad.ciferon copy.ciferon
    damaged "$what"
}
refuse truncated head -c 700 good.ciferon
refuse "truncated at its end" head -c -3 good.ciferon
refuse "unknown version" sed 's/"version": 1/"version": 2/' good.ciferon
refuse "a code that does not open" sed 's/1DX2-DT93/1DX2-DT94/' good.ciferon
refuse "a sheet number twice" sed 's/"number": 2/"number": 1/' good.ciferon
refuse "more marks than exercises" sed '0,/"marks": \[/s//"marks": ["right", /' good.ciferon
refuse "more answers than exercises" \
    sed '0,/"answers": \[/s//"answers": ["", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", /' \
    good.ciferon
refuse "malformed UTF-8" sed 's/Žofie/\xC5ofie/' good.ciferon
refuse "Windows-1250" iconv -f UTF-8 -t WINDOWS-1250 good.ciferon
refuse "10 MB of junk" head -c 10000000 /dev/zero
refuse "junk" head -c 3000 "$ciferon"
# Input refused beside a good file: a sheet the set does not have, more lines than the sheet.
cp good.ciferon copy.ciferon
[ "$(status "$ciferon" --set good.ciferon --sheet 4 --answers a1.txt)" = 2 ]
grep -qx 'ciferon: sada („good.ciferon“) nemá list 4, má jich 3.' err
seq 21 >many.txt
[ "$(status "$ciferon" --set good.ciferon --sheet 1 --answers many.txt)" = 2 ]
cmp good.ciferon copy.ciferon
# The system failing: a file missing, a set saved where a folder stands.
[ "$(status "$ciferon" --set missing.ciferon --overview)" = 1 ]
grep -qx 'ciferon: sadu („missing.ciferon“) nelze přečíst: soubor neexistuje.' err
mkdir folder.ciferon
[ "$(status "$ciferon" --codes 1DX2-DT93 --save-set folder.ciferon)" = 1 ]
grep -qx 'ciferon: sadu („folder.ciferon“) nelze uložit: je to složka, ne soubor.' err
[ "$(status "$ciferon" --set good.ciferon --overview --csv folder.ciferon)" = 1 ]
# A new set never takes the place of a kept one, nor goes to standard output; a set whose sheets
# could not be printed is not kept.
[ "$(status "$ciferon" --sheets 2 --save-set good.ciferon)" = 2 ]
grep -q 'už existuje' err
cmp good.ciferon copy.ciferon
[ "$(status "$ciferon" --sheets 2 --save-set -)" = 2 ]
[ "$(status "$ciferon" --sheets 2 --pdf nowhere/x.pdf --save-set unprinted.ciferon)" = 1 ]
[ ! -e unprinted.ciferon ]

# The overview on A4, read back: every pupil's counts and mark, every kind's counts and every
# mistake's as the text overview gives them; the same pages on standard output; another scale
# changes the marks; a PDF that cannot be written gives status 1 and nothing on standard output.
"$ciferon" --set good.ciferon --overview --pdf overview.pdf | diff overview.txt -
# In the order drawn: a table's row, or a bar's label and count, as one line.
pdftotext -raw overview.pdf pdf.txt
grep -qx 'Přehled třídy' pdf.txt
grep -qxF "$(sed -n 2p overview.txt) $(grep '^Nečitelné odpovědi' overview.txt)." pdf.txt
while IFS= read -r line; do
    [[ $line =~ ^List\ ([0-9]+)(\ –\ (.*))?\ \(([0-9A-Z-]+)\):\ (.*)$ ]]
    number=${BASH_REMATCH[1]} name=${BASH_REMATCH[3]} code=${BASH_REMATCH[4]}
    counts=${BASH_REMATCH[5]}
    row="$number${name:+ $name} $code"
    if [ "$counts" = neodevzdáno ]; then
        grep -qxF "$row neodevzdáno" pdf.txt
    else
        [[ $counts =~ ^([0-9]+)\ z\ ([0-9]+),\ ([0-9]+)\ %,\ známka\ ([1-5]) ]]
        grep -qxF "$row ${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]} % ${BASH_REMATCH[4]}" \
            pdf.txt
    fi
done < <(grep '^List ' overview.txt)
sed -E 's/: ([0-9]+ z [0-9]+)$/ \1/' kinds.txt | while IFS= read -r line; do
    grep -qxF "$line" pdf.txt
done
grep '^– ' overview.txt | sed -E 's/^– (.*): ([0-9]+×)$/\1 \2 /' | while IFS= read -r line; do
    awk -v row="$line" 'index($0, row) == 1 { found = 1 } END { exit !found }' pdf.txt
done
"$ciferon" --set good.ciferon --overview --pdf - | pdftotext - - | cmp - <(pdftotext overview.pdf -)
# With the CSV: the one asked for with "-" on standard output, the other in its file.
"$ciferon" --set good.ciferon --overview --csv - >expected.csv
"$ciferon" --set good.ciferon --overview --pdf - --csv both.csv | pdftotext - - |
    cmp - <(pdftotext overview.pdf -)
cmp both.csv expected.csv
"$ciferon" --set good.ciferon --overview --csv - --pdf both.pdf | cmp - expected.csv
cmp <(pdftotext both.pdf -) <(pdftotext overview.pdf -)
"$ciferon" --set good.ciferon --overview --scale 100,99,98,97 --pdf - | pdftotext -raw - - |
    grep -E '^1 ' | head -1 | grep -qE ' 5$'
[ "$(status "$ciferon" --set good.ciferon --overview --pdf nowhere/x.pdf)" = 1 ]
[ ! -e nowhere ]
[ "$(status "$ciferon" --set good.ciferon --overview --pdf folder.ciferon)" = 1 ]
[ -d folder.ciferon ] && [ ! -s out ]
# The follow-up set: its codes printed and kept open sheets, its key names their kinds, it
# prints again the same; the kept set is unchanged. Refusals: the command line's test.
"$ciferon" --set good.ciferon --follow-up next.ciferon --pdf next.pdf
cmp good.ciferon copy.ciferon
pdftotext next.pdf next.txt
grep -q 'Procvičuje: ' next.txt
for code in $(grep -oE '"code": "[^"]*"' next.ciferon | cut -d'"' -f4); do
    grep -qF "Kód: $code" next.txt
    "$ciferon" --code "$code" --text >/dev/null
done
"$ciferon" --set next.ciferon --pdf - | pdftotext - - | cmp next.txt -
echo "set file: all checks passed"
