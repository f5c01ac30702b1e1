// vantrelle.html, the one file that opens from a disk: opened as a file:
// address it runs the program with its lines, its picture and its links as
// the served site does; it weighs under 1 MB; and a browser that cannot
// inflate the textures inside says so instead of starting.
import assert from 'node:assert/strict';
import {statSync} from 'node:fs';
import {after, before, describe, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {launchBrowser, SITE, VantrellePage} from './browser.mjs';
import {comparePictures} from './pictures.mjs';

const FILE = process.env.SINGLE_FILE;
const LINK = '#t%20t%20%2B150%202';

let browser;
before(async () => {
  browser = await launchBrowser('llvmpipe');
});
after(async () => browser?.close());

async function openAt(address) {
  const page = await VantrellePage.started(browser, address);
  await page.replayEnded();
  await page.frames(3);
  return page;
}

describe('the single file', () => {
  test('weighs under 1 MB', () => {
    const bytes = statSync(FILE).size;
    console.log(`vantrelle.html: ${(bytes / 1024).toFixed(0)} KiB`);
    assert.ok(bytes < 1024 * 1024, `${bytes} bytes`);
  });

  test('opened from a disk, a link gives the served site\'s lines and picture, and keys go on', async () => {
    const site = await openAt(`${SITE}/complete/${LINK}`);
    const expectedLines = site.transcript();
    const expected = await site.canvasPicture();
    await site.page.close();

    const page = await openAt(pathToFileURL(FILE).href + LINK);
    assert.equal(page.transcript(), expectedLines);
    const comparison = comparePictures(expected, await page.canvasPicture());
    assert.equal(comparison.differing, 0, JSON.stringify(comparison));
    await page.type('t');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Texture is 3\n')), page.transcript());
    assert.deepEqual(page.errors, []);
    await page.page.close();
  });

  test('a browser without DecompressionStream gets one clear message', async () => {
    const page = new VantrellePage(await browser.newPage());
    await page.page.evaluateOnNewDocument(() => delete window.DecompressionStream);
    await page.page.goto(pathToFileURL(FILE).href);
    await page.page.waitForFunction(() => document.getElementById('status').textContent !== 'Loading…');
    assert.match(await page.status(), /cannot unpack the textures inside this file/);
    assert.equal(await page.page.$eval('#key-bar', (bar) => bar.hidden), true);
    assert.deepEqual(page.lines, []);
    await page.page.close();
  });
});
