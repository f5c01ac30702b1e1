// Links on the page: a long script replays without freezing the page and can
// be stopped to go on live; the link to this moment brings a fresh page to
// the same picture and the same state; and many lines at once reach the
// console panel without a long task.
import assert from 'node:assert/strict';
import {after, before, describe, test} from 'node:test';

import {launchBrowser, SITE, sleep, VantrellePage} from './browser.mjs';
import {comparePictures} from './pictures.mjs';
import {OTHER_KEYS, seededRandom} from './random_input.mjs';

// Keys outside the table, the space bar among them.
const KEYS_OUTSIDE = OTHER_KEYS + ' ';

let browser;
before(async () => {
  browser = await launchBrowser('llvmpipe');
});
after(async () => browser?.close());

const openAt = (address) => VantrellePage.started(browser, address);

async function replayText(page) {
  return page.page.$eval('#replay-text', (element) => element.textContent);
}

describe('a link that takes long to play', () => {
  test('#+1000000 plays in slices: the page answers, shows its progress, and goes on live when stopped',
       async () => {
    const page = await openAt(`${SITE}/complete/#%2B1000000`);
    await page.page.waitForFunction(() => !document.getElementById('replay').hidden);
    const started = Date.now();
    assert.equal(await page.page.evaluate(() => 6 * 7), 42, 'the page answers');
    assert.ok(Date.now() - started < 1000, `answered after ${Date.now() - started} ms`);
    const stepOf = async () => Number((await replayText(page)).match(/step ([\d,]+) of 1,000,000/)[1].replace(/,/g, ''));
    const first = await stepOf();
    await sleep(1000);
    const later = await stepOf();
    assert.ok(later > first, `the progress moves: ${first}, then ${later}`);
    assert.match(await replayText(page), /s left$/);

    // A key during the replay is ignored, and the page says so once.
    const lines = page.transcript();
    await page.type('t');
    await page.type('t');
    assert.match(await page.status(), /keys and clicks are ignored/);
    await page.page.click('#keys button[data-key="t"]');
    await page.frames(2);
    assert.equal(page.transcript(), lines, 'nothing was queued behind the replay');

    await page.page.click('#replay-stop');
    await page.replayEnded(5);
    const reached = await page.page.evaluate(() => Module._vantrelleReplayStepsDone());
    assert.ok(reached >= later && reached < 1000000, `stopped at step ${reached}`);
    await page.type('t');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Texture is 1\n')), page.transcript());
    // The state is the step reached and the key since.
    await page.page.click('#moment-link');
    const link = decodeURIComponent(new URL(page.page.url()).hash.slice(1));
    assert.match(link, /^\+\d+ t$/);
    assert.ok(Number(link.slice(1, -2)) >= reached, link);
    await page.page.close();
  });

  test('51,200 key presses in one link replay, played in slices, and the panel keeps the latest lines',
       async () => {
    const page = new VantrellePage(await browser.newPage());
    await page.page.setViewport({width: 640, height: 480});
    // The lines are kept in the page: with the test's DevTools attached,
    // Chromium's own handling of a console message (some 0.2 ms each, and
    // pauses of up to 100 ms in this many) is not the page's, and a page
    // without DevTools never pays it.
    await page.page.evaluateOnNewDocument(() => {
      window.longTasks = [];
      new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map(
        (entry) => ({start: entry.startTime, duration: entry.duration})))).observe({type: 'longtask'});
      window.logged = [];
      console.log = (...items) => window.logged.push(items);
      window.frameTimes = [];
      const tick = () => {
        window.frameTimes.push(performance.now());
        requestAnimationFrame(tick);
      };
      requestAnimationFrame(tick);
    });
    await page.page.goto(`${SITE}/complete/#${'a%20'.repeat(51200)}`);
    await page.replayEnded(120);
    await page.frames(2);
    // Played whole in one task, the script would hold the page for some
    // 300 ms here; played in slices of 10 ms, it spans many frames. Tasks of
    // 50 to 70 ms come and go with the machine's load (Chromium's own layout
    // and garbage collection on software GL), so the bound is well above them.
    const {frames, longest} = await page.page.evaluate(() => {
      const [start] = performance.getEntriesByName('vantrelle-replay-start');
      const [end] = performance.getEntriesByName('vantrelle-replay-end');
      const inReplay = (time) => time >= start.startTime && time <= end.startTime;
      return {frames: window.frameTimes.filter(inReplay).length,
              longest: Math.max(0, ...window.longTasks.filter((task) => inReplay(task.start))
                .map((task) => task.duration))};
    });
    assert.ok(frames >= 5, `the replay spanned ${frames} animation frames`);
    assert.ok(longest < 200, `no task of the replay took 200 ms or more (the longest: ${longest} ms)`);
    const animate = await page.page.evaluate(() =>
      window.logged.filter((items) => items.length === 1 && items[0] === 'Animate ').length);
    assert.equal(animate, 51200, 'each line is its own console.log call');
    const panel = (await page.panelText()).split('\n');
    assert.equal(panel.length, 500);
    assert.ok(panel.every((line) => line === 'Animate '), 'the panel keeps the latest lines');
    await page.page.close();
  });
});

