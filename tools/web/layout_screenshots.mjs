// The page at the sizes people use it, in each engine, as pictures for
// docs/layout/: ENGINE-SIZE.png after a link has swung the sheet. Phones are
// touch screens only where the engine can be told so (Chromium); elsewhere
// the narrow window alone folds the panels. WebKitGTK's MiniBrowser keeps
// its window at least 447 px wide (its toolbar), so its phone is that wide.
// Usage (the site served at SITE_URL, under with-xvfb.sh on a 1920 x 1280 screen):
//   node tools/web/layout_screenshots.mjs OUTPUT_FOLDER
import {execFileSync} from 'node:child_process';
import path from 'node:path';

import {ENGINES, openEngine} from '../../tests/web/browser.mjs';

const SIZES = {
  phone: {width: 390, height: 844, isMobile: true, hasTouch: true},
  tablet: {width: 820, height: 1180, hasTouch: true},
  laptop: {width: 1366, height: 768},
  desktop: {width: 1920, height: 1080},
};

const NARROWEST = {webkit: 447};

const folder = process.argv[2];
for (const name of ENGINES) {
  const engine = await openEngine(name);
  try {
    for (const [size, viewport] of Object.entries(SIZES)) {
      const width = Math.max(viewport.width, NARROWEST[name] || 0);
      const page = await engine.open(`${process.env.SITE_URL}/#t%20t%20%2B150`, {...viewport, width});
      await page.waitForTranscript((text) => text.includes('Texture is 2'));
      await page.replayEnded();
      await page.frames(3);
      // 256 colours keep the pictures small enough for the repository.
      execFileSync('convert', ['png:-', '-colors', '256', `PNG8:${path.join(folder, `${name}-${size}.png`)}`],
                   {input: await page.screenshotPng()});
      await page.close();
    }
    console.log(`${engine.version}: ${Object.keys(SIZES).join(', ')}`);
  } finally {
    await engine.close();
  }
}
