// The hand from the keyboard, for those who cannot drag: the "hand" button
// aims at the particle nearest the middle of the view (a ring over the
// canvas shows where), the arrows aim elsewhere, and Enter or Space takes
// the particle nearest the aim, as a press of the mouse there would. Holding
// it, the arrows move the hand in the view's plane (Shift: further), and
// Enter, Space or Escape let go. The lines and the script's tokens are the
// mouse's, since the hand goes through the same calls.
import {refusedDuringReplay} from './link_replay.js';
import {callProgram, canvas, isRunning} from './program.js';
import {describeScene} from './scene_description.js';
import {userActed} from './status.js';

// Canvas pixels an arrow moves the aim or the hand; with Shift, further.
const STEP = 4;
const BIG_STEP = 24;
const GLUT_LEFT_BUTTON = 0, GLUT_DOWN = 0, GLUT_UP = 1;
const ARROWS = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};

const button = document.getElementById('hand');
const marker = document.getElementById('hand-marker');
let aim = null;  // [x, y] in canvas pixels from the top left

const held = () => Module._vantrelleHeldParticle() >= 0;

function drawnAt(particle) {
  return [Module._vantrelleParticleWindowX(particle), Module._vantrelleParticleWindowY(particle)];
}

function showAim() {
  const box = canvas.getBoundingClientRect();
  marker.style.left = `${box.left + (aim[0] + 0.5) * box.width / canvas.width}px`;
  marker.style.top = `${box.top + (aim[1] + 0.5) * box.height / canvas.height}px`;
  marker.hidden = false;
  button.setAttribute('aria-pressed', String(held()));
}

// Hand calls go the mouse's way; false if the page takes no input now.
function act(call) {
  if (!isRunning() || refusedDuringReplay()) return false;
  userActed();
  callProgram(call);
  describeScene();
  return true;
}

function takeOrLetGo() {
  if (!isRunning()) return;
  if (held()) {
    act(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_UP, aim[0], aim[1]));
  } else {
    // Pressed where the nearest particle is drawn, the press takes that one.
    const particle = Module._vantrelleNearestParticle(aim[0], aim[1]);
    if (particle < 0) return;
    aim = drawnAt(particle);
    act(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, aim[0], aim[1]));
  }
  showAim();
}

export function setUpKeyboardHand() {
  button.addEventListener('focus', () => {
    if (!isRunning()) return;
    if (!aim) aim = drawnAt(Module._vantrelleNearestParticle(canvas.width >> 1, canvas.height >> 1));
    showAim();
  });
  button.addEventListener('blur', () => (marker.hidden = true));
  button.addEventListener('click', takeOrLetGo);
  button.addEventListener('keydown', (event) => {
    if (!isRunning() || !aim) return;
    if (event.key === 'Escape' && held()) {
      takeOrLetGo();
      return;
    }
    const arrow = ARROWS[event.key];
    if (!arrow || event.altKey || event.ctrlKey || event.metaKey) return;
    event.preventDefault();
    const step = event.shiftKey ? BIG_STEP : STEP;
    aim = [aim[0] + arrow[0] * step, aim[1] + arrow[1] * step];
    if (held()) act(() => Module._vantrelleLiveMotion(aim[0], aim[1]));
    showAim();
  });
}
