// The web page's figures, measured in real browsers with the same engines as its tests: the
// page's size, how long it takes to open beside an empty page, Generuj with 200 exercises, a
// class set of 30 × 20 to the print dialog, evaluating 200 answers, a cell typed into the
// results grid and a key press in the projection. Figures only: nothing here passes or fails on time.
//   node bench/page_bench.mjs PAGE [ENGINE ...]     (ENGINE: chromium, firefox, webkit)
import { mkdtempSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { launch } from "../tests/browser/engines.mjs";
/* global Command1, Text1_0, Text1_1, sheets, printSheets, printedAt, checkList, projectionCount,
   projectionSeconds, projectionCode, projectionExercise, projection, count, grid */

const [pagePath, ...engineNames] = process.argv.slice(2);
if (!pagePath) {
  console.error("usage: node bench/page_bench.mjs PAGE [ENGINE ...]");
  process.exit(2);
}
const page = resolve(pagePath);
const pageUrl = pathToFileURL(page).href;
const work = mkdtempSync(join(tmpdir(), "ciferon-page-bench-"));
// An empty page of the same kind, opened from disk the same way.
const emptyPage = join(work, "empty.html");
writeFileSync(emptyPage, "<!doctype html><html lang=\"cs\"><meta charset=\"utf-8\"><title>-</title></html>\n");
const emptyUrl = pathToFileURL(emptyPage).href;
const runs = 11;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The navigation's load event, and the page's own ready mark where it has one, in ms from the
// start of the navigation.
async function opening(engine, url) {
  const loads = [];
  const readies = [];
  for (let run = 0; run < runs; run += 1) {
    await engine.open(`${url}#run${run}`);
    await engine.open(url);
    await engine.waitFor(() => document.readyState === "complete");
    const [load, ready] = await engine.evaluate(() => {
      const [navigation] = performance.getEntriesByType("navigation");
      const [mark] = performance.getEntriesByName("ciferon-ready");
      return [navigation ? navigation.loadEventEnd : NaN, mark ? mark.startTime : NaN];
    });
    loads.push(load);
    readies.push(ready);
  }
  return [median(loads), median(readies)];
}

async function measure(engineName) {
  const engine = await launch(engineName);
  try {
    const [emptyLoad] = await opening(engine, emptyUrl);
    const [pageLoad, ready] = await opening(engine, pageUrl);
    await engine.waitFor(() => !Command1.disabled);
    const figures = { engine: engineName, emptyLoad, pageLoad, ready };

    // Generuj with 200 exercises, the prompts answered by the page itself: to both fields
    // filled, and to both laid out.
    [figures.generujFilled, figures.generujLaidOut] = await engine.evaluate((count) => {
      const ask = window.prompt;
      window.prompt = (question) => (question.startsWith("Kolik") ? "200" : "7");
      const timed = (layout) => {
        const times = Array.from({ length: count }, () => {
          const start = performance.now();
          Command1.click();
          if (layout) void (Text1_0.scrollHeight + Text1_1.scrollHeight);
          return performance.now() - start;
        });
        return times.sort((a, b) => a - b)[Math.floor(count / 2)];
      };
      const result = [timed(false), timed(true)];
      window.prompt = ask;
      return result;
    }, runs);

    // A class set of 30 × 20, from the click on Vytisknout… to the print dialog.
    await engine.evaluate(() => {
      window.print = () => {
        window.printedAt = performance.now();
      };
    });
    const classSet = [];
    for (let run = 0; run < 5; run += 1) {
      await engine.press("#classSet");
      classSet.push(await engine.evaluate(() => {
        sheets.value = "30";
        const start = performance.now();
        printSheets.click();
        return printedAt - start;
      }));
    }
    figures.classSet = median(classSet);

    // Evaluating 200 answers, every mark changing each time: all answered, then none.
    await engine.press("#checkSheet", ["56H4-PQ3V"]);
    figures.evaluate200 = await engine.evaluate((count) => {
      const button = document.getElementById("evaluate");
      const fields = [...checkList.querySelectorAll("input[id^=answer]")];
      const times = Array.from({ length: count }, (_, i) => {
        fields.forEach((field) => {
          field.value = i % 2 === 0 ? "1" : "";
        });
        const start = performance.now();
        button.click();
        return performance.now() - start;
      });
      return times.sort((a, b) => a - b)[Math.floor(count / 2)];
    }, 21);
    await engine.press("#closeCheck");

    // The results grid of a class set of 40 × 200, the set printed from the dialog and so
    // open: a cell typed into, from its input event to the row marked and laid out, and to the
    // next frame.
    await engine.press("#classSet");
    await engine.evaluate(() => {
      sheets.value = "40";
      count.value = "200";
      printSheets.click();
    });
    await engine.press("#results");
    [figures.cellMarked, figures.cellFramed] = await engine.evaluate(async () => {
      // The cell pressed takes the grid's one field.
      const cell = grid.tBodies[0].rows[20].cells[3 + 100];
      cell.dispatchEvent(new MouseEvent("mousedown", { bubbles: true, cancelable: true }));
      const field = cell.querySelector("input");
      const handling = [];
      const frames = [];
      for (let key = 0; key < 29; key += 1) {
        const start = performance.now();
        field.value = key % 2 === 0 ? "1" : "";
        field.dispatchEvent(new Event("input", { bubbles: true }));
        void field.closest("tr").getBoundingClientRect().width;
        handling.push(performance.now() - start);
        await new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));
        frames.push(performance.now() - start);
      }
      const middle = (times) => times.sort((a, b) => a - b)[14];
      return [middle(handling), middle(frames)];
    });
    await engine.press("#clearRow");
    await engine.press("#closeResults");

    // The projection: from a key event to the next exercise laid out, and to the next frame.
    await engine.press("#project");
    await engine.evaluate(() => {
      projectionCount.value = "30";
      projectionSeconds.value = "0";
      projectionCode.value = "";
      projectionCode.dispatchEvent(new Event("input", { bubbles: true }));
    });
    await engine.press("#startProjection");
    [figures.keyLaidOut, figures.keyFramed] = await engine.evaluate(async () => {
      const handling = [];
      const frames = [];
      for (let press = 0; press < 29; press += 1) {
        const start = performance.now();
        document.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowRight" }));
        void projectionExercise.getBoundingClientRect().width;
        handling.push(performance.now() - start);
        await new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));
        frames.push(performance.now() - start);
      }
      const middle = (times) => times.sort((a, b) => a - b)[14];
      return [middle(handling), middle(frames)];
    });
    if (await engine.evaluate(() => document.fullscreenElement !== null)) {
      await engine.evaluate(() => document.exitFullscreen());
    } else {
      await engine.pressKey("Escape");
    }
    await engine.waitFor(() => projection.hidden);
    return figures;
  } finally {
    await engine.close();
  }
}

const size = statSync(page).size;
console.log(`page: ${size} bytes (${(size / 1024).toFixed(1)} KB of a 400 KB budget)`);
try {
  for (const name of engineNames.length > 0 ? engineNames : ["chromium", "firefox"]) {
    const f = await measure(name);
    const ms = (value) => `${value.toFixed(1)} ms`;
    console.log(`${f.engine}: opened (load event) ${ms(f.pageLoad)} against an empty page's ` +
      `${ms(f.emptyLoad)}, ready for Generuj at ${ms(f.ready)}; Generuj with 200 exercises ` +
      `${ms(f.generujFilled)} filled, ${ms(f.generujLaidOut)} laid out; a class set of 30 × 20 ` +
      `to the print dialog ${ms(f.classSet)}; evaluating 200 answers ${ms(f.evaluate200)}; ` +
      `a projection key press ${ms(f.keyLaidOut)} laid out, ${ms(f.keyFramed)} to the next frame; ` +
      `a cell typed into a grid of 40 × 200 ${ms(f.cellMarked)} marked and laid out, ` +
      `${ms(f.cellFramed)} to the next frame ` +
      `(medians)`);
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
