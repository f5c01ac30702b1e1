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
  test('a key typed while the mouse drags from selected text still reaches the program', async () => {
    const page = await startedPage();
    const console = await page.page.$eval('#console', (element) => {
      const box = element.getBoundingClientRect();
      return {x: box.left + 40, y: box.top + 12};
    });
    await page.page.mouse.click(console.x, console.y, {clickCount: 3});  // a line selected
    assert.notEqual(await page.evaluate(() => String(getSelection())), '');
    for (let drag = 0; drag < 5; ++drag) {
      await page.page.mouse.move(console.x, console.y);
      await page.page.mouse.down();
      await page.page.mouse.move(console.x + 60, console.y + 40, {steps: 5});
      await page.page.keyboard.press('s');
      await page.page.mouse.up();
    }
    assert.ok(await page.waitForTranscript((text) => text.split('Step Through ').length === 6), page.transcript());
    await page.page.close();
  });

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

  test('its stretch colours are switched from the keyboard, with their line, legend and link', async () => {
    const page = await startedPage('/complete/#' + encodeURIComponent('+150'));
    await page.page.click('#readout-toggle');
    const textured = await page.canvasPicture();
    await page.page.focus('#stretch-colours');
    await page.pressKey(' ');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Stretch colours on\n')), page.transcript());
    await page.frames(3);
    assert.ok(comparePictures(textured, await page.canvasPicture()).differing > 10000, 'the sheet changes colour');
    const legend = await page.evaluate(() => {
      const list = document.getElementById('stretch-legend');
      return {hidden: list.hidden, items: [...list.children].map((item) => item.textContent)};
    });
    assert.equal(legend.hidden, false);
    assert.equal(legend.items.length, 8);
    assert.equal(legend.items[0], 'squeezed by 1% or more');
    await page.page.click('#moment-link');
    assert.match(decodeURIComponent(new URL(page.page.url()).hash.slice(1)), /^\+150 stretch:on$/);
    await page.page.focus('#stretch-colours');
    await page.pressKey(' ');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Stretch colours off\n')), page.transcript());
    await page.frames(3);
    assert.equal(comparePictures(textured, await page.canvasPicture()).differing, 0, 'off, the texture again');
    assert.equal(await page.evaluate(() => document.getElementById('stretch-legend').hidden), true);
    assert.deepEqual(page.errors, []);
    await page.page.close();
  });
});

describe('the controls panel', () => {
  test('each notch of a slider is one press of its key: the same lines and link as typing them', async () => {
    const linkOf = async (p) => {
      await p.page.click('#moment-link');
      return decodeURIComponent(new URL(p.page.url()).hash.slice(1)).replace(/ \+\d+/g, '');
    };
    const page = await startedPage();
    await page.page.click('#controls-toggle');
    // Ten notches down from 0.5, with the keyboard: the float's drift shows.
    await page.page.focus('#slider-stiffness');
    for (let notch = 0; notch < 10; ++notch) await page.pressKey('ArrowLeft');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Sping Constant = -3.65078e-08\n')),
              page.transcript());
    assert.equal(await page.evaluate(() => document.getElementById('slider-stiffness').getAttribute('aria-valuetext')),
                 '-3.65078e-08');
    // The turn by the pointer: a click at its right end is many notches at once.
    const turn = await page.page.$eval('#slider-turn', (input) => {
      const box = input.getBoundingClientRect();
      return {x: box.right - 2, y: box.top + box.height / 2, notches: (input.max - input.value) / input.step};
    });
    await page.page.mouse.click(turn.x, turn.y);
    await page.frames(2);
    const turns = page.transcript().split('\n').filter((line) => line.startsWith('Rotate Angle = ')).length;
    assert.ok(turns >= turn.notches - 1 && turns <= turn.notches, `${turns} of ${turn.notches} notches`);
    assert.equal(await page.evaluate(() => document.getElementById('slider-turn').getAttribute('aria-valuetext')),
                 `${290 + 5 * turns} degrees`);
    await page.page.click('#one-step');
    await page.page.click('#play');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Step Through \nAnimate \n')), page.transcript());
    const sliders = {transcript: page.transcript(), link: await linkOf(page), errors: page.errors};
    await page.page.close();

    // The same, typed.
    const typed = await startedPage();
    for (const [key, times] of [['-', 10], ['3', turns], ['s', 1], ['a', 1]])
      for (let press = 0; press < times; ++press) await typed.type(key);
    await typed.waitForTranscript((text) => text.endsWith('Animate \n'));
    assert.equal(sliders.transcript, typed.transcript(), 'the sliders\' lines are the typed keys\'');
    assert.equal(sliders.link, await linkOf(typed));
    assert.deepEqual([...sliders.errors, ...typed.errors], []);
    await typed.page.close();
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
