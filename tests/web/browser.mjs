// The page as a person uses it, in a real browser: real key events, what
// the console panel and the browser's console show, and the canvas's pixels
// as the screen shows them. Debian's Chromium and Firefox ESR are driven by
// puppeteer-core (Firefox over WebDriver BiDi); WebKitGTK's MiniBrowser by
// selenium-webdriver through WebKitWebDriver (webdriver.mjs).
import {existsSync, readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {setTimeout as sleep} from 'node:timers/promises';

import puppeteer from 'puppeteer-core';

import {decodePng} from './pictures.mjs';

// Serves complete/ (the site), copies with a broken leaf.bmp and copies with
// other textures (test-web.sh).
export const SITE = process.env.SITE_URL;

export {sleep};

// axe-core's script, as the lock file pins it, for a page to run.
const AXE_SOURCE = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

const COMMON_FLAGS = [
  '--no-sandbox', '--no-first-run', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--disable-quic', '--force-color-profile=srgb', '--disable-features=Translate',
];

// 'llvmpipe': a window on the test run's X server, WebGL on Mesa's software
// rasteriser like the desktop program; 'swiftshader': headless, on
// Chromium's own software renderer.
export async function launchBrowser(renderer, extraFlags = []) {
  const llvmpipe = renderer === 'llvmpipe';
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: !llvmpipe,
    args: [...COMMON_FLAGS, ...(llvmpipe ? ['--use-angle=gl', '--ignore-gpu-blocklist'] : ['--enable-unsafe-swiftshader']),
           ...extraFlags],
  });
}

// What every engine's page offers the tests; each engine supplies
// evaluate, pressKey, the mouse (mouseMove to a point of the page in CSS
// pixels, mouseDown and mouseUp of the left button), screenshotPng and
// refreshLines.
export class EnginePage {
  constructor() {
    this.lines = [];  // the program's lines, in order
    this.errors = [];  // uncaught errors of the page's scripts
  }

  transcript() {
    return this.lines.map((line) => line + '\n').join('');
  }

  async refreshLines() {}

  async waitForTranscript(predicate, seconds = 20) {
    for (let waited = 0; waited < seconds * 20; ++waited) {
      await this.refreshLines();
      if (predicate(this.transcript())) return true;
      await sleep(50);
    }
    await this.refreshLines();
    return predicate(this.transcript());
  }

  // The program has drawn what the keys asked for once two animation frames
  // have passed (one idle step and one redraw each).
  async frames(count = 3) {
    await this.evaluate((n) => new Promise((resolve) => {
      const next = () => (n-- > 0 ? requestAnimationFrame(next) : resolve());
      next();
    }), count);
    await this.refreshLines();
  }

  // A real key press on the page; the program's line, if any, comes with it.
  async type(character) {
    await this.pressKey(character);
    await this.evaluate(() => 0);  // the console events of the press arrive first
    await this.refreshLines();
  }

  // A link's script plays over several animation frames; the page goes on
  // live once it has. The replay's panel is hidden before the program has
  // started too, so the program's start is waited for first.
  async replayEnded(seconds = 60) {
    for (let waited = 0; waited < seconds * 20; ++waited) {
      if (await this.evaluate(() => document.body.dataset.program !== undefined &&
                                    document.getElementById('replay').hidden)) return;
      await sleep(50);
    }
    throw new Error(`the program did not start, or the link's replay did not end, within ${seconds} s`);
  }

  // The program's command keys but the quit keys (which end it), from the
  // program's own table.
  commandKeysButQuit() {
    return this.evaluate(() => {
      let keys = '';
      for (let index = 0; index < Module._vantrelleCommandCount(); ++index)
        keys += String.fromCharCode(Module._vantrelleCommandKey(index));
      return keys.replace(/[qQ]/g, '');
    });
  }

  async status() {
    return this.evaluate(() => document.getElementById('status').textContent);
  }

  // The panel's lines joined by newlines (WebKit's innerText ends the last
  // block with one, the others' do not).
  async panelText() {
    return (await this.evaluate(() => document.getElementById('console').innerText)).replace(/\n+$/, '');
  }

  // The canvas as the screen shows it, with the panels over it put aside.
  async canvasPicture() {
    await this.evaluate(() => {
      const style = document.createElement('style');
      style.id = 'panels-aside';
      style.textContent = '#console-panel, #key-bar, #side-panels, #status { display: none !important; }';
      document.head.appendChild(style);
    });
    await this.frames(2);
    const png = await this.screenshotPng();
    await this.evaluate(() => document.getElementById('panels-aside').remove());
    return decodePng(png);
  }

