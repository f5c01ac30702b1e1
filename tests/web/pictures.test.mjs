// Pictures in Chromium beyond what every engine is tested for
// (engines.test.mjs): the canvas after a resize, a browser without clip
// control (whose frames the shader turns over itself) against the recorder,
// and SwiftShader (headless Chromium's own renderer), measured, not judged.
// Both counts are printed: pixels that differ at all, and pixels off by more
// than 2.
import assert from 'node:assert/strict';
import {after, before, describe, test} from 'node:test';

import {launchBrowser, SITE, VantrellePage} from './browser.mjs';
import {recordedLastFrame} from './desktop.mjs';
import {comparePictures, judgeComparison, LINKS, reportComparison} from './pictures.mjs';

const WIDTH = Number(process.env.SCREEN_WIDTH || 640);
const HEIGHT = Number(process.env.SCREEN_HEIGHT || 480);
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

  test('the canvas follows the window\'s size: after a resize it is the recorder\'s frame of that size', async () => {
    const script = 't +60';
    const page = await pageAfterLink(browser, script);
    await page.page.setViewport({width: 500, height: 400});
    await page.frames(3);
    assert.deepEqual(await page.page.$eval('#canvas', (canvas) => [canvas.width, canvas.height]), [500, 400]);
    judgeComparison(`link "${script}" at 500 x 400 after a resize, recorder vs canvas`,
          comparePictures(recordedLastFrame(script, 500, 400), await page.canvasPicture()));
    await page.page.close();
  });

  test('without clip control, the shader stores the rows from the top: the links\' first frames are the recorder\'s',
       async () => {
    for (const script of LINKS) {
      const page = new VantrellePage(await browser.newPage());
      await page.page.setViewport({width: WIDTH, height: HEIGHT});
      await page.page.evaluateOnNewDocument(() => {
        const getExtension = WebGL2RenderingContext.prototype.getExtension;
        WebGL2RenderingContext.prototype.getExtension = function (name) {
          return name === 'EXT_clip_control' ? null : getExtension.call(this, name);
        };
      });
      await page.page.goto(`${SITE}/complete/#${encodeURIComponent(script)}`);
      assert.ok(await page.waitForTranscript((text) => text.split('\n').length > 10), page.transcript());
      await page.replayEnded();
      await page.frames(3);
      assert.equal(await page.evaluate(() => document.getElementById('canvas').getContext('webgl2')
                                               .getExtension('EXT_clip_control')), null);
      const comparison = comparePictures(recordedLastFrame(script, WIDTH, HEIGHT), await page.canvasPicture());
      reportComparison(`no clip control, link "${script}", recorder vs canvas`, comparison);
      assert.equal(comparison.differing, 0, 'rasterised exactly as the desktop does');
      await page.page.close();
    }
  });
});

describe('on SwiftShader (measured only)', () => {
  test('the first frames of the links against the recorder\'s', async () => {
    const browser = await launchBrowser('swiftshader');
    try {
      for (const script of LINKS) {
        const page = await pageAfterLink(browser, script);
        reportComparison(`SwiftShader, link "${script}", recorder vs canvas`,
               comparePictures(recordedLastFrame(script, WIDTH, HEIGHT), await page.canvasPicture()));
        await page.page.close();
      }
    } finally {
      await browser.close();
    }
  });
});
