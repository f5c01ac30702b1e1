// The served site in one engine (ENGINE: chromium, firefox or webkit),
// against the desktop program on the same X server: the same console lines
// for the same keys, the exits, broken textures, bad links, a lost WebGL
// context, a mouse pulling the sheet, the single file opened from a disk,
// what axe-core finds, and the pictures. Pictures are compared on Mesa's llvmpipe, the
// rasteriser the desktop program draws with here: the canvas after the same
// keys and steps against the desktop window, with the generator's textures
// and with two sets the tests write, and the first frame of a link against
// the recorder's last frame of the same script. Both counts are printed:
// pixels that differ at all, and pixels off by more than 2.
import assert from 'node:assert/strict';
import path from 'node:path';
import {after, before, describe, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {openEngine, SITE} from './browser.mjs';
import {DesktopProgram, recordedLastFrame} from './desktop.mjs';
import {comparePictures, judgeComparison, LINKS, litFraction} from './pictures.mjs';
import {OTHER_KEYS, seededRandom} from './random_input.mjs';
import {GRAB, lightTheSheet, RELEASE, stepsPulling} from './sheet_drag.mjs';
import {TEXTURE_SETS} from './texture_sets.mjs';

const ENGINE = process.env.ENGINE || 'chromium';
const SERVED_DIR = process.env.SERVED_DIR;
const WIDTH = Number(process.env.SCREEN_WIDTH || 640);
const HEIGHT = Number(process.env.SCREEN_HEIGHT || 480);

// Every command but the stepping and quitting keys, keys outside the table
// between them (capitals included: only Q is a command), and ten presses of
// the stiffness key, whose last line is in exponent notation.
const SESSION = ['a', 's', '-', '=', '3', '4', '5', '6', ']', '[', 'f', 'f', 'n', 'p', '2', '1', 't',
                 'b', '0', '+', 'A', 'F', 'N', 'P', 'R', 'S', 'T', 'r', ...'----------'];

// Layers, a turn, two textures and a swinging sheet.
const KEYS = ['t', 't', '3', 'p', 'n', 's', 's', 's', 's', 's', 's', 's'];

let engine;
let loaderLines;  // the desktop's start-up lines
let desktopLines;  // the lines of each key of SESSION, as the desktop wrote them

before(async () => {
  // The engine first: one that cannot start says so before anything else.
  engine = await openEngine(ENGINE);
  console.log(`${ENGINE}: ${engine.version}`);
  const desktop = new DesktopProgram();
  assert.ok(await desktop.waitFor((output) => output.split('\n').length > 10), desktop.output);
  await desktop.start();
  loaderLines = desktop.output;
  desktopLines = [];
  for (const key of SESSION) desktopLines.push(await desktop.linesOf(key));
  assert.equal(await desktop.quit(), 0);
});

after(async () => {
  await engine?.close();
});

async function startedPage(site = '/complete/') {
  const page = await engine.open(SITE + site, {width: WIDTH, height: HEIGHT});
  assert.ok(await page.waitForTranscript((text) => text.startsWith(loaderLines)), page.transcript());
  await page.replayEnded();
  await page.frames();
  return page;
}

const judge = (what, comparison) => judgeComparison(`${ENGINE}, ${what}`, comparison);

describe(`keys in ${ENGINE}`, () => {
  test('every command key writes the desktop program\'s line, and no other key writes one', async () => {
    assert.equal(loaderLines.split('\n').length, 11, loaderLines);
    const page = await startedPage();
    let expected = loaderLines;
    for (const [index, key] of SESSION.entries()) {
      await page.type(key);
      expected += desktopLines[index];
      if (desktopLines[index] === '') await page.frames(2);
      assert.ok(await page.waitForTranscript((text) => text.length >= expected.length, 5),
                `after key ${key}: ${page.transcript()}`);
      assert.equal(page.transcript(), expected, `after key ${key}`);
    }
    assert.match(desktopLines.at(-1), /^Sping Constant = -3\.65078e-08\n$/);
    assert.equal(await page.panelText(), expected.trimEnd(), 'the console panel shows the same lines');
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  for (const key of ['q', 'Q']) {
    test(`${key} ends the program with exit status 0 and stops its loop`, async () => {
      const page = await startedPage();
      await page.type('a');
      await page.type(key);
      assert.match(await page.status(), /exit status 0/);
      assert.match(await page.status(), /Reload the page/);
      const ended = page.transcript();
      await page.frames(3);
      const still = await page.canvasPicture();
      await page.type('t');
      await page.frames(3);
      assert.equal(page.transcript(), ended, 'no key reaches an ended program');
      assert.equal(comparePictures(still, await page.canvasPicture()).differing, 0,
                   'the sheet no longer moves');
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

describe(`start-up in ${ENGINE}`, () => {
  const BROKEN_LEAVES = [
    ['missing-leaf', 'File Not Found : leaf.bmp'],
    ['truncated-leaf', 'Error reading image data from leaf.bmp.'],
    ['8-bit-leaf', 'Bpp from leaf.bmp is not 24: 8'],
  ];
  for (const [site, message] of BROKEN_LEAVES) {
    test(`a leaf.bmp that is ${site.replace('-leaf', '')} ends start-up with "${message}" and exit status 1`,
         async () => {
      const page = await engine.open(`${SITE}/${site}/`, {width: WIDTH, height: HEIGHT});
      const firstFour = loaderLines.split('\n').slice(0, 4).join('\n') + '\n';
      const expected = firstFour + message + '\n';
      assert.ok(await page.waitForTranscript((text) => text.length >= expected.length), page.transcript());
      await page.frames(2);
      assert.equal(page.transcript(), expected);
      assert.match(await page.status(), /exit status 1/);
      assert.ok((await page.panelText()).endsWith(message), await page.panelText());
      await page.close();
    });
  }

  const BAD_LINKS = [
    ['#t%20%2B0%20t', 'script token \'+0\' is not a number of steps from +1 to +1000000'],
    ['#t%20ab', 'unknown script token \'ab\''],
    ['#%zz', 'not valid percent-encoding'],
  ];
  for (const [fragment, message] of BAD_LINKS) {
    test(`a bad link script (${fragment}) is refused with its message; the program starts as usual`, async () => {
      const page = await startedPage('/complete/' + fragment);
      const status = await page.status();
      assert.ok(status.startsWith('Link script refused: ') && status.includes(message), status);
      assert.equal(page.transcript(), loaderLines, 'nothing of the script was played');
      await page.type('t');
      assert.ok(await page.waitForTranscript((text) => text.endsWith('Texture is 1\n')), page.transcript());
      await page.close();
    });
  }

  test('a lost WebGL context comes back with the same picture, the sheet untouched', async (t) => {
    const page = await startedPage('/complete/#t%20t%20n%20%2B40');
    if (!(await page.canLoseContext())) {
      await page.close();
      t.skip(`${ENGINE} offers no WEBGL_lose_context`);
      return;
    }
    const before = await page.canvasPicture();
    await page.evaluate(() => {
      window.lostContext = document.getElementById('canvas').getContext('webgl2').getExtension('WEBGL_lose_context');
      window.lostContext.loseContext();
    });
    await page.frames(5);
    await page.evaluate(() => window.lostContext.restoreContext());
    await page.frames(5);
    const comparison = comparePictures(before, await page.canvasPicture());
    assert.equal(comparison.differing, 0, JSON.stringify(comparison));
    await page.type('s');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Step Through \n')));
    await page.frames(3);
    assert.ok(comparePictures(before, await page.canvasPicture()).differing > 0, 'the sheet steps on');
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

describe(`pictures in ${ENGINE} on llvmpipe`, () => {
  const SETS = [
    ['the generator\'s textures', 'complete', process.env.TEXTURES_DIR],
    ...TEXTURE_SETS.map((set) => [set.replace('-', ' '), set, path.join(SERVED_DIR, set, 'textures')]),
  ];
  for (const [what, site, texturesDir] of SETS) {
    test(`with ${what}, the canvas after the same keys and steps is the desktop window`, async () => {
      const desktop = new DesktopProgram(texturesDir);
      assert.ok(await desktop.waitFor((output) => output.split('\n').length > 10), desktop.output);
      await desktop.start();
      for (const key of KEYS) await desktop.linesOf(key);
      // The markers' turn and back leave the angle as the keys set it.
      const expected = await desktop.picture();
      assert.equal(await desktop.quit(), 0);
      assert.equal(expected.width, WIDTH);

      const page = await startedPage(`/${site}/`);
      for (const key of KEYS) {
        await page.type(key);
        await page.frames(2);
      }
      const renderer = await page.renderer();
      console.log(`${ENGINE}: WebGL renderer "${renderer}"`);
      // WebKit names every renderer "Apple GPU".
      if (ENGINE !== 'webkit') assert.match(renderer, /llvmpipe/);
      const picture = await page.canvasPicture();
      assert.ok(litFraction(picture) > 0.02, 'the sheet and the box are drawn');
      judge(`${what}, keys and steps, desktop window vs canvas`, comparePictures(expected, picture));
      await page.close();
    });
  }

  for (const script of LINKS) {
    test(`the first frame of the link "${script}" is the recorder's last frame`, async () => {
      const expected = recordedLastFrame(script, WIDTH, HEIGHT);
      const page = await startedPage('/complete/#' + encodeURIComponent(script));
      const picture = await page.canvasPicture();
      assert.ok(litFraction(picture) > 0.02, 'the sheet and the box are drawn');
      judge(`link "${script}", recorder vs canvas`, comparePictures(expected, picture));
      await page.close();
    });
  }
});

describe(`accessibility in ${ENGINE}`, () => {
  // A phone's width (its small-screen layout: the panels start folded;
  // WebKit's window is 447 pixels wide at the least) and the test screen's
  // whole size.
  const PHONE_WIDTH = ENGINE === 'webkit' ? 480 : 390;
  const SIZES = [['a phone\'s width', {width: PHONE_WIDTH, height: HEIGHT}],
                 ['the screen', {width: WIDTH, height: HEIGHT}]];
  for (const [what, size] of SIZES) {
    test(`axe-core finds nothing at ${what} (${size.width} x ${size.height}), panels open and folded, ` +
         'with a notice', async () => {
      const page = await engine.open(SITE + '/complete/#nonsense', size);
      assert.ok(await page.waitForTranscript((text) => text.startsWith(loaderLines)), page.transcript());
      await page.replayEnded();
      assert.match(await page.status(), /Link script refused/);
      for (const state of ['as it starts, with the notice', 'the panels toggled, the notice closed']) {
        assert.deepEqual(await page.axeFindings(), [], state);
        await page.evaluate(() => {
          for (const id of ['key-bar-toggle', 'console-toggle', 'lab-toggle', 'readout-toggle', 'status-close']) {
            document.getElementById(id).click();
          }
        });
      }
      assert.equal(await page.status(), '', 'the close button closed the notice');
      await page.close();
    });
  }
});

describe(`the mouse in ${ENGINE}`, () => {
  test('a mouse drag grabs, pulls and releases the sheet', async () => {
    // One page at a time: a page in the background gets no animation frames.
    const untouched = await startedPage();
    await lightTheSheet(untouched);
    await stepsPulling(untouched);
    const unpulled = await untouched.canvasPicture();
    await untouched.close();
    const page = await startedPage();
    const at = await lightTheSheet(page);
    await page.mouseMove(at.x, at.y);
    await page.mouseDown();
    assert.ok(await page.waitForTranscript((text) => GRAB.test(text)), page.transcript());
    const grab = page.transcript().match(GRAB);
    await stepsPulling(page, (n) => page.mouseMove(at.x + 30 * n, at.y - 20 * n));
    await page.mouseUp();
    assert.ok(await page.waitForTranscript((text) => RELEASE.test(text)), page.transcript());
    const release = page.transcript().match(RELEASE);
    assert.equal(release[1], grab[1], 'the particle taken hold of is the one let go');
    assert.notDeepEqual(release.slice(2), grab.slice(2), 'the hand moved');
    const pulled = comparePictures(unpulled, await page.canvasPicture());
    assert.ok(pulled.differing > pulled.pixels / 100, JSON.stringify(pulled));
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

describe(`the lab by the pointer in ${ENGINE}`, () => {
  test('pressed on, the ball is carried; with the cut tool, a stroke cuts the sheet', async () => {
    const page = await startedPage('/complete/#' + encodeURIComponent('ball:45,60,12,8 s'));
    const at = await lightTheSheet(page);
    const ball = await page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const box = canvas.getBoundingClientRect();
      return [Math.round(box.left + Module._vantrelleBallWindowX() * box.width / canvas.width),
              Math.round(box.top + Module._vantrelleBallWindowY() * box.height / canvas.height)];
    });
    await page.mouseMove(...ball);
    await page.mouseDown();
    for (let n = 1; n <= 4; ++n) await page.mouseMove(ball[0] + 8 * n, ball[1] - 6 * n);
    await page.mouseUp();
    assert.ok(await page.waitForTranscript((text) => /Grab = ball at .*\nRelease = ball at .*\n$/.test(text)),
              page.transcript());

    await page.evaluate(() => document.getElementById('cut-tool').click());
    await page.mouseMove(at.x - 30, at.y - 30);
    await page.mouseDown();
    for (let n = 1; n <= 6; ++n) await page.mouseMove(at.x - 30 + 10 * n, at.y - 30 + 10 * n);
    await page.mouseUp();
    assert.ok(await page.waitForTranscript((text) => /Cut = \d+\n$/.test(text)), page.transcript());
    assert.doesNotMatch(page.transcript(), /Grab = \d/, 'the cut took hold of no particle');
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

// Random sessions (keys, drags, lab settings) turned into a link by the link
// button: opened fresh, the link gives the same sheet (its OBJ, every
// position to the last digit), the same lines and the same picture.
// LINK_FUZZ_SEED replays a run; LINK_FUZZ_SESSIONS sets how many.
const LINK_FUZZ_SEED = Number(process.env.LINK_FUZZ_SEED || Math.floor(Math.random() * 2 ** 31));
const LINK_FUZZ_SESSIONS = Number(process.env.LINK_FUZZ_SESSIONS || 3);
// Not f: with the quads hidden, the particles and markers take their texel
// from the texture bound last, which a live page binds at the frames it
// happens to draw between keys and a link's replay, drawing none, does not.
const FUZZ_KEYS = [...'as-=[]3456 12rnpt', 'b', 'A'];
const FUZZ_LAB = ['wind:0,0,0.01', 'wind:0.004,0,-0.006', 'ball:45,40,12,8', 'ball:off', 'tear:2', 'tear:off',
                  'passes:3', 'passes:1', 'damping:0.95', 'gravity:0.002,-0.01,0', 'stretch:on', 'stretch:off'];

describe(`links of random sessions in ${ENGINE} (LINK_FUZZ_SEED=${LINK_FUZZ_SEED})`, () => {
  for (let session = 0; session < LINK_FUZZ_SESSIONS; ++session) {
    test(`session ${session + 1}: its link opens to the same sheet, lines and picture`, async () => {
      const random = seededRandom(LINK_FUZZ_SEED + session);
      const page = await startedPage();
      const at = await lightTheSheet(page);
      const done = [];
      for (let action = 0; action < 14; ++action) {
        const kind = random(10);
        if (kind < 6) {
          const key = FUZZ_KEYS[random(FUZZ_KEYS.length)];
          if (key === ' ') continue;
          await page.type(key);
          done.push(key);
        } else if (kind < 8) {
          const token = FUZZ_LAB[random(FUZZ_LAB.length)];
          await page.evaluate((text) => Module.ccall('vantrelleLiveLabToken', 'number', ['string'], [text]), token);
          done.push(token);
        } else {
          const [dx, dy] = [random(80) - 40, random(80) - 40];
          await page.mouseMove(at.x, at.y);
          await page.mouseDown();
          for (let n = 1; n <= 3; ++n) await page.mouseMove(at.x + dx * n, at.y + dy * n);
          await page.mouseUp();
          done.push(`drag ${dx},${dy}`);
        }
        await page.frames(2);
      }
      // Stopped, so that the two sheets stand still where they are compared.
      await page.type('s');
      await page.frames(3);
      await page.evaluate(() => document.getElementById('moment-link').click());
      const hash = await page.evaluate(() => location.hash);
      const expected = {sheet: await page.evaluate(() => Module.UTF8ToString(Module._vantrelleSheetObj())),
                        lines: page.transcript(), picture: await page.canvasPicture()};
      assert.deepEqual(page.errors, []);
      await page.close();

      const again = await startedPage('/complete/' + hash);
      await again.frames(3);
      const what = `${done.join(' ')} (link ${decodeURIComponent(hash)})`;
      assert.equal(await again.evaluate(() => Module.UTF8ToString(Module._vantrelleSheetObj())), expected.sheet, what);
      assert.equal(again.transcript(), expected.lines, what);
      const comparison = comparePictures(expected.picture, await again.canvasPicture());
      assert.equal(comparison.differing, 0, `${what}: ${JSON.stringify(comparison)}`);
      assert.deepEqual(again.errors, []);
      await again.close();
    });
  }
});

// Random keys (the table's and others), drags that start on and off the
// sheet, lab settings, the keyboard hand, the link button, a lost and
// restored context, and (where the engine's page can be resized) resizes,
// some in the middle of a drag, for WEB_POINTER_SOAK_SECONDS (60 unless
// set); WEB_POINTER_SOAK_SEED replays a run. Checked: no page error, every
// command and setting wrote its line and nothing else wrote one but the
// hand, whose every Grab had its Release and which held nothing after any,
// and the program's memory did not grow.
const POINTER_SOAK_SECONDS = Number(process.env.WEB_POINTER_SOAK_SECONDS || 60);
const POINTER_SOAK_SEED = Number(process.env.WEB_POINTER_SOAK_SEED || Math.floor(Math.random() * 2 ** 31));
const SOAK_LAB = [...FUZZ_LAB, 'cut:-100,62,-200,300,62,-200,100,62,300', 'wind:0,0,0'];

describe(`a soak in ${ENGINE} (WEB_POINTER_SOAK_SEED=${POINTER_SOAK_SEED})`, () => {
  test(`${POINTER_SOAK_SECONDS} s of keys, drags, lab settings, the keyboard hand, links, lost contexts and resizes`,
       {timeout: (POINTER_SOAK_SECONDS + 120) * 1000}, async () => {
    const random = seededRandom(POINTER_SOAK_SEED);
    const page = await startedPage();
    const at = await lightTheSheet(page);
    const commandKeys = await page.commandKeysButQuit();
    // Every line the program writes from here, counted in the page.
    await page.evaluate(() => {
      window.soakLines = {all: 0, grab: 0, release: 0};
      const log = console.log;
      console.log = (...args) => {
        const line = String(args[0]);
        window.soakLines.all += 1;
        if (line.startsWith('Grab = ')) window.soakLines.grab += 1;
        if (line.startsWith('Release = ')) window.soakLines.release += 1;
        log(...args);
      };
    });
    const memory = () => page.evaluate(() => Module.HEAP8.length);
    const memoryBefore = await memory();
    const resizable = page.page !== undefined;
    const canLoseContext = await page.canLoseContext();
    // WebDriver names the keys by their code points.
    const keyNamed = (name) => (page.page ? name : {Enter: '\uE007', ArrowRight: '\uE014', ArrowUp: '\uE013'}[name]);
    const clickOn = async (id) => {
      const box = await page.evaluate((element) => {
        const rect = document.getElementById(element).getBoundingClientRect();
        return [Math.round(rect.left + rect.width / 2), Math.round(rect.top + rect.height / 2)];
      }, id);
      await page.mouseMove(...box);
      await page.mouseDown();
      await page.mouseUp();
    };
    let expected = 0;
    let actions = 0;
    const extras = {links: 0, lostContexts: 0, keyboardHands: 0};
    const end = Date.now() + POINTER_SOAK_SECONDS * 1000;
    while (Date.now() < end) {
      ++actions;
      const kind = random(20);
      if (kind < 10) {
        const keys = kind < 8 ? commandKeys : OTHER_KEYS;
        const key = keys[random(keys.length)];
        await page.pressKey(key);
        if (commandKeys.includes(key)) ++expected;
      } else if (kind === 13 && random(3) === 0) {
        const extra = random(3);
        if (extra === 0) {
          await clickOn('moment-link');
          ++extras.links;
        } else if (extra === 1 && canLoseContext) {
          await page.evaluate(() => {
            window.soakContext = document.getElementById('canvas').getContext('webgl2')
              .getExtension('WEBGL_lose_context');
            window.soakContext.loseContext();
          });
          await page.frames(2);
          await page.evaluate(() => window.soakContext.restoreContext());
          await page.frames(2);
          ++extras.lostContexts;
        } else {
          // The keyboard hand: takes the particle it aims at (if one is
          // drawn near), pulls, lets go. Where the first Enter found none,
          // the arrows aim elsewhere and the second may take one: a third
          // lets go.
          const held = () => page.evaluate(() => Module._vantrelleHeldParticle());
          await page.evaluate(() => document.getElementById('hand').focus());
          await page.pressKey(keyNamed('Enter'));
          for (let n = 0; n < 3; ++n) await page.pressKey(keyNamed(random(2) ? 'ArrowRight' : 'ArrowUp'));
          await page.pressKey(keyNamed('Enter'));
          if ((await held()) >= 0) await page.pressKey(keyNamed('Enter'));
          await page.evaluate(() => document.getElementById('hand').blur());
          assert.equal(await held(), -1, 'the keyboard hand let go');
          ++extras.keyboardHands;
        }
      } else if (kind < 13) {
        const token = SOAK_LAB[random(SOAK_LAB.length)];
        const lines = await page.evaluate((text) => {
          const before = window.soakLines.all;
          Module.ccall('vantrelleLiveLabToken', 'number', ['string'], [text]);
          return window.soakLines.all - before;
        }, token);
        // A cut that meets no spring says nothing; every other setting one line.
        if (!token.startsWith('cut:')) assert.equal(lines, 1, token);
        expected += lines;
      } else {
        // On the sheet or anywhere in the window, and sometimes resized midway.
        const [x, y] = random(2) ? [at.x, at.y] : [random(WIDTH), random(HEIGHT)];
        await page.mouseMove(x, y);
        await page.mouseDown();
        for (let n = 1; n <= 3; ++n) await page.mouseMove(Math.max(0, Math.min(WIDTH - 1, x + 15 * n)),
                                                           Math.max(0, Math.min(HEIGHT - 1, y - 10 * n)));
        if (resizable && random(4) === 0) {
          await page.page.setViewport({width: WIDTH - random(200), height: HEIGHT - random(150)});
          await page.page.setViewport({width: WIDTH, height: HEIGHT});
        }
        await page.mouseUp();
        assert.equal(await page.evaluate(() => Module._vantrelleHeldParticle()), -1, 'nothing held after a release');
      }
      if (actions % 25 === 0) await page.frames(1);
    }
    await page.frames(3);
    const lines = await page.evaluate(() => window.soakLines);
    console.log(`${ENGINE} soak: ${actions} actions (${extras.links} link buttons, ${extras.lostContexts} lost ` +
                `contexts, ${extras.keyboardHands} keyboard hands), ${lines.all} lines (${lines.grab} grabs), ` +
                `memory ${memoryBefore} -> ${await memory()} bytes`);
    assert.equal(lines.grab, lines.release, 'every grab let go');
    assert.equal(lines.all, expected + lines.grab + lines.release, 'a line for every command and setting');
    assert.equal(await memory(), memoryBefore, 'the program\'s memory did not grow');
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

describe(`the single file in ${ENGINE}`, () => {
  const LINK = '#t%20t%20%2B150%202';
  test('opened from a disk, a link gives the served site\'s lines and picture, and keys go on', async () => {
    const site = await startedPage('/complete/' + LINK);
    const expectedLines = site.transcript();
    const expected = await site.canvasPicture();
    await site.close();

    const page = await engine.open(pathToFileURL(process.env.SINGLE_FILE).href + LINK, {width: WIDTH, height: HEIGHT});
    assert.ok(await page.waitForTranscript((text) => text.length >= expectedLines.length), page.transcript());
    await page.replayEnded();
    await page.frames(3);
    assert.equal(page.transcript(), expectedLines);
    const comparison = comparePictures(expected, await page.canvasPicture());
    assert.equal(comparison.differing, 0, JSON.stringify(comparison));
    await page.type('t');
    assert.ok(await page.waitForTranscript((text) => text.endsWith('Texture is 3\n')), page.transcript());
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});
