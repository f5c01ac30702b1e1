// Debian's Chromium driven by puppeteer-core, and the page as a person uses
// it: real key events, what the console panel and the browser's console
// show, and the canvas's pixels as the screen shows them.
import puppeteer from 'puppeteer-core';

import {decodePng} from './pictures.mjs';

export const SITE = process.env.SITE_URL;  // serves complete/ and missing-leaf/

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

export class VantrellePage {
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
    this.page = page;
    this.lines = [];  // every console.log text, in order: the program's lines only
    this.errors = [];
    page.on('console', (message) => {
      if (message.type() === 'log') this.lines.push(message.text());
    });
    page.on('pageerror', (error) => this.errors.push(String(error)));
  }

  transcript() {
    return this.lines.map((line) => line + '\n').join('');
  }

  async waitForTranscript(predicate, seconds = 20) {
    for (let waited = 0; waited < seconds * 20; ++waited) {
      if (predicate(this.transcript())) return true;
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    return predicate(this.transcript());
  }

  // The program has drawn what the keys asked for once two animation frames
  // have passed (one idle step and one redraw each).
  async frames(count = 3) {
    await this.page.evaluate((n) => new Promise((resolve) => {
      const next = () => (n-- > 0 ? requestAnimationFrame(next) : resolve());
      next();
    }), count);
  }

  // A real key press on the page; the program's line, if any, comes with it.
  async type(character) {
    await this.page.keyboard.press(character);
    await this.page.evaluate(() => 0);  // the console events of the press arrive first
  }

  // A link's script plays over several animation frames; the page goes on
  // live once it has.
  async replayEnded(seconds = 60) {
    await this.page.waitForFunction(() => document.getElementById('replay').hidden,
                                    {timeout: seconds * 1000});
  }

  async status() {
    return this.page.$eval('#status', (element) => element.textContent);
  }

  async panelText() {
    return this.page.$eval('#console', (element) => element.innerText);
  }

  // The canvas as the screen shows it, with the panels over it put aside.
  async canvasPicture() {
    const style = await this.page.addStyleTag({content: '#console-panel, #key-bar, #status { display: none !important; }'});
    await this.frames(2);
    const png = await this.page.screenshot({type: 'png'});
    await style.evaluate((element) => element.remove());
    return decodePng(Buffer.from(png));
  }

  async renderer() {
    return this.page.evaluate(() => {
      const gl = document.createElement('canvas').getContext('webgl2');
      const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
      return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : 'unknown';
    });
  }
}
