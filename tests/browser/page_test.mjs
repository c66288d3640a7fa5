// Works the built web page in one browser engine as a user would: opened from disk, its
// prompts and confirmation answered as they come, what it copies checked with
// clipboard_check, class sets printed to PDF and read back, codes crossed with the desktop
// program's, and every request it makes recorded. The same scenarios run in every engine.
//   node page_test.mjs ENGINE PAGE CLIPBOARD_CHECK PROGRAM     (ENGINE: chromium, firefox, webkit)
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { after, before, test } from "node:test";
import { fileURLToPath, pathToFileURL } from "node:url";
import { launch } from "./engines.mjs";
// Functions handed to engine.evaluate run in the page, where its elements are globals by their
// ids, beside what the scenarios install there.
/* global Text1_0, Text1_1, Command1, Form1, classSetDialog, classSetForm, sheets, count, separator,
   duplex, printSheets, restart, copies, prints, kinds, noKinds, checkList, checkSummary,
   checkDialog, checkedCode, checkIntro, honest, adaptedCount, projection, projectionDialog, projectionCount,
   projectionSeconds, projectionCode, projectionExercise, projectionSteps, projectionCorner,
   projectionLive, projectionResults, projectionCodeLine, projectionTimer, startProjection,
   downloads, setStatus, grid, namesList, pupils, kindBars,
   mistakeList, handedInLine, scale, openSet, saveNewSet, followUpPlan, wholeClassLabel */

const [engineName, ...paths] = process.argv.slice(2);
const [pagePath, clipboardCheck, ciferon] = paths.map((path) => resolve(path));
const sheetsPdfCheck = join(dirname(fileURLToPath(import.meta.url)), "..", "sheets_pdf_check.sh");
// The class sets of given codes that the command line's --codes and the page's #print= both
// accept or refuse (tests/data/classset_refusals.tsv, which the native tests read too).
const codesCases = readFileSync(join(dirname(fileURLToPath(import.meta.url)), "..", "data",
  "classset_refusals.tsv"), "utf8").split("\n").filter((line) => line !== "" && !line.startsWith("#"))
  .map((line) => {
    const [name, codes, heading, adapted, addressRest, sentence] = line.split("\t");
    return { name, codes, heading, adapted, addressRest, sentence };
  });
const pageUrl = pathToFileURL(pagePath).href;
const work = mkdtempSync(join(tmpdir(), `ciferon-${engineName}-`));
const countQuestion = "Kolik příkladů? (max.200)";
const separatorQuestion = "Po kolika oddělovat? (max. 20)";
const confirmation = "Přejete si opravdu odsah pole odstranit";
const heading = "5. A – opakování";
// Topic sheets' codes from the core's golden table.
const topicCodes = ["7AHD-EWGT-SSKE", "4YQF-B09Z-VWZQ", "SF7Z-Z8PM-HYY3"];

// The topics of the class-set dialog's kind choice, with their kinds' numbers and names.
const kindTopics = [
  ["Závorky", [[0, "Součin dvou závorek"], [1, "Podíl dvou závorek, v první závorce součet"],
    [2, "Podíl dvou závorek, v první závorce rozdíl"]]],
  ["Přednost násobení a dělení", [[3, "Čtyři sčítanci, z toho dva součiny"],
    [4, "Rozdíl dvou součinů"], [5, "Čtyři sčítanci, z toho součin a podíl"],
    [6, "Rozdíl součinu a podílu"], [7, "Rozdíl dvou podílů"], [8, "Čtyři sčítanci, z toho dva podíly"],
    [11, "Násobení s přičtením nebo odečtením"], [12, "Dělení s přičtením nebo odečtením"]]],
  ["Sčítání a odčítání", [[9, "Sčítání a odčítání více čísel"], [13, "Sčítání dvojciferných čísel"],
    [14, "Odčítání dvojciferných čísel"]]],
  ["Dělení se zbytkem", [[10, "Dělení se zbytkem"]]],
];

let engine;

const fields = () => engine.evaluate(() => [Text1_0.value, Text1_1.value]);
// What a dialog showed, as far as the engine lets a test see it.
const expect = (type, message, defaultValue) =>
  [engine.readsDefaults ? type : "dialog", message, engine.readsDefaults ? defaultValue : ""];
const shown = (dialogs) => dialogs.map(({ type, message, defaultValue }) =>
  expect(type, message, defaultValue));
const nativeText = (code) => execFileSync(ciferon, ["--code", code, "--text"], { encoding: "utf8" });
const pdfPages = (pdf) => execFileSync("pdftotext", [pdf, "-"], { encoding: "utf8" }).split("\f").slice(0, -1);
// WebKitWebDriver cannot print a page to PDF.
const printing = engineName === "webkit" ? { skip: "WebKit is not printed to PDF here" } : {};

// The dialog's kind choice as shown: each topic's legend and box, then its kinds' labels and
// boxes ("ticked", "cleared" or "partly"); every example must end as an exercise does, with "=".
const kindChoice = () => engine.evaluate(() => {
  const state = (box) => (box.indeterminate ? "partly" : box.checked ? "ticked" : "cleared");
  return [...kinds.querySelectorAll(".topic")].map((topic) => [
    topic.querySelector("legend").textContent.trim(), state(topic.querySelector("legend input")),
    ...[...topic.querySelectorAll(".kind")].map((kind) => [kind.querySelector("label").textContent,
      /=$/.test(kind.querySelector(".example").textContent.trim())
        ? state(kind.querySelector("input")) : "no example"])]);
});

// Records what the page copies, through the clipboard API or the copy event of its
// fallback, besides copying it.
function watchCopies() {
  return engine.evaluate(() => {
    window.copies = [];
    const write = navigator.clipboard.writeText.bind(navigator.clipboard);
    navigator.clipboard.writeText = (text) => {
      copies.push(text);
      return write(text);
    };
    addEventListener("copy", (event) => copies.push(event.clipboardData.getData("text/plain")));
  });
}

// Copies the fields; returns what the page copied.
async function copy() {
  await engine.evaluate(() => {
    copies.length = 0;
  });
  await engine.press("#Command2");
  await engine.waitFor(() => copies.length > 0);
  return engine.evaluate(() => copies[0]);
}

before(async () => {
  engine = await launch(engineName);
  await engine.open(pageUrl);
  await engine.waitFor(() => !Command1.disabled);
  await watchCopies();
});

after(async () => {
  await engine?.close();
  rmSync(work, { recursive: true, force: true });
});

test("one file of at most 400 KB, a Czech page with the window's captions and its version", async () => {
  assert.ok(statSync(pagePath).size <= 400 * 1024, `${statSync(pagePath).size} bytes`);
  const version = execFileSync(ciferon, ["--version"], { encoding: "utf8" }).trim().split(" ")[1];
  assert.equal(await engine.evaluate(() => document.getElementById("version").textContent),
    `Ciferon ${version}`);
  const page = await engine.evaluate(() => [document.documentElement.lang, document.title,
    document.querySelector("h1").textContent, Text1_0.getAttribute("aria-label"),
    Text1_1.getAttribute("aria-label"),
    // The order of the buttons is their tab order: the window's own come first.
    ...[...document.querySelectorAll("main button")].map((button) => button.textContent)]);
  assert.deepEqual(page, ["cs", "Ciferon pro pátou třídu", "Ciferon pro pátou třídu", "Příklady",
    "Příklady s řešením", "Generuj", "Kopíruj obě pole do schránky", "Smaž obsah obou polí",
    "Ukonči práci", "Tisk…", "Pracovní listy pro třídu…", "Otevřít list podle kódu…",
    "Zkontrolovat list podle kódu…", "Promítat…", "Nápověda", "Otevřít sadu…", "Uložit sadu",
    "Zavřít sadu", "Výsledky třídy…", "Přehled třídy…", "Vytisknout sadu…",
    "Procvičit podle výsledků…"]);
});

test("Generuj from the keyboard asks both questions and the defaults make 100 exercises", async () => {
  const dialogs = await engine.pressKey("Enter", [true, true]);
  assert.deepEqual(shown(dialogs), [expect("prompt", countQuestion, "100"),
    expect("prompt", separatorQuestion, "10")]);
  const [exercises] = await fields();
  assert.equal(exercises.split("\n").length, 111); // 100 lines, 10 empty ones, and the end
});

test("a fractional separator count rounds half to even: 2.5 puts an empty line after every 2nd", async () => {
  await engine.press("#Command1", ["20", "2.5"]);
  const [exercises] = await fields();
  assert.deepEqual(exercises.split("\n").map((line) => line === ""),
    Array.from({ length: 31 }, (_, i) => i % 3 === 2 || i === 30));
});

test("a refused or cancelled first answer asks nothing more and changes nothing", async () => {
  const before = await fields();
  for (const answer of ["201", null]) {
    const dialogs = await engine.press("#Command1", [answer, "5"], { dialogs: 1 });
    assert.deepEqual(dialogs.map(({ message }) => message), [countQuestion], `answer ${answer}`);
    assert.deepEqual(await fields(), before);
  }
});

test("copy gives both lists with CR LF, through the clipboard API and through the fallback", async () => {
  await engine.press("#Command1", ["200", "7"]);
  // A Czech line typed at the top of the exercise field is copied too.
  await engine.evaluate(() => {
    Text1_0.value = `příklady č. 1\n${Text1_0.value}`;
    Text1_0.dispatchEvent(new Event("input"));
  });
  const copied = [await copy()];
  if (engine.readsClipboard) {
    assert.equal(await engine.evaluate(() => navigator.clipboard.readText()), copied[0]);
  }
  await engine.evaluate(() => {
    navigator.clipboard.writeText = () => Promise.reject(new DOMException("refused", "NotAllowedError"));
  });
  copied.push(await copy());
  assert.equal(copied[1], copied[0]);
  writeFileSync(join(work, "clipboard"), copied[0]);
  execFileSync(clipboardCheck, [join(work, "clipboard"), "příklady č. 1", "200", "7"], { stdio: "inherit" });
  await watchCopies();
});

