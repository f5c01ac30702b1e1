// What the page benchmarks measure on an open page (any engine's): the time
// from navigation to the first frame, and frames per second while the sheet
// animates.
import {sleep} from '../tests/web/browser.mjs';

export const MEASURED_SECONDS = 5;

export function firstFrame(page) {
  return page.evaluate(() => new Promise((resolve) => {
    const check = () => {
      const marks = performance.getEntriesByName('vantrelle-first-frame');
      if (marks.length) resolve(marks[0].startTime);
      else setTimeout(check, 20);
    };
    check();
  }));
}

// After a moment to settle, animation frames over MEASURED_SECONDS.
export async function framesPerSecond(page) {
  await sleep(1500);
  return page.evaluate((seconds) => new Promise((resolve) => {
    let frames = 0;
    const start = performance.now();
    const next = (now) => {
      if (now - start >= seconds * 1000) return resolve(frames / ((now - start) / 1000));
      ++frames;
      requestAnimationFrame(next);
    };
    requestAnimationFrame(next);
  }), MEASURED_SECONDS);
}
