// The hand from the keyboard, for those who cannot drag: the "hand" button
// aims at the particle nearest the middle of the view (a ring over the
// canvas shows where), the arrows aim elsewhere, and Enter or Space takes
// the particle nearest the aim, as a press of the mouse there would. Holding
// it, the arrows move the hand in the view's plane (Shift: further), and
// Enter, Space or Escape let go. The lines and the script's tokens are the
// mouse's, since the hand goes through the same calls.
import {drawnAt, heldParticle, moveTo, nearestParticle, pressAt, releaseAt, takeInput} from './live_input.js';
import {canvas, isRunning} from './program.js';

// Canvas pixels an arrow moves the aim or the hand; with Shift, further.
const STEP = 4;
const BIG_STEP = 24;
const ARROWS = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};

const button = document.getElementById('hand');
const marker = document.getElementById('hand-marker');
let aim = null;  // [x, y] in canvas pixels from the top left

const held = () => heldParticle() >= 0;

function showAim() {
  const box = canvas.getBoundingClientRect();
  marker.style.left = `${box.left + (aim[0] + 0.5) * box.width / canvas.width}px`;
  marker.style.top = `${box.top + (aim[1] + 0.5) * box.height / canvas.height}px`;
  marker.hidden = false;
  button.setAttribute('aria-pressed', String(held()));
}

function takeOrLetGo() {
  if (!isRunning()) return;
  if (held()) {
    takeInput(() => releaseAt(...aim));
  } else {
    // Pressed where the nearest particle is drawn, the press takes that one.
    const particle = nearestParticle(...aim);
    if (particle < 0) return;
    aim = drawnAt(particle);
    takeInput(() => pressAt(...aim));
  }
  showAim();
}

export function setUpKeyboardHand() {
  button.addEventListener('focus', () => {
    if (!isRunning()) return;
    if (!aim) aim = drawnAt(nearestParticle(canvas.width >> 1, canvas.height >> 1));
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
    if (held()) takeInput(() => moveTo(...aim));
    showAim();
  });
}
