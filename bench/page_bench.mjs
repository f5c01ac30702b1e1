// The page in Chromium on llvmpipe at 1920 x 1080 (run under with-xvfb.sh):
// frames per second while the sheet animates, quads only and all layers, at
// the display's pace and unpaced, beside the desktop drawing's frames per
// second (display_bench's JSON, if given); the bytes of every file the page
// loads; and the time from navigation to the first frame.
// Usage: node page_bench.mjs [DISPLAY_BENCH_JSON]   (SITE_URL: the site's address)
import {readFileSync} from 'node:fs';

import {launchBrowser, VantrellePage} from '../tests/web/browser.mjs';

const WIDTH = 1920;
const HEIGHT = 1080;
const SECONDS = 5;

async function framesPerSecond(page) {
  await new Promise((resolve) => setTimeout(resolve, 1500));
  return page.page.evaluate((seconds) => new Promise((resolve) => {
    let frames = 0;
    const start = performance.now();
    const next = (now) => {
      if (now - start >= seconds * 1000) return resolve(frames / ((now - start) / 1000));
      ++frames;
      requestAnimationFrame(next);
    };
    requestAnimationFrame(next);
  }), SECONDS);
}

async function measure(flags) {
  const browser = await launchBrowser('llvmpipe', [`--window-size=${WIDTH},${HEIGHT}`, ...flags]);
  try {
    const raw = await browser.newPage();
    let bytes = 0;
    const files = [];
    raw.on('response', async (response) => {
      try {
        const length = (await response.buffer()).length;
        bytes += length;
        files.push([new URL(response.url()).pathname, length]);
      } catch (error) {
        // A response without a body (a redirect) weighs nothing.
      }
    });
    await raw.setViewport({width: WIDTH, height: HEIGHT});
    await raw.goto(process.env.SITE_URL + '/');
    const page = new VantrellePage(raw);
    await raw.waitForFunction(() => performance.getEntriesByName('vantrelle-first-frame').length > 0);
    const firstFrame = await raw.evaluate(() => performance.getEntriesByName('vantrelle-first-frame')[0].startTime);
    await page.type('a');
    const quads = await framesPerSecond(page);
    await page.type('n');
    await page.type('p');
    const all = await framesPerSecond(page);
    return {quads, all, bytes, files, firstFrame, renderer: await page.renderer()};
  } finally {
    await browser.close();
  }
}

function desktopFramesPerSecond(file) {
  if (!file) return null;
  const report = JSON.parse(readFileSync(file, 'utf8'));
  const perSecond = {};
  for (const run of report.benchmarks) {
    if (run.aggregate_name !== 'median') continue;
    const scale = {ns: 1e9, us: 1e6, ms: 1e3, s: 1}[run.time_unit];
    for (const layers of ['quads_only', 'all_layers'])
      if (run.run_name.includes(`${layers}_program`)) perSecond[layers] = scale / run.real_time;
  }
  return perSecond;
}

const paced = await measure([]);
const unpaced = await measure(['--disable-frame-rate-limit', '--disable-gpu-vsync']);
const desktop = desktopFramesPerSecond(process.argv[2]);
console.log(`page on ${paced.renderer}, ${WIDTH} x ${HEIGHT}, animating:`);
const row = (label, key) =>
  console.log(`  ${label}: ${paced[key].toFixed(1)} frames/s at the display's pace, ` +
              `${unpaced[key].toFixed(1)} unpaced` +
              (desktop?.[key === 'quads' ? 'quads_only' : 'all_layers']
                 ? `; desktop drawing ${desktop[key === 'quads' ? 'quads_only' : 'all_layers'].toFixed(1)} frames/s`
                 : ''));
row('quads only', 'quads');
row('all layers', 'all');
console.log(`page weight: ${(paced.bytes / 1024).toFixed(0)} KiB in ${paced.files.length} files ` +
            `(${paced.files.map(([name, length]) => `${name} ${(length / 1024).toFixed(0)} KiB`).join(', ')})`);
console.log(`navigation to first frame: ${paced.firstFrame.toFixed(0)} ms (served from 127.0.0.1)`);
