// Takes the README's picture of the web page's results grid in headless Chromium at 1366 x 768:
// a class set of 30 sheets of 20 exercises made by the command line, opened through the file
// chooser, a wrong answer and a missing one typed in the first row and the second sheet handed
// in all right; only the grid's dialog is pictured.
//   node tools/web_results_screenshot.mjs PAGE CIFERON PNG
// (puppeteer-core from tests/browser)
import { execFileSync } from "node:child_process";
import { mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { createRequire } from "node:module";

const require = createRequire(resolve("tests/browser/package.json"));
const { default: puppeteer } = await import(require.resolve("puppeteer-core"));
const [page, ciferon, png] = process.argv.slice(2);
const set = join(mkdtempSync(join(tmpdir(), "ciferon-")), "5A.ciferon");
execFileSync(ciferon, ["--sheets", "30", "--count", "20", "--heading", "5. A – opakování",
  "--save-set", set]);
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking"],
  defaultViewport: { width: 1366, height: 768 },
});
const tab = await browser.newPage();
await tab.goto(pathToFileURL(resolve(page)).href);
await tab.waitForSelector("#openSet:not([disabled])");
await (await tab.$("#setFile")).uploadFile(set);
await tab.waitForSelector("#results:not([disabled])");
await tab.click("#results");
// The first exercise's result, one too many, then no answer; the next sheet all right.
const first = await tab.evaluate(() => document.querySelector("#grid input").placeholder);
await tab.keyboard.type(String(parseInt(first, 10) + 1));
await tab.keyboard.press("Enter");
await tab.keyboard.type("-");
await tab.keyboard.press("ArrowDown");
await tab.click("#handIn");
// Back to the wrong answer, whose note shows under the grid.
await tab.keyboard.press("ArrowUp");
await tab.keyboard.press("ArrowUp");
await (await tab.$("#resultsDialog")).screenshot({ path: png });
await browser.close();
