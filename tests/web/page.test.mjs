// What the served site does in Chromium beyond what every engine is tested
// for (engines.test.mjs): its key bar and full screen, a new link in the
// same tab, keys typed too early, a finger on the sheet and a pointer the
// system cancels, the lab panel, the numbers panel and its downloads, and a
// browser without WebGL 2.
import assert from 'node:assert/strict';
import {mkdtemp, readFile, rm} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import path from 'node:path';
import {after, before, describe, test} from 'node:test';

import {launchBrowser, SITE, sleep, VantrellePage} from './browser.mjs';
import {DesktopProgram, recordedSeriesAndSheet} from './desktop.mjs';
import {comparePictures} from './pictures.mjs';
import {GRAB, lightTheSheet, RELEASE, stepsPulling} from './sheet_drag.mjs';

let browser;
let loaderLines;  // the desktop's start-up lines

before(async () => {
  const desktop = new DesktopProgram();
  assert.ok(await desktop.waitFor((output) => output.split('\n').length > 10), desktop.output);
  await desktop.start();
  loaderLines = desktop.output;
  assert.equal(await desktop.quit(), 0);
  browser = await launchBrowser('llvmpipe');
});

after(async () => {
  await browser?.close();
});

async function startedPage(path = '/complete/') {
  const page = await VantrellePage.open(browser, path);
  assert.ok(await page.waitForTranscript((text) => text.startsWith(loaderLines)), page.transcript());
  await page.replayEnded();
  await page.frames();
  return page;
}

describe('the page around the program', () => {
  test('is titled Vantrelle; its key bar presses keys, hides, and asks for full screen', async () => {
    const page = await startedPage();
    assert.equal(await page.page.title(), 'Vantrelle');
    const keys = await page.page.$$eval('#keys button', (buttons) => buttons.map((b) => b.dataset.key));
    assert.deepEqual([...keys].sort(), [...'-=123456[]afnpqrst'].sort(), 'one button per command');
    await page.page.click('#keys button[data-key="t"]');
    await page.page.click('#keys button[data-key="3"]');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Texture is 1\nRotate Angle = 295\n')),
              page.transcript());
    await page.page.click('#key-bar-toggle');
    assert.equal(await page.page.$eval('#keys', (element) => getComputedStyle(element).display), 'none');
    await page.page.click('#fullscreen');
    await page.page.waitForFunction(() => document.fullscreenElement !== null, {timeout: 5000});
    await page.page.click('#fullscreen');
    await page.page.waitForFunction(() => document.fullscreenElement === null, {timeout: 5000});
    assert.deepEqual(page.errors, []);
    await page.page.close();
  });
});

describe('start-up', () => {
  test('a new link in the same tab starts the program again from that state', async () => {
    const page = await startedPage();
    await page.type('t');
    await page.page.evaluate(() => (location.hash = 't%20t%20t'));
    const expected = loaderLines + 'Texture is 1\n' + loaderLines + 'Texture is 1\nTexture is 2\nTexture is 3\n';
    assert.ok(await page.waitForTranscript((text) => text.length >= expected.length), page.transcript());
    assert.equal(page.transcript(), expected);
    await page.page.close();
  });

  test('keys typed while the page loads are dropped', async () => {
    const page = new VantrellePage(await browser.newPage());
    await page.page.setViewport({width: 640, height: 480});
    await page.page.setRequestInterception(true);
    const held = [];
    page.page.on('request', (request) => {
      if (request.url().includes('/textures/')) held.push(request);
      else request.continue();
    });
    await page.page.goto(new URL('/complete/', process.env.SITE_URL).href);
    await page.page.waitForFunction(() => document.getElementById('keys').childElementCount > 0);
    for (const key of ['t', 'a', 's', '1']) await page.type(key);
    while (held.length < 10) await sleep(20);
    for (const request of held) request.continue();
    assert.ok(await page.waitForTranscript((text) => text.startsWith(loaderLines)), page.transcript());
    await page.frames(3);
    assert.equal(page.transcript(), loaderLines);
    await page.type('t');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Texture is 1\n')), page.transcript());
    await page.page.close();
  });

});

