// Texture sets other than the generator's, for the picture comparisons: ten
// 24-bit BMPs of random pixels at odd sizes (rows padded, some stored top
// row first), and ten drawn ones (checks, stripes, rings, a full ramp of
// every level). Run as a script, it writes each set as a copy of the site:
//   node texture_sets.mjs SERVED_FOLDER SITE_FOLDER
// leaves SERVED_FOLDER/random-textures/ and SERVED_FOLDER/drawn-textures/,
// each the site with its textures/ folder replaced.
import {mkdirSync, readdirSync, symlinkSync, writeFileSync} from 'node:fs';
import path from 'node:path';

export const TEXTURE_SETS = ['random-textures', 'drawn-textures'];

// A bitmap of width x height; pixel(x, y) gives [r, g, b] with y = 0 the
// picture's top row. Rows are stored bottom first unless topDown.
export function encodeBmp(width, height, pixel, topDown = false) {
  const stride = Math.ceil((width * 3) / 4) * 4;
  const file = Buffer.alloc(54 + stride * height);
  file.write('BM', 0, 'latin1');
  file.writeUInt32LE(file.length, 2);
  file.writeUInt32LE(54, 10);
  file.writeUInt32LE(40, 14);
  file.writeInt32LE(width, 18);
  file.writeInt32LE(topDown ? -height : height, 22);
  file.writeUInt16LE(1, 26);
  file.writeUInt16LE(24, 28);
  file.writeUInt32LE(stride * height, 34);
  for (let row = 0; row < height; ++row) {
    const y = topDown ? row : height - 1 - row;
    for (let x = 0; x < width; ++x) {
      const [r, g, b] = pixel(x, y);
      file.writeUInt8(b, 54 + row * stride + x * 3);
      file.writeUInt8(g, 54 + row * stride + x * 3 + 1);
      file.writeUInt8(r, 54 + row * stride + x * 3 + 2);
    }
  }
  return file;
}

// A small seeded generator, so that every run draws the same noise.
function randomBytes(seed) {
  let state = seed >>> 0 || 1;
  return () => {
    state ^= state << 13;
    state ^= state >>> 17;
    state ^= state << 5;
    return (state >>> 0) & 0xff;
  };
}

function randomSet() {
  const sizes = [[64, 64], [37, 53], [1, 1], [200, 13], [128, 96], [3, 257], [255, 255], [16, 128], [99, 101], [512, 8]];
  return sizes.map(([width, height], index) => {
    const next = randomBytes(0x9e3779b9 * (index + 1));
    return encodeBmp(width, height, () => [next(), next(), next()], index % 3 === 1);
  });
}

function drawnSet() {
  const drawings = [
    [64, 64, (x, y) => ((x >> 3) + (y >> 3)) % 2 ? [255, 255, 255] : [0, 0, 0]],
    [256, 4, (x) => [x, x, x]],
    [128, 128, (x, y) => (Math.hypot(x - 64, y - 64) < 40 ? [220, 40, 30] : [20, 30, 200])],
    [90, 90, (x, y) => (Math.floor(Math.hypot(x - 45, y - 45) / 6) % 2 ? [250, 200, 0] : [10, 90, 10])],
    [33, 77, (x) => (x % 2 ? [255, 0, 255] : [0, 255, 0])],
    [77, 33, (x, y) => (y % 3 ? [30, 30, 30] : [200, 220, 240])],
    [128, 64, (x, y) => [x * 2, y * 4, 255 - x * 2]],
    [100, 100, (x, y) => ((x + y) % 10 < 2 ? [255, 255, 0] : [0, 0, 128])],
    [48, 48, (x, y) => (Math.abs(x - y) < 3 || Math.abs(x + y - 47) < 3 ? [255, 60, 60] : [240, 240, 240])],
    [7, 5, (x, y) => [36 * x, 51 * y, 128]],
  ];
  return drawings.map(([width, height, pixel], index) => encodeBmp(width, height, pixel, index % 4 === 3));
}

export function writeTextureSets(servedFolder, siteFolder) {
  const names = readdirSync(path.join(siteFolder, 'textures')).filter((name) => name.endsWith('.bmp')).sort();
  if (names.length !== 10) throw new Error(`the site has ${names.length} textures, not 10`);
  const sets = {'random-textures': randomSet(), 'drawn-textures': drawnSet()};
  for (const [set, files] of Object.entries(sets)) {
    const folder = path.join(servedFolder, set);
    mkdirSync(path.join(folder, 'textures'), {recursive: true});
    for (const entry of readdirSync(siteFolder))
      if (entry !== 'textures') symlinkSync(path.join(siteFolder, entry), path.join(folder, entry));
    names.forEach((name, index) => writeFileSync(path.join(folder, 'textures', name), files[index]));
  }
}

if (import.meta.url === `file://${process.argv[1]}`) writeTextureSets(process.argv[2], process.argv[3]);
