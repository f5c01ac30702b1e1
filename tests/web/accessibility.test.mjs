// The page for a screen reader and for the keyboard, in Chromium: what its
// accessibility tree names and describes, what is announced as the program
// writes, keys that keep their focus, and notices that go.
import assert from 'node:assert/strict';
import {after, before, describe, test} from 'node:test';

import {launchBrowser, sleep, VantrellePage} from './browser.mjs';
import {GRAB, lightTheSheet} from './sheet_drag.mjs';

let browser;
before(async () => {
  browser = await launchBrowser('llvmpipe');
});
after(async () => browser?.close());

async function startedPage(fragment = '') {
  const page = await VantrellePage.open(browser, '/complete/' + fragment);
  assert.ok(await page.waitForTranscript((text) => text.split('\n').length > 10), page.transcript());
  await page.replayEnded();
  await page.frames();
  return page;
}

// The tree as a screen reader gets it, flattened.
async function accessibleNodes(page) {
  const nodes = [];
  const walk = (node) => {
    nodes.push(node);
    for (const child of node.children || []) walk(child);
  };
  walk(await page.page.accessibility.snapshot());
  return nodes;
}

const announced = (page) => page.evaluate(() => document.getElementById('announcer').textContent.trim());

describe('for a screen reader', () => {
  test('the tree has a main region, the canvas as a described picture, and controls named as words',
       async () => {
    const page = await startedPage();
    let nodes = await accessibleNodes(page);
    assert.ok(nodes.some((node) => node.role === 'main'), 'a main region');
    const buttons = nodes.filter((node) => node.role === 'button').map((node) => node.name);
    for (const name of ['animate, key a', 'one step, key s', 'next texture, key t', 'quit, key q',
                        'hide the console', 'hide keys', 'link', 'full screen'])
      assert.ok(buttons.includes(name), `a button named "${name}" among ${buttons.join(' | ')}`);
    const picture = () => nodes.find((node) => node.role === 'image' && node.name === 'The cloth');
    assert.match(picture().description, /hanging from 2 pins; quads shown, particles and normals hidden, with the heat ripple texture\. Stopped after 0 steps/);
    for (const key of ['2', 'p', 't', 's']) await page.type(key);
    await sleep(1100);  // the step the last key asked for is told within a second
    await page.frames(2);
    nodes = await accessibleNodes(page);
    assert.match(picture().description, /pinned nowhere; quads and particles shown, normals hidden, with the cloth texture\. Stopped after 1 step\./);
    await page.page.click('#console-toggle');
    nodes = await accessibleNodes(page);
    const toggle = nodes.find((node) => node.name === 'show the console');
    assert.ok(toggle && toggle.expanded !== true, 'the folded console\'s toggle says what it opens, not expanded');
    await page.page.close();
  });

  test('new lines are announced in batches with fewer digits, and a link by its outcome', async () => {
    const page = await startedPage();
    await page.type('t');
    assert.equal(await announced(page), 'Texture is 1');
    const at = await lightTheSheet(page);
    await page.page.mouse.move(at.x, at.y);
    await page.page.mouse.down();
    assert.ok(await page.waitForTranscript((text) => GRAB.test(text)), page.transcript());
    await page.page.mouse.up();
    await page.frames(1);
    // The exact line keeps its digits; what is said has two decimals at most.
    const [, particle] = GRAB.exec(page.transcript().split('Release')[0]);
    const spoken = await announced(page);
    assert.match(spoken, new RegExp(`^Release = \\d+ at -?\\d+(\\.\\d{1,2})?, -?\\d+(\\.\\d{1,2})?, ` +
                                    `-?\\d+(\\.\\d{1,2})?$`), spoken);
    assert.ok(particle);
    await page.page.close();

    const linked = await startedPage('#t%20t%20%2B5');
    assert.equal(await announced(linked), 'The link has played: 5 of 5 steps.');
    await linked.page.close();
  });
});

