// Pictures as raw RGB pixels, decoded from PNG by ImageMagick, and the two
// counts the browser tests report: pixels that differ at all, and pixels
// off by more than 2 (of 255) in some channel.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';

// Links whose first frames are compared with the recorder's: layers, turns,
// textures, a swinging sheet, and a hand that pulls the nearest corner up
// and to the right, then lets go.
export const LINKS = [
  't t +150',
  'f p +200',
  't t t +120 3 n p 2 +40',
  't t t t t t t t +40 grab:2024@95,5,20 +10 move:85,30,-10 +10 move:80,60,-45 +15 release +45',
  // The lab: every setting, the ball drawn, and quads torn away.
  't t t t t +60 passes:3 damping:0.98 gravity:0.002,-0.01,0 ball:45,40,12,10 wind:0,0,0.01 tear:2 +40 ' +
    'cut:-100,62,-200,300,62,-200,100,62,300 +30',
  // The stretch colours, while a hand pulls a corner out, with the markers
  // and particles, which take their texel from the texture of the textured
  // frames the recorder drew before.
  '+30 n p stretch:on +90 grab:2024@95,5,20 +15 move:80,40,-30 +15 release +10',
];

// At most this share of the canvas may be off by more than 2 in a channel.
const ALLOWED_OFF = 0.005;

export function reportComparison(what, comparison) {
  console.log(`${what}: ${comparison.differing} of ${comparison.pixels} pixels differ, ` +
              `${comparison.offByMoreThan2} by more than 2`);
}

export function judgeComparison(what, comparison) {
  reportComparison(what, comparison);
  assert.ok(comparison.offByMoreThan2 <= ALLOWED_OFF * comparison.pixels,
            `${comparison.offByMoreThan2} pixels off by more than 2`);
}

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
