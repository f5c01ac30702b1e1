// The page in Chromium on llvmpipe at 1920 x 1080 (run under with-xvfb.sh):
// frames per second while the sheet animates, quads only and all layers, at
// the display's pace and unpaced, beside the desktop drawing's frames per
// second (display_bench's JSON, if given); the bytes of every file the page
// loads; the time from navigation to the first frame; and a link of 10,000
// steps: the page's steps per second while it replays (beside the native
// step's, from step_bench's JSON, if given) and its time to the first frame;
// and what the Numbers panel's readouts and plot cost a frame.
// Usage: node page_bench.mjs [DISPLAY_BENCH_JSON [STEP_BENCH_JSON]]
//   (SITE_URL: the site's address)
import {readFileSync} from 'node:fs';

import {launchBrowser, VantrellePage} from '../tests/web/browser.mjs';

import {firstFrame, framesPerSecond} from './page_measures.mjs';

const WIDTH = 1920;
const HEIGHT = 1080;
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
    const opened = await firstFrame(page);
    await page.type('a');
    const quads = await framesPerSecond(page);
    await page.type('n');
    await page.type('p');
    const all = await framesPerSecond(page);
    return {quads, all, bytes, files, firstFrame: opened, renderer: await page.renderer()};
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

// A link of 10,000 steps, at 640 x 480: replayed in slices, then drawn.
async function measureReplay() {
  const browser = await launchBrowser('llvmpipe');
  try {
    const page = new VantrellePage(await browser.newPage());
    await page.page.setViewport({width: 640, height: 480});
    await page.page.goto(process.env.SITE_URL + '/#%2B10000');
    await page.page.waitForFunction(() => performance.getEntriesByName('vantrelle-first-frame').length > 0,
                                    {timeout: 300000});
    return await page.page.evaluate(() => {
      const mark = (name) => performance.getEntriesByName(name)[0].startTime;
      const replay = mark('vantrelle-replay-end') - mark('vantrelle-replay-start');
      return {stepsPerSecond: 10000 / (replay / 1000), firstFrame: mark('vantrelle-first-frame')};
    });
  } finally {
    await browser.close();
  }
}

// The Numbers panel open on an animating sheet at 1920 x 1080: what each
// update of its readouts and plot costs the frame it runs in.
async function measureReadouts() {
  const browser = await launchBrowser('llvmpipe', [`--window-size=${WIDTH},${HEIGHT}`]);
  try {
    const page = new VantrellePage(await browser.newPage());
    await page.page.setViewport({width: WIDTH, height: HEIGHT});
    await page.page.goto(process.env.SITE_URL + '/#%2B300');
    await firstFrame(page);
    await page.page.click('#readout-toggle');
    await page.type('a');
    await new Promise((resolve) => setTimeout(resolve, 10000));
    const times = await page.page.evaluate(() => window.vantrelleReadoutCost.milliseconds);
    times.sort((a, b) => a - b);
    return {updates: times.length, median: times[times.length >> 1], longest: times.at(-1),
            overOneMs: times.filter((time) => time > 1).length};
  } finally {
    await browser.close();
  }
}

function nativeStepsPerSecond(file) {
  if (!file) return null;
  const report = JSON.parse(readFileSync(file, 'utf8'));
  const scale = {ns: 1e9, us: 1e6, ms: 1e3, s: 1};
  // Named with their settings: step/program/min_time:0.200/repeats:15.
  const runs = report.benchmarks.filter((run) => run.run_name.split('/min_time')[0] === 'step/program' &&
                                                 (run.aggregate_name === 'median' || !run.aggregate_name));
  return runs.length ? scale[runs[0].time_unit] / runs[0].real_time : null;
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
const readouts = await measureReadouts();
console.log(`numbers panel, animating: ${readouts.median.toFixed(2)} ms per update of the readouts and ` +
            `the plot, the median (longest ${readouts.longest.toFixed(2)} ms; ${readouts.overOneMs} of ` +
            `${readouts.updates} updates in 10 s over 1 ms; at most ten updates a second)`);
const replay = await measureReplay();
const native = nativeStepsPerSecond(process.argv[3]);
console.log(`link #+10000: ${replay.stepsPerSecond.toFixed(0)} steps/s replayed` +
            (native ? ` (native step: ${native.toFixed(0)} steps/s; page / native = ` +
                      `${(replay.stepsPerSecond / native).toFixed(2)})` : '') +
            `, first frame ${(replay.firstFrame / 1000).toFixed(1)} s after navigation`);