describe('taking hold of the sheet', () => {
  // A page where one step has lit the sheet, and where the sheet is.
  async function litPage(options) {
    const page = await VantrellePage.open(browser, '/complete/', options);
    assert.ok(await page.waitForTranscript((text) => text.startsWith(loaderLines)), page.transcript());
    return {page, at: await lightTheSheet(page)};
  }

  test('a finger drags the sheet, and the page neither scrolls nor zooms', async () => {
    const {page, at} = await litPage({width: 640, height: 480, hasTouch: true, isMobile: true});
    await page.page.touchscreen.touchStart(at.x, at.y);
    assert.ok(await page.waitForTranscript((text) => GRAB.test(text)), page.transcript());
    await stepsPulling(page, (n) => page.page.touchscreen.touchMove(at.x - 25 * n, at.y + 15 * n));
    const view = await page.page.evaluate(() => [window.scrollX, window.scrollY, visualViewport.scale]);
    await page.page.touchscreen.touchEnd();
    assert.ok(await page.waitForTranscript((text) => RELEASE.test(text)), page.transcript());
    assert.deepEqual(view, [0, 0, 1]);
    assert.deepEqual(page.errors, []);
    await page.page.close();
  });

  test('while the sheet stands still the held particle is drawn at the hand at once, and stays there let go',
       async () => {
    const {page, at} = await litPage();
    const still = await page.canvasPicture();
    await page.page.mouse.move(at.x, at.y);
    await page.page.mouse.down();
    assert.ok(await page.waitForTranscript((text) => GRAB.test(text)), page.transcript());
    const grabbed = page.transcript().match(GRAB).slice(2);
    await page.page.mouse.move(at.x + 60, at.y - 40, {steps: 4});
    await page.frames(3);
    const pulled = comparePictures(still, await page.canvasPicture());
    assert.ok(pulled.differing > 20, `the picture shows the pull without a step: ${JSON.stringify(pulled)}`);
    await page.page.mouse.up();
    assert.ok(await page.waitForTranscript((text) => RELEASE.test(text)), page.transcript());
    assert.doesNotMatch(page.transcript(), /Grab[^]*Step Through/, 'no step was taken');
    const [, particle, ...released] = page.transcript().match(RELEASE);
    const drawn = await page.evaluate((particle) => {
      const canvas = document.getElementById('canvas');
      const box = canvas.getBoundingClientRect();
      return [box.left + Module._vantrelleParticleWindowX(particle) * box.width / canvas.width,
              box.top + Module._vantrelleParticleWindowY(particle) * box.height / canvas.height];
    }, Number(particle));
    assert.ok(Math.hypot(drawn[0] - (at.x + 60), drawn[1] - (at.y - 40)) < 3, `drawn at ${drawn}`);
    assert.notDeepEqual(released, grabbed, 'the Release line says where it was put');
    await page.page.close();
  });

  test('a pointer the system cancels lets go of the sheet', async () => {
    const {page, at} = await litPage();
    await page.page.mouse.move(at.x, at.y);
    await page.page.mouse.down();
    assert.ok(await page.waitForTranscript((text) => GRAB.test(text)), page.transcript());
    await page.page.evaluate(() => document.getElementById('canvas').dispatchEvent(
      new PointerEvent('pointercancel', {pointerId: 1, bubbles: true})));
    assert.ok(await page.waitForTranscript((text) => RELEASE.test(text)), page.transcript());
    await page.page.mouse.up();
    await page.type('t');
    assert.ok(await page.waitForTranscript((text) => /Release = .*\nTexture is 1\n$/.test(text)),
              'letting go of a cancelled pointer says nothing more: ' + page.transcript());
    await page.page.close();
  });
});

