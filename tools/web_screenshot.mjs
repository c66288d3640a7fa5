// Takes the README's pictures of the web page in headless Chromium: a run of 20 exercises,
// the class-set dialog over it, the first sheet of the class set it prints, the dialog with a
// choice of kinds, a pupil's check of a sheet, evaluated, with one solution shown, and the
// projection of a sheet at 1024 x 768: its second exercise with the first step, timed.
//   node tools/web_screenshot.mjs PAGE PNG DIALOG_PNG SHEET_PNG TOPIC_PNG CHECK_PNG PROJECTION_PNG
// (puppeteer-core from tests/browser; pdftoppm from poppler-utils)
import { execFileSync } from "node:child_process";
import { mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { createRequire } from "node:module";

const require = createRequire(resolve("tests/browser/package.json"));
const { default: puppeteer } = await import(require.resolve("puppeteer-core"));
const [page, png, dialogPng, sheetPng, topicPng, checkPng, projectionPng] = process.argv.slice(2);
// The sheet the check shows.
const checkCode = "1M3D-6JGJ";
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking"],
  defaultViewport: { width: 900, height: 420 },
});
const tab = await browser.newPage();
const answers = { "Kód listu:": checkCode, "Kolik příkladů? (max.200)": "20" };
tab.on("dialog", (dialog) => dialog.accept(answers[dialog.message()] ?? "10"));
await tab.goto(pathToFileURL(resolve(page)).href);
await tab.waitForSelector("#Command1:not([disabled])");
await tab.click("#Command1");
await tab.screenshot({ path: png });
// The dialog with its kind choice is taller than the window.
await tab.setViewport({ width: 900, height: 820 });
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

// The dialog again, for a week of division: only "Dělení se zbytkem" and two kinds of
// "Přednost násobení a dělení" ticked.
await tab.click("#classSet");
await tab.evaluate(() => {
  for (const box of document.querySelectorAll("#kinds .topic legend input")) box.click();
  for (const id of ["kind10", "kind6", "kind7"]) document.getElementById(id).click();
  sheets.value = "25";
  heading.value = "5. A – dělení";
});
await tab.screenshot({ path: topicPng });
await tab.click("#cancelSheets");

// A pupil's check: every answer typed but the last, two of them wrong, evaluated, and the
// solution of one wrong exercise shown.
await tab.click("#checkSheet");
const text = execFileSync("build/default/app/ciferon", ["--code", checkCode, "--text"], { encoding: "utf8" });
const lines = text.split("\r\n").filter((line) => line !== "");
const results = lines.slice(lines.length / 2).map((line) =>
  line.slice(line.lastIndexOf("=") + 1).match(/^(\d+)(?: \((\d+)\))?$/).slice(1));
results[2][0] = String(Number(results[2][0]) + 1);
results[10][1] = String(Number(results[10][1]) + 1);
await tab.evaluate((given) => given.slice(0, -1).forEach(([answer, remainder], i) => {
  document.getElementById(`answer${i + 1}`).value = answer;
  if (remainder) document.getElementById(`remainder${i + 1}`).value = remainder;
}), results);
await tab.click("#evaluate");
await tab.click("#mark11 ~ .show");
await tab.screenshot({ path: checkPng });
await tab.click("#closeCheck");

// The projection of the desktop picture's sheet, as a classroom projector shows it.
await tab.setViewport({ width: 1024, height: 768 });
await tab.click("#project");
await tab.evaluate(() => {
  projectionSeconds.value = "30";
  projectionCode.value = "8JRN-98QD";
});
await tab.click("#startProjection");
await tab.keyboard.press("ArrowRight");
await tab.keyboard.press("Enter");
await tab.screenshot({ path: projectionPng });
await browser.close();
