#!/usr/bin/env bash
# The pupil's result code through the command line: --check ends with it, --set --answers
# prints the same, and the code entered with --set --result-code fills the sheet so that the
# overview, as text and as CSV, is the one of the answers. A mistyped code, another sheet's, and
# a code for a sheet too long to have one are refused with status 2, the file left as it was.
#   result_code_check.sh PROGRAM
set -euo pipefail
trap 'echo "result code: failed at line $LINENO" >&2' ERR
ciferon=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

status() {
    local s=0
    "$@" >out 2>err || s=$?
    echo "$s"
}

# A sheet's answers at random: right, wrong, unreadable, empty, or a quotient without its
# remainder, whose mistake is named.
answers() {
    "$ciferon" --code "$1" --text | tr -d '\r' | grep -E '=[^=]*[0-9)]$' | sed 's/.*=//' |
        awk -v seed="$2" 'BEGIN { srand(seed) } {
            k = int(rand() * 5)
            if (k == 4) { sub(/ \(.*\)$/, ""); print; next }
            print k == 0 ? $0 : k == 1 ? $0 "1" : k == 2 ? "x" : "" }'
}

kinds=("1-15" "10-11" "11")
named=0
for round in 1 2 3; do
    rm -f answered.ciferon
    "$ciferon" --sheets 8 --count $((5 + round * 7)) --kinds "${kinds[round - 1]}" \
        --save-set answered.ciferon
    cp answered.ciferon coded.ciferon
    codes=$(grep -oE '"code": "[^"]+"' answered.ciferon | cut -d'"' -f4)
    sheet=0
    for code in $codes; do
        sheet=$((sheet + 1))
        # Sheet 3 is not handed in.
        [ "$sheet" = 3 ] && continue
        answers "$code" $((round * 100 + sheet)) >a.txt
        "$ciferon" --code "$code" --check a.txt >checked.txt
        tail -1 checked.txt | grep -qE '^Kód výsledku: [0-9A-Z]{4}(-[0-9A-Z]{1,4})+$'
        "$ciferon" --set answered.ciferon --sheet "$sheet" --answers a.txt | diff checked.txt -
        result=$(tail -1 checked.txt | sed 's/^Kód výsledku: //')
        # Typed as a pupil might: small letters, blanks for dashes.
        typed=$(echo "$result" | tr 'A-Z-' 'a-z ')
        "$ciferon" --set coded.ciferon --sheet "$sheet" --result-code "$typed" >entered.txt
        diff checked.txt entered.txt
    done
    "$ciferon" --set answered.ciferon --overview --csv answered.csv >answered.txt
    "$ciferon" --set coded.ciferon --overview --csv coded.csv >coded.txt
    cmp answered.csv coded.csv
    cmp answered.txt coded.txt
    named=$((named + $(grep -c '^– ' answered.txt || true)))
done
# Mistakes were named, and so carried by the codes.
[ "$named" -gt 0 ]

# Refusals, each with its sentence and status 2, the set file as it was.
first=$(grep -oE '"code": "[^"]+"' coded.ciferon | head -1 | cut -d'"' -f4)
second=$(grep -oE '"code": "[^"]+"' coded.ciferon | sed -n 2p | cut -d'"' -f4)
printf '1\n' >one.txt
"$ciferon" --code "$first" --check one.txt >checked.txt
good=$(tail -1 checked.txt | sed 's/^Kód výsledku: //')
"$ciferon" --code "$second" --check one.txt >checked.txt
other=$(tail -1 checked.txt | sed 's/^Kód výsledku: //')
# The first symbol changed, and the first two swapped where they differ.
symbols=0123456789ABCDEFGHJKMNPQRSTVWXYZ
before=${symbols%%"${good:0:1}"*}
changed=${symbols:$(((${#before} + 1) % 32)):1}${good:1}
cp coded.ciferon before.ciferon
refused() {
    local s
    s=$(status "$ciferon" --set coded.ciferon --sheet "$1" --result-code "$2")
    [ "$s" = 2 ] || { echo "$2: status $s" >&2; return 1; }
    grep -qxF "ciferon: list $1: $3" err || { echo "$2: $(cat err)" >&2; return 1; }
    [ ! -s out ]
    cmp before.ciferon coded.ciferon
}
refused 1 "$changed" "kód výsledku „${changed}“ není platný."
if [ "${good:0:1}" != "${good:1:1}" ]; then
    swapped=${good:1:1}${good:0:1}${good:2}
    refused 1 "$swapped" "kód výsledku „${swapped}“ není platný."
fi
refused 1 "$other" "kód výsledku „${other}“ patří k jinému listu."
refused 1 "" "kód výsledku „“ není platný."
[ "$(status "$ciferon" --set coded.ciferon --sheet 9 --result-code "$good")" = 2 ]
grep -qxF "ciferon: sada („coded.ciferon“) nemá list 9, má jich 8." err
cmp before.ciferon coded.ciferon
# The right one goes in.
"$ciferon" --set coded.ciferon --sheet 1 --result-code "$good" | tail -1 |
    grep -qxF "Kód výsledku: $good"

# A sheet of more than 30 exercises has no result code: the check says so, and entering one is
# refused.
rm -f long.ciferon
"$ciferon" --sheets 2 --count 31 --save-set long.ciferon
long=$(grep -oE '"code": "[^"]+"' long.ciferon | head -1 | cut -d'"' -f4)
"$ciferon" --code "$long" --check one.txt | tail -1 |
    grep -qxF 'Kód výsledku: list s více než 30 příklady ho nemá.'
cp long.ciferon before.ciferon
[ "$(status "$ciferon" --set long.ciferon --sheet 1 --result-code "$good")" = 2 ]
grep -qxF "ciferon: list 1: list s více než 30 příklady kód výsledku nemá." err
cmp before.ciferon long.ciferon
echo "result code: all passed"
