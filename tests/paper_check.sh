#!/usr/bin/env bash
# The command line without a display: a class set and one sheet written to PDF and read back
# with pdftotext, two-sided class sets of long sheets, a PDF on standard output, a sheet's
# lists as text, the codes the manual page shows, and refusals that leave no file behind.
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
# The help is read whole first: grep -q stops reading at its match, which would end the
# program's writing with SIGPIPE.
help=$("$ciferon" --help)
grep -q -- '--sheets <N> *Pracovní listy pro třídu' <<<"$help"

# Four sheets of 40 exercises, each alone in a group: the longest a sheet can be and still
# fit on one page.
sheets=4
heading='5. A – opakování'
"$ciferon" --sheets $sheets --count 40 --separator 1 --heading "$heading" --pdf set.pdf
"$here/sheets_pdf_check.sh" set.pdf $sheets 40 1 "$heading" "$ciferon" "$check" >codes.txt
[ "$(sort -u codes.txt | wc -l)" -eq $sheets ]
code=$(head -n 1 codes.txt)
# The same class set again from its list of codes: the same pages, word for word.
"$ciferon" --codes "$(paste -sd, codes.txt)" --heading "$heading" --pdf again.pdf
cmp <(pdftotext set.pdf -) <(pdftotext again.pdf -)
rm again.pdf

# A topic's class set: division with remainder alone (--kinds 11) gives twelve-symbol codes
# whose sheets hold that kind only; --kinds 1-15 is every kind, with eight-symbol codes.
"$ciferon" --sheets 3 --count 10 --separator 5 --kinds 11 --heading "$heading" --pdf topic.pdf
"$here/sheets_pdf_check.sh" topic.pdf 3 10 5 "$heading" "$ciferon" "$check" >topic.txt
rm topic.pdf
[ "$(grep -cxE '[0-9A-Z]{4}-[0-9A-Z]{4}-[0-9A-Z]{4}' topic.txt)" -eq 3 ]
while read -r topic; do
    "$ciferon" --code "$topic" --text | tr -d '\r' | grep . | head -n 10 >topic_lists.txt
    [ "$(grep -cxE '[0-9]+:[0-9]+ =' topic_lists.txt)" -eq 10 ]
done <topic.txt
"$ciferon" --sheets 1 --kinds 1-15 --pdf - | pdftotext - - | grep -qxE 'Kód: [0-9A-Z]{4}-[0-9A-Z]{4}'

# One sheet by its code: its page, unnumbered, and its key: its results, its solutions.
"$ciferon" --code "$code" --pdf one.pdf
pdftotext one.pdf one.txt
[ "$(tr -cd '\f' <one.txt | wc -c)" -eq 2 ]
grep -q "Kód: $code" one.txt
awk 'BEGIN { RS = "\f" } NR == 2 && /^Výsledky/ && index($0, "Kód '"$code"'\n") &&
     /\nŘešení\n/ { found = 1 } END { exit !found }' one.txt
if grep -q 'List 1 z' one.txt; then exit 1; fi

# A class set's results table is compact: 25 sheets of 20 on one or two pages, the last
# sheet's results (before its solutions) at the latest on the key's second page.
"$ciferon" --sheets 25 --count 20 --separator 5 --pdf - | pdftotext -raw -f 26 - - |
    awk 'BEGIN { RS = "\f" } NR == 1 && /^Výsledky/ { begun = 1 }
         index($0, "List 25 z 25, kód") && !last { last = NR }
         END { exit !(begun && last >= 1 && last <= 2) }'

