// The desktop program and its recorder as the oracles of the browser tests:
// the real vantrelle in its folder of textures on the test run's X server,
// driven by real key events (xdotool), and vantrelle-record's frames.
import {execFile, execFileSync, spawn} from 'node:child_process';
import {mkdtempSync, readFileSync, readdirSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import path from 'node:path';
import {promisify} from 'node:util';

import {sleep} from './browser.mjs';
import {decodePng} from './pictures.mjs';

const run = promisify(execFile);
export const VANTRELLE = process.env.VANTRELLE;
export const RECORDER = process.env.RECORDER;
export const TEXTURES_DIR = process.env.TEXTURES_DIR;

// Keys the desktop program answers with its lines at once: pressed after a
// key, they tell when that key's own lines (if any) have all arrived. The
// pair leaves the angle where it was.
const MARKER_KEYS = ['3', '4'];

export class DesktopProgram {
  // In a folder of textures: the generator's unless told another.
  constructor(texturesDir = TEXTURES_DIR) {
    this.output = '';
    this.child = spawn(VANTRELLE, [], {cwd: texturesDir, stdio: ['ignore', 'pipe', 'inherit']});
    this.child.stdout.on('data', (data) => (this.output += data.toString()));
    this.exit = new Promise((resolve) => this.child.on('exit', (code) => resolve(code)));
  }

  async waitFor(predicate, seconds = 20) {
    for (let waited = 0; waited < seconds * 50; ++waited) {
      if (predicate(this.output)) return true;
      await sleep(20);
    }
    return predicate(this.output);
  }

  // Its window, full screen and with the keyboard.
  async start() {
    await run('xdotool', ['search', '--sync', '--onlyvisible', '--name', '^Vantrelle$', 'windowfocus', '--sync'],
              {timeout: 20000});
    const screen = (await run('xdotool', ['getdisplaygeometry'])).stdout.trim();
    for (let attempt = 0; attempt < 100; ++attempt) {
      const geometry = (await run('xdotool', ['search', '--name', '^Vantrelle$', 'getwindowgeometry'])).stdout;
      if (geometry.includes('Position: 0,0') && geometry.includes(`Geometry: ${screen.replace(' ', 'x')}`)) return;
      await sleep(50);
    }
    throw new Error('the desktop window did not go full screen');
  }

  type(character) {
    execFileSync('xdotool', ['type', '--clearmodifiers', '--', character]);
  }

  // The lines one key writes, told apart from the next key's by the marker.
  async linesOf(character) {
    const before = this.output.length;
    this.type(character);
    for (const marker of MARKER_KEYS) this.type(marker);
    const ended = await this.waitFor((output) => {
      const lines = output.slice(before).split('\n');
      return lines.length >= 3 && lines.at(-3).startsWith('Rotate Angle = ') &&
             lines.at(-2).startsWith('Rotate Angle = ');
    });
    if (!ended) throw new Error(`no marker lines after key ${character}:\n${this.output.slice(before)}`);
    const lines = this.output.slice(before).split('\n').slice(0, -3);
    return lines.map((line) => line + '\n').join('');
  }

  // Many keys at once; the transcript is complete when it has stopped growing.
  async typeAll(text) {
    execFileSync('xdotool', ['type', '--clearmodifiers', '--delay', '3', '--', text]);
    let length = -1;
    while (length !== this.output.length) {
      length = this.output.length;
      await sleep(1000);
    }
  }

  // The whole screen, which the full-screen window covers.
  async picture() {
    await sleep(500);
    return decodePng(execFileSync('import', ['-window', 'root', 'png:-'], {maxBuffer: 1 << 28}));
  }

  async quit() {
    this.type('q');
    return this.exit;
  }
}

// The recorder's last frame of a script, at the given size.
export function recordedLastFrame(script, width, height, texturesDir = TEXTURES_DIR) {
  const folder = mkdtempSync(path.join(tmpdir(), 'vantrelle-frames-'));
  try {
    execFileSync(RECORDER, ['--size', `${width}x${height}`, '--script', script, folder],
                 {cwd: texturesDir, stdio: ['ignore', 'ignore', 'pipe']});
    const frames = readdirSync(folder).filter((name) => name.endsWith('.png')).sort();
    return decodePng(readFileSync(path.join(folder, frames.at(-1))));
  } finally {
    rmSync(folder, {recursive: true, force: true});
  }
}

// What the recorder writes with --series and --obj for a script: the CSV and
// the OBJ as texts.
export function recordedSeriesAndSheet(script, texturesDir = TEXTURES_DIR) {
  const folder = mkdtempSync(path.join(tmpdir(), 'vantrelle-series-'));
  try {
    const series = path.join(folder, 'series.csv'), sheet = path.join(folder, 'sheet.obj');
    execFileSync(RECORDER, ['--size', '64x48', '--series', series, '--obj', sheet, '--script', script,
                            path.join(folder, 'frames')],
                 {cwd: texturesDir, stdio: ['ignore', 'ignore', 'pipe']});
    return {series: readFileSync(series, 'utf8'), sheet: readFileSync(sheet, 'utf8')};
  } finally {
    rmSync(folder, {recursive: true, force: true});
  }
}