test("printing gives the exercises on the first page and the solutions from a later one", printing, async () => {
  // Few enough exercises to leave room on the first page: the solutions must still not use it.
  await engine.press("#Command1", ["20", "10"]);
  await engine.pdf(join(work, "print.pdf"));
  const [first, ...rest] = pdfPages(join(work, "print.pdf"));
  const [exercises, solutions] = (await fields()).map((text) => text.split("\n").filter((line) => line !== ""));
  assert.ok(first.includes(exercises[0]) && !first.includes("Generuj"), first);
  assert.ok(solutions.every((line) => !first.includes(line)), "a solution on the first page");
  assert.ok(rest.join("").includes(solutions[0]), "the first solution is not on a later page");

  // The core's list layout, as the desktop prints the fields: 200 short exercises stand in
  // columns side by side, and an edit typed into a field is printed.
  await engine.press("#Command1", ["200", "20"]);
  await engine.evaluate(() => {
    Text1_0.value = Text1_0.value.replace(/^[^\r\n]*/, "1+1=");
    Text1_0.dispatchEvent(new Event("input"));
  });
  await engine.pdf(join(work, "columns.pdf"));
  const laidOut = execFileSync("pdftotext", ["-layout", join(work, "columns.pdf"), "-"], { encoding: "utf8" })
    .split("\f");
  assert.match(laidOut[0], /^\s*1\+1=/);
  assert.ok(laidOut[0].split("\n").some((line) => (line.match(/=/g) ?? []).length >= 2), laidOut[0]);
  const [exercisesNow] = (await fields()).map((text) => text.split("\n").filter((line) => line !== ""));
  assert.deepEqual(pdfPages(join(work, "columns.pdf")).join("\n").split("\n")
    .filter((line) => exercisesNow.includes(line)).slice(0, 3), exercisesNow.slice(0, 3));
});

test("a code opens its sheet as the desktop program has it; a mistyped one changes nothing", async () => {
  // Codes the desktop program printed.
  execFileSync(ciferon, ["--sheets", "3", "--count", "12", "--separator", "4", "--pdf", join(work, "desktop.pdf")]);
  const codes = pdfPages(join(work, "desktop.pdf")).slice(0, 3)
    .map((page) => page.match(/Kód: (\S{4}-\S{4})/)[1]);
  // A run's lists in the fields, which a code replaces without asking (an edit would be asked
  // about).
  await engine.press("#Command1", ["12", "4"]);
  for (const code of codes) {
    // As a pupil might read it out: small letters, no dash.
    const dialogs = await engine.press("#openCode", [code.toLowerCase().replace("-", "")]);
    assert.deepEqual(shown(dialogs), [expect("prompt", "Kód listu:", "")]);
    assert.equal(await copy(), nativeText(code), code);
  }
  const before = await fields();
  const mistyped = `${codes[0].slice(0, 8)}${codes[0][8] === "A" ? "B" : "A"}`;
  const dialogs = await engine.press("#openCode", [mistyped, true]);
  assert.deepEqual(shown(dialogs).map(([, message]) => message),
    ["Kód listu:", `Kód listu „${mistyped}“ není platný.`]);
  assert.deepEqual(await fields(), before);
});

// Opening a code asks its own question before it replaces what the teacher typed or changed,
// and only then; Cancel keeps the fields. Generuj and Smaž ask as they always did.
test("a code replaces edited fields only once the teacher confirms its own question", async () => {
  const question = "V polích je text, který jste upravili. Přejete si ho opravdu nahradit listem podle kódu?";
  const code = "4XY1-ZKRX";
  const opened = async () => {
    const [exercises, solutions] = await fields();
    return `${exercises}\n${solutions}`.replace(/\n/g, "\r\n") === nativeText(code);
  };
  const edit = () => engine.evaluate(() => {
    Text1_1.value += "poznámka";
    Text1_1.dispatchEvent(new Event("input", { bubbles: true }));
  });
  const messages = (dialogs) => shown(dialogs).map(([, message]) => message);
  // A run's lists, then the opened sheet itself, are no edits.
  await engine.press("#Command1", ["10", "5"]);
  assert.deepEqual(messages(await engine.press("#openCode", [code])), ["Kód listu:"]);
  assert.ok(await opened());
  assert.deepEqual(messages(await engine.press("#openCode", [code])), ["Kód listu:"]);
  // Edited: Cancel keeps them, OK replaces them.
  await edit();
  const edited = await fields();
  assert.deepEqual(messages(await engine.press("#openCode", [code, null])), ["Kód listu:", question]);
  assert.deepEqual(await fields(), edited);
  assert.deepEqual(messages(await engine.press("#openCode", [code, true])), ["Kód listu:", question]);
  assert.ok(await opened());
  // A mistyped code is refused before anything is asked about the fields.
  await edit();
  assert.deepEqual(messages(await engine.press("#openCode", ["4XY1-ZKRY", true])),
    ["Kód listu:", "Kód listu „4XY1-ZKRY“ není platný."]);
  // Emptied by Smaž, with its own confirmation, they hold nothing to lose.
  assert.deepEqual(messages(await engine.press("#Command3", [true])), [confirmation]);
  assert.deepEqual(messages(await engine.press("#openCode", [code])), ["Kód listu:"]);
  // Generuj replaces edited fields without asking.
  await edit();
  assert.deepEqual(messages(await engine.press("#Command1", ["10", "5"])),
    [countQuestion, separatorQuestion]);
  assert.equal((await fields())[1].includes("poznámka"), false);
});

// "Nápověda": the core's help in a dialog of its own, its sections written once.
test("the help shows the core's sections: every command, marking, the check, and nothing sent", async () => {
  for (let time = 0; time < 2; time += 1) {
    await engine.press("#help");
    const [open, titles, text] = await engine.evaluate(() => {
      const dialog = document.getElementById("helpDialog");
      return [dialog.open, [...dialog.querySelectorAll("h3")].map((title) => title.textContent),
        dialog.textContent];
    });
    assert.deepEqual([open, titles], [true, ["Okno", "Tisk a listy podle kódu", "Pracovní listy pro třídu",
      "Opravování", "Kontrola žákem", "Kód výsledku", "Soukromí"]]);
    for (const words of ["Generuj", "Otevřít list podle kódu…", "Zkontrolovat list podle kódu…",
      "Promítat…", "V klíči uvést časté chyby", "Ukázat řešení", "nic neodesílá", "ne důkaz"]) {
      assert.ok(text.includes(words), words);
    }
    await engine.press("#closeHelp");
    assert.equal(await engine.evaluate(() => document.getElementById("helpDialog").open), false);
  }
});

test("while the fields hold a sheet opened by its code, Tisk… prints that sheet and its key", printing, async () => {
  await engine.press("#openCode", ["4XY1-ZKRX"]);
  await engine.evaluate(() => {
    window.print = () => {};
  });
  await engine.press("#printFields");
  await engine.pdf(join(work, "sheet.pdf"));
  const pages = pdfPages(join(work, "sheet.pdf"));
  assert.equal(pages.length, 2);
  assert.ok(pages[0].includes("Kód: 4XY1-ZKRX") && pages[0].includes("3. 19-1+4-18+30-14-20 ="), pages[0]);
  // The key on one page: the sheet's results, numbered as on the sheet, each the end of its
  // solution as the desktop program gives it; below them its solutions.
  const lines = nativeText("4XY1-ZKRX").split("\r\n").filter((line) => line !== "");
  const solutions = lines.slice(lines.length / 2);
  const results = solutions.map((line, i) => `${i + 1}. ${line.slice(line.lastIndexOf("=") + 1)}`);
  const [resultsPart, solutionsPart = ""] = pages[1].split(/^Řešení\n/m);
  assert.match(resultsPart, /^Výsledky\nŘešení uvádí jen příklady s mezivýpočty; .*\nKód 4XY1-ZKRX\n/);
  assert.deepEqual(resultsPart.match(/\d+\. -?\d+( \(\d+\))?/g).sort(), results.sort());
  // A solution with a step before its result, and none that is its result alone.
  assert.ok(solutionsPart.includes("4. 28:4-30:10=7-3=4"), pages[1]);
  assert.ok(!solutionsPart.includes("19-1+4-18+30-14-20 =0"), pages[1]);
});

test("the class-set dialog: its fields and defaults, Zrušit, and 30 sheets to the print dialog", async () => {
  await engine.evaluate(() => {
    window.prints = 0;
    window.print = () => {
      window.prints += 1;
    };
  });
  await engine.press("#classSet");
  const form = await engine.evaluate(() => [classSetDialog.open,
    ...[...classSetForm.querySelectorAll("input:not(#kinds input)")].map((input) =>
      [input.labels[0].textContent.trim(), input.type, input.min, input.max, input.value])]);
  assert.deepEqual(form, [true, ["Počet listů", "number", "1", "40", "25"],
    ["Příkladů na listu", "number", "1", "200", "20"], ["Oddělovat po", "number", "1", "20", "5"],
    ["Nadpis (nejvýše 80 znaků)", "text", "", "", ""], ["Upravené listy", "text", "", "", ""],
    ["Příkladů na upraveném listu", "number", "1", "20", "20"],
    ["Oboustranný tisk", "checkbox", "", "", "on"], ["V klíči uvést časté chyby", "checkbox", "", "", "on"],
    ["Uložit také sadu do souboru", "checkbox", "", "", "on"]]);
  // The heading's length, like the numbers' defaults and maxima, comes from the core.
  assert.equal(await engine.evaluate(() => heading.maxLength), 80);
  // The kind choice: every topic and kind ticked, each kind with its number and an example.
  assert.deepEqual(await kindChoice(), kindTopics.map(([topic, kinds]) => [topic, "ticked",
    ...kinds.map(([kind, name]) => [`${kind + 1} ${name}`, "ticked"])]));
  assert.deepEqual(await engine.evaluate(() => [printSheets.disabled, noKinds.hidden]), [false, true]);
  await engine.press("#cancelSheets");
  assert.deepEqual(await engine.evaluate(() => [classSetDialog.open, prints]), [false, 0]);

  await engine.press("#classSet");
  await engine.evaluate(() => {
    sheets.value = "30";
    printSheets.click();
  });
  // The core's layout as drawn: every sheet's place, its exercises, and its title in the key.
  const laidOut = await engine.evaluate(() => {
    const texts = [...document.querySelectorAll("#sheetsPrintout .run")].map((run) => run.textContent);
    return [prints, texts.filter((text) => /^List \d+ z 30$/.test(text)).length,
      texts.filter((text) => /^\d+\. .*=\s*$/.test(text)).length,
      new Set(texts.filter((text) => /^List \d+ z 30, kód /.test(text))).size];
  });
  assert.deepEqual(laidOut, [1, 30, 600, 30]);
});

