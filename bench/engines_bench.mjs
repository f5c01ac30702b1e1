// The page in each engine on llvmpipe (run under with-xvfb.sh at 1920 x
// 1080): frames per second while the sheet animates with all layers, beside
// the desktop drawing's (display_bench's JSON, if given); and the single
// file's size and its time from opening to the first frame from a file:
// address.
// Usage: node engines_bench.mjs [DISPLAY_BENCH_JSON]
//   (SITE_URL: the site's address; SINGLE_FILE: vantrelle.html)
import {readFileSync, statSync} from 'node:fs';
import {pathToFileURL} from 'node:url';

import {ENGINES, openEngine} from '../tests/web/browser.mjs';

import {firstFrame, framesPerSecond} from './page_measures.mjs';

const WIDTH = 1920;
const HEIGHT = 1080;

function desktopAllLayers(file) {
  if (!file) return null;
  const report = JSON.parse(readFileSync(file, 'utf8'));
  const run = report.benchmarks.find((r) => r.aggregate_name === 'median' && r.run_name.includes('all_layers_program'));
  return run ? {ns: 1e9, us: 1e6, ms: 1e3, s: 1}[run.time_unit] / run.real_time : null;
}

const desktop = desktopAllLayers(process.argv[2]);
const singleFile = process.env.SINGLE_FILE;
console.log(`single file: ${(statSync(singleFile).size / 1024).toFixed(0)} KiB`);
for (const name of ENGINES) {
  const engine = await openEngine(name, {windowSize: [WIDTH, HEIGHT]});
  try {
    const page = await engine.open(process.env.SITE_URL + '/', {width: WIDTH, height: HEIGHT});
    await firstFrame(page);
    for (const key of ['a', 'n', 'p']) await page.type(key);
    const fps = await framesPerSecond(page);
    await page.close();
    const file = await engine.open(pathToFileURL(singleFile).href, {width: 640, height: 480});
    const opened = await firstFrame(file);
    await file.close();
    console.log(`${engine.version}: all layers ${fps.toFixed(1)} frames/s` +
                (desktop ? ` (desktop drawing ${desktop.toFixed(1)}; page / desktop = ${(fps / desktop).toFixed(2)})` : '') +
                `; single file, opening to first frame ${opened.toFixed(0)} ms`);
  } finally {
    await engine.close();
  }
}