# Adapted sheets of one, two and three pages, two-sided: larger type, one exercise a line,
# their own count, the codes reopening what was printed, the key naming them, every sheet and
# the key on an odd page. A sheet by its code adapted whole.
grep -q -- '--adapted <SEZNAM> *S --sheets tyto listy upravené' <<<"$help"
for sized in 10:1 30:2 40:3; do
    adapted=${sized%:*}
    "$ciferon" --sheets 3 --count 60 --separator 5 --adapted 1,3 --adapted-count "$adapted" \
        --duplex --pdf adapted.pdf
    "$here/adapted_pdf_check.sh" adapted.pdf "$ciferon" 60 "$adapted" "1 3" duplex >adapted.txt
    [ "$(grep -c ' adapted$' adapted.txt)" -eq 2 ]
    # The first sheet's pages, up to the second sheet, blank backs left out.
    pdftotext adapted.pdf pages.txt
    awk -v want="${sized#*:}" 'BEGIN { RS = "\f" }
        /Datum:/ && ++sheets == 2 { exit } NF { ++pages } END { exit pages != want }' pages.txt
done
"$ciferon" --code 4XY1-ZKRX --adapted all --pdf adapted.pdf
[ "$("$here/adapted_pdf_check.sh" adapted.pdf "$ciferon" 4 4 1)" = "4XY1-ZKRX adapted" ]
rm adapted.pdf

# Refusals: one Czech line, a non-zero status, and no file made or changed.
echo old >kept.pdf
refuse() {
    local status=0
    "$ciferon" "$@" 2>message.txt || status=$?
    refused_status=$status
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
refuse --sheets 3 --duplex
refuse --code "$code" --duplex
refuse --code "$code" --text --duplex
refuse --code "$code" --count 5 --pdf new.pdf
refuse --code "$code" --heading "$heading" --text
refuse --count 5 --pdf new.pdf
# Kinds: out of range, empty, falling, malformed, missing, or beside a code.
refuse --sheets 2 --kinds 0 --pdf new.pdf
refuse --sheets 2 --kinds 16 --pdf new.pdf
refuse --sheets 2 --kinds '' --pdf kept.pdf
refuse --sheets 2 --kinds 3-1 --pdf new.pdf
refuse --sheets 2 --kinds 1,,2 --pdf new.pdf
refuse --sheets 2 --kinds jedenáct --pdf new.pdf
refuse --sheets 2 --pdf new.pdf --kinds
refuse --code "$code" --kinds 11 --pdf new.pdf
# Lists of codes: a bad code among good ones, an empty list, too long a list, no --pdf.
refuse --codes "$code,K7M2-9QX4" --pdf new.pdf
refuse --codes '' --pdf new.pdf
refuse --codes "$(yes "$code" | head -n 41 | paste -sd,)" --pdf new.pdf
refuse --codes "$code" --text
refuse --kinds 11
# A code that is missing or wrong is found before a window is thought of, so without a
# display it gets its line all the same; a good one that needs the window gets one line.
refuse --code NOTACODE
refuse --code
refuse --sheets 2 --pdf
grep -q 'kód listu „K7M2-9QX4“ není platný' <("$ciferon" --code K7M2-9QX4 --text 2>&1 || true)
status=0
"$ciferon" --code "$code" 2>message.txt || status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <message.txt)" -eq 1 ] && grep -q '^ciferon: okno' message.txt
# So does one that names X11 as its platform, which needs a display all the same.
for platform in "QT_QPA_PLATFORM=xcb $ciferon --code $code" "$ciferon --code $code -platform xcb"; do
    status=0
    # shellcheck disable=SC2086
    env $platform 2>message.txt || status=$?
    [ "$status" -eq 1 ] && [ "$(wc -l <message.txt)" -eq 1 ] && grep -q '^ciferon: okno' message.txt
done

# The PDF on standard output: the same pages as in a file; nothing at all for a mistake.
"$ciferon" --code "$code" --pdf - >stdout.pdf
cmp <(pdftotext stdout.pdf -) <(pdftotext one.pdf -)
"$ciferon" --sheets 2 --pdf - | pdftotext - - | grep -q 'List 2 z 2'
for mistake in "--sheets 41" "--code K7M2-9QX4" "--sheets 2 --text"; do
    status=0
    # shellcheck disable=SC2086
    "$ciferon" $mistake --pdf - >stdout.pdf 2>/dev/null || status=$?
    [ "$status" -ne 0 ] && [ ! -s stdout.pdf ]
