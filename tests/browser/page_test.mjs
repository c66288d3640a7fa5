// Works the built web page in Debian's Chromium as a user would: opened from disk, its
// prompts and confirmation answered through the driver's dialog event, its clipboard read
// back and checked with clipboard_check, printed to PDF; and every request it makes recorded.
//   node page_test.mjs PAGE CLIPBOARD_CHECK
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [pagePath, clipboardCheck] = process.argv.slice(2).map((path) => resolve(path));
const pageUrl = pathToFileURL(pagePath).href;
const work = mkdtempSync(join(tmpdir(), "ciferon-page-"));
const countQuestion = "Kolik příkladů? (max.200)";
const separatorQuestion = "Po kolika oddělovat? (max. 20)";
const confirmation = "Přejete si opravdu odsah pole odstranit";

let browser;
let page;
const requests = [];
const consoleErrors = [];
// The dialogs still to come, each with the answer to give (null cancels), and those seen.
let script = [];
let dialogs = [];

async function answerDialog(dialog) {
  dialogs.push([dialog.type(), dialog.message(), dialog.defaultValue()]);
  const answer = script.shift();
  if (answer === undefined || answer === null) {
    await dialog.dismiss();
  } else {
    // true takes the prompt's default answer, as Enter does.
    await dialog.accept(answer === true ? dialog.defaultValue() : answer);
  }
}

// Clicks a button with the given dialogs answered in turn; returns the dialogs seen.
async function press(button, answers = []) {
  script = [...answers];
  dialogs = [];
  await page.click(button);
  return dialogs;
}

const fields = () => page.evaluate(() => [Text1_0.value, Text1_1.value]);

before(async () => {
  browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync", "--disable-quic"],
  });
  // For every origin, the page's file:// among them.
  const session = await browser.target().createCDPSession();
  await session.send("Browser.grantPermissions", { permissions: ["clipboardReadWrite", "clipboardSanitizedWrite"] });
  page = await browser.newPage();
  page.on("request", (request) => requests.push(request.url()));
  page.on("console", (message) => message.type() === "error" && consoleErrors.push(message.text()));
  page.on("pageerror", (error) => consoleErrors.push(String(error)));
  page.on("dialog", answerDialog);
  await page.goto(pageUrl);
  await page.waitForSelector("#Command1:not([disabled])");
});

after(async () => {
  await browser?.close();
  rmSync(work, { recursive: true, force: true });
});

test("one file of at most 200 KB, a Czech page with the window's captions", async () => {
  assert.ok(statSync(pagePath).size <= 200 * 1024, `${statSync(pagePath).size} bytes`);
  const shown = await page.evaluate(() => [document.documentElement.lang, document.title,
    document.querySelector("h1").textContent, ...[...document.querySelectorAll("button")].map((b) => b.textContent),
    Text1_0.getAttribute("aria-label"), Text1_1.getAttribute("aria-label")]);
  assert.deepEqual(shown, ["cs", "Ciferon pro pátou třídu", "Ciferon pro pátou třídu", "Generuj",
    "Kopíruj obě pole do schránky", "Smaž obsah obou polí", "Ukonči práci", "Příklady", "Příklady s řešením"]);
});

test("Generuj from the keyboard asks both questions and the defaults make 100 exercises", async () => {
  script = [true, true];
  dialogs = [];
  await page.keyboard.press("Enter");
  assert.deepEqual(dialogs, [["prompt", countQuestion, "100"], ["prompt", separatorQuestion, "10"]]);
  const [exercises] = await fields();
  assert.equal(exercises.split("\n").length, 111); // 100 lines, 10 empty ones, and the end
});

test("a fractional separator count rounds half to even: 2.5 puts an empty line after every 2nd", async () => {
  await press("#Command1", ["20", "2.5"]);
  const [exercises] = await fields();
  assert.deepEqual(exercises.split("\n").map((line) => line === ""), Array.from({ length: 31 }, (_, i) => i % 3 === 2 || i === 30));
});

test("a refused or cancelled first answer asks nothing more and changes nothing", async () => {
  const before = await fields();
  for (const answer of ["201", null]) {
    assert.equal((await press("#Command1", [answer, "5"])).length, 1, `answer ${answer}`);
    assert.deepEqual(await fields(), before);
  }
});

