// Takes the README's pictures of the web page in headless Chromium: a run of 20 exercises,
// the class-set dialog over it, and the first sheet of the class set it prints.
//   node tools/web_screenshot.mjs PAGE PNG DIALOG_PNG SHEET_PNG
// (puppeteer-core from tests/browser; pdftoppm from poppler-utils)
import { execFileSync } from "node:child_process";
import { mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { createRequire } from "node:module";

const require = createRequire(resolve("tests/browser/package.json"));
const { default: puppeteer } = await import(require.resolve("puppeteer-core"));
const [page, png, dialogPng, sheetPng] = process.argv.slice(2);
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking"],
  defaultViewport: { width: 900, height: 420 },
});
const tab = await browser.newPage();
tab.on("dialog", (dialog) => dialog.accept(dialog.message().startsWith("Kolik") ? "20" : "10"));
await tab.goto(pathToFileURL(resolve(page)).href);
await tab.waitForSelector("#Command1:not([disabled])");
await tab.click("#Command1");
await tab.screenshot({ path: png });
await tab.click("#classSet");
await tab.evaluate(() => {
  sheets.value = "25";
  heading.value = "5. A – opakování";
});
await tab.screenshot({ path: dialogPng });
await tab.evaluate(() => {
  window.print = () => {};
  count.value = "20";
  printSheets.click();
});
const pdf = join(mkdtempSync(join(tmpdir(), "ciferon-")), "sheets.pdf");
await tab.pdf({ path: pdf, preferCSSPageSize: true });
execFileSync("pdftoppm", ["-r", "60", "-png", "-f", "1", "-l", "1", "-singlefile", pdf,
  sheetPng.replace(/\.png$/, "")]);
await browser.close();