describe('the lab panel', () => {
  test('its controls set the lab from the keyboard and the pointer, with their lines, and the link ' +
       'to this moment carries them', async () => {
    const page = await startedPage();
    const at = await lightTheSheet(page);
    await page.page.click('#lab-toggle');
    assert.equal(await page.evaluate(() => document.getElementById('lab-toggle').getAttribute('aria-expanded')),
                 'true');
    // A slider moved with the keyboard: one notch, one token.
    await page.page.focus('#lab-passes');
    await page.pressKey('ArrowRight');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Passes = 2\n')), page.transcript());
    assert.equal(await page.evaluate(() => document.getElementById('lab-passes').getAttribute('aria-valuetext')),
                 '2 per step');
    await page.page.click('#lab-ball');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Ball = 45,30,5,12\n')), page.transcript());
    // A checkbox from the keyboard: its Space is its own, not the program's.
    await page.page.focus('#lab-tear');
    await page.pressKey(' ');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Tear = 3.5\n')), page.transcript());
    // The ball by the pointer: pressed on, it is carried, and the link
    // carries it too.
    const ball = await page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const box = canvas.getBoundingClientRect();
      return {x: box.left + Module._vantrelleBallWindowX() * box.width / canvas.width,
              y: box.top + Module._vantrelleBallWindowY() * box.height / canvas.height};
    });
    await page.page.mouse.move(ball.x, ball.y);
    await page.page.mouse.down();
    await page.page.mouse.move(ball.x + 30, ball.y - 20, {steps: 4});
    await page.page.mouse.up();
    assert.ok(await page.waitForTranscript((text) => /Grab = ball at .*\nRelease = ball at .*\n$/.test(text)),
              page.transcript());
    await page.page.focus('#lab-wind');
    await page.pressKey('ArrowRight');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Wind = 0,0,0.001\n')), page.transcript());

    // The cut tool: a stroke across the sheet breaks the springs it crosses.
    await page.page.click('#cut-tool');
    await page.page.mouse.move(at.x - 40, at.y - 30);
    await page.page.mouse.down();
    await page.page.mouse.move(at.x + 40, at.y + 30, {steps: 8});
    await page.page.mouse.up();
    assert.ok(await page.waitForTranscript((text) => /Cut = \d+\n$/.test(text)), page.transcript());
    assert.doesNotMatch(page.transcript(), /Grab = \d/, 'the cut took hold of nothing');
    await page.page.click('#cut-tool');
    await page.type('s');
    await page.frames(3);

    await page.page.click('#moment-link');
    const link = decodeURIComponent(new URL(page.page.url()).hash.slice(1));
    assert.match(link, /passes:2 ball:45,30,5,12 tear:3.5 grab:ball@\S+ move:\S+ release wind:0,0,0.001 cut:\S+/);
    const picture = await page.canvasPicture();
    const again = await VantrellePage.open(browser, '/complete/#' + encodeURIComponent(link));
    await again.replayEnded();
    await again.frames(3);
    assert.equal(again.transcript(), page.transcript(), 'the link replays the lab\'s lines');
    const comparison = comparePictures(picture, await again.canvasPicture());
    assert.equal(comparison.differing, 0, JSON.stringify(comparison));
    assert.deepEqual([...page.errors, ...again.errors], []);
    await page.page.close();
    await again.page.close();
  });
});

describe('the numbers panel', () => {
  test('shows the sheet\'s numbers, and its downloads are the recorder\'s series and sheet to the byte',
       async () => {
    const script = 't +40 wind:0,0,0.01 tear:1.5 +30 2 +10';
    const page = await startedPage('/complete/#' + encodeURIComponent(script));
    await page.page.click('#readout-toggle');
    await page.page.waitForFunction(() => document.getElementById('readout-steps').textContent === '80');
    const readout = await page.evaluate(() => Number(document.getElementById('readout-kinetic').textContent));
    assert.ok(readout > 0, 'a falling sheet moves');
    // A step from the keyboard joins the series.
    await page.type('s');
    await page.page.waitForFunction(() => document.getElementById('readout-steps').textContent === '81');

    // What a download button gives, from a page in a browser context of its
    // own (Chromium asks before a site's second download) that plays the
    // same link and the same s.
    const downloaded = async (button, name) => {
      const folder = await mkdtemp(path.join(tmpdir(), 'vantrelle-downloads-'));
      const context = await browser.createBrowserContext();
      try {
        const raw = await context.newPage();
        await (await raw.createCDPSession()).send(
          'Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: folder, browserContextId: context.id});
        await raw.setViewport({width: 640, height: 480});
        await raw.goto(SITE + '/complete/#' + encodeURIComponent(script));
        const other = new VantrellePage(raw);
        await other.replayEnded();
        await other.type('s');
        await raw.waitForFunction(() => Module._vantrelleSeriesLength() === 81);
        await raw.click('#readout-toggle');
        await raw.click('#' + button);
        for (let waited = 0; waited < 100; ++waited) {
          try {
            return await readFile(path.join(folder, name), 'utf8');
          } catch {
            await sleep(50);
          }
        }
        throw new Error(`no ${name} was downloaded`);
      } finally {
        await context.close();
        await rm(folder, {recursive: true, force: true});
      }
    };
    const expected = recordedSeriesAndSheet(script + ' s +1');
    assert.equal(await downloaded('download-series', 'vantrelle-series.csv'), expected.series);
    assert.equal(await downloaded('download-sheet', 'vantrelle-sheet.obj'), expected.sheet);
    assert.deepEqual(page.errors, []);
    await page.page.close();
  });
});

describe('a browser without WebGL 2', () => {
  test('shows one clear message instead of the program', async () => {
    const plain = await launchBrowser('swiftshader', ['--disable-webgl2']);
    try {
      const page = await VantrellePage.open(plain, '/complete/');
      await page.page.waitForFunction(() => document.getElementById('status').textContent !== 'Loading…');
      assert.match(await page.status(), /needs WebGL 2/);
      assert.deepEqual(page.lines, []);
    } finally {
      await plain.close();
    }
  });
});
