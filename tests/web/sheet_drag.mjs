// Taking hold of the sheet on the page: where the sheet is on the canvas,
// and the lines a hand writes.
import assert from 'node:assert/strict';

export const GRAB = /Grab = (\d+) at ([-0-9.e]+),([-0-9.e]+),([-0-9.e]+)\n$/;
export const RELEASE = /Release = (\d+) at ([-0-9.e]+),([-0-9.e]+),([-0-9.e]+)\n$/;

// A point well inside the sheet as the canvas shows it, in CSS pixels,
// where no panel covers the canvas (`open` tells).
function pointOnTheSheet(picture, open) {
  const lit = (x, y) => {
    const p = (y * picture.width + x) * 3;
    return picture.rgb[p] + picture.rgb[p + 1] + picture.rgb[p + 2] > 20;
  };
  let best = null;
  for (let y = 16; y < picture.height - 16; y += 4) {
    for (let x = 16; x < picture.width - 16; x += 4) {
      let litAround = 0;
      for (let dy = -12; dy <= 12; dy += 4)
        for (let dx = -12; dx <= 12; dx += 4) litAround += lit(x + dx, y + dy);
      const distance = (x - picture.width / 2) ** 2 + (y - picture.height / 2) ** 2;
      if (litAround >= 42 && open[y * picture.width + x] && (!best || distance < best.distance))
        best = {x, y, distance};
    }
  }
  assert.ok(best, 'the sheet is on the canvas');
  return best;
}

// On a started page, one step lights the sheet; where it is.
export async function lightTheSheet(page) {
  await page.type('s');
  await page.frames(3);
  const picture = await page.canvasPicture();
  const open = await page.evaluate((width, height) => {
    const canvas = document.getElementById('canvas');
    const open = [];
    for (let y = 0; y < height; ++y)
      for (let x = 0; x < width; ++x) open.push(y % 4 || x % 4 ? 0 : document.elementFromPoint(x, y) === canvas);
    return open;
  }, picture.width, picture.height);
  return pointOnTheSheet(picture, open);
}

// Six steps, the hand (if any) moving further at each.
export async function stepsPulling(page, move) {
  for (let n = 1; n <= 6; ++n) {
    if (move) await move(n);
    await page.type('s');
    await page.frames(2);
  }
}