test("a class set on paper: a sheet a page, its exercises only, and the key", printing, async () => {
  await engine.press("#classSet");
  await engine.evaluate((title) => {
    sheets.value = "3";
    count.value = "40";
    separator.value = "1";
    heading.value = title;
    printSheets.click();
  }, heading);
  await engine.pdf(join(work, "set.pdf"));
  const codes = execFileSync(sheetsPdfCheck, [join(work, "set.pdf"), "3", "40", "1", heading,
    ciferon, clipboardCheck], { encoding: "utf8" }).trim().split("\n");
  assert.equal(new Set(codes).size, 3);
});

test("printed on both sides, every sheet and the key start on a front page, none losing a line", printing, async () => {
  // Sheets of one page and of several, whole groups moved on leaving room at the foot of
  // columns: where each sheet and the key begin (pages from 1), and the pages of each sheet.
  const cases = [
    { set: [3, 20, 5], starts: [1, 3, 5], key: 7 },
    { set: [3, 100, 10], starts: [1, 3, 5], key: 7 },
    { set: [2, 120, 20], starts: [1, 5], key: 9 },
    { set: [2, 200, 10], starts: [1, 5], key: 9 },
  ];
  const numberedLines = (text) => text.split("\n").filter((line) => /^\d+\. /.test(line));
  for (const { set, starts, key } of cases) {
    const [total, perSheet] = set;
    const label = `${set[0]} × ${set[1]}/${set[2]}`;
    await engine.press("#classSet");
    await engine.evaluate((...numbers) => {
      window.print = () => {};
      [sheets.value, count.value, separator.value] = numbers.map(String);
      duplex.checked = true;
      printSheets.click();
    }, ...set);
    const pdf = join(work, `duplex-${perSheet}.pdf`);
    await engine.pdf(pdf);
    const pages = pdfPages(pdf);
    const begins = (pattern) => pages.findIndex((page) => pattern.test(page)) + 1;
    const found = Array.from({ length: total }, (_, i) => begins(new RegExp(`^List ${i + 1} z ${total}$`, "m")));
    assert.deepEqual([found, begins(/^Výsledky$/m)], [starts, key], label);
    // A page is blank only as the back of a sheet's last page.
    pages.forEach((page, i) => assert.ok(page.trim() !== "" || [...starts, key].includes(i + 2),
      `${label}: page ${i + 1} blank`));
    const keyLines = new Set(numberedLines(pages.slice(key - 1).join("\n")));
    for (const [i, start] of starts.entries()) {
      const ownPages = pages.slice(start - 1, (starts[i + 1] ?? key) - 1);
      const code = ownPages[0].match(/Kód: (\S+)/)[1];
      const lines = nativeText(code).split("\r\n").filter((line) => line !== "");
      const numbered = (list) => list.map((line, n) => `${n + 1}. ${line}`);
      assert.deepEqual(numberedLines(ownPages.join("\n")).sort(), numbered(lines.slice(0, perSheet)).sort(),
        `${label}: sheet ${i + 1}`);
      // Every solution with a step before its result is in the key, none that is its result
      // alone.
      const worked = (line) => (line.match(/=/g) ?? []).length > 1;
      const solutionLines = numbered(lines.slice(perSheet));
      const lost = solutionLines.filter((line) => worked(line) !== keyLines.has(line));
      assert.deepEqual(lost, [], `${label}: the key of sheet ${i + 1}`);
    }
  }
});

// A topic's box in the class-set dialog: 0 "Závorky" … 3 "Dělení se zbytkem".
const topicBox = (topic) => `#kinds .topic:nth-of-type(${topic + 1}) legend input`;

test("the kind choice: a topic's box ticks and clears its kinds, partly ticked when some are; none ticked refuses", async () => {
  await engine.press("#classSet");
  await engine.press("#kind6");
  const partly = await kindChoice();
  assert.deepEqual(partly.map(([, state]) => state), ["ticked", "partly", "ticked", "ticked"]);
  assert.deepEqual(partly[1][5], ["7 Rozdíl součinu a podílu", "cleared"]);
  // A partly ticked topic's box ticks all its kinds.
  await engine.press(topicBox(1));
  assert.ok((await kindChoice()).flat(2).every((state) => state !== "cleared" && state !== "partly"));
  for (const topic of [0, 1, 2, 3]) await engine.press(topicBox(topic));
  const none = await kindChoice();
  assert.deepEqual(none.map((topic) => topic.slice(1).flat().filter((state) => state === "ticked")),
    [[], [], [], []]);
  assert.deepEqual(await engine.evaluate(() => [printSheets.disabled, noKinds.hidden, noKinds.textContent]),
    [true, false, "Zaškrtněte aspoň jeden druh příkladů."]);
  // One kind is enough, and it ticks the one-kind topic.
  await engine.press("#kind10");
  assert.deepEqual((await kindChoice()).map(([, state]) => state), ["cleared", "cleared", "cleared", "ticked"]);
  assert.deepEqual(await engine.evaluate(() => [printSheets.disabled, noKinds.hidden]), [false, true]);
  await engine.press("#cancelSheets");
  // The dialog opens with its defaults again.
  await engine.press("#classSet");
  assert.deepEqual((await kindChoice()).map(([, state]) => state), ["ticked", "ticked", "ticked", "ticked"]);
  await engine.press("#cancelSheets");
});

test("the adapted sheets: their count follows the set's until set, and the core refuses a list beyond the set", async () => {
  await engine.press("#classSet");
  const state = () => engine.evaluate(() => [adaptedCount.value, adaptedCount.max, adaptedCount.disabled,
    printSheets.disabled, noKinds.hidden ? "" : noKinds.textContent]);
  // Where the buttons stand in the dialog: the problem line has its room, so they never move.
  const buttonsAt = () => engine.evaluate(() =>
    printSheets.getBoundingClientRect().top - classSetDialog.getBoundingClientRect().top);
  const at = await buttonsAt();
  const type = (id, value) => engine.evaluate((field, text) => {
    const input = document.getElementById(field);
    input.value = text;
    input.dispatchEvent(new Event("input", { bubbles: true }));
  }, id, value);
  assert.deepEqual(await state(), ["20", "20", true, false, ""]);
  await type("count", "12");
  assert.deepEqual(await state(), ["12", "12", true, false, ""]);
  const malformed = "Upravené listy jsou čísla listů od 1 do 25 jednotlivě nebo jako rozsahy " +
    "oddělené čárkou, třeba 3, 7 nebo 3,7-8, nebo „všechny“.";
  const beyond = "Upravené listy jsou listy této sady, od 1 do 25; list 26 v ní není.";
  for (const [list, refusal] of [["3, 7", ""], ["3, 26", beyond], ["všechny", ""], ["7-", malformed]]) {
    await type("adapted", list);
    assert.deepEqual(await state(), ["12", "12", false, refusal !== "", refusal], list);
    assert.equal(await buttonsAt(), at, list);
  }
  await type("adapted", "2");
  await type("adaptedCount", "5");
  await type("count", "30");
  assert.deepEqual(await state(), ["5", "30", false, false, ""]);
  await type("adaptedCount", "31");
  assert.deepEqual(await state(), ["31", "30", false, true,
    "Příkladů na upraveném listu musí být celé číslo od 1 do 30."]);
  await engine.press("#cancelSheets");
});

const adaptedCheck = join(dirname(fileURLToPath(import.meta.url)), "..", "adapted_pdf_check.sh");
// Types into the class-set dialog's fields as a teacher does, each change an input event.
const typeIn = (values) => engine.evaluate((given) => {
  for (const [id, value] of Object.entries(given)) {
    const input = document.getElementById(id);
    if (input.type === "checkbox") input.checked = value;
    else input.value = value;
    input.dispatchEvent(new Event("input", { bubbles: true }));
  }
}, values);

test("adapted sheets on paper: larger type, one exercise a line, their own count and code, named in the key, two-sided on odd pages", printing, async () => {
  await engine.press("#classSet");
  await typeIn({ sheets: "3", count: "40", separator: "5", adapted: "1, 3", adaptedCount: "30", duplex: true });
  await engine.evaluate(() => {
    window.print = () => {};
    printSheets.click();
  });
  await engine.pdf(join(work, "adapted.pdf"));
  const codes = execFileSync(adaptedCheck, [join(work, "adapted.pdf"), ciferon, "40", "30", "1 3", "duplex"],
    { encoding: "utf8" }).trim().split("\n");
  assert.deepEqual(codes.map((line) => line.endsWith(" adapted")), [true, false, true]);
  // An adapted sheet of 30 runs over more than one page.
  const pages = pdfPages(join(work, "adapted.pdf"));
  const { sheets: starts } = pageStarts(join(work, "adapted.pdf"));
  assert.ok(pages.slice(0, starts[1] - 1).filter((page) => page.trim() !== "").length > 1, codes.join(" "));
});

test("a sheet opened by its code prints adapted while Upravený list is ticked", printing, async () => {
  await engine.press("#openCode", ["4XY1-ZKRX"]);
  assert.equal(await engine.evaluate(() => document.getElementById("adaptedPrint").checked), false);
  await engine.evaluate(() => {
    window.print = () => {};
    document.getElementById("adaptedPrint").checked = true;
  });
  await engine.press("#printFields");
  await engine.pdf(join(work, "opened-adapted.pdf"));
  assert.deepEqual(execFileSync(adaptedCheck, [join(work, "opened-adapted.pdf"), ciferon, "4", "4", "1"],
    { encoding: "utf8" }), "4XY1-ZKRX adapted\n");
  await engine.evaluate(() => {
    document.getElementById("adaptedPrint").checked = false;
  });
});

test("a twelve-symbol code opens its topic sheet as the desktop program has it", async () => {
  for (const code of topicCodes) {
    // As a pupil might read it out: small letters, blanks for dashes.
    await engine.press("#openCode", [code.toLowerCase().replaceAll("-", " ")]);
    assert.equal(await copy(), nativeText(code), code);
  }
});

test("a class set of one topic printed from the dialog: every sheet is its code's sheet", printing, async () => {
  await engine.press("#classSet");
  for (const topic of [0, 1, 2]) await engine.press(topicBox(topic));
  await engine.evaluate(() => {
    sheets.value = "3";
    count.value = "12";
    separator.value = "4";
    heading.value = "Dělení se zbytkem";
    printSheets.click();
  });
  await engine.pdf(join(work, "topic.pdf"));
  const codes = execFileSync(sheetsPdfCheck, [join(work, "topic.pdf"), "3", "12", "4",
    "Dělení se zbytkem", ciferon, clipboardCheck], { encoding: "utf8" }).trim().split("\n");
  assert.equal(new Set(codes).size, 3);
  for (const code of codes) {
    assert.match(code, /^\w{4}-\w{4}-\w{4}$/);
    // Every result is a quotient and a remainder.
    assert.deepEqual(results(code).filter((result) => result.length !== 2), [], code);
  }
});

