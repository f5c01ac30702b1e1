// Pictures as raw RGB pixels, decoded from PNG by ImageMagick, and the two
// counts the browser tests report: pixels that differ at all, and pixels
// off by more than 2 (of 255) in some channel.
import {execFileSync} from 'node:child_process';

export function decodePng(png) {
  const size = execFileSync('identify', ['-format', '%w %h', 'png:-'], {input: png}).toString();
  const [width, height] = size.trim().split(' ').map(Number);
  const rgb = execFileSync('convert', ['png:-', '-depth', '8', 'rgb:-'], {input: png, maxBuffer: 1 << 28});
  return {width, height, rgb};
}

export function comparePictures(a, b) {
  if (a.width !== b.width || a.height !== b.height)
    throw new Error(`sizes differ: ${a.width}x${a.height} and ${b.width}x${b.height}`);
  const pixels = a.width * a.height;
  let differing = 0;
  let offByMoreThan2 = 0;
  for (let p = 0; p < pixels; ++p) {
    let largest = 0;
    for (let c = 0; c < 3; ++c) largest = Math.max(largest, Math.abs(a.rgb[p * 3 + c] - b.rgb[p * 3 + c]));
    if (largest > 0) ++differing;
    if (largest > 2) ++offByMoreThan2;
  }
  return {pixels, differing, offByMoreThan2};
}

// Pixels that are not black: a picture with the sheet and the box in it.
export function litFraction(picture) {
  let lit = 0;
  const pixels = picture.width * picture.height;
  for (let p = 0; p < pixels; ++p)
    if (picture.rgb[p * 3] || picture.rgb[p * 3 + 1] || picture.rgb[p * 3 + 2]) ++lit;
  return lit / pixels;
}
