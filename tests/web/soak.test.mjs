// The page under random keys for a stretch (WEB_SOAK_SECONDS, default 30):
// keys from the whole command table but q, keys outside it, and runs that
// reach the odd states on purpose, as the desktop soak presses them. Checked
// at the end: the page is alive and still drawing, its JavaScript heap stayed
// within a small bound, and its lines are exactly the lines the desktop
// program writes for the same keys.
import assert from 'node:assert/strict';
import {test} from 'node:test';

import {launchBrowser, sleep, VantrellePage} from './browser.mjs';
import {DesktopProgram} from './desktop.mjs';
import {OTHER_KEYS, seededRandom} from './random_input.mjs';

const SECONDS = Number(process.env.WEB_SOAK_SECONDS || 30);
const SEED = Number(process.env.WEB_SOAK_SEED || Math.floor(Math.random() * 2 ** 31));
const EXCURSIONS = [
  '='.repeat(12),         // stiffness above 1
  '-'.repeat(25),         // below 0
  '='.repeat(11) + 'r',   // back near the start, laid out again
  '[[[', ']]]',           // time step 0, then negative, and back
  '6'.repeat(16),         // the eye through the point it looks at
  '5'.repeat(16),         // and back
  '2aaa', '1',            // released and animating, pinned again
  'fnp', 'fnpfnp', 'rs',  // every layer switched; reset and a step
];
// Growth of the live JavaScript heap after warm-up.
const HEAP_BOUND_BYTES = 4 * 1024 * 1024;

test(`${SECONDS} seconds of random keys (WEB_SOAK_SEED=${SEED} replays them)`, {timeout: (SECONDS + 240) * 1000},
     async () => {
  const random = seededRandom(SEED);
  const browser = await launchBrowser('llvmpipe');
  let typed = '';
  let page;
  try {
    page = await VantrellePage.open(browser, '/complete/');
    assert.ok(await page.waitForTranscript((text) => text.split('\n').length > 10));
    const commandKeys = await page.commandKeysButQuit();
    const session = await page.page.createCDPSession();
    const heapUsed = async () => {
      await session.send('HeapProfiler.collectGarbage');
      return (await session.send('Runtime.getHeapUsage')).usedSize;
    };
    const press = async (key) => {
      await page.type(key);
      typed += key;
    };
    await press('a');
    const start = Date.now();
    const heap = [];
    let nextSample = start + Math.min(10, SECONDS / 3) * 1000;
    while (Date.now() - start < SECONDS * 1000) {
      const choice = random(100);
      if (choice < 70) await press(commandKeys[random(commandKeys.length)]);
      else if (choice < 85) await press(OTHER_KEYS[random(OTHER_KEYS.length)]);
      else for (const key of EXCURSIONS[random(EXCURSIONS.length)]) await press(key);
      await sleep(2 + random(24));
      if (Date.now() >= nextSample) {
        heap.push(await heapUsed());
        nextSample += 2000;
      }
    }
    console.log(`${typed.length} keys typed; live heap after warm-up (KiB): ` +
                heap.map((bytes) => Math.round(bytes / 1024)).join(' '));
    assert.deepEqual(page.errors, []);
    assert.doesNotMatch(await page.status(), /exit status|stopped/, 'the program is still running');
    const frames = await page.page.evaluate(() => new Promise((resolve) => {
      let count = 0;
      const start = performance.now();
      const next = () => (performance.now() - start < 1000 ? (++count, requestAnimationFrame(next)) : resolve(count));
      requestAnimationFrame(next);
    }));
    assert.ok(frames > 5, `the page still draws (${frames} frames in a second)`);
    assert.ok(heap.length >= 2, 'enough heap samples');
    assert.ok(Math.max(...heap) - heap[0] <= HEAP_BOUND_BYTES,
              `the heap grew by ${Math.max(...heap) - heap[0]} bytes after warm-up`);
  } finally {
    await browser.close();
  }

  // The desktop program's lines for the same keys are the expected ones.
  const desktop = new DesktopProgram();
  assert.ok(await desktop.waitFor((output) => output.split('\n').length > 10));
  await desktop.start();
  await desktop.typeAll(typed);
  assert.equal(await desktop.quit(), 0);
  const expected = desktop.output;
  const written = page.transcript();
  if (written !== expected) {
    let at = 0;
    while (at < written.length && written[at] === expected[at]) ++at;
    const line = expected.slice(0, at).split('\n').length;
    assert.fail(`line ${line} differs: expected "${expected.split('\n')[line - 1]}", ` +
                `written "${written.split('\n')[line - 1]}" (${written.split('\n').length} lines written, ` +
                `${expected.split('\n').length} expected)`);
  }
  console.log(`${written.split('\n').length - 1} lines, the desktop program's exactly`);
});