// A sheet's results as `ciferon --code CODE --text` ends its solution lines: ["45"], or the
// quotient and the remainder, ["6", "4"], for "6 (4)".
function results(code) {
  const lines = nativeText(code).split("\r\n").filter((line) => line !== "");
  return lines.slice(lines.length / 2)
    .map((line) => line.slice(line.lastIndexOf("=") + 1).match(/^(-?\d+)(?: \((\d+)\))?$/).slice(1)
      .filter((part) => part !== undefined));
}

// Types the answers into the check view: [] leaves an exercise unanswered.
const fillAnswers = (answers) => engine.evaluate((given) => given.forEach(([answer = "", remainder = ""], i) => {
  document.getElementById(`answer${i + 1}`).value = answer;
  const field = document.getElementById(`remainder${i + 1}`);
  if (field) field.value = remainder;
}), answers);

// The check view's lines: mark, whether "Ukázat řešení" is offered, the solution shown; and
// the summary.
const checkView = () => engine.evaluate(() => [[...checkList.querySelectorAll(".checkLine")].map((line) =>
  [line.querySelector(".mark").textContent, line.querySelector(".show").getClientRects().length > 0,
    line.querySelector(".solution").hidden ? "" : line.querySelector(".solution").textContent]),
checkSummary.textContent]);

// Where a printout's pages begin: how many pages, the page (from 1) of each sheet and of the
// key's two parts, read back with pdftotext's form feeds.
function pageStarts(pdf) {
  const pages = pdfPages(pdf);
  const first = (pattern) => pages.findIndex((page) => pattern.test(page)) + 1;
  return {
    pages: pages.length,
    sheets: pages.flatMap((page, i) => (/Datum:/.test(page) ? [i + 1] : [])),
    results: first(/^Výsledky/m),
    solutions: first(/^Řešení/m),
  };
}

// The codes of a printed class set, sheet by sheet.
const printedCodes = (pdf) => pdfPages(pdf).filter((page) => /Datum:/.test(page))
  .map((page) => page.match(/Kód: (\S+)/)[1]);

// Prints a class set of exactly these codes from the page (its address's #print=…) to `pdf`.
async function printCodes(codes, heading, duplex, pdf, { adapted = "", mistakes = false } = {}) {
  await engine.evaluate(() => document.body.classList.remove("sheets"));
  const asked = new URLSearchParams({ print: codes.join(","), heading, duplex: duplex ? "1" : "0", adapted,
    mistakes: mistakes ? "1" : "0" });
  await engine.open(`${pageUrl}#${asked}`);
  await engine.waitFor(() => document.body.classList.contains("sheets"));
  await engine.pdf(pdf);
}

// One pagination: the same class set has as many pages from the desktop program as from the
// page, and every sheet and both parts of the key begin on the same pages, one-sided and
// two-sided, with and without a heading of 80 characters. The sets of one to four pages a
// sheet, and random ones (their sizes in the message).
const longHeading = "Opakování před pololetní písemkou: závorky, přednost násobení, dělení se zbytkem";
const randomSet = () => [1 + Math.floor(Math.random() * 4), 1 + Math.floor(Math.random() * 200),
  1 + Math.floor(Math.random() * 20)];
const paginationSets = [[2, 20, 5], [2, 120, 20], [2, 200, 10], [3, 100, 10],
  ...Array.from({ length: 4 }, randomSet)];

test("the desktop and the page paginate the same class set alike", printing, async () => {
  assert.equal(longHeading.length, 80);
  for (const [n, set] of paginationSets.entries()) {
    for (const [heading, duplex] of [["", false], [longHeading, false], ["", true], [longHeading, true]]) {
      const label = `${set.join(" × ")} ${heading ? "with" : "without"} the heading, ${duplex ? "two" : "one"}-sided`;
      const desktop = join(work, `desktop-${n}.pdf`);
      execFileSync(ciferon, ["--sheets", String(set[0]), "--count", String(set[1]), "--separator",
        String(set[2]), "--pdf", desktop, ...(heading ? ["--heading", heading] : []),
        ...(duplex ? ["--duplex"] : [])]);
      const page = join(work, `page-${n}.pdf`);
      await printCodes(printedCodes(desktop), heading, duplex, page);
      const expected = pageStarts(desktop);
      assert.equal(expected.sheets.length, set[0], label);
      assert.deepEqual(pageStarts(page), expected, label);
    }
  }
  await engine.evaluate(() => history.replaceState(null, "", location.href.split("#")[0]));
});

// The command line's --codes prints a class set of exactly the codes given, as the page's
// #print=… does: the same pages.
test("a class set of given codes from the command line and from the page", printing, async () => {
  const desktop = join(work, "set.pdf");
  execFileSync(ciferon, ["--sheets", "3", "--count", "90", "--separator", "9", "--pdf", desktop]);
  const codes = printedCodes(desktop).reverse();
  for (const duplex of [false, true]) {
    const fromCodes = join(work, "codes.pdf");
    execFileSync(ciferon, ["--codes", codes.join(","), "--pdf", fromCodes, "--heading", longHeading,
      ...(duplex ? ["--duplex"] : [])]);
    assert.deepEqual(printedCodes(fromCodes), codes);
    const page = join(work, "codes-page.pdf");
    await printCodes(codes, longHeading, duplex, page);
    assert.deepEqual(printedCodes(page), codes);
    assert.deepEqual(pageStarts(page), pageStarts(fromCodes), duplex ? "two-sided" : "one-sided");
  }
  // With the common mistakes, the key's results read as the command line's.
  const withMistakes = join(work, "mistakes.pdf");
  execFileSync(ciferon, ["--codes", "1DX2-DT93", "--mistakes", "--pdf", withMistakes]);
  const page = join(work, "mistakes-page.pdf");
  await printCodes(["1DX2-DT93"], "", false, page, { mistakes: true });
  const keyOf = (pdf) => pdfPages(pdf).filter((text) => text.includes("Výsledky")).join("");
  assert.match(keyOf(page), /\[D 29; J 21\]/);
  assert.equal(keyOf(page).replace(/\s+/g, " "), keyOf(withMistakes).replace(/\s+/g, " "));
  await engine.evaluate(() => history.replaceState(null, "", location.href.split("#")[0]));
});

// The page's address refuses the lists that --codes refuses, with the core's sentence in an
// alert, and lays nothing of them out; the others it lays out.
test("a print address is accepted or refused as --codes is", async () => {
  await engine.evaluate(() => {
    window.alerts = [];
    window.ciferonAlert = window.alert;
    window.alert = (text) => window.alerts.push(text);
  });
  for (const { name, codes, heading, adapted, addressRest, sentence } of codesCases) {
    const address = [`print=${encodeURIComponent(codes)}`,
      ...(heading ? [`heading=${encodeURIComponent(heading)}`] : []),
      ...(adapted ? [`adapted=${encodeURIComponent(adapted)}`] : [])].join("&") + addressRest;
    await engine.evaluate((hash) => {
      document.body.classList.remove("sheets");
      window.alerts.length = 0;
      location.hash = hash;
    }, address);
    await engine.waitFor(() => window.alerts.length > 0 || document.body.classList.contains("sheets"));
    const [alerts, laidOut] = await engine.evaluate(() =>
      [[...window.alerts], document.body.classList.contains("sheets")]);
    assert.deepEqual(alerts, sentence ? [sentence] : [], name);
    assert.equal(laidOut, !sentence, name);
  }
  await engine.evaluate(() => {
    window.alert = window.ciferonAlert;
    history.replaceState(null, "", location.href.split("#")[0]);
  });
});

// Adapted sheets paginate alike too: a set with adapted sheets of one to three pages, printed
// again from its codes with the same sheets adapted.
test("the desktop and the page paginate a class set with adapted sheets alike", printing, async () => {
  for (const [adaptedCount, duplex] of [[10, true], [30, false], [40, true]]) {
    const desktop = join(work, "adapted-desktop.pdf");
    execFileSync(ciferon, ["--sheets", "3", "--count", "60", "--adapted", "1,3", "--adapted-count",
      String(adaptedCount), "--pdf", desktop, ...(duplex ? ["--duplex"] : [])]);
    const page = join(work, "adapted-page.pdf");
    await printCodes(printedCodes(desktop), "", duplex, page, { adapted: "1,3" });
    assert.deepEqual(pageStarts(page), pageStarts(desktop), `${adaptedCount} adapted, duplex ${duplex}`);
  }
  await engine.evaluate(() => history.replaceState(null, "", location.href.split("#")[0]));
});

