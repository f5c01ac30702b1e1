// The program: loading it, its main and its end, the frame loop, and the
// canvas it draws on, whose pixels follow its size on the screen. Every
// console line of the program goes to the console panel; everything else it
// writes is a warning.
import {consoleLine} from './console_panel.js';
import {inflate, PACKED_FILES} from './single_file.js';
import {showStatus} from './status.js';

export const canvas = document.getElementById('canvas');

let running = false;  // main has reached the loop and has not ended
let ended = false;
let frameRequest = 0;
let frameTask = null;
const endListeners = [];
const frameListeners = [];

export const isRunning = () => running;

// listener(), after each live frame of the program.
export function onLiveFrame(listener) {
  frameListeners.push(listener);
}

// listener(exitStatus), once the program has ended.
export function onProgramEnd(listener) {
  endListeners.push(listener);
}

// exit() in the program, from start-up or from a key.
function programEnded(exitStatus) {
  ended = true;
  running = false;
  document.body.dataset.program = 'ended';
  cancelAnimationFrame(frameRequest);
  for (const listener of endListeners) listener(exitStatus);
  showStatus(exitStatus === 0
    ? 'exit status 0\nThe program has ended. Reload the page to start it again.'
    : 'exit status ' + exitStatus + '\nThe program has ended; the console says why. ' +
      'Reload the page to start it again.');
}

// A call into the program; exit() unwinds it with an exception, which ends
// here once the page has heard of the exit.
export function callProgram(call) {
  try {
    return call();
  } catch (error) {
    if (!ended) throw error;
  }
  return undefined;
}

function fitCanvas() {
  const ratio = window.devicePixelRatio || 1;
  const width = Math.max(1, Math.round(canvas.clientWidth * ratio));
  const height = Math.max(1, Math.round(canvas.clientHeight * ratio));
  if (canvas.width === width && canvas.height === height) return false;
  canvas.width = width;
  canvas.height = height;
  return true;
}

// Fetches the program; onReady runs once its runtime is up, before main.
export function loadProgram(onReady) {
  window.Module = {
    canvas: canvas,
    print: consoleLine,
    printErr: (text) => console.warn(text),
    quit: (exitStatus, toThrow) => {
      programEnded(exitStatus);
      throw toThrow;
    },
    onAbort: (what) => {
      running = false;
      showStatus('The program stopped: ' + what);
    },
    onRuntimeInitialized: () => {
      onReady().catch((error) => {
        console.warn(error);
        if (!ended) showStatus('The program could not start: ' + error);
      });
    },
  };
  const program = document.createElement('script');
  if (PACKED_FILES) {
    // The program's WebAssembly is handed over, not fetched.
    Promise.all([inflate(PACKED_FILES.wasm), inflate(PACKED_FILES.program)]).then(([wasm, script]) => {
      window.Module.wasmBinary = wasm;
      program.textContent = new TextDecoder().decode(script);
      document.body.appendChild(program);
    }).catch((error) => showStatus('The program inside this file could not be unpacked: ' + error));
  } else {
    program.src = 'vantrelle.js';
    program.onerror = () => showStatus('vantrelle.js could not be loaded.');
    document.body.appendChild(program);
  }
}

// main, then the window's size; false if the program ended instead.
export function runMain() {
  fitCanvas();
  callProgram(() => Module.callMain([]));
  if (ended) return false;
  running = true;
  // For tools that drive the page: 'running' from here, 'ended' at its end.
  document.body.dataset.program = 'running';
  callProgram(() => Module._vantrelleReshape(canvas.width, canvas.height));
  return !ended;
}

// While a task is set, each animation frame runs it instead of the
// program's live frame (a link's replay plays a slice).
export function setFrameTask(task) {
  frameTask = task;
}

let firstFrameDrawn = false;
function frame() {
  frameRequest = 0;
  if (!running) return;
  if (fitCanvas()) callProgram(() => Module._vantrelleReshape(canvas.width, canvas.height));
  if (frameTask) {
    frameTask();
  } else {
    callProgram(() => Module._vantrelleLiveFrame());
    // For the browser's performance tools: when the first picture was drawn.
    if (!firstFrameDrawn) performance.mark('vantrelle-first-frame');
    firstFrameDrawn = true;
    for (const listener of frameListeners) listener();
  }
  if (running) frameRequest = requestAnimationFrame(frame);
}

export function startFrames() {
  frameRequest = requestAnimationFrame(frame);
}