  async renderer() {
    return this.evaluate(() => {
      const gl = document.createElement('canvas').getContext('webgl2');
      const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
      return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : 'unknown';
    });
  }

  // What axe-core finds on the page as it is: every rule it runs by
  // default, best practices included, as "rule: element" lines.
  async axeFindings() {
    await this.evaluate((source) => {
      if (!window.axe) (0, eval)(source);
    }, AXE_SOURCE);
    return this.evaluate(async () => {
      const results = await window.axe.run(document, {resultTypes: ['violations']});
      return results.violations.flatMap((rule) =>
        rule.nodes.map((node) => `${rule.id}: ${node.target.join(' ')} (${rule.help})`));
    });
  }

  // Whether the engine lets a page lose its WebGL context on purpose.
  async canLoseContext() {
    return this.evaluate(() => Boolean(document.getElementById('canvas').getContext('webgl2')
                                           .getExtension('WEBGL_lose_context')));
  }
}

// A tab of Chromium or Firefox.
export class VantrellePage extends EnginePage {
  static async open(browser, path, viewport = {}) {
    return VantrellePage.openAddress(browser, SITE + path, viewport);
  }

  static async openAddress(browser, address, {width = 640, height = 480, ...viewport} = {}) {
    const page = new VantrellePage(await browser.newPage());
    await page.page.setViewport({width, height, ...viewport});
    await page.page.goto(address);
    return page;
  }

  // Opened at any address (a link, a file:), once start-up has written the
  // texture loader's lines.
  static async started(browser, address) {
    const page = await VantrellePage.openAddress(browser, address);
    if (!(await page.waitForTranscript((text) => text.split('\n').length > 10)))
      throw new Error('the program did not start: ' + page.transcript());
    return page;
  }

  constructor(page) {
    super();
    this.page = page;
    page.on('console', (message) => {
      if (message.type() === 'log') this.lines.push(message.text());
    });
    page.on('pageerror', (error) => this.errors.push(String(error)));
  }

  evaluate(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }

  pressKey(character) {
    return this.page.keyboard.press(character);
  }

  mouseMove(x, y) {
    return this.page.mouse.move(x, y);
  }

  mouseDown() {
    return this.page.mouse.down();
  }

  mouseUp() {
    return this.page.mouse.up();
  }

  async screenshotPng() {
    return Buffer.from(await this.page.screenshot({type: 'png'}));
  }

  close() {
    return this.page.close();
  }
}

const FIREFOX = process.env.FIREFOX || '/usr/bin/firefox-esr';

// Firefox ESR in a window on the test run's X server: WebGL 2 on Mesa's
// llvmpipe. Preferences as about:config names them.
export async function launchFirefox(preferences = {}, args = []) {
  if (!existsSync(FIREFOX)) throw new Error(`Firefox: ${FIREFOX} is not there (Debian package firefox-esr)`);
  return puppeteer.launch({browser: 'firefox', executablePath: FIREFOX, headless: false,
                           extraPrefsFirefox: preferences, args});
}

export const ENGINES = ['chromium', 'firefox', 'webkit'];

// One engine as the suites that run in every engine use it: pages opened
// at an address with a size, one at a time, and the engine's name and
// version for the reports. A window size makes Chromium's and Firefox's
// windows that large, so that the screen shows all of a page of that size
// (WebKit's window is sized to each page).
export async function openEngine(name, {windowSize} = {}) {
  if (!ENGINES.includes(name)) throw new Error(`no engine called '${name}' (${ENGINES.join(', ')})`);
  if (name === 'webkit') {
    const {openWebKit} = await import('./webdriver.mjs');
    return openWebKit();
  }
  const [width, height] = windowSize || [];
  const browser = name === 'firefox'
                    ? await launchFirefox({}, windowSize ? [`--width=${width}`, `--height=${height}`] : [])
                    : await launchBrowser('llvmpipe', windowSize ? [`--window-size=${width},${height}`] : []);
  // puppeteer says "Chrome/156.0..." and "firefox/153.8.0".
  const version = (await browser.version()).split('/').at(-1);
  return {
    name,
    version: name === 'firefox' ? `Firefox ESR ${version}` : `Chromium ${version}`,
    open: (address, viewport) => VantrellePage.openAddress(browser, address, viewport),
    close: () => browser.close(),
  };
}