test("a pupil checks a sheet by its code: marks, the summary, and one solution shown", async () => {
  const refused = await engine.press("#checkSheet", ["1M3D-6JGK", true]);
  assert.deepEqual(shown(refused).map(([, message]) => message),
    ["Kód listu:", "Kód listu „1M3D-6JGK“ není platný."]);
  assert.equal(await engine.evaluate(() => checkDialog.open), false);

  const code = "1M3D-6JGJ";
  const lines = nativeText(code).split("\r\n").filter((line) => line !== "");
  const [exercises, solutions] = [lines.slice(0, lines.length / 2), lines.slice(lines.length / 2)];
  const right = results(code);
  assert.deepEqual(shown(await engine.press("#checkSheet", [code.toLowerCase()])),
    [expect("prompt", "Kód listu:", "")]);
  const opened = await engine.evaluate(() => [checkDialog.open, checkedCode.textContent,
    document.activeElement.id, ...[...checkList.querySelectorAll(".checkLine input")].map((field) =>
      [field.id, field.labels[0].textContent, field.getAttribute("aria-labelledby")?.split(" ")
        .map((id) => document.getElementById(id).textContent).join(" ") ?? ""])]);
  // Numbered as on paper, one field for a whole number and two for a remainder, the second
  // labelled by the exercise and "zb.".
  assert.deepEqual(opened, [true, code, "answer1", ...right.flatMap((result, i) => {
    const exercise = `${i + 1}. ${exercises[i]}`;
    const answer = [`answer${i + 1}`, exercise, ""];
    return result.length === 2 ? [answer, [`remainder${i + 1}`, "zb.", `${exercise} zb.`]] : [answer];
  })]);
  // Every "Ukázat řešení" names its exercise.
  assert.deepEqual(await engine.evaluate(() => [...checkList.querySelectorAll(".show")]
    .map((button) => button.getAttribute("aria-label"))),
  right.map((_, i) => `Ukázat řešení příkladu ${i + 1}`));
  // Enter moves on to the next field.
  await engine.pressKey("Enter");
  await engine.pressKey("Enter");
  assert.equal(await engine.evaluate(() => document.activeElement.id), "answer2");

  // Exercise 3 wrong, 11 without its remainder, which names the likely mistake, 20
  // unanswered, 4 between narrow no-break spaces, 6 no number at all (a blank between digits
  // only separates thousands).
  const answers = right.map((result) => [...result]);
  answers[2] = [String(Number(right[2][0]) + 1)];
  answers[10] = [right[10][0], ""];
  answers[19] = [];
  answers[3] = [`\u202f${right[3][0]}\u202f`];
  answers[5] = [`${right[5][0]} 1`];
  await fillAnswers(answers);
  await engine.press("#evaluate");
  const marks = right.map((_, i) => [i === 19 ? "" : [2, 10].includes(i) ? "✗ chybně" : "✓ správně",
    [2, 10].includes(i), ""]);
  marks[10][0] = "✗ chybně – chybí zbytek";
  marks[5][0] = "? nečitelné – napiš číslo";
  const missing = "\n– chybí zbytek: 1×";
  const unreadable = " Nečitelné odpovědi: 1.";
  assert.deepEqual(await checkView(), [marks, `Správně 16 z 20.${unreadable}${missing}`]);
  // Coloured as a wrong answer.
  const colour = (id) => engine.evaluate((mark) => getComputedStyle(document.getElementById(mark)).color, id);
  assert.equal(await colour("mark6"), await colour("mark3"));

  await engine.press("#mark11 ~ .show");
  // A division's solution as its fields take it: "32:3 =10 zb. 2".
  marks[10] = [marks[10][0], false, solutions[10].replace(/(\d+) \((\d+)\)$/, "$1 zb. $2")];
  assert.match(marks[10][2], / zb\. \d+$/);
  assert.deepEqual(await checkView(), [marks, `Správně 16 z 20.${unreadable} Ukázaná řešení: 1.${missing}`]);
  // The slips of 3 and 6 mended without their solutions count; the shown solution of 11 copied
  // into its fields leaves it wrong, its mistake still counted.
  await fillAnswers(answers.with(2, right[2]).with(5, right[5]).with(10, right[10]));
  await engine.press("#evaluate");
  marks[2] = ["✓ správně", false, ""];
  marks[5] = ["✓ správně", false, ""];
  assert.deepEqual(await checkView(), [marks, `Správně 18 z 20. Ukázaná řešení: 1.${missing}`]);
  // The check ends with the pupil's result code: the one that the command line's check gives
  // for the marks as they count, 11 without its remainder and 20 unanswered.
  const counted = join(work, "counted.txt");
  writeFileSync(counted, right.map((result, i) => (i === 19 ? "" : i === 10 ? result[0]
    : result.length === 2 ? `${result[0]} (${result[1]})` : result[0])).join("\n"));
  const nativeCheck = execFileSync(ciferon, ["--code", code, "--check", counted], { encoding: "utf8" })
    .trim().split("\n");
  assert.match(nativeCheck.at(-1), /^Kód výsledku: \w{4}-\w+/);
  assert.equal(await engine.evaluate(() => document.getElementById("checkResultCode").textContent),
    nativeCheck.at(-1));
  // Spoken to as a pupil, and not told how to see the results.
  const words = await engine.evaluate(() => [checkIntro.textContent, honest.textContent]);
  assert.match(words[0], /^Napiš výsledky/);
  assert.doesNotMatch(words.join(" "), /Napište|Otevřít/);
  await engine.press("#closeCheck");
  assert.equal(await engine.evaluate(() => checkDialog.open), false);
});

// A sheet of 20 checked at 1366 × 768: a named mistake stands on one line beside its field, and
// the summary and the buttons are in view at the dialog's bottom without scrolling.
test("the check of 20 exercises at 1366 × 768: marks on one line, summary and buttons in view", async () => {
  const before = await engine.evaluate(() => [innerWidth, innerHeight]);
  await engine.setSize(1366, 768);
  const code = "1M3D-6JGJ";
  await engine.press("#checkSheet", [code]);
  const answers = results(code).map((result) => [...result]);
  // 3. 7.9-2.9= worked from the left: (7.9-2).9; 11. 32:3 without its remainder; 20. 44:6
  // with quotient and remainder swapped.
  answers[2] = ["549"];
  answers[10] = [answers[10][0]];
  answers[19] = [answers[19][1], answers[19][0]];
  await fillAnswers(answers);
  await engine.press("#evaluate");
  await engine.press("#mark3 ~ .show");
  const seen = await engine.evaluate(() => {
    const box = (element) => element.getBoundingClientRect();
    const marks = [3, 11, 20].map((number) => {
      const [mark, field] = [`mark${number}`, `answer${number}`].map((id) => box(document.getElementById(id)));
      return [document.getElementById(`mark${number}`).textContent,
        mark.left >= field.right || mark.top >= field.bottom, Math.round(mark.height)];
    });
    const inView = (element) => box(element).top >= 0 && box(element).bottom <= innerHeight;
    const commands = checkDialog.querySelector(".dialogCommands");
    return {
      marks,
      lineHeight: Math.round(box(document.getElementById("mark1")).height),
      listUncut: checkList.scrollWidth <= checkList.clientWidth,
      dialogUnscrolled: checkDialog.scrollHeight <= checkDialog.clientHeight,
      inView: [checkSummary, document.getElementById("evaluate"), document.getElementById("closeCheck")].map(inView),
      commandsLast: checkDialog.lastElementChild === commands && box(commands).top >= box(checkSummary).bottom,
    };
  });
  await engine.press("#closeCheck");
  await engine.setSize(...before);
  assert.deepEqual(seen.marks.map(([text, beside]) => [text, beside]), [
    ["✗ chybně – asi počítáno zleva doprava (nejdřív se násobí a dělí)", true],
    ["✗ chybně – chybí zbytek", true], ["✗ chybně – asi prohozený podíl a zbytek", true]]);
  // One line each: no taller than the mark "✓ správně".
  assert.deepEqual(seen.marks.map(([, , height]) => height <= seen.lineHeight + 1), [true, true, true],
    `${seen.marks.map(([, , height]) => height)} against ${seen.lineHeight}`);
  assert.deepEqual([seen.listUncut, seen.dialogUnscrolled, seen.inView, seen.commandsLast],
    [true, true, [true, true, true], true]);
});

test("200 answers evaluated: every mark set, and set again when every answer changes", async () => {
  const code = "56H4-PQ3V";
  await engine.press("#checkSheet", [code]);
  const right = results(code);
  // Every answer wrong (a 1 put before it), then every answer right again.
  await fillAnswers(right.map(([answer, remainder]) => (remainder === undefined ? [`1${answer}`] : [`1${answer}`, remainder])));
  await engine.press("#evaluate");
  let [marks, summary] = await checkView();
  assert.deepEqual([marks.length, new Set(marks.map(([mark]) => mark)).has("✓ správně"), summary.startsWith("Správně 0 z 200.")],
    [200, false, true]);
  await fillAnswers(right);
  await engine.press("#evaluate");
  [marks, summary] = await checkView();
  assert.deepEqual([new Set(marks.map(([mark]) => mark)), summary], [new Set(["✓ správně"]), "Správně 200 z 200."]);
  await engine.press("#closeCheck");
});

// The projection as it stands: the exercise, the steps shown, the corner, what the live region
// says, the end screen's results and code, and whether the view covers the whole viewport.
const projected = () => engine.evaluate(() => {
  const box = projection.getBoundingClientRect();
  return {
    shown: !projection.hidden,
    covers: box.left === 0 && box.top === 0 && box.width === innerWidth && box.height === innerHeight,
    exercise: projectionExercise.textContent,
    steps: projectionSteps.textContent,
    corner: projectionCorner.textContent,
    live: projectionLive.textContent,
    timed: !projectionTimer.hidden,
    results: projection.classList.contains("ending")
      ? [...projectionResults.children].map((cell) => cell.textContent) : [],
    codeLine: projectionCodeLine.textContent,
  };
});

// Opens the projection dialog, sets its numbers and kinds (none ticked: as they are) and
// projects; the view takes the keyboard.
async function project(count, seconds, code = "", kinds = null) {
  await engine.press("#project");
  assert.equal(await engine.evaluate(() => projectionDialog.open), true);
  await engine.evaluate((...args) => {
    const [number, time, typed, ticked] = args;
    projectionCount.value = String(number);
    projectionSeconds.value = String(time);
    projectionCode.value = typed;
    if (ticked) {
      for (const box of document.querySelectorAll("#projectionKinds .kind input")) {
        box.checked = ticked.includes(Number(box.value) - 1);
      }
    }
    projectionCode.dispatchEvent(new Event("input", { bubbles: true }));
  }, count, seconds, code, kinds);
  await engine.press("#startProjection");
  // Keys go to the view once its dialog has closed.
  if (await engine.evaluate(() => !projection.hidden)) {
    await engine.waitFor(() => document.activeElement === projection);
  }
}

// Ends the view as a teacher does: Esc where the page has it, or, in full screen, where the
// browser keeps Esc for itself, by leaving full screen.
async function leaveProjection() {
  if (await engine.evaluate(() => document.fullscreenElement !== null)) {
    await engine.evaluate(() => document.exitFullscreen());
  } else {
    await engine.pressKey("Escape");
  }
  await engine.waitFor(() => projection.hidden);
}