done
rm stdout.pdf
# A pipe or a device is written to, never replaced by a file of its own name.
mkfifo pipe
timeout 20 cat pipe >piped.pdf & reader=$!
"$ciferon" --code "$code" --pdf pipe
wait "$reader"
[ -p pipe ] && cmp <(pdftotext piped.pdf -) <(pdftotext one.pdf -)
"$ciferon" --code "$code" --pdf /dev/stdout | pdftotext - - | cmp - <(pdftotext one.pdf -)
rm pipe piped.pdf

# Two-sided: every sheet and the key begin on an odd page, every page between goes on with
# the sheet before it, and a blank page follows exactly the sheets of an odd number of pages.
# Sheets of 1 to 4 pages. Prints each sheet's number of pages.
two_sided() {
    awk -v sheets="$1" 'BEGIN { RS = "\f" }
        function fault(why) { print "page " NR ": " why > "/dev/stderr"; failed = 1; exit 1 }
        function done() {
            if (sheet > 0 && pages % 2 != 0) fault("sheet " sheet " ends on an odd page")
            if (sheet > 0) print pages - blank
        }
        key { next }
        /Kód: / {
            done()
            sheet++; pages = 1; blank = 0
            if (sheets > 0 && index($0, "List " sheet " z " sheets "\n") == 0) fault("not sheet " sheet)
            if (NR % 2 == 0) fault("sheet " sheet " begins on an even page")
            next
        }
        /^Výsledky/ {
            done(); key = NR
            if (NR % 2 == 0) fault("the key begins on an even page")
            next
        }
        /^[[:space:]]*$/ { if (blank) fault("two blank pages"); blank = 1; pages++; next }
        /\(pokračování\)/ && !blank && (sheets == 0 || index($0, "List " sheet " z " sheets ", kód")) {
            pages++; next
        }
        { fault("neither the beginning nor the continuation of sheet " sheet) }
        END { if (!failed && (!key || sheet != (sheets > 0 ? sheets : 1))) fault("sheets or key missing") }'
}
for layout in 20/5/3 100/10/3 120/20/2 200/10/2; do
    IFS=/ read -r count separator sheets <<<"$layout"
    "$ciferon" --sheets "$sheets" --count "$count" --separator "$separator" --duplex \
        --pdf duplex.pdf
    pdftotext duplex.pdf - | two_sided "$sheets"
    pdftotext duplex.pdf - | grep -oE 'Kód: [0-9A-Z-]+' | head -n 1 | cut -d' ' -f2 >>long.txt
done >lengths.txt
# Both branches ran: a sheet of an odd number of pages over one, and one of an even number.
grep -qxE '[3579]' lengths.txt && grep -qxE '[2468]' lengths.txt
# One sheet by its code, two-sided: its key after it on a front page.
while read -r long; do
    "$ciferon" --code "$long" --duplex --pdf duplex.pdf
    pdftotext duplex.pdf - | two_sided 0 >/dev/null
done <long.txt
rm duplex.pdf
# A block that goes on in another column says so in a title that fits its column whole, in the
# key's narrow columns of one short kind too (pdftotext leaves out what runs off the paper).
"$ciferon" --sheets 2 --count 200 --separator 20 --kinds 11 --pdf narrow.pdf
pdftotext narrow.pdf narrow.txt
[ "$(grep -c 'pokrač' narrow.txt)" -gt 0 ] &&
    [ "$(grep -c 'pokrač' narrow.txt)" -eq "$(grep -c '(pokračování)$' narrow.txt)" ]
rm narrow.pdf narrow.txt

