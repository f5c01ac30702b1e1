// The pointer on the canvas is the program's mouse, as GLUT's left button:
// a mouse or one finger pressed on the sheet takes hold of it, moving drags
// it, and letting go, leaving the canvas or a cancel from the system lets go
// of it. Points are canvas pixels from the top left as the canvas is seen,
// whichever way its rows are stored.
//
// The one-tap hand, for those who cannot hold and move at once: with its
// button on, a tap on the sheet takes hold of it, a tap elsewhere moves the
// hand there, and a tap on the held particle lets go.
import {drawnAt, heldParticle, moveTo, pressAt, releaseAt, takeInput} from './live_input.js';
import {canvas, isRunning} from './program.js';
import {describeScene} from './scene_description.js';

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

function tap(x, y) {
  const particle = heldParticle();
  if (particle < 0) return pressAt(x, y);
  const [heldX, heldY] = drawnAt(particle);
  return (x - heldX) ** 2 + (y - heldY) ** 2 <= TAP_RADIUS ** 2 ? releaseAt(x, y) : moveTo(x, y);
}

export function setUpPointer() {
  tapButton.addEventListener('click', () => {
    const on = !tapMode();
    tapButton.setAttribute('aria-pressed', String(on));
    // Switched off, the hand lets go: no pointer is left to release it.
    if (!on && isRunning() && heldParticle() >= 0) {
      releaseAt(0, 0);
      describeScene();
    }
  });
  canvas.addEventListener('pointerdown', (event) => {
    if (!isRunning() || event.button !== 0 || (heldPointer !== null && !tapMode())) return;
    event.preventDefault();
    const [x, y] = canvasPoint(event);
    if (tapMode()) {
      takeInput(() => tap(x, y));
      return;
    }
    takeInput(() => {
      heldPointer = event.pointerId;
      pressAt(x, y);
    });
  });
  canvas.addEventListener('pointermove', (event) => {
    if (!isRunning() || event.pointerId !== heldPointer) return;
    moveTo(...canvasPoint(event));
  });
  for (const end of ['pointerup', 'pointercancel', 'pointerleave']) {
    canvas.addEventListener(end, (event) => {
      if (event.pointerId !== heldPointer) return;
      heldPointer = null;
      if (isRunning()) releaseAt(...canvasPoint(event));
      describeScene();
    });
  }
}