test("the projection: steps, next, the end screen's results and code, Esc ends it", async () => {
  const defaults = await engine.evaluate(() => [projectionCount.defaultValue, projectionCount.max,
    projectionSeconds.defaultValue, projectionSeconds.max,
    document.querySelectorAll("#projectionKinds .kind input").length]);
  assert.deepEqual(defaults, ["10", "30", "0", "600", 15]);
  await project(3, 0);
  let view = await projected();
  assert.ok(view.shown && view.covers, "the view covers the viewport");
  assert.equal(view.timed, false);
  const code = view.corner.split("\n")[1].replace("Kód ", "");
  assert.equal(view.corner, `1 / 3\nKód ${code}`);
  // The code's --text: its exercises, then the exercises with their solutions.
  const lines = nativeText(code).split("\r\n").filter((line) => line !== "");
  const exercises = lines.slice(0, lines.length / 2);
  const worked = lines.slice(lines.length / 2).map((line, i) => line.slice(exercises[i].length));
  assert.equal(exercises.length, 3);
  assert.deepEqual([view.exercise, view.steps, view.live],
    [exercises[0], "", `Příklad 1 z 3: ${exercises[0]}`]);
  // The steps: the worked solution's pieces up to each "=", then the result.
  const firstStep = worked[0].includes("=") ? worked[0].slice(0, worked[0].indexOf("=") + 1) : worked[0];
  await engine.pressKey("Enter");
  view = await projected();
  assert.deepEqual([view.steps, view.live], [firstStep, `Příklad 1 z 3: ${exercises[0]} ${firstStep}`]);
  for (const key of ["ArrowDown", "Enter", "Enter"]) await engine.pressKey(key);
  assert.equal((await projected()).steps, worked[0]);
  await engine.pressKey("ArrowUp");
  assert.equal((await projected()).steps, firstStep === worked[0] ? "" : firstStep);
  await engine.pressKey("ArrowRight");
  view = await projected();
  assert.deepEqual([view.exercise, view.steps, view.corner.split("\n")[0]], [exercises[1], "", "2 / 3"]);
  await engine.pressKey("ArrowLeft");
  assert.equal((await projected()).exercise, exercises[0]);
  for (const key of ["PageDown", " ", "PageDown"]) await engine.pressKey(key);
  view = await projected();
  const results = worked.map((solution, i) => `${i + 1}. ${solution.slice(solution.lastIndexOf("=") + 1)}`);
  assert.deepEqual([view.results, view.codeLine], [results, `Kód ${code}`]);
  assert.equal(view.live, `Výsledky, Kód ${code}: ${results.join(" ")}`);
  assert.ok(view.covers);
  await leaveProjection();
  assert.equal(await engine.evaluate(() => document.fullscreenElement), null);

  // A code that is not valid keeps the dialog open and says so; a valid one projects its sheet.
  await engine.press("#project");
  const startAt = () => engine.evaluate(() =>
    startProjection.getBoundingClientRect().top - projectionDialog.getBoundingClientRect().top);
  const before = await startAt();
  await engine.evaluate(() => {
    projectionCode.value = "AFKB-MJZZ";
    projectionCode.dispatchEvent(new Event("input", { bubbles: true }));
  });
  assert.deepEqual(await engine.evaluate(() => [startProjection.disabled,
    document.getElementById("projectionProblem").textContent]), [true, "Kód listu „AFKB-MJZZ“ není platný."]);
  // Nor does the sheet of a code beyond the count's limit.
  await engine.evaluate(() => {
    projectionCode.value = "56h4 pq3v";
    projectionCode.dispatchEvent(new Event("input", { bubbles: true }));
  });
  assert.deepEqual(await engine.evaluate(() => [startProjection.disabled,
    document.getElementById("projectionProblem").textContent]),
  [true, "List kódu „56H4-PQ3V“ má 200 příkladů. Počet příkladů musí být celé číslo od 1 do 30."]);
  // The problem line had its room: "Promítat" did not move when it appeared.
  assert.equal(await startAt(), before);
  await engine.press("#cancelProjection");
  await project(10, 600, code.toLowerCase());
  view = await projected();
  assert.deepEqual([view.exercise, view.corner, view.timed], [exercises[0], `1 / 3\nKód ${code}`, true]);
  await leaveProjection();
});

// Thirty-two sets projected at two sizes: checked in one engine, where the page's own layout
// decides the fit.
const chromiumOnly = engineName === "chromium" ? {} : { skip: "the fit is checked in Chromium" };

test("every kind's exercises fit the screen, and a key press draws the next exercise", chromiumOnly, async () => {
  const sizes = [];
  for (const [width, height] of [[1024, 768], [1920, 1080]]) {
    await engine.setSize(width, height);
    // Every kind alone, 30 exercises each, and a sheet of all kinds as long as a projection
    // takes (30) by its code.
    const sets = [...Array.from({ length: 15 }, (_, kind) => [30, "", [kind]]), [1, "ZVE7-A7XM", null]];
    for (const [count, code, kinds] of sets) {
      await project(count, 0, code, kinds);
      const [smallest, widest, total] = await engine.evaluate(() => {
        let small = Infinity;
        let wide = 0;
        let seen = 0;
        while (!projection.classList.contains("ending")) {
          small = Math.min(small, parseFloat(projectionExercise.style.fontSize));
          for (const line of [projectionExercise, projectionSteps]) {
            wide = Math.max(wide, line.getBoundingClientRect().width / innerWidth);
          }
          document.dispatchEvent(new KeyboardEvent("keydown", { key: "Enter" }));
          document.dispatchEvent(new KeyboardEvent("keydown", { key: "Enter" }));
          wide = Math.max(wide, projectionSteps.getBoundingClientRect().width / innerWidth);
          document.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowRight" }));
          seen += 1;
        }
        return [small, wide, seen];
      });
      assert.ok(total >= 30, `${total} exercises`);
      assert.ok(widest <= 0.9, `${width}x${height} ${code || kinds}: ${widest}`);
      assert.ok(smallest >= height / 12, `${width}x${height} ${code || kinds}: ${smallest} px`);
      sizes.push(smallest);
      await leaveProjection();
    }
  }
  // Each key press shows the next exercise of the sheet, drawn in the next frame.
  await project(30, 0);
  const shownAfterKeys = await engine.evaluate(async () => {
    const seen = [projectionExercise.textContent];
    for (let press = 0; press < 29; press += 1) {
      document.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowRight" }));
      await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
      seen.push(projectionExercise.textContent);
    }
    return [seen.length, new Set(seen).size > 1, projectionCorner.textContent.split("\n")[0]];
  });
  await leaveProjection();
  await engine.setWidth(1000);
  assert.deepEqual(shownAfterKeys, [30, true, "30 / 30"]);
  console.log(`${engineName}: the projection's smallest exercise ${Math.min(...sizes)} px at 1024x768 ` +
    "(a twelfth: 64 px)");
});

test("on a phone held upright the fields stay side by side and no line wraps", async () => {
  // WebKit's MiniBrowser has a narrowest window of its own, still a phone's width.
  await engine.setWidth(390);
  const width = await engine.evaluate(() => innerWidth);
  assert.ok(width <= 450, `${width} px`);
  await engine.press("#Command1", ["200", "20"]);
  const [sideBySide, ...wrapped] = await engine.evaluate(() => {
    const [left, right] = [Text1_0, Text1_1].map((field) => field.getBoundingClientRect());
    // A field's height for its lines if none is wrapped, from one- and two-line copies.
    const heights = [Text1_0.scrollHeight, Text1_1.scrollHeight];
    const unwrapped = (field) => {
      const probe = field.cloneNode();
      probe.removeAttribute("id");
      probe.style.height = "0";
      field.after(probe);
      probe.value = "0";
      const one = probe.scrollHeight;
      probe.value = "0\n0";
      const line = probe.scrollHeight - one;
      probe.remove();
      return one + (field.value.split("\n").length - 1) * line;
    };
    return [left.top === right.top && left.right < right.left,
      ...[Text1_0, Text1_1].map((field, i) => heights[i] - unwrapped(field))];
  });
  assert.ok(sideBySide);
  assert.deepEqual(wrapped.map((extra) => Math.abs(extra) < 4), [true, true], `${wrapped}`);
  await engine.setWidth(1000);
});

test("clear asks first: Cancel keeps both fields, OK empties them", async () => {
  const before = await fields();
  assert.deepEqual(shown(await engine.press("#Command3", [null])), [expect("confirm", confirmation, "")]);
  assert.deepEqual(await fields(), before);
  await engine.press("#Command3", [true]);
  assert.deepEqual(await fields(), ["", ""]);
  // With the exercise field empty, copy copies nothing.
  await engine.evaluate(() => {
    copies.length = 0;
  });
  await engine.press("#Command2");
  assert.deepEqual(await engine.evaluate(() => copies), []);
});

// What the page downloads, caught before the browser saves it: each file's name and bytes.
// Caught once a download however often asked in the same document.
const watchDownloads = () => engine.evaluate(() => {
  const watching = Array.isArray(window.downloads);
  window.downloads = [];
  if (watching) return;
  const blobs = new Map();
  const create = URL.createObjectURL.bind(URL);
  URL.createObjectURL = (blob) => {
    const url = create(blob);
    blobs.set(url, blob);
    return url;
  };
  document.addEventListener("click", (event) => {
    const link = event.target.closest?.("a[download]");
    if (!link) return;
    event.preventDefault();
    downloads.push({ name: link.download, blob: blobs.get(link.href) });
  }, true);
});
const lastDownload = async () => {
  const [name, bytes] = await engine.evaluate(async () => {
    const { name: file, blob } = downloads.at(-1);
    return [file, Array.from(new Uint8Array(await blob.arrayBuffer()))];
  });
  return [name, Buffer.from(bytes)];
};
// Every row of the results grid: handed in or not, then each cell's sign, typed text and mark,
// the text as the grid's field holds it in the current cell and as it stands in the others.
const gridRows = () => engine.evaluate(() => [...grid.tBodies[0].rows].map((row) =>
  [row.classList.contains("handedIn"), ...[...row.querySelectorAll(".cell")].map((cell) => {
    const text = cell.querySelector(".text");
    const typed = cell.querySelector("input")?.value ?? (text.classList.contains("expected") ? "" : text.textContent);
    return [cell.querySelector(".sign").textContent, typed, cell.dataset.mark];
  })]));
const waitForPage = () => engine.waitFor(() => document.readyState === "complete" && !openSet.disabled);
const setCodes = "1DX2-DT93,7AHD-EWGT-SSKE,NPT2-6WN7";
const rightCell = ["✓", "", "r"];