test("copy puts both lists with CR LF on the clipboard, through the API or the fallback", async () => {
  await press("#Command1", ["200", "7"]);
  // A Czech line typed at the top of the exercise field is copied too.
  await page.focus("#Text1_0");
  await page.keyboard.down("Control");
  await page.keyboard.press("Home");
  await page.keyboard.up("Control");
  await page.keyboard.type("příklady č. 1\n");
  const copied = [];
  for (const refuseApi of [false, true]) {
    await page.evaluate(() => navigator.clipboard.writeText("earlier"));
    if (refuseApi) {
      await page.evaluate(() => {
        navigator.clipboard.writeText = () => Promise.reject(new DOMException("refused", "NotAllowedError"));
      });
    }
    await page.click("#Command2");
    await page.waitForFunction(async () => (await navigator.clipboard.readText()) !== "earlier");
    copied.push(await page.evaluate(() => navigator.clipboard.readText()));
  }
  assert.equal(copied[1], copied[0]);
  writeFileSync(join(work, "clipboard"), copied[0]);
  execFileSync(clipboardCheck, [join(work, "clipboard"), "příklady č. 1", "200", "7"], { stdio: "inherit" });
});

test("printing gives the exercises on the first page and the solutions from a later one", async () => {
  // Few enough exercises to leave room on the first page: the solutions must still not use it.
  await press("#Command1", ["20", "10"]);
  await page.pdf({ path: join(work, "print.pdf"), format: "A4" });
  // pdftotext ends every page with a form feed.
  const [first, ...rest] = execFileSync("pdftotext", [join(work, "print.pdf"), "-"], { encoding: "utf8" }).split("\f");
  const [exercises, solutions] = (await fields()).map((text) => text.split("\n").filter((line) => line !== ""));
  assert.ok(first.includes(exercises[0]) && !first.includes("Generuj"), first);
  assert.ok(solutions.every((line) => !first.includes(line)), "a solution on the first page");
  assert.ok(rest.join("").includes(solutions[0]), "the first solution is not on a later page");
});

test("clear asks first: Cancel keeps both fields, OK empties them", async () => {
  const before = await fields();
  assert.deepEqual(await press("#Command3", [null]), [["confirm", confirmation, ""]]);
  assert.deepEqual(await fields(), before);
  await press("#Command3", [true]);
  assert.deepEqual(await fields(), ["", ""]);
  // With the exercise field empty, copy leaves the clipboard as it was.
  const clipboard = await page.evaluate(() => navigator.clipboard.readText());
  await page.click("#Command2");
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), clipboard);
});

test("quit ends the program at once and a link starts it again", async () => {
  await press("#Command1", ["10", "5"]);
  assert.deepEqual(await press("#Command4"), []);
  const shown = await page.evaluate(() => [Form1.hidden, ended.hidden, ended.textContent, Text1_0.value, restart.href]);
  assert.deepEqual(shown, [true, false, "Program Ciferon byl ukončen. Spustit znovu", "", pageUrl]);
  await Promise.all([page.waitForNavigation(), page.click("#restart")]);
  await page.waitForSelector("#Command1:not([disabled])");
  assert.deepEqual(await fields(), ["", ""]);
});

test("measured: opening the page and Generuj with 200 exercises", async () => {
  const ready = await page.evaluate(() => performance.getEntriesByName("ciferon-ready")[0].startTime);
  // The prompts answered by the page itself, so that only the program's own work is timed:
  // from the click to both fields holding their lists, and to both laid out by the browser.
  const [filled, laidOut] = await page.evaluate(() => {
    window.prompt = (question) => (question.startsWith("Kolik") ? "200" : "7");
    const median = (layout) => Array.from({ length: 21 }, () => {
      const start = performance.now();
      Command1.click();
      if (layout) void (Text1_0.scrollHeight + Text1_1.scrollHeight);
      return performance.now() - start;
    }).sort((a, b) => a - b)[10];
    return [median(false), median(true)];
  });
  assert.equal((await fields())[0].split("\n").length, 229);
  console.log(`measured: page open to Generuj working ${ready.toFixed(0)} ms; Generuj with 200 ` +
    `exercises (median of 21) to both fields filled ${filled.toFixed(1)} ms, laid out ${laidOut.toFixed(1)} ms`);
});

test("the page made no request but for itself and reported no error", () => {
  assert.deepEqual([...new Set(requests)], [pageUrl]);
  assert.deepEqual(consoleErrors, []);
});
