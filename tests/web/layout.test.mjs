// The page at the sizes people use it: a phone's portrait screen keeps most
// of the canvas clear with the keys and the console one tap away, touch
// targets are finger-sized, notices are never under a panel, the first load
// says what to press, and where the program cannot run (no WebGL 2, a page
// opened from a disk) the page shows the message and no dead buttons.
import assert from 'node:assert/strict';
import {after, before, describe, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {launchBrowser, launchFirefox, VantrellePage} from './browser.mjs';

const PHONE = {width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3};

let browser;
before(async () => {
  browser = await launchBrowser('llvmpipe');
});
after(async () => browser?.close());

async function startedPage(path, viewport) {
  const page = await VantrellePage.open(browser, path, viewport);
  assert.ok(await page.waitForTranscript((text) => text.split('\n').length > 10), page.transcript());
  await page.replayEnded();
  await page.frames(2);
  return page;
}

// The panels as drawn: each one's box, and every visible button's size.
function layout(page) {
  return page.page.evaluate(() => {
    const shown = (element) => element.getClientRects().length > 0 &&
                               getComputedStyle(element).visibility !== 'hidden';
    const box = (element) => {
      const r = element.getBoundingClientRect();
      return {left: r.left, top: r.top, width: r.width, height: r.height};
    };
    const panels = {};
    for (const id of ['key-bar', 'console-panel', 'status', 'keys', 'console'])
      panels[id] = shown(document.getElementById(id)) ? box(document.getElementById(id)) : null;
    const buttons = [...document.querySelectorAll('button')].filter(shown).map((b) => ({
      name: b.textContent.trim(), ...box(b)}));
    return {panels, buttons, view: {width: innerWidth, height: innerHeight}};
  });
}

// Whether the notice is on top wherever it is drawn.
function noticeOnTop(page) {
  return page.page.evaluate(() => {
    const status = document.getElementById('status');
    const r = status.getBoundingClientRect();
    const inside = r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
    const points = [[0.1, 0.2], [0.5, 0.5], [0.9, 0.8]].map(([x, y]) =>
      document.elementFromPoint(r.left + x * r.width, r.top + y * r.height));
    return inside && points.every((element) => status.contains(element));
  });
}

describe('on a phone, portrait (390 x 844, touch)', () => {
  test('most of the canvas is clear, the keys and console are one tap away, and buttons fit a finger',
       async () => {
    const page = await startedPage('/complete/', PHONE);
    const start = await layout(page);
    const area = start.view.width * start.view.height;
    const covered = ['key-bar', 'console-panel', 'status'].reduce(
      (sum, id) => sum + (start.panels[id] ? start.panels[id].width * start.panels[id].height : 0), 0);
    assert.ok(1 - covered / area >= 0.6, `${(100 * (1 - covered / area)).toFixed(0)}% of the canvas clear`);
    for (const button of start.buttons)
      assert.ok(button.width >= 44 && button.height >= 44, `${button.name}: ${button.width} x ${button.height}`);
    assert.match(await page.status(), /Tap "show keys", then "animate"/, 'the hint names the buttons');

    await page.page.tap('#key-bar-toggle');
    await page.page.tap('#console-toggle');
    const open = await layout(page);
    assert.ok(open.panels.keys && open.panels.console, 'the keys and the console are open: ' + JSON.stringify(open.panels));
    const keyBarShare = open.panels['key-bar'].height / open.view.height;
    assert.ok(keyBarShare <= 0.4, `the open key bar takes ${(100 * keyBarShare).toFixed(0)}% of the height`);
    for (const button of open.buttons)
      assert.ok(button.width >= 44 && button.height >= 44, `${button.name}: ${button.width} x ${button.height}`);
    await page.page.tap('#keys button[data-key="a"]');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Animate \n')), page.transcript());
    assert.equal(await page.status(), '', 'the hint goes at the first key');
    await page.page.close();
  });

  for (const viewport of [PHONE, {width: 1024, height: 768}]) {
    test(`a refused link's notice is drawn over the panels, whole (${viewport.width} x ${viewport.height})`,
         async () => {
      const page = await startedPage('/complete/#t%20nope%20t', viewport);
      await page.page.evaluate(() => {
        for (const id of ['key-bar', 'console-panel'])
          document.getElementById(id).classList.remove('collapsed');  // the panels at their largest
      });
      assert.match(await page.status(), /Link script refused/);
      assert.ok(await noticeOnTop(page), 'the notice is on top and inside the page');
      await page.page.close();
    });
  }
});

describe('reflow', () => {
  // 320 CSS pixels wide is a small phone, or a 1280-pixel window at 400%.
  for (const viewport of [{width: 320, height: 568}, {width: 640, height: 400}]) {
    test(`at ${viewport.width} x ${viewport.height} every control is on the page or in the keys' own scroll`,
         async () => {
      const page = await startedPage('/complete/', viewport);
      for (const id of ['key-bar-toggle', 'console-toggle']) {
        if (await page.page.$eval('#' + id, (toggle) => toggle.getAttribute('aria-expanded') === 'false'))
          await page.page.click('#' + id);
      }
      const lost = await page.page.evaluate(() => {
        const keys = document.getElementById('keys').getBoundingClientRect();
        return [...document.querySelectorAll('button')].filter((button) => button.getClientRects().length)
          .filter((button) => {
            const r = button.getBoundingClientRect();
            const inView = r.left >= 0 && r.right <= innerWidth && r.top >= 0 && r.bottom <= innerHeight;
            const inKeys = button.parentElement.id === 'keys' && r.left >= keys.left && r.right <= keys.right;
            return !inView && !inKeys;
          }).map((button) => button.id || button.dataset.key);
      });
      assert.deepEqual(lost, []);
      assert.equal(await page.page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), true,
                   'nothing runs off the side');
      await page.page.close();
    });
  }
});

describe('where the program cannot run', () => {
  test('a page opened from a disk says to serve it, and shows no buttons', async () => {
    const page = new VantrellePage(await browser.newPage());
    const site = process.env.SITE_DIR;
    await page.page.goto(pathToFileURL(`${site}/index.html`).href);
    await page.page.waitForFunction(() => document.getElementById('status').textContent !== 'Loading…');
    assert.match(await page.status(), /must come from a web server/);
    const {buttons} = await layout(page);
    assert.deepEqual(buttons, []);
    await page.page.close();
  });

  const WITHOUT_WEBGL2 = [
    ['Chromium with WebGL 2 turned off', () => launchBrowser('swiftshader', ['--disable-webgl2'])],
    ['Firefox with WebGL 2 turned off', () => launchFirefox({'webgl.enable-webgl2': false})],
  ];
  for (const [what, launch] of WITHOUT_WEBGL2) {
    test(`${what} shows the message and no buttons`, async () => {
      const plain = await launch();
      try {
        const page = await VantrellePage.open(plain, '/complete/');
        await page.page.waitForFunction(() => document.getElementById('status').textContent !== 'Loading…');
        assert.match(await page.status(), /needs WebGL 2/);
        assert.deepEqual((await layout(page)).buttons, []);
      } finally {
        await plain.close();
      }
    });
  }
});
