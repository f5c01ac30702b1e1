// What the served site does in Chromium beyond what every engine is tested
// for (engines.test.mjs): its key bar and full screen, a new link in the
// same tab, keys typed too early, the mouse and a finger on the sheet, and a
// browser without WebGL 2.
import assert from 'node:assert/strict';
import {after, before, describe, test} from 'node:test';

import {launchBrowser, VantrellePage} from './browser.mjs';
import {DesktopProgram} from './desktop.mjs';
import {comparePictures} from './pictures.mjs';

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
    while (held.length < 10) await new Promise((resolve) => setTimeout(resolve, 20));
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
  const GRAB = /Grab = (\d+) at ([-0-9.e]+),([-0-9.e]+),([-0-9.e]+)\n$/;
  const RELEASE = /Release = (\d+) at ([-0-9.e]+),([-0-9.e]+),([-0-9.e]+)\n$/;

  // A point well inside the sheet as the canvas shows it, in CSS pixels,
  // where no panel covers the canvas (`open` tells).
  function pointOnTheSheet(picture, open) {
    const lit = (x, y) => {
      const p = (y * picture.width + x) * 3;
      return picture.rgb[p] + picture.rgb[p + 1] + picture.rgb[p + 2] > 20;
    };
    let best = null;
    for (let y = 16; y < picture.height - 16; y += 4) {
      for (let x = 16; x < picture.width - 16; x += 4) {
        let litAround = 0;
        for (let dy = -12; dy <= 12; dy += 4)
          for (let dx = -12; dx <= 12; dx += 4) litAround += lit(x + dx, y + dy);
        const distance = (x - picture.width / 2) ** 2 + (y - picture.height / 2) ** 2;
        if (litAround >= 42 && open[y * picture.width + x] && (!best || distance < best.distance))
          best = {x, y, distance};
      }
    }
    assert.ok(best, 'the sheet is on the canvas');
    return best;
  }

  // A page where one step has lit the sheet, and where the sheet is.
  async function litPage(options) {
    const page = await VantrellePage.open(browser, '/complete/', options);
    assert.ok(await page.waitForTranscript((text) => text.startsWith(loaderLines)), page.transcript());
    await page.type('s');
    await page.frames(3);
    const picture = await page.canvasPicture();
    const open = await page.page.evaluate((width, height) => {
      const canvas = document.getElementById('canvas');
      const open = [];
      for (let y = 0; y < height; ++y)
        for (let x = 0; x < width; ++x) open.push(y % 4 || x % 4 ? 0 : document.elementFromPoint(x, y) === canvas);
      return open;
    }, picture.width, picture.height);
    return {page, at: pointOnTheSheet(picture, open)};
  }

  // Six steps, the hand (if any) moving further at each.
  async function stepsPulling(page, move) {
    for (let n = 1; n <= 6; ++n) {
      if (move) await move(n);
      await page.type('s');
      await page.frames(2);
    }
  }

  test('a mouse drag grabs, pulls and releases the sheet', async () => {
    // One page at a time: a page in the background gets no animation frames.
    const untouched = (await litPage()).page;
    await stepsPulling(untouched);
    const unpulled = await untouched.canvasPicture();
    await untouched.page.close();
    const {page, at} = await litPage();
    await page.page.mouse.move(at.x, at.y);
    await page.page.mouse.down();
    assert.ok(await page.waitForTranscript((text) => GRAB.test(text)), page.transcript());
    const grab = page.transcript().match(GRAB);
    await stepsPulling(page, (n) => page.page.mouse.move(at.x + 30 * n, at.y - 20 * n, {steps: 3}));
    await page.page.mouse.up();
    assert.ok(await page.waitForTranscript((text) => RELEASE.test(text)), page.transcript());
    const release = page.transcript().match(RELEASE);
    assert.equal(release[1], grab[1], 'the particle taken hold of is the one let go');
    assert.notDeepEqual(release.slice(2), grab.slice(2), 'the hand moved');
    const pulled = comparePictures(unpulled, await page.canvasPicture());
    assert.ok(pulled.differing > pulled.pixels / 100, JSON.stringify(pulled));
    assert.deepEqual(page.errors, []);
    await page.page.close();
  });

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