# A pupil's answers marked: one line per exercise, then the summary. The results are the ends
# of the solutions that --text gives.
"$ciferon" --code 1DX2-DT93 --text | tr -d '\r' | grep . | tail -n +21 | sed 's/.*=//' >results.txt
[ "$(wc -l <results.txt)" -eq 20 ] && grep -q '(' results.txt
# --check's marks and summary; its last line, the pupil's result code, is checked and left out.
check() {
    "$ciferon" --code 1DX2-DT93 --check "$1" >checked.txt
    tail -n 1 checked.txt | grep -qE '^Kód výsledku: [0-9A-Z]{4}(-[0-9A-Z]{1,4})*$' || return 1
    head -n -1 checked.txt
}
# All right, with CR LF line ends and the remainders written with "zb.".
sed -E 's/^([0-9]+) \(([0-9]+)\)$/\1 zb. \2/; s/$/\r/' results.txt >answers.txt
check answers.txt >marks.txt
diff <(seq 20 | sed 's/$/. správně/'; echo 'Správně 20 z 20.') marks.txt
# The remainders written as "5zb4" and "5 (zbytek 4)" (the fifth), and two answers that are
# no numbers.
sed -E 's/^([0-9]+) \(([0-9]+)\)$/\1zb\2/; 5s/^([0-9]+)zb([0-9]+)$/\1 (zbytek \2)/; 3s/.*/5 1/; 6s/.*/abc/' \
    results.txt >spelled.txt
[ "$(sed -n 5p spelled.txt)" = '5 (zbytek 4)' ]
grep -qx '[0-9]*zb[0-9]*' spelled.txt
check spelled.txt >marks.txt
diff <(seq 20 | sed 's/$/. správně/; 3s/.*/3. nečitelné – napiš číslo/; 6s/.*/6. nečitelné – napiš číslo/'
    echo 'Správně 18 z 20. Nečitelné odpovědi: 2.') marks.txt
rm spelled.txt
# From standard input: the first wrong, the second not answered, the next eight right, and
# the file ends there, so the rest are not answered.
awk 'NR == 1 { sub(/^[0-9]+/, $1 + 1); print } NR == 2 { print "" } NR > 2 && NR <= 10' \
    results.txt | check - >marks.txt
diff <(echo '1. chybně'; echo '2. bez odpovědi'; seq 3 10 | sed 's/$/. správně/'
    seq 11 20 | sed 's/$/. bez odpovědi/'; echo 'Správně 8 z 20.') marks.txt
# A spreadsheet's UTF-8 mark before the first answer and empty lines after the last are no
# answers.
{ printf '\xef\xbb\xbf'; cat results.txt; printf '\n\r\n'; } |
    check - | tail -n 1 | grep -qx 'Správně 20 z 20.'