describe('the link to this moment', () => {
  const SEED = Number(process.env.WEB_LINK_SEED || Math.floor(Math.random() * 2 ** 31));

  test(`keys, animation and a drag become a link to the same picture and state (WEB_LINK_SEED=${SEED})`,
       async () => {
    const random = seededRandom(SEED);
    const first = await openAt(`${SITE}/complete/#t%20%2B30`);
    await first.replayEnded();
    const commandKeys = await first.commandKeysButQuit();
    let quads = true;
    for (let n = 0; n < 40; ++n) {
      const keys = random(4) === 0 ? KEYS_OUTSIDE : commandKeys;
      const key = keys[random(keys.length)];
      await first.type(key);
      if (key === 'f') quads = !quads;
      if (random(5) === 0) await first.frames(1 + random(6));  // animating, sometimes
    }
    // With the quads off, the particles and normals are lit by the normal of
    // the last quad an earlier frame drew, which no script carries: the
    // pictures are compared with the quads on.
    if (!quads) await first.type('f');
    // A drag on the sheet while it steps.
    await first.type('s');
    await first.frames(2);
    await first.page.mouse.move(320, 240);
    await first.page.mouse.down();
    for (let n = 1; n <= 4; ++n) {
      await first.page.mouse.move(320 + 15 * n, 240 - 10 * n);
      await first.type('s');
      await first.frames(2);
    }
    await first.page.mouse.up();
    await first.type('s');  // animating stops: the picture holds still
    await first.frames(3);

    const context = browser.defaultBrowserContext();
    await context.overridePermissions(SITE, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    await first.page.click('#moment-link');
    assert.match(await first.status(), /address bar and on the clipboard/);
    const address = first.page.url();
    assert.equal(await first.page.evaluate(() => navigator.clipboard.readText()), address);
    assert.match(address, /#t%20%2B30%20/, 'the link\'s own script comes first');
    assert.match(address, /%20place%20/, 'the hand placed the particle on the sheet that stood still');
    const picture = await first.canvasPicture();

    const second = await openAt(address);
    await second.replayEnded();
    await second.frames(3);
    assert.equal(second.transcript(), first.transcript(), 'the replay wrote the first page\'s lines');
    const comparison = comparePictures(picture, await second.canvasPicture());
    assert.equal(comparison.differing, 0, `${JSON.stringify(comparison)} for ${address}`);
    // The same state: the next keys write the same lines on both pages.
    const next = ['s', ']', 's', '-', 's', '3', 'r', 's', 't'];
    // A page in the background gets no animation frames: one in front at a time.
    const linesAfter = async (page) => {
      await page.page.bringToFront();
      const before = page.transcript().length;
      for (const key of next) {
        await page.type(key);
        await page.frames(2);
      }
      return page.transcript().slice(before);
    };
    assert.equal(await linesAfter(second), await linesAfter(first));
    const firstAfter = await first.canvasPicture();
    await second.page.bringToFront();
    assert.equal(comparePictures(firstAfter, await second.canvasPicture()).differing, 0);
    await first.page.close();
    await second.page.close();
  });

  test('a refused clipboard still leaves the link in the address bar, and an ended page makes none', async () => {
    const page = await openAt(`${SITE}/complete/`);
    await page.page.evaluate(() => {
      navigator.clipboard.writeText = () => Promise.reject(new DOMException('refused', 'NotAllowedError'));
    });
    await page.type('t');
    await page.type('n');
    await page.page.click('#moment-link');
    assert.match(await page.status(), /in the address bar: copy it from there/);
    assert.equal(new URL(page.page.url()).hash, '#t%20n');
    await page.type('q');
    assert.equal(await page.page.$eval('#moment-link', (button) => button.disabled), true);
    await page.page.close();
  });
});
