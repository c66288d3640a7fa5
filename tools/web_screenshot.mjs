// Takes the README's picture of the web page: a run of 20 exercises in headless Chromium.
//   node tools/web_screenshot.mjs PAGE PNG      (puppeteer-core from tests/browser)
import { resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { createRequire } from "node:module";

const require = createRequire(resolve("tests/browser/package.json"));
const { default: puppeteer } = await import(require.resolve("puppeteer-core"));
const [page, png] = process.argv.slice(2);
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
await browser.close();