test("a set file: opened, typed into, kept across a reload, counted as the command line counts it, saved and opened again", async () => {
  await watchDownloads();
  const setPath = join(work, "5A.ciferon");
  execFileSync(ciferon, ["--codes", setCodes, "--heading", heading, "--save-set", setPath]);
  const { saved } = JSON.parse(readFileSync(setPath, "utf8"));
  await engine.chooseFile("#setFile", setPath);
  await engine.waitFor(() => setStatus.textContent.includes("(listů: 3)"));
  // Opening shows when the file was saved: each download is a new copy.
  assert.equal(await engine.evaluate(() => setStatus.querySelector("time").dateTime), saved);

  await engine.press("#results");
  const expected = await engine.evaluate(() => [...grid.tBodies[0].rows].map((row) =>
    [...row.querySelectorAll(".cell")].map((cell) =>
      cell.querySelector("input")?.placeholder ?? cell.querySelector(".text.expected").textContent)));
  assert.deepEqual(expected.map((row) => row.length), [20, expected[1].length, 20]);
  assert.ok(expected.flat().every((result) => /^-?\d+( \(\d+\))?$/.test(result)), expected.flat());
  // A wrong answer, no answer, and the number row's "ě" for 2; then the next sheet handed in
  // as all right.
  const wrong = String(parseInt(expected[0][0], 10) + 11);
  await engine.type(wrong);
  await engine.pressKey("Enter");
  await engine.type("-");
  await engine.pressKey("Tab");
  await engine.type("ě");
  await engine.pressKey("ArrowDown");
  await engine.press("#handIn");
  // Typed in the third sheet, then undone: not handed in again. Handed in by its key, and
  // undone by the button.
  await engine.type("7");
  const thirdHandedIn = () => engine.evaluate(() => grid.tBodies[0].rows[2].classList.contains("handedIn"));
  assert.equal(await thirdHandedIn(), true);
  await engine.pressWith("Control", "z");
  assert.equal(await thirdHandedIn(), false);
  await engine.pressWith("Control", "Enter");
  assert.equal(await thirdHandedIn(), true);
  await engine.press("#undoEntry");
  const typedCell = expected[0][2] === "2" ? ["✓", "2", "r"] : ["✗", "2", "w"];
  const typed = [[true, ["✗", wrong, "w"], ["–", "-", "u"], typedCell, ...expected[0].slice(3).map(() => rightCell)],
    [true, ...expected[1].map(() => rightCell)], [false, ...expected[2].map(() => ["", "", ""])]];
  assert.deepEqual(await gridRows(), typed);
  // The third sheet from a pupil's result code, as --check gives it for a wrong first answer
  // and the rest not answered: the core asks for it, another sheet's code is refused, and the
  // row is handed in with the code's marks; undone, it is as it was.
  const answersPath = join(work, "third.txt");
  writeFileSync(answersPath, `${parseInt(expected[2][0], 10) + 11}\n`);
  const checked = execFileSync(ciferon, ["--code", "NPT2-6WN7", "--check", answersPath], { encoding: "utf8" });
  const resultCode = checked.trim().split("\n").at(-1).replace("Kód výsledku: ", "");
  const otherCode = execFileSync(ciferon, ["--code", "1DX2-DT93", "--check", answersPath], { encoding: "utf8" })
    .trim().split("\n").at(-1).replace("Kód výsledku: ", "");
  // The third sheet's second exercise pressed: its cell has the grid's one field, named for
  // the screen reader, and the focus.
  await engine.press("#grid tbody tr:nth-child(3) td:nth-child(5) .text");
  assert.deepEqual(await engine.evaluate(() => [grid.querySelectorAll("input").length,
    grid.tBodies[0].rows[2].cells[4].contains(document.activeElement),
    document.activeElement.getAttribute("aria-label")]), [1, true, "List 3, příklad 2"]);
  const refused = await engine.press("#rowResultCode", [otherCode, true]);
  assert.deepEqual(shown(refused).map(([, message]) => message),
    ["Kód výsledku z kontroly listu 3 (NPT2-6WN7):", `Kód výsledku „${otherCode}“ patří k jinému listu.`]);
  assert.equal(await thirdHandedIn(), false);
  await engine.press("#rowResultCode", [resultCode]);
  const marks = () => engine.evaluate(() =>
    [...grid.tBodies[0].rows[2].querySelectorAll(".cell")].map((cell) => cell.dataset.mark));
  assert.equal(await thirdHandedIn(), true);
  assert.deepEqual(await marks(), ["w", ...expected[2].slice(1).map(() => "u")]);
  await engine.press("#undoEntry");
  assert.equal(await thirdHandedIn(), false);
  // The wrong answer's cell says in words what it is, as its tooltip.
  const note = await engine.evaluate(() => grid.tBodies[0].rows[0].cells[3].title);
  assert.match(note, new RegExp(`^1\\. .* ${expected[0][0].replace(/[()]/g, "\\$&")} · napsáno „${wrong}“ · ✗ chybně`));

  // Names, which the browser does not keep unless asked.
  await engine.press("#names");
  await engine.evaluate(() => {
    namesList.value = "Jana Nováková\n\nPetr";
  });
  await engine.press("#takeNames");
  assert.deepEqual(await engine.evaluate(() => [...grid.querySelectorAll(".name")].map((cell) => cell.textContent)),
    ["Jana Nováková", "", "Petr"]);
  // Answers no file holds: the page asks before it is left.
  assert.equal(await engine.evaluate(() => {
    const leaving = new Event("beforeunload", { cancelable: true });
    dispatchEvent(leaving);
    return leaving.defaultPrevented;
  }), true);

  await engine.reload([true]);
  await waitForPage();
  await watchDownloads();
  await engine.press("#results");
  assert.deepEqual(await gridRows(), typed);
  assert.deepEqual(await engine.evaluate(() => [...grid.querySelectorAll(".name")].map((cell) => cell.textContent)),
    ["", "", ""]);
  await engine.press("#closeResults");

  // Saved as a download: the command line reads that file, and counts it as the page does.
  await engine.press("#saveSet");
  const [fileName, file] = await lastDownload();
  assert.equal(fileName, "5A.ciferon");
  const savedPath = join(work, "saved.ciferon");
  writeFileSync(savedPath, file);
  const text = execFileSync(ciferon, ["--set", savedPath, "--overview"], { encoding: "utf8" }).split("\n");
  await engine.press("#overview");
  const overview = await engine.evaluate(() => [handedInLine.textContent,
    [...pupils.tBodies[0].rows].map((row) => [...row.cells].map((cell) => cell.textContent)),
    [...kindBars.children].map((bar) => `${bar.firstChild.textContent}: ${bar.lastChild.textContent}`),
    [...mistakeList.children].map((item) => item.textContent.replace(/ \(listy .*\)$/, ""))]);
  assert.ok(text.includes("Odevzdáno 2 z 3 listů."), text);
  assert.ok(overview[0].startsWith("Odevzdáno 2 z 3 listů."), overview[0]);
  for (const [number, , code, right, total, percent, mark] of overview[1]) {
    const line = right === "neodevzdáno" ? `List ${number} (${code}): neodevzdáno`
      : `List ${number} (${code}): ${right} z ${total}, ${percent}, známka ${mark}`;
    assert.ok(text.includes(line), `${line} not in ${text.join("\n")}`);
  }
  assert.ok(overview[2].length > 0 && overview[2].every((line) => text.includes(line)), overview[2]);
  assert.ok(overview[3].every((line) => text.includes(line)), overview[3]);
  // The CSV for a changed scale, byte for byte the command line's.
  await engine.evaluate(() => {
    scale.value = "80,60,40,20";
    scale.dispatchEvent(new Event("input"));
  });
  await engine.press("#saveCsv");
  const [csvName, csv] = await lastDownload();
  const csvPath = join(work, "overview.csv");
  execFileSync(ciferon, ["--set", savedPath, "--overview", "--scale", "80,60,40,20", "--csv", csvPath]);
  assert.equal(csvName, "prehled-tridy.csv");
  assert.deepEqual(csv, readFileSync(csvPath));
  // Printed on that scale: the core's A4 layout, every line of it as the command line's PDF of
  // the overview has it.
  await engine.evaluate(() => {
    window.printedOverview = 0;
    window.print = () => {
      window.printedOverview += 1;
    };
  });
  await engine.press("#overviewPrint");
  const printout = await engine.evaluate(() => [window.printedOverview,
    [...document.getElementById("sheetsPrintout").querySelectorAll("span")].map((part) => part.textContent)]);
  assert.equal(printout[0], 1);
  const pdfPath = join(work, "overview.pdf");
  execFileSync(ciferon, ["--set", savedPath, "--overview", "--scale", "80,60,40,20", "--pdf", pdfPath]);
  const pdfText = execFileSync("pdftotext", ["-raw", pdfPath, "-"], { encoding: "utf8" }).replace(/\s+/g, " ");
  assert.ok(printout[1].includes(`Přehled třídy: ${heading}`), printout[1]);
  for (const part of printout[1]) assert.ok(pdfText.includes(part.trim()), `${part} not in ${pdfText}`);
  await engine.evaluate(() => dispatchEvent(new Event("afterprint")));

  // A damaged file is refused with the core's sentence, the open set kept whole.
  const cutPath = join(work, "cut.ciferon");
  writeFileSync(cutPath, file.subarray(0, file.length - 2));
  let refusal = "";
  try {
    execFileSync(ciferon, ["--set", cutPath, "--overview"], { encoding: "utf8", stdio: "pipe" });
  } catch (error) {
    assert.equal(error.status, 2);
    refusal = error.stderr.trim();
  }
  const dialogs = await engine.chooseFile("#setFile", cutPath, [true]);
  // The command line names the file by its path and begins its line with "ciferon: ".
  const [{ message }] = dialogs;
  assert.equal(dialogs.length, 1);
  assert.equal(`ciferon: ${message[0].toLowerCase()}${message.slice(1).replace("„cut.ciferon“", `„${cutPath}“`)}`,
    refusal);
  assert.equal(await engine.evaluate(() => setStatus.querySelector("time").dateTime),
    JSON.parse(file.toString("utf8")).saved);
  // The download opened again, once the set is closed: the same answers, and when it was saved.
  await engine.press("#closeSet");
  await engine.chooseFile("#setFile", savedPath);
  await engine.waitFor(() => !document.getElementById("results").disabled);
  assert.equal(await engine.evaluate(() => setStatus.querySelector("time").dateTime),
    JSON.parse(file.toString("utf8")).saved);
  await engine.press("#results");
  assert.deepEqual(await gridRows(), typed);
  await engine.press("#closeResults");
  // "Zavřít sadu" leaves nothing of it in the browser.
  await engine.press("#closeSet");
  assert.deepEqual(await engine.evaluate(() => [document.getElementById("results").disabled,
    Object.keys(localStorage).filter((key) => key.startsWith("ciferon."))]), [true, []]);
});

