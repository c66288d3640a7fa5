#!/usr/bin/env bash
# Reads a printed class set with adapted sheets back with pdftotext -bbox, which gives every
# word's box, and checks it against the desktop program: every sheet's numbered exercises are
# exactly its code's, the adapted ones ADAPTED_COUNT of them, the others COUNT; an adapted
# sheet's exercises stand one a line, their type at least 1.5 times as tall as the regular
# sheets' and their line step at least 1.5 times their type's height; the key names exactly the
# adapted sheets " – upravený list", in its results and its solutions. Two-sided ("duplex"),
# every sheet and the key begin on an odd page. Prints every sheet's code, "adapted" after an
# adapted one's.
#   adapted_pdf_check.sh PDF PROGRAM COUNT ADAPTED_COUNT "ADAPTED SHEET NUMBERS" [duplex]
set -euo pipefail
trap 'echo "adapted pdf: failed at line $LINENO" >&2' ERR
pdf=$1 ciferon=$2 count=$3 adaptedCount=$4 adapted=" $5 " duplex=${6:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One word a line: its page, its box (xMin yMin xMax yMax, in pt from the top left) and its text.
pdftotext -bbox "$pdf" - 2>/dev/null | awk '
    /<page / { ++page }
    /<word / {
        match($0, /xMin="[^"]*" yMin="[^"]*" xMax="[^"]*" yMax="[^"]*"/)
        split(substr($0, RSTART, RLENGTH), box, "\"")
        text = $0
        sub(/^.*<word [^>]*>/, "", text)
        sub(/<\/word>.*$/, "", text)
        gsub(/&lt;/, "<", text); gsub(/&gt;/, ">", text); gsub(/&quot;/, "\"", text)
        gsub(/&amp;/, "\\&", text)
        print page, box[2], box[4], box[6], box[8], text
    }' >"$work/words"
pdftotext "$pdf" "$work/set.txt"
awk -v dir="$work" 'BEGIN { RS = "\f" } { print > (dir "/page" NR ".txt") }' "$work/set.txt"
pages=$(tr -cd '\f' <"$work/set.txt" | wc -c)

# Where each sheet and the key begin.
starts=()
key=0
for page in $(seq "$pages"); do
    if grep -q 'Datum:' "$work/page$page.txt"; then
        starts+=("$page")
    elif [ "$key" -eq 0 ] && grep -q '^Výsledky' "$work/page$page.txt"; then
        key=$page
    fi
done
sheets=${#starts[@]}
[ "$sheets" -gt 0 ] || { echo "no sheet found" >&2; exit 1; }
[ "$key" -gt "${starts[-1]}" ] || { echo "the key before the last sheet" >&2; exit 1; }
if [ "$duplex" = duplex ]; then
    for page in "${starts[@]}" "$key"; do
        [ $((page % 2)) -eq 1 ] || { echo "a sheet or the key on page $page" >&2; exit 1; }
    done
fi

# Every sheet's exercise lines: for each number on its pages below its top, the page, the
# baseline, the height of the first word after it and the words after it on its line.
: >"$work/measures"
for i in $(seq "$sheets"); do
    first=${starts[$((i - 1))]}
    last=$((i < sheets ? starts[i] - 1 : key - 1))
    code=$(grep -oE 'Kód: [0-9A-Z]{4}(-[0-9A-Z]{4}){1,2}' "$work/page$first.txt" | cut -d' ' -f2)
    # A sheet printed alone by its code is not numbered.
    title="Kód $code"
    if [ "$sheets" -gt 1 ] || grep -q "^List 1 z 1$" "$work/page$first.txt"; then
        grep -q "^List $i z $sheets$" "$work/page$first.txt"
        title="List $i z $sheets, kód $code"
    fi
    kind=regular
    expected=$count
    if [[ "$adapted" == *" $i "* || "$adapted" == " all " ]]; then
        kind=adapted
        expected=$adaptedCount
    fi
    awk -v first="$first" -v last="$last" '
        $1 < first || $1 > last { next }
        { n = ++words; page[n] = $1; x1[n] = $2; y1[n] = $3; x2[n] = $4; y2[n] = $5
          text[n] = $6; for (f = 7; f <= NF; ++f) text[n] = text[n] " " $f }
        $1 == first && $6 == "Kód:" { top = $5 }
        END {
            for (n = 1; n <= words; ++n) {
                if (text[n] !~ /^[0-9]+\.$/ || (page[n] == first && y2[n] <= top + 1)) continue
                line = ""; height = 0; nearest = 1e9
                for (m = 1; m <= words; ++m) {
                    if (page[m] != page[n] || m == n || x1[m] < x2[n]) continue
                    if (y2[m] - y2[n] > 1 || y2[n] - y2[m] > 1) continue
                    if (text[m] ~ /^[0-9]+\.$/) { if (x1[m] < nearest) nearest = x1[m]; continue }
                    at[m] = 1
                }
                # Only the words before the next number on the line, in their order.
                count = 0
                for (m in at) if (x1[m] < nearest) order[++count] = m
                delete at
                for (a = 1; a <= count; ++a) for (b = a + 1; b <= count; ++b)
                    if (x1[order[b]] < x1[order[a]]) { t = order[a]; order[a] = order[b]; order[b] = t }
                for (a = 1; a <= count; ++a) line = line (a > 1 ? " " : "") text[order[a]]
                if (count > 0) height = y2[order[1]] - y1[order[1]]
                print substr(text[n], 1, length(text[n]) - 1), page[n], y2[n], height, line
            }
        }' "$work/words" | sort -n >"$work/lines$i"
    [ "$(wc -l <"$work/lines$i")" -eq "$expected" ] || {
        echo "sheet $i ($kind) holds $(wc -l <"$work/lines$i") exercises, not $expected" >&2
        exit 1
    }
    # Exactly its code's exercises, in order (an adapted line's "zb." is its box's label).
    "$ciferon" --code "$code" --text | tr -d '\r' | grep . | head -n "$expected" |
        awk '{ print NR " " $0 }' >"$work/expected"
    cut -d' ' -f1,5- "$work/lines$i" | sed 's/ zb\.$//' >"$work/found"
    diff "$work/expected" "$work/found" >&2
    # Its type's height, its smallest line step, and the most numbers on one line.
    awk -v kind="$kind" '
        { height = height < $4 ? $4 : height; lowest = !lowest || $4 < lowest ? $4 : lowest
          on[$2 " " $3]++; if (on[$2 " " $3] > most) most = on[$2 " " $3]
          if ($2 == page && $3 > y && (!step || $3 - y < step)) step = $3 - y
          page = $2; y = $3 }
        END { print kind, lowest, height, step, most }' \
        < <(sort -k2,2n -k3,3n "$work/lines$i") >>"$work/measures"
    titles=$(grep -c "^$title – upravený list" <(pdftotext -raw -f "$key" "$pdf" - | tr -d '\f') || true)
    if [ "$kind" = adapted ]; then
        [ "$titles" -ge 2 ] || { echo "sheet $i is not named adapted in the key" >&2; exit 1; }
        echo "$code adapted"
    else
        [ "$titles" -eq 0 ] || { echo "sheet $i is named adapted in the key" >&2; exit 1; }
        echo "$code"
    fi
done

# The adapted sheets' type against the regular ones', one exercise a line, the line step.
awk '$1 == "regular" && $3 > regular { regular = $3 }
     $1 == "adapted" {
         if ($5 != 1) { print "an adapted sheet with " $5 " exercises on a line"; bad = 1 }
         if ($4 && $4 < 1.5 * $3) { print "an adapted line step of " $4 " for type " $3; bad = 1 }
         if (!smallest || $2 < smallest) smallest = $2 }
     END {
         if (regular && smallest < 1.5 * regular) {
             print "adapted type " smallest " against regular " regular; bad = 1 }
         exit bad }' "$work/measures" >&2
