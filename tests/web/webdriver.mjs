// WebKitGTK's MiniBrowser, driven through WebKitWebDriver with
// selenium-webdriver. The driver runs one session, so pages are opened one
// after another in its one window. Classic WebDriver sends no console
// events: the program's lines are read from the page's console panel, which
// keeps the latest 500, more than any test here writes.
import {execFileSync, spawn} from 'node:child_process';
import net from 'node:net';

import {Builder, Origin} from 'selenium-webdriver';

import {EnginePage, sleep} from './browser.mjs';

const DRIVER = process.env.WEBKIT_WEBDRIVER || 'WebKitWebDriver';
// The browser the driver starts: the MiniBrowser of WebKitGTK's library
// package, outside PATH.
function miniBrowser() {
  if (process.env.WEBKIT_BROWSER) return process.env.WEBKIT_BROWSER;
  try {
    const files = execFileSync('dpkg', ['-L', 'libwebkit2gtk-4.1-0'], {encoding: 'utf8'}).split('\n');
    const found = files.find((file) => file.endsWith('/MiniBrowser'));
    if (found) return found;
  } catch {
    // Not a Debian system, or the package is missing: said below.
  }
  throw new Error('WebKit: no MiniBrowser (Debian package libwebkit2gtk-4.1-0, which webkit2gtk-driver brings; ' +
                  'elsewhere set WEBKIT_BROWSER to its path)');
}

// Without a display the driver accepts the new session and never answers.
const SESSION_SECONDS = Number(process.env.WEBKIT_SESSION_SECONDS || 60);

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function driverListening(port, child) {
  let failure = '';
  child.on('error', (error) => (failure = error.message));
  for (let attempt = 0; attempt < 100 && !failure; ++attempt) {
    if (child.exitCode !== null) break;
    try {
      const response = await fetch(`http://127.0.0.1:${port}/status`);
      if (response.ok) return;
    } catch {
      // Not listening yet.
    }
    await sleep(100);
  }
  throw new Error(`WebKit: ${DRIVER} did not start (${failure || `exit status ${child.exitCode}`}); ` +
                  'it comes with the Debian package webkit2gtk-driver');
}

function withinSeconds(promise, seconds, what) {
  let timer;
  const late = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`WebKit: ${what} took longer than ${seconds} s ` +
                                              `(is there an X display? DISPLAY=${process.env.DISPLAY || ''})`)),
                       seconds * 1000);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

class WebDriverPage extends EnginePage {
  constructor(driver) {
    super();
    this.driver = driver;
  }

  evaluate(fn, ...args) {
    return this.driver.executeScript(fn, ...args);
  }

  async pressKey(character) {
    await this.driver.actions().keyDown(character).keyUp(character).perform();
  }

  async mouseMove(x, y) {
    await this.driver.actions().move({x, y, origin: Origin.VIEWPORT}).perform();
  }

  async mouseDown() {
    await this.driver.actions().press().perform();
  }

  async mouseUp() {
    await this.driver.actions().release().perform();
  }

  async screenshotPng() {
    return Buffer.from(await this.driver.takeScreenshot(), 'base64');
  }

  async refreshLines() {
    const state = await this.evaluate(() => ({
      lines: document.getElementById('console').textContent.split('\n').filter(Boolean),
      errors: window.vantrelleTestErrors || [],
    }));
    this.lines = state.lines;
    this.errors = state.errors;
  }

  async close() {
    await this.driver.get('about:blank');
  }
}

export async function openWebKit() {
  const browser = miniBrowser();
  const port = await freePort();
  const child = spawn(DRIVER, [`--port=${port}`], {stdio: ['ignore', 'ignore', 'inherit']});
  let driver;
  try {
    await driverListening(port, child);
    driver = await withinSeconds(new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': {binary: browser, args: ['--automation']},
    }).build(), SESSION_SECONDS, 'starting a MiniBrowser session');
  } catch (error) {
    child.kill();
    throw error;
  }
  const capabilities = await driver.getCapabilities();
  const window = driver.manage().window();
  return {
    name: 'webkit',
    version: `WebKitGTK ${capabilities.get('browserVersion')}`,
    async open(address, {width = 640, height = 480} = {}) {
      // A new document every time, even where only the fragment differs.
      await driver.get('about:blank');
      // The window's frame and toolbar around the page; the window
      // manager may take a moment to give the size asked for.
      const rect = {x: 0, y: 0, width, height};
      let size = [];
      for (let attempt = 0; attempt < 10; ++attempt) {
        await window.setRect(rect);
        await sleep(100);
        size = await driver.executeScript(() => [innerWidth, innerHeight]);
        if (size[0] === width && size[1] === height) break;
        rect.width = Math.max(1, rect.width + width - size[0]);
        rect.height = Math.max(1, rect.height + height - size[1]);
      }
      if (size[0] !== width || size[1] !== height)
        throw new Error(`WebKit: the page is ${size.join(' x ')}, not ${width} x ${height}`);
      await driver.get(address);
      // Errors from here on; the page's own start-up runs in later tasks.
      await driver.executeScript(() => {
        window.vantrelleTestErrors = [];
        window.addEventListener('error', (event) => window.vantrelleTestErrors.push(String(event.message)));
      });
      return new WebDriverPage(driver);
    },
    async close() {
      try {
        await driver.quit();
      } finally {
        child.kill();
      }
    },
  };
}
