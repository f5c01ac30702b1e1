// The pointer on the canvas is the program's mouse, as GLUT's left button:
// a mouse or one finger pressed on the sheet takes hold of it, moving drags
// it, and letting go, leaving the canvas or a cancel from the system lets go
// of it. Points are canvas pixels from the top left as the canvas is seen,
// whichever way its rows are stored.
import {refusedDuringReplay} from './link_replay.js';
import {callProgram, canvas, isRunning} from './program.js';
import {describeScene} from './scene_description.js';
import {userActed} from './status.js';

const GLUT_LEFT_BUTTON = 0, GLUT_DOWN = 0, GLUT_UP = 1;

let heldPointer = null;  // the pointer that holds the sheet, if any

function canvasPoint(event) {
  const box = canvas.getBoundingClientRect();
  return [Math.floor((event.clientX - box.left) * canvas.width / box.width),
    Math.floor((event.clientY - box.top) * canvas.height / box.height)];
}

export function setUpPointer() {
  canvas.addEventListener('pointerdown', (event) => {
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
