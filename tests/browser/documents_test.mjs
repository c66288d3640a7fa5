// The page's class set downloaded as DOCX and as ODT in Chromium, as a teacher gets it: each
// read back as the command line's documents are (documents_check.py), LibreOffice's text of it
// against the PDF that the desktop program makes of the same codes.
//   node documents_test.mjs PAGE PROGRAM
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync, mkdirSync, mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { after, before, test } from "node:test";
import { fileURLToPath, pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [pagePath, ciferon] = process.argv.slice(2).map((path) => resolve(path));
const check = join(dirname(fileURLToPath(import.meta.url)), "..", "documents_check.py");
const work = mkdtempSync(join(tmpdir(), "ciferon-documents-"));
const heading = "Písemka <5. A> & \"dělení\"";

let browser;
let page;
let downloads;

before(async () => {
  browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync"] });
  page = await browser.newPage();
  const session = await browser.target().createCDPSession();
  await session.send("Browser.setDownloadBehavior",
    { behavior: "allow", downloadPath: work, eventsEnabled: true });
  downloads = session;
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForFunction(() => !document.getElementById("classSet").disabled);
});

after(async () => {
  await browser?.close();
  rmSync(work, { recursive: true, force: true });
});

// The class-set dialog filled as typed, then one of its download commands; the file once the
// browser reports it complete.
async function download(button) {
  await page.click("#classSet");
  await page.evaluate((title) => {
    const type = (id, value) => {
      const field = document.getElementById(id);
      field.value = value;
      field.dispatchEvent(new Event("input", { bubbles: true }));
    };
    type("sheets", "4");
    type("count", "20");
    type("heading", title);
    type("adapted", "2");
    document.getElementById("mistakes").checked = true;
  }, heading);
  const done = new Promise((settle) => {
    const seen = (event) => {
      if (event.state !== "inProgress") {
        downloads.off("Browser.downloadProgress", seen);
        settle(event.state);
      }
    };
    downloads.on("Browser.downloadProgress", seen);
  });
  await page.click(button);
  assert.equal(await done, "completed");
}

// LibreOffice's text of a downloaded document, its codes made a PDF by the desktop program,
// and the two compared.
function compare(file, asDocx) {
  const folder = join(work, file.replace(".", "-"));
  mkdirSync(folder);
  execFileSync("unzip", ["-tq", join(work, file)]);
  execFileSync("soffice", ["--headless", `-env:UserInstallation=file://${join(work, "profile")}`,
    "--convert-to", "txt:Text", "--outdir", folder, join(work, file)], { stdio: "ignore" });
  const text = join(folder, "pracovni-listy.txt");
  const codes = execFileSync("grep", ["-oE", "Kód: [0-9A-Z]{4}(-[0-9A-Z]{4}){1,2}", text],
    { encoding: "utf8" }).trim().split("\n").map((line) => line.slice(5));
  assert.equal(codes.length, 4);
  const pdf = join(folder, "set.pdf");
  execFileSync(ciferon, ["--codes", codes.join(","), "--adapted", "2", "--mistakes",
    "--heading", heading, "--pdf", pdf]);
  const read = execFileSync("/usr/bin/python3",
    [check, pdf, heading, "2", asDocx ? join(work, file) : "-", text], { encoding: "utf8" });
  assert.equal(read.trim(), codes.join(" "));
}

test("the class set downloaded as DOCX reads as its PDF", async () => {
  await download("#saveDocx");
  assert.ok(existsSync(join(work, "pracovni-listy.docx")));
  compare("pracovni-listy.docx", true);
});

test("the class set downloaded as ODT reads as its PDF", async () => {
  await download("#saveOdt");
  assert.ok(existsSync(join(work, "pracovni-listy.odt")));
  compare("pracovni-listy.odt", false);
});