test("a class set printed from the dialog is saved as a set file when asked", async () => {
  await watchDownloads();
  await engine.evaluate(() => {
    window.print = () => {};
  });
  await engine.press("#classSet");
  await engine.evaluate(() => {
    saveNewSet.checked = true;
    printSheets.click();
  });
  const [name, file] = await lastDownload();
  assert.equal(name, "sada.ciferon");
  const path = join(work, name);
  writeFileSync(path, file);
  const text = execFileSync(ciferon, ["--set", path, "--overview"], { encoding: "utf8" });
  assert.match(text, /^Odevzdáno 0 z 25 listů\.$/m);
  assert.equal(await engine.evaluate(() => document.getElementById("results").disabled), false);
  await engine.press("#closeSet");
});

// The kinds each sheet practises, as the key of the command line's follow-up PDF says them.
const practisedInPdf = (pdf) => execFileSync("pdftotext", ["-raw", pdf, "-"], { encoding: "utf8" })
  .split("\n").filter((line) => line.startsWith("Procvičuje: ")).map((line) => line.slice(12));

test("the follow-up set: refused without results, planned as the command line plans it, printed, opened and downloaded", async () => {
  await watchDownloads();
  const setPath = join(work, "5B.ciferon");
  execFileSync(ciferon, ["--codes", setCodes, "--heading", heading, "--save-set", setPath]);
  await engine.chooseFile("#setFile", setPath);
  await engine.waitFor(() => !document.getElementById("followUp").disabled);
  // Without results: the core's sentence, as the command line refuses the same set.
  let refusal = "";
  try {
    execFileSync(ciferon, ["--set", setPath, "--follow-up", join(work, "none.ciferon"), "--pdf",
      join(work, "none.pdf")], { encoding: "utf8", stdio: "pipe" });
  } catch (error) {
    refusal = error.stderr.trim();
  }
  const [{ message }, ...more] = await engine.press("#followUp", [true]);
  assert.deepEqual(more, []);
  assert.equal(`ciferon: ${message[0].toLowerCase()}${message.slice(1)}`, refusal);
  assert.equal(await engine.evaluate(() => document.getElementById("followUpDialog").open), false);

  // The first sheet with a wrong first answer, the second all right, the third not handed in;
  // saved, and the command line's follow-up of that file planned each way.
  await engine.press("#results");
  const [first, counts] = await engine.evaluate(() => [grid.querySelector("input").placeholder,
    [...grid.tBodies[0].rows].map((row) => row.querySelectorAll(".cell").length)]);
  await engine.type(String(parseInt(first, 10) + 11));
  await engine.pressKey("ArrowDown");
  await engine.press("#handIn");
  await engine.press("#closeResults");
  await engine.press("#saveSet");
  const savedPath = join(work, "5B-results.ciferon");
  writeFileSync(savedPath, (await lastDownload())[1]);
  const planned = (...weakest) => {
    const pdf = join(work, `follow-up${weakest.length}.pdf`);
    execFileSync(ciferon, ["--set", savedPath, "--follow-up", join(work, `follow-up${weakest.length}.ciferon`),
      "--pdf", pdf, ...weakest]);
    return practisedInPdf(pdf);
  };
  const own = planned();
  const wholeClass = planned("--weakest");
  // Names given since, which the file does not hold yet.
  await engine.press("#results");
  await engine.press("#names");
  await engine.evaluate(() => {
    namesList.value = "Jana\nPetr";
  });
  await engine.press("#takeNames");
  await engine.press("#closeResults");

  await engine.press("#followUp");
  const plan = () => engine.evaluate(() => [...followUpPlan.tBodies[0].rows].map((row) =>
    [...row.cells].map((cell) => cell.textContent)));
  assert.deepEqual(await plan(), [["1", "Jana", own[0], "chyby"], ["2", "Petr", own[1], "vše správně"],
    ["3", "", own[2], "neodevzdáno"]]);
  // The kinds are named in their cell's tooltip, one a line.
  const named = await engine.evaluate(() => followUpPlan.tBodies[0].rows[0].cells[2].title);
  assert.match(named, new RegExp(`^${own[0]} – \\S`));
  assert.equal(await engine.evaluate(() => wholeClassLabel.textContent), "Celá třída procvičí nejslabší druhy třídy");
  await engine.press("#wholeClass");
  assert.deepEqual(await plan(), wholeClass.map((kinds, at) =>
    [String(at + 1), ["Jana", "Petr", ""][at], kinds, "nejslabší druhy třídy"]));
  assert.notDeepEqual(own, wholeClass);

  await engine.evaluate(() => {
    window.printedFollowUp = 0;
    window.print = () => {
      window.printedFollowUp += 1;
    };
  });
  // The names no file holds yet are kept: the set followed is downloaded first, unasked.
  assert.deepEqual(await engine.press("#printFollowUp"), []);
  const [followedName, followedFile] = await engine.evaluate(async () => {
    const { name, blob } = downloads.at(-2);
    return [name, await blob.text()];
  });
  assert.equal(followedName, "5B.ciferon");
  assert.deepEqual(JSON.parse(followedFile).sheets.map((sheet) => sheet.name ?? ""), ["Jana", "Petr", ""]);
  const [printed, printout, dialogOpen] = await engine.evaluate(() => [window.printedFollowUp,
    [...document.getElementById("sheetsPrintout").querySelectorAll("span")].map((part) => part.textContent),
    document.getElementById("followUpDialog").open]);
  assert.deepEqual([printed, dialogOpen], [1, false]);
  // The download: a set file named after the old one, which the command line reads, its
  // sheets new and not handed in, each printed with its code and the kinds it practises.
  const [name, file] = await lastDownload();
  assert.equal(name, "5B-procvicovani.ciferon");
  const madePath = join(work, name);
  writeFileSync(madePath, file);
  const made = JSON.parse(file.toString("utf8"));
  const text = execFileSync(ciferon, ["--set", madePath, "--overview"], { encoding: "utf8" });
  assert.match(text, /^Odevzdáno 0 z 3 listů\.$/m);
  assert.equal(made.heading, heading);
  assert.deepEqual(made.sheets.map((sheet) => sheet.number), [1, 2, 3]);
  for (const sheet of made.sheets) {
    assert.ok(!setCodes.split(",").includes(sheet.code), sheet.code);
    assert.ok(printout.some((part) => part.includes(sheet.code)), `${sheet.code} not in ${printout}`);
  }
  assert.deepEqual(printout.filter((part) => part.startsWith("Procvičuje: ")),
    wholeClass.map((kinds) => `Procvičuje: ${kinds}`));
  assert.equal(await engine.evaluate(() => setStatus.querySelector("time").dateTime), made.saved);
  assert.match(await engine.evaluate(() => setStatus.textContent), /soubor „5B-procvicovani\.ciferon“ uložen/);
  // The open set is the new one: its sheets keep the names and the counts of exercises.
  await engine.press("#results");
  const rows = await engine.evaluate(() => [...grid.tBodies[0].rows].map((row) =>
    [row.cells[1].textContent, row.cells[2].textContent, row.querySelectorAll(".cell").length,
      row.classList.contains("handedIn")]));
  assert.deepEqual(rows, made.sheets.map((sheet, at) => [["Jana", "Petr", ""][at], sheet.code, counts[at], false]));
  await engine.press("#closeResults");
  // Its print dialog cancelled, the open set prints again as it was made.
  await engine.evaluate(() => dispatchEvent(new Event("afterprint")));
  await engine.press("#printSet");
  const [again, reprinted] = await engine.evaluate(() => [window.printedFollowUp,
    [...document.getElementById("sheetsPrintout").querySelectorAll("span")].map((part) => part.textContent)]);
  assert.equal(again, 2);
  assert.deepEqual(reprinted, printout);
  await engine.evaluate(() => dispatchEvent(new Event("afterprint")));
  await engine.press("#closeSet");
});

test("a class of 30 × 20 fits 1366 × 768 without scrolling across; the expected results are readable", async () => {
  const setPath = join(work, "30.ciferon");
  execFileSync(ciferon, ["--sheets", "30", "--count", "20", "--save-set", setPath]);
  await engine.setSize(1366, 768);
  await engine.chooseFile("#setFile", setPath);
  await engine.waitFor(() => setStatus.textContent.includes("listů: 30"));
  await engine.press("#results");
  const [across, room, rows, faint] = await engine.evaluate(() => {
    const box = grid.parentElement;
    return [Math.max(box.scrollWidth - box.clientWidth, document.documentElement.scrollWidth - innerWidth),
      box.getBoundingClientRect().right <= innerWidth, grid.tBodies[0].rows.length,
      [getComputedStyle(grid.querySelector("input"), "::placeholder").color,
        getComputedStyle(grid.querySelector(".expected")).color]];
  });
  assert.deepEqual([across, room, rows], [0, true, 30]);
  // The contrast of the faint expected result on white, at least 4.5 : 1, in the field and
  // in the other cells.
  const channel = (value) => ((value / 255) <= 0.03928 ? value / 255 / 12.92 : ((value / 255 + 0.055) / 1.055) ** 2.4);
  for (const color of faint) {
    const [r, g, b] = color.match(/\d+/g).map(Number);
    const luminance = 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
    assert.ok(1.05 / (luminance + 0.05) >= 4.5, color);
  }
  await engine.press("#closeResults");
  await engine.press("#closeSet");
});

test("quit ends the program at once: its tab closes, or a link starts it again", async () => {
  await engine.press("#Command1", ["10", "5"]);
  assert.deepEqual(await engine.press("#Command4"), []);
  if (await engine.closed()) {
    await engine.reopen(pageUrl);
  } else {
    const ended = await engine.evaluate(() => [Form1.hidden, ended.hidden, ended.textContent,
      Text1_0.value, restart.href]);
    assert.deepEqual(ended, [true, false, "Program Ciferon byl ukončen. Spustit znovu", "", pageUrl]);
    await engine.follow("#restart");
  }
  await engine.waitFor(() => document.readyState === "complete" && !Command1.disabled);
  assert.deepEqual(await fields(), ["", ""]);
});

test("the page made no request but for itself and reported no error", async () => {
  // Firefox reports no request for a file, the page's own among them.
  assert.deepEqual((await engine.requests()).filter((url) => url !== pageUrl), []);
  assert.deepEqual(engine.consoleErrors, []);
});
