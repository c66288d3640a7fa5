// The three browser engines the page is tested in, each behind the same few operations, so
// that one list of scenarios serves them all: Chromium and Firefox through puppeteer-core
// (DevTools protocol and WebDriver BiDi), WebKit through WebKitWebDriver's classic WebDriver
// with selenium-webdriver. Every browser comes from Debian's packages.
//
// press(selector, answers, { dialogs }) and pressKey(key, answers, { dialogs }) act, answer the
// dialogs the page opens with `answers` in turn (a text, true for the default answer, null to
// cancel) and return what the dialogs showed, once the page has handled the action. `dialogs`
// is how many dialogs the action must bring, by default one for every answer; a scenario whose
// page asks fewer says so. WebKit waits for them (see below); in Chromium and Firefox the
// action itself comes back only once the page has handled it, each dialog answered from the
// driver's event.
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
    setSize: (width, height) => page.setViewport({ width, height }),
    pdf: (path) => page.pdf({ path, preferCSSPageSize: true }),
    waitFor: (fn) => page.waitForFunction(fn),
    // A file picked in the chooser of a file input, as the chooser hands it to the page.
    // Returns once the page has shown `dialogs` of them, by default one for every answer.
    chooseFile: (selector, path, answers = [], { dialogs = answers.length } = {}) =>
      answering(answers, async () => {
        await (await page.$(selector)).uploadFile(path);
        const deadline = Date.now() + 10000;
        while (seen.length < dialogs) {
          if (Date.now() > deadline) throw new Error(`${seen.length} of ${dialogs} dialogs after choosing ${path}`);
          await new Promise((resolve) => setTimeout(resolve, 10));
        }
      }),
    // Text typed at the focused element, key by key.
    type: (text) => page.keyboard.type(text),
    // A key pressed with a modifier held ("Control", "z").
    pressWith: (modifier, key) => answering([], async () => {
      await page.keyboard.down(modifier);
      await page.keyboard.press(key);
      await page.keyboard.up(modifier);
    }),
    // The page loaded again; a question before leaving it is answered from `answers`.
    reload: (answers = []) => answering(answers, () => page.reload()),
    close: () => browser.close(),
  };
}

