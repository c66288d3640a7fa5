"""Checks a class set's DOCX and ODT against its PDF, as real programs read them.

The text that LibreOffice converts each document to holds, sheet by sheet and in order, the
PDF's heading, "List i z N", code and numbered exercises, then the key's results (with the
mistakes' brackets) and solutions as the PDF's key has them. python-docx reads the DOCX: a
page break before every sheet but the first and before the key, "Výsledky" as one table a
sheet holding its title and results, and the adapted sheet's text in Arial at 18 pt, the
others' in Times New Roman at 12 pt.

    documents_check.py PDF HEADING ADAPTED_SHEET DOCX|- TEXT...

The texts are LibreOffice's of the documents; "-" for the DOCX leaves python-docx out.
"""
import re
import subprocess
import sys

import docx
from docx.shared import Pt

pdf, heading, adapted, docx_path, *texts = sys.argv[1:]
adapted = int(adapted)


def fail(why):
    sys.exit("documents: " + why)


def clean(line):
    """A line as compared: blanks of any kind as one, no answer places."""
    line = line.replace("\u00a0", " ").replace("\t", " ").replace("\ufeff", "")
    line = re.sub(r" +", " ", line).strip()
    return re.sub(r" zb\.$", "", line)


def pdf_text(*options):
    return subprocess.run(["pdftotext", *options, pdf, "-"], check=True,
                          capture_output=True, text=True).stdout


# The PDF: every sheet from its page with "Datum:" up to the next sheet or the key.
pages = pdf_text().split("\f")
starts = [i for i, page in enumerate(pages) if "Datum:" in page]
key = next(i for i, page in enumerate(pages) if page.startswith("Výsledky"))
sheets = []
for n, first in enumerate(starts, 1):
    last = starts[n] if n < len(starts) else key
    lines = [clean(line) for line in "\n".join(pages[first:last]).splitlines()]
    code = next(re.search(r"Kód: (\S+)", line).group(1) for line in lines if "Kód:" in line)
    exercises = {}
    for line in lines:
        found = re.match(r"(\d+)\. (.+)$", line)
        if found and line != heading:
            exercises[int(found.group(1))] = line
    place = f"List {n} z {len(starts)}"
    if not any(line == place for line in lines) or heading not in lines:
        fail(f"the PDF's sheet {n} has no heading or no {place}")
    title = f"{place}, kód {code}" + (" – upravený list" if n == adapted else "")
    sheets.append({"place": place, "code": code, "title": title,
                   "exercises": [exercises[k] for k in sorted(exercises)]})

# The PDF's key as drawn: each sheet's results, then each sheet's worked solutions.
raw = [clean(line) for line in pdf_text("-raw", "-f", str(key + 1)).splitlines()]
solutions_at = next(i for i, line in enumerate(raw) if re.match(r"Řešení(: |$)", line))


def blocks(lines):
    """The lines under each sheet's title."""
    found, current = {}, None
    for line in lines:
        title = next((s["title"] for s in sheets if line == s["title"]), None)
        if title:
            current = found.setdefault(title, [])
        elif current is not None:
            current.append(line)
    return found


cell = r"\d+\. -?\d+(?: \(\d+\))?(?: \[[^\]]*\])?"
results = {t: re.findall(cell, " ".join(b)) for t, b in blocks(raw[:solutions_at]).items()}
worked = {t: [line for line in b if re.match(r"\d+\. ", line)]
          for t, b in blocks(raw[solutions_at + 1:]).items()}
if len(results) != len(sheets) or not any("[" in r for rs in results.values() for r in rs):
    fail("the PDF's key has not every sheet's results with the mistakes' answers")

expected = []
for sheet in sheets:
    expected += [("line", heading), ("start", sheet["place"]), ("in", "Kód: " + sheet["code"])]
    expected += [("line", e) for e in sheet["exercises"]]
expected.append(("start", "Výsledky"))
for sheet in sheets:
    expected.append(("line", sheet["title"]))
    expected += [("line", r) for r in results[sheet["title"]]]
expected.append(("start", "Řešení"))
for sheet in sheets:
    if worked.get(sheet["title"]):
        expected.append(("line", sheet["title"]))
        expected += [("line", w) for w in worked[sheet["title"]]]

# Each document's text holds them in this order; a code stands on its sheet's line.
for name in texts:
    with open(name, encoding="utf-8-sig") as text:
        lines = [clean(line) for line in text.read().splitlines()]
    at = 0
    for kind, want in expected:
        found = None
        for i in range(at, len(lines)):
            line = lines[i]
            if (kind == "line" and line == want) or (kind == "start" and line.startswith(want)) \
                    or (kind == "in" and want in line):
                found = i
                break
        if found is None:
            fail(f"{name}: «{want}» is missing or out of order after line {at + 1}")
        at = found if kind == "start" else found + 1

if docx_path == "-":
    print(" ".join(s["code"] for s in sheets))
    sys.exit(0)

# The DOCX as python-docx reads it.
document = docx.Document(docx_path)
paragraphs = document.paragraphs


def breaks_before(paragraph):
    if paragraph.paragraph_format.page_break_before:
        return True
    return any(br.get(docx.oxml.ns.qn("w:type")) == "page"
               for br in paragraph._p.iter(docx.oxml.ns.qn("w:br")))


breaks = [i for i, p in enumerate(paragraphs) if breaks_before(p)]
starts = [next(i for i, p in enumerate(paragraphs) if clean(p.text).startswith(s["place"] + " "))
          for s in sheets]
results_at = next(i for i, p in enumerate(paragraphs) if p.text.startswith("Výsledky"))
bounds = starts + [results_at + 1]
if len(breaks) != len(sheets) or any(
        sum(bounds[n - 1] < b < bounds[n] for b in breaks) != 1 for n in range(1, len(bounds))) \
        or any(b < starts[0] for b in breaks):
    fail(f"the DOCX's page breaks {breaks} are not one before each sheet and the key {bounds}")

tables = document.tables
if len(tables) != len(sheets):
    fail(f"{len(tables)} tables of results for {len(sheets)} sheets")
for table, sheet in zip(tables, sheets):
    cells = []
    for row in table.rows:
        for c in row.cells:
            if not cells or c._tc is not cells[-1][0]:
                cells.append((c._tc, clean(c.text)))
    texts = [t for _, t in cells if t]
    if texts != [sheet["title"]] + results[sheet["title"]]:
        fail(f"the table of {sheet['title']} holds {texts}")


def effective(paragraph, run, attribute):
    value = getattr(run.font, attribute)
    style = paragraph.style
    while value is None and style is not None:
        value = getattr(style.font, attribute)
        style = style.base_style
    return value


for n, sheet in enumerate(sheets, 1):
    end = breaks[n - 1]  # the next sheet or the key begins there
    face, size = ("Arial", Pt(18)) if n == adapted else ("Times New Roman", Pt(12))
    runs = [(p, r) for p in paragraphs[starts[n - 1]:end] for r in p.runs if r.text.strip()]
    exercises = [(p, r) for p, r in runs if re.match(r"\d+\.$", r.text)]
    if len(exercises) != len(sheet["exercises"]):
        fail(f"sheet {n}'s numbered paragraphs: {len(exercises)}")
    for p, r in runs:
        if (effective(p, r, "name"), effective(p, r, "size")) != (face, size):
            fail(f"sheet {n}: «{r.text}» in {effective(p, r, 'name')} "
                 f"{effective(p, r, 'size')}, not {face} {size}")
print(" ".join(s["code"] for s in sheets))
