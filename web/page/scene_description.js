// The canvas's description: the scene in words, from the program, for a
// screen reader. Said anew when a key, the hand or a link changes it, and
// while the sheet moves at most once a second: never per frame.
import {canvas, isRunning, onLiveFrame} from './program.js';

const RESTATED_MS = 1000;

const description = document.getElementById(canvas.getAttribute('aria-describedby'));
let describedAt = 0;

export function describeScene() {
  if (!isRunning()) return;
  description.textContent = Module.UTF8ToString(Module._vantrelleSceneDescription());
  describedAt = performance.now();
}

onLiveFrame(() => {
  if (performance.now() - describedAt >= RESTATED_MS) describeScene();
});
