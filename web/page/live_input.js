// The page's input on its way to the program: the gate every key, tap and
// press passes, and the program's mouse (GLUT's left button) as the pointer,
// the one-tap hand and the keyboard's hand all drive it, so that their lines
// and script tokens are the mouse's. Points are canvas pixels from the top
// left as the canvas is seen.
import {refusedDuringReplay} from './link_replay.js';
import {callProgram, isRunning} from './program.js';
import {describeScene} from './scene_description.js';
import {userActed} from './status.js';

const GLUT_LEFT_BUTTON = 0, GLUT_DOWN = 0, GLUT_UP = 1;

// An input the page takes: dropped before start-up has finished and while a
// link plays (which the page says once); otherwise a notice goes, the call
// runs and the scene's words follow. False if it was dropped.
export function takeInput(call) {
  if (!isRunning() || refusedDuringReplay()) return false;
  userActed();
  callProgram(call);
  describeScene();
  return true;
}

export const pressAt = (x, y) => callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y));
export const releaseAt = (x, y) => callProgram(() => Module._vantrelleLiveMouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y));
export const moveTo = (x, y) => callProgram(() => Module._vantrelleLiveMotion(x, y));

// The particle the hand holds, or -1; the one drawn nearest a point; where
// a particle is drawn.
export const heldParticle = () => Module._vantrelleHeldParticle();
export const nearestParticle = (x, y) => Module._vantrelleNearestParticle(x, y);
export const drawnAt = (particle) =>
  [Module._vantrelleParticleWindowX(particle), Module._vantrelleParticleWindowY(particle)];
