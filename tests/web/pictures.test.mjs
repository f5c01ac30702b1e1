// The page's pictures against the desktop's: on Mesa's llvmpipe, the
// rasteriser the desktop program draws with here, the canvas after the same
// keys and steps must be the desktop window of the same size, and the first
// frame of a link the recorder's last frame of the same script. Both counts
// are printed: pixels that differ at all, and pixels off by more than 2.
// SwiftShader (headless Chromium's own renderer) is measured, not judged.
import assert from 'node:assert/strict';
import {after, before, describe, test} from 'node:test';

import {launchBrowser, VantrellePage} from './browser.mjs';
import {DesktopProgram, recordedLastFrame} from './desktop.mjs';
import {comparePictures, litFraction} from './pictures.mjs';

const WIDTH = Number(process.env.SCREEN_WIDTH || 640);
const HEIGHT = Number(process.env.SCREEN_HEIGHT || 480);
// At most this share of the canvas may be off by more than 2 in a channel.
const ALLOWED_OFF = 0.005;

// Layers, a turn, two textures and a swinging sheet.
const KEYS = ['t', 't', '3', 'p', 'n', 's', 's', 's', 's', 's', 's', 's'];
const LINKS = [
  't t +150',
  'f p +200',
  't t t +120 3 n p 2 +40',
  // A hand pulls the nearest corner up and to the right, then lets go.
  't t t t t t t t +40 grab:2024@95,5,20 +10 move:85,30,-10 +10 move:80,60,-45 +15 release +45',
];

function report(what, comparison) {
  console.log(`${what}: ${comparison.differing} of ${comparison.pixels} pixels differ, ` +
              `${comparison.offByMoreThan2} by more than 2`);
}

function judge(what, comparison) {
  report(what, comparison);
  assert.ok(comparison.offByMoreThan2 <= ALLOWED_OFF * comparison.pixels,
            `${comparison.offByMoreThan2} pixels off by more than 2`);
}

async function pageAfterLink(browser, script) {
  const page = await VantrellePage.open(browser, '/complete/#' + encodeURIComponent(script),
                                        {width: WIDTH, height: HEIGHT});
  assert.ok(await page.waitForTranscript((text) => text.split('\n').length > 10), page.transcript());
  await page.replayEnded();
  await page.frames(3);
  return page;
}

describe('on llvmpipe', () => {
  let browser;
  before(async () => {
    browser = await launchBrowser('llvmpipe');
  });
  after(async () => browser?.close());

  test('the canvas after the same keys and steps is the desktop window', async () => {
    const desktop = new DesktopProgram();
    assert.ok(await desktop.waitFor((output) => output.split('\n').length > 10));
    await desktop.start();
    for (const key of KEYS) await desktop.linesOf(key);
    // The markers' turn and back leave the angle as the keys set it.
    const expected = await desktop.picture();
    assert.equal(await desktop.quit(), 0);
    assert.equal(expected.width, WIDTH);

    const page = await VantrellePage.open(browser, '/complete/', {width: WIDTH, height: HEIGHT});
    assert.ok(await page.waitForTranscript((text) => text.split('\n').length > 10));
    await page.frames();
    for (const key of KEYS) {
      await page.type(key);
      await page.frames(2);
    }
    assert.match(await page.renderer(), /llvmpipe/);
    const picture = await page.canvasPicture();
    assert.ok(litFraction(picture) > 0.02, 'the sheet and the box are drawn');
    judge('keys and steps, desktop window vs canvas', comparePictures(expected, picture));
    await page.page.close();
  });

  test('the canvas follows the window\'s size: after a resize it is the recorder\'s frame of that size', async () => {
    const script = 't +60';
    const page = await pageAfterLink(browser, script);
    await page.page.setViewport({width: 500, height: 400});
    await page.frames(3);
    assert.deepEqual(await page.page.$eval('#canvas', (canvas) => [canvas.width, canvas.height]), [500, 400]);
    judge(`link "${script}" at 500 x 400 after a resize, recorder vs canvas`,
          comparePictures(recordedLastFrame(script, 500, 400), await page.canvasPicture()));
    await page.page.close();
  });

  for (const script of LINKS) {
    test(`the first frame of the link "${script}" is the recorder's last frame`, async () => {
      const expected = recordedLastFrame(script, WIDTH, HEIGHT);
      const page = await pageAfterLink(browser, script);
      const picture = await page.canvasPicture();
      assert.ok(litFraction(picture) > 0.02, 'the sheet and the box are drawn');
      judge(`link "${script}", recorder vs canvas`, comparePictures(expected, picture));
      await page.page.close();
    });
  }
});

describe('on SwiftShader (measured only)', () => {
  test('the first frames of the links against the recorder\'s', async () => {
    const browser = await launchBrowser('swiftshader');
    try {
      for (const script of LINKS) {
        const page = await pageAfterLink(browser, script);
        report(`SwiftShader, link "${script}", recorder vs canvas`,
               comparePictures(recordedLastFrame(script, WIDTH, HEIGHT), await page.canvasPicture()));
        await page.page.close();
      }
    } finally {
      await browser.close();
    }
  });
});
