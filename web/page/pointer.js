// The pointer on the canvas is the program's mouse, as GLUT's left button:
// a mouse or one finger pressed on the sheet takes hold of it, moving drags
// it, and letting go, leaving the canvas or a cancel from the system lets go
// of it. Points are canvas pixels from the top left as the canvas is seen,
// whichever way its rows are stored.
//
// The one-tap hand, for those who cannot hold and move at once: with its
// button on, a tap on the sheet takes hold of it, a tap elsewhere moves the
// hand there, and a tap on the held particle lets go.
import {refusedDuringReplay} from './link_replay.js';
import {callProgram, canvas, isRunning} from './program.js';
import {describeScene} from './scene_description.js';
import {userActed} from './status.js';

const GLUT_LEFT_BUTTON = 0, GLUT_DOWN = 0, GLUT_UP = 1;

let heldPointer = null;  // the pointer that holds the sheet, if any
// Within this many canvas pixels of the held particle, a tap lets go of it
// (the distance within which a press takes one).
const TAP_RADIUS = 20;
const tapButton = document.getElementById('tap-hand');
const tapMode = () => tapButton.getAttribute('aria-pressed') === 'true';

function canvasPoint(event) {
  const box = canvas.getBoundingClientRect();
  return [Math.floor((event.clientX - box.left) * canvas.width / box.width),
    Math.floor((event.clientY - box.top) * canvas.height / box.height)];
}

function tap(event) {
  const [x, y] = canvasPoint(event);
  const particle = Module._vantrelleHeldParticle();
  if (particle < 0) {
    callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y));
    return;
  }
  const heldX = Module._vantrelleParticleWindowX(particle);
  const heldY = Module._vantrelleParticleWindowY(particle);
  if ((x - heldX) ** 2 + (y - heldY) ** 2 <= TAP_RADIUS ** 2)
    callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y));
  else
    callProgram(() => Module._vantrelleLiveMotion(x, y));
}

export function setUpPointer() {
  tapButton.addEventListener('click', () => {
    const on = !tapMode();
    tapButton.setAttribute('aria-pressed', String(on));
    // Switched off, the hand lets go: no pointer is left to release it.
    if (!on && isRunning() && Module._vantrelleHeldParticle() >= 0) {
      callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0));
      describeScene();
    }
  });
  canvas.addEventListener('pointerdown', (event) => {
    if (isRunning() && tapMode() && event.button === 0) {
      event.preventDefault();
      if (refusedDuringReplay()) return;
      userActed();
      tap(event);
      describeScene();
      return;
    }
    if (!isRunning() || heldPointer !== null || event.button !== 0) return;
    event.preventDefault();
    if (refusedDuringReplay()) return;
    userActed();
    heldPointer = event.pointerId;
    const [x, y] = canvasPoint(event);
    callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y));
    describeScene();
  });
  canvas.addEventListener('pointermove', (event) => {
    if (!isRunning() || event.pointerId !== heldPointer) return;
    const [x, y] = canvasPoint(event);
    callProgram(() => Module._vantrelleLiveMotion(x, y));
  });
  for (const end of ['pointerup', 'pointercancel', 'pointerleave']) {
    canvas.addEventListener(end, (event) => {
      if (event.pointerId !== heldPointer) return;
      heldPointer = null;
      const [x, y] = canvasPoint(event);
      if (isRunning()) callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y));
      describeScene();
    });
  }
}
