// The three browser engines the page is tested in, each behind the same few operations, so
// that one list of scenarios serves them all: Chromium and Firefox through puppeteer-core
// (DevTools protocol and WebDriver BiDi), WebKit through WebKitWebDriver's classic WebDriver
// with selenium-webdriver. Every browser comes from Debian's packages.
import { spawn } from "node:child_process";
import { createServer } from "node:net";
import puppeteer from "puppeteer-core";
import webdriver from "selenium-webdriver";

const chromiumArgs = ["--no-sandbox", "--disable-gpu", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--disable-quic"];

// Chromium and Firefox. Dialogs are answered from the event the driver sends for each.
async function puppeteerEngine(name) {
  const browser = await puppeteer.launch(name === "firefox"
    ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr" }
    : { executablePath: "/usr/bin/chromium", args: chromiumArgs });
  const requests = [];
  const consoleErrors = [];
  let script = [];
  let seen = [];
  let page;
  // A tab, watched: its requests, its errors and its dialogs.
  const newPage = async () => {
    page = await browser.newPage();
    page.on("request", (request) => requests.push(request.url()));
    page.on("console", (message) => message.type() === "error" && consoleErrors.push(message.text()));
    page.on("pageerror", (error) => consoleErrors.push(String(error)));
    page.on("dialog", async (dialog) => {
      seen.push({ type: dialog.type(), message: dialog.message(), defaultValue: dialog.defaultValue() });
      const answer = script.shift();
      if (answer === undefined || answer === null) {
        await dialog.dismiss();
      } else {
        // true takes the prompt's default answer, as Enter does.
        await dialog.accept(answer === true ? dialog.defaultValue() : answer);
      }
    });
  };
  await newPage();
  const answering = async (answers, act) => {
    script = [...answers];
    seen = [];
    await act();
    return seen;
  };
  if (name === "chromium") {
    // For every origin, the page's file:// among them.
    const session = await browser.target().createCDPSession();
    await session.send("Browser.grantPermissions",
      { permissions: ["clipboardReadWrite", "clipboardSanitizedWrite"] });
  }
  return {
    name,
    readsDefaults: true,
    // Only Chromium lets a test read the system clipboard back.
    readsClipboard: name === "chromium",
    consoleErrors,
    requests: async () => requests,
    open: (url) => page.goto(url),
    // Whether the page closed its own tab, as a browser lets it close a tab that a script
    // (here the driver) opened; then a new tab opens the URL.
    closed: async () => page.isClosed(),
    async reopen(url) {
      await newPage();
      await page.goto(url);
    },
    press: (selector, answers = []) => answering(answers, () => page.click(selector)),
    pressKey: (key, answers = []) => answering(answers, () => page.keyboard.press(key)),
    follow: (selector) => Promise.all([page.waitForNavigation(), page.click(selector)]),
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    setWidth: (width) => page.setViewport({ width, height: 800 }),
    pdf: (path) => page.pdf({ path, preferCSSPageSize: true }),
    waitFor: (fn) => page.waitForFunction(fn),
    close: () => browser.close(),
  };
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.unref();
    server.on("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// WebKit: WebKitGTK's MiniBrowser under WebKitWebDriver, on the X server the test runs on.
// Classic WebDriver has no dialog events: after an action, the test waits for the page's next
// task; a dialog that opens first is reported as an error, answered, and the wait begins
// again.
async function webkitEngine() {
  const port = await freePort();
  const server = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore" });
  const capabilities = {
    browserName: "MiniBrowser",
    unhandledPromptBehavior: "ignore",
    "webkitgtk:browserOptions": {
      binary: "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser",
      args: ["--automation"],
    },
  };
  let driver;
  // The driver takes a moment to listen: until then every try is refused at once.
  const deadline = Date.now() + 20000;
  while (!driver) {
    try {
      driver = await new webdriver.Builder().usingServer(`http://127.0.0.1:${port}`)
        .withCapabilities(capabilities).build();
    } catch (error) {
      if (Date.now() > deadline || error.code !== "ECONNREFUSED") {
        server.kill();
        throw error;
      }
      await new Promise((resolve) => setTimeout(resolve, 10));
    }
  }
  const answering = async (answers, act) => {
    const seen = [];
    const script = [...answers];
    await act();
    for (;;) {
      try {
        // A timer fires only once the action's task is over, dialogs and all; a dialog that
        // opens before then ends the wait with an error instead.
        await driver.executeAsyncScript("setTimeout(arguments[arguments.length - 1])");
        return seen;
      } catch (error) {
        if (!(error instanceof webdriver.error.UnexpectedAlertOpenError)) throw error;
      }
      const dialog = driver.switchTo().alert();
      seen.push({ type: undefined, message: await dialog.getText(), defaultValue: undefined });
      const answer = script.shift();
      if (answer === undefined || answer === null) {
        await dialog.dismiss();
      } else {
        if (answer !== true) await dialog.sendKeys(answer);
        await dialog.accept();
      }
    }
  };
  const evaluate = (fn, ...args) =>
    driver.executeScript(`return (${fn}).apply(null, arguments)`, ...args);
  return {
    name: "webkit",
    readsDefaults: false,
    readsClipboard: false,
    consoleErrors: [],
    // Classic WebDriver sees no traffic; the page's own resource timing lists what it loaded.
    requests: () => evaluate(() => [location.href,
      ...performance.getEntriesByType("resource").map((entry) => entry.name)]),
    open: (url) => driver.get(url),
    closed: async () => false,
    reopen: (url) => driver.get(url),
    press: (selector, answers = []) =>
      answering(answers, () => driver.findElement(webdriver.By.css(selector)).click()),
    pressKey: (key, answers = []) =>
      answering(answers, () => driver.switchTo().activeElement().sendKeys(webdriver.Key[key.toUpperCase()])),
    // A click on a link returns once the page it leads to has loaded.
    follow: (selector) => driver.findElement(webdriver.By.css(selector)).click(),
    evaluate,
    // The window's frame and toolbar take their share; MiniBrowser has a narrowest window.
    async setWidth(width) {
      const frame = await evaluate(() => outerWidth - innerWidth);
      await driver.manage().window().setRect({ width: width + frame, height: 800 });
    },
    pdf: undefined,
    waitFor: (fn) => driver.wait(() => evaluate(fn), 10000),
    async close() {
      await driver.quit();
      server.kill();
    },
  };
}

export function launch(name) {
  return name === "webkit" ? webkitEngine() : puppeteerEngine(name);
}