# A named mistake from each row of the table, as the sheet's exercises give them: 12+5.9 and
# 3+6.3+6+6.3 worked from the left, 77-58 without its borrow, 73-56 with its units reversed,
# 29:5 with a remainder too large, then swapped, 15:4 without its remainder, and one sign of
# 19+18+2+3+4 the other way.
mistaken=(29 10 10 153 '4 (9)' 3 117 95 10 25 23)
{ printf '%s\n' "${mistaken[@]}"; sed -n '12,19p' results.txt; echo 3; } >mistakes.txt
check mistakes.txt >marks.txt
named=(
    '1. chybně – asi zapomenutý přechod přes desítku'
    '4. chybně – asi počítáno zleva doprava (nejdřív se násobí a dělí)'
    '5. chybně – zbytek musí být menší než dělitel'
    '7. chybně – asi počítáno zleva doprava (nejdřív se násobí a dělí)'
    '9. chybně – asi jedno znaménko opačně'
    '11. chybně – asi odečteny jednotky obráceně (menší od větší)'
    '20. chybně – chybí zbytek'
    'Správně 13 z 20.'
    '– asi počítáno zleva doprava (nejdřív se násobí a dělí): 2×'
    '– asi zapomenutý přechod přes desítku: 1×'
    '– asi odečteny jednotky obráceně (menší od větší): 1×'
    '– zbytek musí být menší než dělitel: 1×'
    '– chybí zbytek: 1×'
    '– asi jedno znaménko opačně: 1×'
)
diff <(printf '%s\n' "${named[@]}") <(grep -v 'správně$' marks.txt)
sed -i '5s/.*/4 (5)/' mistakes.txt
"$ciferon" --code 1DX2-DT93 --check mistakes.txt | grep -qx '5. chybně – asi prohozený podíl a zbytek'
# The key with the common mistakes: the legend under "Výsledky" and the wrong answers in
# brackets beside the results they miss; without the option, neither.
"$ciferon" --code 1DX2-DT93 --mistakes --pdf key.pdf
pdftotext key.pdf - | tr '\n' ' ' | grep -q 'Z – počítáno zleva doprava, D – přechod přes desítku'
pdftotext -layout key.pdf - | grep -q '1\. 19 \[D 29; J 21\]'
pdftotext -layout key.pdf - | grep -q '5\. 5 (4) \[V 4 (9); P 4 (5)\]'
"$ciferon" --code 1DX2-DT93 --pdf key.pdf
[ "$(pdftotext key.pdf - | grep -c '\[\|počítáno zleva')" -eq 0 ]
# A key of divisions alone names only the mistakes that occur in it, and leaves out the
# solutions, each its result alone, saying so under "Výsledky"; a sheet has a line to write
# the quotient on, "zb." and a line for the remainder after every exercise.
"$ciferon" --sheets 2 --count 10 --kinds 11 --mistakes --pdf key.pdf
pdftotext key.pdf - | tr '\n' ' ' | grep -q 'V – zbytek větší než dělitel, P – prohozený podíl a zbytek'
[ "$(pdftotext key.pdf - | grep -cE 'Z – |^Řešení(: |$)')" -eq 0 ]
pdftotext key.pdf - | grep -qx 'Řešení se netiskne: u všech příkladů je řešením samotný výsledek.'
[ "$(pdftotext -f 1 -l 1 -layout key.pdf - | grep -cE '^ *[0-9]+\. [0-9]+:[0-9]+ = +zb\.$')" -eq 10 ]
rm key.pdf mistakes.txt
# Refused: more lines than exercises, a file that is not there, a bad code, and --check
# beside another output or a heading.
{ cat results.txt; echo 1; } >long.txt
refuse --code 1DX2-DT93 --check long.txt
refuse --code 1DX2-DT93 --check missing.txt
[ "$refused_status" -eq 1 ]
grep -q 'soubor neexistuje' message.txt
# A folder is the system's failure (1); a binary file is refused content (2).
mkdir answers.d
refuse --code 1DX2-DT93 --check answers.d
[ "$refused_status" -eq 1 ]
grep -q 'je to složka' message.txt
rmdir answers.d
printf '19\n\0\0\n' >binary.txt
refuse --code 1DX2-DT93 --check binary.txt
[ "$refused_status" -eq 2 ]
grep -q 'nejsou text v UTF-8' message.txt
refuse --code 1DX2-DT93 --check - < <(printf '19\n4 zb\xec 9\n')
[ "$refused_status" -eq 2 ]
grep -q 'standardní vstup' message.txt
rm binary.txt
head -c 1100000 /dev/zero | tr '\0' '1' >big.txt
refuse --code 1DX2-DT93 --check big.txt
grep -q 'jsou delší než 1 MiB' message.txt
rm big.txt
refuse --code K7M2-9QX4 --check answers.txt
refuse --code 1DX2-DT93 --check answers.txt --pdf new.pdf
refuse --code 1DX2-DT93 --check answers.txt --text
refuse --code 1DX2-DT93 --check answers.txt --heading "$heading"
refuse --code 1DX2-DT93 --check answers.txt --mistakes
refuse --code 1DX2-DT93 --text --mistakes
refuse --sheets 2 --check answers.txt --pdf new.pdf

# Every code that the README, the manual page and --help show to be typed opens a sheet.
man_page=$here/../desktop/ciferon.1.in
{ cat "$here/../README.md"; sed 's/\\-/-/g' "$man_page"; "$ciferon" --help; } |
    grep -oE '\b[0-9A-Z]{4}-[0-9A-Z]{4}(-[0-9A-Z]{4})?\b' | sort -u >shown.txt
[ -s shown.txt ]
while read -r shown; do
    "$ciferon" --code "$shown" --text >/dev/null || { echo "not a code: $shown" >&2; exit 1; }
done <shown.txt
echo "paper: class sets, one-sided and two-sided, read back; every refusal left the files as they were"
