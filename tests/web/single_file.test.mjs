// vantrelle.html, the one file that opens from a disk: it weighs under 1 MB,
// and a browser that cannot inflate the textures inside says so instead of
// starting. That it runs from a file: address with the served site's lines,
// picture and links is tested in every engine (engines.test.mjs).
import assert from 'node:assert/strict';
import {statSync} from 'node:fs';
import {after, before, describe, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {launchBrowser, VantrellePage} from './browser.mjs';

const FILE = process.env.SINGLE_FILE;

let browser;
before(async () => {
  browser = await launchBrowser('llvmpipe');
});
after(async () => browser?.close());

describe('the single file', () => {
  test('weighs under 1 MB', () => {
    const bytes = statSync(FILE).size;
    console.log(`vantrelle.html: ${(bytes / 1024).toFixed(0)} KiB`);
    assert.ok(bytes < 1024 * 1024, `${bytes} bytes`);
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