// Puppeteer's names of the keys whose WebDriver names differ.
const webdriverKeys = { ArrowRight: "ARROW_RIGHT", ArrowLeft: "ARROW_LEFT", ArrowUp: "ARROW_UP",
  ArrowDown: "ARROW_DOWN", PageDown: "PAGE_DOWN", PageUp: "PAGE_UP", " ": "SPACE" };

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
// Classic WebDriver has no dialog events, and its click or key press may come back before
// the page has seen it; a script run while a dialog opens may even come back with no result
// and no error. So after an action the test polls until what the action must bring is there:
// the page has handled its event, and as many dialogs as the scenario expects have been
// answered, each as it is found open. An open dialog is never inferred from a script's result.
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
  // The driver takes a moment to listen: until then every try is refused at once. The
  // refusal comes back as an error whose message, not its code, names it.
  const deadline = Date.now() + 20000;
  while (!driver) {
    try {
      driver = await new webdriver.Builder().usingServer(`http://127.0.0.1:${port}`)
        .withCapabilities(capabilities).build();
    } catch (error) {
      if (Date.now() > deadline || !String(error.message).startsWith("ECONNREFUSED")) {
        server.kill();
        throw error;
      }
      await new Promise((resolve) => setTimeout(resolve, 10));
    }
  }
  const patience = 10000;
  // A script that never answers (WebKitWebDriver can lose the answer of a script whose document
  // goes away under it) fails the test with what it was waiting for, rather than leaving it to
  // hang until CTest's limit. selenium's wait() does not end a condition that never settles.
  const answered = (pending, what) => new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`WebKit did not answer ${what} within 60 s`)), 60000);
    pending.then((value) => {
      clearTimeout(timer);
      resolve(value);
    }, (error) => {
      clearTimeout(timer);
      reject(error);
    });
  });
  const evaluate = (fn, ...args) =>
    answered(driver.executeScript(`return (${fn}).apply(null, arguments)`, ...args), `the script ${fn}`);
  // The dialog open now, or null.
  const openDialog = async () => {
    try {
      return await driver.switchTo().alert();
    } catch (error) {
      if (error instanceof webdriver.error.NoSuchAlertError) return null;
      throw error;
    }
  };
  // Marks the page's next event of a type as handled once it has been: a listener on the
  // document runs after the page's own on the element, and a script reads the mark only after
  // the event's whole task, the page's dialogs included.
  const awaiting = (type) => evaluate((eventType) => {
    window.ciferonHandled = false;
    document.addEventListener(eventType, () => {
      window.ciferonHandled = true;
    }, { once: true });
  }, type);
  const handled = async () => {
    try {
      return (await evaluate(() => window.ciferonHandled)) === true;
    } catch (error) {
      if (error instanceof webdriver.error.UnexpectedAlertOpenError) return false;
      throw error;
    }
  };
  // Acts, then answers the page's dialogs from `answers` until the page has handled the
  // action's event and `dialogs` of them have been answered.
  const answering = async (answers, dialogs, type, act) => {
    const seen = [];
    const script = [...answers];
    await awaiting(type);
    await act();
    const deadline = Date.now() + patience;
    for (;;) {
      const dialog = await openDialog();
      if (dialog) {
        seen.push({ type: undefined, message: await dialog.getText(), defaultValue: undefined });
        const answer = script.shift();
        if (answer === undefined || answer === null) {
          await dialog.dismiss();
        } else {
          if (answer !== true) await dialog.sendKeys(answer);
          await dialog.accept();
        }
      } else {
        const done = await handled();
        if (done && seen.length >= dialogs) return seen;
        if (Date.now() > deadline) {
          throw new Error(`after ${patience} ms, ${seen.length} of ${dialogs} dialogs answered ` +
            `(${JSON.stringify(seen.map(({ message }) => message))}) and the ${type} ` +
            `${done ? "handled" : "not yet handled"} by the page`);
        }
        await new Promise((resolve) => setTimeout(resolve, 10));
      }
    }
  };
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
    press: (selector, answers = [], { dialogs = answers.length } = {}) =>
      answering(answers, dialogs, "click",
        () => driver.findElement(webdriver.By.css(selector)).click()),
    pressKey: (key, answers = [], { dialogs = answers.length } = {}) =>
      answering(answers, dialogs, "keyup",
        () => driver.switchTo().activeElement().sendKeys(webdriver.Key[webdriverKeys[key] ?? key.toUpperCase()])),
    // Goes where the link leads and returns once that page has loaded. A click and scripts
    // polling for the new page would run while the old document is being unloaded, where
    // WebKitWebDriver may never answer a script; Navigate To answers only once the page the
    // link names has loaded.
    async follow(selector) {
      const href = await evaluate((linkSelector) => document.querySelector(linkSelector).href, selector);
      await answered(driver.get(href), `the navigation to ${href}`);
    },
    evaluate,
    // The window's frame and toolbar take their share; MiniBrowser has a narrowest window.
    // Returns once the page has the window's new width.
    async setWidth(width) {
      const frame = await evaluate(() => outerWidth - innerWidth);
      const rect = await driver.manage().window().setRect({ width: width + frame, height: 800 });
      await driver.wait(() => evaluate((outer, inner) => outerWidth === outer && innerWidth === inner,
        rect.width, rect.width - frame), patience);
    },
    // The viewport's width and height, the window's frame and toolbar added; returns once the
    // page has them.
    async setSize(width, height) {
      const [frameWidth, frameHeight] = await evaluate(() =>
        [outerWidth - innerWidth, outerHeight - innerHeight]);
      await driver.manage().window().setRect({ width: width + frameWidth, height: height + frameHeight });
      await driver.wait(() => evaluate((w, h) => innerWidth === w && innerHeight === h, width, height),
        patience);
    },
    pdf: undefined,
    waitFor: (fn) => driver.wait(() => evaluate(fn), patience),
    chooseFile: (selector, path, answers = [], { dialogs = answers.length } = {}) =>
      answering(answers, dialogs, "change",
        () => driver.findElement(webdriver.By.css(selector)).sendKeys(path)),
    type: (text) => driver.switchTo().activeElement().sendKeys(text),
    pressWith: (modifier, key) => answering([], 0, "keyup", () => driver.switchTo().activeElement()
      .sendKeys(webdriver.Key.chord(webdriver.Key[modifier.toUpperCase()],
        key.length === 1 ? key : webdriver.Key[webdriverKeys[key] ?? key.toUpperCase()]))),
    // Classic WebDriver answers no question before leaving; the reload is of a page that asks
    // none, or the test's own.
    reload: () => answered(driver.navigate().refresh(), "the reload"),
    async close() {
      await driver.quit();
      server.kill();
    },
  };
}

export function launch(name) {
  return name === "webkit" ? webkitEngine() : puppeteerEngine(name);
}
