"use strict";
// The class set open on the page (a "sada"): opened from a set file through the file chooser,
// saved as a download, made by the class-set dialog; its results grid ("Výsledky třídy…") and
// its overview ("Přehled třídy"). The core reads, marks and counts everything (the glue's
// openSetFile, typeCell, markSheet, undoEntry, setNames, storedSet, saveSet, setOverview); the
// page only shows what it hands back. The browser's storage keeps the open set's marks and
// answers across a reload, its names only when the teacher asks, and nothing else; nothing is
// sent anywhere.
/* global paper */
(() => {
  const byId = (id) => document.getElementById(id);
  const { element } = paper;
  const grid = byId("grid");
  const gridDialog = byId("resultsDialog");
  const overviewDialog = byId("overviewDialog");
  const namesBox = byId("rememberNames");
  // What the page keeps in the browser's storage.
  const stored = { set: "ciferon.set", file: "ciferon.setFile", unsaved: "ciferon.setUnsaved",
    names: "ciferon.setNames" };
  let core = null;
  // The open set as the core last handed it over (takeSet), its rows replaced as they change.
  let open = null;
  // The file name it downloads as, and whether it has answers or names no file holds.
  let fileName = "";
  let unsaved = false;
  // The core's last text as its bytes (takeText), and as a string.
  let text = new Uint8Array();
  const decoded = () => new TextDecoder().decode(text);
  // The scale of the overview's marks, as last read by the core.
  let scale = "90,75,50,30";
  // The cell being typed in takes one step to undo, however many keys.
  let stepOpen = false;
  // The one field the grid is typed in, moved into the current cell; every other cell shows its
  // text as plain text. A table of 8,000 fields took the browser longer than a frame to draw
  // again at every key.
  const editor = element("input");
  editor.type = "text";
  editor.autocomplete = "off";
  editor.spellcheck = false;

  const storage = () => {
    try {
      return window.localStorage;
    } catch {
      return null;
    }
  };

  function keep() {
    const kept = storage();
    if (!kept) return;
    if (!open) {
      for (const key of Object.values(stored)) kept.removeItem(key);
      return;
    }
    core._storedSet(namesBox.checked ? 1 : 0);
    try {
      kept.setItem(stored.set, decoded());
      kept.setItem(stored.file, fileName);
      kept.setItem(stored.unsaved, unsaved ? "1" : "");
      kept.setItem(stored.names, namesBox.checked ? "1" : "");
    } catch {
      // A full storage keeps the last copy it took; the question before leaving still stands.
    }
  }

  // A text as a file the browser downloads.
  function download(name, content, type) {
    const link = element("a");
    link.download = name;
    link.href = URL.createObjectURL(new Blob([content], { type }));
    link.hidden = true;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  }

  // The set's file name: its heading's letters, digits and dashes, or "sada".
  const suggestedName = () =>
    `${[...(open?.heading ?? "")].filter((c) => /[\p{L}\p{N}_-]/u.test(c)).join("") || "sada"}.ciferon`;

  // The line about the open set: its heading and when its file was saved, as each download is
  // a new copy.
  function showSet() {
    const status = byId("setStatus");
    const has = open !== null;
    for (const id of ["saveSet", "closeSet", "results", "overview", "printSet", "followUp"]) byId(id).disabled = !has;
    if (!has) {
      status.textContent = "Není otevřená žádná sada.";
      return;
    }
    const saved = element("time");
    saved.dateTime = open.saved;
    saved.textContent = open.saved ? new Date(open.saved).toLocaleString("cs-CZ") : "";
    status.replaceChildren(`Sada ${open.heading ? `„${open.heading}“ ` : ""}(listů: ${open.sheets.length})`,
      ...(open.saved ? [`, soubor ${fileName ? `„${fileName}“ ` : ""}uložen `, saved] : [", zatím neuložená do souboru"]),
      unsaved ? " · odpovědi nejsou uložené v souboru" : "");
  }

  // A change is kept a moment after the last key, and at once when the page is left or hidden,
  // so that typing does not write the whole set to the storage at every key.
  let keeping = 0;
  function keepNow() {
    if (!keeping) return;
    clearTimeout(keeping);
    keeping = 0;
    keep();
  }

  function changed() {
    const first = !unsaved;
    unsaved = true;
    clearTimeout(keeping);
    keeping = setTimeout(keepNow, 300);
    if (first) showSet();
  }

  // "Otevřít sadu…": the chosen file's bytes to the core, which opens it or refuses it with its
  // sentence; the open set stays until another opens.
  async function openChosen() {
    const [file] = byId("setFile").files;
    byId("setFile").value = "";
    if (!file || !mayReplace()) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    if (!openBytes(bytes, file.name, false)) return;
    fileName = file.name;
    unsaved = false;
    keep();
    showSet();
  }

  function openBytes(bytes, name, quiet) {
    const pointer = core._malloc(bytes.length + 1);
    if (!pointer) return false;
    try {
      core.HEAPU8.set(bytes, pointer);
      return core.withText(name, (fileNamed) => core._openSetFile(pointer, bytes.length, fileNamed,
        quiet ? 1 : 0)) === 1;
    } finally {
      core._free(pointer);
    }
  }

  // Answers that no file holds are not given up without the teacher's word.
  const mayReplace = () => !unsaved ||
    window.confirm("Otevřená sada má odpovědi, které nejsou uložené v souboru. Zahodit je?");

  // "Uložit sadu": a new copy of the file, its time of saving now.
  function saveSet() {
    core._saveSet(Math.floor(Date.now() / 1000));
    open.saved = JSON.parse(decoded()).saved;
    fileName ||= suggestedName();
    download(fileName, text, "application/octet-stream");
    unsaved = false;
    keep();
    showSet();
  }

  // "Procvičit podle výsledků…": the open set's follow-up, made and laid out by the core, is the
  // open set, downloaded at once under the core's name after the file of the set it follows.
  // Answers no file holds are what it follows: that set is downloaded first, so that they are
  // kept. False when the open set stays.
  function adoptFollowUp(wholeClass) {
    if (!core._makeFollowUp(wholeClass)) return false;
    if (unsaved) saveSet();
    const followed = fileName || suggestedName();
    if (!core.withText(followed, (name) => core._adoptFollowUp(name))) return false;
    fileName = decoded();
    unsaved = false;
    saveSet();
    return true;
  }

  // "Zavřít sadu": the set and whatever the page kept of it gone.
  function closeSet() {
    if (!mayReplace()) return;
    core._closeSet();
    open = null;
    unsaved = false;
    fileName = "";
    keep();
    showSet();
  }

  // A class set just printed from the dialog is the open set, saved as a file when asked.
  function adoptClassSet(saveFile) {
    if (!mayReplace() || !core._adoptClassSet()) return;
    fileName = "";
    unsaved = false;
    keep();
    showSet();
    if (saveFile) saveSet();
  }

  // The grid: a row per sheet, its number, name and code, then a cell per exercise with the
  // mark's sign and the typed answer, or the expected result faintly until something is typed.
  function drawGrid() {
    const widest = Math.max(1, ...open.sheets.map((sheet) => sheet.cells.length));
    const head = element("tr");
    head.append(element("th", "", "List"), element("th", "", "Jméno"), element("th", "", "Kód"),
      ...Array.from({ length: widest }, (_, i) => element("th", "", String(i + 1))));
    grid.style.setProperty("--exercises", String(widest));
    grid.classList.toggle("wide", widest > 20);
    const body = element("tbody");
    open.sheets.forEach((sheet, index) => body.append(drawRow(sheet, index, widest)));
    const top = element("thead");
    top.append(head);
    grid.replaceChildren(top, body);
    place(...lastPlace);
  }

  function drawRow(sheet, index, widest) {
    const row = element("tr");
    row.dataset.sheet = String(index);
    row.append(element("td", "number", String(sheet.number)), element("td", "name", sheet.name),
      element("td", "code", sheet.code));
    sheet.cells.forEach(() => {
      const cell = element("td", "cell");
      // The box holds the cell's layout in: a mark typed lays out this box, not the table.
      const box = element("div", "box");
      box.append(element("span", "sign"), element("span", "text"));
      cell.append(box);
      row.append(cell);
    });
    for (let at = sheet.cells.length; at < widest; ++at) row.append(element("td", "none"));
    showRow(row, sheet);
    return row;
  }

  // A row as the core marks it: each cell's sign and colour (data-mark), the typed text or the
  // expected result faintly, and the note in words as its tooltip; the field, in the current
  // cell, holds the typed text and shows the expected result as its placeholder.
  function showRow(row, sheet) {
    row.classList.toggle("handedIn", sheet.handedIn);
    row.classList.toggle("adapted", sheet.adapted);
    row.cells[0].title = `${sheet.handedIn ? "Odevzdáno" : "Neodevzdáno"}${sheet.adapted ? ", upravený list" : ""}`;
    row.cells[1].textContent = sheet.name;
    // Only what changed is touched: a row of 200 cells is marked at every key.
    const set = (target, name, value) => {
      if (target[name] !== value) target[name] = value;
    };
    sheet.cells.forEach(([expected, typed, sign, mark, note], at) => {
      const cell = row.cells[3 + at];
      set(cell.dataset, "mark", mark);
      set(cell, "title", note);
      const [shown, text] = cell.firstChild.children;
      set(shown, "textContent", sign);
      const shownText = typed || expected;
      set(text, "textContent", shownText);
      set(text, "className", `text${typed ? "" : " expected"}${shownText.length > 3 ? " long" : ""}`);
    });
    if (row.contains(editor)) showEditor();
  }

  function showEditor() {
    const cell = open.sheets[lastPlace[0]]?.cells[lastPlace[1]];
    if (!cell) return;
    const [expected, typed] = cell;
    if (editor.placeholder !== expected) editor.placeholder = expected;
    if (editor.value !== typed) editor.value = typed;
  }

  function takeRow(index, sheet) {
    open.sheets[index] = sheet;
    const row = grid.tBodies[0]?.rows[index];
    if (row) showRow(row, sheet);
    showNote();
  }

  const current = () => (document.activeElement === editor && grid.contains(editor) ? editor : null);
  let lastPlace = [0, 0];

  // The field into the exercise's cell, which hides its text meanwhile; false if the grid has
  // no such cell. Another cell than before begins a new step to undo.
  function place(sheet, at) {
    const cell = grid.tBodies[0]?.rows[sheet]?.cells[3 + at];
    if (!cell?.classList.contains("cell")) return false;
    if (sheet !== lastPlace[0] || at !== lastPlace[1]) stepOpen = false;
    lastPlace = [sheet, at];
    grid.querySelector(".editing")?.classList.remove("editing");
    cell.classList.add("editing");
    if (editor.parentNode !== cell.firstChild) cell.firstChild.append(editor);
    editor.setAttribute("aria-label", `List ${open.sheets[sheet].number}, příklad ${at + 1}`);
    showEditor();
    return true;
  }

  // The line under the grid: the current cell's sheet and, in words, its exercise and mark.
  function showNote() {
    const [sheet, at] = lastPlace;
    const row = open?.sheets[sheet];
    if (!row) return;
    const who = `List ${row.number}${row.name ? ` (${row.name})` : ""}`;
    byId("cellNote").textContent = `${who}: ${row.cells[at]?.[4] ?? ""}`;
  }

  function enter(sheet, at) {
    if (!place(sheet, at)) return;
    editor.focus();
    editor.select();
    showNote();
  }

  // Along the row's exercises, then on to the next row's first, or back to the previous last.
  function moveBy(step) {
    let [sheet, at] = lastPlace;
    at += step;
    if (at >= open.sheets[sheet].cells.length) {
      if (sheet + 1 >= open.sheets.length) return;
      [sheet, at] = [sheet + 1, 0];
    } else if (at < 0) {
      if (sheet === 0) return;
      sheet -= 1;
      at = open.sheets[sheet].cells.length - 1;
    }
    enter(sheet, at);
  }

  // Up and down keep the exercise, as far as the other sheet has it.
  function moveRow(step) {
    const sheet = lastPlace[0] + step;
    if (sheet < 0 || sheet >= open.sheets.length) return;
    enter(sheet, Math.min(lastPlace[1], open.sheets[sheet].cells.length - 1));
  }

  function typed(event) {
    const field = event.target;
    if (field !== editor) return;
    const [sheet, at] = lastPlace;
    const done = core.withText(field.value, (value) => core._typeCell(sheet, at, value, stepOpen ? 0 : 1));
    if (!done) {
      // Longer than any answer is read: the cell keeps what it had.
      field.value = open.sheets[sheet].cells[at][1];
      return;
    }
    stepOpen = true;
    changed();
  }

  function handIn(clear) {
    const [sheet] = lastPlace;
    if (!core._markSheet(sheet, clear ? 0 : 1)) return;
    stepOpen = false;
    changed();
    // On to the next sheet, as after its last exercise.
    if (!clear && sheet + 1 < open.sheets.length) enter(sheet + 1, 0);
    else enter(...lastPlace);
  }

  // "Kód výsledku…": the current sheet's row filled from a pupil's result code, which the core
  // asks for and reads, or refuses.
  function enterResultCode() {
    const [sheet] = lastPlace;
    if (core._enterRowResultCode(sheet)) {
      stepOpen = false;
      changed();
    }
    enter(...lastPlace);
  }

  function undo() {
    const sheet = core._undoEntry();
    if (sheet < 0) return;
    stepOpen = false;
    changed();
    enter(...(sheet === lastPlace[0] ? lastPlace : [sheet, 0]));
  }

  function gridKey(event) {
    const field = current();
    if (!field || event.isComposing) return;
    const control = event.ctrlKey || event.metaKey;
    const atStart = field.selectionStart === 0 && field.selectionEnd === 0;
    const atEnd = field.selectionStart === field.value.length;
    const selectedAll = field.selectionStart === 0 && field.selectionEnd === field.value.length;
    const act = {
      Enter: () => (control ? handIn(false) : moveBy(1)),
      Tab: () => moveBy(event.shiftKey ? -1 : 1),
      Delete: control ? () => handIn(true) : null,
      z: control ? undo : null,
      Z: control ? undo : null,
      ArrowUp: () => moveRow(-1),
      ArrowDown: () => moveRow(1),
      ArrowLeft: atStart || selectedAll ? () => moveBy(-1) : null,
      ArrowRight: atEnd || selectedAll ? () => moveBy(1) : null,
    }[event.key];
    if (!act) return;
    event.preventDefault();
    act();
  }

  function showGrid() {
    drawGrid();
    byId("resultsTitle").textContent = `Výsledky třídy${open.heading ? ` – ${open.heading}` : ""}`;
    gridDialog.showModal();
    if (!place(...lastPlace)) place(0, 0);
    enter(...lastPlace);
  }

  // "Jména…": one a line in sheet order, read by the core, which refuses a list that does not
  // fit the set.
  function askNames() {
    const names = open.sheets.map((sheet) => sheet.name);
    while (names.length && names.at(-1) === "") names.pop();
    byId("namesList").value = names.join("\n");
    byId("namesDialog").showModal();
  }

  function takeNames(event) {
    if (event.submitter?.value !== "ok") return;
    const at = lastPlace;
    if (!core.withText(byId("namesList").value, (list) => core._setNames(list))) {
      event.preventDefault();
      return;
    }
    lastPlace = at;
    drawGrid();
    changed();
  }

  // "Přehled třídy": the core's counts, with the marks of the scale typed.
  function showOverview() {
    if (!core.withText(scale, (typedScale) => core._setOverview(typedScale, 0))) return;
    byId("overviewTitle").textContent = `Přehled třídy${open.heading ? ` – ${open.heading}` : ""}`;
    byId("scale").value = scale;
    byId("scaleNote").textContent = "";
    if (!overviewDialog.open) overviewDialog.showModal();
  }

  function rescale() {
    const typedScale = byId("scale").value;
    if (core.withText(typedScale, (read) => core._setOverview(read, 0))) {
      scale = typedScale;
      byId("scaleNote").textContent = "";
    } else {
      byId("scaleNote").textContent =
        `Napište čtyři celá procenta od největšího, např. 90,75,50,30; známky zůstávají podle ${scale}.`;
    }
  }

  const rowOf = (cells, tag = "td") => {
    const row = element("tr");
    row.append(...cells.map((cell) => element(tag, "", String(cell))));
    return row;
  };

  function takeOverview(overview) {
    byId("handedInLine").textContent = `Odevzdáno ${overview.handedIn} z ${overview.sheets} listů. ` +
      `Nečitelných odpovědí: ${overview.unreadable}.`;
    const body = element("tbody");
    body.append(...overview.pupils.map((pupil) => rowOf([pupil.number, pupil.name, pupil.code,
      ...(pupil.handedIn ? [pupil.right, pupil.total, `${pupil.percent} %`, pupil.mark]
        : ["neodevzdáno", "", "", ""])])));
    const head = element("thead");
    head.append(rowOf(["List", "Jméno", "Kód", "Správně", "Celkem", "Procent", "Známka"], "th"));
    byId("pupils").replaceChildren(head, body);
    // A bar for each kind, the weakest first, its share right drawn and its counts written.
    byId("kindBars").replaceChildren(...overview.kinds.map((kind) => {
      const line = element("div", "kindBar");
      const bar = element("span", "bar");
      const filled = element("span", "filled");
      filled.style.width = `${kind.total ? (100 * kind.right) / kind.total : 0}%`;
      bar.append(filled);
      line.append(element("span", "kindName", `${kind.number}. ${kind.name}`), bar,
        element("span", "kindCount", `${kind.right} z ${kind.total}`));
      return line;
    }));
    byId("mistakeList").replaceChildren(...(overview.mistakes.length
      ? overview.mistakes.map((mistake) => element("li", "",
        `– ${mistake.text}: ${mistake.count}× (listy ${mistake.sheets.join(", ")})`))
      : [element("li", "", "Žádná častá chyba nebyla poznána.")]));
    byId("hardestList").replaceChildren(...(overview.hardest.length
      ? overview.hardest.map((exercise) => element("li", "",
        `${exercise.exercise} nesprávně ${exercise.notRight} z ${exercise.handedIn}`))
      : [element("li", "", "Nic.")]));
    byId("missingLine").textContent = overview.missing.length
      ? `Neodevzdáno (do počtů se nepočítá): listy ${overview.missing.join(", ")}`
      : "Odevzdány jsou všechny listy.";
  }

  // "Vytisknout přehled…": the overview on A4 as the core lays it out, then the browser's print
  // dialog.
  function printOverview() {
    if (!core.withText(scale, (typedScale) => core._printSetOverview(typedScale))) return;
    overviewDialog.close();
    window.print();
  }

  // "Vytisknout sadu…": the open set's sheets and key again, as the core lays them out.
  function printSet() {
    if (core._printOpenSet()) window.print();
  }

  function saveCsv() {
    core.withText(scale, (typedScale) => core._setOverview(typedScale, 1));
    download("prehled-tridy.csv", text, "text/csv;charset=utf-8");
  }

  // A reload opens again what the page kept: quietly, as a damaged copy is simply dropped.
  function restore() {
    const kept = storage();
    const setText = kept?.getItem(stored.set);
    namesBox.checked = kept?.getItem(stored.names) === "1";
    if (setText && openBytes(new TextEncoder().encode(setText), "uložená sada", true)) {
      fileName = kept.getItem(stored.file) ?? "";
      unsaved = kept.getItem(stored.unsaved) === "1";
    } else {
      keep();
    }
    showSet();
  }

  byId("openSet").addEventListener("click", () => byId("setFile").click());
  byId("setFile").addEventListener("change", openChosen);
  byId("saveSet").addEventListener("click", saveSet);
  byId("closeSet").addEventListener("click", closeSet);
  byId("results").addEventListener("click", showGrid);
  byId("overview").addEventListener("click", showOverview);
  // Names go into the browser's storage, or out of it, as soon as the box says.
  namesBox.addEventListener("change", keep);
  grid.addEventListener("input", typed);
  grid.addEventListener("keydown", gridKey);
  // A cell pressed with the mouse takes the field, which keeps the focus meanwhile.
  grid.addEventListener("mousedown", (event) => {
    const cell = event.target.closest?.("td.cell");
    if (!cell || event.target === editor) return;
    event.preventDefault();
    enter(Number(cell.parentNode.dataset.sheet), cell.cellIndex - 3);
  });
  byId("handIn").addEventListener("click", () => handIn(false));
  byId("clearRow").addEventListener("click", () => handIn(true));
  byId("undoEntry").addEventListener("click", undo);
  byId("rowResultCode").addEventListener("click", enterResultCode);
  byId("names").addEventListener("click", askNames);
  byId("namesForm").addEventListener("submit", takeNames);
  // Typing goes on where it was.
  byId("namesDialog").addEventListener("close", () => enter(...lastPlace));
  byId("gridOverview").addEventListener("click", showOverview);
  byId("closeResults").addEventListener("click", () => gridDialog.close());
  byId("scale").addEventListener("input", rescale);
  byId("saveCsv").addEventListener("click", saveCsv);
  byId("closeOverview").addEventListener("click", () => overviewDialog.close());
  byId("overviewPrint").addEventListener("click", printOverview);
  byId("printSet").addEventListener("click", printSet);
  addEventListener("pagehide", keepNow);
  addEventListener("visibilitychange", keepNow);
  // Answers that no file holds: the browser asks before the page is left.
  addEventListener("beforeunload", (event) => {
    keepNow();
    if (!unsaved) return;
    event.preventDefault();
    event.returnValue = "";
  });
  addEventListener("ciferon-ready", ({ detail }) => {
    core = detail;
    core.takeSet = (set) => {
      open = set;
      lastPlace = [0, 0];
      stepOpen = false;
    };
    core.takeRow = takeRow;
    core.takeText = (given) => {
      text = given;
    };
    core.takeOverview = takeOverview;
    core.adoptClassSet = adoptClassSet;
    core.adoptFollowUp = adoptFollowUp;
    byId("openSet").disabled = false;
    restore();
  });
})();