describe('from the keyboard', () => {
  test('Enter and Space press a key button again and again, arrows move along the bar, and none reach ' +
       'the program', async () => {
    const page = await startedPage();
    await page.page.focus('#keys button[data-key="t"]');
    for (const key of ['Enter', 'Enter', ' ']) await page.pressKey(key);
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Texture is 1\nTexture is 2\nTexture is 3\n')),
              page.transcript());
    assert.equal(await page.evaluate(() => document.activeElement.dataset.key), 't', 'the focus stays');
    await page.pressKey('ArrowRight');
    assert.equal(await page.evaluate(() => document.activeElement.dataset.key), 'q');
    await page.pressKey('Home');
    assert.equal(await page.evaluate(() => document.activeElement.dataset.key), 'a');
    await page.pressKey('ArrowLeft');
    assert.equal(await page.evaluate(() => document.activeElement.dataset.key), 'q', 'round to the end');
    await page.frames(2);
    assert.ok(page.transcript().endsWith('Texture is 3\n'), 'the arrows wrote nothing');
    // Tab goes through every control, each with a ring, and out again.
    const rings = [];
    for (let n = 0; n < 40; ++n) {
      await page.pressKey('Tab');
      const at = await page.evaluate(() => {
        const control = document.activeElement;
        const style = getComputedStyle(control);
        return {name: control.dataset.key || control.id || control.tagName,
                ring: style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2};
      });
      if (at.name === 'BODY') continue;
      if (rings.some((seen) => seen.name === at.name)) break;
      rings.push(at);
    }
    assert.ok(rings.length >= 23 && rings.every((control) => control.ring), JSON.stringify(rings));
    await page.page.close();
  });

  test('a notice goes with Escape, with its close button or at the next key; a refused link keeps the hint',
       async () => {
    const page = await startedPage('#nonsense');
    assert.match(await page.status(), /^Link script refused: .*\nPress a/s);
    await page.pressKey('Escape');
    assert.equal(await page.status(), '');
    await page.page.click('#moment-link');
    await page.page.waitForFunction(() => document.getElementById('status-text').textContent !== '');
    await page.page.click('#status-close');
    assert.equal(await page.status(), '');
    await page.page.click('#moment-link');
    await page.page.waitForFunction(() => document.getElementById('status-text').textContent !== '');
    await page.type('t');
    assert.equal(await page.status(), '', 'the key took the notice away');
    await page.page.close();
  });
});

describe('the hand without a drag', () => {
  const GRAB_LINE = /Grab = (\d+) at [-0-9.e]+,[-0-9.e]+,[-0-9.e]+\n/;
  const RELEASE_LINE = /Release = (\d+) at [-0-9.e]+,[-0-9.e]+,[-0-9.e]+\n/;

  test('the keyboard takes the particle nearest the middle, pulls it with the arrows and lets go, ' +
       'as a mouse would', async () => {
    const page = await startedPage();
    await page.type('s');
    await page.frames(2);
    await page.page.focus('#hand');
    assert.equal(await page.evaluate(() => document.getElementById('hand-marker').hidden), false, 'the aim shows');
    await page.pressKey('Enter');
    assert.ok(await page.waitForTranscript((text) => GRAB_LINE.test(text)), page.transcript());
    assert.equal(await page.evaluate(() => document.getElementById('hand').getAttribute('aria-pressed')), 'true');
    await page.page.keyboard.down('Shift');
    for (let n = 0; n < 3; ++n) {
      await page.pressKey('ArrowRight');
      await page.pressKey('ArrowUp');
      await page.type('s');
      await page.frames(2);
    }
    await page.page.keyboard.up('Shift');
    await page.pressKey('Escape');
    assert.ok(await page.waitForTranscript((text) => RELEASE_LINE.test(text)), page.transcript());
    const [, taken] = GRAB_LINE.exec(page.transcript());
    const [, released] = RELEASE_LINE.exec(page.transcript());
    assert.equal(released, taken, 'the same particle');
    const steps = page.transcript().split('Grab')[1].match(/Step Through/g) || [];
    assert.equal(steps.length, 3, 'the arrows wrote no line of their own: ' + page.transcript());
    // The link to this moment carries the drag as the mouse's tokens.
    await page.page.click('#moment-link');
    const link = decodeURIComponent(new URL(page.page.url()).hash.slice(1));
    assert.match(link, new RegExp(`grab:${taken}@\\S+ .*move:\\S+ .*release`));
    await page.page.close();
  });

  test('one tap takes the sheet, the next moves the hand there, a tap on the particle lets go', async () => {
    const page = await startedPage();
    const at = await lightTheSheet(page);
    await page.page.click('#tap-hand');
    await page.page.mouse.click(at.x, at.y);
    assert.ok(await page.waitForTranscript((text) => GRAB_LINE.test(text)), page.transcript());
    await page.frames(2);
    assert.ok(!RELEASE_LINE.test(page.transcript()), 'lifting the finger keeps the hold');
    await page.page.mouse.click(at.x + 60, at.y - 40);
    await page.type('s');
    await page.frames(3);
    assert.ok(!RELEASE_LINE.test(page.transcript()), 'a tap elsewhere moves the hand: ' + page.transcript());
    // Where the held particle is now drawn, in CSS pixels.
    const drawn = await page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const box = canvas.getBoundingClientRect();
      const particle = Module._vantrelleHeldParticle();
      return {x: box.left + Module._vantrelleParticleWindowX(particle) * box.width / canvas.width,
              y: box.top + Module._vantrelleParticleWindowY(particle) * box.height / canvas.height};
    });
    assert.ok(Math.hypot(drawn.x - (at.x + 60), drawn.y - (at.y - 40)) < 6, `drawn at ${JSON.stringify(drawn)}`);
    await page.page.mouse.click(drawn.x, drawn.y);
    assert.ok(await page.waitForTranscript((text) => RELEASE_LINE.test(text)), page.transcript());
    await page.page.close();
  });
});
